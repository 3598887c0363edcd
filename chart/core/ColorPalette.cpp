#include "chart/core/ColorPalette.h"

#include <array>

std::vector<TColor> DefaultColorPalette;

namespace {
constexpr std::array<TColor, 20> defaultColors = {
    0x0000FF, 0x008000, 0x00FFFF, 0xFF0000, 0xFFFFFF, 0x808080, 0xFF00FF, 0x808000, 0x800000, 0x000080,
    0x00FF00, 0x008080, 0x800080, 0xC0C0C0, 0xFFFF00, 0x000000, 0xC0DCC0, 0xF0CAA6, 0xF0FBFF, 0xA4A0A0,
};
}  // namespace

std::span<const TColor> DefaultPaletteColors() { return defaultColors; }

void SetDefaultPalette(std::span<const TColor> colors)
{
    if (colors.empty()) colors = defaultColors;
    DefaultColorPalette.assign(colors.begin(), colors.end());
}

TColor DefaultPaletteColor(int index)
{
    if (DefaultColorPalette.empty() || index < 0) return clNone;
    return DefaultColorPalette[static_cast<std::size_t>(index) % DefaultColorPalette.size()];
}
