// Two-dimensional shapes, text and pictures of the device canvas. Brush pictures and gradients
// are painted through a clip of the shape, which is then outlined with a hollow brush.
#include <cmath>
#include <numbers>

#include "chart/canvas/BitmapRoutines.h"
#include "chart/canvas/Blend.h"
#include "chart/canvas/CanvasServices.h"
#include "chart/canvas/FilterConvolution.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebCanvas3D.h"
#include "chart/canvas/ZebPen.h"
#include "chart/canvas/ZebPicture.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Metafile.h"

namespace {

std::vector<TPoint> Rounded(std::span<const TPointFloat> points)
{
    std::vector<TPoint> out;
    out.reserve(points.size());
    for (const TPointFloat& p : points) out.push_back({PixelRound(p.X), PixelRound(p.Y)});
    return out;
}

TRect PointsBounds(std::span<const TPoint> points)
{
    TRect r{points[0].X, points[0].Y, points[0].X, points[0].Y};
    for (const TPoint& p : points) {
        r.Left = std::min(r.Left, p.X), r.Top = std::min(r.Top, p.Y);
        r.Right = std::max(r.Right, p.X), r.Bottom = std::max(r.Bottom, p.Y);
    }
    ++r.Right, ++r.Bottom;
    return r;
}

// A graphic drawn over a copy of the buffer under rect: transparent pixels show what is there.
std::unique_ptr<TBitmap> ComposeOverBuffer(TBitmap* buffer, const TRect& rect, TGraphic& graphic)
{
    const int w = std::abs(rect.Right - rect.Left), h = std::abs(rect.Bottom - rect.Top);
    auto out = std::make_unique<TBitmap>(w, h, pf32bit);
    if (buffer) out->Canvas()->Handle()->BitBlt(0, 0, w, h, *buffer->Canvas()->Handle(), rect.Left, rect.Top, SRCCOPY);
    out->Canvas()->StretchDraw({0, 0, w, h}, &graphic);
    return out;
}

}  // namespace

int TZebCanvas3D::FontQualityByte() const
{
    switch (Font()->Quality()) {
    case TZebFontQuality::fqBest: return ANTIALIASED_QUALITY;
    case TZebFontQuality::fqNormal: return NONANTIALIASED_QUALITY;
    case TZebFontQuality::fqClearType: return ANTIALIASED_QUALITY;
    case TZebFontQuality::fqDefault: break;
    }
    switch (textQuality_) {
    case TZebFontQuality::fqBest: return ANTIALIASED_QUALITY;
    case TZebFontQuality::fqNormal: return NONANTIALIASED_QUALITY;
    case TZebFontQuality::fqDefault: return DEFAULT_QUALITY;
    case TZebFontQuality::fqClearType: return CLEARTYPE_QUALITY;
    }
    return DEFAULT_QUALITY;
}

bool TZebCanvas3D::BrushHasGradient() { return Brush()->Style() != bsClear && Brush()->HasVisibleGradient(); }

void TZebCanvas3D::ShapeWithBrush(const TRect& bounds, const std::function<void()>& clip,
                                  const std::function<void()>& draw, bool pictures)
{
    const bool picture = pictures && Brush()->HasImage();
    const bool gradient = !picture && BrushHasGradient();
    if (!picture && !gradient) {
        draw();
        return;
    }
    if (clip) clip();
    if (picture)
        StretchGraphic(bounds, Brush()->Image()->GetFilteredGraphic());
    else
        PaintGradient(*Brush()->Gradient(), bounds);
    if (clip) RemoveClip();
    TBrush& target = *TargetCanvas()->Brush();
    const TBrushStyle style = target.Style();
    target.SetStyle(bsClear);
    draw();
    target.SetStyle(style);
}

void TZebCanvas3D::Rectangle(int x0, int y0, int x1, int y1)
{
    ShapeWithBrush({x0, y0, x1, y1}, {}, [&] { dc()->Rectangle(x0, y0, x1, y1); });
}

void TZebCanvas3D::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight)
{
    ShapeWithBrush(
        {x1, y1, x2, y2},
        [&] {
            ClipToRoundRect({x1, y1, x2, y2}, cornerWidth, cornerHeight);
        },
        [&] { dc()->RoundRect(x1, y1, x2, y2, cornerWidth, cornerHeight); });
}

