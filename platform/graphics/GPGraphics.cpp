// The antialiased graphics: its surface, settings, world transform and clip. Drawing is in
// GPGraphicsDraw.cpp.
#include "platform/graphics/GPGraphics.h"

#include <cmath>

#include "platform/graphics/GPObjects_p.h"

namespace {

// Stands for "no clip" where a shape is needed (device-context units).
const QRectF everything(-4194304.0, -4194304.0, 8388608.0, 8388608.0);

}  // namespace

// ---------- the painter of one call ----------
tvgdiplus::GraphicsPaint::GraphicsPaint(TGPGraphics::Impl& g)
{
    if (!g.dc) return;
    scope_.emplace(*g.dc);
    if (!*scope_) {
        scope_.reset();
        return;
    }
    p_ = &**scope_;
    base_ = p_->worldTransform();
    if (g.hasClip) {
        if (g.clipIsRect)
            p_->setClipRect(g.clipRect, Qt::IntersectClip);
        else
            p_->setClipPath(g.clip, Qt::IntersectClip);
    }
    QTransform toDC = g.ToDC();
    // Pixel centres on whole coordinates: what is drawn at x lands on pixel x's centre.
    if (g.HalfPixel()) toDC *= QTransform::fromTranslate(0.5, 0.5);
    full_ = toDC * base_;
    p_->setWorldTransform(full_);
    p_->setRenderHint(QPainter::Antialiasing, g.Antialias());
    p_->setRenderHint(QPainter::SmoothPixmapTransform, g.interpolation != InterpolationModeNearestNeighbor);
}

// ---------- surface ----------
double TGPGraphics::Impl::PageScale() const
{
    switch (pageUnit) {
    case UnitPoint: return 96.0 / 72.0;
    case UnitInch: return 96.0;
    case UnitDocument: return 96.0 / 300.0;
    case UnitMillimeter: return 96.0 / 25.4;
    default: return 1.0;
    }
}

QTransform TGPGraphics::Impl::ToDC() const
{
    const double s = PageScale();
    return s == 1.0 ? world : world * QTransform::fromScale(s, s);
}

QRectF TGPGraphics::Impl::SurfaceBounds() const
{
    if (!dc) return {};
    TRect box;
    dc->GetClipBox(box);
    return QRectF(box.Left, box.Top, box.Right - box.Left, box.Bottom - box.Top);
}

void TGPGraphics::Impl::CombineClip(const QPainterPath& dcPath, TGPCombineMode mode, const QRectF* rect)
{
    QPainterPath all;
    all.addRect(everything);
    const QPainterPath current = hasClip ? clip : all;
    const bool wasRect = !hasClip || clipIsRect;
    const QRectF oldRect = hasClip ? clipRect : everything;
    switch (mode) {
    case CombineModeReplace: clip = dcPath; break;
    case CombineModeIntersect: clip = hasClip ? current.intersected(dcPath) : dcPath; break;
    case CombineModeUnion:
        if (!hasClip) return;  // everything stays
        clip = current.united(dcPath);
        break;
    case CombineModeXor: clip = current.united(dcPath).subtracted(current.intersected(dcPath)); break;
    case CombineModeExclude: clip = current.subtracted(dcPath); break;
    default: clip = dcPath.subtracted(current); break;  // complement
    }
    clipIsRect = rect && (mode == CombineModeReplace || (mode == CombineModeIntersect && wasRect));
    if (clipIsRect) clipRect = mode == CombineModeReplace ? *rect : oldRect.intersected(*rect);
    hasClip = true;
}

TGPGraphics::TGPGraphics(HDC dc)
{
    if (!tvgdiplus::LayerUsable()) {
        CreationFailed(GdiplusNotInitialized);
        return;
    }
    if (!dc) {
        CreationFailed(InvalidParameter);
        return;
    }
    impl_ = std::make_unique<Impl>();
    impl_->dc = dc;
}

TGPGraphics::TGPGraphics(TGPImage& image)
{
    if (!tvgdiplus::LayerUsable()) {
        CreationFailed(GdiplusNotInitialized);
        return;
    }
    if (!image.impl() || !image.impl()->pixels) {
        CreationFailed(InvalidParameter);
        return;
    }
    impl_ = std::make_unique<Impl>();
    impl_->pixels = image.impl()->pixels;
    impl_->ownDC = CreateImageDC(impl_->pixels);
    impl_->dc = impl_->ownDC.get();
    impl_->alphaTarget = impl_->pixels->image.hasAlphaChannel();
}

