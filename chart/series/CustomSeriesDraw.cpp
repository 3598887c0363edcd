// Drawing of the line, area and point family: the whole-series passes, one point with the segment
// or step into it, areas down to the origin, pointers around the segments, nulls, clamping, the
// one-call draw styles, and the pointer symbols, hover pens and legend symbols.
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "chart/canvas/ColorMath.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/Path.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebPen.h"
#include "chart/canvas/ZebPicture.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxes.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/ZebSelected.h"
#include "chart/series/CustomSeries.h"

namespace {

constexpr int DarkSideAmountLight = 64;

// A value put back when the scope ends.
template <class T>
class TRestore {
public:
    explicit TRestore(T& field) : field_(field), saved_(field) {}
    TRestore(T& field, T value) : field_(field), saved_(field) { field_ = value; }
    ~TRestore() { field_ = saved_; }
    TRestore(const TRestore&) = delete;
    TRestore& operator=(const TRestore&) = delete;

private:
    T& field_;
    T saved_;
};

// A pen shown for one call without telling its owner.
class TPenShown {
public:
    // The change event is copied only when the pen is to be shown: lines take this for every segment.
    TPenShown(TZebPen& pen, bool show) : pen_(pen), saved_(pen.Visible())
    {
        if (!show || saved_) return;
        change_ = pen_.OnChange();
        pen_.SetOnChange({});
        pen_.SetVisible(true);
        active_ = true;
    }
    ~TPenShown()
    {
        if (!active_) return;
        pen_.SetVisible(saved_);
        pen_.SetOnChange(change_);
    }
    TPenShown(const TPenShown&) = delete;
    TPenShown& operator=(const TPenShown&) = delete;

private:
    TZebPen& pen_;
    bool saved_;
    TNotifyEvent change_;
    bool active_ = false;
};

// The chart's axes with fast pixel conversion meanwhile.
class TFastPixels {
public:
    TFastPixels(TCustomAxisPanel& chart, bool on) : axes_(chart.Axes()), saved_(axes_.FastPixelCalc())
    {
        if (on && !saved_) axes_.SetFastPixelCalc(true);
    }
    ~TFastPixels()
    {
        if (axes_.FastPixelCalc() != saved_) axes_.SetFastPixelCalc(saved_);
    }
    TFastPixels(const TFastPixels&) = delete;
    TFastPixels& operator=(const TFastPixels&) = delete;

private:
    TChartAxes& axes_;
    bool saved_;
};

constexpr int Limit = MaxPixelCoordinate;

int limited(int v) { return std::clamp(v, -Limit, Limit); }

// Moves p along the line from q until both coordinates lie within the pixel limit.
void clampOnLine(int qx, int qy, int& px, int& py)
{
    double x = px, y = py;
    const auto cut = [&](double& main, double& other, double qMain, double qOther) {
        if (std::fabs(main) <= Limit || main == qMain) return;
        const double edge = main > 0 ? Limit : -Limit;
        const double t = (edge - qMain) / (main - qMain);
        other = qOther + t * (other - qOther);
        main = edge;
    };
    cut(x, y, qx, qy);
    cut(y, x, qy, qx);
    px = limited(static_cast<int>(std::lround(x)));
    py = limited(static_cast<int>(std::lround(y)));
}

}  // namespace

// ---- whole series ----

void TCustomSeries::drawPointsLoop()
{
    column_.active = false;
    reduceColumns_ = columnsReducible(*ParentChart()->Canvas3D());
    TChartSeries::DrawVisiblePoints();
    flushColumn();
}

void TCustomSeries::DrawVisiblePoints()
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || !chart->Canvas3D()) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    chartRect_ = chart->ChartRect();
    prevColor_ = clAutomatic;
    const TFastPixels fast(*chart, drawLines_);

    if (!inEffectPass_) {
        if (shadow_->Visible() && shadow_->LargestSize() > 0) effectPass(*shadow_, 1);
        if (emboss_->Visible() && emboss_->LargestSize() > 0) effectPass(*emboss_, -1);
        if (outLine_ && outLine_->Visible()) outlinePass();
    }
    if (!chart->View3D() && drawLines_ && !Pen()->Visible() && !pointer_->Visible() && !drawArea_) Pen()->Show();
    if (drawAllAtOnce(*LinePen(), SeriesColor(), true)) return;
    canvas.UseBrush(*Brush());
    drawPointsLoop();
}

