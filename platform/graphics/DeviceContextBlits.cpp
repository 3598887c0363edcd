// Pixels and block transfers of the device context. Transfers with raster operations read the
// surface back and evaluate the ternary operation per pixel, then write the result through the
// painter so the clip still applies.
#include <QPaintEngine>
#include <array>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/graphics/DeviceContextImpl_p.h"

namespace {

// One ternary raster operation on 32-bit pixels: each set bit i of the code adds the minterm
// (P if i&4) & (S if i&2) & (D if i&1), complemented where the bit of i is clear.
inline std::uint32_t ropEval(unsigned code, std::uint32_t p, std::uint32_t s, std::uint32_t d)
{
    switch (code) {
    case 0xCC: return s;
    case 0xF0: return p;
    case 0x66: return s ^ d;
    case 0x88: return s & d;
    case 0xEE: return s | d;
    case 0x5A: return p ^ d;
    case 0x55: return ~d;
    case 0x33: return ~s;
    case 0x00: return 0;
    case 0xFF: return 0xFFFFFFFF;
    default: break;
    }
    std::uint32_t r = 0;
    for (unsigned i = 0; i < 8; ++i)
        if (code & (1u << i)) r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    return r;
}

bool ropUsesSource(unsigned code) { return ((code >> 2) & 0x33) != (code & 0x33); }
bool ropUsesPattern(unsigned code) { return ((code >> 4) & 0x0F) != (code & 0x0F); }
bool ropUsesDest(unsigned code) { return ((code >> 1) & 0x55) != (code & 0x55); }

QImage keyed(const QImage& src, TColorRef key)
{
    QImage m = src.convertToFormat(QImage::Format_ARGB32);
    QRgb k = qRgb(GetRValue(key), GetGValue(key), GetBValue(key)) & 0xFFFFFF;
    for (int y = 0; y < m.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(m.scanLine(y));
        for (int x = 0; x < m.width(); ++x)
            if ((line[x] & 0xFFFFFF) == k) line[x] = 0;
    }
    return m;
}

}  // namespace

QImage* TDeviceContext::Impl::backing(QPoint& offset) const
{
    if (image) {
        if (image->prepare && !painter->isActive()) image->prepare();
        offset = QPoint(0, 0);
        return &image->image;
    }
    QPaintEngine* engine = painter->paintEngine();
    if (!engine) return nullptr;
    QPaintDevice* dev = engine->paintDevice();
    if (!dev || dev->devType() != QInternal::Image) return nullptr;
    offset = (mapping().inverted() * painter->deviceTransform()).map(QPointF(0, 0)).toPoint();
    return static_cast<QImage*>(dev);
}

namespace {

// x's four channels times a / 255, rounded as the painter does.
QRgb byteMul(QRgb x, uint a)
{
    uint t = (x & 0xff00ff) * a;
    t = ((t + ((t >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
    x = ((x >> 8) & 0xff00ff) * a;
    x = (x + ((x >> 8) & 0xff00ff) + 0x800080) & 0xff00ff00;
    return x | t;
}

// byteMul of one channel by a for every channel value.
const uchar* destinationShare(int a)
{
    thread_local std::array<std::array<uchar, 256>, 256> shares;
    thread_local std::array<bool, 256> made{};
    if (!made[static_cast<std::size_t>(a)]) {
        for (uint v = 0; v < 256; ++v)
            shares[static_cast<std::size_t>(a)][v] = static_cast<uchar>(byteMul(v, static_cast<uint>(a)));
        made[static_cast<std::size_t>(a)] = true;
    }
    return shares[static_cast<std::size_t>(a)].data();
}

// Source-over of src (premultiplied, its alpha the coverage) on opaque pixels, keep = 255 - alpha:
// each channel src + byteMul(d, keep), four pixels at a time where the processor has vectors (the
// sums never exceed a channel: byteMul(255, a) + byteMul(255, 255 - a) = 255).
void blendRow32(QRgb* p, int n, QRgb src, uint keep)
{
    int x = 0;
#if defined(__SSE2__)
    const __m128i s = _mm_set1_epi32(static_cast<int>(src)), k = _mm_set1_epi16(static_cast<short>(keep));
    const __m128i zero = _mm_setzero_si128(), half = _mm_set1_epi16(0x80);
    auto share = [&](__m128i v) {
        v = _mm_mullo_epi16(v, k);
        return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(v, _mm_srli_epi16(v, 8)), half), 8);
    };
    for (; x + 4 <= n; x += 4) {
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + x));
        const __m128i mixed = _mm_packus_epi16(share(_mm_unpacklo_epi8(d, zero)), share(_mm_unpackhi_epi8(d, zero)));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + x), _mm_add_epi8(mixed, s));
    }
