#include "chart/series/BarSeries.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/Callout.h"
#include "chart/core/HitTests.h"
#include "chart/core/SeriesMarks.h"
#include "platform/classes/Published.h"

TV_PUBLISHED_AS(TBarSeries, TChartElementClass)
{
    Prop("CustomBarWidth", &TBarSeries::CustomBarWidth, &TBarSeries::SetCustomBarWidth, 0);
}

TBarSeries::TBarSeries(TComponent* owner) : TCustomBarSeries(owner)
{
    Gradient()->InitDirection(gdTopBottom);
    YValues()->SetName("Bar");
}

// ---- margins and ranges ----

void TBarSeries::MeasureHorizMargins(int& left, int& right) const
{
    TCustomBarSeries::MeasureHorizMargins(left, right);
    auto& self = const_cast<TBarSeries&>(*this);
    self.ComputeBarSize();
    left += BarGroupMargin();
    right += BarGroupMargin();
}

void TBarSeries::MeasureVertMargins(int& top, int& bottom) const
{
    TCustomBarSeries::MeasureVertMargins(top, bottom);
    auto& self = const_cast<TBarSeries&>(*this);
    int a = MarksOnBar() ? 0 : self.MarksMargin(0);
    if (BarPen()->Visible()) a = std::max(RoundHalfEven(BarPen()->Width() * 0.5) + 2, a);
    if (a <= 0) return;
    const bool inverted = GetVertAxis() && GetVertAxis()->Inverted();
    if (UseYOrigin() && YValues()->Lowest() < YOrigin()) (inverted ? top : bottom) += a + 1;
    if (!(UseYOrigin() && YValues()->Highest() <= YOrigin())) (inverted ? bottom : top) += a + 1;
}

double TBarSeries::HighestX()
{
    return OwnsCategoryRange() ? CategoryHighest() : TCustomBarSeries::HighestX();
}

double TBarSeries::LowestX() { return MultiBar() == mbSelfStack ? CategoryLowest() : TCustomBarSeries::LowestX(); }

void TBarSeries::GetPointXY(int index, int& x, int& y) const
{
    TCustomBarSeries::GetPointXY(index, x, y);
    x += BarSize / 2;
}

bool TBarSeries::IsStackOrderForward(int index) const
{
    switch (MultiBar()) {
    case mbNone:
    case mbSide:
    case mbSideAll: return TCustomBarSeries::IsStackOrderForward(index);
    case mbSelfStack: {
        const bool above = ValueOf(index) >= YOrigin();
        return GetVertAxis() && GetVertAxis()->Inverted() ? !above : above;
    }
    default: return !(GetVertAxis() && GetVertAxis()->Inverted());
    }
}

// ---- marks ----

int TBarSeries::MarkExtent(int index)
{
    (void)index;
    return ParentChart() ? ParentChart()->Canvas3D()->StandardTextHeight() : 0;
}

void TBarSeries::DrawPointMark(int index, const String& text, TSeriesMarkPosition& position)
{
    TSeriesMarks& marks = Marks();
    const int h = BarSize / 2;
    if (!MarksOnBar()) {
        const TMarksCallout& callout = *marks.Callout();
        const int c = callout.Length() + callout.Distance();
        // A bar hanging down from its base has its mark below.
        const bool below = BarOriginPixel(index) < position.ArrowFrom.Y;
        const int dy = below ? c + position.Height : -c;
        position.LeftTop.Y += dy;
        position.ArrowTo.Y += dy;
        position.ArrowFrom.Y += below ? callout.Distance() : -callout.Distance();
        position.LeftTop.X += h;
        position.ArrowFrom.X += h;
        position.ArrowTo.X += h;
    } else {
        position.LeftTop.X += h;
        const TRect bar = ComputeBarRect(index);
        const bool inverted = GetVertAxis() && GetVertAxis()->Inverted();
        if (MarksLocation() == mlCenter) {
            const int angle = marks.Angle();
            const int half = angle == 90 || angle == 270 ? position.Width / 2 : position.Height / 2;
            position.LeftTop.Y = (bar.Top + bar.Bottom) / 2 - half;
        } else {
            const int inset = MarksOnBarInset(position, false);
            if (MarksLocation() == mlEnd)
                position.LeftTop.Y = inverted ? bar.Top - inset - position.Height : bar.Top + inset;
            else
                position.LeftTop.Y = inverted ? bar.Bottom + inset : bar.Bottom - inset - position.Height;
        }
    }
    DrawBarMark(index, text, position);
}

