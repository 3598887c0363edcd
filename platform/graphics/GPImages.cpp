#include "platform/graphics/GPImages.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GPObjects_p.h"
#include "platform/graphics/Metafile_p.h"

// ---------- images ----------
TGPImage::TGPImage(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
TGPImage::~TGPImage() = default;

TGPImageType TGPImage::GetType() const { return impl_ ? impl_->type : ImageTypeUnknown; }

unsigned TGPImage::GetWidth() const
{
    if (!impl_) return 0;
    if (impl_->pixels) return unsigned(impl_->pixels->image.width());
    return impl_->metafile ? unsigned(std::max(0, impl_->metafile->Width())) : 0;
}

unsigned TGPImage::GetHeight() const
{
    if (!impl_) return 0;
    if (impl_->pixels) return unsigned(impl_->pixels->image.height());
    return impl_->metafile ? unsigned(std::max(0, impl_->metafile->Height())) : 0;
}

namespace {

std::unique_ptr<TGPImage::Impl> bitmapImpl(QImage image, TGPPixelFormat format)
{
    if (!tvgdiplus::LayerUsable()) return nullptr;
    auto impl = std::make_unique<TGPImage::Impl>();
    impl->type = ImageTypeBitmap;
    impl->format = format;
    impl->pixels = std::make_shared<TPixelImage>(std::move(image));
    return impl;
}

QImage::Format qtFormat(TGPPixelFormat format)
{
    switch (format) {
    case PixelFormat32bppARGB: return QImage::Format_ARGB32;
    case PixelFormat32bppPARGB: return QImage::Format_ARGB32_Premultiplied;
    case PixelFormat24bppRGB:
    case PixelFormat32bppRGB: return QImage::Format_RGB32;
    default: return QImage::Format_Invalid;
    }
}

}  // namespace

TGPBitmap::TGPBitmap(const TBitmap& bitmap)
    : TGPImage(bitmapImpl(BitmapImage(bitmap).convertToFormat(QImage::Format_RGB32),
                          bitmap.PixelFormat() == pf24bit ? PixelFormat24bppRGB : PixelFormat32bppRGB))
{
    if (!impl_) CreationFailed(GdiplusNotInitialized);
}

TGPBitmap::TGPBitmap(const TBitmap& bitmap, TColor transparentColor) : TGPImage(nullptr)
{
    const QImage& src = BitmapImage(bitmap);
    QImage img(src.size(), QImage::Format_ARGB32);
    const QImage rgb = src.convertToFormat(QImage::Format_RGB32);
    const TColorRef key = ColorToRGB(transparentColor);
    const QRgb keyRgb = qRgb(GetRValue(key), GetGValue(key), GetBValue(key)) & 0xFFFFFF;
    // The sizes are read once: the stores through out may alias the image's own fields for all the
    // compiler knows, which made every pixel call QImage::width.
    const int width = rgb.width(), height = rgb.height();
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb c = in[x] & 0xFFFFFF;
            out[x] = c == keyRgb ? 0x00FFFFFFu : (c | 0xFF000000u);
        }
    }
    impl_ = bitmapImpl(std::move(img), PixelFormat32bppARGB);
    if (!impl_) CreationFailed(GdiplusNotInitialized);
}

TGPBitmap::TGPBitmap(int width, int height, TGPPixelFormat format) : TGPImage(nullptr)
{
    if (!tvgdiplus::LayerUsable()) {
        CreationFailed(GdiplusNotInitialized);
        return;
    }
    const QImage::Format f = qtFormat(format);
    if (width <= 0 || height <= 0 || f == QImage::Format_Invalid) {
        CreationFailed(InvalidParameter);
        return;
    }
    QImage img(width, height, f);
    if (img.isNull()) {
        CreationFailed(OutOfMemory);
        return;
    }
    img.fill(f == QImage::Format_RGB32 ? 0xFF000000u : 0u);
    impl_ = bitmapImpl(std::move(img), format);
}

TGPPixelFormat TGPBitmap::GetPixelFormat() const { return impl_ ? impl_->format : 0; }

TGPStatus TGPBitmap::GetPixel(int x, int y, TGPColor& color) const
{
    if (!impl_) return NotMade();
    const QImage& img = impl_->pixels->image;
    if (!img.valid(x, y)) return SetStatus(InvalidParameter);
    color = img.pixel(x, y);
    return Ok;
}

TGPStatus TGPBitmap::SetPixel(int x, int y, TGPColor color)
{
    if (!impl_) return NotMade();
    QImage& img = impl_->pixels->image;
    if (!img.valid(x, y)) return SetStatus(InvalidParameter);
    if (img.format() == QImage::Format_ARGB32 || img.format() == QImage::Format_RGB32)
        reinterpret_cast<QRgb*>(img.scanLine(y))[x] = img.format() == QImage::Format_RGB32 ? (color | 0xFF000000u)
                                                                                           : color;
    else
        img.setPixelColor(x, y, QColor::fromRgba(color));
    return Ok;
}

TGPMetafile::TGPMetafile(const TMetafile& metafile) : TGPImage(nullptr)
{
    if (!tvgdiplus::LayerUsable()) {
        CreationFailed(GdiplusNotInitialized);
        return;
    }
    impl_ = std::make_unique<Impl>();
    impl_->type = ImageTypeMetafile;
    impl_->metafile = &metafile;
}

