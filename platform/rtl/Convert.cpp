#include "platform/rtl/Convert.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Strings.h"

namespace {

bool ParseInt64(const String& text, Int64& out)
{
    const String s = Trim(text);
    std::size_t p = 0;
    bool negative = false;
    if (p < s.size() && (s[p] == '-' || s[p] == '+')) negative = s[p++] == '-';
    int base = 10;
    if (p < s.size() && s[p] == '$') {
        base = 16;
        ++p;
    } else if (p + 1 < s.size() && s[p] == '0' && (s[p + 1] == 'x' || s[p + 1] == 'X')) {
        base = 16;
        p += 2;
    }
    if (p >= s.size()) return false;
    std::uint64_t magnitude = 0;
    const auto r = std::from_chars(s.data() + p, s.data() + s.size(), magnitude, base);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return false;
    if (base == 16) {
        // Hex spells the bit pattern: $FFFFFFFFFFFFFFFF is -1.
        out = static_cast<Int64>(magnitude);
        if (negative) out = static_cast<Int64>(0 - magnitude);
        return true;
    }
    const std::uint64_t limit = negative ? std::uint64_t(1) << 63 : (std::uint64_t(1) << 63) - 1;
    if (magnitude > limit) return false;
    out = negative ? static_cast<Int64>(0 - magnitude) : static_cast<Int64>(magnitude);
    return true;
}

// Checks the platform's float syntax and rewrites it for from_chars: [sign] digits [sep digits]
// [E [sign] digits], at least one mantissa digit, blanks around allowed.
bool Normalize(const String& text, char decimalSeparator, String& out, bool& negative)
{
    const String s = Trim(text);
    std::size_t p = 0;
    negative = false;
    if (p < s.size() && (s[p] == '-' || s[p] == '+')) negative = s[p++] == '-';
    out.clear();
    int mantissaDigits = 0;
    while (p < s.size() && s[p] >= '0' && s[p] <= '9') {
        out += s[p++];
        ++mantissaDigits;
    }
    if (p < s.size() && s[p] == decimalSeparator) {
        out += '.';
        ++p;
        while (p < s.size() && s[p] >= '0' && s[p] <= '9') {
            out += s[p++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0) return false;
    if (p < s.size() && (s[p] == 'e' || s[p] == 'E')) {
        out += 'e';
        ++p;
        if (p < s.size() && (s[p] == '-' || s[p] == '+')) {
            if (s[p] == '-') out += '-';
            ++p;
        }
        int expDigits = 0;
        while (p < s.size() && s[p] >= '0' && s[p] <= '9') {
            out += s[p++];
            ++expDigits;
        }
        if (expDigits == 0) return false;
    }
    return p == s.size();
}

// Rough power of ten of a normalized number (digits, '.', 'e'): tells overflow from underflow.
long DecimalMagnitude(const String& n)
{
    const auto e = n.find('e');
    const String mantissa = n.substr(0, e);
    long exponent = 0;
    if (e != String::npos) {
        const char* b = n.data() + e + 1;
        const char* end = n.data() + n.size();
        bool neg = *b == '-';
        for (b += neg; b < end && exponent < 100000; ++b) exponent = exponent * 10 + (*b - '0');
        if (neg) exponent = -exponent;
    }
    const auto point = mantissa.find('.');
    const String digits = point == String::npos ? mantissa : mantissa.substr(0, point) + mantissa.substr(point + 1);
    const long intDigits = static_cast<long>(point == String::npos ? mantissa.size() : point);
    const auto firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == String::npos) return -100000;
    return intDigits - static_cast<long>(firstNonZero) + exponent;
}

template <typename T>
bool ParseFloat(const String& text, char decimalSeparator, T& value)
{
    String normalized;
    bool negative = false;
    if (!Normalize(text, decimalSeparator, normalized, negative)) return false;
    T v{};
    const auto r = std::from_chars(normalized.data(), normalized.data() + normalized.size(), v);
    if (r.ptr != normalized.data() + normalized.size()) return false;
    if (r.ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow is an error.
        if (DecimalMagnitude(normalized) > 0) return false;
        v = 0;
    } else if (r.ec != std::errc() || std::isinf(static_cast<double>(v))) {
        return false;  // every caller ends in a double: a larger Extended would become infinity there
    }
    value = negative ? -v : v;
    return true;
}

[[noreturn]] void IntError(const String& s) { throw EConvertError("'" + s + "' is not a valid integer value"); }
[[noreturn]] void FloatError(const String& s)
{
    throw EConvertError("'" + s + "' is not a valid floating point value");
}

}  // namespace

bool TryStrToInt64(const String& s, Int64& value) { return ParseInt64(s, value); }

bool TryStrToInt(const String& s, int& value)
{
    Int64 v = 0;
    if (!ParseInt64(s, v)) return false;
    const String t = Trim(s);
    const bool hex = t.find('$') != String::npos || t.find('x') != String::npos || t.find('X') != String::npos;
    if (hex && v >= 0 && v <= 0xFFFFFFFFLL) v = static_cast<std::int32_t>(static_cast<std::uint32_t>(v));
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max()) return false;
    value = static_cast<int>(v);
    return true;
}

int StrToInt(const String& s)
{
    int v = 0;
    if (!TryStrToInt(s, v)) IntError(s);
    return v;
}

int StrToIntDef(const String& s, int def)
{
    int v = 0;
    return TryStrToInt(s, v) ? v : def;
}

Int64 StrToInt64(const String& s)
{
    Int64 v = 0;
    if (!TryStrToInt64(s, v)) IntError(s);
    return v;
}

Int64 StrToInt64Def(const String& s, Int64 def)
{
    Int64 v = 0;
    return TryStrToInt64(s, v) ? v : def;
}

bool TryStrToFloat(const String& s, Extended& value, const TFormatSettings& fs)
{
    return ParseFloat(s, fs.DecimalSeparator, value);
}
bool TryStrToFloat(const String& s, Extended& value) { return TryStrToFloat(s, value, FormatSettings); }
bool TryStrToFloat(const String& s, double& value, const TFormatSettings& fs)
{
    return ParseFloat(s, fs.DecimalSeparator, value);
}
bool TryStrToFloat(const String& s, double& value) { return TryStrToFloat(s, value, FormatSettings); }

Extended StrToFloat(const String& s, const TFormatSettings& fs)
{
    Extended v = 0;
    if (!TryStrToFloat(s, v, fs)) FloatError(s);
    return v;
}
Extended StrToFloat(const String& s) { return StrToFloat(s, FormatSettings); }

Extended StrToFloatDef(const String& s, Extended def, const TFormatSettings& fs)
{
    Extended v = 0;
    return TryStrToFloat(s, v, fs) ? v : def;
}
Extended StrToFloatDef(const String& s, Extended def) { return StrToFloatDef(s, def, FormatSettings); }

bool StrToBoolDef(const String& s, bool def)
{
    const String t = Trim(s);
    if (SameText(t, "True")) return true;
    if (SameText(t, "False")) return false;
    Extended v = 0;
    if (TryStrToFloat(t, v)) return v != 0;
    return def;
}

bool StrToBool(const String& s)
{
    const String t = Trim(s);
    Extended v = 0;
    if (SameText(t, "True") || SameText(t, "False") || TryStrToFloat(t, v)) return StrToBoolDef(t, false);
    throw EConvertError("'" + s + "' is not a valid boolean value");
}

String BoolToStr(bool value, bool useBoolStrs)
{
    if (useBoolStrs) return value ? "True" : "False";
    return value ? "-1" : "0";
}
