#include "platform/graphics/GPBrushes.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>

#include "platform/graphics/GPObjects_p.h"

using tvgdiplus::ToQColor;

// ---------- blends ----------
TGPStatus tvgdiplus::SetBlend(Blend& blend, const TGPColor* colors, const float* positions, int count)
{
    if (count < 1 || !colors || !positions) return InvalidParameter;
    for (int i = 0; i < count; ++i)
        if (!(positions[i] >= 0 && positions[i] <= 1) || (i > 0 && positions[i] < positions[i - 1]))
            return InvalidParameter;
    blend.colors.assign(colors, colors + count);
    blend.positions.assign(positions, positions + count);
    return Ok;
}

TGPStatus tvgdiplus::GetBlend(const Blend& blend, TGPColor* colors, float* positions, int count)
{
    if (blend.empty()) return WrongState;
    if (count < int(blend.colors.size()) || !colors || !positions) return InvalidParameter;
    std::copy(blend.colors.begin(), blend.colors.end(), colors);
    std::copy(blend.positions.begin(), blend.positions.end(), positions);
    return Ok;
}

QGradientStops tvgdiplus::BlendStops(const Blend& blend, bool flip)
{
    QGradientStops stops;
    const std::size_t n = blend.colors.size();
    stops.reserve(qsizetype(n + 2));
    for (std::size_t k = 0; k < n; ++k) {
        std::size_t i = flip ? n - 1 - k : k;
        double pos = flip ? 1.0 - blend.positions[i] : blend.positions[i];
        stops.append({pos, ToQColor(blend.colors[i])});
    }
    // The end colours continue to the ends, and a colour change at one position stays sharp.
    if (stops.front().first > 0) stops.prepend({0.0, stops.front().second});
    if (stops.back().first < 1) stops.append({1.0, stops.back().second});
    for (qsizetype i = 1; i < stops.size(); ++i)
        if (stops[i].first <= stops[i - 1].first) stops[i].first = std::nextafter(stops[i - 1].first, 2.0);
    return stops;
}

// ---------- the Qt side of a brush ----------
namespace {

QImage hatchImage(int style, TGPColor fore, TGPColor back)
{
    QImage img(8, 8, QImage::Format_ARGB32_Premultiplied);
    const QRgb ink = qPremultiply(fore), paper = qPremultiply(back);
    const std::uint8_t* bits = tvgdiplus::HatchBits(style);
    for (int y = 0; y < 8; ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < 8; ++x) line[x] = (bits[y] & (0x80 >> x)) ? ink : paper;
    }
    return img;
}

// A texture that repeats with mirrored copies for the flip modes.
QImage flippedTile(const QImage& img, TGPWrapMode wrap)
{
    bool fx = wrap == WrapModeTileFlipX || wrap == WrapModeTileFlipXY;
    bool fy = wrap == WrapModeTileFlipY || wrap == WrapModeTileFlipXY;
    if (!fx && !fy) return img;
    QImage out(img.width() * (fx ? 2 : 1), img.height() * (fy ? 2 : 1), QImage::Format_ARGB32_Premultiplied);
    QPainter p(&out);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, img);
    if (fx) p.drawImage(img.width(), 0, img.mirrored(true, false));
    if (fy) p.drawImage(0, img.height(), img.mirrored(false, true));
    if (fx && fy) p.drawImage(img.width(), img.height(), img.mirrored(true, true));
    return out;
}

// Start and end of a linear gradient at an angle (degrees clockwise) that spans the rectangle's
// corners.
void spanAtAngle(const QRectF& r, double angle, QPointF& start, QPointF& end)
{
    const double a = angle * M_PI / 180.0;
    const QPointF d(std::cos(a), std::sin(a));
    const QPointF corners[4] = {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()};
    double lo = 1e300, hi = -1e300;
    for (const QPointF& c : corners) {
        double t = QPointF::dotProduct(c, d);
        lo = std::min(lo, t);
        hi = std::max(hi, t);
    }
    const QPointF c = r.center();
    const double tc = QPointF::dotProduct(c, d);
    start = c + d * (lo - tc);
    end = c + d * (hi - tc);
}

QGradient::Spread spreadOf(TGPWrapMode wrap)
{
    switch (wrap) {
    case WrapModeTile: return QGradient::RepeatSpread;
    case WrapModeClamp: return QGradient::PadSpread;
    default: return QGradient::ReflectSpread;
    }
}

}  // namespace

