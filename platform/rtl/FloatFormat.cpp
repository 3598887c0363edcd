#include "platform/rtl/FloatFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "platform/rtl/FloatFormat_p.h"

namespace rtl_detail {

DecimalDigits Decompose(long double value)
{
    DecimalDigits r;
    if (std::isnan(value)) {
        r.nan = true;
        return r;
    }
    r.negative = std::signbit(value);
    if (std::isinf(value)) {
        r.inf = true;
        return r;
    }
    if (value == 0) return r;
    // Exact decimal conversion to 18 significant digits; later rounding works on these digits.
    char buf[64];
    // The common case is a double: its own conversion gives the same digits, several times faster.
    const long double magnitude = std::fabs(value);
    const double asDouble = static_cast<double>(magnitude);
    const auto res = static_cast<long double>(asDouble) == magnitude
                         ? std::to_chars(buf, buf + sizeof buf, asDouble, std::chars_format::scientific, kMaxDigits - 1)
                         : std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific,
                                         kMaxDigits - 1);
    const char* p = buf;
    for (; p < res.ptr && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') r.d[r.n++] = *p;
    int e = 0;
    std::from_chars(p + 1 + (p[1] == '+'), res.ptr, e);
    r.exp = e + 1;
    while (r.n > 0 && r.d[r.n - 1] == '0') --r.n;
    return r;
}

namespace {

// Most values a program shows are decimals of a few places. When m = d * 10^k is a whole number
// below 10^15 for some small k, and m / 10^k reads back as d (both steps correctly rounded, 10^k
// exact), the decimal m * 10^-k is a decimal of at most 15 digits that reads back as d: the only
// one, and so the shortest. Its digits are those of an integer.
bool ScaledIntegerDigits(double d, DecimalDigits& v)
{
    constexpr double Powers[] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
    constexpr double Limit = 1e15;
    if (d >= Limit || d < 1e-6) return false;
    for (int k = 0; k < static_cast<int>(std::size(Powers)); ++k) {
        const double m = d * Powers[k];
        if (m >= Limit) return false;
        if (m != std::floor(m) || m / Powers[k] != d) continue;
        char buf[24];
        const char* end = std::to_chars(buf, buf + sizeof buf, static_cast<std::uint64_t>(m)).ptr;
        const int length = static_cast<int>(end - buf);
        v.exp = length - k;
        while (end[-1] == '0') --end;
        v.n = static_cast<int>(end - buf);
        std::memcpy(v.d, buf, static_cast<std::size_t>(v.n));
        return true;
    }
    return false;
}

}  // namespace

bool ShortestDigits(long double value, DecimalDigits& v)
{
    const double d = static_cast<double>(value);
    // Subnormals hold too few bits for their shortest digits to stand for the exact ones.
    if (static_cast<long double>(d) != value || !std::isnormal(d)) return false;
    v = DecimalDigits();
    v.negative = std::signbit(d);
    if (ScaledIntegerDigits(std::fabs(d), v)) return true;
    char buf[32];
    const char* end = std::to_chars(buf, buf + sizeof buf, std::fabs(d), std::chars_format::scientific).ptr;
    // "d.ddde+NN" or "de-NNN": at least two exponent digits after the sign.
    const char* e = end - 3;
    while (*e != 'e') --e;
    int exponent = 0;
    for (const char* p = e + 2; p < end; ++p) exponent = exponent * 10 + (*p - '0');
    v.exp = (e[1] == '-' ? -exponent : exponent) + 1;
    v.d[0] = buf[0];
    v.n = 1;
    if (e > buf + 1) {  // digits after the point
        const int more = static_cast<int>(e - (buf + 2));
        std::memcpy(v.d + 1, buf + 2, static_cast<std::size_t>(more));
        v.n += more;
    }
    return true;  // shortest digits carry no trailing zeros
}

void RoundDigits(DecimalDigits& v, int keep, bool keepExponent)
{
    if (v.n == 0 || v.nan || v.inf) return;
    if (keep > kMaxDigits) keep = kMaxDigits;
    if (keep >= v.n) return;
    if (keep < 0) {
        v.n = 0;
        if (!keepExponent) v.exp = 0;
        return;
    }
    const bool up = v.d[keep] >= '5';
    v.n = keep;
    if (up) {
        int i = keep - 1;
        while (i >= 0 && v.d[i] == '9') --i;
        if (i < 0) {
            // 0.999.. -> 0.1 * 10^(exp+1)
            v.d[0] = '1';
            v.n = 1;
            ++v.exp;
            if (keep == 0 && keepExponent) v.n = 0;
            return;
        }
        ++v.d[i];
        v.n = i + 1;
    }
    while (v.n > 0 && v.d[v.n - 1] == '0') --v.n;
    if (v.n == 0 && !keepExponent) v.exp = 0;
}

namespace {

void AppendInt(String& out, const DecimalDigits& v, bool thousands, char sep)
{
    const int intDigits = v.zero() ? 0 : v.exp;
    if (intDigits <= 0) {
        out += '0';
        return;
    }
    for (int i = 0; i < intDigits; ++i) {
        out += v.at(i);
        const int left = intDigits - 1 - i;
        if (thousands && left > 0 && left % 3 == 0) out += sep;
    }
}

String SpecialText(const DecimalDigits& v)
{
    if (v.nan) return "NAN";
    return v.negative ? "-INF" : "INF";
}

String Exponent(int e, bool alwaysSign, int minDigits)
{
    String s;
    if (e < 0)
        s += '-';
    else if (alwaysSign)
        s += '+';
    String digits = std::to_string(std::abs(e));
    if (static_cast<int>(digits.size()) < minDigits)
        digits.insert(0, static_cast<std::size_t>(minDigits) - digits.size(), '0');
    return s + digits;
}

String CurrencyText(const String& number, bool negative, const TFormatSettings& fs)
{
    const String& c = fs.CurrencyString;
    if (!negative) {
        switch (fs.CurrencyFormat) {
        case 1: return number + c;
        case 2: return c + " " + number;
        case 3: return number + " " + c;
        default: return c + number;
        }
    }
    switch (fs.NegCurrFormat) {
    case 1: return "-" + c + number;
    case 2: return c + "-" + number;
    case 3: return c + number + "-";
    case 4: return "(" + number + c + ")";
    case 5: return "-" + number + c;
    case 6: return number + "-" + c;
    case 7: return number + c + "-";
    case 8: return "-" + number + " " + c;
    case 9: return "-" + c + " " + number;
    case 10: return number + " " + c + "-";
    case 11: return c + " " + number + "-";
    case 12: return c + " -" + number;
    case 13: return number + "- " + c;
    case 14: return "(" + c + " " + number + ")";
    case 15: return "(" + number + " " + c + ")";
    default: return "(" + c + number + ")";
    }
}

}  // namespace

String FormatFixed(const DecimalDigits& v, int decimals, bool thousands, const TFormatSettings& fs)
{
    String out;
    AppendInt(out, v, thousands, fs.ThousandSeparator);
    if (decimals > 0) {
        out += fs.DecimalSeparator;
        const int first = v.zero() ? 0 : v.exp;  // index of the first fraction digit
        for (int j = 0; j < decimals; ++j) out += v.zero() ? '0' : v.at(first + j);
    }
    return out;
}

String FloatToStrFImpl(long double value, int format, int precision, int digits, const TFormatSettings& fs)
{
    if (std::isnan(value) || std::isinf(value)) return SpecialText(Decompose(value));
    if (precision > kMaxDigits) precision = kMaxDigits;
    if (precision < 2) precision = 2;  // the general and exponent forms show at least two digits
    if (digits < 0) digits = 0;

    switch (format) {
    case ffExponent: {
        if (digits > 4) digits = 4;
        const DecimalDigits v = RoundedDigits(value, [&](const DecimalDigits&) { return precision; });
        String out = v.negative && !v.zero() ? "-" : "";
        out += v.zero() ? '0' : v.d[0];
        if (precision > 1) {
            out += fs.DecimalSeparator;
            for (int i = 1; i < precision; ++i) out += v.at(i);
        }
        const int e = v.zero() ? 0 : v.exp - 1;
        if (e != 0 || digits > 0) {
            out += 'E';
            out += Exponent(e, true, digits);
        }
        return out;
    }
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
        if (digits > kMaxDigits) digits = kMaxDigits;
        // Whole numbers show at most the 17 significant digits a double holds; the rest are zeros.
        const DecimalDigits v = RoundedDigits(value, [&](const DecimalDigits& d) {
            return d.exp + digits < kFixedDigits ? d.exp + digits : kFixedDigits;
        });
        const String number = FormatFixed(v, digits, format != ffFixed, fs);
        const bool negative = v.negative && !v.zero();  // no sign on a value shown as zero
        if (format == ffCurrency) return CurrencyText(number, negative, fs);
        return negative ? "-" + number : number;
    }
    default: {  // ffGeneral
        const DecimalDigits v = RoundedDigits(value, [&](const DecimalDigits&) { return precision; });
        if (v.zero()) return "0";
        if (v.exp > precision || v.exp < -4) {
            String out = v.negative ? "-" : "";
            out += v.d[0];
            if (v.n > 1) {
                out += fs.DecimalSeparator;
                out.append(v.d + 1, static_cast<std::size_t>(v.n - 1));
            }
            out += 'E';
            out += Exponent(v.exp - 1, false, 0);
            return out;
        }
        // At most 18 digits, a sign, a separator and four leading zeros: one string, built in place.
        char text[32];
        char* p = text;
        if (v.negative) *p++ = '-';
        if (v.exp <= 0) {
            *p++ = '0';
        } else {
            const int whole = std::min(v.exp, v.n);
            std::memcpy(p, v.d, static_cast<std::size_t>(whole));
            p += whole;
            for (int i = whole; i < v.exp; ++i) *p++ = '0';
        }
        if (v.n > v.exp) {  // digits after the point, behind the zeros that lead them
            *p++ = fs.DecimalSeparator;
            for (int i = v.exp; i < 0; ++i) *p++ = '0';
            const int first = std::max(v.exp, 0);
            std::memcpy(p, v.d + first, static_cast<std::size_t>(v.n - first));
            p += v.n - first;
        }
        return String(text, static_cast<std::size_t>(p - text));
    }
    }
}

}  // namespace rtl_detail