void TZebCanvas3D::Ellipse(int x1, int y1, int x2, int y2)
{
    if (TargetCanvas()->Brush()->Style() != Brush()->Style()) ApplyBrush(*Brush());
    const TRect box{x1, y1, x2 + 1, y2 + 1};
    ShapeWithBrush(
        box, [&] { ClipToEllipse(box); }, [&] { dc()->Ellipse(x1, y1, x2, y2); }, false);
}

void TZebCanvas3D::Polygon(std::span<const TPoint> points)
{
    if (points.empty()) return;
    ShapeWithBrush(
        PointsBounds(points), [&] { ClipToPolygon(points); },
        [&] { dc()->Polygon(points.data(), static_cast<int>(points.size())); });
}

void TZebCanvas3D::PolygonFloat(std::span<const TPointFloat> points)
{
    const auto pts = Rounded(points);
    Polygon(pts);
}

void TZebCanvas3D::Polyline(std::span<const TPoint> points)
{
    dc()->Polyline(points.data(), static_cast<int>(points.size()));
}

void TZebCanvas3D::PolylineFloat(std::span<const TPointFloat> points)
{
    const auto pts = Rounded(points);
    Polyline(pts);
}

void TZebCanvas3D::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    dc()->Arc(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TZebCanvas3D::ArcToDirected(int left, int top, int right, int bottom, int x3, int y3, int x4, int y4,
                                 bool clockwise)
{
    HDC d = dc();
    if (clockwise) d->SetArcDirection(AD_CLOCKWISE);
    d->ArcTo(left, top, right, bottom, x3, y3, x4, y4);
    if (clockwise) d->SetArcDirection(AD_COUNTERCLOCKWISE);
}

void TZebCanvas3D::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    const bool gradient = BrushHasGradient();
    if (!gradient && x3 == x4 && y3 == y4) return;
    ShapeWithBrush(
        {x1, y1, x2, y2},
        [&] {
            HDC d = dc();
            d->BeginPath();
            d->Pie(x1, y1, x2, y2, x3, y3, x4, y4);
            d->EndPath();
            PushClipRegion(d, d->PathToRegion(), RGN_AND);
        },
        [&] {
            if (x3 != x4 || y3 != y4) dc()->Pie(x1, y1, x2, y2, x3, y3, x4, y4);
        },
        false);
}

void TZebCanvas3D::PieByAngles(const TRect& rect, double startAngle, double endAngle)
{
    if (!std::isfinite(startAngle) || !std::isfinite(endAngle)) return;
    const double span = endAngle - startAngle;
    if (std::abs(span - 360) < 0.05 && std::abs(span) > 180) {
        DrawEllipseRect(rect);
        return;
    }
    const double cx = (rect.Left + rect.Right) * 0.5, cy = (rect.Top + rect.Bottom) * 0.5;
    const auto at = [&](double a) {
        const double r = a * std::numbers::pi / 180;
        return TPoint{PixelRound(std::cos(r) * (rect.Right - rect.Left) * 0.5 + cx),
                      PixelRound(cy - std::sin(r) * (rect.Bottom - rect.Top) * 0.5)};
    };
    const TPoint a = at(startAngle), b = at(endAngle);
    if (a == b) {
        if (std::abs(span - 360) < 1 && std::abs(span) > 180)
            DrawEllipseRect(rect);
        else
            Pie(rect.Left, rect.Top, rect.Right, rect.Bottom, a.X, a.Y, a.X, a.Y);
        DrawLine(PixelRound(cx), PixelRound(cy), a.X, a.Y);
        return;
    }
    Pie(rect.Left, rect.Top, rect.Right, rect.Bottom, a.X, a.Y, b.X, b.Y);
}