#endif
    for (; x < n; ++x) p[x] = src + byteMul(p[x], keep);
}

// Where rows of an image are written: rows by address, since scanLine() and bits() check for
// sharing on every call.
struct RowTarget {
    explicit RowTarget(QImage& img)
        : bits(img.bits()), stride(img.bytesPerLine()), bgr(img.format() == QImage::Format_BGR888)
    {
    }
    uchar* bits;
    qsizetype stride;
    bool bgr;
};

// Fills a device rectangle inside the image with an opaque colour (formats as rowsWritable).
// QRect's intersection, inline: a wide line comes as many runs of a few pixels each. A run given
// back to front is turned round first, as QRect does; bounds are normalized already.
QRect runWithin(const QRect& run, QPoint shift, const QRect& bounds)
{
    int l = run.left(), r = run.right(), t = run.top(), b = run.bottom();
    if (r < l - 1) std::swap(l, r), ++l, --r;
    if (b < t - 1) std::swap(t, b), ++t, --b;
    return QRect(QPoint(std::max(l + shift.x(), bounds.left()), std::max(t + shift.y(), bounds.top())),
                 QPoint(std::min(r + shift.x(), bounds.right()), std::min(b + shift.y(), bounds.bottom())));
}

void fillRows(const RowTarget& to, const QRect& r, QRgb pixel)
{
    uchar* const bits = to.bits;
    const qsizetype stride = to.stride;
    if (to.bgr) {
        // The first row is laid four pixels at a time, the other rows copy it.
        uchar pattern[12];
        for (int k = 0; k < 12; k += 3)
            pattern[k] = static_cast<uchar>(qBlue(pixel)), pattern[k + 1] = static_cast<uchar>(qGreen(pixel)),
            pattern[k + 2] = static_cast<uchar>(qRed(pixel));
        const std::size_t rowBytes = 3 * static_cast<std::size_t>(r.width());
        uchar* const first = bits + r.top() * stride + 3 * r.left();
        std::size_t at = 0;
        for (; at + 12 <= rowBytes; at += 12) std::memcpy(first + at, pattern, 12);
        std::memcpy(first + at, pattern, rowBytes - at);
        for (int y = r.top() + 1; y <= r.bottom(); ++y) std::memcpy(bits + y * stride + 3 * r.left(), first, rowBytes);
        return;
    }
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(bits + y * stride) + r.left();
        std::fill(line, line + r.width(), pixel);
    }
}

}  // namespace

bool TDeviceContext::Impl::rowsWritable() const
{
    // Only the context's own bitmap, unshared (a shared one would detach from the painter) and
    // painted in plain device units.
    if (!image || metafile || inPath || !painter->isActive() || !base.isIdentity()) return false;
    const QImage& img = image->image;
    const auto format = img.format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied && format != QImage::Format_BGR888)
        return false;
    return img.isDetached();
}