using namespace rtl_detail;

String FloatToStr(Extended value) { return FloatToStrFImpl(value, ffGeneral, 15, 0, FormatSettings); }
String FloatToStr(Extended value, const TFormatSettings& fs) { return FloatToStrFImpl(value, ffGeneral, 15, 0, fs); }

String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits)
{
    return FloatToStrFImpl(value, format, precision, digits, FormatSettings);
}

String FloatToStrF(Extended value, TFloatFormat format, int precision, int digits, const TFormatSettings& fs)
{
    return FloatToStrFImpl(value, format, precision, digits, fs);
}

String CurrToStr(Extended value) { return FloatToStrFImpl(value, ffGeneral, 19, 0, FormatSettings); }

// ---- FormatFloat ---------------------------------------------------------------------------------

namespace {

struct Section {
    const char* begin = nullptr;
    const char* end = nullptr;
    bool empty() const { return begin == end; }
};

// Skips a quoted run starting at p (on the quote); returns the position after the closing quote.
const char* SkipQuoted(const char* p, const char* end)
{
    const char q = *p++;
    while (p < end && *p != q) ++p;
    return p < end ? p + 1 : end;
}

struct Picture {
    int intCount = 0;       // placeholders before the decimal point
    int firstIntZero = -1;  // index of the first '0' among them
    int fracCount = 0;      // placeholders after it
    int lastFracZero = -1;  // index of the last '0' among them
    bool thousands = false;
    bool scientific = false;
};

Picture Analyze(const Section& s)
{
    Picture pic;
    bool afterPoint = false;
    for (const char* p = s.begin; p < s.end;) {
        const char c = *p;
        if (c == '"' || c == '\'') {
            p = SkipQuoted(p, s.end);
            continue;
        }
        if (pic.scientific) {  // nothing after the exponent counts
            ++p;
            continue;
        }
        if (c == '0' || c == '#') {
            if (afterPoint) {
                if (c == '0') pic.lastFracZero = pic.fracCount;
                ++pic.fracCount;
            } else {
                if (c == '0' && pic.firstIntZero < 0) pic.firstIntZero = pic.intCount;
                ++pic.intCount;
            }
        } else if (c == '.') {
            afterPoint = true;
        } else if (c == ',') {
            pic.thousands = true;
        } else if ((c == 'E' || c == 'e') && p + 1 < s.end && (p[1] == '+' || p[1] == '-')) {
            pic.scientific = true;
        }
        ++p;
    }
    return pic;
}

String Render(const Section& s, const Picture& pic, const DecimalDigits& v, bool valueZero, bool minus,
              const TFormatSettings& fs)
{
    String out;
    if (minus) out += '-';
    const int n = v.zero() ? 0 : v.n;

    // Integer field: W digits, right-aligned value digits (fixed) or the leading digits (scientific).
    int W;
    int valueInt;
    if (pic.scientific) {
        W = pic.intCount;
        valueInt = W;
    } else {
        valueInt = v.zero() ? 0 : (v.exp > 0 ? v.exp : 0);
        const int required = pic.firstIntZero < 0 ? 0 : pic.intCount - pic.firstIntZero;
        W = valueInt > required ? valueInt : required;
    }
    const int fracStart = pic.scientific ? pic.intCount : (v.zero() ? 0 : v.exp);  // digit index of the first decimal
    int fracAvail = n - fracStart;
    if (fracAvail > pic.fracCount) fracAvail = pic.fracCount;
    const bool showPoint = pic.lastFracZero >= 0 || fracAvail > 0;

    auto intDigit = [&](int pos) -> char {
        const int i = pos - (W - valueInt);
        return (i < 0 || i >= n) ? '0' : v.d[i];
    };
    auto emitInt = [&](int pos) {
        out += intDigit(pos);
        const int left = W - 1 - pos;
        if (pic.thousands && left > 0 && left % 3 == 0) out += fs.ThousandSeparator;
    };

    int intSeen = 0, fracSeen = 0;
    bool afterPoint = false;
    for (const char* p = s.begin; p < s.end;) {
        const char c = *p;
        if (c == '"' || c == '\'') {
            const char* e = SkipQuoted(p, s.end);
            const char* textEnd = (e > p + 1 && e[-1] == c) ? e - 1 : e;
            out.append(p + 1, static_cast<std::size_t>(textEnd - (p + 1)));
            p = e;
            continue;
        }
        if (c == '0' || c == '#') {
            if (!afterPoint) {
                if (intSeen == 0)
                    for (int pos = 0; pos < W - pic.intCount; ++pos) emitInt(pos);
                const int pos = intSeen + (W - pic.intCount);
                if (pos >= 0) emitInt(pos);
                ++intSeen;
            } else {
                if (fracSeen <= pic.lastFracZero || fracSeen < fracAvail) {
                    const int i = fracStart + fracSeen;
                    out += (i >= 0 && i < n) ? v.d[i] : '0';
                }
                ++fracSeen;
            }
            ++p;
            continue;
        }
        if (c == '.') {
            if (!afterPoint) {
                if (intSeen == 0)  // no integer placeholders: still show value digits left of the point
                    for (int pos = 0; pos < W; ++pos) emitInt(pos);
                afterPoint = true;
                intSeen = pic.intCount;
                if (showPoint) out += fs.DecimalSeparator;
            }
            ++p;
            continue;
        }
        if (c == ',') {
            ++p;
            continue;
        }
        if ((c == 'E' || c == 'e') && p + 1 < s.end && (p[1] == '+' || p[1] == '-')) {
            const bool alwaysSign = p[1] == '+';
            p += 2;
            int zeros = 0;
            while (p < s.end && *p == '0') {
                ++zeros;
                ++p;
            }
            const int e = valueZero ? 0 : v.exp - pic.intCount;
            out += c;
            out += Exponent(e, alwaysSign, zeros < 1 ? 1 : zeros);
            continue;
        }
        out += c;
        ++p;
    }
    return out;
}

}  // namespace