void TZebCanvas3D::DrawDonutSlice(int centerX, int centerY, int radiusX, int radiusY, double startAngle,
                                  double endAngle, double donutPercent)
{
    if (!std::isfinite(startAngle) || !std::isfinite(endAngle) || !std::isfinite(donutPercent)) return;
    const double ix = radiusX * donutPercent * 0.01, iy = radiusY * donutPercent * 0.01;
    const auto at = [&](double a) {
        return TPoint{PixelRoundAt(std::cos(a) * radiusX, centerX), PixelRoundAt(-std::sin(a) * radiusY, centerY)};
    };
    const TPoint p0 = at(startAngle), p1 = at(endAngle);
    const bool full = std::abs(startAngle - endAngle) > 6.273185307179586;
    MoveTo(p0.X, p0.Y);
    if (p0 == p1 && !full) {
        LineTo(p1.X, p1.Y);
        return;
    }
    HDC d = dc();
    const TRect outer{centerX - radiusX, centerY - radiusY, centerX + radiusX, centerY + radiusY};
    const TRect inner{PixelRoundAt(-ix, centerX), PixelRoundAt(-iy, centerY), PixelRoundAt(ix, centerX),
                      PixelRoundAt(iy, centerY)};
    // The outer arc counter-clockwise and the inner one clockwise back make one figure.
    const auto record = [&] {
        d->BeginPath();
        if (donutPercent == 0) {
            d->Pie(outer.Left, outer.Top, outer.Right, outer.Bottom, p0.X, p0.Y, p1.X, p1.Y);
        } else {
            ArcToDirected(outer.Left, outer.Top, outer.Right, outer.Bottom, p0.X, p0.Y, p1.X, p1.Y, false);
            ArcToDirected(inner.Left, inner.Top, inner.Right, inner.Bottom, p1.X, p1.Y, p0.X, p0.Y, true);
            // Closed here, so that an outline stroked alone has its start side too.
            d->CloseFigure();
        }
        d->EndPath();
    };
    record();
    if (!BrushHasGradient()) {
        d->StrokeAndFillPath();
        return;
    }
    PushClipRegion(d, d->PathToRegion(), RGN_AND);
    PaintGradient(*Brush()->Gradient(), outer);
    RemoveClip();
    MoveTo(p0.X, p0.Y);
    record();
    d->StrokePath();
}

void TZebCanvas3D::FillRectangle(const TRect& rect)
{
    if (BrushHasGradient()) {
        PaintGradient(*Brush()->Gradient(), rect);
        return;
    }
    TCanvas& target = *TargetCanvas();
    target.Handle()->FillRect(rect, target.Brush()->LogBrush());
}

// ---- shadows ----

namespace {
// The device clip, for shadows that keep to it.
struct TDeviceClip : TBlurClip {
    explicit TDeviceClip(HDC dc) : dc(dc) {}
    bool Visible(int x, int y) const override
    {
        const TPoint p = dc->DPtoLP({x, y});
        return dc->PtVisible(p.X, p.Y);
    }
    HDC dc;
};

// The bitmap the drawing lands on when its pixels can be reached (the buffer, or a bitmap drawn on
// unbuffered), so that a smooth shadow blurs into it; null on a screen, printer or metafile.
TBitmap* pixelSurface(TCanvas* target)
{
    TBitmap* const bitmap = target ? target->SurfaceBitmap() : nullptr;
    return bitmap && (bitmap->PixelFormat() == pf24bit || bitmap->PixelFormat() == pf32bit) ? bitmap : nullptr;
}
}  // namespace

