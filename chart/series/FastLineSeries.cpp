// The fast line series: one polyline or decimated point-by-point drawing, and the direct segment
// of each new point while AutoRepaint is off.
#include "chart/series/FastLineSeries.h"

#include <algorithm>
#include <optional>

#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/HitTests.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ZebSelected.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"

namespace {
class TFastLineSeriesClass : public TChartElementClass {
public:
    using TChartElementClass::TChartElementClass;
    String EditorFormClassName() const override { return "TFastLineSeriesEditor"; }
};

// The canvas keeps its device context for the scope.
class TCachedContext {
public:
    TCachedContext(TZebCanvas& canvas, bool on) : canvas_(on ? &canvas : nullptr)
    {
        if (canvas_) canvas_->CacheDeviceContext(true);
    }
    ~TCachedContext()
    {
        if (canvas_) canvas_->CacheDeviceContext(false);
    }
    TCachedContext(const TCachedContext&) = delete;
    TCachedContext& operator=(const TCachedContext&) = delete;

private:
    TZebCanvas* canvas_;
};
}  // namespace

TV_PUBLISHED_AS(TFastLineSeries, TFastLineSeriesClass)
{
    Prop("AutoRepaint", &TFastLineSeries::AutoRepaint, &TFastLineSeries::SetAutoRepaint, true);
    Prop("ClickTolerance", &TFastLineSeries::ClickTolerance, &TFastLineSeries::SetClickTolerance, 0);
    Prop("DrawAllPoints", &TFastLineSeries::DrawAllPoints, &TFastLineSeries::SetDrawAllPoints, true);
    PropEnum("DrawAllPointsStyle", &TFastLineSeries::DrawAllPointsStyle, &TFastLineSeries::SetDrawAllPointsStyle,
             daFirst, TDrawAllPointsStyleNames);
    PropEnum("DrawStyle", &TFastLineSeries::DrawStyle, &TFastLineSeries::SetDrawStyle, flSegments,
             TFastLineDrawStyleNames);
    Prop("FastPen", &TFastLineSeries::FastPen, &TFastLineSeries::SetFastPen, false);
    Prop("IgnoreNulls", &TFastLineSeries::IgnoreNulls, &TFastLineSeries::SetIgnoreNulls, true);
    Prop("InvertedStairs", &TFastLineSeries::InvertedStairs, &TFastLineSeries::SetInvertedStairs, false);
    Prop("LinePen", &TFastLineSeries::LinePen, &TFastLineSeries::SetLinePen);
    Prop("Stairs", &TFastLineSeries::Stairs, &TFastLineSeries::SetStairs, false);
    PropEnum("TreatNulls", &TFastLineSeries::TreatNulls, &TFastLineSeries::SetTreatNulls, tnIgnore,
             TTreatNullsStyleNames);
}

TFastLineSeries::TFastLineSeries(TComponent* owner) : TCustomLineSeries(owner)
{
    LinePen()->SetColor(clAutomatic);
    LinePen()->InitEndStyle(esFlat);
    SetTreatNulls(tnIgnore);
    Selected()->Hover()->SetVisible(false);
    SetSinglePointResult(false);
    SetDrawBeyondLastVisible(true);
}

void TFastLineSeries::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TFastLineSeries*>(source)) {
        autoRepaint_ = other->autoRepaint_;
        clickTolerance_ = other->clickTolerance_;
        drawAllPointsStyle_ = other->drawAllPointsStyle_;
        drawAllPoints_ = other->drawAllPoints_;
        drawStyle_ = other->drawStyle_;
        fastPen_ = other->fastPen_;
        ignoreNulls_ = other->ignoreNulls_;
        invertedStairs_ = other->invertedStairs_;
        stairs_ = other->stairs_;
    }
    TCustomLineSeries::Assign(source);
}

void TFastLineSeries::SetDrawAllPointsStyle(TDrawAllPointsStyle value) { Change(drawAllPointsStyle_, value); }

void TFastLineSeries::SetDrawStyle(TFastLineDrawStyle value) { Change(drawStyle_, value); }

void TFastLineSeries::SetPen(TZebPen* value)
{
    TCustomLineSeries::SetPen(value);
    SetSeriesColor(LinePen()->Color());
}

void TFastLineSeries::SetSeriesColor(TColor value)
{
    TCustomLineSeries::SetSeriesColor(value);
    LinePen()->SetColor(value);
}