bool TDeviceContext::Impl::fillSolid(const QRect& dev, TColorRef color)
{
    if (!rowsWritable()) return false;
    QImage& img = image->image;
    const QRgb pixel = qRgb(GetRValue(color), GetGValue(color), GetBValue(color));
    // The clip's rectangles one by one rather than an intersected region: gradients come here
    // hundreds of times a frame, and a region allocates.
    const QRect area = dev.intersected(img.rect());
    if (area.isEmpty()) return true;
    const RowTarget to(img);
    if (!s.hasClip) {
        fillRows(to, area, pixel);
        return true;
    }
    for (const QRect& c : s.clip) {
        const QRect run = area.intersected(c);
        if (!run.isEmpty()) fillRows(to, run, pixel);
    }
    return true;
}

bool TDeviceContext::Impl::fillRuns(QColor color)
{
    // The runs are in logical units of an unscaled mapping: a shift from the device.
    if (s.rop2 != R2_COPYPEN || !rowsWritable()) return false;
    QImage& img = image->image;
    const QRgb pixel = color.rgb() | 0xFF000000u;
    const QPoint shift = toDevice(0, 0);
    const RowTarget to(img);
    // A wide line comes as runs of a few pixels each: one rectangle to keep them in unless the
    // clip has several.
    if (!s.hasClip || s.clip.rectCount() == 1) {
        const QRect bounds = s.hasClip ? s.clip.boundingRect().intersected(img.rect()) : img.rect();
        for (const QRect& run : runs) {
            const QRect dev = runWithin(run, shift, bounds);
            if (!dev.isEmpty()) fillRows(to, dev, pixel);
        }
        runs.clear();
        return true;
    }
    for (const QRect& run : runs) {
        const QRect dev = run.translated(shift).intersected(img.rect());
        if (dev.isEmpty()) continue;
        for (const QRect& c : s.clip) {
            const QRect part = dev.intersected(c);
            if (!part.isEmpty()) fillRows(to, part, pixel);
        }
    }
    runs.clear();
    return true;
}

bool DCRowShift(TDeviceContext& dc, QPoint& shift)
{
    auto& I = dc.impl();
    if (!I.ensure() || I.scaled() || !I.rowsWritable()) return false;
    const auto format = I.image->image.format();
    // Blending keeps the pixels opaque.
    if (format != QImage::Format_RGB32 && format != QImage::Format_BGR888) return false;
    shift = I.toDevice(0, 0);
    return true;
}

void DCBlendRects(TDeviceContext& dc, QPoint origin, const std::vector<TCoverRect>& rects, QRgb color,
                  const QRect& clip)
{
    auto& I = dc.impl();
    QImage& img = I.image->image;
    const QRect bounds = clip.intersected(img.rect());
    const QRgb opaque = color | 0xFF000000u;
    const RowTarget to(img);
    const bool bgr = to.bgr;
    uchar* const bits = to.bits;
    const qsizetype stride = to.stride;
    auto blendRun = [&](const QRect& r, int cover) {
        if (cover >= 255) {
            fillRows(to, r, opaque);
            return;
        }
        // Source-over with the coverage as constant alpha, in the painter's rounding: each channel
        // becomes the source's share plus the destination's (looked up for 24-bit pixels).
        const QRgb src = byteMul(opaque, static_cast<uint>(cover));
        const uchar* rest = destinationShare(255 - cover);
        const uchar sr = static_cast<uchar>(qRed(src)), sg = static_cast<uchar>(qGreen(src)),
                    sb = static_cast<uchar>(qBlue(src));
        for (int y = r.top(); y <= r.bottom(); ++y) {
            uchar* row = bits + y * stride;
            if (bgr) {
                uchar* p = row + 3 * r.left();
                for (int x = 0; x < r.width(); ++x, p += 3) {
                    p[0] = static_cast<uchar>(sb + rest[p[0]]);
                    p[1] = static_cast<uchar>(sg + rest[p[1]]);
                    p[2] = static_cast<uchar>(sr + rest[p[2]]);
                }
            } else {
                blendRow32(reinterpret_cast<QRgb*>(row) + r.left(), r.width(), src, 255 - static_cast<uint>(cover));
            }
        }
    };
    for (const TCoverRect& rect : rects) {
        if (rect.cover <= 0) continue;
        const QRect dev = QRect(origin.x() + rect.x, origin.y() + rect.y, rect.width, rect.height).intersected(bounds);
        if (dev.isEmpty()) continue;
        if (!I.s.hasClip) {
            blendRun(dev, rect.cover);
            continue;
        }
        for (const QRect& c : I.s.clip) {
            const QRect part = dev.intersected(c);
            if (!part.isEmpty()) blendRun(part, rect.cover);
        }
    }
}

