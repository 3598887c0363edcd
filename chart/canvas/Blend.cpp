#include "chart/canvas/Blend.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "chart/canvas/BitmapRoutines.h"
#include "chart/canvas/CanvasServices.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZebCanvas.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

TV_PUBLISHED(TZebBlend) {}

namespace {
// round(x / 255) for 0 <= x <= 255 * 255, without a division.
inline Byte div255(int x)
{
    x += 128;
    return static_cast<Byte>((x + (x >> 8)) >> 8);
}

// d = div255(s * alpha + d * (255 - alpha)) over n bytes; with keepAlpha every fourth byte (a
// 32-bit pixel's alpha) stays as it was.
void mixBytes(const Byte* s, Byte* d, int n, int alpha, bool keepAlpha)
{
    const int keep = 255 - alpha;
    int k = 0;
#if defined(__SSE2__)
    const __m128i a = _mm_set1_epi16(static_cast<short>(alpha)), b = _mm_set1_epi16(static_cast<short>(keep));
    const __m128i zero = _mm_setzero_si128(), half = _mm_set1_epi16(128);
    const __m128i alphaBytes = keepAlpha ? _mm_set1_epi32(static_cast<int>(0xFF000000u)) : zero;
    // The sums stay below 2^16, so the division by 255 is the scalar one on 16-bit lanes.
    auto mix = [&](__m128i sv, __m128i dv) {
        __m128i x = _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(sv, a), _mm_mullo_epi16(dv, b)), half);
        return _mm_srli_epi16(_mm_add_epi16(x, _mm_srli_epi16(x, 8)), 8);
    };
    for (; k + 16 <= n; k += 16) {
        const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + k));
        const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + k));
        const __m128i lo = mix(_mm_unpacklo_epi8(sv, zero), _mm_unpacklo_epi8(dv, zero));
        const __m128i hi = mix(_mm_unpackhi_epi8(sv, zero), _mm_unpackhi_epi8(dv, zero));
        const __m128i mixed = _mm_packus_epi16(lo, hi);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + k),
                         _mm_or_si128(_mm_andnot_si128(alphaBytes, mixed), _mm_and_si128(alphaBytes, dv)));
    }
#endif
    for (; k < n; ++k)
        if (!keepAlpha || k % 4 != 3) d[k] = div255(s[k] * alpha + d[k] * keep);
}

struct Rows {
    std::vector<Byte*> lines;
    int bpp = 3;
};

Rows rowsOf(TBitmap& bitmap)
{
    Rows r;
    if (bitmap.PixelFormat() == pf32bit) {
        r.lines = BitmapScanLines32(bitmap);
        r.bpp = 4;
    } else {
        r.lines = BitmapScanLines24(bitmap);
    }
    return r;
}

// The bitmap an unbuffered canvas draws on, when rect (logical) can be reached in its rows: a
// 24- or 32-bit surface under an unscaled mapping, rect wholly inside it and inside a plain clip.
// Capturing and blending there spares two bitmaps with their painters and two copies.
TBitmap* reachableSurface(const TZebCanvas& canvas, const TRect& rect, TPoint& offset)
{
    TCanvas* const target = canvas.TargetCanvas();
    TBitmap* const surface = target && !canvas.Metafiling() ? target->SurfaceBitmap() : nullptr;
    if (!surface || (surface->PixelFormat() != pf24bit && surface->PixelFormat() != pf32bit)) return nullptr;
    HDC dc = target->Handle();
    constexpr int far = 4096;
    offset = dc->LPtoDP({0, 0});
    const TPoint step = dc->LPtoDP({far, far});
    if (step.X - offset.X != far || step.Y - offset.Y != far) return nullptr;
    if (rect.Left + offset.X < 0 || rect.Top + offset.Y < 0 || rect.Right + offset.X > surface->Width() ||
        rect.Bottom + offset.Y > surface->Height())
        return nullptr;
    TRect box;
    if (dc->GetClipBox(box) != SIMPLEREGION || rect.Left < box.Left || rect.Top < box.Top || rect.Right > box.Right ||
        rect.Bottom > box.Bottom)
        return nullptr;
    return surface;
}
}  // namespace

TZebBlend::TZebBlend(TZebCanvas* canvas, const TRect& rect) : canvas_(canvas)
{
    if (canvas_) CaptureRect(rect);
}