// ---- geometry ----

TRect TBarSeries::ComputeBarRect(int index) const
{
    TRect r;
    if (BarRectHook) {
        BarRectHook(index, r);
        return r;
    }
    r.Left = PointScreenX(index);
    if (BarWidthPercent() == 100 && CustomBarWidth() == 0 && MultiBar() != mbSelfStack && MultiBar() != mbSide) {
        // The bar reaches its neighbour.
        const int p = BarPen()->Visible() ? std::max(1, BarPen()->Width()) : 0;
        if (GetHorizAxis() && GetHorizAxis()->Inverted())
            r.Right = index >= 1 ? PointScreenX(index - 1) : r.Left + BarSize + p;
        else
            r.Right = index < Count() - 1 ? PointScreenX(index + 1) + 1 - p / 2 : r.Left + BarSize + 1 - p / 2;
    } else {
        r.Right = r.Left + BarSize + 1;
    }
    r.Top = PointScreenY(index);
    r.Bottom = BarOriginPixel(index);
    if (!BarPen()->Visible()) {
        ++(r.Top > r.Bottom ? r.Top : r.Bottom);
        ++r.Right;
    }
    return r;
}

void TBarSeries::PaintBarShape(int index, int first, int second)
{
    PaintBarSteps(index, first, second, [&](TBarStyle style) {
        TCustomAxisPanel& chart = *ParentChart();
        TCanvas3D& canvas = *chart.Canvas3D();
        const bool view3D = chart.View3D();
        const int L = BarBounds.Left, R = BarBounds.Right, T = BarBounds.Top, B = BarBounds.Bottom;
        const int M = (L + R) / 2, W = R - L;
        const int z0 = DepthRange().start, z1 = DepthRange().end, zm = DepthRange().middle;
        const bool valueAtTop = T <= B;
        const auto triangle = [&](int apex, int base) {
            const TPoint points[] = {{L, base}, {M, apex}, {R, base}};
            canvas.Polygon(points);
        };
        const auto arrow = [&](int from, int to) {
            if (view3D)
                canvas.DrawArrowAtZ(true, {M, from}, {M, to}, W, W / 2, z0, z1, 50);
            else
                canvas.DrawArrowAtZDefault(true, {M, from}, {M, to}, W, W / 2, zm);
        };
        switch (style) {
        case bsRectangle:
        case bsRectGradient:
        case bsBevel:
        case bsRoundRectangle: {
            const bool rounded = style == bsRoundRectangle;
            if (view3D)
                canvas.DrawBox(L, R, first, second, z0, z1, Dark3D(), rounded ? RoundSize() : 0);
            else
                PaintBarRect(rounded, valueAtTop);
            break;
        }
        case bsPyramid:
        case bsCone:
            if (!view3D)
                triangle(first, second);
            else if (style == bsPyramid)
                canvas.DrawSquarePyramid(true, L, first, R, second, z0, z1, Dark3D());
            else
                canvas.DrawTaperedCylinder(true, L, first, R, second, z0, z1, Dark3D(), ConePercent());
            break;
        case bsInvPyramid:
        case bsInvCone:
            if (!view3D)
                triangle(second, first);
            else if (style == bsInvPyramid)
                canvas.DrawSquarePyramid(true, L, second, R, first, z0, z1, Dark3D());
            else
                canvas.DrawTaperedCylinder(true, L, second, R, first, z0, z1, Dark3D(), ConePercent());
            break;
        case bsCilinder:
        case bsSlantCube:
            if (view3D) {
                canvas.DrawPlainCylinder(true, L, T, R, B, z0, z1, Dark3D());
            } else {
                PaintBarRect(false, valueAtTop);
                if (style == bsSlantCube) canvas.DrawLine(M, T, M, B);
            }
            break;
        case bsEllipse:
            if (view3D)
                canvas.EllipseAtZ(L, T, R, B, zm);
            else
                canvas.Ellipse(L, T, R, B);
            break;
        case bsArrow: arrow(second, first); break;
        case bsInvArrow: arrow(first, second); break;
        case bsDiamond: canvas.DrawDiamond(L, first, R, second, z0, z1); break;
        case bsCustom: break;
        }
    });
}