QImage TDeviceContext::Impl::readDevice(const QRect& r) const
{
    QPoint off;
    const QImage* img = backing(off);
    QImage out(r.size(), QImage::Format_RGB32);
    out.fill(Qt::white);
    if (img) {
        QRect src = r.translated(off).intersected(img->rect());
        if (!src.isEmpty()) {
            QPainter p(&out);
            p.setCompositionMode(QPainter::CompositionMode_Source);
            p.drawImage(src.topLeft() - r.topLeft() - off, *img, src);
        }
    }
    return out;
}

bool TDeviceContext::Impl::copyRows(const QRect& dstDev, const TDeviceContext::Impl& src, const QRect& srcDev)
{
    // Source composition of opaque pixels between 32-bit and 24-bit images, either way, moves the
    // colour bytes as they are (a 32-bit pixel gains an opaque alpha); a plain row copy gives the
    // same picture without the painter's conversions and its worker threads.
    if (!image || !base.isIdentity()) return false;  // the caller opened the painter: prepared
    QImage& dst = image->image;
    const auto fmt = dst.format();
    if (fmt != QImage::Format_RGB32 && fmt != QImage::Format_BGR888) return false;
    if (!dst.isDetached()) return false;  // writing would detach away from the open painter
    QPoint off;
    const QImage* from = src.backing(off);
    if (!from || from == &dst) return false;
    const auto srcFmt = from->format();
    if (srcFmt != QImage::Format_RGB32 && srcFmt != QImage::Format_BGR888) return false;
    const QRect sr = srcDev.translated(off);
    if (!from->rect().contains(sr)) return false;  // the painter's path reads white outside
    const QRect d = dstDev.intersected(dst.rect());
    if (d.isEmpty()) return true;
    if (s.hasClip && !(QRegion(d) - s.clip).isEmpty()) return false;
    const QPoint shift = sr.topLeft() - dstDev.topLeft();
    const auto n = static_cast<std::size_t>(d.width());
    const int outDepth = fmt == QImage::Format_RGB32 ? 4 : 3, inDepth = srcFmt == QImage::Format_RGB32 ? 4 : 3;
    // Rows by address: scanLine() checks for sharing on every call.
    uchar* const outBits = dst.bits();
    const qsizetype outStride = dst.bytesPerLine();
    for (int y = d.top(); y <= d.bottom(); ++y) {
        const uchar* in = from->constScanLine(y + shift.y()) + (d.left() + shift.x()) * inDepth;
        uchar* out = outBits + y * outStride + d.left() * outDepth;
        if (inDepth == outDepth) {
            std::memcpy(out, in, n * static_cast<std::size_t>(outDepth));
        } else if (outDepth == 3) {
            // 0xffRRGGBB in memory order B G R A: a 24-bit pixel keeps the first three bytes.
            for (std::size_t i = 0; i < n; ++i, in += 4, out += 3) {
                out[0] = in[0];
                out[1] = in[1];
                out[2] = in[2];
            }
        } else {
            auto* px = reinterpret_cast<QRgb*>(out);
            for (std::size_t i = 0; i < n; ++i, in += 3) px[i] = qRgb(in[2], in[1], in[0]);
        }
    }
    return true;
}

