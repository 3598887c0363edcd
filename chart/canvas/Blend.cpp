#include "chart/canvas/Blend.h"

#include <algorithm>
#include <cmath>

#include "chart/canvas/BitmapRoutines.h"
#include "chart/canvas/CanvasServices.h"
#include "chart/canvas/Geometry.h"
#include "chart/canvas/ZebCanvas.h"
#include "platform/classes/Published.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

TV_PUBLISHED(TZebBlend) {}

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
    bitmap_->SetPixelFormat(pf24bit);
    bitmap_->SetSize(r.Width(), r.Height());
    bitmap_->Canvas()->CopyRect({0, 0, r.Width(), r.Height()}, source, r);
}

void TZebBlend::BlendBack(TZebTransparency transparency)
{
    if (!valid_ || canvas_->Metafiling()) return;
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
    if (!mask && LoadAlphaBlend()) {
        const int alpha = 255 - RoundHalfEven(2.55 * percent);
        if (alpha <= 0) return;
        TBlendFunction f;
        f.SourceConstantAlpha = static_cast<Byte>(std::min(alpha, 255));
        destination.Canvas()->Handle()->AlphaBlend(x0, y0, w, h, *source.Canvas()->Handle(), 0, 0, w, h, f);
        destination.ImageChanged();
        return;
    }
    const auto src = BitmapScanLines24(source);
    const auto dst = BitmapScanLines24(destination);
    std::vector<Byte*> msk;
    if (mask) msk = BitmapScanLines24(*mask);
    const int weight = 256 - RoundHalfEven(2.56 * percent);
    for (int y = 0; y < h; ++y) {
        const Byte* s = src[static_cast<std::size_t>(y)];
        Byte* d = dst[static_cast<std::size_t>(y + y0)] + x0 * 3;
        const Byte* m = mask && y < mask->Height() ? msk[static_cast<std::size_t>(y)] : nullptr;
        for (int x = 0; x < w; ++x, s += 3, d += 3) {
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
        w[static_cast<std::size_t>(d)] = std::llround(100000.0 * std::pow(static_cast<double>(base),
                                                                          -static_cast<double>(d * d) / radius));
    return w;
}

namespace {
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
}  // namespace

void BlurShadowInto(TBitmap& source, TBitmap* destination, TPoint position, int radius, int smoothBlur,
                    const TBlurClip* clip)
{
    const int W = source.Width(), H = source.Height();
    if (W <= 0 || H <= 0) return;
    const int dw = destination ? destination->Width() : W, dh = destination ? destination->Height() : H;
    const int x0 = destination ? position.X : 0, y0 = destination ? position.Y : 0;
    const int xFrom = std::max(0, -x0), xTo = std::min(W, dw - x0);
    const int yFrom = std::max(0, -y0), yTo = std::min(H, dh - y0);
    if (xFrom >= xTo || yFrom >= yTo) return;
    const auto weights = BlurWeights(radius, smoothBlur);
    const Rows src = rowsOf(source);

    // Horizontal pass into an intermediate of the computed rows and columns.
    const int cw = xTo - xFrom, ch = yTo - yFrom;
    std::vector<Byte> mid(static_cast<std::size_t>(cw) * static_cast<std::size_t>(ch) * 3);
    for (int y = yFrom; y < yTo; ++y) {
        const Byte* row = src.lines[static_cast<std::size_t>(y)];
        Byte* out = &mid[static_cast<std::size_t>(y - yFrom) * static_cast<std::size_t>(cw) * 3];
        for (int x = xFrom; x < xTo; ++x) {
            Int64 sum[3] = {0, 0, 0}, total = 0;
            for (int k = std::max(0, x - radius); k <= std::min(W - 1, x + radius); ++k) {
                const Int64 wt = weights[static_cast<std::size_t>(std::abs(k - x))];
                const Byte* p = row + k * src.bpp;
                sum[0] += wt * p[0];
                sum[1] += wt * p[1];
                sum[2] += wt * p[2];
                total += wt;
            }
            Byte* o = out + (x - xFrom) * 3;
            for (int c = 0; c < 3; ++c) o[c] = static_cast<Byte>(sum[c] / total);
        }
    }
    // Vertical pass; the destination is multiplied by the blurred shadow.
    const Rows dst = destination ? rowsOf(*destination) : src;
    for (int y = yFrom; y < yTo; ++y) {
        for (int x = xFrom; x < xTo; ++x) {
            if (clip && !clip->Visible(x0 + x, y0 + y)) continue;
            Int64 sum[3] = {0, 0, 0}, total = 0;
            for (int k = std::max(yFrom, y - radius); k <= std::min(yTo - 1, y + radius); ++k) {
                const Int64 wt = weights[static_cast<std::size_t>(std::abs(k - y))];
                const Byte* p = &mid[(static_cast<std::size_t>(k - yFrom) * static_cast<std::size_t>(cw) +
                                      static_cast<std::size_t>(x - xFrom)) * 3];
                sum[0] += wt * p[0];
                sum[1] += wt * p[1];
                sum[2] += wt * p[2];
                total += wt;
            }
            Byte* d = dst.lines[static_cast<std::size_t>(y0 + y)] + (x0 + x) * dst.bpp;
            for (int c = 0; c < 3; ++c) {
                const Int64 b = sum[c] / total;
                d[c] = destination ? static_cast<Byte>(RoundHalfEven(d[c] * static_cast<double>(b) / 255)) : static_cast<Byte>(b);
            }
        }
    }
    if (destination) destination->ImageChanged();
    else source.ImageChanged();
}