TZebBlend::~TZebBlend() = default;

void TZebBlend::CaptureRect(const TRect& rect)
{
    TRect r = NormalizeRect(rect);
    r.Left = std::max(r.Left, 0);
    r.Top = std::max(r.Top, 0);
    r.Right = std::max(r.Right, r.Left + 1);
    r.Bottom = std::max(r.Bottom, r.Top + 1);
    const TRect& bounds = canvas_->DrawBounds();
    r.Right = std::min(r.Right, bounds.Right);
    r.Bottom = std::min(r.Bottom, bounds.Bottom);
    rect_ = r;
    valid_ = r.Right > r.Left && r.Bottom > r.Top;
    if (!valid_) return;
    TCanvas* source = canvas_->BufferBitmap() ? canvas_->BufferBitmap()->Canvas() : canvas_->TargetCanvas();
    if (!source) {
        valid_ = false;
        return;
    }
    if (!bitmap_) bitmap_ = std::make_unique<TBitmap>();
    TPoint offset;
    TBitmap* const surface = pixels(offset);
    // Taken in the format of the pixels it goes back to, row by row.
    bitmap_->SetPixelFormat(surface ? surface->PixelFormat() : pf24bit);
    bitmap_->SetSize(r.Width(), r.Height());
    if (!surface) {
        bitmap_->Canvas()->CopyRect({0, 0, r.Width(), r.Height()}, source, r);
        return;
    }
    const Rows from = rowsOf(*surface), to = rowsOf(*bitmap_);
    const std::size_t rowBytes = static_cast<std::size_t>(r.Width()) * static_cast<std::size_t>(to.bpp);
    for (int y = 0; y < r.Height(); ++y)
        std::memcpy(to.lines[static_cast<std::size_t>(y)],
                    from.lines[static_cast<std::size_t>(r.Top + offset.Y + y)] + (r.Left + offset.X) * from.bpp, rowBytes);
    bitmap_->ImageChanged();
}

TBitmap* TZebBlend::pixels(TPoint& offset) const
{
    offset = {};
    if (TBitmap* buffer = canvas_->BufferBitmap()) {
        const auto format = buffer->PixelFormat();
        const bool inside = rect_.Right <= buffer->Width() && rect_.Bottom <= buffer->Height();
        return inside && (format == pf24bit || format == pf32bit) ? buffer : nullptr;
    }
    return reachableSurface(*canvas_, rect_, offset);
}

void TZebBlend::BlendBack(TZebTransparency transparency)
{
    if (!valid_ || canvas_->Metafiling()) return;
    TPoint offset;
    if (TBitmap* surface = pixels(offset); surface && bitmap_->PixelFormat() == surface->PixelFormat()) {
        BlendBitmaps(*bitmap_, *surface, {rect_.Left + offset.X, rect_.Top + offset.Y}, nullptr, 100 - transparency);
        return;
    }
    if (TBitmap* buffer = canvas_->BufferBitmap()) {
        BlendBitmaps(*bitmap_, *buffer, rect_.TopLeft(), nullptr, 100 - transparency);
        return;
    }
    TCanvas* target = canvas_->TargetCanvas();
    if (!target) return;
    TBitmap drawn(rect_.Width(), rect_.Height(), pf24bit);
    drawn.Canvas()->CopyRect({0, 0, rect_.Width(), rect_.Height()}, target, rect_);
    BlendBitmaps(*bitmap_, drawn, {0, 0}, nullptr, 100 - transparency);
    canvas_->DrawGraphic(rect_.Left, rect_.Top, &drawn);
}