void TCustomSeries::effectPass(const TZebShadow& effect, int direction)
{
    TCustomAxisPanel* chart = ParentChart();
    TChartAxis* h = GetHorizAxis();
    TChartAxis* v = GetVertAxis();
    if (!h || !v) return;
    const TColor savedColor = SeriesColor();
    const bool savedStored = IsSeriesColorStored();
    const TRestore<bool> eachLine(colorEachLine_, false);
    const TRestore<bool> inPass(inEffectPass_, true);
    const bool pointerShown = pointer_->Visible(), penShown = Pen()->Visible();
    const TAutoRepaintOff quiet(chart);
    SetSeriesColor(effect.Color());
    pointer_->SetVisible(false);
    Pen()->SetVisible(false);
    const int dx = direction * effect.HorizSize(), dy = direction * effect.VertSize();
    h->SetPixelBounds(h->StartPixel() + dx, h->EndPixel() + dx);
    v->SetPixelBounds(v->StartPixel() + dy, v->EndPixel() + dy);
    try {
        drawPointsLoop();
    } catch (...) {
        h->SetPixelBounds(h->StartPixel() - dx, h->EndPixel() - dx);
        v->SetPixelBounds(v->StartPixel() - dy, v->EndPixel() - dy);
        throw;
    }
    h->SetPixelBounds(h->StartPixel() - dx, h->EndPixel() - dx);
    v->SetPixelBounds(v->StartPixel() - dy, v->EndPixel() - dy);
    pointer_->SetVisible(pointerShown);
    Pen()->SetVisible(penShown);
    if (savedStored)
        SetSeriesColor(savedColor);
    else
        ResetSeriesColor();
}

void TCustomSeries::outlinePass()
{
    if (drawAllAtOnce(*outLine_, outLine_->Color(), false)) return;
    TCustomAxisPanel* chart = ParentChart();
    const TAutoRepaintOff quiet(chart);
    const TRestore<bool> inPass(inEffectPass_, true);
    TZebPen saved;
    saved.Assign(LinePen());
    const int lineWidth = LinePen()->Visible() ? LinePen()->Width() : 1;
    const TColor savedColor = SeriesColor();
    const bool savedStored = IsSeriesColorStored();
    SetSeriesColor(outLine_->Color());
    LinePen()->Assign(outLine_.get());
    LinePen()->SetWidth(2 * outLine_->Width() + lineWidth);
    drawPointsLoop();
    LinePen()->Assign(&saved);
    if (chart->View3D())
        savedStored ? SetSeriesColor(savedColor) : ResetSeriesColor();
    else
        SetSeriesColor(LinePen()->Color());
}

// One polyline, polygon or curve for the whole series; false when this series draws per point.
bool TCustomSeries::drawAllAtOnce(TZebPen& pen, TColor color, bool withPointers)
{
    TCustomAxisPanel* chart = ParentChart();
    if ((ColorEachPoint() && colorEachLine_) || (!drawArea_ && !drawLines_) || drawStyle_ == dsSegments ||
        chart->View3D())
        return false;
    TCanvas3D& canvas = *chart->Canvas3D();
    const int count = Count();
    int first = FirstDrawnIndex();
    if (first > 0) --first;
    int last = LastDrawnIndex();
    bool partial = false;
    double r = 0;
    if (drawnFraction_ != 1.0f) {
        const double scaled = count * static_cast<double>(drawnFraction_);
        last = std::min(static_cast<int>(std::trunc(scaled)), count - 1);
        if (last < first) {
            last = first;
        } else if (last < count - 1) {
            r = scaled - std::trunc(scaled);
            partial = r > 0;  // a whole number of points draws no partial point
        }
    }
    if (!partial && last <= first) return true;
    std::optional<TBlendSection> blend;
    if (Transparency() > 0) blend.emplace(canvas, canvas.DrawBounds(), Transparency());

    std::vector<TPoint> points;
    points.reserve(static_cast<size_t>(last - first + 1) * (stairs_ ? 2 : 1) + 3);
    for (int i = first; i <= last; ++i) {
        const TPoint p{PointScreenX(i), PointScreenY(i)};
        points.push_back(p);
        if (stairs_ && i < last) {
            const TPoint n{PointScreenX(i + 1), PointScreenY(i + 1)};
            points.push_back(invertedStairs_ ? TPoint{p.X, n.Y} : TPoint{n.X, p.Y});
        }
    }
    int partialX = 0, partialY = 0;
    if (partial) {
        const double at = IndependentValueList()->ValueAt(last) + r;
        const int value = InterpolatedPixel(last, last + 1, at);
        if (YMandatory())
            partialX = ValueScreenX(at), partialY = value;
        else
            partialX = value, partialY = ValueScreenY(at);
        points.push_back({partialX, partialY});
    }
    const int z = ComputeDepthRange().start;
    if (withPointers) drawAllPointers(first, last, true, partial ? last + 1 : -1, partialX, partialY, r);
    if (drawArea_) {
        const int origin = OriginPixel(last);
        canvas.SelectPen(pen, color);
        canvas.UseBrushColored(*areaBrush_, color);
        const TPoint firstPoint = points.front(), lastPoint = points.back();
        if (drawStyle_ == dsAll) {
            if (YMandatory())
                points.push_back({lastPoint.X, origin}), points.push_back({firstPoint.X, origin});
            else
                points.push_back({origin, lastPoint.Y}), points.push_back({origin, firstPoint.Y});
            canvas.PolygonAtZ(points, z);
        } else {
            // The curve through the points, closed by straight lines down to the origin.
            TOwnedPtr<TZebBasePath> path(canvas.StartPath());
            path->MoveToPoint(firstPoint);
            path->AddPoints(points, 0.5f, false);
            path->LineToPoint(YMandatory() ? TPoint{lastPoint.X, origin} : TPoint{origin, lastPoint.Y});
            path->LineToPoint(YMandatory() ? TPoint{firstPoint.X, origin} : TPoint{origin, firstPoint.Y});
            path->CloseFigure();
            path->DrawWith(canvas);
        }
        if (areaLinesPen_->Visible()) {
            canvas.UsePen(*areaLinesPen_);
            for (size_t i = 1; i < points.size(); ++i) {
                const TPoint p = points[i];
                if (YMandatory())
                    canvas.LineAtZ(p.X, p.Y, p.X, origin, z);
                else
                    canvas.LineAtZ(p.X, p.Y, origin, p.Y, z);
            }
        }
    } else {
        canvas.SelectPen(pen, color);
        if (drawStyle_ == dsAll) {
            canvas.PolylineAtZ(points, z);
        } else {
            canvas.Brush()->SetStyle(bsClear);
            canvas.PolylineOrPolygon(points, 0.5f, false);
        }
    }
    if (withPointers) drawAllPointers(first, last, false, partial ? last + 1 : -1, partialX, partialY, r);
    return true;
}