void TDeviceContext::Impl::writeDevice(const QPoint& at, const QImage& img, QPainter::CompositionMode mode)
{
    painter->save();
    painter->setWorldTransform(base);
    if (s.hasClip) painter->setClipRegion(s.clip);
    painter->setCompositionMode(mode);
    painter->drawImage(at, img);
    painter->restore();
}

QImage TDeviceContext::Impl::patternImage(const QRect& devRect) const
{
    QImage p(devRect.size(), QImage::Format_RGB32);
    p.fill(rgbColor(s.bkColor));
    if (s.brush.Style == BS_NULL) return p;
    QPainter q(&p);
    q.setBrushOrigin(s.brushOrg.X - devRect.left(), s.brushOrg.Y - devRect.top());
    q.fillRect(p.rect(), makeBrush(s.brush, true));
    return p;
}

void TDeviceContext::Impl::ropBlt(const QRect& dstDev, const QImage* src, TRop rop)
{
    QRect d = dstDev.intersected(QRect(QPoint(0, 0), sz()));
    if (d.isEmpty()) return;
    unsigned code = (rop >> 16) & 0xFF;
    QImage S;
    if (src && ropUsesSource(code))
        S = src->copy(d.translated(-dstDev.topLeft())).convertToFormat(QImage::Format_RGB32);
    QImage P = ropUsesPattern(code) ? patternImage(d) : QImage();
    QImage D = ropUsesDest(code) ? readDevice(d) : QImage(d.size(), QImage::Format_RGB32);
    for (int y = 0; y < d.height(); ++y) {
        auto* dl = reinterpret_cast<std::uint32_t*>(D.scanLine(y));
        const auto* sl = S.isNull() ? nullptr : reinterpret_cast<const std::uint32_t*>(S.constScanLine(y));
        const auto* pl = P.isNull() ? nullptr : reinterpret_cast<const std::uint32_t*>(P.constScanLine(y));
        for (int x = 0; x < d.width(); ++x) dl[x] = ropEval(code, pl ? pl[x] : 0, sl ? sl[x] : 0, dl[x]) | 0xFF000000u;
    }
    writeDevice(d.topLeft(), D);
}

// ---------- pixels and blocks ----------
TColorRef TDeviceContext::SetPixel(int x, int y, TColor c)
{
    auto& I = *impl_;
    if (!I.ensure()) return CLR_INVALID;
    QPoint d = I.toDevice(x, y);
    if (!QRect(QPoint(0, 0), I.sz()).contains(d) || !I.effectiveClip().contains(d)) return CLR_INVALID;
    I.painter->setCompositionMode(QPainter::CompositionMode_Source);
    {
        TDeviceContext::Impl::DeviceUnits device(I);  // one device pixel, whatever the mapping
        I.painter->fillRect(QRect(d, QSize(1, 1)), rgbColor(ColorToRGB(c)));
    }
    I.painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    return ColorToRGB(c);
}

TColorRef TDeviceContext::GetPixel(int x, int y) const
{
    auto& I = *impl_;
    QPoint d = I.toDevice(x, y);
    if (!QRect(QPoint(0, 0), I.sz()).contains(d) || !I.effectiveClip().contains(d)) return CLR_INVALID;
    QPoint off;
    const QImage* img = I.backing(off);
    if (!img || !img->rect().contains(d + off)) return CLR_INVALID;
    QRgb p = img->pixel(d + off);
    return RGB(static_cast<Byte>(qRed(p)), static_cast<Byte>(qGreen(p)), static_cast<Byte>(qBlue(p)));
}

