// Pie drawing: frame, room for exploded slices, the shadow, slices in 2-D and 3-D with bevels,
// pens and patterns, and the marks around or inside the slices.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ColorMath.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AutomaticText.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/Callout.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/Legend.h"
#include "chart/core/MarksTail.h"
#include "chart/core/SeriesColumns.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/SortByCallbacks.h"
#include "chart/core/ValueList.h"
#include "chart/series/FramedBorder.h"
#include "chart/series/PieSeries.h"
#include "chart/series/SeriesShared.h"
#include "platform/rtl/MathUtils.h"

namespace {

constexpr double Pi = std::numbers::pi;

int RoundInt(double value) { return static_cast<int>(Round(value)); }

double Degrees(double radians) { return radians * 180 / Pi; }

// Lightened for a positive amount, darkened for a negative one.
TColor BrightColor(TColor color, int amount)
{
    if (amount > 0) return LightenColor(color, amount);
    if (amount < 0) return DarkenColor(color, -amount);
    return color;
}

double WrapAngle(double angle)
{
    angle = std::fmod(angle, 2 * Pi);
    return angle < 0 ? angle + 2 * Pi : angle;
}

// How far an angle is from the back of the pie (pi / 2).
double DistanceFromBack(double x)
{
    if (x < Pi / 2) return Pi / 2 - x;
    if (x < 3 * Pi / 2) return x - Pi / 2;
    return Pi - (x - 3 * Pi / 2);
}

}  // namespace

// ---- pens, brushes, patterns ----

TBrushStyle TPieSeries::SlicePattern(int index) const
{
    const TCustomAxisPanel* chart = ParentChart();
    const bool hatch = usePatterns_ || (chart && chart->Monochrome());
    return hatch && index != -1 ? PatternBrushStyle(index) : bsSolid;
}

void TPieSeries::PreparePiePen(int index)
{
    if (ApplyHoverPen(index)) return;
    TCanvas3D& canvas = *ParentChart()->Canvas3D();
    TZebPen& pen = *PiePen();
    if (darkPen_ < 1)
        canvas.SelectPen(pen, pen.Color());
    else
        canvas.SelectPen(pen, DarkenColor(GetPointColor(index), 255 - darkPen_));
    if (canvas.Pen()->Style() != psSolid) canvas.SetBackgroundMode(TRANSPARENT);
}

void TPieSeries::GetLegendSymbolStyle(int index, TColor& backColor, TBrushStyle& style) const
{
    TCircledSeries::GetLegendSymbolStyle(index, backColor, style);
    const_cast<TPieSeries*>(this)->PreparePiePen(index);
    style = SlicePattern(index);
}

void TPieSeries::FillLegendSymbol(int index, const TRect& rect)
{
    TCustomAxisPanel* chart = ParentChart();
    if (chart && CircleGradient()->Visible()) {
        const TColor color = chart->Monochrome() ? clBlack : GetLegendColor(index);
        if (color != clNone) {
            TZebGradient& g = *chart->Canvas3D()->GetBrushGradient();
            g.Assign(CircleGradient());
            g.SetVisible(true);
            g.SetEndColor(color);
            g.SetStartColor(BrightColor(color, gradientBright_));
        }
    }
    TCircledSeries::FillLegendSymbol(index, rect);
}

// ---- all slices ----

std::vector<int> TPieSeries::DepthOrder() const
{
    std::vector<int> order;
    for (int i = FirstVisibleIndex(); i != -1 && i <= LastVisibleIndex(); ++i) order.push_back(i);
    std::vector<double> keys(order.size());
    for (size_t n = 0; n < order.size(); ++n) {
        const TPieAngle& s = SliceAngles[static_cast<size_t>(order[n])];
        double a = s.StartAngle + RotationRad, b = s.EndAngle + RotationRad;
        const double pull = (b - a) * 0.05;
        const double da = DistanceFromBack(WrapAngle(a + pull)), db = DistanceFromBack(WrapAngle(b - pull));
        keys[n] = da <= Pi / 2 || db <= Pi / 2 ? std::min(da, db) : std::max(da, db);
    }
    SortByCallbacks(
        0, static_cast<int>(order.size()) - 1,
        [&](int a, int b) {
            const double ka = keys[static_cast<size_t>(a)], kb = keys[static_cast<size_t>(b)];
            return ka < kb ? -1 : ka > kb ? 1 : 0;
        },
        [&](int a, int b) {
            std::swap(keys[static_cast<size_t>(a)], keys[static_cast<size_t>(b)]);
            std::swap(order[static_cast<size_t>(a)], order[static_cast<size_t>(b)]);
        });
    return order;
}

