#pragma once
// Organisation chart: a tree of text boxes, each point an item whose X value names its superior
// (-1 at the top), drawn as rows centred under their superiors and joined by connectors. The base
// keeps the items in step with the points and is shared with the tree map.
#include <memory>
#include <vector>

#include "chart/core/ChartSeries.h"
#include "chart/core/StringsShape.h"
#include "platform/classes/Collection.h"

class TCustomOrgSeries;

// The text box format of an item or of the whole series.
class TOrgShape : public TTextShape {
    TV_CLASS(TOrgShape, TTextShape)
public:
    explicit TOrgShape(TCustomZebPanel* panel = nullptr);
    TCustomOrgSeries* Series = nullptr;  // repainted on a change when linked
    void TextChanged() override {}
};

class TOrgItem : public TCollectionItem {
    TV_CLASS(TOrgItem, TCollectionItem)
public:
    explicit TOrgItem(TCollection* collection);
    ~TOrgItem() override;
    void Assign(TPersistent* source) override;

    TCustomOrgSeries* Series() const;
    // Made on first read: a copy of the series' format at the item's box.
    TOrgShape* Format();
    void SetFormat(TOrgShape* value);
    bool HasFormat() const { return format_ != nullptr; }
    TOrgShape* EffectiveFormat() const;
    int Height() const { return Box.Height(); }
    void SetHeight(int value);
    int Width() const { return Box.Width(); }
    void SetWidth(int value);
    int Superior() const;
    // A superior that would close a cycle raises ChartException and keeps the old value.
    void SetSuperior(int value);
    String Text() const;
    void SetText(const String& value);
    TOrgItem* SuperiorItem() const;
    int Level() const;

    TRect Box;
    int LineCount = 0;

private:
    friend class TCustomOrgSeries;
    friend class TOrgSeries;
    friend class TTreeMapSeries;
    std::unique_ptr<TOrgShape> format_;
};

class TOrgItemCollection : public TOwnedCollection {
    TV_CLASS(TOrgItemCollection, TOwnedCollection)
public:
    explicit TOrgItemCollection(TCustomOrgSeries* owner = nullptr);
    TOrgItem* Item(int index) const { return static_cast<TOrgItem*>(Items(index)); }
    TCustomOrgSeries* Series() const { return series_; }

private:
    TCustomOrgSeries* series_;
};

class TSpacing : public TPersistent {
    TV_CLASS(TSpacing, TPersistent)
public:
    explicit TSpacing(TCustomOrgSeries* series = nullptr) : series_(series) {}
    void Assign(TPersistent* source) override;
    int Horizontal() const { return horizontal_; }
    void SetHorizontal(int value);
    int Vertical() const { return vertical_; }
    void SetVertical(int value);
    void Preset(int horizontal, int vertical) { horizontal_ = defaultH_ = horizontal, vertical_ = defaultV_ = vertical; }
    bool IsHorizontalStored() const { return horizontal_ != defaultH_; }
    bool IsVerticalStored() const { return vertical_ != defaultV_; }

private:
    TCustomOrgSeries* series_;
    int horizontal_ = 8, vertical_ = 16, defaultH_ = 8, defaultV_ = 16;
};

class TCustomOrgSeries : public TChartSeries {
    TV_CLASS(TCustomOrgSeries, TChartSeries)
public:
    explicit TCustomOrgSeries(TComponent* owner);
    ~TCustomOrgSeries() override;
    void Assign(TPersistent* source) override;

    TOrgShape* Format() const { return format_.get(); }
    void SetFormat(TOrgShape* value);
    TOrgItemCollection* Items() const { return items_.get(); }
    void SetItems(TOrgItemCollection* value);
    // With the points: the items carry nothing of their own without them.
    bool IsItemsStored() const { return Count() > 0; }
    TSpacing* Spacing() const { return spacing_.get(); }
    void SetSpacing(TSpacing* value);

    virtual void GetChildIndices(int superior, bool visibleOnly, std::vector<int>& indices) const;
    int AddItem(const String& text, int superior);
    TOrgItem* GetItem(int index) const { return items_->Item(index); }
    int ItemCount() const;
    void MeasureItems();
    int LevelCount() const;
    int FirstSubordinate(int index) const;
    // Whether superior as the superior of index would close a cycle.
    bool WouldCycle(int index, int superior) const;

    void Loaded() override;
    void CopyAppearance(TChartSeries* other) override;
    void SetParentChart(TCustomAxisPanel* value) override;
    int InsertXY(double x, double y, const String& label = String(), TColor color = clAutomatic) override;
    void RemovePoint(int index) override;
    void ResetPointLists() override;
    void SwapPoints(int a, int b) override;
    int PointScreenX(int index) const override;
    int PointScreenY(int index) const override;
    int HitTest(int x, int y) override;
    bool DependsOnAxes() const override { return false; }
    bool AcceptsSourceSeries(const TChartSeries* series) const override;

protected:
    void syncItems();
    void breakCycles();
    // The item's text and line count in its effective format, drawn in its box.
    void drawItem(int index, TColor color);

private:
    std::unique_ptr<TOrgShape> format_;
    std::unique_ptr<TOrgItemCollection> items_;
    std::unique_ptr<TSpacing> spacing_;
};

enum TOrgLineStyle { lsSquared, lsDiagonal };
inline constexpr const char* TOrgLineStyleNames[] = {"lsSquared", "lsDiagonal"};
static_assert(std::size(TOrgLineStyleNames) == lsDiagonal + 1);

class TOrgSeries : public TCustomOrgSeries {
    TV_CLASS(TOrgSeries, TCustomOrgSeries)
public:
    explicit TOrgSeries(TComponent* owner);
    void Assign(TPersistent* source) override;

    TOrgLineStyle LineStyle() const { return lineStyle_; }
    void SetLineStyle(TOrgLineStyle value) { Change(lineStyle_, value); }

    void CopyAppearance(TChartSeries* other) override;
    void DrawVisiblePoints() override;
    void ListGalleryStyles(const std::function<void(const String&)>& add) const override;
    void ApplyGalleryStyle(int index) override;
    void AddRandomPoints(int count, bool valuesOnly) override;

private:
    void drawRow(const std::vector<int>& items, int cx, int top, int depth);
    TOrgLineStyle lineStyle_ = lsSquared;
};