bool TGPBrush::Impl::qtBrush(QBrush& out, const QTransform& fullTransform) const
{
    switch (type) {
    case BrushTypeSolidColor: out = QBrush(ToQColor(color)); return true;
    case BrushTypeHatchFill:
        out = QBrush(hatchImage(hatch, fore, back));
        out.setTransform(fullTransform.inverted());  // the pattern stays on the device grid
        return true;
    case BrushTypeTextureFill: out = QBrush(flippedTile(texture, wrap)); return true;
    case BrushTypeLinearGradient: {
        QPointF start, end;
        QTransform t;
        if (scalable) {
            spanAtAngle(QRectF(0, 0, 1, 1), angle, start, end);
            t.translate(rect.x(), rect.y());
            t.scale(rect.width(), rect.height());
        } else
            spanAtAngle(rect, angle, start, end);
        QLinearGradient g(start, end);
        g.setSpread(spreadOf(wrap));
        if (blend.empty())
            g.setStops({{0.0, ToQColor(color1)}, {1.0, ToQColor(color2)}});
        else
            g.setStops(tvgdiplus::BlendStops(blend, false));
        out = QBrush(g);
        out.setTransform(t);
        return true;
    }
    case BrushTypePathGradient: {
        if (!ellipse) return false;
        // The ellipse as the unit circle; along every ray from the centre point the colour runs
        // from the centre (position 1) to the outline (position 0), which is a radial gradient
        // with its focal point on the centre point.
        const QPointF c = rect.center();
        const double rx = rect.width() / 2, ry = rect.height() / 2;
        if (rx <= 0 || ry <= 0) return false;
        QPointF f((center.x() - c.x()) / rx, (center.y() - c.y()) / ry);
        const double len = std::hypot(f.x(), f.y());
        if (len > 0.999) f *= 0.999 / len;
        QRadialGradient g(QPointF(0, 0), 1.0, f);
        g.setSpread(QGradient::PadSpread);
        if (blend.empty())
            g.setStops({{0.0, ToQColor(centerColor)}, {1.0, ToQColor(surroundColor)}});
        else
            g.setStops(tvgdiplus::BlendStops(blend, true));
        out = QBrush(g);
        QTransform t;
        t.translate(c.x(), c.y());
        t.scale(rx, ry);
        out.setTransform(t);
        return true;
    }
    }
    return false;
}

QPainterPath TGPBrush::Impl::clampArea() const
{
    QPainterPath a;
    a.addRect(0, 0, texture.width(), texture.height());
    return a;
}

void TGPBrush::Impl::Fill(QPainter& p, const QPainterPath& path) const
{
    QBrush b;
    if (qtBrush(b, p.worldTransform())) {
        if (type == BrushTypeTextureFill && wrap == WrapModeClamp)
            p.fillPath(path.intersected(clampArea()), b);
        else
            p.fillPath(path, b);
        return;
    }
    tvgdiplus::RasterisePathGradient(*this, p, path);
}

// ---------- brushes ----------
TGPBrush::TGPBrush(std::unique_ptr<Impl> impl) : impl_(std::move(impl))
{
    if (!impl_) CreationFailed(GdiplusNotInitialized);
}

TGPBrush::~TGPBrush() = default;

std::unique_ptr<TGPBrush> TGPBrush::Clone() const
{
    if (!impl_) return nullptr;
    std::unique_ptr<TGPBrush> c(new TGPBrush(std::make_unique<Impl>(*impl_)));
    c->SetStatus(GetLastStatus());
    return c;
}

TGPBrushType TGPBrush::GetType() const { return impl_ ? impl_->type : BrushTypeSolidColor; }

namespace {

std::unique_ptr<TGPBrush::Impl> newImpl(TGPBrushType type)
{
    if (!tvgdiplus::LayerUsable()) return nullptr;
    auto impl = std::make_unique<TGPBrush::Impl>();
    impl->type = type;
    return impl;
}

}  // namespace

TGPSolidBrush::TGPSolidBrush(TGPColor color) : TGPBrush(newImpl(BrushTypeSolidColor))
{
    if (impl_) impl_->color = color;
}

TGPStatus TGPSolidBrush::GetColor(TGPColor& color) const
{
    if (!impl_) return NotMade();
    color = impl_->color;
    return Ok;
}

TGPStatus TGPSolidBrush::SetColor(TGPColor color)
{
    if (!impl_) return NotMade();
    impl_->color = color;
    return Ok;
}