void BlendBitmaps(TBitmap& source, TBitmap& destination, TPoint position, TBitmap* mask, int percent)
{
    const int x0 = std::max(position.X, 0), y0 = std::max(position.Y, 0);
    const int w = std::min(source.Width(), destination.Width() - x0);
    const int h = std::min(source.Height(), destination.Height() - y0);
    if (w <= 0 || h <= 0) return;
    // A 32-bit bitmap keeps its format (converting a chart's buffer would send every later frame
    // down the 24-bit paths): its pixels mix in their colour bytes, alpha left alone.
    const Rows src = rowsOf(source), dst = rowsOf(destination);
    const int sb = src.bpp, db = dst.bpp;
    if (!mask && LoadAlphaBlend()) {
        // The alpha blend of the source over the destination with a constant source alpha, done
        // on the rows: cheaper than a painter for one call per transparent section.
        const int alpha = std::clamp(255 - RoundHalfEven(2.55 * percent), 0, 255);
        if (alpha == 0) return;
        const int keep = 255 - alpha;
        for (int y = 0; y < h; ++y) {
            const Byte* s = src.lines[static_cast<std::size_t>(y)];
            Byte* d = dst.lines[static_cast<std::size_t>(y + y0)] + x0 * db;
            if (sb == db) {
                mixBytes(s, d, w * db, alpha, db == 4);
                continue;
            }
            for (int x = 0; x < w; ++x, s += sb, d += db)
                for (int k = 0; k < 3; ++k) d[k] = div255(s[k] * alpha + d[k] * keep);
        }
        destination.ImageChanged();
        return;
    }
    std::vector<Byte*> msk;
    if (mask) msk = BitmapScanLines24(*mask);
    const int weight = 256 - RoundHalfEven(2.56 * percent);
    for (int y = 0; y < h; ++y) {
        const Byte* s = src.lines[static_cast<std::size_t>(y)];
        Byte* d = dst.lines[static_cast<std::size_t>(y + y0)] + x0 * db;
        const Byte* m = mask && y < mask->Height() ? msk[static_cast<std::size_t>(y)] : nullptr;
        for (int x = 0; x < w; ++x, s += sb, d += db) {
            if (d[0] == 255 && d[1] == 255 && d[2] == 255) d[2] = 254;
            for (int k = 0; k < 3; ++k) {
                const int diff = s[k] - d[k];
                if (mask) {
                    const int mk = m && x < mask->Width() ? m[x * 3 + k] : 0;
                    d[k] = static_cast<Byte>(d[k] + ((diff * mk) >> 8));
                } else {
                    d[k] = static_cast<Byte>(d[k] + ((weight * diff) >> 8));
                }
            }
        }
    }
    destination.ImageChanged();
}

std::vector<Int64> BlurWeights(int radius, int smoothBlur)
{
    // A base of zero or less has no powers; the sharpest kernel is kept instead.
    const float base = std::max((static_cast<float>(smoothBlur) + 180.0f) / 100.0f, 0.01f);
    std::vector<Int64> w(static_cast<std::size_t>(std::max(radius, 0)) + 1);
    w[0] = 100000;
    for (int d = 1; d <= radius; ++d)
        w[static_cast<std::size_t>(d)] = std::llround(
            100000.0 * std::pow(static_cast<double>(base), -static_cast<double>(d * d) / radius));
    return w;
}