void TPieSeries::DrawVisiblePoints()
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    ShrinkToFrame();
    if (explodeBiggest_ > 0) ExplodeBiggestSlice();
    if (SliceAngles.empty()) ComputeSliceAngles();
    int most = -1;
    for (int i = FirstVisibleIndex(); i != -1 && i <= LastVisibleIndex(); ++i)
        if (explodeDistances_.GetSliceValue(i) > 0 &&
            (most == -1 || explodeDistances_.GetSliceValue(i) > explodeDistances_.GetSliceValue(most)))
            most = i;
    SideWalls = most != -1 || !sliceDepths_.IsEmpty();
    if (most != -1) {
        const TPoint offset = SliceOffset(most);
        const int dx = std::abs(offset.X) / 2, dy = std::abs(offset.Y) / 2;
        SetCircleBounds({CircleBounds.Left + dx, CircleBounds.Top + dy, CircleBounds.Right - dx,
                         CircleBounds.Bottom - dy});
    }
    if ((Shadow()->Visible() || Emboss()->Visible()) && multiPie_ != mpConcentric) PaintPieShadow();
    TCanvas3D& canvas = *chart->Canvas3D();
    if (!chart->View3D() || canvas.UsesWorldCoordinates()) {
        TCircledSeries::DrawVisiblePoints();
    } else {
        const std::vector<int> order = DepthOrder();
        for (const int index : order) {
            const bool cut = angleSize_ != 360 && (index == FirstVisibleIndex() || index == LastVisibleIndex());
            const bool walls = SideWalls;
            if (cut) SideWalls = true;
            DrawPoint(index);
            SideWalls = walls;
        }
    }
    if (otherSlice_->HasLegend() && otherSlice_->Legend()->Visible()) {
        drawingOtherLegend_ = true;
        otherSlice_->Legend()->RenderLegend();
        drawingOtherLegend_ = false;
    }
}

void TPieSeries::PaintPieShadow()
{
    TCustomAxisPanel& chart = *ParentChart();
    TCanvas3D& canvas = *chart.Canvas3D();
    TRect r = CircleBounds;
    int z;
    if (canvas.UsesWorldCoordinates()) {
        z = DepthRange().end + 10;
    } else {
        z = DepthRange().start - 10;
        if (chart.View3D()) r = canvas.ProjectedBoundsAtZ(r, z);
    }
    std::optional<TBlendSection> blend;
    if (Transparency() > 0) blend.emplace(canvas, TRect{}, Transparency());
    const double rotation = RotationAngle();
    for (TZebShadow* effect : {Shadow(), static_cast<TZebShadow*>(Emboss())}) {
        if (!effect->Visible()) continue;
        if (!SideWalls) {
            effect->DrawEllipse(canvas, r, donutPercent_, rotation, rotation + angleSize_);
            continue;
        }
        const int grow = PiePen()->Visible() ? 2 * PiePen()->Width() : 0;
        for (int i = FirstVisibleIndex(); i != -1 && i <= LastVisibleIndex(); ++i) {
            const TPoint offset = SliceOffset(i);
            const TRect slice{r.Left - grow + offset.X, r.Top - grow - offset.Y, r.Right + grow + offset.X,
                              r.Bottom + grow - offset.Y};
            const TPieAngle& a = SliceAngles[static_cast<size_t>(i)];
            effect->DrawEllipse(canvas, slice, donutPercent_, Degrees(a.StartAngle) + rotation,
                                Degrees(a.EndAngle) + rotation);
        }
    }
}

// ---- one slice ----

void TPieSeries::DrawPoint(int index)
{
    TCustomAxisPanel& chart = *ParentChart();
    if (CircleSizeX <= 4 || CircleSizeY <= 4 || IsGroupedPoint(index)) return;
    if (SliceAngles.empty()) ComputeSliceAngles();
    TCanvas3D& canvas = *chart.Canvas3D();
    TZebBrush& brush = *Brush();
    brush.SetStyle(SlicePattern(index));
    const TColor color = chart.Monochrome() ? clBlack : GetPointColor(index);
    if (color == clNone) {
        canvas.Brush()->SetStyle(bsClear);
    } else {
        chart.AssignCanvasBrush(brush, color, ResolveCircleBackColor());
        if (canvas.HasBrushGradient()) canvas.GetBrushGradient()->SetVisible(false);
    }
    PreparePiePen(index);
    PaintSlice(index);
}

