#include "chart/series/HorizBarSeries.h"

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

TV_PUBLISHED_AS(THorizBarSeries, TChartElementClass)
{
    Prop("CustomBarHeight", &THorizBarSeries::CustomBarHeight, &THorizBarSeries::SetCustomBarHeight, 0);
}

THorizBarSeries::THorizBarSeries(TComponent* owner) : TCustomBarSeries(owner)
{
    MakeHorizontal();
    XValues()->SetOrder(loNone);
    YValues()->SetOrder(loAscending);
    Gradient()->InitDirection(gdLeftRight);
    XValues()->SetName("Bar");
}

bool THorizBarSeries::RotatedHalfway() const
{
    const TCustomAxisPanel* chart = ParentChart();
    if (!chart) return false;
    const int rotation = chart->View3DOptions()->Rotation();
    return rotation > 0 && rotation < 180;
}

// ---- margins and ranges ----

void THorizBarSeries::MeasureVertMargins(int& top, int& bottom) const
{
    TCustomBarSeries::MeasureVertMargins(top, bottom);
    auto& self = const_cast<THorizBarSeries&>(*this);
    self.ComputeBarSize();
    top += BarGroupMargin();
    bottom += BarGroupMargin();
}

void THorizBarSeries::MeasureHorizMargins(int& left, int& right) const
{
    TCustomBarSeries::MeasureHorizMargins(left, right);
    auto& self = const_cast<THorizBarSeries&>(*this);
    int a = MarksOnBar() ? 0 : self.MarksMargin(-1);
    if (BarPen()->Visible()) a = std::max(RoundHalfEven(BarPen()->Width() * 0.5) + 2, a);
    if (a > 0) ++a;
    const bool inverted = GetHorizAxis() && GetHorizAxis()->Inverted();
    if (UseYOrigin() && XValues()->Lowest() < YOrigin()) left += a;
    if (!(UseYOrigin() && XValues()->Highest() <= YOrigin())) (inverted ? left : right) += a;
}

double THorizBarSeries::HighestY()
{
    if (MultiBar() == mbSideAll) return CategoryHighest();
    if (MultiBar() == mbSelfStack) return LowestY();
    return TCustomBarSeries::HighestY();
}

double THorizBarSeries::LowestY()
{
    return MultiBar() == mbSelfStack ? CategoryLowest() : TCustomBarSeries::LowestY();
}

void THorizBarSeries::GetPointXY(int index, int& x, int& y) const
{
    TCustomBarSeries::GetPointXY(index, x, y);
    y += BarSize / 2;
}

// ---- orders ----

bool THorizBarSeries::InvertsLegend() const { return !(GetVertAxis() && GetVertAxis()->Inverted()); }

bool THorizBarSeries::IsSeriesOrderForward() const
{
    const bool forward = TCustomBarSeries::IsSeriesOrderForward();
    if ((MultiBar() == mbSideAll || MultiBar() == mbSelfStack) && RotatedHalfway()) return !forward;
    return forward;
}

bool THorizBarSeries::IsPointOrderForward() const
{
    const bool forward = TCustomBarSeries::IsPointOrderForward();
    return MultiBar() == mbSelfStack && RotatedHalfway() ? !forward : forward;
}

bool THorizBarSeries::IsStackOrderForward(int index) const
{
    switch (MultiBar()) {
    case mbNone: return TCustomBarSeries::IsStackOrderForward(index);
    case mbSide:
    case mbSideAll: return false;
    default: break;
    }
    const bool inverted = GetHorizAxis() && GetHorizAxis()->Inverted();
    // Self-stacked segments compare with 0 whatever YOrigin is.
    const bool f = MultiBar() == mbSelfStack ? !inverted == (ValueOf(index) >= 0) : !inverted;
    return TCustomBarSeries::IsStackOrderForward(index) ? f : !f;
}

// ---- marks ----

int THorizBarSeries::MarkExtent(int index)
{
    if (index == -1) return WidestMarkWidth();
    return Marks().MarkTextWidth(index);
}

