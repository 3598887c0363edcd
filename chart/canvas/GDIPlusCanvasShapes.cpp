// Drawing operations of the antialiased canvas: every figure is filled with a fresh brush and then
// stroked with the cached pen; XOR-mode pens go to the companion GDI-style canvas, whose raster
// operation can erase what it drew.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/canvas/ChangeGuard.h"
#include "chart/canvas/GDIPlusCanvas.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GdiPlus.h"

namespace {

TFloatRect floatRect(int left, int top, int right, int bottom)
{
    return {static_cast<float>(left), static_cast<float>(top), static_cast<float>(right), static_cast<float>(bottom)};
}

TFloatRect normalBox(TPointFloat a, TPointFloat b)
{
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

std::vector<TPointFloat> toFloat(std::span<const TPoint> points)
{
    std::vector<TPointFloat> out;
    out.reserve(points.size());
    for (const TPoint& p : points) out.push_back({static_cast<float>(p.X), static_cast<float>(p.Y)});
    return out;
}

// A figure with a point that is no number has no shape: it is left out whole.
bool allFinite(std::span<const TPointFloat> points)
{
    return std::all_of(points.begin(), points.end(),
                       [](const TPointFloat& p) { return std::isfinite(p.X) && std::isfinite(p.Y); });
}

std::vector<TGPPointF> layerPoints(std::span<const TPointFloat> points)
{
    std::vector<TGPPointF> out;
    out.reserve(points.size());
    for (const TPointFloat& p : points) out.push_back({p.X, p.Y});
    return out;
}

bool finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

}  // namespace

// ---- XOR pens ----

bool TGDIPlusCanvas::xorPen() const
{
    const TPenMode mode = Pen()->Mode();
    return mode == pmXor || mode == pmNotXor;
}

TZebCanvas3D& TGDIPlusCanvas::companionFor(bool withBrush)
{
    flushRun();
    if (!companion_->TargetCanvas()) companion_->BindCanvas(TargetCanvas());
    companion_->Pen()->Assign(Pen());
    if (withBrush) companion_->Brush()->Assign(Brush());
    companion_->ApplyPen();
    return *companion_;
}

// ---- lines ----

// A move to where the pending run ends keeps the run: a line drawn segment by segment, each one
// starting with a move to the end of the one before, becomes one polyline.
void TGDIPlusCanvas::MoveTo(int x, int y)
{
    const TGPPointF to{static_cast<float>(x), static_cast<float>(y)};
    if (!pendingRun_.empty() && !sameGPPoint(pendingRun_.back(), to)) flushRun();
    x_ = to.X;
    y_ = to.Y;
}

void TGDIPlusCanvas::strokeLine(TPointFloat from, TPointFloat to)
{
    x_ = to.X, y_ = to.Y;
    if (xorPen()) {
        TZebCanvas3D& gdi = companionFor(false);
        gdi.MoveTo(PixelRound(from.X), PixelRound(from.Y));
        gdi.LineTo(PixelRound(to.X), PixelRound(to.Y));
        return;
    }
    if (!GetGraphics() || !PreparePen()) return;
    PenFillForRect(normalBox(from, to));
    graphics_->DrawLine(*gpPen_, from.X, from.Y, to.X, to.Y);
}

// Segments of a wide opaque solid pen with round ends and joins join the pending run (see
// LineToCached): the union of round-capped segments is the polyline's shape, and one stroke costs
// far less than one per segment. Only the antialiased edge where segments overlap is blended once
// instead of once per segment. Thin pens keep their segments: the painter draws them cheaply.
void TGDIPlusCanvas::LineTo(int x, int y)
{
    const TGPPointF to{static_cast<float>(x), static_cast<float>(y)};
    if (JoinLineSegments && graphics_ && Pen()->Width() > 1 && !xorPen() && joinsInvisibly() && PreparePen()) {
        appendToRun(to);
        return;
    }
    strokeLine({x_, y_}, {to.X, to.Y});
}

void TGDIPlusCanvas::appendToRun(TGPPointF to)
{
    const TGPPointF from{x_, y_};
    if (!pendingRun_.empty() && !sameGPPoint(pendingRun_.back(), from)) flushRun();
    if (pendingRun_.empty()) pendingRun_.push_back(from);
    pendingRun_.push_back(to);
    // Long runs go in pieces: a fill's cost grows faster than its outline (64 points measured best).
    if (pendingRun_.size() >= 64) {
        flushRun();
        pendingRun_.push_back(to);
    }
    x_ = to.X, y_ = to.Y;
}

// A run of cached lines with a solid pen whose ends and joins are round is one polyline: it looks
// the same as its segments drawn one by one and costs one call. It is drawn when anything else
// happens on the canvas (every other operation fetches the graphics first) or the pen changes.
void TGDIPlusCanvas::LineToCached(int x, int y)
{
    const TGPPointF to{static_cast<float>(x), static_cast<float>(y)};
    if (gpPen_ && graphics_) {
        if (!joinsInvisibly()) {
            graphics_->DrawLine(*gpPen_, x_, y_, to.X, to.Y);
        } else {
            appendToRun(to);
            return;
        }
    }
    x_ = to.X, y_ = to.Y;
}

TColor TGDIPlusCanvas::GetPixelColor(int x, int y)
{
    flushRun();
    return TZebCanvas3D::GetPixelColor(x, y);
}

bool TGDIPlusCanvas::CopyBufferTo(TGraphic*& graphic, const TRect& rect)
{
    flushRun();
    return TZebCanvas3D::CopyBufferTo(graphic, rect);
}

void TGDIPlusCanvas::flushRun()
{
    if (pendingRun_.size() >= 2 && gpPen_ && graphics_)
        graphics_->DrawLines(*gpPen_, pendingRun_.data(), static_cast<int>(pendingRun_.size()));
    pendingRun_.clear();
}

void TGDIPlusCanvas::DrawLine(int x0, int y0, int x1, int y1)
{
    strokeLine({static_cast<float>(x0), static_cast<float>(y0)}, {static_cast<float>(x1), static_cast<float>(y1)});
}

void TGDIPlusCanvas::HorizontalSegment(int x0, int x1, int y) { DrawLine(x0, y, x1, y); }

void TGDIPlusCanvas::VerticalSegment(int x, int y0, int y1) { DrawLine(x, y0, x, y1); }

// Exactly the one pixel, in a brush of its own: the cached pen keeps its colour and width.
void TGDIPlusCanvas::SetPixelColor(int x, int y, TColor c)
{
    if (!GetGraphics()) return;
    const TGPSolidBrush brush(color(c));
    graphics_->FillRectangleI(brush, x, y, 1, 1);
}

void TGDIPlusCanvas::Polyline(std::span<const TPoint> points)
{
    if (points.size() < 2) return;
    if (xorPen()) {
        companionFor(false).Polyline(points);
        return;
    }
    if (!GetGraphics() || !PreparePen()) return;
    if (Pen()->HasGradientFill()) PenFillForPoints(toFloat(points));
    // A long line of an opaque round solid pen goes in pieces that share their end points: the
    // round ends cover each other exactly, and a stroke's cost grows faster than its length.
    constexpr std::size_t piece = 256;
    if (points.size() > piece && joinsInvisibly()) {
        for (std::size_t from = 0; from + 1 < points.size(); from += piece - 1) {
            const std::size_t count = std::min(piece, points.size() - from);
            graphics_->DrawLinesI(*gpPen_, points.data() + from, static_cast<int>(count));
        }
        return;
    }
    graphics_->DrawLinesI(*gpPen_, points.data(), static_cast<int>(points.size()));
}

bool TGDIPlusCanvas::joinsInvisibly() const
{
    const TZebPen& pen = *Pen();
    return !pen.HasGradientFill() && GPDashStyle(pen) <= 0 && GPColor(pen.Color(), alpha_) >> 24 == 255 &&
           (pen.Width() <= 1 || (pen.EndStyle() == esRound && pen.JoinStyle() == jsRound));
}

void TGDIPlusCanvas::PolylineFloat(std::span<const TPointFloat> points)
{
    if (points.size() < 2 || !allFinite(points) || !GetGraphics() || !PreparePen()) return;
    const std::span<const TPointFloat> pts = points;
    PenFillForPoints(pts);
    graphics_->DrawLines(*gpPen_, layerPoints(pts).data(), static_cast<int>(pts.size()));
}

// ---- polygons and curves ----

void TGDIPlusCanvas::Polygon(std::span<const TPoint> points)
{
    if (points.empty() || !GetGraphics()) return;
    // Float points only where a gradient is shaped by them.
    const bool shaped = HasBrushGradient() || Pen()->HasGradientFill();
    const auto pts = shaped ? toFloat(points) : std::vector<TPointFloat>{};
    TGPBrush* brush = BrushForPoints(pts);
    // Fill and outline in one painter set-up where the pen keeps the smoothing the fill is drawn in.
    if (points.size() >= 3 && !xorPen()) {
        const bool smoothing = smoothing_;
        const bool pen = PreparePen();
        if (smoothing_ == smoothing) {
            if (!brush && !pen) return;
            if (pen) PenFillForPoints(pts);
            graphics_->FillDrawPolygonI(brush, pen ? gpPen_.get() : nullptr, points.data(),
                                        static_cast<int>(points.size()));
            return;
        }
        setSmoothingForPen(smoothing);
    }
    if (brush) graphics_->FillPolygonI(*brush, points.data(), static_cast<int>(points.size()));
    if (xorPen()) {
        TZebCanvas3D& gdi = companionFor(true);
        gdi.Brush()->SetStyle(bsClear);
        gdi.Polygon(points);
        return;
    }
    if (!PreparePen()) return;
    PenFillForPoints(pts);
    graphics_->DrawPolygonI(*gpPen_, points.data(), static_cast<int>(points.size()));
}

// Plain solid fills in one painter set-up; anything the brush or pen shapes by the points, and
// pens that switch the smoothing, go polygon by polygon.
void TGDIPlusCanvas::ColoredPolygons(std::span<const TPoint> points, int perPolygon, std::span<const TColor> colors)
{
    if (perPolygon < 3 || !GetGraphics()) return;
    const size_t count = std::min(colors.size(), points.size() / static_cast<size_t>(perPolygon));
    if (count == 0) return;
    const bool plain = Brush()->Style() == bsSolid && !HasBrushGradient() && !Brush()->HasImage() &&
                       !(Brush()->Bitmap() && !Brush()->Bitmap()->Empty()) && !Pen()->HasGradientFill() && !xorPen();
    const bool smoothing = smoothing_;
    const bool pen = plain && PreparePen();
    if (!plain || smoothing_ != smoothing) {
        setSmoothingForPen(smoothing);
        TCanvas3D::ColoredPolygons(points, perPolygon, colors);
        return;
    }
    runColors_.clear();
    for (size_t i = 0; i < count; ++i) runColors_.push_back(color(colors[i]));
    TGPSolidBrush brush(runColors_.front());
    graphics_->FillDrawPolygonRunI(brush, runColors_.data(), pen ? gpPen_.get() : nullptr, points.data(), perPolygon,
                                   static_cast<int>(count));
    Brush()->SetColor(colors[count - 1]);
}

void TGDIPlusCanvas::ColoredPointBlocks(std::span<const TFourPoints> blocks, std::span<const int> depths,
                                        std::span<const TColor> colors)
{
    const size_t count = std::min({blocks.size(), colors.size(), depths.size() / 2});
    runPoints_.clear();
    for (size_t i = 0; i < count; ++i)
        for (size_t k = 0; k < 4; ++k)
            runPoints_.push_back(ProjectXYZ(blocks[i][k].X, blocks[i][k].Y, depths[2 * i + (k < 2 ? 0 : 1)]));
    ColoredPolygons(runPoints_, 4, colors.first(count));
}

void TGDIPlusCanvas::PolygonFloat(std::span<const TPointFloat> points)
{
    if (points.empty() || !allFinite(points) || !GetGraphics()) return;
    const std::span<const TPointFloat> pts = points;
    if (TGPBrush* brush = BrushForPoints(pts))
        graphics_->FillPolygon(*brush, layerPoints(pts).data(), static_cast<int>(pts.size()));
    if (!PreparePen()) return;
    PenFillForPoints(pts);
    graphics_->DrawPolygon(*gpPen_, layerPoints(pts).data(), static_cast<int>(pts.size()));
}

void TGDIPlusCanvas::PolylineOrPolygon(std::span<const TPoint> points, float tension, bool closed, bool unused)
{
    (void)unused;
    if (points.size() < 2 || !GetGraphics()) return;
    if (!std::isfinite(tension)) tension = 0.5f;
    const auto pts = toFloat(points);
    if (TGPBrush* brush = BrushForPoints(pts))
        graphics_->FillClosedCurve2I(*brush, points.data(), static_cast<int>(points.size()), tension);
    if (!PreparePen()) return;
    PenFillForPoints(pts, true);
    if (closed)
        graphics_->DrawClosedCurve2I(*gpPen_, points.data(), static_cast<int>(points.size()), tension);
    else
        graphics_->DrawCurve2I(*gpPen_, points.data(), static_cast<int>(points.size()), tension);
}

// ---- rectangles and ellipses ----

void TGDIPlusCanvas::FillRectangle(const TRect& rect)
{
    if (!GetGraphics()) return;
    if (TGPBrush* brush = BrushForRect(floatRect(rect.Left, rect.Top, rect.Right, rect.Bottom)))
        graphics_->FillRectangleI(*brush, rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top);
}

void TGDIPlusCanvas::Rectangle(int x0, int y0, int x1, int y1)
{
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    if (xorPen()) {
        companionFor(true).Rectangle(x0, y0, x1, y1);
        return;
    }
    if (!GetGraphics()) return;
    const TZebPen& pen = *Pen();
    if (TGPBrush* brush = BrushForRect(floatRect(x0, y0, x1, y1))) {
        if (pen.Visible() && pen.Style() != psClear && pen.Width() > 1) {
            // The fill ends in the middle of a wide outline, so a translucent outline does not
            // show the fill through its inner half.
            const float h = pen.Width() / 2.0f;
            graphics_->FillRectangle(*brush, x0 + h, y0 + h, x1 - x0 - 2 * h, y1 - y0 - 2 * h);
        } else {
            graphics_->FillRectangleI(*brush, x0, y0, x1 - x0, y1 - y0);
        }
    }
    if (!PreparePen()) return;
    PenFillForRect(floatRect(x0, y0, x1, y1));
    graphics_->DrawRectangleI(*gpPen_, x0, y0, x1 - x0, y1 - y0);
}

void TGDIPlusCanvas::Ellipse(int x1, int y1, int x2, int y2)
{
    if (!GetGraphics()) return;
    const bool outline = !xorPen() && PreparePen();
    const TZebPen& pen = *Pen();
    if (TGPBrush* brush = BrushForRect(floatRect(x1, y1, x2, y2))) {
        if (pen.Visible() && pen.Style() != psClear && pen.Width() > 1) {
            const float h = pen.Width() / 2.0f;
            graphics_->FillEllipse(*brush, x1 + h, y1 + h, x2 - x1 - 2 * h, y2 - y1 - 2 * h);
        } else {
            graphics_->FillEllipseI(*brush, x1, y1, x2 - x1, y2 - y1);
        }
    }
    if (xorPen()) {
        TZebCanvas3D& gdi = companionFor(true);
        gdi.Brush()->SetStyle(bsClear);
        gdi.Ellipse(x1, y1, x2, y2);
        return;
    }
    if (!outline) return;
    PenFillForRect(floatRect(x1, y1, x2, y2));
    graphics_->DrawEllipseI(*gpPen_, x1, y1, x2 - x1, y2 - y1);
}

void TGDIPlusCanvas::addRoundRect(TGPGraphicsPath& path, const TRect& r, int cornerWidth, int cornerHeight)
{
    const int w = GPCornerSize(cornerWidth, r.Right - r.Left), h = GPCornerSize(cornerHeight, r.Bottom - r.Top);
    path.AddArcI(r.Right - w, r.Top, w, h, 270, 90);
    path.AddArcI(r.Right - w, r.Bottom - h, w, h, 0, 90);
    path.AddArcI(r.Left, r.Bottom - h, w, h, 90, 90);
    path.AddArcI(r.Left, r.Top, w, h, 180, 90);
    path.CloseFigure();
}

void TGDIPlusCanvas::fillAndStrokePath(TGPGraphicsPath& path, const TFloatRect& bounds, bool gradientFromPath)
{
    if (!GetGraphics()) return;
    TGPBrush* brush = nullptr;
    if (gradientFromPath && HasBrushGradient() && gradientPolygon_.empty()) {
        std::vector<TGPPointF> pts(static_cast<std::size_t>(path.GetPointCount()));
        path.GetPathPoints(pts.data(), static_cast<int>(pts.size()));
        std::vector<TPointFloat> own;
        own.reserve(pts.size());
        for (const TGPPointF& p : pts) own.push_back({p.X, p.Y});
        brush = BrushForPoints(own);
    } else {
        brush = BrushForRect(bounds);
    }
    if (brush) graphics_->FillPath(*brush, path);
    if (!PreparePen()) return;
    PenFillForRect(bounds);
    graphics_->DrawPath(*gpPen_, path);
}

void TGDIPlusCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight)
{
    TRect r{x1, y1, x2, y2};
    if (!antiAlias_) --r.Right, --r.Bottom;
    TGPGraphicsPath path;
    addRoundRect(path, r, cornerWidth, cornerHeight);
    fillAndStrokePath(path, floatRect(r.Left, r.Top, r.Right, r.Bottom), false);
}