void TCustomSeries::drawAllPointers(int first, int last, bool behind, int partialIndex, int partialX, int partialY,
                                    double r)
{
    if (!pointer_->Visible() || pointerBehind_ != behind) return;
    for (int i = std::max(first, FirstDrawnIndex()); i <= last; ++i)
        if (IsPointUsable(i)) DrawPointSymbol(PointScreenX(i), PointScreenY(i), i, GetPointColor(i));
    if (partialIndex < 0 || partialIndex >= Count() || !IsPointUsable(partialIndex)) return;
    const Byte alpha = static_cast<Byte>(255 - RoundHalfEven(r * 255));
    TZebPen& pen = *pointer_->Pen();
    const TColor savedPen = pen.Color();
    pen.SetColor(TZebCanvas::ColorWithAlpha(savedPen, alpha));
    DrawPointSymbol(partialX, partialY, partialIndex,
                    TZebCanvas::ColorWithAlpha(GetPointColor(partialIndex), alpha));
    pen.SetColor(savedPen);
}

// ---- one point ----

void TCustomSeries::DrawPoint(int index)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    const bool forward = IsPointOrderForward();
    TColor c = GetPointColor(index);
    if (drawArea_ && !forward && index + 1 < Count()) c = GetPointColor(index + 1);
    int x = PointScreenX(index), y = PointScreenY(index);
    const int firstDrawn = FirstDrawnIndex(), lastDrawn = LastDrawnIndex();
    if (TreatNulls() == tnSkip && IsNullPoint(index)) {
        if (index == firstDrawn) {
            for (int i = index + 1; i < Count(); ++i)
                if (!IsNullPoint(i)) {
                    x = PointScreenX(i), y = PointScreenY(i);
                    break;
                }
        } else {
            x = prevX_, y = prevY_;
        }
    }
    if (prevColor_ == clNullPoint && TreatNulls() == tnDontPaint) prevX_ = x, prevY_ = y;
    origin_ = OriginPixel(index);
    const bool isLast = index == lastDrawn;
    const int neighbour = forward ? std::max(index - 1, FirstVisibleIndex()) : std::min(index + 1, LastVisibleIndex());
    // A flat line takes no brush: setting its colour would only re-apply the brush twice a point.
    if (drawArea_ || pointer_->Visible() || chart->View3D()) canvas.Brush()->SetColor(c);
    const bool true3D = canvas.IsTrue3D();

    if (index == firstDrawn) {
        // The flat canvases project depth at 45 degrees: equal offsets.
        if (dark3D_) slopeRatio_ = 1.0;
        if (firstDrawn == FirstVisibleIndex() && index > 0) drawLeadIn(index, x, y, c);
        if (isLast || true3D) drawOwnPointer(index, x, y, c);
        if (drawArea_ && chart->View3D() && true3D) {
            const auto depth = ComputeDepthRange();
            canvas.PlaneAlongYZ(x, y, origin_, depth.start, depth.end);
        }
    } else if (isLast) {
        drawSegment(index, x, y, c, !true3D, neighbour, true);
        if (firstDrawn == LastVisibleIndex() && index > 0) drawLeadIn(index, x, y, c);
        if (true3D) drawOwnPointer(index, x, y, c);
    } else if (true3D) {
        drawSegment(index, x, y, c, false, neighbour, false);
        drawOwnPointer(index, x, y, c);
    } else {
        drawSegment(index, x, y, c, true, neighbour, false);
    }
    prevX_ = x, prevY_ = y;
    prevOrigin_ = origin_;
    prevColor_ = c;
}

