// Drawing one bar, the sequence both orientations share: its shadow and emboss, pen and brush,
// the relative gradient, transparency, the plain and rounded 2-D rectangle, the bevel and the
// tick lines.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <functional>
#include <optional>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ColorMath.h"
#include "chart/canvas/Corners.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
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
