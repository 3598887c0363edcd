#include "chart/canvas/BitmapRoutines.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/canvas/Geometry.h"
#include "platform/graphics/Bitmap.h"

namespace {

std::vector<Byte*> scanLines(TBitmap& bitmap, TPixelFormat format)
{
    bitmap.SetPixelFormat(format);
    std::vector<Byte*> rows;
    const int h = bitmap.Height();
    if (h <= 0 || bitmap.Width() <= 0) return rows;
    rows.resize(static_cast<std::size_t>(h));
    rows[0] = bitmap.ScanLine(0);
    if (h > 1) {
        Byte* second = bitmap.ScanLine(1);
        rows[0] = bitmap.ScanLine(0);  // the first call may have moved the storage
        const std::ptrdiff_t stride = second - rows[0];
        for (int y = 1; y < h; ++y) rows[static_cast<std::size_t>(y)] = rows[0] + stride * y;
    }
    return rows;
}

double sinc(double x)
{
    if (x == 0) return 1;
    x *= std::numbers::pi;
    return std::sin(x) / x;
}

double lanczos3(double x)
{
    x = std::fabs(x);
    return x < 3 ? sinc(x) * sinc(x / 3) : 0;
}

double triangle(double x)
{
    x = std::fabs(x);
    return x < 1 ? 1 - x : 0;
}

struct Tap {
    int index;
    int weight;  // out of 1024
};

// For every destination index, the source indices it reads and their weights. The weights of one
// index sum to 1024, so flat areas keep their level whatever the filter's lobes add up to.
std::vector<std::vector<Tap>> contributions(int srcSize, int dstSize, bool lowQuality)
{
    double (*filter)(double) = lowQuality ? triangle : lanczos3;
    const double radius = lowQuality ? 1 : 3;
    const double scale = static_cast<double>(dstSize - 1) / (srcSize - 1);
    const double support = scale < 1 ? radius / scale : radius;
    std::vector<std::vector<Tap>> out(static_cast<std::size_t>(dstSize));
    for (int i = 0; i < dstSize; ++i) {
        const double c = i / scale;
        auto& taps = out[static_cast<std::size_t>(i)];
        const int from = static_cast<int>(std::floor(c - support));
        const int to = static_cast<int>(std::ceil(c + support));
        int sum = 0;
        for (int j = from; j <= to; ++j) {
            const double w = scale < 1 ? scale * filter(scale * (c - j)) : filter(c - j);
            const int weight = static_cast<int>(std::lround(1024 * w));
            if (weight == 0) continue;
            int k = j < 0 ? -j : j >= srcSize ? 2 * srcSize - 1 - j : j;
            k = std::clamp(k, 0, srcSize - 1);
            taps.push_back({k, weight});
            sum += weight;
        }
        if (sum != 0 && sum != 1024) {
            int total = 0;
            for (Tap& t : taps) {
                t.weight = static_cast<int>(std::lround(t.weight * 1024.0 / sum));
                total += t.weight;
            }
            // The largest tap takes what rounding left over.
            auto biggest = std::max_element(taps.begin(), taps.end(),
                                            [](const Tap& a, const Tap& b) { return a.weight < b.weight; });
            biggest->weight += 1024 - total;
        }
    }
    return out;
}

inline Byte clampChannel(int sum)
{
    if (sum <= 0) return 0;
    sum >>= 10;
    return static_cast<Byte>(sum > 255 ? 255 : sum);
}

}  // namespace

void EnsureBitmapSize(TBitmap& bitmap, int width, int height)
{
    if (bitmap.Width() != width || bitmap.Height() != height) bitmap.SetSize(width, height);
}

void SetBitmapResolution(TBitmap& bitmap, int dotsPerInch)
{
    const int perMetre = static_cast<int>(std::lround(dotsPerInch * 39.370079));
    bitmap.SetPelsPerMeter(perMetre, perMetre);
}

int QueryDeviceCaps(HDC dc, int index) { return dc->GetDeviceCaps(index); }

int DeviceBitsPerPixel(HDC dc) { return dc->GetDeviceCaps(BITSPIXEL) * dc->GetDeviceCaps(PLANES); }

std::vector<Byte*> BitmapScanLines24(TBitmap& bitmap) { return scanLines(bitmap, pf24bit); }

std::vector<Byte*> BitmapScanLines32(TBitmap& bitmap) { return scanLines(bitmap, pf32bit); }

void ResampleBitmapQuality(TBitmap& source, TBitmap& destination, bool lowQuality)
{
    const int sw = source.Width(), sh = source.Height();
    const int dw = destination.Width(), dh = destination.Height();
    if (sw <= 1 || sh <= 1 || dw <= 1 || dh <= 1) return;
    const auto src = BitmapScanLines24(source);
    const auto dst = BitmapScanLines24(destination);
    const auto across = contributions(sw, dw, lowQuality);
    const auto down = contributions(sh, dh, lowQuality);

    // Rows first into an intermediate of the destination width and the source height.
    std::vector<Byte> mid(static_cast<std::size_t>(dw) * 3 * static_cast<std::size_t>(sh));
    for (int y = 0; y < sh; ++y) {
        const Byte* s = src[static_cast<std::size_t>(y)];
        Byte* m = &mid[static_cast<std::size_t>(y) * static_cast<std::size_t>(dw) * 3];
        for (int x = 0; x < dw; ++x) {
            int b = 0, g = 0, r = 0;
            for (const Tap& t : across[static_cast<std::size_t>(x)]) {
                const Byte* p = s + t.index * 3;
                b += p[0] * t.weight;
                g += p[1] * t.weight;
                r += p[2] * t.weight;
            }
            m[x * 3] = clampChannel(b);
            m[x * 3 + 1] = clampChannel(g);
            m[x * 3 + 2] = clampChannel(r);
        }
    }
    // Then columns into the destination.
    const std::size_t midStride = static_cast<std::size_t>(dw) * 3;
    std::vector<int> acc(midStride);
    for (int y = 0; y < dh; ++y) {
        std::fill(acc.begin(), acc.end(), 0);
        for (const Tap& t : down[static_cast<std::size_t>(y)]) {
            const Byte* m = &mid[static_cast<std::size_t>(t.index) * midStride];
            for (std::size_t k = 0; k < midStride; ++k) acc[k] += m[k] * t.weight;
        }
        Byte* d = dst[static_cast<std::size_t>(y)];
        for (std::size_t k = 0; k < midStride; ++k) d[k] = clampChannel(acc[k]);
    }
    destination.ImageChanged();
}