int TFastLineSeries::penRoom() const
{
    const int w = LinePen()->Width();
    return w - (w - 2) / 2;
}

void TFastLineSeries::MeasureHorizMargins(int& left, int& right) const
{
    TCustomLineSeries::MeasureHorizMargins(left, right);
    left += penRoom();
    right += penRoom();
}

void TFastLineSeries::MeasureVertMargins(int& top, int& bottom) const
{
    TCustomLineSeries::MeasureVertMargins(top, bottom);
    const TChartAxis* axis = GetVertAxis();
    if (!axis || Count() == 0) return;
    auto* self = const_cast<TFastLineSeries*>(this);
    if (self->HighestY() >= axis->Maximum()) top += penRoom();
    if (self->LowestY() <= axis->Minimum()) bottom += penRoom();
}

void TFastLineSeries::CopyAppearance(TChartSeries* other)
{
    TCustomLineSeries::CopyAppearance(other);
    LinePen()->SetVisible(true);
    LinePen()->SetColor(clAutomatic);
}

void TFastLineSeries::ListGalleryStyles(const std::function<void(const String&)>& add) const
{
    TCustomLineSeries::ListGalleryStyles(add);
    for (const char* name : {"Marks", "Dotted", "Stairs"}) add(name);
}

void TFastLineSeries::ApplyGalleryStyle(int index)
{
    switch (index) {
    case 1: Marks().SetVisible(true); break;
    case 2: LinePen()->SetSmallDots(true); break;
    case 3: SetStairs(true); break;
    default: break;
    }
}

// ---- drawing ----

bool TFastLineSeries::polylineMode() const
{
    return drawAllPoints_ && drawStyle_ == flAll && TreatNulls() == tnIgnore && !stairs_ &&
           !(ParentChart() && ParentChart()->View3D());
}

bool TFastLineSeries::fastPenInUse() const
{
    const TCustomAxisPanel* chart = ParentChart();
    return fastPen_ && !(chart && chart->Canvas3D()->IsTrue3D() && polylineMode());
}

void TFastLineSeries::preparePen(TCanvas3D& canvas) const
{
    const TColor color = LinePen()->Color() == clAutomatic ? SeriesColor() : LinePen()->Color();
    canvas.SelectPen(*LinePen(), color);
    canvas.Brush()->SetStyle(bsClear);
    canvas.SetBackgroundMode(TRANSPARENT);
}

void TFastLineSeries::GetLegendSymbolStyle(int, TColor&, TBrushStyle&) const
{
    if (const TCustomAxisPanel* chart = ParentChart()) preparePen(*chart->Canvas3D());
}

void TFastLineSeries::FillLegendSymbol(int, const TRect& rect)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    preparePen(canvas);
    const int middle = (rect.Top + rect.Bottom) / 2;
    canvas.MoveTo(rect.Left, middle);
    canvas.LineTo(rect.Right, middle);
}

TPoint TFastLineSeries::screenPoint(int index) const
{
    return {ValueScreenX(XValues()->ValueAt(index)), ValueScreenY(YValues()->ValueAt(index))};
}

void TFastLineSeries::moveTo(TCanvas3D& canvas, int x, int y)
{
    const TCustomAxisPanel* chart = ParentChart();
    if (chart && chart->View3D())
        canvas.MoveToXYZ(x, y, ComputeDepthRange().middle);
    else
        canvas.MoveTo(x, y);
}

void TFastLineSeries::lineTo(TCanvas3D& canvas, int x, int y)
{
    const TCustomAxisPanel* chart = ParentChart();
    if (chart && chart->View3D()) {
        const int z = ComputeDepthRange().middle;
        if (stairs_) canvas.LineToXYZ(invertedStairs_ ? lastX_ : x, invertedStairs_ ? y : lastY_, z);
        canvas.LineToXYZ(x, y, z);
    } else if (fastPenInUse()) {
        const TCachedContext cached(canvas, !drawing_);
        if (stairs_) canvas.LineToCached(invertedStairs_ ? lastX_ : x, invertedStairs_ ? y : lastY_);
        canvas.LineToCached(x, y);
    } else {
        if (stairs_) canvas.LineTo(invertedStairs_ ? lastX_ : x, invertedStairs_ ? y : lastY_);
        canvas.LineTo(x, y);
    }
    lastX_ = x, lastY_ = y;
}

