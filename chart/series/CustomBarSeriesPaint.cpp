// Drawing one bar, the sequence both orientations share: its shadow and emboss, pen and brush,
// the relative gradient, transparency, the plain and rounded 2-D rectangle, the shapes of every
// style, the bevel and the tick lines.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <functional>
#include <optional>
#include <utility>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ColorMath.h"
#include "chart/canvas/Corners.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/DrawGuards.h"
#include "chart/series/CustomBarSeries.h"

namespace {

constexpr int DarkSideAmountStrong = 128;
constexpr int DarkSideAmountLight = 64;

TRect Normalized(const TRect& r)
{
    return {std::min(r.Left, r.Right), std::min(r.Top, r.Bottom), std::max(r.Left, r.Right),
            std::max(r.Top, r.Bottom)};
}

// Start + round((end - start) * ratio) per channel.
TColor BlendTowards(TColor start, TColor end, double ratio)
{
    const auto s = static_cast<std::uint32_t>(ColorToRGB(start)), e = static_cast<std::uint32_t>(ColorToRGB(end));
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = static_cast<int>((s >> shift) & 0xFF), b = static_cast<int>((e >> shift) & 0xFF);
        out |= static_cast<std::uint32_t>(std::clamp(a + RoundHalfEven((b - a) * ratio), 0, 255)) << shift;
    }
    return static_cast<TColor>(out);
}

// A value kept for a scope and put back after.
template <class T>
class TKept {
public:
    explicit TKept(T& field) : field_(field), saved_(field) {}
    ~TKept() { field_ = saved_; }
    TKept(const TKept&) = delete;
    TKept& operator=(const TKept&) = delete;

private:
    T& field_;
    T saved_;
};

}  // namespace

void TCustomBarSeries::DrawPoint(int index)
{
    BarColor = GetPointColor(index);
    if (BarColor == clNullPoint || !ParentChart()) return;
    BarBounds = ComputeBarRect(index);
    const bool stacks = multiBar_ == mbStacked || multiBar_ == mbStacked100 || multiBar_ == mbSelfStack;
    if (stacks && ValueOf(index) == 0) return;
    // Colours the effects borrow come back after: no repaint meanwhile.
    const TAutoRepaintOff quiet(ParentChart());
    PaintBarEffect(index, *shadow_);
    PaintBarEffect(index, *emboss_);
    PaintBar(index);
}

void TCustomBarSeries::PaintBarEffect(int index, TZebShadow& effect)
{
    if (!effect.Visible() || (effect.HorizSize() == 0 && effect.VertSize() == 0)) return;
    TCustomAxisPanel& chart = *ParentChart();
    TCanvas3D& canvas = *chart.Canvas3D();
    TZebPen& pen = *Pen();
    const TColor penColor = pen.Color();
    const TRect saved = BarBounds;
    BarColor = effect.Color();
    pen.SetColor(effect.Color());
    int dx = effect.HorizSize(), dy = effect.VertSize();
    switch (effect.Direction()) {
    case sdLeftTop: dx = -dx, dy = -dy; break;
    case sdLeftBottom: dx = -dx; break;
    case sdRightTop: dy = -dy; break;
    default: break;
    }
    if (YMandatory()) {
        BarBounds.Left += dx, BarBounds.Right += dx;
        if (BarBounds.Top < BarBounds.Bottom)
            BarBounds.Top += dy;
        else
            BarBounds.Bottom -= dy;
    } else {
        BarBounds.Top += dy, BarBounds.Bottom += dy;
        if (BarBounds.Left < BarBounds.Right)
            BarBounds.Left += dx;
        else
            BarBounds.Right -= dx;
    }
    const bool flat = barStyle_ == bsRectangle || barStyle_ == bsRectGradient || barStyle_ == bsBevel ||
                      (barStyle_ == bsRoundRectangle && barRound_ == brBothEnds);
    const int endZ = DepthRange().end;
    if (effect.Smooth() && flat) {
        const TRect rect = Normalized(saved);
        if (!chart.View3D()) {
            effect.DrawRect(canvas, rect, barStyle_ == bsRoundRectangle ? roundSize_ : 0);
        } else if (canvas.IsOrthogonal()) {
            effect.DrawRect(canvas, canvas.IsTrue3D() ? rect : canvas.ProjectedBoundsAtZ(rect, endZ),
                            barStyle_ == bsRoundRectangle ? roundSize_ : 0);
        } else {
            const TFourPoints corners = canvas.ProjectRectCorners(rect, endZ);
            effect.DrawPolygon(canvas, corners);
        }
    } else {
        std::optional<TBlendSection> blend;
        if (effect.Transparency() > 0) blend.emplace(canvas, Normalized(BarBounds), effect.Transparency());
        PaintBarShape(index, YMandatory() ? std::min(BarBounds.Top, BarBounds.Bottom)
                                          : std::min(BarBounds.Left, BarBounds.Right),
                      YMandatory() ? std::max(BarBounds.Top, BarBounds.Bottom)
                                   : std::max(BarBounds.Left, BarBounds.Right));
    }
    BarBounds = saved;
    BarColor = GetPointColor(index);
    pen.SetColor(penColor);
}

