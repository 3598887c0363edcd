#include "chart/series_ext/shapes/PyramidSeries.h"

#include <optional>

#include "chart/canvas/Canvas3D.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/MarkPositions.h"
#include "platform/classes/Published.h"

namespace {

class TPyramidSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TPyramidSeriesEditor"; }
};

}  // namespace

TV_PUBLISHED_AS(TPyramidSeries, TPyramidSeriesClass)
{
    Prop("ColorEachPoint", &TPyramidSeries::ColorEachPoint, &TPyramidSeries::SetColorEachPoint, true);
    Prop("SizePercent", &TPyramidSeries::SizePercent, &TPyramidSeries::SetSizePercent, 50);
}

TPyramidSeries::TPyramidSeries(TComponent* owner) : TChartSeries(owner)
{
    SetScanVisibleRange(false);
    SetColorEachPoint(true);
}

void TPyramidSeries::Assign(TPersistent* source)
{
    if (auto* s = dynamic_cast<TPyramidSeries*>(source)) sizePercent_ = s->sizePercent_;
    TChartSeries::Assign(source);
}

double TPyramidSeries::SumThrough(int n) const
{
    double sum = 0;
    for (int i = 0; i <= n && i < Count(); ++i) sum += YValues()->ValueAt(i);
    return sum;
}

TPyramidSeries::TSlice TPyramidSeries::SliceGeometry(int i) const
{
    TSlice slice;
    const float total = static_cast<float>(YValues()->Sum());
    const float below = static_cast<float>(SumThrough(i - 1));
    const float through = below + static_cast<float>(YValues()->ValueAt(i));
    const TChartAxis* horiz = GetHorizAxis();
    const float unit = (horiz ? static_cast<float>(horiz->PixelSpan(1.0)) : 0.f) * sizePercent_ * 0.005f;
    const float remainingBase = total != 0 ? 100 - below * 100 / total : 100;
    const float baseHalfWidth = remainingBase * unit * 0.01f;
    const float centre = static_cast<float>(ValueScreenX(IndexInChart()));
    const float depth = static_cast<float>(DepthRange().end - DepthRange().start);
    slice.rect.Left = centre - baseHalfWidth;
    slice.rect.Right = slice.rect.Left + 2 * baseHalfWidth;
    slice.zInset = 100 - remainingBase > 0 ? (100 - remainingBase) * depth * 0.005f : 0;
    slice.rect.Bottom = static_cast<float>(ValueScreenY(below));
    slice.rect.Top = static_cast<float>(ValueScreenY(through));
    const float remainingTop = total != 0 ? 100 - through * 100 / total : 0;
    slice.topHalfDepth = remainingTop < 100 ? remainingTop * depth * 0.005f : 0;
    slice.topHalfWidth = unit * remainingTop * 0.01f;
    return slice;
}

void TPyramidSeries::DrawVisiblePoints()
{
    TCustomAxisPanel* chart = ParentChart();
    std::optional<TBlendSection> blend;
    if (chart && Transparency() > 0 && chart->Canvas3D()->SupportsAlpha())
        blend.emplace(*chart->Canvas3D(), TRect{}, Transparency());
    TChartSeries::DrawVisiblePoints();
}

void TPyramidSeries::DrawPoint(int i)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || IsNullPoint(i)) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    chart->AssignCanvasBrush(*Brush(), GetPointColor(i), Brush()->Color());
    if (!ApplyHoverPen(i)) canvas.UsePen(*Pen());
    const TSlice slice = SliceGeometry(i);
    const bool view3D = chart->View3D();
    const bool topFace = view3D && i < Count() - 1 && IsNullPoint(i + 1);
    const bool bottomFace = view3D && (Transparency() > 0 || i == 0 || IsNullPoint(i - 1));
    canvas.DrawSquareFrustum(slice.rect, topFace, DepthRange().start + slice.zInset, DepthRange().end - slice.zInset,
                             slice.topHalfWidth, slice.topHalfDepth, bottomFace);
}

void TPyramidSeries::DrawPointMark(int index, const String& text, TSeriesMarkPosition& position)
{
    position.LeftTop.Y = ValueScreenY(SumThrough(index));
    TChartSeries::DrawPointMark(index, text, position);
}

int TPyramidSeries::HitTest(int x, int y)
{
    for (int i = 0; i < Count(); ++i)
        if (!IsNullPoint(i) && FloatRectContainsXY(SliceGeometry(i).rect, static_cast<float>(x), static_cast<float>(y)))
            return i;
    return -1;
}

void TPyramidSeries::FillLegendSymbol(int, const TRect& rect)
{
    if (TCustomAxisPanel* chart = ParentChart()) {
        const TPoint points[] = {{rect.Left, rect.Bottom}, {(rect.Left + rect.Right) / 2, rect.Top}, {rect.Right, rect.Bottom}};
        chart->Canvas3D()->Polygon(points);
    }
}

int TPyramidSeries::PointScreenX(int) const { return ValueScreenX(IndexInChart()); }

double TPyramidSeries::HighestY() { return YValues()->AbsSum(); }

bool TPyramidSeries::vertInverted() const { return GetVertAxis() && GetVertAxis()->Inverted(); }

bool TPyramidSeries::InvertsLegend() const { return !vertInverted(); }

bool TPyramidSeries::IsSeriesOrderForward() const { return vertInverted(); }

bool TPyramidSeries::IsPointOrderForward() const { return !vertInverted(); }

void TPyramidSeries::ReserveZSlot() { SetZSlot(-1); }