void TPieSeries::PaintSlice(int index)
{
    TCustomAxisPanel& chart = *ParentChart();
    TCanvas3D& canvas = *chart.Canvas3D();
    const TPieAngle& a = SliceAngles[static_cast<size_t>(index)];
    const TPoint offset = SliceOffset(index);
    if (chart.View3D()) {
        if (const TVisualsList* visuals = VisualsOrNull(); visuals && const_cast<TVisualsList*>(visuals)->VisualAt(index))
            return;
        TSolidPieSlice slice;
        slice.CenterX = CenterX + offset.X;
        slice.CenterY = CenterY - offset.Y;
        slice.RadiusX = RadiusX;
        slice.RadiusY = RadiusY;
        slice.Z0 = DepthRange().start;
        slice.Z1 = SliceTopZ(index);
        slice.StartAngle = a.StartAngle + RotationRad;
        slice.EndAngle = a.EndAngle + RotationRad;
        slice.DarkSides = dark3D_;
        slice.DrawSides = SideWalls;
        slice.DonutPercent = donutPercent_;
        slice.Overlay = CircleGradient()->Visible() ? CircleGradient() : nullptr;
        slice.BevelPercent = bevel_->Percent();
        slice.OverlayStyle = edgeStyle_;
        slice.Transparency = Transparency();
        slice.BevelBrightness = bevel_->Bright();
        slice.BevelBorder = bevel_->UseBorder();
        slice.HideSides = ConcentricRing;
        canvas.DrawSolidPieSlice(slice);
        return;
    }
    const int cx = CenterX + offset.X, cy = CenterY - offset.Y;
    const TRect r{cx - RadiusX, cy - RadiusY, cx + RadiusX, cy + RadiusY};
    std::optional<TBlendSection> blend;
    if (Transparency() > 0) blend.emplace(canvas, r, Transparency());
    const double start = a.StartAngle + RotationRad, end = a.EndAngle + RotationRad;
    if (donutPercent_ <= 0) {
        canvas.PieByAngles(r, Degrees(start), Degrees(end));
    } else {
        // A ring sector of nothing would still show its two edges.
        if (YValues()->ValueAt(index) == 0) return;
        canvas.DrawDonutSlice(cx, cy, RadiusX, RadiusY, start, end, donutPercent_);
    }
    if (bevel_->Percent() != 0) {
        canvas.Brush()->SetColor(BrightColor(canvas.Brush()->Color(), bevel_->Bright()));
        if (!bevel_->UseBorder()) canvas.Pen()->SetStyle(psClear);
        canvas.DrawDonutSlice(cx, cy, RadiusX, RadiusY, start, end, 100 - bevel_->Percent());
    }
}

// ---- marks ----

void TPieSeries::DrawPointMarks()
{
    TSeriesMarks& marks = Marks();
    TMarksTail& tail = *marks.Tail();
    if (!tail.AutoAlign()) {
        TCircledSeries::DrawPointMarks();
        return;
    }
    const TTailEdge edge = tail.Edge();
    const TTailAlign align = tail.Align();
    const bool useTip = tail.UseTipPoint();
    const TPoint tip = tail.TipPoint();
    perSliceTail_ = true;
    TCircledSeries::DrawPointMarks();
    perSliceTail_ = false;
    // Per-slice edges never outlive the pass.
    tail.SetEdge(edge);
    tail.SetAlign(align);
    tail.SetUseTipPoint(useTip);
    tail.SetTipPoint(tip);
    tail.SetAutoAlign(true);
}