void TFastLineSeries::PrecalcPoints()
{
    FindVisibleRange();
    const int first = FirstVisibleIndex(), last = LastVisibleIndex();
    if (first < 0 || last < first) {
        points_.clear();
        return;
    }
    const int start = std::max(first - 1, 0);
    const TPoint p = screenPoint(start);
    lastX_ = p.X, lastY_ = p.Y;
    if (!polylineMode()) return;
    points_.resize(static_cast<size_t>(last - start + 1));
    points_[0] = p;
    for (int i = start + 1; i <= last; ++i) points_[static_cast<size_t>(i - start)] = screenPoint(i);
}

void TFastLineSeries::DrawVisiblePoints()
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    struct TDrawing {
        bool& flag;
        explicit TDrawing(bool& f) : flag(f) { flag = true; }
        ~TDrawing() { flag = false; }
    } drawing(drawing_);
    std::optional<TBlendSection> blend;
    if (Transparency() > 0 && !canvas.SupportsAlpha()) blend.emplace(canvas, canvas.DrawBounds(), Transparency());
    preparePen(canvas);
    const bool polyline = polylineMode();
    if (!polyline) {
        moveTo(canvas, lastX_, lastY_);
        if (!drawAllPoints_) {
            columnMin_ = columnMax_ = lastY_;
            columnPending_ = false;
        }
    }
    const TCachedContext cached(canvas, fastPenInUse());
    if (polyline) {
        if (chart->View3D())
            canvas.PolylineAtZ(points_, ComputeDepthRange().middle);
        else
            canvas.Polyline(points_);
        return;
    }
    const int first = FirstVisibleIndex(), last = LastVisibleIndex();
    if (first > 0) DrawPoint(first);
    for (int i = first + 1; i <= last; ++i) DrawPoint(i);
}

// Whether point index draws; moves the pen where the rules say it only moves.
bool TFastLineSeries::decide(int index, int x, int y)
{
    TCanvas3D& canvas = *ParentChart()->Canvas3D();
    const bool minMax = drawAllPointsStyle_ == daMinMax && !drawAllPoints_;
    const bool changed = x != lastX_ || ((drawAllPoints_ || drawAllPointsStyle_ == daMinMax) && y != lastY_);
    const bool isNull = IsNullPoint(index);
    const bool prevNull = index > 0 && IsNullPoint(index - 1);
    const int firstDrawn = FirstVisibleIndex() > 0 ? FirstVisibleIndex() : 0;
    if (!isNull) {
        bool yes = index == 0 || changed || (minMax && index > 0 && !prevNull);
        if ((prevNull && (TreatNulls() == tnDontPaint || (TreatNulls() == tnSkip && index - 1 == firstDrawn))) ||
            index == 0) {
            moveTo(canvas, x, y);
            if (stairs_ || true) lastX_ = x, lastY_ = y;
            yes = false;
        }
        return yes;
    }
    switch (TreatNulls()) {
    case tnIgnore: return index > 0 && (changed || !prevNull);
    case tnSkip: return false;
    case tnDontPaint:
        if (!drawAllPoints_) {
            if (drawAllPointsStyle_ == daFirst)
                moveTo(canvas, x, y);
            else
                lastX_ = x, lastY_ = y;
        }
        return false;
    }
    return false;
}

void TFastLineSeries::DrawPoint(int index)
{
    TCustomAxisPanel* chart = ParentChart();
    if (!chart) return;
    TCanvas3D& canvas = *chart->Canvas3D();
    const TPoint p = screenPoint(index);
    const int x = p.X, y = p.Y;
    if (TreatNulls() == tnIgnore && drawAllPoints_) {
        lineTo(canvas, x, y);
        return;
    }
    const bool inverted = GetVertAxis() && GetVertAxis()->Inverted();
    const bool minMax = !drawAllPoints_ && drawAllPointsStyle_ == daMinMax;
    if (decide(index, x, y)) {
        if (!minMax) {
            lineTo(canvas, x, y);
            return;
        }
        if (x == lastX_) {
            columnMin_ = std::min(columnMin_, y);
            columnMax_ = std::max(columnMax_, y);
            columnPending_ = true;
            if (index == LastVisibleIndex()) {
                const int column = lastX_;
                if (inverted) lineTo(canvas, column, columnMax_);
                lineTo(canvas, column, columnMin_);
                lineTo(canvas, column, columnMax_);
            } else {
                lineTo(canvas, x, y);
            }
            return;
        }
        if (columnPending_) {
            const int column = lastX_;
            lineTo(canvas, column, inverted ? columnMax_ : columnMin_);
            lineTo(canvas, column, inverted ? columnMin_ : columnMax_);
        }
        lineTo(canvas, x, y);
        columnPending_ = false;
        columnMin_ = columnMax_ = y;
        return;
    }
    if (minMax) {
        if (index != FirstVisibleIndex()) moveTo(canvas, x, y);
        columnMin_ = columnMax_ = y;
    } else if (TreatNulls() == tnSkip && IsNullPoint(index)) {
        // the null point's position becomes the last position only for the decision above
    }
}