void TZebCanvas3D::PaintShadow(TZebShadow& shadow, const TRect& rect, bool ellipse, int roundSize,
                               std::span<const TPoint> points, int holePercent, double startAngle, double endAngle)
{
    TBitmap* const surface = shadow.Smooth() && !Metafiling() ? pixelSurface(TargetCanvas()) : nullptr;
    if (!surface) {
        TCanvas3D::PaintShadow(shadow, rect, ellipse, roundSize, points, holePercent, startAngle, endAngle);
        return;
    }
    const int r = shadow.BlurRadius();
    TPoint position = rect.TopLeft();
    int w = std::max(1, rect.Right - rect.Left), h = std::max(1, rect.Bottom - rect.Top);
    std::vector<TPoint> shape(points.begin(), points.end());
    if (!shape.empty()) {
        // The shape's smallest x and y at 1; the picture lands where the points are.
        const TRect bounds = PointsBounds(shape);
        for (TPoint& p : shape) p = {p.X - bounds.Left + 1, p.Y - bounds.Top + 1};
        w = std::max(1, bounds.Right - bounds.Left + r);
        h = std::max(1, bounds.Bottom - bounds.Top + r);
        position = {bounds.Left - 1, bounds.Top - 1};
    }
    const TPoint at = dc()->LPtoDP(position);
    const TDeviceClip clip(dc());
    const TBlurClip* const clipTest = shadow.Clip() ? &clip : nullptr;
    // A picture wholly inside the surface blurs the same alone as into the surface, so the blurred
    // picture serves again while the shadow stays the same.
    const bool whole = at.X >= 0 && at.Y >= 0 && at.X + w <= surface->Width() && at.Y + h <= surface->Height();
    const TBlurredShadow wanted{w,           h,        r, shadow.SmoothBlur(), roundSize, holePercent,
                                ResolveColor(shadow.Color()), ellipse, startAngle, endAngle, shape};
    if (whole && blurredPicture_ && wanted == blurredShadow_) {
        MultiplyBlurredShadow(*blurredPicture_, *surface, at, clipTest);
        return;
    }
    // The shape in the shadow colour on white, inset by half the blur so that the blur fits.
    auto made = std::make_unique<TBitmap>(w, h, pf24bit);
    TBitmap& picture = *made;
    HDC d = picture.Canvas()->Handle();
    d->FillRect({0, 0, w, h}, clWhite);
    d->SelectPen({PS_NULL, 0, clBlack, {}});
    d->SelectBrush({BS_SOLID, ResolveColor(shadow.Color()), HS_HORIZONTAL, {}});
    const int inset = r / 2;
    const TRect area{inset, inset, w - inset, h - inset};
    if (!shape.empty()) {
        d->Polygon(shape.data(), static_cast<int>(shape.size()));
    } else if (ellipse) {
        if (std::fabs(endAngle - startAngle - 360) < 1e-12 || !std::isfinite(startAngle) || !std::isfinite(endAngle)) {
            d->Ellipse(area.Left, area.Top, area.Right, area.Bottom);
        } else {
            const double cx = (area.Left + area.Right) * 0.5, cy = (area.Top + area.Bottom) * 0.5;
            const auto at = [&](double a) {
                const double rad = a * std::numbers::pi / 180;
                return TPoint{PixelRound(cx + std::cos(rad) * (area.Right - area.Left) * 0.5),
                              PixelRound(cy - std::sin(rad) * (area.Bottom - area.Top) * 0.5)};
            };
            const TPoint a = at(startAngle), b = at(endAngle);
            d->Pie(area.Left, area.Top, area.Right, area.Bottom, a.X, a.Y, b.X, b.Y);
        }
        if (holePercent > 0) {
            const int ix = PixelRound((100 - holePercent) * (area.Right - area.Left) * 0.005),
                      iy = PixelRound((100 - holePercent) * (area.Bottom - area.Top) * 0.005);
            d->SelectBrush({BS_SOLID, clWhite, HS_HORIZONTAL, {}});
            d->Ellipse(area.Left + ix, area.Top + iy, area.Right - ix, area.Bottom - iy);
        }
    } else if (roundSize > 0) {
        d->RoundRect(area.Left, area.Top, area.Right, area.Bottom, roundSize, roundSize);
    } else {
        d->FillRect(area, ResolveColor(shadow.Color()));
    }
    if (!whole) {
        BlurShadowInto(picture, surface, at, r, shadow.SmoothBlur(), clipTest);
        return;
    }
    BlurShadowInto(picture, nullptr, {}, r, shadow.SmoothBlur());
    MultiplyBlurredShadow(picture, *surface, at, clipTest);
    blurredShadow_ = wanted;
    blurredPicture_ = std::move(made);
}

// ---- pictures ----

void TZebCanvas3D::DrawGraphic(int x, int y, TGraphic* graphic)
{
    if (!graphic || graphic->Empty()) return;
    if (graphic->Transparent()) {
        const auto composed = ComposeOverBuffer(buffer_.get(), {x, y, x + graphic->Width(), y + graphic->Height()},
                                                *graphic);
        TargetCanvas()->Draw(x, y, composed.get());
        return;
    }
    TargetCanvas()->Draw(x, y, graphic);
}

