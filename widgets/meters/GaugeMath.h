#pragma once
// Arithmetic of the gauge set: decades, scale label lists, colour steps, rectangles and rotated points.
// Angles are degrees clockwise from 12 o'clock on the screen (y grows downwards).
#include <cstdint>

#include "platform/graphics/Colors.h"
#include "platform/graphics/GraphicsTypes.h"
#include "platform/rtl/Types.h"

double DecadeLog(double x);
double PowerOf(double base, double exponent);
// Nearest power of ten to x (x <= 0 counts as 1); `exponent` receives its exponent.
double SnapToDecade(double x, int& exponent);
inline int IntMin(int a, int b) { return a < b ? a : b; }
inline int IntMax(int a, int b) { return a > b ? a : b; }

// Round half to even into the 32-bit range: infinities and out-of-range values saturate.
// Returns false for NaN and leaves `out` alone.
bool RoundToInt32(double x, std::int32_t& out);
// The same, but NaN gives `fallback`.
std::int32_t RoundSaturated(double x, std::int32_t fallback = 0);

// Colour `index` of `steps` between two colours (system colours resolved), channels rounded.
TColor ColorStep(TColor from, TColor to, int steps, int index);

// "v0;v1;...;" from `from` to `to` in `steps` intervals, each formatted with FormatFloat(format).
String LinearScaleLabels(int steps, const String& format, float to, float from);
// Powers of ten from 10^fromExp to 10^toExp in steps of (toExp - fromExp) div steps.
String LogScaleLabels(int fromExp, int toExp, int steps, const String& format, bool descending);

int CountChar(const String& s, char ch);
// Splits off the text before the first separator; without one the whole text is the item.
String CutFirstItem(String& s, char separator);

TPoint RectCentre(const TRect& r);
void ShrinkRect(TRect& r, int n);
void ShrinkRectSides(TRect& r, int left, int top, int right, int bottom);
// Intersection of a and b in `c`; false when it is empty in either direction.
bool OverlapRect(const TRect& a, const TRect& b, TRect& c);
TPoint RotatePoint(TPoint p, TPoint centre, bool clockwise, float angle);