void TFastLineSeries::PointAdded(int index)
{
    TCustomAxisPanel* chart = ParentChart();
    if (autoRepaint_ || !chart || !chart->Canvas3D()) {
        TCustomLineSeries::PointAdded(index);
        return;
    }
    TCanvas3D& canvas = *chart->Canvas3D();
    // A window is drawn only in a paint: the segment goes into the off-screen buffer and the next
    // paint copies it. Without a buffer (unbuffered, or nothing painted yet) the window repaints.
    const bool buffered = canvas.GetBuffered();
    TBitmap* buffer = buffered ? canvas.BufferBitmap() : nullptr;
    if (buffered ? !buffer : chart->Parent() != nullptr) {
        chart->Invalidate();
        return;
    }
    // Outside a paint the canvas stays bound to its buffer, as the panel's rubber band does; the
    // next paint binds the window again.
    if (buffer && canvas.TargetCanvas() != buffer->Canvas()) canvas.BindCanvas(buffer->Canvas());
    const TPoint before = screenPoint(std::max(index - 1, 0));
    if (!drawAllPoints_ && before.X != lastX_) lastX_ = before.X, lastY_ = before.Y;
    preparePen(canvas);
    moveTo(canvas, lastX_, lastY_);
    const int fromX = lastX_, fromY = lastY_;
    DrawPoint(index);
    if (buffered) {
        const int w = LinePen()->Width() + 1;
        chart->RepaintBufferRect({std::min(fromX, lastX_) - w, std::min(fromY, lastY_) - w, std::max(fromX, lastX_) + w,
                               std::max(fromY, lastY_) + w});
    }
}

void TFastLineSeries::RemoveAllPoints()
{
    TCustomLineSeries::RemoveAllPoints();
    TCustomAxisPanel* chart = ParentChart();
    if (!chart || !GetHorizAxis() || !GetVertAxis()) return;
    lastX_ = GetVertAxis()->AxisLinePosition();
    lastY_ = GetHorizAxis()->AxisLinePosition();
    if (chart->Canvas3D()) moveTo(*chart->Canvas3D(), lastX_, lastY_);
}

void TFastLineSeries::FindVisibleRange()
{
    TCustomLineSeries::FindVisibleRange();
    const int first = FirstVisibleIndex(), last = LastVisibleIndex();
    if (drawAllPoints_ || first < 0 || first != last) return;
    if (first == 0) {
        SetVisibleRange(-1, last);
        return;
    }
    const int column = screenPoint(first - 1).X;
    int start = first - 1;
    while (start > 0 && screenPoint(start - 1).X == column) --start;
    SetVisibleRange(start, last);
}

int TFastLineSeries::HitTest(int x, int y)
{
    const int first = FirstVisibleIndex(), last = LastVisibleIndex();
    if (first < 0 || last < first) return -1;
    TCustomAxisPanel* chart = ParentChart();
    if (chart && chart->View3D()) chart->Canvas3D()->UnprojectXY(x, y, ComputeDepthRange().middle);
    const TPoint click{x, y};
    TPoint prev{};
    for (int i = first; i <= last; ++i) {
        const TPoint p = screenPoint(i);
        if (p.X == x && p.Y == y) return i;
        if (i > first) {
            bool near;
            if (!stairs_)
                near = IsNearSegment(click, prev, p, clickTolerance_);
            else if (invertedStairs_)
                near = IsNearSegmentXY(click, prev.X, prev.Y, prev.X, p.Y, clickTolerance_) ||
                       IsNearSegmentXY(click, prev.X, p.Y, p.X, p.Y, clickTolerance_);
            else
                near = IsNearSegmentXY(click, prev.X, prev.Y, p.X, prev.Y, clickTolerance_) ||
                       IsNearSegmentXY(click, p.X, prev.Y, p.X, p.Y, clickTolerance_);
            if (near) return i - 1;
        }
        prev = p;
    }
    return -1;
}