void TDeviceContext::PatBlt(int x, int y, int w, int h, TRop rop)
{
    DC_ACTIVE();
    auto& I = *impl_;
    if (w < 0) {
        x += w;
        w = -w;
    }
    if (h < 0) {
        y += h;
        h = -h;
    }
    if (w == 0 || h == 0) return;
    QRect q(x, y, w, h);
    unsigned code = (rop >> 16) & 0xFF;
    bool plainBrush = I.s.brush.Style == BS_SOLID || I.s.brush.Style == BS_PATTERN;
    auto qtFill = [&](QPainter::CompositionMode m, const QBrush& b) {
        I.painter->setCompositionMode(m);
        I.setBrushOrigin();
        I.painter->fillRect(q, b);
        I.painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    };
    switch (code) {
    case 0x00: qtFill(QPainter::CompositionMode_Source, QBrush(Qt::black)); return;
    case 0xFF: qtFill(QPainter::CompositionMode_Source, QBrush(Qt::white)); return;
    case 0x55: qtFill(QPainter::RasterOp_NotDestination, QBrush(Qt::black)); return;
    case 0xAA: return;
    case 0xF0:
        if (I.s.brush.Style == BS_SOLID && I.fillSolid(I.toDeviceRect(x, y, w, h), I.s.brush.Color)) return;
        if (plainBrush) {
            qtFill(QPainter::CompositionMode_Source, I.makeBrush(I.s.brush));
            return;
        }
        break;
    case 0x5A:
        if (plainBrush) {
            qtFill(QPainter::RasterOp_SourceXorDestination, I.makeBrush(I.s.brush));
            return;
        }
        break;
    default: break;
    }
    I.ropBlt(I.toDeviceRect(x, y, w, h), nullptr, rop);
}

void TDeviceContext::BitBlt(int x, int y, int w, int h, const TDeviceContext& src, int sx, int sy, TRop rop)
{
    StretchBlt(x, y, w, h, src, sx, sy, w, h, rop);
}

