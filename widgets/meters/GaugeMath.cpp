#include "widgets/meters/GaugeMath.h"

#include <cfenv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <numbers>

#include "platform/rtl/FloatFormat.h"

double DecadeLog(double x) { return std::log(x) / std::log(10.0); }

double PowerOf(double base, double exponent) { return std::pow(base, exponent); }

double SnapToDecade(double x, int& exponent)
{
    if (!(x > 0)) x = 1;
    exponent = RoundSaturated(DecadeLog(x));
    return std::pow(10.0, exponent);
}

bool RoundToInt32(double x, std::int32_t& out)
{
    if (std::isnan(x)) return false;
    constexpr double lo = std::numeric_limits<std::int32_t>::min();
    constexpr double hi = std::numeric_limits<std::int32_t>::max();
    const double r = std::nearbyint(x);  // default rounding mode: halves to even
    out = r <= lo   ? std::numeric_limits<std::int32_t>::min()
          : r >= hi ? std::numeric_limits<std::int32_t>::max()
                    : static_cast<std::int32_t>(r);
    return true;
}

std::int32_t RoundSaturated(double x, std::int32_t fallback)
{
    std::int32_t r = fallback;
    RoundToInt32(x, r);
    return r;
}

TColor ColorStep(TColor from, TColor to, int steps, int index)
{
    const std::uint32_t a = static_cast<std::uint32_t>(ColorToRGB(from));
    const std::uint32_t b = static_cast<std::uint32_t>(ColorToRGB(to));
    if (a == b) return from;
    const double d = steps == 0 ? 1 : steps;
    std::uint32_t result = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = (a >> shift) & 0xFF;
        const int cb = (b >> shift) & 0xFF;
        const int c = ca + RoundSaturated((cb - ca) / d * index);
        result |= (static_cast<std::uint32_t>(c) & 0xFF) << shift;
    }
    return static_cast<TColor>(result);
}

String LinearScaleLabels(int steps, const String& format, float to, float from)
{
    if (steps < 1) steps = 1;
    String list;
    for (int i = 0; i <= steps; ++i) {
        const double v = double(to) + double(steps - i) * (double(from) - double(to)) / steps;
        list += FormatFloat(format, v);
        list += ';';
    }
    return list;
}

static String DecadeLabel(int exponent, const String& format)
{
    const String text = "1e" + std::to_string(exponent);
    return FormatFloat(format, std::strtod(text.c_str(), nullptr)) + ";";
}

String LogScaleLabels(int fromExp, int toExp, int steps, const String& format, bool descending)
{
    if (steps < 1) steps = 1;
    const int step = (toExp - fromExp) / steps;
    String list;
    // A step of 0 would never reach the end: one label then.
    if (descending) {
        int e = toExp;
        list += DecadeLabel(e, format);
        while (e > fromExp && step > 0) {
            e -= step;
            list += DecadeLabel(e, format);
        }
    } else {
        int e = fromExp;
        list += DecadeLabel(e, format);
        while (e < toExp && step > 0) {
            e += step;
            list += DecadeLabel(e, format);
        }
    }
    return list;
}

int CountChar(const String& s, char ch)
{
    int n = 0;
    for (char c : s) n += c == ch;
    return n;
}

String CutFirstItem(String& s, char separator)
{
    const auto pos = s.find(separator);
    String item;
    if (pos == String::npos) {
        item = std::move(s);
        s.clear();
    } else {
        item = s.substr(0, pos);
        s.erase(0, pos + 1);
    }
    return item;
}

TPoint RectCentre(const TRect& r) { return Point(r.Left + (r.Right - r.Left) / 2, r.Top + (r.Bottom - r.Top) / 2); }

void ShrinkRect(TRect& r, int n) { ShrinkRectSides(r, n, n, n, n); }

void ShrinkRectSides(TRect& r, int left, int top, int right, int bottom)
{
    r.Left += left;
    r.Top += top;
    r.Right -= right;
    r.Bottom -= bottom;
}

bool OverlapRect(const TRect& a, const TRect& b, TRect& c)
{
    c = Rect(IntMax(a.Left, b.Left), IntMax(a.Top, b.Top), IntMin(a.Right, b.Right), IntMin(a.Bottom, b.Bottom));
    return !(c.Right < c.Left || c.Bottom < c.Top);
}

TPoint RotatePoint(TPoint p, TPoint centre, bool clockwise, float angle)
{
    const float a = static_cast<float>(angle * std::numbers::pi / 180.0);
    const double c = std::cos(double(a));
    const double s = std::sin(double(a));
    const double dx = p.X - centre.X;
    const double dy = p.Y - centre.Y;
    if (clockwise) return Point(centre.X + RoundSaturated(dx * c - dy * s), centre.Y + RoundSaturated(dy * c + dx * s));
    return Point(centre.X + RoundSaturated(dx * c + dy * s), centre.Y + RoundSaturated(dy * c - dx * s));
}
