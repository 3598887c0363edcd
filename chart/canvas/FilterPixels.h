#pragma once
// Pixel walks shared by the picture filters.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

#include "platform/graphics/GraphicsTypes.h"
#include "platform/rtl/Types.h"

// The part of an inclusive rectangle inside a bitmap of width x height; Right < Left or
// Bottom < Top when nothing is left.
inline TRect ClipFilterRect(const TRect& rect, int width, int height)
{
    return {std::max(0, rect.Left), std::max(0, rect.Top), std::min(rect.Right, width - 1),
            std::min(rect.Bottom, height - 1)};
}

inline bool IsEmptyFilterRect(const TRect& r) { return r.Right < r.Left || r.Bottom < r.Top; }

// Calls pixel(Byte* bgr) for every pixel of the inclusive rectangle r (already clipped).
template <class F>
void ForEachPixel(const std::vector<Byte*>& rows, const TRect& r, int bytesPerPixel, F&& pixel)
{
    for (int y = r.Top; y <= r.Bottom; ++y) {
        Byte* p = rows[static_cast<std::size_t>(y)] + static_cast<std::ptrdiff_t>(r.Left) * bytesPerPixel;
        for (int x = r.Left; x <= r.Right; ++x, p += bytesPerPixel) pixel(p);
    }
}

// Nearest integer, halves to even, held within the int range (NaN gives 0): settings read from a
// stream can be anything.
inline int SaturatedRound(double value)
{
    if (std::isnan(value)) return 0;
    const double r = std::nearbyint(value);
    if (r <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
    if (r >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
    return static_cast<int>(r);
}

// A change of a channel value that no channel can tell from a larger one.
inline int ChannelChange(int value) { return std::clamp(value, -255, 255); }

inline Byte ClampChannel(int value) { return static_cast<Byte>(std::clamp(value, 0, 255)); }
inline Byte ClampChannel(Int64 value) { return static_cast<Byte>(std::clamp<Int64>(value, 0, 255)); }