void TGDIPlusCanvas::RoundedRectangleAtZ(const TRect& rect, int cornerWidth, int cornerHeight, int z)
{
    if (!IsOrthogonal()) {
        RectangleAtZ(rect, z);
        return;
    }
    (void)cornerHeight;
    RoundRectCorners(ProjectRectAtZ(rect, z), cornerWidth, cornerWidth);
}

// ---- arcs and pies ----

void TGDIPlusCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    if (Pen()->Style() == psClear) return;
    double start = 0, end = 0;
    ArcPointAngles(x1, y1, x2, y2, x3, y3, x4, y4, start, end);
    ArcByAngles(x1, y1, x2, y2, static_cast<float>(start), static_cast<float>(end));
}

void TGDIPlusCanvas::ArcByAngles(int left, int top, int right, int bottom, float startAngle, float endAngle)
{
    if (!finite(startAngle, endAngle) || !GetGraphics() || !PreparePen()) return;
    const int y = std::min(top, bottom), w = std::abs(right - left), h = std::abs(bottom - top);
    PenFillForRect(floatRect(left, y, left + w, y + h));
    graphics_->DrawArcI(*gpPen_, left, y, w, h, -startAngle, -(endAngle - startAngle));
}

// The radial points' angles converted as ArcByAngles converts them, the sweep running the way the
// flag asks: counter-clockwise on the screen unless clockwise.
void TGDIPlusCanvas::ArcToDirected(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4,
                                   bool clockwise)
{
    if (!GetGraphics() || !PreparePen()) return;
    double start = 0, end = 0;
    ArcPointAngles(left, top, right, bottom, x3, y3, x4, y4, start, end);
    double sweep = end - start;  // counter-clockwise, in chart degrees
    if (clockwise) {
        if (sweep > 0) sweep -= 360;
    } else if (sweep < 0) {
        sweep += 360;
    }
    PenFillForRect(floatRect(left, top, right, bottom));
    graphics_->DrawArcI(*gpPen_, left, top, right - left, bottom - top, static_cast<float>(-start),
                        static_cast<float>(-sweep));
    x_ = static_cast<float>(x4), y_ = static_cast<float>(y4);
}

void TGDIPlusCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    double start = 0, end = 0;
    ArcPointAngles(x1, y1, x2, y2, x3, y3, x4, y4, start, end);
    PieByAngles({x1, y1, x2, y2}, start, end);
}

void TGDIPlusCanvas::PieByAngles(const TRect& rect, double startAngle, double endAngle)
{
    if (!finite(startAngle, endAngle) || !GetGraphics()) return;
    const TGPArc a = GPPieAngles(startAngle, endAngle);
    const int w = rect.Right - rect.Left, h = rect.Bottom - rect.Top;
    if (TGPBrush* brush = BrushForRect(floatRect(rect.Left, rect.Top, rect.Right, rect.Bottom)))
        graphics_->FillPieI(*brush, rect.Left, rect.Top, w, h, a.Start, a.Sweep);
    if (!PreparePen()) return;
    PenFillForRect(floatRect(rect.Left, rect.Top, rect.Right, rect.Bottom));
    if (a.Sweep != 360)
        graphics_->DrawPieI(*gpPen_, rect.Left, rect.Top, w, h, a.Start, a.Sweep);
    else
        graphics_->DrawEllipseI(*gpPen_, rect.Left, rect.Top, w, h);
}

void TGDIPlusCanvas::DrawDonutSlice(int centerX, int centerY, int radiusX, int radiusY, double startAngle,
                                    double endAngle, double donutPercent)
{
    if (!finite(startAngle, endAngle) || !std::isfinite(donutPercent) || !GetGraphics()) return;
    const auto a = static_cast<float>(360 - startAngle * 180 / std::numbers::pi);
    const auto b = static_cast<float>(360 - endAngle * 180 / std::numbers::pi);
    TGPGraphicsPath path;
    if (donutPercent > 0) {
        path.AddArcI(centerX - radiusX, centerY - radiusY, 2 * radiusX, 2 * radiusY, a, b - a);
        const auto ix = static_cast<float>(radiusX * donutPercent / 100),
                   iy = static_cast<float>(radiusY * donutPercent / 100);
        path.AddArc(centerX - ix, centerY - iy, 2 * ix, 2 * iy, b, a - b);
        path.CloseFigure();
    } else {
        path.AddPieI(centerX - radiusX, centerY - radiusY, 2 * radiusX, 2 * radiusY, b, a - b);
    }
    fillAndStrokePath(path, floatRect(centerX - radiusX, centerY - radiusY, centerX + radiusX, centerY + radiusY),
                      false);
}