namespace {
// Integer division by a fixed positive divisor through its reciprocal (exact, corrected by one).
struct Divider {
    Divider() = default;
    explicit Divider(Int64 divisor) : d(divisor), inv(1.0 / static_cast<double>(divisor)) {}
    Int64 operator()(Int64 n) const
    {
        Int64 q = static_cast<Int64>(static_cast<double>(n) * inv);
        if (q * d > n)
            --q;
        else if ((q + 1) * d <= n)
            ++q;
        return q;
    }
    Int64 d = 1;
    double inv = 1;
};

template <class Acc>
void blurPasses(TBitmap& source, TBitmap* destination, TPoint position, int radius, const std::vector<Int64>& weights64,
                const TBlurClip* clip)
{
    const int W = source.Width(), H = source.Height();
    if (W <= 0 || H <= 0) return;
    const int dw = destination ? destination->Width() : W, dh = destination ? destination->Height() : H;
    const int x0 = destination ? position.X : 0, y0 = destination ? position.Y : 0;
    const int xFrom = std::max(0, -x0), xTo = std::min(W, dw - x0);
    const int yFrom = std::max(0, -y0), yTo = std::min(H, dh - y0);
    if (xFrom >= xTo || yFrom >= yTo) return;
    const std::vector<Acc> weights(weights64.begin(), weights64.end());
    const Rows src = rowsOf(source);

    // Horizontal pass into an intermediate of the computed rows and columns. The window of every
    // column (and its weight sum) is the same for all rows.
    const int cw = xTo - xFrom, ch = yTo - yFrom;
    struct Window {
        int from, to;
        Divider divide;
    };
    auto window = [&](int i, int first, int last) {
        Window w{std::max(first, i - radius), std::min(last, i + radius), {}};
        Int64 total = 0;
        for (int k = w.from; k <= w.to; ++k) total += weights64[static_cast<std::size_t>(std::abs(k - i))];
        w.divide = Divider(total);
        return w;
    };
    std::vector<Window> columns;
    for (int x = xFrom; x < xTo; ++x) columns.push_back(window(x, 0, W - 1));
    std::vector<Byte> mid(static_cast<std::size_t>(cw) * static_cast<std::size_t>(ch) * 3);
    for (int y = yFrom; y < yTo; ++y) {
        const Byte* row = src.lines[static_cast<std::size_t>(y)];
        Byte* out = &mid[static_cast<std::size_t>(y - yFrom) * static_cast<std::size_t>(cw) * 3];
        for (int x = xFrom; x < xTo; ++x) {
            const Window& w = columns[static_cast<std::size_t>(x - xFrom)];
            Acc sum[3] = {0, 0, 0};
            for (int k = w.from; k <= w.to; ++k) {
                const Acc wt = weights[static_cast<std::size_t>(std::abs(k - x))];
                const Byte* p = row + k * src.bpp;
                sum[0] += wt * p[0];
                sum[1] += wt * p[1];
                sum[2] += wt * p[2];
            }
            Byte* o = out + (x - xFrom) * 3;
            for (int c = 0; c < 3; ++c) o[c] = static_cast<Byte>(w.divide(sum[c]));
        }
    }
    // Vertical pass, a row at a time; the destination is multiplied by the blurred shadow.
    const Rows dst = destination ? rowsOf(*destination) : src;
    const std::size_t midStride = static_cast<std::size_t>(cw) * 3;
    std::vector<Acc> acc(midStride);
    for (int y = yFrom; y < yTo; ++y) {
        const Window w = window(y, yFrom, yTo - 1);
        std::fill(acc.begin(), acc.end(), 0);
        for (int k = w.from; k <= w.to; ++k) {
            const Acc wt = weights[static_cast<std::size_t>(std::abs(k - y))];
            const Byte* m = &mid[static_cast<std::size_t>(k - yFrom) * midStride];
            for (std::size_t i = 0; i < midStride; ++i) acc[i] += wt * m[i];
        }
        Byte* row = dst.lines[static_cast<std::size_t>(y0 + y)];
        for (int x = xFrom; x < xTo; ++x) {
            if (clip && !clip->Visible(x0 + x, y0 + y)) continue;
            Byte* d = row + (x0 + x) * dst.bpp;
            const Acc* a = &acc[static_cast<std::size_t>(x - xFrom) * 3];
            for (int c = 0; c < 3; ++c) {
                const int b = static_cast<int>(w.divide(a[c]));
                d[c] = destination ? div255(d[c] * b) : static_cast<Byte>(b);
            }
        }
    }
    if (destination)
        destination->ImageChanged();
    else
        source.ImageChanged();
}
}  // namespace

void MultiplyBlurredShadow(TBitmap& blurred, TBitmap& destination, TPoint position, const TBlurClip* clip)
{
    const Rows src = rowsOf(blurred), dst = rowsOf(destination);
    for (int y = 0; y < blurred.Height(); ++y) {
        const Byte* s = src.lines[static_cast<std::size_t>(y)];
        Byte* row = dst.lines[static_cast<std::size_t>(position.Y + y)];
        for (int x = 0; x < blurred.Width(); ++x) {
            if (clip && !clip->Visible(position.X + x, position.Y + y)) continue;
            Byte* d = row + (position.X + x) * dst.bpp;
            const Byte* b = s + x * src.bpp;
            for (int c = 0; c < 3; ++c) d[c] = div255(d[c] * b[c]);
        }
    }
    destination.ImageChanged();
}

void BlurShadowInto(TBitmap& source, TBitmap* destination, TPoint position, int radius, int smoothBlur,
                    const TBlurClip* clip)
{
    const auto weights = BlurWeights(radius, smoothBlur);
    Int64 total = 0;
    for (std::size_t i = 0; i < weights.size(); ++i) total += weights[i] * (i ? 2 : 1);
    // Sums of 32 bits whenever they fit: the usual kernels are far below that.
    if (total * 255 < 0x7FFFFFFF)
        blurPasses<std::int32_t>(source, destination, position, radius, weights, clip);
    else
        blurPasses<Int64>(source, destination, position, radius, weights, clip);
}