void THorizBarSeries::DrawPointMark(int index, const String& text, TSeriesMarkPosition& position)
{
    TSeriesMarks& marks = Marks();
    const int h = BarSize / 2;
    if (!MarksOnBar()) {
        const TMarksCallout& callout = *marks.Callout();
        const int c = callout.Length() + callout.Distance();
        // A bar reaching left of its base has its mark on the left.
        const bool leftwards = position.ArrowFrom.X < BarOriginPixel(index);
        const int shift = leftwards ? -(c + position.Width) : c;
        position.LeftTop.X += shift + position.Width / 2;
        position.LeftTop.Y += h + position.Height / 2;
        position.ArrowTo.X += shift;
        position.ArrowTo.Y += h;
        position.ArrowFrom.Y += h;
        position.ArrowFrom.X += leftwards ? -callout.Distance() : callout.Distance();
    } else {
        position.LeftTop.Y += h + position.Height / 2;
        const TRect bar = ComputeBarRect(index);
        const bool inverted = GetHorizAxis() && GetHorizAxis()->Inverted();
        if (MarksLocation() == mlCenter) {
            position.LeftTop.X = (bar.Left + bar.Right) / 2 - position.Width / 2;
        } else {
            const int inset = MarksOnBarInset(position, true);
            if (MarksLocation() == mlEnd)
                position.LeftTop.X = inverted ? bar.Right + inset : bar.Right - inset - position.Width;
            else
                position.LeftTop.X = inverted ? bar.Left - inset - position.Width : bar.Left + inset;
        }
    }
    DrawBarMark(index, text, position);
}

// ---- geometry ----

TRect THorizBarSeries::ComputeBarRect(int index) const
{
    TRect r;
    if (BarRectHook) {
        BarRectHook(index, r);
        return r;
    }
    r.Top = PointScreenY(index);
    r.Bottom = r.Top + BarSize - 1;
    if (BarWidthPercent() == 100 && CustomBarWidth() == 0 && MultiBar() != mbSelfStack && MultiBar() != mbSide) {
        const int p = BarPen()->Visible() ? BarPen()->Width() : 0;
        if (GetVertAxis() && GetVertAxis()->Inverted())
            r.Bottom = index < Count() - 1 ? PointScreenY(index + 1) : r.Top + BarSize - p;
        else
            r.Bottom = index == 0 ? r.Top + BarSize - p : PointScreenY(index - 1);
    }
    r.Right = PointScreenX(index);
    r.Left = BarOriginPixel(index);
    if (!BarPen()->Visible()) {
        ++r.Bottom;
        if (r.Left < r.Right)
            ++r.Right;
        else
            ++r.Left, --r.Right;
    }
    return r;
}

void THorizBarSeries::PaintBarShape(int index, int first, int second)
{
    PaintBarSteps(index, first, second, [&](TBarStyle style) {
        TCustomAxisPanel& chart = *ParentChart();
        TCanvas3D& canvas = *chart.Canvas3D();
        const bool view3D = chart.View3D();
        const int L = BarBounds.Left, R = BarBounds.Right, T = BarBounds.Top, B = BarBounds.Bottom;
        const int N = (T + B) / 2, H = B - T;
        const int z0 = DepthRange().start, z1 = DepthRange().end, zm = DepthRange().middle;
        const bool valueAtRight = L <= R;
        const auto triangle = [&](int base, int apex) {
            const TPoint points[] = {{base, T}, {apex, N}, {base, B}};
            canvas.Polygon(points);
        };
        const auto arrow = [&](int from, int to) {
            if (view3D)
                canvas.DrawArrowAtZ(true, {from, N}, {to, N}, H, H / 2, z0, z1, 50);
            else
                canvas.DrawArrowAtZDefault(true, {from, N}, {to, N}, H, H / 2, zm);
        };
        switch (style) {
        case bsRectangle:
        case bsRectGradient:
        case bsBevel:
        case bsRoundRectangle: {
            const bool rounded = style == bsRoundRectangle;
            if (view3D)
                canvas.DrawBox(first, second, T, B, z0, z1, Dark3D(), rounded ? RoundSize() : 0);
            else
                PaintBarRect(rounded, valueAtRight);
            break;
        }
        case bsPyramid:
        case bsCone:
            if (!view3D)
                triangle(first, second);
            else if (style == bsPyramid)
                canvas.DrawSquarePyramid(false, first, T, second, B, z0, z1, Dark3D());
            else
                canvas.DrawTaperedCylinder(false, first, T, second, B, z0, z1, Dark3D(), ConePercent());
            break;
        case bsInvPyramid:
        case bsInvCone:
            if (!view3D)
                triangle(second, first);
            else if (style == bsInvPyramid)
                canvas.DrawSquarePyramid(false, second, T, first, B, z0, z1, Dark3D());
            else
                canvas.DrawTaperedCylinder(false, second, T, first, B, z0, z1, Dark3D(), ConePercent());
            break;
        case bsCilinder:
        case bsSlantCube:
            if (view3D) {
                canvas.DrawPlainCylinder(false, L, T, R, B, z0, z1, Dark3D());
            } else {
                PaintBarRect(false, valueAtRight);
                if (style == bsSlantCube) canvas.DrawLine(L, N, R, N);
            }
            break;
        case bsEllipse:
            if (view3D)
                canvas.EllipseAtZ(L, T, R, B, zm);
            else
                canvas.Ellipse(L, T, R, B);
            break;
        case bsArrow: arrow(first, second); break;
        case bsInvArrow: arrow(second, first); break;
        case bsDiamond: canvas.DrawDiamond(first, T, second, B, z0, z1); break;
        case bsCustom: break;
        }
    });
}