void TZebCanvas3D::StretchGraphic(const TRect& rect, TGraphic* graphic)
{
    if (!graphic || graphic->Empty()) return;
    TCanvas& target = *TargetCanvas();
    if (StretchQuality() == sqLow) {
        if (graphic->Transparent()) {
            const auto composed = ComposeOverBuffer(buffer_.get(), rect, *graphic);
            target.StretchDraw(rect, composed.get());
        } else {
            target.StretchDraw(rect, graphic);
        }
        return;
    }
    // A metafile is played at the rectangle's size: its shapes stay sharp, and a metafile target
    // keeps them as shapes.
    if (dynamic_cast<TMetafile*>(graphic)) {
        target.StretchDraw(rect, graphic);
        return;
    }
    auto* bitmap = dynamic_cast<TBitmap*>(graphic);
    std::unique_ptr<TBitmap> converted;
    if (!bitmap) {
        if (graphic->Transparent()) {
            const auto composed = ComposeOverBuffer(buffer_.get(), rect, *graphic);
            target.Draw(rect.Left, rect.Top, composed.get());
            return;
        }
        converted = std::make_unique<TBitmap>();
        converted->Assign(graphic);
        bitmap = converted.get();
    }
    const int w = std::abs(rect.Right - rect.Left), h = std::abs(rect.Bottom - rect.Top);
    if (w == 0 || h == 0) return;
    TBitmap resampled(w, h, pf32bit);
    ResampleBitmap(*bitmap, resampled);
    target.Draw(rect.Left, rect.Top, &resampled);
}

// ---- text ----

void TZebCanvas3D::selectDeviceFont(int escapement)
{
    TLogFont font = TargetCanvas()->Font()->LogFont();
    font.Escapement = escapement;
    font.Orientation = escapement;
    font.Quality = FontQualityByte();
    dc()->SelectFont(font);
}

void TZebCanvas3D::TextOut(int x, int y, const String& text)
{
    HDC d = dc();
    const TLogFont previous = d->GetFont();
    selectDeviceFont(0);
    paintText(x, y, text);
    d->SelectFont(previous);
}

void TZebCanvas3D::RotatedTextOut(int x, int y, const String& text, double angle, bool html)
{
    (void)html;
    angle = ReduceAngle(angle);
    if (!std::isfinite(angle)) return;
    if (angle == 0) {
        TextOut(x, y, text);
        return;
    }
    HDC d = dc();
    const TLogFont previous = d->GetFont();
    selectDeviceFont(PixelRound(angle * 10));
    if (HasRotationPivot()) {
        const TPoint pivot = RotationPivot();
        const double r = angle * std::numbers::pi / 180;
        const double dx = (GetTextAlignment() & TA_CENTER) == TA_CENTER ? 0 : x - pivot.X, dy = y - pivot.Y;
        x = PixelRound(std::cos(r) * dx + std::sin(r) * dy + pivot.X);
        y = PixelRound(-std::sin(r) * dx + std::cos(r) * dy + pivot.Y);
    }
    paintText(x, y, text);
    d->SelectFont(previous);
}

double ReduceAngle(double angle)
{
    if (!std::isfinite(angle)) return std::numeric_limits<double>::quiet_NaN();
    if (angle <= 360) return angle;
    const double r = std::fmod(angle, 360.0);
    return r == 0 ? 360.0 : r;
}

TRect TZebCanvas3D::TextRectAt(int x, int y, const String& text)
{
    const TSizeFloat size = TextSizeFloat(text);
    const int w = PixelRound(size.Width), h = PixelRound(size.Height);
    unsigned align = GetTextAlignment();
    if (align > 7) align -= 8;
    if ((align & TA_CENTER) == TA_CENTER) return {x - w / 2, y, x + w / 2, y + h};
    if (align & TA_RIGHT) return {x - w, y, x, y + h};
    return {x, y, x + w, y + h};
}