void TDeviceContext::StretchBlt(int x, int y, int w, int h, const TDeviceContext& src, int sx, int sy, int sw, int sh,
                                TRop rop)
{
    DC_ACTIVE();
    auto& I = *impl_;
    if (w == 0 || h == 0 || sw == 0 || sh == 0) return;
    unsigned code = (rop >> 16) & 0xFF;
    if (code == 0xCC && w > 0 && h > 0 && sw == w && sh == h) {
        const QRect dev = I.toDeviceRect(x, y, w, h), from = src.impl().toDeviceRect(sx, sy, sw, sh);
        if (dev.size() == from.size() && I.copyRows(dev, src.impl(), from)) return;
    }
    QImage S;
    if (ropUsesSource(code)) {
        bool mirrorX = (w < 0) != (sw < 0), mirrorY = (h < 0) != (sh < 0);
        if (sw < 0) {
            sx += sw;
            sw = -sw;
        }
        if (sh < 0) {
            sy += sh;
            sh = -sh;
        }
        S = src.impl().sourceImage(src.impl().toDeviceRect(sx, sy, sw, sh));
        if (mirrorX || mirrorY) S = S.mirrored(mirrorX, mirrorY);
    }
    if (w < 0) {
        x += w;
        w = -w;
    }
    if (h < 0) {
        y += h;
        h = -h;
    }
    const QRect dev = I.toDeviceRect(x, y, w, h);
    if (!S.isNull() && S.size() != dev.size()) S = S.scaled(dev.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (code == 0xCC) {
        I.writeDevice(dev.topLeft(), S);
        return;
    }
    I.ropBlt(dev, S.isNull() ? nullptr : &S, rop);
}

void TDeviceContext::AlphaBlend(int x, int y, int w, int h, const TDeviceContext& src, int sx, int sy, int sw, int sh,
                                TBlendFunction blend)
{
    DC_ACTIVE();
    auto& I = *impl_;
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
    const QRect sr0 = src.impl().toDeviceRect(sx, sy, sw, sh);
    const QPoint sd = sr0.topLeft();
    QImage S;
    QPoint off;
    const QImage* simg = src.impl().backing(off);
    if (blend.AlphaFormat & AC_SRC_ALPHA && simg && simg->depth() == 32) {
        // The stored alpha byte is the source's own: read the pixels as premultiplied colour.
        QRect sr = sr0.translated(off).intersected(simg->rect());
        QImage raw(simg->constScanLine(0), simg->width(), simg->height(), simg->bytesPerLine(),
                   QImage::Format_ARGB32_Premultiplied);
        S = QImage(sr0.size(), QImage::Format_ARGB32_Premultiplied);
        S.fill(Qt::transparent);
        QPainter p(&S);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(sr.topLeft() - sd - off, raw, sr);
    } else {
        S = src.impl().sourceImage(sr0);
    }
    if (S.size() != QSize(w, h)) S = S.scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    I.painter->save();
    I.painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    I.painter->setOpacity(blend.SourceConstantAlpha / 255.0);
    I.painter->drawImage(QPoint(x, y), S);
    I.painter->restore();
}

void TDeviceContext::TransparentBlt(int x, int y, int w, int h, const TDeviceContext& src, int sx, int sy, int sw,
                                    int sh, TColor transparent)
{
    DC_ACTIVE();
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
    QImage S = src.impl().sourceImage(src.impl().toDeviceRect(sx, sy, sw, sh));
    if (S.size() != QSize(w, h)) S = S.scaled(w, h, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    impl_->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    impl_->painter->drawImage(QPoint(x, y), keyed(S, ColorToRGB(transparent)));
}

void TDeviceContext::DrawImage(const TRect& dst, const TPixelImage& image, const TRect& src, TRop rop)
{
    DC_ACTIVE();
    auto& I = *impl_;
    if (dst.Width() == 0 || dst.Height() == 0 || image.image.isNull()) return;
    QRect sr(src.Left, src.Top, src.Width(), src.Height());
    unsigned code = (rop >> 16) & 0xFF;
    if (code == 0xCC && dst.Width() > 0 && dst.Height() > 0 && sr.width() > 0 && sr.height() > 0) {
        I.painter->setCompositionMode(QPainter::CompositionMode_Source);
        if (I.painter->device() == &image.image) {
            // A bitmap drawn onto itself: read from a copy, the areas may overlap.
            QImage part = image.image.copy(sr).scaled(dst.Width(), dst.Height(), Qt::IgnoreAspectRatio,
                                                      Qt::FastTransformation);
            I.painter->drawImage(QPoint(dst.Left, dst.Top), part);
        } else if (sr.size() == QSize(dst.Width(), dst.Height()))
            I.painter->drawImage(QPoint(dst.Left, dst.Top), image.image, sr);
        else {
            QImage part = image.image.copy(sr).scaled(dst.Width(), dst.Height(), Qt::IgnoreAspectRatio,
                                                      Qt::FastTransformation);
            I.painter->drawImage(QPoint(dst.Left, dst.Top), part);
        }
        I.painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
        return;
    }
    QImage S = image.image.copy(sr).convertToFormat(QImage::Format_RGB32);
    int w = dst.Width(), h = dst.Height();
    if (w < 0 || h < 0) S = S.mirrored(w < 0, h < 0);
    w = std::abs(w);
    h = std::abs(h);
    const QRect dev = I.toDeviceRect(std::min(dst.Left, dst.Right), std::min(dst.Top, dst.Bottom), w, h);
    if (S.size() != dev.size()) S = S.scaled(dev.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    I.ropBlt(dev, &S, rop);
}

void TDeviceContext::DrawImageTransparent(const TRect& dst, const TPixelImage& image, const TRect& src,
                                          TColor transparent)
{
    DC_ACTIVE();
    if (dst.Width() <= 0 || dst.Height() <= 0 || image.image.isNull()) return;
    QImage S = image.image.copy(QRect(src.Left, src.Top, src.Width(), src.Height()));
    if (S.size() != QSize(dst.Width(), dst.Height()))
        S = S.scaled(dst.Width(), dst.Height(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    impl_->painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    impl_->painter->drawImage(QPoint(dst.Left, dst.Top), keyed(S, ColorToRGB(transparent)));
}
