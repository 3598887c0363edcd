#pragma once
// The palette new series take their colours from.
#include <span>
#include <vector>

#include "platform/graphics/Colors.h"

// Filled at start-up with the 20 default colours; empty after shut-down.
extern std::vector<TColor> DefaultColorPalette;
// The 20 default colours.
std::span<const TColor> DefaultPaletteColors();
// The palette becomes a copy of colours; an empty span restores the 20 default colours.
void SetDefaultPalette(std::span<const TColor> colors);
// The entry at index modulo the palette's length (index not negative); clNone when it is empty.
TColor DefaultPaletteColor(int index);
