#pragma once
// TCustomAxisPanel: the chart core between the panel and the concrete chart. It owns the six
// standard axes, the custom axes and the list of all of them, keeps the series list (in drawing
// and legend order; the series' owner component frees the series) and answers the axes' questions
// about the series bound to them.
#include <memory>
#include <vector>

#include "chart/core/ChartAxes.h"
#include "chart/core/ZebPanelExtended.h"

class TChartSeries;

class TCustomAxisPanel : public TCustomZebPanelExtended {
    TV_CLASS(TCustomAxisPanel, TCustomZebPanelExtended)
public:
    explicit TCustomAxisPanel(TComponent* owner);
    ~TCustomAxisPanel() override;
    void BeforeDestruction() override;

    // ---- axes ----
    TChartAxes& Axes() { return *axes_; }
    const TChartAxes& Axes() const { return *axes_; }
    TChartAxis* BottomAxis() const { return axes_->GetBottomAxis(); }
    TChartAxis* TopAxis() const { return axes_->GetTopAxis(); }
    TChartAxis* LeftAxis() const { return axes_->GetLeftAxis(); }
    TChartAxis* RightAxis() const { return axes_->GetRightAxis(); }
    TChartDepthAxis* DepthAxis() const;
    TChartDepthAxis* DepthTopAxis() const;
    TChartCustomAxes* CustomAxes() const { return customAxes_; }
    // The smallest (want_minimum) or largest value of the active series bound to axis; 0 when none.
    double AxisExtremeValue(TChartAxis* axis, bool wantMinimum, bool horizontal);
    // Every series hears of the new range, then the chart repaints.
    void NotifyAxisRangeChanged(TChartAxis* axis);

    // ---- series ----
    // Nothing when series is already listed.
    void AddSeries(TChartSeries* series);
    void DetachSeries(TChartSeries* series);
    // Nothing for a negative index.
    void RemoveSeriesAt(int index);
    // index below NumSeries: the caller's to keep.
    TChartSeries* GetSeriesAt(int index) const { return series_[static_cast<size_t>(index)]; }
    int NumSeries() const { return static_cast<int>(series_.size()); }
    int IndexOfSeries(const TChartSeries* series) const;
    int ActiveSeriesTotal() const;

private:
    void forgetSeries();

    std::vector<TChartSeries*> series_;
    std::unique_ptr<TChartAxes> axes_;
    TChartCustomAxes* customAxes_ = nullptr;  // owned
};
