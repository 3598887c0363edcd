#pragma once
// The legend's items: where each listed entry's texts and symbol were drawn, and, when the items
// are custom, the texts and places the program gives them instead.
#include <memory>
#include <vector>

#include "platform/classes/Persistent.h"
#include "platform/graphics/GraphicsTypes.h"
#include "platform/rtl/Types.h"

class TCustomChartLegend;
class TZebFont;

class TLegendItem : public TPersistent {
    TV_CLASS(TLegendItem, TPersistent)
public:
    explicit TLegendItem(TCustomChartLegend* legend = nullptr);
    ~TLegendItem() override;

    // The canvas text alignment the first text was drawn with.
    int Align() const { return align_; }
    void SetAlign(int value);
    // Created on first read as a copy of the legend's font; null frees it.
    TZebFont* Font();
    void SetFont(TZebFont* value);
    bool HasFont() const { return font_ != nullptr; }
    int Left() const { return left_; }
    void SetLeft(int value);
    int Top() const { return top_; }
    void SetTop(int value);
    const String& Text() const { return text_[0]; }
    void SetText(const String& value) { setText(0, value); }
    const String& Text2() const { return text_[1]; }
    void SetText2(const String& value) { setText(1, value); }
    const String& Text3() const { return text_[2]; }
    void SetText3(const String& value) { setText(2, value); }
    // Column 0 .. 2.
    const String& ColumnText(int column) const { return text_[column]; }
    const TRect& SymbolRect() const { return symbolRect_; }
    void SetSymbolRect(const TRect& value) { symbolRect_ = value; }

    // What the legend drew, without marking anything custom.
    void Record(int left, int top, int align);
    void RecordTexts(const String& text, const String& text2, const String& text3);

private:
    void setText(int column, const String& value);
    void markCustom(bool positions);

    TCustomChartLegend* legend_;
    int align_ = 0;
    std::unique_ptr<TZebFont> font_;
    int left_ = 0, top_ = 0;
    String text_[3];
    TRect symbolRect_;
};

class TLegendItems {
public:
    explicit TLegendItems(TCustomChartLegend* legend) : legend_(legend) {}
    ~TLegendItems();
    TLegendItems(const TLegendItems&) = delete;
    TLegendItems& operator=(const TLegendItems&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    // Grows the list with empty entries up to index and makes the item there on first use.
    TLegendItem* ItemAt(int index);
    // The item at index when it exists.
    TLegendItem* Find(int index) const;
    // Frees every item.
    void ClearAll() { items_.clear(); }
    // ClearAll, then a repaint.
    void Clear();
    // Items supply the texts.
    bool UseCustomItems() const { return custom_; }
    void SetUseCustomItems(bool value);
    // Items supply where texts and symbols are drawn.
    bool UseCustomPositions() const { return customPositions_; }
    void SetUseCustomPositions(bool value);
    // Without a repaint.
    void MarkCustom(bool positions)
    {
        custom_ = true;
        if (positions) customPositions_ = true;
    }

private:
    TCustomChartLegend* legend_;
    std::vector<std::unique_ptr<TLegendItem>> items_;
    bool custom_ = false;
    bool customPositions_ = false;
};