void TCustomBarSeries::PaintBar(int index)
{
    TCustomAxisPanel& chart = *ParentChart();
    TCanvas3D& canvas = *chart.Canvas3D();
    std::optional<TBlendSection> blend;
    if (Transparency() > 0) {
        TRect area;
        if (!canvas.SupportsAlpha()) {
            area = Normalized(BarBounds);
            if (chart.View3D()) {
                const TRect front = canvas.ProjectedBoundsAtZ(area, DepthRange().start);
                const TRect back = canvas.ProjectedBoundsAtZ(area, DepthRange().end);
                UnionRect(area, front, back);
                if (Pen()->Visible()) area.Right += Pen()->Width(), area.Bottom += Pen()->Width();
            }
        }
        blend.emplace(canvas, area, Transparency());
    }
    const int a = YMandatory() ? BarBounds.Top : BarBounds.Left;
    const int b = YMandatory() ? BarBounds.Bottom : BarBounds.Right;
    PaintBarShape(index, std::min(a, b), std::max(a, b));
}

bool TCustomBarSeries::ApplyRelativeGradient(int index)
{
    TZebGradient& gradient = *Gradient();
    if (!gradientRelative_) {
        gradient.SetEndColor(BarColor);
        return false;
    }
    TChartValueList& values = *MandatoryValueList();
    const double v = ValueOf(index), high = values.Highest(), low = values.Lowest();
    // Without a spread to divide (all values equal, or the highest at the origin) the bar takes
    // its own colour.
    double ratio = 1;
    if (!useYOrigin_) {
        if (high != low) ratio = 1 - (high - v) / (high - low);
    } else if (v >= yOrigin_) {
        if (high != yOrigin_) ratio = (v - yOrigin_) / (high - yOrigin_);
    } else if (yOrigin_ != low) {
        ratio = (yOrigin_ - v) / (yOrigin_ - low);
    }
    gradient.SetEndColor(BlendTowards(gradient.StartColor(), BarColor, ratio));
    const TChartAxis* axis = ValueAxisOfBars();
    const bool swap = useYOrigin_ && ((v < yOrigin_) != (axis && axis->Inverted()));
    if (swap) {
        const TColor start = gradient.StartColor();
        gradient.SetStartColor(gradient.EndColor());
        gradient.SetEndColor(start);
    }
    return swap;
}

void TCustomBarSeries::PrepareBarBrush(int index)
{
    TCustomAxisPanel& chart = *ParentChart();
    TCanvas3D& canvas = *chart.Canvas3D();
    if (!ApplyHoverPen(index)) {
        if (darkPen_ >= 1)
            canvas.SelectPen(*Pen(), DarkenColor(BarColor, 255 - darkPen_));
        else
            canvas.UsePen(*Pen());
    }
    const TColor back = Brush()->Color() == clDefault ? chart.Color() : Brush()->Color();
    chart.AssignCanvasBrush(*Brush(), BarColor, back);
}