void TPieSeries::DrawPointMark(int index, const String& text, TSeriesMarkPosition& position)
{
    if (IsGroupedPoint(index)) return;
    if (!pieMarks_->EmptySlice() && YValues()->ValueAt(index) == 0) return;
    if (SliceAngles.empty()) ComputeSliceAngles();
    TCustomAxisPanel& chart = *ParentChart();
    TCanvas3D& canvas = *chart.Canvas3D();
    TSeriesMarks& marks = Marks();
    int rx, ry;
    ExplodedRadii(index, rx, ry);
    double m = SliceAngles[static_cast<size_t>(index)].MidAngle;
    if (Count() == 1 && std::fabs(m - Pi) < 1e-12) m = 0;
    const int z = canvas.UsesWorldCoordinates() ? DepthRange().end - SliceTopZ(index) : SliceTopZ(index);
    marks.SetZPosition(z);
    TMarksCallout& callout = *marks.Callout();
    const bool arrowVisible = callout.Arrow()->Visible();
    TPoint arrowStart;
    if (pieMarks_->InsideSlice()) {
        callout.Arrow()->SetVisible(false);
        const TPoint p = PolarToPixel(m, rx * 0.5, ry * 0.5);
        position.LeftTop = {p.X - position.Width / 2, p.Y - position.Height / 2};
        position.ArrowFrom = position.ArrowTo = p;
    } else {
        position.ArrowFix = true;
        const int length = callout.Length(), distance = callout.Distance();
        TPoint e = PolarToPixel(m, rx + length + distance, ry + length + distance);
        arrowStart = PolarToPixel(m, rx + distance, ry + distance);
        position.ArrowFrom = arrowStart;
        const bool right = CenterX < e.X, below = e.Y > CenterY;
        if (pieMarks_->VertCenter()) e.Y += below ? position.Height / 2 : -position.Height / 2;
        position.LeftTop.X = right ? e.X : e.X - position.Width;
        position.LeftTop.Y = below ? e.Y : e.Y - position.Height;
        position.HasMid = false;
        if (const int leg = pieMarks_->LegSize(); leg > 0) {
            position.HasMid = true;
            if (right) {
                if (e.X - leg < arrowStart.X) {
                    position.MidPoint = {arrowStart.X, e.Y};
                    e.X += leg;
                    position.LeftTop.X = e.X;
                } else {
                    position.MidPoint = {e.X - leg, e.Y};
                }
            } else if (e.X + leg > arrowStart.X) {
                position.MidPoint = {arrowStart.X, e.Y};
                e.X = arrowStart.X - leg;
                position.LeftTop.X = e.X - position.Width;
            } else {
                position.MidPoint = {e.X + leg, e.Y};
            }
        }
        position.ArrowTo = e;
        if (marks.AutomaticText()->Move() && index > FirstVisibleIndex()) {
            for (int previous = index - 1; previous >= FirstVisibleIndex(); --previous) {
                const TSeriesMarkPosition* before = marks.Positions().PositionAt(previous);
                if (!before) continue;
                const TRect mine = marks.OccupiedRect(index, position);
                const TRect theirs = marks.OccupiedRect(previous, *before);
                const bool overlap = mine.Left < theirs.Right && theirs.Left < mine.Right && mine.Top < theirs.Bottom &&
                                     theirs.Top < mine.Bottom;
                if (overlap && position.LeftTop.Y < CenterY)
                    position.Offset({0, position.LeftTop.Y - before->LeftTop.Y});
                break;
            }
        }
    }
    TMarksTail& tail = *marks.Tail();
    if (tail.Visible() && perSliceTail_) {
        double angle = Degrees(m) + RotationAngle();
        if (angle > 360) angle -= 360;
        TTailEdge edge;
        TTailAlign align;
        if (angle < 45) edge = teLeft, align = ttaFar;
        else if (angle < 90) edge = teBottom, align = ttaNear;
        else if (angle < 135) edge = teBottom, align = ttaFar;
        else if (angle < 180) edge = teRight, align = ttaFar;
        else if (angle < 225) edge = teRight, align = ttaNear;
        else if (angle < 270) edge = teTop, align = ttaFar;
        else if (angle < 315) edge = teTop, align = ttaNear;
        else edge = teLeft, align = ttaNear;
        tail.SetAutoAlign(false);
        if (tail.UseTipPoint()) {
            const int g = tail.Margin();
            TPoint d{g, g};
            if ((align == ttaNear && edge == teBottom) || (align == ttaFar && edge == teLeft)) d = {g, -g};
            else if (align == ttaFar && (edge == teBottom || edge == teRight)) d = {-g, -g};
            else if ((align == ttaNear && edge == teRight) || (align == ttaFar && edge == teTop)) d = {-g, g};
            TPoint t{arrowStart.X + d.X, arrowStart.Y + d.Y};
            if (chart.View3D()) t = canvas.ProjectXYZ(t.X, t.Y, z);
            tail.SetTipPoint(t);
        }
        tail.SetEdge(edge);
        tail.SetAlign(align);
    }
    const int savedAngle = marks.Angle();
    const bool savedAuto = marks.AutoPosition();
    if (pieMarks_->Rotated()) {
        int angle = RoundInt(Degrees(m)) + RotationAngle();
        if (pieMarks_->RotateStyle() == rsTangencial) angle += 90;
        if (angle >= 90 && angle <= 270) angle = angle + 180 > 360 ? angle - 180 : angle + 180;
        marks.SetAngle(angle);
        marks.SetAutoPosition(false);
    }
    TCircledSeries::DrawPointMark(index, text, position);
    marks.SetAngle(savedAngle);
    marks.SetAutoPosition(savedAuto);
    if (pieMarks_->InsideSlice()) callout.Arrow()->SetVisible(arrowVisible);
}