TGPHatchBrush::TGPHatchBrush(TGPHatchStyle style, TGPColor foreColor, TGPColor backColor)
    : TGPBrush(newImpl(BrushTypeHatchFill))
{
    if (!impl_) return;
    if (style < HatchStyleHorizontal || style > HatchStyleSolidDiamond) {
        impl_.reset();
        CreationFailed(InvalidParameter);
        return;
    }
    impl_->hatch = style;
    impl_->fore = foreColor;
    impl_->back = backColor;
}

TGPHatchStyle TGPHatchBrush::GetHatchStyle() const { return impl_ ? impl_->hatch : HatchStyleHorizontal; }

TGPStatus TGPHatchBrush::GetForegroundColor(TGPColor& color) const
{
    if (!impl_) return NotMade();
    color = impl_->fore;
    return Ok;
}

TGPStatus TGPHatchBrush::GetBackgroundColor(TGPColor& color) const
{
    if (!impl_) return NotMade();
    color = impl_->back;
    return Ok;
}

TGPTextureBrush::TGPTextureBrush(const TGPImage& image, TGPWrapMode wrapMode) : TGPBrush(newImpl(BrushTypeTextureFill))
{
    if (!impl_) return;
    QImage img = image.impl() ? tvgdiplus::ImageForDrawing(*image.impl()) : QImage();
    if (img.isNull()) {
        impl_.reset();
        CreationFailed(InvalidParameter);
        return;
    }
    impl_->texture = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    impl_->wrap = wrapMode;
}

TGPTextureBrush::TGPTextureBrush(const TGPImage& image, const TGPImageAttributes* attributes, float x, float y,
                                 float width, float height)
    : TGPTextureBrush(image, WrapModeTile)
{
    if (!impl_) return;
    QRect part = QRectF(x, y, width, height).toRect() & impl_->texture.rect();
    if (part.isEmpty()) {
        impl_.reset();
        CreationFailed(InvalidParameter);
        return;
    }
    QImage img = impl_->texture.copy(part);
    if (const TGPColorMatrix* m = tvgdiplus::BitmapMatrix(attributes)) img = tvgdiplus::ApplyColorMatrix(img, *m);
    impl_->texture = img;
}

TGPStatus TGPTextureBrush::SetWrapMode(TGPWrapMode wrapMode)
{
    if (!impl_) return NotMade();
    if (wrapMode < WrapModeTile || wrapMode > WrapModeClamp) return SetStatus(InvalidParameter);
    impl_->wrap = wrapMode;
    return Ok;
}

TGPWrapMode TGPTextureBrush::GetWrapMode() const { return impl_ ? impl_->wrap : WrapModeTile; }
int TGPTextureBrush::ImageWidth() const { return impl_ ? impl_->texture.width() : 0; }
int TGPTextureBrush::ImageHeight() const { return impl_ ? impl_->texture.height() : 0; }

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& rect, TGPColor color1, TGPColor color2,
                                               TGPLinearGradientMode mode, TGPWrapMode wrapMode)
    : TGPLinearGradientBrush(rect, color1, color2, 0.0f, false, wrapMode)
{
    if (!impl_) return;
    switch (mode) {
    case LinearGradientModeHorizontal: impl_->angle = 0; break;
    case LinearGradientModeVertical: impl_->angle = 90; break;
    case LinearGradientModeForwardDiagonal:
        impl_->angle = 45;
        impl_->scalable = true;
        break;
    case LinearGradientModeBackwardDiagonal:
        impl_->angle = 135;
        impl_->scalable = true;
        break;
    default: impl_.reset(); CreationFailed(InvalidParameter);
    }
}

TGPLinearGradientBrush::TGPLinearGradientBrush(const TGPRectF& rect, TGPColor color1, TGPColor color2, float angle,
                                               bool isAngleScalable, TGPWrapMode wrapMode)
    : TGPBrush(newImpl(BrushTypeLinearGradient))
{
    if (!impl_) return;
    if (!(rect.Width != 0 && rect.Height != 0) || !std::isfinite(angle) || wrapMode < WrapModeTile ||
        wrapMode > WrapModeClamp) {
        impl_.reset();
        CreationFailed(InvalidParameter);
        return;
    }
    impl_->rect = tvgdiplus::ToQt(rect).normalized();
    impl_->color1 = color1;
    impl_->color2 = color2;
    impl_->angle = angle;
    impl_->scalable = isAngleScalable;
    impl_->wrap = wrapMode;
}