TGPGraphics::~TGPGraphics() = default;

HDC TGPGraphics::GetHDC() { return impl_ ? impl_->dc : nullptr; }
void TGPGraphics::ReleaseHDC(HDC) {}

// ---------- settings ----------
TGPStatus TGPGraphics::SetSmoothingMode(TGPSmoothingMode mode)
{
    if (!impl_) return NotMade();
    if (mode < SmoothingModeDefault || mode > SmoothingModeAntiAlias) return SetStatus(InvalidParameter);
    impl_->smoothing = mode;
    return Ok;
}

TGPSmoothingMode TGPGraphics::GetSmoothingMode() const { return impl_ ? impl_->smoothing : SmoothingModeDefault; }

TGPStatus TGPGraphics::SetPixelOffsetMode(TGPPixelOffsetMode mode)
{
    if (!impl_) return NotMade();
    if (mode < PixelOffsetModeDefault || mode > PixelOffsetModeHalf) return SetStatus(InvalidParameter);
    impl_->pixelOffset = mode;
    return Ok;
}

TGPPixelOffsetMode TGPGraphics::GetPixelOffsetMode() const
{
    return impl_ ? impl_->pixelOffset : PixelOffsetModeDefault;
}

TGPStatus TGPGraphics::SetTextRenderingHint(TGPTextRenderingHint hint)
{
    if (!impl_) return NotMade();
    if (hint < TextRenderingHintSystemDefault || hint > TextRenderingHintClearTypeGridFit)
        return SetStatus(InvalidParameter);
    impl_->textHint = hint;
    return Ok;
}

TGPTextRenderingHint TGPGraphics::GetTextRenderingHint() const
{
    return impl_ ? impl_->textHint : TextRenderingHintSystemDefault;
}

TGPStatus TGPGraphics::SetInterpolationMode(TGPInterpolationMode mode)
{
    if (!impl_) return NotMade();
    if (mode < InterpolationModeDefault || mode > InterpolationModeHighQualityBicubic)
        return SetStatus(InvalidParameter);
    impl_->interpolation = mode;
    return Ok;
}

TGPInterpolationMode TGPGraphics::GetInterpolationMode() const
{
    return impl_ ? impl_->interpolation : InterpolationModeDefault;
}

TGPStatus TGPGraphics::SetPageUnit(TGPUnit unit)
{
    if (!impl_) return NotMade();
    if (unit <= UnitWorld || unit > UnitMillimeter) return SetStatus(InvalidParameter);
    impl_->pageUnit = unit;
    return Ok;
}

TGPUnit TGPGraphics::GetPageUnit() const { return impl_ ? impl_->pageUnit : UnitDisplay; }
float TGPGraphics::GetDpiX() const { return 96; }
float TGPGraphics::GetDpiY() const { return 96; }

// ---------- world transform ----------
namespace {

void combine(QTransform& m, const QTransform& step, TGPMatrixOrder order)
{
    m = order == MatrixOrderAppend ? m * step : step * m;
}

}  // namespace

TGPStatus TGPGraphics::SetWorldTransform(const TGPMatrix& matrix)
{
    if (!impl_) return NotMade();
    if (!matrix.impl()) return SetStatus(InvalidParameter);
    impl_->world = matrix.impl()->m;
    return Ok;
}

TGPStatus TGPGraphics::ResetWorldTransform()
{
    if (!impl_) return NotMade();
    impl_->world.reset();
    return Ok;
}

TGPStatus TGPGraphics::MultiplyWorldTransform(const TGPMatrix& matrix, TGPMatrixOrder order)
{
    if (!impl_) return NotMade();
    if (!matrix.impl()) return SetStatus(InvalidParameter);
    combine(impl_->world, matrix.impl()->m, order);
    return Ok;
}

TGPStatus TGPGraphics::TranslateWorldTransform(float dx, float dy, TGPMatrixOrder order)
{
    if (!impl_) return NotMade();
    combine(impl_->world, QTransform::fromTranslate(dx, dy), order);
    return Ok;
}

