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

String FormatFixed(const DecimalDigits& v, int decimals, bool thousands, const TFormatSettings& fs);
String FloatToStrFImpl(long double value, int format, int precision, int digits, const TFormatSettings& fs);

}  // namespace rtl_detail