TGPStatus TGPLinearGradientBrush::GetLinearColors(TGPColor& color1, TGPColor& color2) const
{
    if (!impl_) return NotMade();
    color1 = impl_->color1;
    color2 = impl_->color2;
    return Ok;
}

TGPStatus TGPLinearGradientBrush::GetRectangle(TGPRectF& rect) const
{
    if (!impl_) return NotMade();
    rect = tvgdiplus::FromQt(impl_->rect);
    return Ok;
}

float TGPLinearGradientBrush::GetAngle() const { return impl_ ? impl_->angle : 0; }
TGPWrapMode TGPLinearGradientBrush::GetWrapMode() const { return impl_ ? impl_->wrap : WrapModeTile; }

TGPStatus TGPLinearGradientBrush::SetPresetBlend(const TGPColor* colors, const float* positions, int count)
{
    if (!impl_) return NotMade();
    return SetStatus(tvgdiplus::SetBlend(impl_->blend, colors, positions, count));
}

int TGPLinearGradientBrush::GetPresetBlendCount() const { return impl_ ? int(impl_->blend.colors.size()) : 0; }

TGPStatus TGPLinearGradientBrush::GetPresetBlend(TGPColor* colors, float* positions, int count) const
{
    if (!impl_) return NotMade();
    return SetStatus(tvgdiplus::GetBlend(impl_->blend, colors, positions, count));
}

TGPPathGradientBrush::TGPPathGradientBrush(const TGPGraphicsPath& path) : TGPBrush(newImpl(BrushTypePathGradient))
{
    if (!impl_) return;
    const TGPGraphicsPath::Impl* p = path.impl();
    QPainterPath q = p ? p->ToQt() : QPainterPath();
    const QList<QPolygonF> polys = q.toSubpathPolygons();
    if (polys.isEmpty() || q.boundingRect().isEmpty()) {
        impl_.reset();
        CreationFailed(InvalidParameter);
        return;
    }
    impl_->outline.assign(polys.begin(), polys.end());
    impl_->ellipse = p->isEllipse;
    impl_->rect = p->isEllipse ? p->ellipseRect : q.boundingRect();
    impl_->center = impl_->rect.center();
}

TGPStatus TGPPathGradientBrush::GetCenterPoint(TGPPointF& point) const
{
    if (!impl_) return NotMade();
    point = {float(impl_->center.x()), float(impl_->center.y())};
    return Ok;
}

TGPStatus TGPPathGradientBrush::GetCenterPointI(TPoint& point) const
{
    if (!impl_) return NotMade();
    point = {std::int32_t(std::lround(impl_->center.x())), std::int32_t(std::lround(impl_->center.y()))};
    return Ok;
}

TGPStatus TGPPathGradientBrush::SetCenterPoint(TGPPointF point)
{
    if (!impl_) return NotMade();
    if (!std::isfinite(point.X) || !std::isfinite(point.Y)) return SetStatus(InvalidParameter);
    impl_->center = tvgdiplus::ToQt(point);
    return Ok;
}

TGPStatus TGPPathGradientBrush::SetCenterPointI(TPoint point)
{
    return SetCenterPoint({float(point.X), float(point.Y)});
}

TGPStatus TGPPathGradientBrush::GetRectangle(TGPRectF& rect) const
{
    if (!impl_) return NotMade();
    rect = tvgdiplus::FromQt(impl_->rect);
    return Ok;
}

TGPStatus TGPPathGradientBrush::SetCenterColor(TGPColor color)
{
    if (!impl_) return NotMade();
    impl_->centerColor = color;
    return Ok;
}

TGPStatus TGPPathGradientBrush::SetSurroundColor(TGPColor color)
{
    if (!impl_) return NotMade();
    impl_->surroundColor = color;
    return Ok;
}

TGPStatus TGPPathGradientBrush::SetPresetBlend(const TGPColor* colors, const float* positions, int count)
{
    if (!impl_) return NotMade();
    return SetStatus(tvgdiplus::SetBlend(impl_->blend, colors, positions, count));
}

int TGPPathGradientBrush::GetPresetBlendCount() const { return impl_ ? int(impl_->blend.colors.size()) : 0; }

TGPStatus TGPPathGradientBrush::GetPresetBlend(TGPColor* colors, float* positions, int count) const
{
    if (!impl_) return NotMade();
    return SetStatus(tvgdiplus::GetBlend(impl_->blend, colors, positions, count));
}
