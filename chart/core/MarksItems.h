#pragma once
// Per-point formats of series marks: a TMarksItem replaces the marks' look (and, when its text is
// set, the composed text) for one point. The marks keep them by point index with empty slots and
// store them as the binary property "Items".
#include <memory>
#include <vector>

#include "chart/core/TextShapes.h"

class TSeriesMarks;
class TStream;
class TStringList;

class TMarksItem : public TCustomTextShape {
    TV_CLASS(TMarksItem, TCustomTextShape)
public:
    explicit TMarksItem(TCustomZebPanel* panel = nullptr);
    ~TMarksItem() override;
    // From another item: everything with the text-set flag. From the marks: their look, no text.
    void Assign(TPersistent* source) override;

    // The text as lines (published as "Text"): created and loaded from the text on reading; its
    // changes store the lines joined with CR LF and set the text. Null frees the list and empties
    // the text.
    TStringList* TextLines();
    void SetTextLines(TStringList* value);
    // The text was set (by the lines or otherwise): it replaces the point's composed mark text.
    bool TextSet() const { return textSet_; }
    void TextChanged() override;
    // Shows the composed text of its point unless the item's own text is set; the flag stays.
    void ShowText(const String& text);

private:
    void linesChanged();

    std::unique_ptr<TStringList> lines_;
    bool textSet_ = false;
    bool quiet_ = false;
};

class TMarksItems {
public:
    explicit TMarksItems(TSeriesMarks& marks) : marks_(marks) {}
    TMarksItems(const TMarksItems&) = delete;
    TMarksItems& operator=(const TMarksItems&) = delete;

    // Slots, empty ones included.
    int Count() const { return static_cast<int>(items_.size()); }
    // None beyond the end or for an empty slot.
    TMarksItem* ItemAt(int index) const;
    // The item of index, created from the marks' settings (with empty slots before it) when missing.
    TMarksItem& EnsureItem(int index);
    // The item of index, else scratch made from the marks' settings (the list stays as it is).
    TMarksItem& ItemOrScratch(int index, TOwnedPtr<TMarksItem>& scratch) const;
    // Frees every item and repaints the marks.
    void Clear();
    void Remove(int index);
    void Swap(int a, int b);
    // The items came from a stored "Items" property.
    bool Loaded() const { return loaded_; }

    // Count (32-bit, empty slots included), then each slot's published properties as a list. An
    // empty slot is written as an item made from the marks' settings would be; none is stored.
    void WriteItems(TStream& stream) const;
    // Every slot gets an item. A count the remaining bytes cannot hold, or a corrupt block, raises
    // a read error and leaves the items as they were; nothing is allocated from the count itself.
    void ReadItems(TStream& stream);

private:
    TOwnedPtr<TMarksItem> newItem() const;

    TSeriesMarks& marks_;
    std::vector<TOwnedPtr<TMarksItem>> items_;
    bool loaded_ = false;
};
