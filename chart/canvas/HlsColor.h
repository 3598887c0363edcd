#pragma once
// Hue, luminance and saturation on the 0 .. 240 scale of the platform's colour dialog. Greys have
// hue 160.
#include "platform/graphics/Colors.h"

void ColorToHLS(TColor color, Word& hue, Word& luminance, Word& saturation);
// Components may lie outside 0 .. 240 (a filter adds to them); channels are kept within 0 .. 255.
TColor HLSToColor(int hue, int luminance, int saturation);
