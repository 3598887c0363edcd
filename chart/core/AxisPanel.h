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

// Sender axis, the series (none for value labels), the point index (-1 for value labels) and the
// label text (in/out).
using TAxisOnGetLabel =
    TMethodEvent<void(TChartAxis* Sender, TChartSeries* Series, int ValueIndex, String& LabelText)>;
// Sender axis, the label index, the label value (in/out) and the stop flag (in/out).
using TAxisOnGetNextLabel = TMethodEvent<void(TChartAxis* Sender, int LabelIndex, double& LabelValue, bool& Stop)>;

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
    // The smallest (wantMinimum) or largest value of the series bound to axis in that direction;
    // inactive series count while no active one is bound. 0 when none offers a value.
    double AxisExtreme(TChartAxis* axis, bool wantMinimum, bool horizontal);
    // The first active series bound to axis; none when there is none.
    TChartSeries* FirstSeriesOn(const TChartAxis* axis) const;
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

    // ---- what the axes ask ----
    const TAxisOnGetLabel& OnGetAxisLabel() const { return onGetAxisLabel_; }
    void SetOnGetAxisLabel(TAxisOnGetLabel value) { onGetAxisLabel_ = std::move(value); }
    bool HasGetAxisLabel() const { return onGetAxisLabel_.Assigned(); }
    const TAxisOnGetNextLabel& OnGetNextAxisLabel() const { return onGetNextAxisLabel_; }
    void SetOnGetNextAxisLabel(TAxisOnGetNextLabel value) { onGetNextAxisLabel_ = std::move(value); }
    bool HasGetNextAxisLabel() const { return onGetNextAxisLabel_.Assigned(); }
    // Widest point label of all series, in pixels of the current canvas font.
    int WidestSeriesLabel() const;
    // Widest mark text of the active series (marks come with the series marks: 0 meanwhile).
    virtual int WidestMarkWidth() const { return 0; }
    // Title of the series in Z slot (its name when untitled); empty when no series sits there.
    String SeriesTitleText(int slot, bool activeOnly) const;
    // Thickness of the wall beside axis; the chart supplies it (0 without walls).
    virtual int WallSizeAt(const TChartAxis* axis) const;

    // 3-D sizes of the frame: the last depth slot taken (0 in 2-D, -1 before any), one slot's depth
    // and vertical shift, and the total vertical shift.
    int SeriesZSlotMax = 0;
    int SeriesWidth3D = 0;
    int SeriesHeight3D = 0;
    int Height3D = 0;

private:
    void forgetSeries();

    std::vector<TChartSeries*> series_;
    std::unique_ptr<TChartAxes> axes_;
    TAxisOnGetLabel onGetAxisLabel_;
    TAxisOnGetNextLabel onGetNextAxisLabel_;
    TChartCustomAxes* customAxes_ = nullptr;  // owned
};
