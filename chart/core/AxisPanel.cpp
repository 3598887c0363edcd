#include "chart/core/AxisPanel.h"

#include <algorithm>

#include "chart/core/ChartSeries.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TCustomAxisPanel) {}

TCustomAxisPanel::TCustomAxisPanel(TComponent* owner)
    : TCustomZebPanelExtended(owner), axes_(std::make_unique<TChartAxes>())
{
    SetAutoRepaint(false);
    customAxes_ = new TChartCustomAxes(this, nullptr);
    // Created in this order, each joins the axes list: Bottom, Top, Left, Right, Depth, DepthTop.
    (new TChartAxis(this))->SetHorizontal(true);
    auto* top = new TChartAxis(this);
    top->SetHorizontal(true);
    top->SetOtherSide(true);
    top->SetZPosition(100);
    new TChartAxis(this);
    auto* right = new TChartAxis(this);
    right->SetOtherSide(true);
    right->SetZPosition(100);
    (new TChartDepthAxis(this))->SetOtherSide(true);
    new TChartDepthAxis(this);
    SetAutoRepaint(true);
}

TCustomAxisPanel::~TCustomAxisPanel()
{
    forgetSeries();
    axes_->Clear();
    delete customAxes_;
}

TChartDepthAxis* TCustomAxisPanel::DepthAxis() const { return static_cast<TChartDepthAxis*>(axes_->GetDepthAxis()); }

TChartDepthAxis* TCustomAxisPanel::DepthTopAxis() const
{
    return static_cast<TChartDepthAxis*>(axes_->GetDepthTopAxis());
}

double TCustomAxisPanel::AxisExtremeValue(TChartAxis* axis, bool wantMinimum, bool horizontal)
{
    bool found = false;
    double result = 0;
    for (TChartSeries* series : series_) {
        if (!series->Active()) continue;
        double value;
        if (axis->IsDepthAxis()) {
            value = wantMinimum ? series->LowestZ() : series->HighestZ();
        } else {
            if (series->Count() == 0 || !series->IsBoundToAxis(axis)) continue;
            if (horizontal)
                value = wantMinimum ? series->LowestX() : series->HighestX();
            else
                value = wantMinimum ? series->LowestY() : series->HighestY();
        }
        if (!found || (wantMinimum ? value < result : value > result)) result = value;
        found = true;
    }
    return result;
}

void TCustomAxisPanel::NotifyAxisRangeChanged(TChartAxis* axis)
{
    for (TChartSeries* series : series_) series->AxisRangeChanged(axis);
    Invalidate();
}

void TCustomAxisPanel::BeforeDestruction()
{
    forgetSeries();
    TCustomZebPanelExtended::BeforeDestruction();
}

void TCustomAxisPanel::forgetSeries()
{
    // The series outlive the chart in their owner.
    for (TChartSeries* series : series_) series->storeParentChart(nullptr);
    series_.clear();
}

void TCustomAxisPanel::AddSeries(TChartSeries* series)
{
    if (IndexOfSeries(series) >= 0) return;
    series->storeParentChart(this);
    series_.push_back(series);
    Invalidate();
}

void TCustomAxisPanel::DetachSeries(TChartSeries* series) { RemoveSeriesAt(IndexOfSeries(series)); }

void TCustomAxisPanel::RemoveSeriesAt(int index)
{
    if (index < 0) return;
    TChartSeries* series = series_[static_cast<size_t>(index)];
    series->storeParentChart(nullptr);
    series_.erase(series_.begin() + index);
    Invalidate();
}

int TCustomAxisPanel::IndexOfSeries(const TChartSeries* series) const
{
    const auto it = std::find(series_.begin(), series_.end(), series);
    return it == series_.end() ? -1 : static_cast<int>(it - series_.begin());
}

int TCustomAxisPanel::ActiveSeriesTotal() const
{
    return static_cast<int>(
        std::count_if(series_.begin(), series_.end(), [](const TChartSeries* s) { return s->Active(); }));
}