void TCustomBarSeries::PaintBarRect(bool rounded, bool valueAtTop)
{
    TCanvas3D& canvas = *ParentChart()->Canvas3D();
    const TRect r = Normalized(BarBounds);
    if (canvas.Brush()->Style() == bsSolid) {
        const TColor fill = canvas.Brush()->Color();
        const int width = r.Right - r.Left, height = r.Bottom - r.Top;
        TZebPen pen;
        pen.Assign(canvas.Pen());
        pen.SetWidth(Pen()->Width());
        if (width == 0 || height == 0) {
            pen.SetVisible(true);
            if (pen.Style() == psClear) pen.SetStyle(psSolid);
            canvas.SelectPen(pen, fill);
            canvas.DrawLine(r.Left, r.Top, r.Right, r.Bottom);
            return;
        }
        if (Pen()->Visible() && (Pen()->Width() >= width || Pen()->Width() >= height)) {
            // Thinner than its outline: the outline alone, in the fill colour.
            if (pen.Style() == psClear) pen.SetStyle(psSolid);
            canvas.SelectPen(pen, fill);
            TZebBrush clear;
            clear.SetStyle(bsClear);
            canvas.SelectBrush(clear, fill, clNone);
        } else {
            canvas.SelectPen(pen, pen.Color());
        }
    }
    if (!rounded || barRound_ == brNone) {
        canvas.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
    } else if (barRound_ == brBothEnds) {
        canvas.RoundRectCorners(r, roundSize_, roundSize_);
    } else {
        TZebCorners corners;
        // The base end stays square.
        const bool vertical = YMandatory();
        TZebCorner* square[2] = {vertical ? (valueAtTop ? corners.LeftBottom() : corners.LeftTop())
                                          : (valueAtTop ? corners.LeftTop() : corners.RightTop()),
                                 vertical ? (valueAtTop ? corners.RightBottom() : corners.RightTop())
                                          : (valueAtTop ? corners.LeftBottom() : corners.RightBottom())};
        for (TZebCorner* corner : square) corner->SetStyle(cosNone);
        canvas.RoundRectCorners(r, roundSize_, roundSize_, &corners);
    }
}

void TCustomBarSeries::PaintBevel()
{
    TCustomAxisPanel& chart = *ParentChart();
    TCanvas3D& canvas = *chart.Canvas3D();
    const bool view3D = chart.View3D();
    if (view3D && !canvas.IsOrthogonal()) return;
    TRect r = Normalized(BarBounds);
    if (Pen()->Visible()) InflateRect(r, -Pen()->Width(), -Pen()->Width());
    if (view3D) {
        r = canvas.ProjectedBoundsAtZ(r, DepthRange().start);
        ++r.Right, ++r.Bottom;
    }
    canvas.DrawBevelFrame(r, LightenColor(BarColor, DarkSideAmountStrong), DarkenColor(BarColor, DarkSideAmountLight),
                          bevelSize_);
}

std::vector<TPoint> TCustomBarSeries::CylinderTickPoints(int pixel)
{
    TCustomAxisPanel& chart = *ParentChart();
    TCanvas3D& canvas = *chart.Canvas3D();
    const bool vertical = YMandatory();
    const TRect& b = BarBounds;
    // Across the bar: X of vertical bars, Y of horizontal ones.
    const double low = vertical ? b.Left : b.Top, high = vertical ? b.Right : b.Bottom;
    const double half = (high - low) / 2, centre = (low + high) / 2;
    const double halfDepth = (DepthRange().end - DepthRange().start) / 2.0;
    std::vector<TPoint> points;
    for (int i = 0; i < CylinderSideCount; ++i) {
        const double angle = (180 + i * 180.0 / CylinderSideCount) * std::numbers::pi / 180;
        const int across = RoundHalfEven(centre - std::cos(angle) * half);
        const int z = chart.View3D() ? RoundHalfEven(DepthRange().middle + std::sin(angle) * halfDepth) : 0;
        points.push_back(vertical ? canvas.ProjectXYZ(across, pixel, z) : canvas.ProjectXYZ(pixel, across, z));
    }
    return points;
}

void TCustomBarSeries::PaintTickLines(int first, int second, TBarStyle style)
{
    if (!tickLines_ || !tickLines_->Visible()) return;
    const TChartAxis* axis = ValueAxisOfBars();
    if (!axis) return;
    ParentChart()->Canvas3D()->UsePen(*tickLines_);
    for (const int pixel : axis->TickPositions())
        if (pixel > first && pixel < second) PaintTickLine(pixel, style);
}

