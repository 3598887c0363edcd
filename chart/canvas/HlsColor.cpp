#include "chart/canvas/HlsColor.h"

#include <algorithm>

#include "chart/canvas/Geometry.h"

void ColorToHLS(TColor color, Word& hue, Word& luminance, Word& saturation)
{
    const auto rgb = static_cast<TColorRef>(color);
    const double r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
    const double hi = std::max({r, g, b}), lo = std::min({r, g, b});
    const double l = ((hi + lo) * 240 + 255) / 510;
    luminance = static_cast<Word>(RoundHalfEven(l));
    if (hi == lo) {
        hue = 160;
        saturation = 0;
        return;
    }
    const double span = hi - lo;
    // The luminance is compared before it is rounded.
    if (l <= 120)
        saturation = static_cast<Word>(RoundHalfEven((span * 240 + (hi + lo) / 2) / (hi + lo)));
    else
        saturation = static_cast<Word>(RoundHalfEven((span * 240 + (510 - hi - lo) / 2) / (510 - hi - lo)));
    const double dr = ((hi - r) * 40 + span / 2) / span;
    const double dg = ((hi - g) * 40 + span / 2) / span;
    const double db = ((hi - b) * 40 + span / 2) / span;
    double h;
    if (r == hi)
        h = db - dg;
    else if (g == hi)
        h = 80 + dr - db;
    else
        h = 160 + dg - dr;
    if (h < 0)
        h += 240;
    else if (h > 240)
        h -= 240;
    hue = static_cast<Word>(RoundHalfEven(h));
}

namespace {
Byte toChannel(double value) { return static_cast<Byte>(std::clamp(RoundHalfEven((value * 255 + 120) / 240), 0, 255)); }

double hueChannel(double lower, double upper, double h)
{
    if (h < 0)
        h += 240;
    else if (h > 240)
        h -= 240;
    if (h < 40) return RoundHalfEven(lower + ((upper - lower) * h + 20) / 40);
    if (h < 120) return RoundHalfEven(upper);
    if (h < 160) return RoundHalfEven(lower + ((upper - lower) * (160 - h) + 20) / 40);
    return RoundHalfEven(lower);
}
}  // namespace

TColor HLSToColor(int hue, int luminance, int saturation)
{
    const double h = hue, l = luminance, s = saturation;
    if (saturation == 0) {
        const auto grey = static_cast<Byte>(std::clamp(RoundHalfEven(l * 255 / 240), 0, 255));
        return static_cast<TColor>(RGB(grey, grey, grey));
    }
    const double upper = l <= 120 ? (l * (240 + s) + 120) / 240 : l + s - (l * s + 120) / 240;
    const double lower = 2 * l - upper;
    return static_cast<TColor>(RGB(toChannel(hueChannel(lower, upper, h + 80)), toChannel(hueChannel(lower, upper, h)),
                                   toChannel(hueChannel(lower, upper, h - 80))));
}
