#pragma once
// Pixel walks shared by the picture filters.
#include <algorithm>
#include <cstddef>
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

inline Byte ClampChannel(int value) { return static_cast<Byte>(std::clamp(value, 0, 255)); }
inline Byte ClampChannel(Int64 value) { return static_cast<Byte>(std::clamp<Int64>(value, 0, 255)); }