void TCustomSeries::drawOwnPointer(int index, int x, int y, TColor color)
{
    if (pointer_->Visible() && color != clNullPoint) DrawPointSymbol(x, y, index, color);
}

void TCustomSeries::drawPointersAround(int index, int x, int y, int neighbour, bool isLast, bool behind)
{
    if (!pointer_->Visible() || pointerBehind_ != behind) return;
    const TColor c = GetPointColor(index);
    if (prevColor_ != clNullPoint && prevColor_ != clAutomatic)
        DrawPointSymbol(prevX_, prevY_, neighbour, prevColor_);
    else if (TreatNulls() != tnDontPaint)
        DrawPointSymbol(prevX_, prevY_, neighbour, c);
    if (isLast) drawOwnPointer(index, x, y, c);
}

void TCustomSeries::drawLeadIn(int index, int x, int y, TColor color)
{
    const int a = index - 1;
    if (drawArea_) {
        prevX_ = PointScreenX(a), prevY_ = PointScreenY(a);
        prevOrigin_ = OriginPixel(a);
    } else if (YMandatory()) {
        const TChartAxis* h = GetHorizAxis();
        prevX_ = h && h->Inverted() ? chartRect_.Right : chartRect_.Left;
        prevY_ = stairs_ ? PointScreenY(a) : InterpolatedPixel(a, index, ValueAtScreenX(prevX_));
    } else {
        const TChartAxis* v = GetVertAxis();
        prevY_ = v && v->Inverted() ? chartRect_.Top : chartRect_.Bottom;
        prevX_ = stairs_ ? PointScreenX(a) : InterpolatedPixel(a, index, ValueAtScreenY(prevY_));
    }
    if (!IsNullPoint(a)) drawSegment(index, x, y, color, false, a, false);
}

int TCustomSeries::InterpolatedPixel(int from, int to, double v) const
{
    const TChartValueList& independent = *IndependentValueList();
    const TChartValueList& main = *MandatoryValueList();
    const double i0 = independent.ValueAt(from), i1 = independent.ValueAt(to);
    if (i0 == i1) return YMandatory() ? PointScreenY(to) : PointScreenX(to);
    double m0 = main.ValueAt(from), m1 = main.ValueAt(to);
    const TChartAxis* axis = GetValueAxis();
    const double t = (v - i0) / (i1 - i0);
    double value;
    if (axis && axis->Logarithmic()) {
        value = m0 > 0 && m1 > 0 ? std::exp(std::log(m0) + t * (std::log(m1) - std::log(m0))) : 0;
    } else {
        value = m0 + t * (m1 - m0);
    }
    return MainValueToScreen(value);
}

// ---- segments ----

void TCustomSeries::drawSegment(int index, int x, int y, TColor color, bool pointersAround, int neighbour, bool isLast)
{
    TCustomAxisPanel* chart = ParentChart();
    if (pointersAround) drawPointersAround(index, x, y, neighbour, isLast, true);
    const bool same = x == prevX_ && y == prevY_;
    if (!same && !(color == clNullPoint && TreatNulls() != tnIgnore)) {
        if (chart->View3D() && (drawArea_ || drawLines_)) drawLine3D(index, x, y, color, isLast);
        if (drawArea_)
            drawArea2D3D(index, x, y, color);
        else if (!chart->View3D() && drawLines_)
            drawLine2D(index, x, y, color);
    }
    if (pointersAround) drawPointersAround(index, x, y, neighbour, isLast, false);
}

void TCustomSeries::clampSegment(int& x0, int& y0, int& x1, int& y1, bool clampPrevious) const
{
    if (stairs_) {
        x0 = limited(x0), y0 = limited(y0), x1 = limited(x1), y1 = limited(y1);
        return;
    }
    const int qx = x0, qy = y0;
    if (clampPrevious) clampOnLine(x1, y1, x0, y0);
    clampOnLine(qx, qy, x1, y1);
}

