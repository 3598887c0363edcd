// Which bars a frame visits and in which order, clicks on bars, the gallery's sub-styles and
// sample data of bar series.
#include <algorithm>
#include <utility>
#include <vector>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartPage.h"
#include "chart/core/HitTests.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZebConst.h"
#include "chart/series/CustomBarSeries.h"

// ---- visible range ----

void TCustomBarSeries::FindVisibleRange()
{
    const TCustomAxisPanel* chart = ParentChart();
    const int count = Count();
    if (multiBar_ == mbSelfStack) {
        SetVisibleRange(count > 0 ? 0 : -1, count - 1);
        return;
    }
    const int perPage = chart ? chart->GetMaxPointsPerPage() : 0;
    if (perPage == 1) {
        const int page = chart->CurrentPage() - 1;
        const int index = page >= 0 && page < count ? page : -1;
        SetVisibleRange(index, index);
        return;
    }
    TChartSeries::FindVisibleRange();
    int first = FirstVisibleIndex(), last = LastVisibleIndex();
    if (perPage != 0 || first == -1 || !chart) return;
    if (BarSize == 0) ComputeBarSize();
    // Bars that reach into the plot from outside, and their companions at the same category.
    while (last + 1 < count && IsPointInPlot(last + 1)) ++last;
    while (last + 1 < count && CategoryOf(last + 1) == CategoryOf(last)) ++last;
    while (first > 0 && IsPointInPlot(first - 1)) --first;
    while (first > 0 && CategoryOf(first - 1) == CategoryOf(first)) --first;
    SetVisibleRange(first, last);
}

bool TCustomBarSeries::IsPointInPlot(int index) const
{
    if (!ParentChart()) return false;
    TRect common;
    return IntersectRect(common, ComputeBarRect(index), ParentChart()->ChartRect());
}

// ---- drawing orders ----

void TCustomBarSeries::GetPointDrawOrder(int first, int last, std::vector<int>& order, bool singleSeries)
{
    order.clear();
    if (multiBar_ != mbSelfStack || first < 0) return;
    const TCustomAxisPanel* chart = ParentChart();
    // The series whose points are gathered: this one, or every active one of the Z slot.
    std::vector<const TChartSeries*> sources{this};
    if (!singleSeries && chart) {
        sources.clear();
        for (const TChartSeries* series : chart->SeriesList())
            if (series->Active() && series->GetZSlot() == GetZSlot()) sources.push_back(series);
    }
    std::vector<int> above, below;
    for (int i = first; i <= last; ++i) {
        const auto owner = std::find_if(sources.begin(), sources.end(), [i](auto* s) { return s->Count() > i; });
        if (owner == sources.end()) continue;
        const double value = (*owner)->GetMainValue(i);
        (value >= yOrigin_ ? above : below).push_back(i);
    }
    const TChartAxis* axis = CategoryAxis();
    if (axis && axis->Inverted()) {
        order.assign(above.rbegin(), above.rend());
        order.insert(order.end(), below.begin(), below.end());
    } else {
        order.assign(below.rbegin(), below.rend());
        order.insert(order.end(), above.begin(), above.end());
    }
}

void TCustomBarSeries::GetStackDrawOrder(int position, int count, std::vector<int>& order, int index)
{
    if (multiBar_ != mbStacked && multiBar_ != mbStacked100) {
        TChartSeries::GetStackDrawOrder(position, count, order, index);
        return;
    }
    order.clear();
    const TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    const auto barAt = [chart](int at) { return dynamic_cast<const TCustomBarSeries*>(chart->GetSeriesAt(at)); };
    for (int at = position; at < count; ++at) {
        const TChartSeries& series = *chart->GetSeriesAt(at);
        if (!series.Active() || series.Count() <= index) continue;
        const TCustomBarSeries* bar = barAt(at);
        if (!bar) {
            order.push_back(at);
            continue;
        }
        const auto sameGroup = [&](int other) { return barAt(other) && barAt(other)->stackGroup_ == bar->stackGroup_; };
        if (series.GetMainValue(index) >= yOrigin_) {
            // After the last listed bar of its group: on top of the positive stack.
            const auto last = std::find_if(order.rbegin(), order.rend(), sameGroup);
            order.insert(last == order.rend() ? order.end() : last.base(), at);
        } else {
            // Before the first of its group: the negative stack grows downwards.
            order.insert(std::find_if(order.begin(), order.end(), sameGroup), at);
        }
    }
}

