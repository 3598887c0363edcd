#pragma once
// Colour routines of the drawing layer. Results are plain 24-bit colours (top byte cleared).
#include "platform/graphics/Colors.h"

// Each of red, green and blue minus amount, not below 0.
TColor DarkenColor(TColor color, int amount);
// Each of red, green and blue plus amount, not above 255.
TColor LightenColor(TColor color, int amount);
// r + g * 256 + b * 65536 + a * 16777216.
TColor MakeRGBAColor(Byte r, Byte g, Byte b, Byte a);