void TCustomSeries::PrepareLinePen(TCanvas3D& canvas, TColor color)
{
    if (canvas.GetMonochromeMode()) color = clWhite;
    TCustomAxisPanel* chart = ParentChart();
    if (chart && chart->View3D()) {
        if (Brush()->Image() && Brush()->Image()->Graphic())
            canvas.UseBrushColored(*Brush(), color);
        else {
            canvas.Brush()->SetStyle(LineBrush());
            canvas.Brush()->SetColor(color);
        }
        canvas.UsePen(*LinePen());
        return;
    }
    canvas.Brush()->SetStyle(bsClear);
    const TPenShown shown(*LinePen(), !drawArea_ && !pointer_->Visible());
    canvas.SelectPen(*LinePen(), color);
}

void TCustomSeries::drawLine2D(int index, int x, int y, TColor c)
{
    TCanvas3D& canvas = *ParentChart()->Canvas3D();
    if (colorEachLine_)
        c = GetPointColor(index);
    else if (LinePen()->Color() != SeriesColor())
        c = LinePen()->Color();
    const TRect box{std::min(prevX_, x) - 1, std::min(prevY_, y) - 1, std::max(prevX_, x) + 1,
                    std::max(prevY_, y) + 1};
    if (box.Right < chartRect_.Left || box.Left > chartRect_.Right || box.Bottom < chartRect_.Top ||
        box.Top > chartRect_.Bottom)
        return;
    int x0 = prevX_, y0 = prevY_, x1 = x, y1 = y;
    const TCustomAxisPanel* chart = ParentChart();
    const bool prevOutside =
        stairs_ ? (x0 < 0 || x0 > chart->Width() || y0 < 0 || y0 > chart->Height())
                : (YMandatory() ? (x0 < 0 || x0 > chart->Width()) : (y0 < 0 || y0 > chart->Height()));
    clampSegment(x0, y0, x1, y1, prevOutside);
    const TColor penColor = colorEachLine_ || (ColorEachPoint() && !pointer_->Visible()) ? c : SeriesColor();
    const bool hover = hoverPenApplies(index - 1);
    if (!hover && extendColumn(x0, y0, x1, y1, penColor)) return;
    if (hover)
        ApplyHoverPen(index - 1);
    else
        PrepareLinePen(canvas, penColor);
    std::optional<TBlendSection> blend;
    if (Transparency() > 0) {
        const int w = LinePen()->Width();
        blend.emplace(canvas, TRect{box.Left - w, box.Top - w, box.Right + w, box.Bottom + w}, Transparency());
    }
    canvas.MoveTo(x0, y0);
    if (stairs_) {
        if (invertedStairs_)
            canvas.LineTo(x0, y1);
        else
            canvas.LineTo(x1, y0);
    }
    canvas.LineTo(x1, y1);
}

// ---- pixel columns ----

bool ReducePixelColumns = true;

// Opaque strokes of one pen cover the same pixels whichever way a column is walked, as long as
// the walk reaches both extremes and leaves out the last point exactly when the point-by-point
// path does. Antialiased strokes blend their overlaps, so there the column is not reduced.
bool TCustomSeries::columnsReducible(const TCanvas3D& canvas) const
{
    const TCustomAxisPanel* chart = ParentChart();
    return ReducePixelColumns && chart && !chart->View3D() && drawLines_ && !drawArea_ && !stairs_ && !pointer_->Visible() &&
           Transparency() == 0 && !canvas.SupportsAlpha();
}

// Takes the vertical segment into the pending column, drawing the column first when the segment
// does not continue it; false when the segment is to be drawn as it is.
bool TCustomSeries::extendColumn(int x0, int y0, int x1, int y1, TColor color)
{
    const bool vertical = reduceColumns_ && x0 == x1 && y0 != y1;
    TColumnRun& run = column_;
    if (vertical && run.active && run.x == x0 && run.last == y0 && run.color == color) {
        if (y0 == run.low) run.lowBefore = true;
        if (y0 == run.high) run.highBefore = true;
        if (y1 < run.low) run.low = y1, run.lowBefore = false;
        if (y1 > run.high) run.high = y1, run.highBefore = false;
        run.last = y1;
        return true;
    }
    flushColumn();
    if (!vertical) return false;
    run = TColumnRun{true, color, x0, y0, std::min(y0, y1), std::max(y0, y1), y1, y0 < y1, y0 > y1};
    return true;
}