bool TCustomBarSeries::IsPointOrderForward() const
{
    if (multiBar_ == mbSelfStack) {
        const TChartAxis* axis = ValueAxisOfBars();
        return !(axis && axis->Inverted());
    }
    return TChartSeries::IsPointOrderForward();
}

bool TCustomBarSeries::IsSeriesOrderForward() const
{
    bool forward = TChartSeries::IsSeriesOrderForward();
    if (multiBar_ != mbSideAll && multiBar_ != mbSelfStack) return forward;
    const TCustomAxisPanel* chart = ParentChart();
    if (!chart) return forward;
    if (const TChartAxis* axis = CategoryAxis(); axis && axis->Inverted()) forward = !forward;
    if (chart->DepthAxis() && chart->DepthAxis()->Inverted()) forward = !forward;
    const int rotation = chart->View3DOptions()->Rotation();
    if ((rotation > 0 && rotation < 90) || (rotation > 180 && rotation < 270)) forward = !forward;
    return forward;
}

// ---- clicks ----

int TCustomBarSeries::HitTest(int x, int y)
{
    const int first = FirstVisibleIndex();
    if (first == -1) return -1;
    const int last = std::min(LastVisibleIndex(), Count() - 1);
    for (int i = first; i <= last; ++i)
        if (BarContainsPoint(i, {x, y})) return i;
    return -1;
}

bool TCustomBarSeries::BarContainsPoint(int index, TPoint point)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return false;
    TCanvas3D& canvas = *chart->Canvas3D();
    const bool view3D = chart->View3D(), vertical = YMandatory();
    // Across the bar: its category slot; along it: from the value end to the base, in order.
    const int across0 = vertical ? PointScreenX(index) : PointScreenY(index), across1 = across0 + BarSize;
    const int acrossAt = vertical ? point.X : point.Y;
    if (!view3D && (acrossAt < across0 || acrossAt > across1)) return false;
    int along0 = vertical ? PointScreenY(index) : PointScreenX(index), along1 = BarOriginPixel(index);
    if (along0 > along1) std::swap(along0, along1);
    const int acrossMiddle = (across0 + across1) / 2;
    // The end towards higher values is up for vertical bars, right for horizontal ones.
    const int high = vertical ? along0 : along1, low = vertical ? along1 : along0;
    const TRect box = vertical ? TRect{across0, along0, across1, along1} : TRect{along0, across0, along1, across1};
    const int z0 = DepthRange().start, zm = DepthRange().middle;
    switch (BarStyle()) {
    case bsPyramid:
    case bsCone:
    case bsInvPyramid:
    case bsInvCone: {
        const bool inverted = BarStyle() == bsInvPyramid || BarStyle() == bsInvCone;
        const int apex = inverted ? low : high, base = inverted ? high : low;
        if (!view3D)
            return vertical ? IsInsideTriangleVertical(point, across0, across1, base, apex)
                            : IsInsideTriangleHorizontal(point, across0, across1, base, apex);
        const auto projected = [&](int across, int along, int z) {
            const TPoint p = BarPoint(across, along);
            return canvas.ProjectXYZ(p.X, p.Y, z);
        };
        const TPoint p[] = {projected(across0, base, z0), projected(acrossMiddle, apex, zm),
                            projected(across1, base, z0)};
        return IsInsidePolygon(point, p);
    }
    case bsArrow:
    case bsInvArrow: {
        const bool forward = BarStyle() == bsArrow;
        const std::vector<TPoint> outline =
            TZebCanvas::CalcArrowPoints(BarPoint(acrossMiddle, forward ? low : high),
                                        BarPoint(acrossMiddle, forward ? high : low), BarSize / 2, BarSize, 50);
        return PointInPolygonAt(point, outline, zm);
    }
    case bsDiamond: {
        const int cx = (box.Left + box.Right) / 2, cy = (box.Top + box.Bottom) / 2;
        return PointInPolygonAt(point, {{cx, box.Top}, {box.Right, cy}, {cx, box.Bottom}, {box.Left, cy}}, z0);
    }
    default: return PointInBarBox(point, box);
    }
}