// ---------- attributes ----------
TGPImageAttributes::TGPImageAttributes()
{
    if (tvgdiplus::LayerUsable())
        impl_ = std::make_unique<Impl>();
    else
        CreationFailed(GdiplusNotInitialized);
}

TGPImageAttributes::~TGPImageAttributes() = default;

std::unique_ptr<TGPImageAttributes> TGPImageAttributes::Clone() const
{
    auto c = std::make_unique<TGPImageAttributes>();
    if (impl_ && c->impl_) *c->impl_ = *impl_;
    return c;
}

TGPStatus TGPImageAttributes::SetColorMatrix(const TGPColorMatrix& matrix, TGPColorMatrixFlags /*flags*/,
                                             TGPColorAdjustType type)
{
    if (!impl_) return NotMade();
    switch (type) {
    case ColorAdjustTypeDefault:
        impl_->hasDefault = true;
        impl_->defaultMatrix = matrix;
        return Ok;
    case ColorAdjustTypeBitmap:
        impl_->hasBitmap = true;
        impl_->bitmapMatrix = matrix;
        return Ok;
    case ColorAdjustTypeBrush:
    case ColorAdjustTypePen:
    case ColorAdjustTypeText: return Ok;  // the layer draws images only through bitmaps
    default: return SetStatus(InvalidParameter);
    }
}

TGPStatus TGPImageAttributes::ClearColorMatrix(TGPColorAdjustType type)
{
    if (!impl_) return NotMade();
    if (type == ColorAdjustTypeDefault) impl_->hasDefault = false;
    if (type == ColorAdjustTypeBitmap) impl_->hasBitmap = false;
    return Ok;
}

bool TGPImageAttributes::GetColorMatrix(TGPColorMatrix& matrix) const
{
    const TGPColorMatrix* m = tvgdiplus::BitmapMatrix(this);
    if (m) matrix = *m;
    return m != nullptr;
}

std::unique_ptr<TGPImageAttributes> AlphaImageAttributes(int alpha)
{
    auto a = std::make_unique<TGPImageAttributes>();
    TGPColorMatrix m;
    m.M[3][3] = float(std::clamp(alpha, 0, 255)) / 255.0f;
    a->SetColorMatrix(m, ColorMatrixFlagsDefault, ColorAdjustTypeBitmap);
    return a;
}

// ---------- helpers ----------
const TGPColorMatrix* tvgdiplus::BitmapMatrix(const TGPImageAttributes* attributes)
{
    if (!attributes || !attributes->impl()) return nullptr;
    const TGPImageAttributes::Impl& a = *attributes->impl();
    if (a.hasBitmap) return &a.bitmapMatrix;
    if (a.hasDefault) return &a.defaultMatrix;
    return nullptr;
}

bool tvgdiplus::AlphaOnly(const TGPColorMatrix& m, float& alphaScale)
{
    const TGPColorMatrix identity;
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            if (!(r == 3 && c == 3) && m.M[r][c] != identity.M[r][c]) return false;
    alphaScale = m.M[3][3];
    return true;
}

QImage tvgdiplus::ApplyColorMatrix(const QImage& image, const TGPColorMatrix& m)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const float in[5] = {qRed(line[x]) / 255.0f, qGreen(line[x]) / 255.0f, qBlue(line[x]) / 255.0f,
                                 qAlpha(line[x]) / 255.0f, 1.0f};
            int v[4];
            for (int c = 0; c < 4; ++c) {
                float sum = 0;
                for (int r = 0; r < 5; ++r) sum += in[r] * m.M[r][c];
                v[c] = int(std::lround(std::clamp(sum, 0.0f, 1.0f) * 255.0f));
            }
            line[x] = qRgba(v[0], v[1], v[2], v[3]);
        }
    }
    return out;
}

QImage tvgdiplus::ImageForDrawing(const TGPImage::Impl& image)
{
    if (image.pixels) return image.pixels->image;
    const int w = image.metafile ? image.metafile->Width() : 0, h = image.metafile ? image.metafile->Height() : 0;
    if (w <= 0 || h <= 0 || image.metafile->Empty()) return {};
    QImage out(w, h, QImage::Format_ARGB32_Premultiplied);
    out.fill(0);
    QPainter p(&out);
    ::PlayMetafile(*image.metafile, p, QRectF(0, 0, w, h));
    return out;
}

bool tvgdiplus::PlayMetafile(const TGPImage::Impl& image, QPainter& p, const QRectF& dst, const QRectF& src)
{
    if (!image.metafile || image.metafile->Empty()) return false;
    const QSize frame(image.metafile->Width(), image.metafile->Height());
    if (frame.isEmpty() || src.isEmpty()) return true;
    // The source part of the frame lands on the destination; the rest of the picture is clipped.
    const double sx = dst.width() / src.width(), sy = dst.height() / src.height();
    const QRectF target(dst.x() - src.x() * sx, dst.y() - src.y() * sy, frame.width() * sx, frame.height() * sy);
    p.save();
    p.setClipRect(dst, Qt::IntersectClip);
    ::PlayMetafile(*image.metafile, p, target);
    p.restore();
    return true;
}
