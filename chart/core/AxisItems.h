#pragma once
// Custom labels of an axis: fixed texts at fixed values. While the list is automatic (no label
// added) the axis labels itself. Stored by the axis as its binary property "Items".
#include <array>
#include <vector>

#include "chart/core/AxisShapes.h"

class TAxisItems;
class TChartAxis;
class TGraphic;
class TStream;
class TZebSelected;

class TAxisItem : public TPersistent {
    TV_CLASS(TAxisItem, TPersistent)
public:
    explicit TAxisItem(TAxisItems* owner = nullptr) : owner_(owner) {}
    ~TAxisItem() override;

    const String& Text() const { return text_; }
    void SetText(const String& value);
    double Value() const { return value_; }
    void SetValue(double value);
    // Created on first read, transparent, on the axis' chart; null frees it.
    TAxisLabelsFormat* Format();
    void SetFormat(TAxisLabelsFormat* value);
    bool HasFormat() const { return format_ != nullptr; }
    // The format it draws with: its own, else the list's.
    TAxisLabelsFormat* EffectiveFormat() const;
    TAxisItems* Owner() const { return owner_; }

    // The pixel and the turned box corners of its last drawing (hit tests).
    int Pixel = 0;
    std::array<TPoint, 4> Corners{};
    // A point picture drawn beside the label (not owned).
    TGraphic* Picture = nullptr;

private:
    void changed();

    TAxisItems* owner_;
    String text_;
    double value_ = 0;
    TAxisLabelsFormat* format_ = nullptr;  // owned
};

class TAxisItems {
public:
    explicit TAxisItems(TChartAxis* axis);
    ~TAxisItems();
    TAxisItems(const TAxisItems&) = delete;
    TAxisItems& operator=(const TAxisItems&) = delete;

    TChartAxis* Axis() const { return axis_; }
    int Count() const { return static_cast<int>(items_.size()); }
    TAxisItem* GetItem(int index) const { return items_[static_cast<size_t>(index)].get(); }
    // True until a label is added: the axis makes its own labels.
    bool Automatic() const { return automatic_; }
    void SetAutomatic(bool value);
    // The look every label shares.
    TAxisLabelsFormat* Format() const { return format_.get(); }
    // The hover highlight of the labels (bold, on the axis' chart), made on first use.
    TZebSelected* Selected();
    TZebSelected* SelectedOrNull() const { return selected_.get(); }

    TAxisItem* AddItem(const String& text, double value);
    void DeleteItem(int index);
    void Clear();
    // The shared format; the labels too unless other is automatic.
    void CopyFrom(const TAxisItems& other);

    // Count (32-bit), then each label's published properties as a list.
    void WriteItems(TStream& stream) const;
    // A count below 1 changes nothing. A corrupt block raises the reader's error and leaves the
    // list as it was; labels are made as they are read, never from the count in advance.
    void ReadItems(TStream& stream);

    // Automatic labels of the current draw (not stored).
    void ClearAutomatic() { automaticItems_.clear(); }
    TAxisItem* AddAutomatic(const String& text, double value, int pixel);
    int AutomaticCount() const { return static_cast<int>(automaticItems_.size()); }
    TAxisItem* AutomaticItem(int index) const { return automaticItems_[static_cast<size_t>(index)].get(); }

private:
    friend class TAxisItem;
    void invalidate();
    void forget(TAxisItem* item);

    TChartAxis* axis_;
    bool automatic_ = true;
    bool bulk_ = false;
    TOwnedPtr<TAxisLabelsFormat> format_;
    TOwnedPtr<TZebSelected> selected_;
    std::vector<TOwnedPtr<TAxisItem>> items_;
    std::vector<TOwnedPtr<TAxisItem>> automaticItems_;
};