void TZebCanvas3D::textEffectPass(TZebShadow& shadow, int direction, int& x, int& y, const String& text)
{
    if (!shadow.IsActive()) return;
    int sx = x, sy = y;
    if (shadow.HorizSize() < 0)
        x -= shadow.HorizSize() * direction;
    else
        sx += shadow.HorizSize() * direction;
    if (shadow.VertSize() < 0)
        y -= shadow.VertSize() * direction;
    else
        sy += shadow.VertSize() * direction;
    TZebBlend* blend = nullptr;
    if (shadow.Transparency() != 0)
        blend = StartBlend(SupportsAlpha() ? TRect{} : TextRectAt(sx, sy, text), shadow.Transparency());
    HDC d = dc();
    d->SetTextColor(ResolveColor(shadow.Color()));
    d->TextOut(sx, sy, text);
    TBitmap* const surface = shadow.Smooth() ? pixelSurface(TargetCanvas()) : nullptr;
    if (surface) {
        // The shadow text is blurred where it lies in the surface.
        const TSizeFloat size = TextSizeFloat(text);
        const int tw = PixelRound(size.Width), th = PixelRound(size.Height);
        const unsigned deviceAlign = d->GetTextAlign();
        const unsigned align = deviceAlign > 7 ? deviceAlign - 8 : deviceAlign;
        TPoint at = d->LPtoDP({sx, sy});
        if ((align & TA_CENTER) == TA_CENTER)
            at.X -= tw / 2;
        else if (align & TA_RIGHT)
            at.X -= tw;
        TBlurFilter blur(nullptr);
        blur.SetSteps(std::max(1, shadow.SmoothBlur()));
        blur.Apply(*surface, {std::max(0, at.X - 1), std::max(0, at.Y), std::min(surface->Width() - 1, at.X + tw),
                              std::min(surface->Height() - 1, at.Y + th - 1)});
        d = dc();
        d->SetTextAlign(deviceAlign);
        d->SetBkMode(TRANSPARENT);
    }
    if (blend) FinishBlend(blend);
}

void TZebCanvas3D::paintText(int x, int y, const String& text)
{
    if (Font()->HasShadow()) textEffectPass(*Font()->Shadow(), 1, x, y, text);
    if (Font()->HasEmboss()) textEffectPass(*Font()->Emboss(), -1, x, y, text);
    HDC d = dc();
    const TColor fontColor = Font()->Color();
    d->SetTextColor(ResolveColor(fontColor));
    TZebHiddenPen* outline = Font()->HasOutLine() && Font()->OutLine()->Visible() ? Font()->OutLine() : nullptr;
    TZebBrush* fontBrush = Font()->Brush();
    const bool gradient = fontBrush && fontBrush->HasVisibleGradient();
    const bool picture = !gradient && fontBrush && fontBrush->HasImage();
    if (!outline && !gradient && !picture) {
        d->TextOut(x, y, text);
        return;
    }
    const TLogPen savedPen = d->GetPen();
    const TLogBrush savedBrush = d->GetBrush();
    const int savedMode = d->SetBkMode(TRANSPARENT);
    const int outlineWidth = outline ? outline->Width() : 0;
    d->SelectPen(outline ? TLogPen{PS_SOLID, outlineWidth, ResolveColor(outline->Color()), {}}
                         : TLogPen{PS_NULL, 0, clBlack, {}});
    d->SelectBrush({BS_SOLID, ResolveColor(fontColor), HS_HORIZONTAL, {}});
    const auto record = [&] {
        d->BeginPath();
        d->TextOut(x, y, text);
        d->EndPath();
    };
    record();
    if (gradient || picture) {
        // An outline filled with a gradient: the gradient fills the outline's area instead.
        const bool widened = gradient && outline && outline->HasGradientFill() && d->WidenPath();
        PushClipRegion(d, d->PathToRegion(), RGN_AND);
        const TRect r = TextRectAt(x, y, text);
        if (gradient)
            PaintGradient(*fontBrush->Gradient(), r);
        else
            StretchGraphic(r, fontBrush->Image()->GetFilteredGraphic());
        RemoveClip();
        if (outline && !widened) {
            record();
            d->SelectBrush({BS_NULL, clWhite, HS_HORIZONTAL, {}});
            d->StrokePath();
        }
    } else if (fontColor == clNone) {
        d->StrokePath();
    } else {
        d->StrokeAndFillPath();
        d->TextOut(x + outlineWidth / 2, y + outlineWidth / 2, text);
    }
    d->SetBkMode(savedMode);
    d->SelectBrush(savedBrush);
    d->SelectPen(savedPen);
}