void TCustomSeries::flushColumn()
{
    if (!column_.active) return;
    const TColumnRun run = column_;
    column_.active = false;
    TCanvas3D& canvas = *ParentChart()->Canvas3D();
    PrepareLinePen(canvas, run.color);
    int walk[3] = {run.low, run.high, run.last};
    if (run.last == run.high && !run.highBefore)
        walk[2] = run.high;  // up to the last point, which stays open
    else if (run.last == run.low && !run.lowBefore)
        walk[0] = run.high, walk[1] = run.low, walk[2] = run.low;
    else if (run.last == run.high)
        walk[0] = run.high, walk[1] = run.low;  // and back up: the highest point is crossed
    canvas.MoveTo(run.x, run.first);
    int at = run.first;
    for (int y : walk) {
        if (y == at) continue;
        canvas.LineTo(run.x, y);
        at = y;
    }
}

void TCustomSeries::drawLine3D(int index, int x, int y, TColor c, bool isLast)
{
    TCustomAxisPanel* chart = ParentChart();
    TCanvas3D& canvas = *chart->Canvas3D();
    TColor color = SeriesColor();
    if (colorEachLine_ || drawArea_) {
        const TColor base = Brush()->Color() == clAutomatic ? c : Brush()->Color();
        color = areaColor_ != clAutomatic ? areaColor_ : base;
    }
    if (canvas.GetMonochromeMode()) color = clWhite;
    if (Brush()->Image() && Brush()->Image()->Graphic()) {
        canvas.SelectBrush(*Brush(), color, clWhite);
    } else {
        canvas.Brush()->SetStyle(LineBrush());
        canvas.Brush()->SetColor(color);
    }
    if (!ApplyHoverPen(index - 1)) canvas.UsePen(*LinePen());
    const auto depth = ComputeDepthRange();
    const TPoint from{prevX_, prevY_}, to{x, y};
    if (!stairs_) {
        if (drawArea_) return;  // the area's front and top make the ribbon
        if (lineHeight_ > 0) {
            canvas.PlaneFromFourPoints(from, to, {x, y + lineHeight_}, {prevX_, prevY_ + lineHeight_}, depth.start);
            if (isLast) canvas.PlaneAlongYZ(x, y, y + lineHeight_, depth.start, depth.end);
        }
        const bool darken = dark3D_ && !canvas.IsTrue3D() && x != prevX_ && slopeRatio_ != 0 &&
                            slopeRatio_ < static_cast<double>(prevY_ - y) / (x - prevX_);
        if (darken) canvas.DarkenBrushColor(color, DarkSideAmountLight);
        canvas.PlaneFromTwoPoints(from, to, depth.start, depth.end);
        if (darken) canvas.Brush()->SetColor(color);
        return;
    }
    if (invertedStairs_) {
        if (dark3D_) canvas.DarkenBrushColor(color, DarkSideAmountLight);
        canvas.PlaneAlongYZ(prevX_, prevY_, y, depth.start, depth.end);
        canvas.Brush()->SetColor(color);
        canvas.PlaneAlongXZ(prevX_, y, x, depth.start, depth.end);
    } else {
        canvas.PlaneAlongXZ(prevX_, prevY_, x, depth.start, depth.end);
        if (dark3D_) canvas.DarkenBrushColor(color, DarkSideAmountLight);
        canvas.PlaneAlongYZ(x, prevY_, y, depth.start, depth.end);
        canvas.Brush()->SetColor(color);
    }
}

