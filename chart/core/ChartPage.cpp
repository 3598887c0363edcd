#include "chart/core/ChartPage.h"

#include <algorithm>

#include "chart/core/AxisPanel.h"
#include "chart/core/ChartException.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ZebConst.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"

TV_PUBLISHED(TChartPage)
{
    Prop("AutoScale", &TChartPage::AutoScale, &TChartPage::SetAutoScale, false);
    Prop("Current", &TChartPage::Current, &TChartPage::SetCurrent, 1);
    Prop("MaxPointsPerPage", &TChartPage::MaxPointsPerPage, &TChartPage::SetMaxPointsPerPage, 0);
    Prop("ScaleLastPage", &TChartPage::ScaleLastPage, &TChartPage::SetScaleLastPage, true);
}

void TChartPage::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TChartPage*>(source)) {
        autoScale_ = other->autoScale_;
        current_ = other->current_;
        maxPointsPerPage_ = other->maxPointsPerPage_;
        scaleLastPage_ = other->scaleLastPage_;
        return;
    }
    TPersistent::Assign(source);
}

TPersistent* TChartPage::GetOwner() const { return chart_; }

void TChartPage::change(bool& field, bool value)
{
    if (AssignIfChanged(field, value) && chart_) chart_->Invalidate();
}

void TChartPage::SetAutoScale(bool value) { change(autoScale_, value); }
void TChartPage::SetScaleLastPage(bool value) { change(scaleLastPage_, value); }

void TChartPage::pageChanged()
{
    if (chart_) chart_->BroadcastNewEvent<TChartChangePage>();
}

void TChartPage::SetCurrent(int value)
{
    // A chart being read has no series yet to count pages by: the stored page is kept.
    if (chart_ && chart_->IsLoading()) {
        current_ = std::max(1, value);
        return;
    }
    if (!AssignIfChanged(current_, std::max(1, std::min(value, GetPageCount()))) || !chart_) return;
    chart_->Invalidate();
    pageChanged();
    if (chart_->OnPageChange()) chart_->OnPageChange()(this);
}

void TChartPage::SetMaxPointsPerPage(int value)
{
    if (value < 0) throw ChartException(TxtMaxPointsPerPageMustBe0);
    if (AssignIfChanged(maxPointsPerPage_, value)) {
        if (chart_) chart_->Invalidate();
        const int pages = GetPageCount();
        if (pages < current_) SetCurrent(pages);
    }
    pageChanged();
}

int TChartPage::PagesOfAxis(const TChartAxis* axis) const
{
    int most = 0;
    for (const TChartSeries* series : chart_->SeriesList())
        if (series->Active() && series->IsBoundToAxis(axis)) most = std::max(most, series->Count());
    if (most == 0) return 1;
    return (most + maxPointsPerPage_ - 1) / maxPointsPerPage_;
}

int TChartPage::GetPageCount() const
{
    if (maxPointsPerPage_ <= 0 || !chart_ || chart_->NumSeries() == 0) return 1;
    if (chart_->GetSeriesAt(0)->YMandatory())
        return std::max(PagesOfAxis(chart_->TopAxis()), PagesOfAxis(chart_->BottomAxis()));
    return std::max(PagesOfAxis(chart_->LeftAxis()), PagesOfAxis(chart_->RightAxis()));
}

void TChartPage::NextPage()
{
    if (maxPointsPerPage_ > 0 && current_ < GetPageCount()) SetCurrent(current_ + 1);
}

void TChartPage::PreviousPage()
{
    if (maxPointsPerPage_ > 0 && current_ > 1) SetCurrent(current_ - 1);
}

void TChartPage::PageRange(int count, int& first, int& last) const
{
    if (count <= 0) {
        first = last = -1;
        return;
    }
    const int p = maxPointsPerPage_;
    if (p <= 0) {
        first = 0;
        last = count - 1;
        return;
    }
    first = p == 1 ? current_ - 1 : p * (current_ - 1);
    if (first >= count) first = p * std::max(0, count / p - 1);
    last = first + p - 1;
    if (last >= count) last = count % p + first - 1;
}
