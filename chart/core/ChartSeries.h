#pragma once
// Chart elements and the series base: an element switches on and off and repaints its chart when
// a setting changes; a series owns its value lists (X, Y and the extra kinds of its type), binds
// to a horizontal and a vertical axis and keeps the visible index range the drawing loop found.
#include <iterator>
#include <memory>
#include <vector>

#include "chart/core/ChartAxis.h"
#include "chart/core/ValueList.h"
#include "platform/classes/Component.h"

class TChartAxis;
class TCustomAxisPanel;

enum THorizAxis { aTopAxis, aBottomAxis, aBothHorizAxis, aCustomHorizAxis };
inline constexpr const char* THorizAxisNames[] = {"aTopAxis", "aBottomAxis", "aBothHorizAxis", "aCustomHorizAxis"};
static_assert(std::size(THorizAxisNames) == aCustomHorizAxis + 1);

enum TVertAxis { aLeftAxis, aRightAxis, aBothVertAxis, aCustomVertAxis };
inline constexpr const char* TVertAxisNames[] = {"aLeftAxis", "aRightAxis", "aBothVertAxis", "aCustomVertAxis"};
static_assert(std::size(TVertAxisNames) == aCustomVertAxis + 1);

class TCustomChartElement : public TComponent {
    TV_CLASS(TCustomChartElement, TComponent)
public:
    explicit TCustomChartElement(TComponent* owner);
    // Leaves the chart, which forgets the element.
    void BeforeDestruction() override;

    bool Active() const { return active_; }
    virtual void SetActive(bool value);
    TCustomAxisPanel* ParentChart() const { return parentChart_; }
    virtual void SetParentChart(TCustomAxisPanel* value);

    // Store value and repaint the chart only when it differs.
    void ChangeBoolean(bool& field, bool value);
    void ChangeInteger(int& field, int value);
    void ChangeDouble(double& field, double value);
    void ChangeString(String& field, const String& value);
    // Asks the chart to repaint; nothing without one.
    void InvalidateChart();
    virtual void StyleChanged(TObject* sender);

protected:
    // For the chart only: sets the field without adding or detaching.
    void storeParentChart(TCustomAxisPanel* value) { parentChart_ = value; }
    friend class TCustomAxisPanel;

private:
    bool active_ = true;
    TCustomAxisPanel* parentChart_ = nullptr;
};

// A series' value lists in order: 0 the X values, 1 the Y values, then the extra kinds. The lists
// are the series': it frees them with this list.
class TChartValueLists {
public:
    TChartValueLists() = default;
    ~TChartValueLists();
    TChartValueLists(const TChartValueLists&) = delete;
    TChartValueLists& operator=(const TChartValueLists&) = delete;

    void Add(TChartValueList* list) { lists_.push_back(list); }
    int Count() const { return static_cast<int>(lists_.size()); }
    TChartValueList* ValueListAt(int index) const { return lists_[static_cast<size_t>(index)]; }

private:
    std::vector<TChartValueList*> lists_;
};

class TChartSeries : public TCustomChartElement {
    TV_CLASS(TChartSeries, TCustomChartElement)
public:
    explicit TChartSeries(TComponent* owner);
    ~TChartSeries() override;

    void SetActive(bool value) override;
    void SetParentChart(TCustomAxisPanel* value) override;

    TChartValueLists& ValueLists() { return valueLists_; }
    const TChartValueLists& ValueLists() const { return valueLists_; }
    TChartValueList* XValues() const { return xValues_; }
    TChartValueList* YValues() const { return yValues_; }
    // Take the settings of value; the values stay.
    void SetXValues(TChartValueList* value);
    void SetYValues(TChartValueList* value);
    // The list of the main values: Y, or X for series ordered along Y.
    TChartValueList* MandatoryValueList() const { return yMandatory_ ? yValues_ : xValues_; }
    // The list whose order places the points: X, or Y for series ordered along Y.
    TChartValueList* OrderValueList() const { return yMandatory_ ? xValues_ : yValues_; }
    // The points are ordered by X and the main values are Y (the usual case).
    bool YMandatory() const { return yMandatory_; }
    int Count() const { return xValues_->Count(); }