void TCustomSeries::drawArea2D3D(int index, int x, int y, TColor c)
{
    TCustomAxisPanel* chart = ParentChart();
    TCanvas3D& canvas = *chart->Canvas3D();
    const TColor backFill = areaBrush_->BackColor();
    TColor fill = backFill == clAutomatic ? c : backFill;
    if (areaColor_ != clAutomatic) fill = areaColor_;
    const bool hover = ApplyHoverPen(index - 1);
    if (!hover) {
        if (areaLinesPen_->Color() == clAutomatic)
            canvas.SelectPen(*areaLinesPen_, c);
        else
            canvas.UsePen(*areaLinesPen_);
    }
    int x0 = prevX_, y0 = prevY_, x1 = x, y1 = y;
    clampSegment(x0, y0, x1, y1, false);
    TColor back = areaBrush_->Color() == clAutomatic ? SeriesColor() : areaBrush_->Color();
    if (areaBrush_->Image() && areaBrush_->Image()->Graphic() && back == fill) back = clWhite;
    chart->AssignCanvasBrush(*areaBrush_, fill, back);
    const auto depth = ComputeDepthRange();
    const bool in3D = chart->View3D();
    const int rotation = in3D && chart->View3DOptions() ? chart->View3DOptions()->Rotation() : 0;
    const int frontZ = rotation > 90 && rotation < 270 ? depth.end : depth.start;
    const int o0 = prevOrigin_, o1 = origin_;
    std::optional<TBlendSection> blend;
    if (Transparency() > 0) blend.emplace(canvas, canvas.DrawBounds(), Transparency());
    if (!stairs_) {
        const TPoint quad[4] = {YMandatory() ? TPoint{x0, o0} : TPoint{o0, y0}, {x0, y0}, {x1, y1},
                                YMandatory() ? TPoint{x1, o1} : TPoint{o1, y1}};
        if (in3D) {
            canvas.PolygonAtZ(quad, frontZ);
            if (canvas.IsTrue3D()) canvas.PolygonAtZ(quad, depth.end);
        } else {
            canvas.Polygon(quad);
        }
        if (hover || LinePen()->Visible()) {
            if (!hover) canvas.UsePen(*LinePen());
            canvas.LineAtZ(x0, y0, x1, y1, depth.start);
        }
        return;
    }
    const int level = invertedStairs_ ? y1 : y0;
    const TRect step = YMandatory() ? TRect{std::min(x0, x1), std::min(level, o0), std::max(x0, x1) + 1,
                                            std::max(level, o0)}
                                    : TRect{std::min(o0, invertedStairs_ ? x1 : x0), std::min(y0, y1),
                                            std::max(o0, invertedStairs_ ? x1 : x0), std::max(y0, y1) + 1};
    {
        // The step's fill has no outline of its own: the top edges follow.
        TZebPen clear;
        clear.SetVisible(false);
        canvas.SelectPen(clear, clBlack);
        canvas.RectangleAtZ(step, depth.start);
        if (in3D && canvas.IsTrue3D()) canvas.RectangleAtZ(step, depth.end);
    }
    if (hover || LinePen()->Visible()) {
        if (!hover) canvas.UsePen(*LinePen());
        canvas.MoveToXYZ(x0, y0, depth.start);
        if (invertedStairs_)
            canvas.LineToXYZ(x0, y1, depth.start);
        else
            canvas.LineToXYZ(x1, y0, depth.start);
        canvas.LineToXYZ(x1, y1, depth.start);
    }
}

// ---- pointers, hover pens and legend symbols ----

TSeriesPointer* TCustomSeries::DrawPointSymbol(int x, int y, int index, TColor color)
{
    TSeriesPointer* pointer = pointer_->ItemOrSelf(index);
    TCustomAxisPanel* chart = ParentChart();
    if (!pointer->Visible() || !chart) return pointer;
    TCanvas3D& canvas = *chart->Canvas3D();
    const TColor own = pointer->Brush()->Color();
    if (own != clAutomatic && pointer->Brush()->Style() != bsClear) color = own;
    pointer->SetupCanvas(canvas, color);
    // The pointer's own hover pen: the hovered pointer itself, or the neighbours of a hovered point.
    const TZebSelected* pointerSelected = pointer->SelectedOrNull();
    if (chart->Hover()->Visible() && pointerSelected && pointerSelected->Hover()->Visible()) {
        const int selected = SelectedOrNull() ? SelectedOrNull()->HoverIndex() : -1;
        const THoverElements elements = HoverElement();
        const bool pointHovered = HoverPart() == 1;
        const bool applies =
            (pointHovered && ((elements.Contains(heNext) && selected + 1 == index) ||
                              (elements.Contains(hePrevious) && selected == index))) ||
            (!pointHovered && elements.Contains(heCurrent) && pointer_->HoverIndex == index) ||
            (HoveredMarkIndex() == index && elements.Contains(heJoin));
        if (applies) canvas.UsePen(*pointerSelected->Hover()->Pen());
    }
    const TSeriesPointerStyle style = GetPointerStyle(index);
    if (onGetPointerStyle_) pointer->SetupCanvas(canvas, color);
    if (style == psNothing) return pointer;
    const TElementScope element(canvas, "SeriesPointer", pointer, ElementTransform);
    pointer->DrawStyled(x, y, style, color);
    return pointer;
}

bool TCustomSeries::IsHoverEnabled() const
{
    const TCustomAxisPanel* chart = ParentChart();
    if (chart && !chart->Hover()->Visible()) return false;
    const auto shown = [](const TZebSelected* selected) { return selected && selected->Hover()->Visible(); };
    return shown(SelectedOrNull()) || shown(pointer_->SelectedOrNull());
}

bool TCustomSeries::ApplyHoverPen(int index)
{
    if (!hoverPenApplies(index) || !ParentChart()) return false;
    ParentChart()->Canvas3D()->UsePen(*Selected()->Hover()->Pen());
    return true;
}