TGPStatus TGPGraphics::ScaleWorldTransform(float sx, float sy, TGPMatrixOrder order)
{
    if (!impl_) return NotMade();
    combine(impl_->world, QTransform::fromScale(sx, sy), order);
    return Ok;
}

TGPStatus TGPGraphics::RotateWorldTransform(float angle, TGPMatrixOrder order)
{
    if (!impl_) return NotMade();
    QTransform r;
    r.rotate(angle);
    combine(impl_->world, r, order);
    return Ok;
}

TGPStatus TGPGraphics::GetWorldTransform(TGPMatrix& matrix) const
{
    if (!impl_) return NotMade();
    if (!matrix.impl()) return SetStatus(InvalidParameter);
    matrix.impl()->m = impl_->world;
    return Ok;
}

// ---------- clipping ----------
TGPStatus TGPGraphics::SetClipRect(const TGPRectF& rect, TGPCombineMode mode)
{
    if (!impl_) return NotMade();
    if (mode < CombineModeReplace || mode > CombineModeComplement) return SetStatus(InvalidParameter);
    const QRectF r = tvgdiplus::ToQt(rect).normalized();
    const QTransform toDC = impl_->ToDC();
    QPainterPath path;
    path.addRect(r);
    path = toDC.map(path);
    if (toDC.type() <= QTransform::TxScale) {
        const QRectF dcRect = toDC.mapRect(r);
        impl_->CombineClip(path, mode, &dcRect);
    } else
        impl_->CombineClip(path, mode);
    return Ok;
}

TGPStatus TGPGraphics::SetClipRectI(const TGPRect& rect, TGPCombineMode mode)
{
    return SetClipRect({float(rect.X), float(rect.Y), float(rect.Width), float(rect.Height)}, mode);
}

TGPStatus TGPGraphics::SetClipPath(const TGPGraphicsPath& path, TGPCombineMode mode)
{
    if (!impl_) return NotMade();
    if (!path.impl() || mode < CombineModeReplace || mode > CombineModeComplement) return SetStatus(InvalidParameter);
    impl_->CombineClip(impl_->ToDC().map(path.impl()->ToQt()), mode);
    return Ok;
}

TGPStatus TGPGraphics::SetClipRegion(const TGPRegion& region, TGPCombineMode mode)
{
    if (!impl_) return NotMade();
    if (!region.impl() || mode < CombineModeReplace || mode > CombineModeComplement) return SetStatus(InvalidParameter);
    if (region.impl()->infinite) {
        if (mode == CombineModeReplace || mode == CombineModeUnion)
            impl_->hasClip = false;
        else if (mode != CombineModeIntersect) {
            QPainterPath all;
            all.addRect(everything);
            impl_->CombineClip(all, mode);
        }
        return Ok;
    }
    impl_->CombineClip(impl_->ToDC().map(region.impl()->path), mode);
    return Ok;
}

TGPStatus TGPGraphics::ResetClip()
{
    if (!impl_) return NotMade();
    impl_->hasClip = false;
    impl_->clip = QPainterPath();
    impl_->clipIsRect = false;
    return Ok;
}

bool TGPGraphics::IsClipEmpty() const
{
    if (!impl_ || !impl_->hasClip) return false;
    return impl_->clip.boundingRect().intersected(impl_->SurfaceBounds()).isEmpty() || impl_->clip.isEmpty();
}

TGPStatus TGPGraphics::GetVisibleClipBounds(TGPRectF& rect) const
{
    if (!impl_) return NotMade();
    QRectF box = impl_->SurfaceBounds();
    if (impl_->hasClip) box = box.intersected(impl_->clipIsRect ? impl_->clipRect : impl_->clip.boundingRect());
    if (box.isEmpty()) box = QRectF();
    bool invertible = false;
    const QTransform back = impl_->ToDC().inverted(&invertible);
    rect = tvgdiplus::FromQt(invertible ? back.mapRect(box) : QRectF());
    return Ok;
}

bool TGPGraphics::IsVisible(float x, float y) const
{
    if (!impl_) return false;
    const QPointF p = impl_->ToDC().map(QPointF(x, y));
    if (!impl_->SurfaceBounds().contains(p)) return false;
    return !impl_->hasClip || impl_->clip.contains(p);
}
