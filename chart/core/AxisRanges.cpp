// Automatic axis ranges: the extremes of the series bound to an axis, paged along the independent
// direction, and the margins series and offsets add at the ends of automatic axes.
#include <algorithm>

#include "chart/core/AxisPanel.h"
#include "chart/core/ChartPage.h"
#include "chart/core/ChartSeries.h"

namespace {

// Smallest or largest of the values offered; 0 while none was.
class TExtreme {
public:
    explicit TExtreme(bool wantMinimum) : wantMinimum_(wantMinimum) {}
    void Offer(double value)
    {
        if (first_ || (wantMinimum_ ? value < result_ : value > result_)) result_ = value;
        first_ = false;
    }
    double Result() const { return result_; }

private:
    bool wantMinimum_;
    bool first_ = true;
    double result_ = 0;
};

// The axis places the points of its first series (or, without series, is horizontal).
bool IsIndependentDirection(const TChartSeries* first, bool horizontal)
{
    if (!first) return horizontal;
    return first->YMandatory() == horizontal;
}

}  // namespace

double TCustomAxisPanel::AxisExtreme(TChartAxis* axis, bool wantMinimum, bool horizontal)
{
    TExtreme extreme(wantMinimum);
    if (axis->IsDepthAxis()) {
        const auto* depth = dynamic_cast<const TChartDepthAxis*>(axis);
        if (depth && depth->LabelsAsSeriesTitles() && axis->LabelStyleInUse() != talValue)
            return wantMinimum ? -0.5 : SeriesZSlotMax + 0.5;
        for (TChartSeries* series : SeriesList())
            if (series->Active()) extreme.Offer(wantMinimum ? series->LowestZ() : series->HighestZ());
        return extreme.Result();
    }
    const int perPage = pages_->MaxPointsPerPage();
    if (perPage > 0 && IsIndependentDirection(FirstSeriesOn(axis), horizontal))
        return PageExtreme(axis, wantMinimum, horizontal);
    // A hidden series keeps its axis' range until an active one is bound there.
    const bool anyActive = !NoActiveSeriesOn(axis);
    const bool pageOnly = perPage > 0 && pages_->AutoScale();
    const int pageFirst = pages_->GetFirstPointIndex();
    for (TChartSeries* series : SeriesList()) {
        if ((anyActive && !series->Active()) || series->Count() == 0) continue;
        const bool bound = horizontal ? series->GetHorizAxis() == axis || series->HorizAxis() == aBothHorizAxis
                                      : series->GetVertAxis() == axis || series->VertAxis() == aBothVertAxis;
        if (!bound) continue;
        if (pageOnly) {
            // Only the current page's values: the other axis follows the page.
            const TChartValueList& values = horizontal ? *series->XValues() : *series->YValues();
            const int last = std::min(pageFirst + perPage, series->Count());
            for (int i = pageFirst; i < last; ++i) extreme.Offer(values.ValueAt(i));
        } else if (horizontal) {
            extreme.Offer(wantMinimum ? series->LowestX() : series->HighestX());
        } else {
            extreme.Offer(wantMinimum ? series->LowestY() : series->HighestY());
        }
    }
    return extreme.Result();
}

double TCustomAxisPanel::PageExtreme(TChartAxis* axis, bool wantMinimum, bool horizontal)
{
    TChartSeries* longest = LongestSeriesOn(axis);
    if (!longest || longest->Count() == 0) return 0;
    int first = 0, last = 0;
    longest->GetPageRange(first, last);
    const TChartValueList& values = horizontal ? *longest->XValues() : *longest->YValues();
    const double a = values.ValueAt(first);
    if (wantMinimum) return a;
    double maximum = values.ValueAt(last);
    const int perPage = pages_->MaxPointsPerPage();
    const int count = last - first + 1;
    // A short last page keeps the scale of a full one.
    if (!pages_->ScaleLastPage() && count < perPage) {
        if (a != maximum)
            maximum = a + (maximum - a) * perPage / count;
        else
            maximum = a + static_cast<double>(perPage) / count;
    }
    return maximum;
}

namespace {

// Pixel margins at the four sides of the chart rectangle.
struct TMargins {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool Any() const { return Left || Top || Right || Bottom; }
};

void Widen(TChartAxis& axis, const TMargins& m)
{
    if (axis.Horizontal())
        axis.AdjustRangeForMargins(m.Left, m.Right);
    else
        axis.AdjustRangeForMargins(m.Top, m.Bottom);
}

}  // namespace

void TCustomAxisPanel::ApplyAxisMargins()
{
    const auto isAutomatic = [](const TChartAxis& axis) { return axis.AutomaticMinimum() || axis.AutomaticMaximum(); };
    for (int i = 0; i < Axes().Count(); ++i) {
        TChartAxis& axis = *Axes().Items(i);
        if (axis.IsDepthAxis() && !View3D()) continue;
        TMargins m;
        if (isAutomatic(axis)) {
            // One working pair for the axis, handed from series to series.
            int low = 0, high = 0;
            for (TChartSeries* series : SeriesList()) {
                if (!series->Active() || !series->IsBoundToAxis(&axis)) continue;
                if (axis.Horizontal()) {
                    series->MeasureHorizMargins(low, high);
                    if (axis.AutomaticMinimum()) m.Left = std::max(m.Left, low);
                    if (axis.AutomaticMaximum()) m.Right = std::max(m.Right, high);
                } else {
                    series->MeasureVertMargins(low, high);
                    if (axis.AutomaticMinimum()) m.Bottom = std::max(m.Bottom, high);
                    if (axis.AutomaticMaximum()) m.Top = std::max(m.Top, low);
                }
            }
        }
        const int minOffset = axis.MinimumOffset(), maxOffset = axis.MaximumOffset();
        const bool offset = minOffset != 0 || maxOffset != 0;
        if (offset) {
            if (axis.Horizontal()) {
                (axis.Inverted() ? m.Right : m.Left) += minOffset;
                (axis.Inverted() ? m.Left : m.Right) += maxOffset;
            } else {
                (axis.Inverted() ? m.Top : m.Bottom) += minOffset;
                (axis.Inverted() ? m.Bottom : m.Top) += maxOffset;
            }
        }
        if (const int extra = AxisExtraSpaceHook ? AxisExtraSpaceHook(axis) : 0; extra > 0) {
            if (axis.Horizontal())
                (axis.Inverted() ? m.Left : m.Right) += extra;
            else
                (axis.Inverted() ? m.Bottom : m.Top) += extra;
        }
        if (m.Any()) Widen(axis, m);
        axis.RoundRangeToIncrement();
        if (offset && axis.Labels()) axis.PlaceTitleBeyondLabels();
    }
    for (int i = 0; i < Axes().Count(); ++i) {
        TChartAxis& axis = *Axes().Items(i);
        if (!isAutomatic(axis)) continue;
        TRect overhang{0, 0, 0, 0};
        for (TChartSeries* series : SeriesList())
            if (series->Active()) series->MeasureAxisOverhang(axis, overhang);
        const TMargins m{overhang.Left, overhang.Top, overhang.Right, overhang.Bottom};
        if (m.Any()) Widen(axis, m);
    }
}