bool TCustomSeries::hoverPenApplies(int index) const
{
    // The series' own hover display; the pointer's marks pointers only.
    if (!TChartSeries::IsHoverEnabled()) return false;
    int i = index;
    if (YMandatory() && GetHorizAxis() && GetHorizAxis()->Inverted()) i = index + 1;
    if (!YMandatory() && GetVertAxis() && GetVertAxis()->Inverted()) i = index - 1;
    const THoverElements elements = HoverElement();
    const int pointerHover = pointer_->HoverIndex;
    const int markHover = HoveredMarkIndex();
    bool applies = false;
    if (pointerHover != -1 || markHover != -1) {
        const int hovered = pointerHover != -1 ? pointerHover : (SelectedOrNull() ? SelectedOrNull()->HoverIndex() : -1);
        applies = (elements.Contains(heNext) && hovered == i) || (elements.Contains(hePrevious) && hovered == i + 1);
    } else {
        applies = i != -1 && HoveredPointIndex() == i && elements.Contains(heCurrent);
    }
    return applies;
}

void TCustomSeries::FillLegendSymbol(int index, const TRect& rect)
{
    const TColor color = index == -1 ? SeriesColor() : GetLegendColor(index);
    const TSeriesPointer* pointer = pointer_->ItemOrSelf(index);
    if (pointer->Visible()) {
        if (pointerBehind_) pointerPart(index, rect, color);
        if (drawLines_) linePart(index, rect, color);
        if (!pointerBehind_) pointerPart(index, rect, color);
        return;
    }
    if (!drawLines_ || drawArea_) {
        ApplyHoverPen(index);
        TCustomLineSeries::FillLegendSymbol(index, rect);
        return;
    }
    linePart(index, rect, color);
}

void TCustomSeries::linePart(int index, const TRect& rect, TColor color)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    std::optional<TBlendSection> blend;
    if (Transparency() > 0) blend.emplace(canvas, rect, Transparency());
    if (!ApplyHoverPen(index)) {
        const TColor penColor = LinePen()->Color();
        PrepareLinePen(canvas, penColor == 0 ? color : penColor);
    }
    if (TZebPen* pen = canvas.Pen(); pen->Width() > rect.Height() / 2) pen->SetWidth(std::max(1, rect.Height() / 2));
    if (chart->View3D()) {
        canvas.DrawRect(rect);
    } else {
        const int middle = (rect.Top + rect.Bottom) / 2;
        canvas.MoveTo(rect.Left, middle);
        canvas.LineTo(rect.Right, middle);
    }
}

void TCustomSeries::pointerPart(int index, const TRect& rect, TColor color)
{
    TSeriesPointerStyle style;
    if (index != -1 && onGetPointerStyle_)
        style = onGetPointerStyle_(this, index);
    else
        style = pointer_->ItemOrSelf(index)->Style();
    if (style == psVisual && VisualsOrNull() && Visuals().VisualAt(index)) return;
    PaintPointerLegendSymbol(*pointer_->ItemOrSelf(index), color, rect, style, LinePen()->Visible());
}

void PaintPointerLegendSymbol(TSeriesPointer& pointer, TColor color, const TRect& rect, TSeriesPointerStyle style,
                              bool penShown)
{
    TCustomZebPanel* chart = pointer.Chart();
    if (!chart) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    pointer.SetupCanvas(canvas, color);
    const int w = rect.Width(), h = rect.Height();
    const bool pen = penShown && pointer.Pen()->Visible();
    int halfW, halfH;
    if (pen) {
        halfW = w / 2, halfH = h / 2;
        const int width = pointer.Pen()->Width();
        if (w < 2 * width || h < 2 * width) canvas.Pen()->SetWidth(std::min(w, h) / 2);
    } else {
        halfW = w / 2 + 1, halfH = h / 2 + 1;
    }
    int cx = (rect.Left + rect.Right) / 2;
    const int cy = (rect.Top + rect.Bottom) / 2;
    if (pointer.HasShadow() && pointer.Shadow()->Visible()) {
        cx -= pointer.Shadow()->HorizSize() / 2;
        halfW -= pointer.Shadow()->HorizSize() / 2;
    }
    const double ratio = pointer.HorizSize() == 0 ? 1.0 : static_cast<double>(pointer.VertSize()) / pointer.HorizSize();
    if (halfW >= halfH * ratio)
        halfW = std::min(RoundHalfEven(halfH / ratio), halfW);
    else
        halfH = std::min(RoundHalfEven(halfW * ratio), halfH);
    halfW = std::min(halfW, pointer.HorizSize());
    halfH = std::min(halfH, pointer.VertSize());
    const TPointerSizeUnits units = pointer.SizeUnits();
    pointer.SetSizeUnits(suPixels);
    canvas.PushFlatMode();
    pointer.DrawSymbol(canvas, false, style, color, halfH, halfW, cy, cx);
    canvas.PopFlatMode();
    pointer.SetSizeUnits(units);
}