namespace {
// BarBounds across the bar (Left..Right of a vertical bar, Top..Bottom of a horizontal one) and
// along it from the rectangle's first edge (Top, Left) to its second.
struct TBarExtent {
    int AcrossLow, AcrossHigh, AlongStart, AlongEnd;
    int AcrossMiddle() const { return (AcrossLow + AcrossHigh) / 2; }
    int AcrossSize() const { return AcrossHigh - AcrossLow; }
};

TBarExtent BarExtent(const TRect& b, bool vertical)
{
    return vertical ? TBarExtent{b.Left, b.Right, b.Top, b.Bottom} : TBarExtent{b.Top, b.Bottom, b.Left, b.Right};
}
}  // namespace

void TCustomBarSeries::PaintBarShape(int index, int first, int second)
{
    PaintBarSteps(index, first, second, [&](TBarStyle style) {
        TCustomAxisPanel& chart = *ParentChart();
        TCanvas3D& canvas = *chart.Canvas3D();
        const bool view3D = chart.View3D(), vertical = YMandatory();
        const TBarExtent bar = BarExtent(BarBounds, vertical);
        const int L = BarBounds.Left, R = BarBounds.Right, T = BarBounds.Top, B = BarBounds.Bottom;
        const int z0 = DepthRange().start, z1 = DepthRange().end, zm = DepthRange().middle;
        // The value end towards higher values is up for vertical bars, right for horizontal ones.
        const int high = vertical ? first : second, low = vertical ? second : first;
        const bool valueAtEnd = bar.AlongStart <= bar.AlongEnd;
        const auto triangle = [&](int apex, int base) {
            const TPoint points[] = {BarPoint(bar.AcrossLow, base), BarPoint(bar.AcrossMiddle(), apex),
                                     BarPoint(bar.AcrossHigh, base)};
            canvas.Polygon(points);
        };
        const auto arrow = [&](int from, int to) {
            const TPoint a = BarPoint(bar.AcrossMiddle(), from), b = BarPoint(bar.AcrossMiddle(), to);
            const int size = bar.AcrossSize();
            if (view3D)
                canvas.DrawArrowAtZ(true, a, b, size, size / 2, z0, z1, 50);
            else
                canvas.DrawArrowAtZDefault(true, a, b, size, size / 2, zm);
        };
        // Corners of the bar from the value end start to the value end stop.
        const auto corners = [&](int start, int stop) {
            return std::pair{BarPoint(bar.AcrossLow, start), BarPoint(bar.AcrossHigh, stop)};
        };
        switch (style) {
        case bsRectangle:
        case bsRectGradient:
        case bsBevel:
        case bsRoundRectangle: {
            const bool rounded = style == bsRoundRectangle;
            const auto [p, q] = corners(first, second);
            if (view3D)
                canvas.DrawBox(p.X, q.X, p.Y, q.Y, z0, z1, Dark3D(), rounded ? RoundSize() : 0);
            else
                PaintBarRect(rounded, valueAtEnd);
            break;
        }
        case bsPyramid:
        case bsCone:
        case bsInvPyramid:
        case bsInvCone: {
            const bool inverted = style == bsInvPyramid || style == bsInvCone;
            if (!view3D) {
                triangle(inverted ? low : high, inverted ? high : low);
                break;
            }
            const auto [p, q] = inverted ? corners(second, first) : corners(first, second);
            if (style == bsPyramid || style == bsInvPyramid)
                canvas.DrawSquarePyramid(vertical, p.X, p.Y, q.X, q.Y, z0, z1, Dark3D());
            else
                canvas.DrawTaperedCylinder(vertical, p.X, p.Y, q.X, q.Y, z0, z1, Dark3D(), ConePercent());
            break;
        }
        case bsCilinder:
        case bsSlantCube:
            if (view3D) {
                canvas.DrawPlainCylinder(vertical, L, T, R, B, z0, z1, Dark3D());
            } else {
                PaintBarRect(false, valueAtEnd);
                if (style == bsSlantCube) {
                    const TPoint a = BarPoint(bar.AcrossMiddle(), bar.AlongStart);
                    const TPoint b = BarPoint(bar.AcrossMiddle(), bar.AlongEnd);
                    canvas.DrawLine(a.X, a.Y, b.X, b.Y);
                }
            }
            break;
        case bsEllipse:
            if (view3D)
                canvas.EllipseAtZ(L, T, R, B, zm);
            else
                canvas.Ellipse(L, T, R, B);
            break;
        case bsArrow: arrow(low, high); break;
        case bsInvArrow: arrow(high, low); break;
        case bsDiamond: {
            const auto [p, q] = corners(first, second);
            canvas.DrawDiamond(p.X, p.Y, q.X, q.Y, z0, z1);
            break;
        }
        case bsCustom: break;
        }
    });
}

