#pragma once
// The lists of axes: a chart's axes in creation order (the six standard ones, then its custom
// axes), and the owned collections of custom axes and sub-axes.
#include <vector>

#include "chart/core/ChartAxis.h"

// A chart's CustomAxes, or an axis' SubAxes.
class TChartCustomAxes : public TCollection {
    TV_CLASS(TChartCustomAxes, TCollection)
public:
    TChartCustomAxes(TCustomAxisPanel* chart, TChartAxis* parentAxis);
    ~TChartCustomAxes() override;

    TCustomAxisPanel* Chart() const { return chart_; }
    TChartAxis* ParentAxis() const { return parentAxis_; }
    TChartAxis* GetAxisAt(int index) const;
    // A sub-axis takes the parent's orientation and side.
    TChartAxis* AddAxis();
    // Every axis of the collection under master takes master's minimum and maximum.
    void ApplyRangeToSubAxes(TChartAxis* master);

protected:
    TPersistent* GetOwner() const override;

private:
    TCustomAxisPanel* chart_;
    TChartAxis* parentAxis_;
};

// A chart's top-level axes. It frees them when it is cleared.
class TChartAxes {
public:
    explicit TChartAxes(TCustomAxisPanel* chart = nullptr) : chart_(chart) {}
    ~TChartAxes() { Clear(); }
    TChartAxes(const TChartAxes&) = delete;
    TChartAxes& operator=(const TChartAxes&) = delete;

    int Count() const { return static_cast<int>(axes_.size()); }
    TChartAxis* Items(int index) const { return axes_[static_cast<size_t>(index)]; }
    void Add(TChartAxis* axis) { axes_.push_back(axis); }
    void Remove(TChartAxis* axis);
    // Takes each axis out before freeing it, so an axis that would not leave the list on its own
    // cannot make this loop forever.
    void Clear();

    // The first visible axis whose labels area (projected in 3-D) holds the point; none else.
    TChartAxis* AxisAtPoint(TPoint point) const;

    TChartAxis* GetBottomAxis() const { return standard(0); }
    TChartAxis* GetTopAxis() const { return standard(1); }
    TChartAxis* GetLeftAxis() const { return standard(2); }
    TChartAxis* GetRightAxis() const { return standard(3); }
    TChartAxis* GetDepthAxis() const { return standard(4); }
    TChartAxis* GetDepthTopAxis() const { return standard(5); }

    // Automatic of every axis.
    void SetAutomatic(bool value);
    void MakeAllAutomatic() { SetAutomatic(true); }
    // The chart's AxisVisible and AxisBehind (visible and in front without a chart).
    bool GetVisible() const;
    void SetVisible(bool value);
    bool GetBehind() const;
    void SetBehind(bool value);

    bool FastPixelCalc() const { return fastPixelCalc_; }
    // Every axis chooses its conversions again.
    void SetFastPixelCalc(bool value);

private:
    TChartAxis* standard(int index) const { return index < Count() ? Items(index) : nullptr; }

    TCustomAxisPanel* chart_;
    std::vector<TChartAxis*> axes_;
    bool fastPixelCalc_ = false;
};