// ---- 3-D lines ----

void TGDIPlusCanvas::MoveToXYZ(int x, int y, int z)
{
    const TPoint p = ProjectXYZ(x, y, z);
    x_ = static_cast<float>(p.X), y_ = static_cast<float>(p.Y);
    z_ = z;
}

void TGDIPlusCanvas::LineToXYZ(int x, int y, int z)
{
    const TPoint p = ProjectXYZ(x, y, z);
    LineTo(p.X, p.Y);
}

void TGDIPlusCanvas::LineAlongX3D(int x0, int x1, int y, int z)
{
    const TPoint a = ProjectXYZ(x0, y, z), b = ProjectXYZ(x1, y, z);
    DrawLine(a.X, a.Y, b.X, b.Y);
}

void TGDIPlusCanvas::LineAlongY3D(int x, int y0, int y1, int z)
{
    const TPoint a = ProjectXYZ(x, y0, z), b = ProjectXYZ(x, y1, z);
    DrawLine(a.X, a.Y, b.X, b.Y);
}

void TGDIPlusCanvas::LineAlongZ3D(int x, int y, int z0, int z1)
{
    const TPoint a = ProjectXYZ(x, y, z0), b = ProjectXYZ(x, y, z1);
    DrawLine(a.X, a.Y, b.X, b.Y);
}