String FormatFloat(const String& picture, Extended value) { return FormatFloat(picture, value, FormatSettings); }

String FormatFloat(const String& picture, Extended value, const TFormatSettings& fs)
{
    if (std::isnan(value) || std::isinf(value)) return SpecialText(Decompose(value));

    Section sections[3];
    int count = 0;
    {
        const char* p = picture.data();
        const char* end = p + picture.size();
        sections[0].begin = p;
        while (p < end) {
            if (*p == '"' || *p == '\'') {
                p = SkipQuoted(p, end);
                continue;
            }
            if (*p == ';') {
                sections[count].end = p;
                if (count == 2) break;
                sections[++count].begin = p + 1;
            }
            ++p;
        }
        if (count < 3 && sections[count].end == nullptr) sections[count].end = end;
        ++count;
    }

    // Zero uses the third section, negatives the second; an empty one falls back to the first.
    int index = 0;
    if (value == 0 && count >= 3 && !sections[2].empty())
        index = 2;
    else if (value < 0 && count >= 2 && !sections[1].empty())
        index = 1;
    const Section& s = sections[index];
    if (s.empty()) return FloatToStrFImpl(value, ffGeneral, 15, 0, fs);

    const Picture pic = Analyze(s);
    DecimalDigits v;
    if (pic.scientific) {
        v = RoundedDigits(value, [&](const DecimalDigits&) { return pic.intCount + pic.fracCount; }, true);
    } else {
        // Checked after rounding: at 18 integer digits nothing is rounded off, so no carry crosses it.
        v = RoundedDigits(value, [&](const DecimalDigits& d) { return d.exp + pic.fracCount; });
        if (!v.zero() && v.exp > kMaxDigits) return FloatToStrFImpl(value, ffGeneral, 15, 0, fs);
    }
    // The negative section carries its own sign decoration; a value that is zero shows no sign.
    const bool minus = index == 0 && value < 0;
    return Render(s, pic, v, value == 0, minus, fs);
}