void THorizBarSeries::PaintTickLine(int pixel, TBarStyle style)
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
        canvas.LineAtZ(pixel, T, pixel, B, z);
        if (view3D) {
            // Along the top face, or the bottom one when the top faces away.
            const TPoint face[] = {canvas.ProjectXYZ(L, T, z0), canvas.ProjectXYZ(L, T, z1),
                                   canvas.ProjectXYZ(R, T, z1)};
            canvas.LineAlongZ3D(pixel, IsBackFacingTriangle(face) ? B : T, z0, z1);
        }
        break;
    }
    case bsCilinder:
        if (!view3D || canvas.IsOrthogonal()) canvas.Polyline(CylinderTickPoints(pixel));
        break;
    case bsArrow: {
        const int H = B - T;
        canvas.LineAtZ(pixel, T + H / 4, pixel, B - H / 4, zm);
        break;
    }
    default: break;
    }
}

// ---- clicks ----

bool THorizBarSeries::BarContainsPoint(int index, TPoint point)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return false;
    TCanvas3D& canvas = *chart->Canvas3D();
    const bool view3D = chart->View3D();
    const int y0 = PointScreenY(index), y1 = y0 + BarSize;
    if (!view3D && (point.Y < y0 || point.Y > y1)) return false;
    int x1 = PointScreenX(index), x2 = BarOriginPixel(index);
    if (x1 > x2) std::swap(x1, x2);
    const int m = (x1 + x2) / 2, middle = (y0 + y1) / 2;
    const int z0 = DepthRange().start, zm = DepthRange().middle;
    switch (BarStyle()) {
    case bsPyramid:
    case bsCone:
    case bsInvPyramid:
    case bsInvCone: {
        const bool inverted = BarStyle() == bsInvPyramid || BarStyle() == bsInvCone;
        const int apex = inverted ? x1 : x2, base = inverted ? x2 : x1;
        if (!view3D) return IsInsideTriangleHorizontal(point, y0, y1, base, apex);
        const TPoint p[] = {canvas.ProjectXYZ(base, y0, z0), canvas.ProjectXYZ(apex, middle, zm),
                            canvas.ProjectXYZ(base, y1, z0)};
        return IsInsidePolygon(point, p);
    }
    case bsArrow:
    case bsInvArrow: {
        const bool right = BarStyle() == bsArrow;
        const std::vector<TPoint> outline = TZebCanvas::CalcArrowPoints(
            {right ? x1 : x2, middle}, {right ? x2 : x1, middle}, BarSize / 2, BarSize, 50);
        return PointInPolygonAt(point, outline, zm);
    }
    case bsDiamond: return PointInPolygonAt(point, {{m, y0}, {x2, middle}, {m, y1}, {x1, middle}}, z0);
    default: return PointInBarBox(point, {x1, y0, x2, y1});
    }
}
