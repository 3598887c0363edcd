#pragma once
// Decimal digits of a float, shared by the float formatters and Format.
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Types.h"

namespace rtl_detail {

// value = 0.d1 d2 ... dn * 10^exp; n == 0 means zero. Digits carry no trailing zeros.
struct DecimalDigits {
    char d[24] = {};
    int n = 0;
    int exp = 0;
    bool negative = false;
    bool nan = false;
    bool inf = false;

    bool zero() const { return n == 0; }
    char at(int i) const { return (i >= 0 && i < n) ? d[i] : '0'; }
};

constexpr int kMaxDigits = 18;
constexpr int kFixedDigits = 17;

DecimalDigits Decompose(long double value);
// Keeps at most keep significant digits, ties away from zero. keep <= 0 leaves no digits; with
// keepExponent the exponent still records a carry (a value of 0.5 with no digits becomes 10^1).
void RoundDigits(DecimalDigits& v, int keep, bool keepExponent = false);

// The shortest digits that read back as the same double; false for a value that is no normal
// double (zero, subnormal, NaN, infinite, or finer than a double).
bool ShortestDigits(long double value, DecimalDigits& v);
// Up to this many significant digits, rounding a normal double's shortest digits gives what
// rounding its exact digits gives, a tie of the shortest digits aside: the double is far closer to
// its shortest digits than any rounding boundary of at most 15 digits is.
constexpr int kShortestRoundDigits = 15;

// RoundDigits(Decompose(value), keep(digits), keepExponent), where keep may depend on the
// digits' exponent; from the shortest digits of a double where they give the same result (they
// are several times faster to find than exact ones).
template <class Keep>
DecimalDigits RoundedDigits(long double value, Keep keep, bool keepExponent = false)
{
    DecimalDigits v;
    if (ShortestDigits(value, v)) {
        // The exact digits may be 0.999.. * 10^exp where the shortest are 0.1 * 10^(exp+1); with
        // at least one digit kept both round to the shortest.
        const int k = keep(v);
        if (k >= 1 && k <= kShortestRoundDigits && !(v.n == k + 1 && v.d[k] == '5')) {
            RoundDigits(v, k, keepExponent);
            return v;
        }
    }
    v = Decompose(value);
    RoundDigits(v, keep(v), keepExponent);
    return v;
}

String FormatFixed(const DecimalDigits& v, int decimals, bool thousands, const TFormatSettings& fs);
String FloatToStrFImpl(long double value, int format, int precision, int digits, const TFormatSettings& fs);

}  // namespace rtl_detail