// XOR pens go through the companion here too, so rubber bands drawn at a depth erase themselves.
void TGDIPlusCanvas::LineAtZ(int x0, int y0, int x1, int y1, int z)
{
    const TPoint a = ProjectXYZ(x0, y0, z), b = ProjectXYZ(x1, y1, z);
    DrawLine(a.X, a.Y, b.X, b.Y);
}

void TGDIPlusCanvas::SetPixelAtZ(int x, int y, int z, TColor c)
{
    const TPoint p = ProjectXYZ(x, y, z);
    SetPixelColor(p.X, p.Y, c);
}

// ---- shadows and gloss ----

void TGDIPlusCanvas::PaintShadow(TZebShadow& shadow, const TRect& rect, bool ellipse, int roundSize,
                                 std::span<const TPoint> points, int holePercent, double startAngle, double endAngle)
{
    if (!GetGraphics()) return;
    TGPGraphicsPath path;
    if (!points.empty()) {
        path.AddLine2I(points.data(), static_cast<int>(points.size()));
        path.CloseFigure();
    } else if (roundSize != 0) {
        addRoundRect(path, rect, roundSize, roundSize);
    } else if (ellipse) {
        const int w = rect.Right - rect.Left, h = rect.Bottom - rect.Top;
        if (holePercent <= 0) {
            if (!finite(startAngle, endAngle)) return;
            if (endAngle - startAngle != 360) {
                const TGPArc a = GPPieAngles(startAngle, endAngle);
                path.AddPieI(rect.Left, rect.Top, w, h, a.Start, a.Sweep);
            } else {
                path.AddEllipseI(rect.Left, rect.Top, w, h);
            }
        } else {
            if (!finite(startAngle, endAngle)) return;
            const float rx = w / 2.0f, ry = h / 2.0f, cx = rect.Left + rx, cy = rect.Top + ry;
            const auto a = static_cast<float>(360 - startAngle), b = static_cast<float>(360 - endAngle);
            path.AddArc(cx - rx, cy - ry, 2 * rx, 2 * ry, a, b - a);
            const auto ix = static_cast<float>(rx * holePercent / 100.0),
                       iy = static_cast<float>(ry * holePercent / 100.0);
            path.AddArc(cx - ix, cy - iy, 2 * ix, 2 * iy, b, a - b);
            path.CloseFigure();
        }
    } else {
        addRoundRect(path, rect, 4, 4);
    }
    const TColor shade = ResolveColor(shadow.Color());
    if (shadow.Smooth()) {
        TGPPathGradientBrush brush(path);
        const std::uint32_t full = GPColor(shade, alpha_);
        const std::uint32_t edge = Metafiling() ? GPColor(shade, 255) : 0x00FFFFFFu;
        const std::uint32_t centre = Metafiling() ? edge : full;
        const TGPColor colors[] = {edge, centre, centre};
        const float positions[] = {0, GPShadowFadePosition(shadow.SmoothBlur()), 1};
        brush.SetPresetBlend(colors, positions, 3);
        graphics_->FillPath(brush, path);
        return;
    }
    TGPSolidBrush brush(GPColor(shade, GPAlphaOf(shadow.Transparency(), alpha_)));
    graphics_->FillPath(brush, path);
}