void TBarSeries::PaintTickLine(int pixel, TBarStyle style)
{
    TCustomAxisPanel& chart = *ParentChart();
    TCanvas3D& canvas = *chart.Canvas3D();
    const bool view3D = chart.View3D();
    const int L = BarBounds.Left, R = BarBounds.Right, T = BarBounds.Top, B = BarBounds.Bottom;
    const int z0 = DepthRange().start, z1 = DepthRange().end, zm = DepthRange().middle;
    switch (style) {
    case bsRectangle:
    case bsRectGradient:
    case bsBevel:
    case bsRoundRectangle: {
        const int z = view3D && chart.View3DOptions()->IsRotatedToBack() ? z1 : z0;
        canvas.LineAtZ(L, pixel, R, pixel, z);
        if (view3D) {
            // Along the side that faces the viewer.
            const TPoint face[] = {canvas.ProjectXYZ(R, T, z0), canvas.ProjectXYZ(R, T, z1),
                                   canvas.ProjectXYZ(R, B, z1)};
            canvas.LineAlongZ3D(IsBackFacingTriangle(face) ? L : R, pixel, z0, z1);
        }
        break;
    }
    case bsCilinder:
        if (!view3D || canvas.IsOrthogonal()) canvas.Polyline(CylinderTickPoints(pixel));
        break;
    case bsArrow: {
        const int W = R - L;
        canvas.LineAtZ(L + W / 4, pixel, R - W / 4, pixel, zm);
        break;
    }
    default: break;
    }
}

// ---- clicks ----

bool TBarSeries::BarContainsPoint(int index, TPoint point)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return false;
    TCanvas3D& canvas = *chart->Canvas3D();
    const bool view3D = chart->View3D();
    const int x0 = PointScreenX(index), x1 = x0 + BarSize;
    if (!view3D && (point.X < x0 || point.X > x1)) return false;
    int y1 = PointScreenY(index), y2 = BarOriginPixel(index);
    if (y1 > y2) std::swap(y1, y2);
    const int m = (x0 + x1) / 2, middle = (y1 + y2) / 2;
    const int z0 = DepthRange().start, zm = DepthRange().middle;
    switch (BarStyle()) {
    case bsPyramid:
    case bsCone:
    case bsInvPyramid:
    case bsInvCone: {
        const bool inverted = BarStyle() == bsInvPyramid || BarStyle() == bsInvCone;
        const int apex = inverted ? y2 : y1, base = inverted ? y1 : y2;
        if (!view3D) return IsInsideTriangleVertical(point, x0, x1, base, apex);
        const TPoint p[] = {canvas.ProjectXYZ(x0, base, z0), canvas.ProjectXYZ(m, apex, zm),
                            canvas.ProjectXYZ(x1, base, z0)};
        return IsInsidePolygon(point, p);
    }
    case bsArrow:
    case bsInvArrow: {
        const bool up = BarStyle() == bsArrow;
        const std::vector<TPoint> outline =
            TZebCanvas::CalcArrowPoints({m, up ? y2 : y1}, {m, up ? y1 : y2}, BarSize / 2, BarSize, 50);
        return PointInPolygonAt(point, outline, zm);
    }
    case bsDiamond: return PointInPolygonAt(point, {{m, y1}, {x1, middle}, {m, y2}, {x0, middle}}, z0);
    default: return PointInBarBox(point, {x0, y1, x1, y2});
    }
}