bool TCustomBarSeries::PointInPolygonAt(TPoint point, std::vector<TPoint> polygon, int z)
{
    TCustomAxisPanel* chart = ParentChart();
    if (chart && chart->View3D()) polygon = chart->Canvas3D()->ProjectPointsAtZ(polygon, z);
    return IsInsidePolygon(point, polygon);
}

bool TCustomBarSeries::PointInBarBox(TPoint point, const TRect& box)
{
    TCustomAxisPanel* chart = ParentChart();
    if (chart && chart->View3D()) {
        std::vector<TPoint> outline;
        return chart->Canvas3D()->BoxOutline(box, DepthRange().start, DepthRange().end, outline) &&
               IsInsidePolygon(point, outline);
    }
    if (barStyle_ == bsEllipse) return IsInsideEllipse(point, box);
    return YMandatory() ? point.Y >= box.Top && point.Y <= box.Bottom : point.X >= box.Left && point.X <= box.Right;
}

// ---- gallery and samples ----

void TCustomBarSeries::ListGalleryStyles(const std::function<void(const String&)>& add) const
{
    TChartSeries::ListGalleryStyles(add);
    for (const String* text : {&TxtColors, &TxtPyramid, &TxtEllipse, &TxtInvPyramid}) add(*text);
    if (OffersStackStyles())
        for (const String* text : {&TxtStack, &TxtStack100, &TxtSelfStacked}) add(*text);
    add(TxtSides);
    add(TxtSideAll);
}

void TCustomBarSeries::ApplyGalleryStyle(int index)
{
    switch (index) {
    case 0: return;
    case 1: SetColorEachPoint(true); return;
    case 2: SetBarStyle(bsPyramid); return;
    case 3: SetBarStyle(bsEllipse); return;
    case 4: SetBarStyle(bsInvPyramid); return;
    default: break;
    }
    TCustomAxisPanel* chart = ParentChart();
    if (chart && chart->NumSeries() == 1 && chart->GetSeriesAt(0) == this) {
        // Stacks and sides need company: a second series like this one.
        const auto sample = [](TCustomBarSeries& series) {
            series.FillWithSamples(2);
            series.SetColorEachPoint(false);
            series.Marks().SetVisible(false);
        };
        sample(*this);
        auto& other = static_cast<TCustomBarSeries&>(*chart->NewSeries(ClassType()));
        sample(other);
        other.SetTitle(String());
        other.Gradient()->SetVisible(true);
        other.SetBarWidthPercent(barWidthPercent_);
        other.ApplyGalleryStyle(index);
    }
    const int mode = OffersStackStyles() ? index : index + 3;
    switch (mode) {
    case 5: SetMultiBar(mbStacked); break;
    case 6: SetMultiBar(mbStacked100); break;
    case 7: SetMultiBar(mbSelfStack); break;
    case 8: SetMultiBar(mbSide); break;
    case 9: SetMultiBar(mbSideAll); break;
    default: TChartSeries::ApplyGalleryStyle(index);
    }
}

void TCustomBarSeries::SetupGalleryPreview()
{
    TChartSeries::SetupGalleryPreview();
    SetBarWidthPercent(85);
    SetBarStyle(bsRectGradient);
    Gradient()->SetVisible(true);
    SetMultiBar(mbNone);
    SetDarkPen(130);
}

int TCustomBarSeries::DefaultSampleCount() const
{
    const TCustomAxisPanel* chart = ParentChart();
    if (chart && chart->NumSeries() > 1)
        for (const TChartSeries* series : chart->SeriesList())
            if (series != this && dynamic_cast<const TCustomBarSeries*>(series) && series->Count() > 0)
                return series->Count();
    return 6;
}

void TCustomBarSeries::AddRandomPoints(int count, bool valuesOnly)
{
    // Beside a series with X values of its own the samples need theirs too.
    bool ownX = false;
    if (const TCustomAxisPanel* chart = ParentChart())
        for (const TChartSeries* series : chart->SeriesList()) {
            if (series == this || !IsSameKind(series)) continue;
            const TChartValueList& x = *series->OrderValueList();
            for (int i = 0; i < x.Count() && !ownX; ++i) ownX = x.ValueAt(i) != i;
        }
    TChartSeries::AddRandomPoints(count, ownX ? valuesOnly : true);
}