void TGDIPlusCanvas::DrawShineOverlay(int style, int z, const TRect& outer, const TRect& band, const TRect& inner,
                                      int startAngle, int endAngle, TPoint center, bool donut)
{
    TZebGradient saved;
    saved.Assign(Brush()->Gradient());
    const TPenStyle penStyle = Pen()->Style();
    {
        TChangeEventDetach quiet(*Pen());
        Pen()->SetStyle(psClear);
    }
    const auto ellipse = [&](const TRect& r, int from, int to) {
        std::vector<TPointFloat> pts;
        const int step = from <= to ? 1 : -1;
        for (int a = from;; a += step) {
            pts.push_back(PointOnEllipse(r, z, a));
            if (a == to) break;
        }
        return pts;
    };
    const auto restore = [&] {
        Brush()->Gradient()->Assign(&saved);
        TChangeEventDetach quiet(*Pen());
        Pen()->SetStyle(penStyle);
        gradientPolygon_.clear();
    };
    try {
        TZebGradient& g = *Brush()->Gradient();
        gradientPolygon_ = ellipse(outer, 0, 360);
        g.Colors()->Clear();
        g.Colors()->InsertColor(clWhite, 0, 0);
        g.Colors()->InsertColor(clWhite, 100, 1);
        g.SetDirection(gdRadial);
        g.SetAngle(0);
        g.SetRadialX(-((outer.Right - outer.Left) / 2));
        g.SetRadialY(-((outer.Bottom - outer.Top) / 2));
        g.SetVisible(true);
        std::vector<TPointFloat> figure;
        if (donut) {
            figure = ellipse(outer, startAngle, endAngle);
            const auto back = ellipse(inner, endAngle, startAngle);
            figure.insert(figure.end(), back.begin(), back.end());
        } else {
            figure.push_back({static_cast<float>(center.X), static_cast<float>(center.Y)});
            const auto arc = ellipse(outer, startAngle, endAngle);
            figure.insert(figure.end(), arc.begin(), arc.end());
        }
        PolygonFloat(figure);

        const auto within = [](int a) { return a >= 295 && a <= 335; };
        if ((style == 0 || style == 1) &&
            ((startAngle <= 295 && endAngle >= 335) || within(startAngle) || within(endAngle))) {
            gradientPolygon_ = ellipse(band, 295, 335);
            const auto back = ellipse(outer, 335, 295);
            gradientPolygon_.insert(gradientPolygon_.end(), back.begin(), back.end());
            g.Colors()->Clear();
            if (style == 0) {
                g.Colors()->InsertColor(clWhite, 100, 0);
                g.Colors()->InsertColor(clWhite, 20, 0.5);
                g.Colors()->InsertColor(clWhite, 100, 1);
                g.SetDirection(gdTopBottom);
                g.SetAngle(90);
            } else {
                float l = gradientPolygon_[0].X, r = l, t = gradientPolygon_[0].Y, b = t;
                for (const TPointFloat& p : gradientPolygon_)
                    l = std::min(l, p.X), r = std::max(r, p.X), t = std::min(t, p.Y), b = std::max(b, p.Y);
                g.Colors()->InsertColor(clWhite, 0, 0);
                g.Colors()->InsertColor(clWhite, 100, 1);
                g.SetDirection(gdRadial);
                g.SetRadialX(-RoundHalfEven((r - l) / 8));
                g.SetRadialY(-RoundHalfEven((b - t) / 8));
            }
            int lo = 295, hi = 335;
            if (!(startAngle <= 295 && endAngle >= 335)) {
                if (within(startAngle))
                    lo = startAngle;
                else
                    hi = endAngle;
            }
            figure = ellipse(band, lo, hi);
            const auto outerBack = ellipse(outer, hi, lo);
            figure.insert(figure.end(), outerBack.begin(), outerBack.end());
            PolygonFloat(figure);
        }
    } catch (...) {
        restore();
        throw;
    }
    restore();
}
