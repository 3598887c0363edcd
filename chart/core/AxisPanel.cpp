#include "chart/core/AxisPanel.h"

#include <algorithm>

#include "chart/canvas/Canvas3D.h"
#include "chart/core/AxisPens.h"
#include "chart/core/ChartSeries.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TCustomAxisPanel)
{
    Prop("OnGetAxisLabel", &TCustomAxisPanel::OnGetAxisLabel, &TCustomAxisPanel::SetOnGetAxisLabel);
    Prop("OnGetNextAxisLabel", &TCustomAxisPanel::OnGetNextAxisLabel, &TCustomAxisPanel::SetOnGetNextAxisLabel);
}

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
    top->Grid()->InitZPosition(100);
    new TChartAxis(this);
    auto* right = new TChartAxis(this);
    right->SetOtherSide(true);
    right->SetZPosition(100);
    right->Grid()->InitZPosition(100);
    const char* const names[] = {"Bottom", "Top", "Left", "Right", "Depth", "DepthTop"};
    (new TChartDepthAxis(this))->SetOtherSide(true);
    new TChartDepthAxis(this);
    for (int i = 0; i < axes_->Count(); ++i) axes_->Items(i)->ElementName = names[i];
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

double TCustomAxisPanel::AxisExtreme(TChartAxis* axis, bool wantMinimum, bool horizontal)
{
    bool first = true;
    double result = 0;
    auto offer = [&](double value) {
        if (first || (wantMinimum ? value < result : value > result)) result = value;
        first = false;
    };
    if (axis->IsDepthAxis()) {
        const auto* depth = dynamic_cast<const TChartDepthAxis*>(axis);
        if (depth && depth->LabelsAsSeriesTitles() && axis->LabelStyleInUse() != talValue)
            return wantMinimum ? -0.5 : SeriesZSlotMax + 0.5;
        for (TChartSeries* series : series_)
            if (series->Active()) offer(wantMinimum ? series->LowestZ() : series->HighestZ());
        return result;
    }
    // A hidden series keeps its axis' range until an active one is bound there.
    const bool anyActive = FirstSeriesOn(axis) != nullptr;
    for (TChartSeries* series : series_) {
        if ((anyActive && !series->Active()) || series->Count() == 0) continue;
        const bool bound = horizontal ? series->GetHorizAxis() == axis || series->HorizAxis() == aBothHorizAxis
                                      : series->GetVertAxis() == axis || series->VertAxis() == aBothVertAxis;
        if (!bound) continue;
        if (horizontal)
            offer(wantMinimum ? series->LowestX() : series->HighestX());
        else
            offer(wantMinimum ? series->LowestY() : series->HighestY());
    }
    return result;
}

TChartSeries* TCustomAxisPanel::FirstSeriesOn(const TChartAxis* axis) const
{
    for (TChartSeries* series : series_)
        if (series->Active() && series->IsBoundToAxis(axis)) return series;
    return nullptr;
}

int TCustomAxisPanel::WidestSeriesLabel() const
{
    int widest = 0;
    TCanvas3D* canvas = Canvas3D();
    if (!canvas) return 0;
    for (const TChartSeries* series : series_) {
        if (!series->HasPointLabels()) continue;
        for (int i = 0; i < series->Count(); ++i) {
            const String label = series->GetPointLabel(i);
            if (!label.empty()) widest = std::max(widest, canvas->TextWidth(label));
        }
    }
    return widest;
}

String TCustomAxisPanel::SeriesTitleText(int slot, bool activeOnly) const
{
    int z = 0;
    for (const TChartSeries* series : series_) {
        if (activeOnly && !series->Active()) continue;
        if (z++ == slot) return series->TitleOrName();
    }
    return {};
}

int TCustomAxisPanel::WallSizeAt(const TChartAxis*) const { return 0; }

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
