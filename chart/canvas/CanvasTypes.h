#pragma once
// Value types shared by the chart canvas and its callers.
#include <array>
#include <iterator>

#include "platform/graphics/GraphicsTypes.h"
#include "platform/rtl/Types.h"

// A transparency percent, 0 (opaque) .. 100.
using TZebTransparency = Byte;

// A chart point with a depth: x, y in pixels, z in depth units (0 at the front).
struct TPoint3D {
    int X = 0;
    int Y = 0;
    int Z = 0;
    constexpr bool operator==(const TPoint3D&) const = default;
};

struct TPointFloat3D {
    float X = 0;
    float Y = 0;
    float Z = 0;
    constexpr bool operator==(const TPointFloat3D&) const = default;
};

using TFourPoints = std::array<TPoint, 4>;

// How pictures are stretched: smoothly or by pixel repetition.
enum TCanvasStretchQuality { sqHigh, sqLow };
inline constexpr const char* TCanvasStretchQualityNames[] = {"sqHigh", "sqLow"};
static_assert(std::size(TCanvasStretchQualityNames) == sqLow + 1);

// The chart plane a picture is mapped onto: at a fixed x, y or z.
enum TCanvas3DPlane { cpX, cpY, cpZ };
inline constexpr const char* TCanvas3DPlaneNames[] = {"cpX", "cpY", "cpZ"};
static_assert(std::size(TCanvas3DPlaneNames) == cpZ + 1);

// A width and height in 32-bit floats.
struct TSizeFloat {
    float Width = 0;
    float Height = 0;
    constexpr bool operator==(const TSizeFloat&) const = default;
};