    THorizAxis HorizAxis() const { return horizAxis_; }
    virtual void SetHorizAxis(THorizAxis value);
    TVertAxis VertAxis() const { return vertAxis_; }
    virtual void SetVertAxis(TVertAxis value);

    // The axes the series is drawn against; none without a chart.
    TChartAxis* GetHorizAxis() const { return horizAxisObject_; }
    TChartAxis* GetVertAxis() const { return vertAxisObject_; }
    TChartAxis* CustomHorizAxis() const { return customHorizAxis_; }
    TChartAxis* CustomVertAxis() const { return customVertAxis_; }
    // The choice becomes the custom one.
    void SetCustomHorizAxis(TChartAxis* axis);
    void SetCustomVertAxis(TChartAxis* axis);
    void ResolveAxes();
    bool IsBoundToAxis(const TChartAxis* axis) const;
    // X for a horizontal axis, Y for a vertical one; none when the series is not bound to axis.
    TChartValueList* GetAxisValueList(const TChartAxis* axis) const;
    // The axis of the main values.
    TChartAxis* GetValueAxis() const { return yMandatory_ ? vertAxisObject_ : horizAxisObject_; }
    // An axis' Minimum or Maximum changed.
    virtual void AxisRangeChanged(TChartAxis*) {}

    virtual double LowestX() { return xValues_->Lowest(); }
    virtual double HighestX() { return xValues_->Highest(); }
    virtual double LowestY() { return yValues_->Lowest(); }
    virtual double HighestY() { return yValues_->Highest(); }
    // Series without Z values sit at 0.
    virtual double LowestZ() { return 0; }
    virtual double HighestZ() { return 0; }

    // First and last point in view, set by the drawing loop; -1 when empty.
    int FirstVisibleIndex() const { return firstVisible_; }
    int LastVisibleIndex() const { return lastVisible_; }
    void SetVisibleRange(int first, int last)
    {
        firstVisible_ = first;
        lastVisible_ = last;
    }
    // The drawing loop computes a visible range (off for series drawn in a circle).
    bool ScanVisibleRange() const { return scanVisibleRange_; }

    // The label style the series suggests for axis: values on its value axis, point values on an
    // index axis placed by index, else values.
    virtual TAxisLabelStyle PreferredLabelStyle(const TChartAxis* axis) const;

    // ---- what the axes read of the points (the labels and titles of the series side back these) ----
    // The label text of point index; none in the base.
    virtual String GetPointLabel(int index) const
    {
        (void)index;
        return {};
    }
    // A label has been set since the labels were last cleared.
    virtual bool HasPointLabels() const { return false; }
    // The title the axes and legend show: the component name in the base.
    virtual String TitleOrName() const { return Name(); }

    virtual bool DependsOnAxes() const { return true; }
    virtual bool PlacesByPointIndex() const { return false; }

    // Dependants react to a change of kind (0 cleared, 1 added, 2 deleted, 3 and 4 values) at index
    // (-1: all).
    virtual void NotifyDependents(int kind, int index);
    // Asks the chart to fetch the points again from their source.
    virtual void RefreshData();

protected:
    bool yMandatory_ = true;
    bool scanVisibleRange_ = true;

private:
    TChartValueLists valueLists_;
    TChartValueList* xValues_ = nullptr;
    TChartValueList* yValues_ = nullptr;
    THorizAxis horizAxis_ = aBottomAxis;
    TVertAxis vertAxis_ = aLeftAxis;
    TChartAxis* customHorizAxis_ = nullptr;
    TChartAxis* customVertAxis_ = nullptr;
    TChartAxis* horizAxisObject_ = nullptr;
    TChartAxis* vertAxisObject_ = nullptr;
    int firstVisible_ = -1;
    int lastVisible_ = -1;
};
