#include "chart/canvas/ColorMath.h"

#include <algorithm>

namespace {
TColor shifted(TColor color, int amount)
{
    auto channel = [&](int shift) { return std::clamp(((color >> shift) & 0xFF) + amount, 0, 255); };
    return static_cast<TColor>(
        RGB(static_cast<Byte>(channel(0)), static_cast<Byte>(channel(8)), static_cast<Byte>(channel(16))));
}
}  // namespace

TColor DarkenColor(TColor color, int amount) { return shifted(color, -amount); }

TColor LightenColor(TColor color, int amount) { return shifted(color, amount); }

TColor MakeRGBAColor(Byte r, Byte g, Byte b, Byte a)
{
    return static_cast<TColor>(static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
                               (static_cast<std::uint32_t>(b) << 16) | (static_cast<std::uint32_t>(a) << 24));
}