void TCustomBarSeries::PaintTickLine(int pixel, TBarStyle style)
{
    TCustomAxisPanel& chart = *ParentChart();
    TCanvas3D& canvas = *chart.Canvas3D();
    const bool view3D = chart.View3D(), vertical = YMandatory();
    const TBarExtent bar = BarExtent(BarBounds, vertical);
    const int z0 = DepthRange().start, z1 = DepthRange().end, zm = DepthRange().middle;
    const auto line = [&](int acrossFrom, int acrossTo, int z) {
        const TPoint a = BarPoint(acrossFrom, pixel), b = BarPoint(acrossTo, pixel);
        canvas.LineAtZ(a.X, a.Y, b.X, b.Y, z);
    };
    switch (style) {
    case bsRectangle:
    case bsRectGradient:
    case bsBevel:
    case bsRoundRectangle: {
        line(bar.AcrossLow, bar.AcrossHigh, view3D && chart.View3DOptions()->IsRotatedToBack() ? z1 : z0);
        if (view3D) {
            // Along the face towards the viewer: the right side of a vertical bar, the top of a
            // horizontal one, or the opposite one when that faces away.
            const int side = vertical ? bar.AcrossHigh : bar.AcrossLow;
            const int opposite = vertical ? bar.AcrossLow : bar.AcrossHigh;
            const TPoint start = BarPoint(side, bar.AlongStart), end = BarPoint(side, bar.AlongEnd);
            const TPoint face[] = {canvas.ProjectXYZ(start.X, start.Y, z0), canvas.ProjectXYZ(start.X, start.Y, z1),
                                   canvas.ProjectXYZ(end.X, end.Y, z1)};
            const TPoint at = BarPoint(IsBackFacingTriangle(face) ? opposite : side, pixel);
            canvas.LineAlongZ3D(at.X, at.Y, z0, z1);
        }
        break;
    }
    case bsCilinder:
        if (!view3D || canvas.IsOrthogonal()) canvas.Polyline(CylinderTickPoints(pixel));
        break;
    case bsArrow: {
        const int size = bar.AcrossSize();
        line(bar.AcrossLow + size / 4, bar.AcrossHigh - size / 4, zm);
        break;
    }
    default: break;
    }
}

void TCustomBarSeries::PaintBarSteps(int index, int first, int second, const std::function<void(TBarStyle)>& shape)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || !chart->Canvas3D() || !chart->Canvas3D()->Brush()) return;
    const TBarStyle style = BarStyleOf(index);
    TZebGradient& gradient = *Gradient();
    if (style == bsRectGradient) gradient.SetVisible(true);
    const TColor startColor = gradient.StartColor(), endColor = gradient.EndColor();
    if (gradient.Visible()) ApplyRelativeGradient(index);
    PrepareBarBrush(index);
    if (Pen()->Visible())
        if (const int half = Pen()->Width() / 2; half > 0) InflateRect(BarBounds, -half, -half);
    if (chart->View3D()) {
        TKept<int> sides(CylinderSideCount), points(CirclePointCount);
        CylinderSideCount = ShapeSides(style);
        CirclePointCount = 2 * CylinderSideCount;
        shape(style);
    } else {
        shape(style);
    }
    // The gradient's colours are the stored ones again.
    if (gradient.StartColor() != startColor) gradient.SetStartColor(startColor);
    if (gradient.EndColor() != endColor) gradient.SetEndColor(endColor);
    if (style == bsBevel) PaintBevel();
    PaintTickLines(first, second, style);
}
