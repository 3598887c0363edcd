#include "platform/rtl/MathUtils.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "platform/rtl/Exceptions.h"

namespace {

constexpr long double kTwo63 = 9223372036854775808.0L;

Int64 ToInt64(long double v)
{
    // Valid range is [-2^63, 2^63); NaN fails both comparisons.
    if (!(v >= -kTwo63 && v < kTwo63)) throw EInvalidOp("Invalid floating point operation");
    // v is already whole. Below 2^53 it passes through a double exactly, whose conversion is one
    // instruction; a cast of the long double itself switches the x87 unit to truncation and back.
    if (v > -0x1p53L && v < 0x1p53L) return static_cast<Int64>(static_cast<double>(v));
    return std::llrint(v);
}

int ToInt(long double v)
{
    if (!(v >= std::numeric_limits<int>::min() && v <= std::numeric_limits<int>::max()))
        throw EInvalidOp("Invalid floating point operation");
    return static_cast<int>(static_cast<double>(v));  // whole already, as above
}

}  // namespace

// Half to even in the default rounding mode. Below 2^52 in size, adding and taking away 1.5 * 2^63
// leaves a sum whose unit in the last place is 1, so the addition itself rounds half to even: two
// additions, where frndint stalls ~20 cycles (pixel coordinates round thousands of times a frame).
// Beyond, rint, not nearbyint: the same result, without saving and restoring the floating-point
// environment (which costs more than the rounding).
Int64 Round(Extended value)
{
    static_assert(std::numeric_limits<Extended>::digits == 64, "the shift needs a 64-bit significand");
    constexpr Extended kShift = 0x1.8p63L;
    if (value > -0x1p52L && value < 0x1p52L) return static_cast<Int64>(static_cast<double>(value + kShift - kShift));
    return ToInt64(std::rint(value));
}
Int64 Trunc(Extended value) { return ToInt64(std::trunc(value)); }
Extended Frac(Extended value) { return value - std::trunc(value); }
Extended Int(Extended value) { return std::trunc(value); }
int Ceil(Extended value) { return ToInt(std::ceil(value)); }
int Floor(Extended value) { return ToInt(std::floor(value)); }
Int64 Ceil64(Extended value) { return ToInt64(std::ceil(value)); }
Int64 Floor64(Extended value) { return ToInt64(std::floor(value)); }

Extended Power(Extended base, Extended exponent)
{
    if (exponent == 0) return 1;
    if (base == 0 && exponent > 0) return 0;
    if (exponent == std::trunc(exponent) && std::fabs(exponent) <= std::numeric_limits<int>::max())
        return IntPower(base, static_cast<int>(exponent));
    return std::pow(base, exponent);
}

Extended IntPower(Extended base, int exponent)
{
    long double result = 1;
    long double b = base;
    unsigned long long e = exponent < 0 ? 0ULL - static_cast<unsigned long long>(static_cast<long long>(exponent))
                                        : static_cast<unsigned long long>(exponent);
    while (e) {
        if (e & 1) result *= b;
        b *= b;
        e >>= 1;
    }
    return exponent < 0 ? 1 / result : result;
}

Extended Ln(Extended value) { return std::log(value); }
Extended Log10(Extended value) { return std::log10(value); }
Extended Log2(Extended value) { return std::log2(value); }
Extended Sqr(Extended value) { return value * value; }

int MulDiv(int a, int b, int c)
{
    if (c == 0) return -1;
    const long long product = static_cast<long long>(a) * b;
    long long q = product / c;
    const long long r = product % c;
    // Half away from zero: compare twice the remainder with the divisor.
    if (2 * (r < 0 ? -r : r) >= (c < 0 ? -static_cast<long long>(c) : c)) q += ((product < 0) != (c < 0)) ? -1 : 1;
    if (q < std::numeric_limits<int>::min() || q > std::numeric_limits<int>::max()) return -1;
    return static_cast<int>(q);
}

bool SameValue(double a, double b, double epsilon)
{
    if (epsilon == 0) epsilon = std::fmax(std::fmin(std::fabs(a), std::fabs(b)) * 1e-12, 1e-12);
    return a > b ? (a - b) <= epsilon : (b - a) <= epsilon;
}

bool SameValue(Extended a, Extended b, Extended epsilon)
{
    if (epsilon == 0) epsilon = std::fmax(std::fmin(std::fabs(a), std::fabs(b)) * 1e-16L, 1e-16L);
    return a > b ? (a - b) <= epsilon : (b - a) <= epsilon;
}

bool IsZero(double value, double epsilon) { return std::fabs(value) <= (epsilon == 0 ? 1e-12 : epsilon); }
bool IsZero(Extended value, Extended epsilon) { return std::fabs(value) <= (epsilon == 0 ? 1e-16L : epsilon); }
bool IsNan(double value) { return std::isnan(value); }
bool IsInfinite(double value) { return std::isinf(value); }
bool InRange(Int64 value, Int64 lo, Int64 hi) { return value >= lo && value <= hi; }
bool InRange(double value, double lo, double hi) { return value >= lo && value <= hi; }
int EnsureRange(int value, int lo, int hi) { return value < lo ? lo : (value > hi ? hi : value); }
double EnsureRange(double value, double lo, double hi) { return value < lo ? lo : (value > hi ? hi : value); }

void DoubleToExtended80(double value, Byte out[10])
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const bool negative = bits >> 63;
    const int exp = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t frac = bits & ((std::uint64_t(1) << 52) - 1);
    std::uint64_t mantissa = 0;
    int e80 = 0;
    if (exp == 0x7FF) {  // infinity / NaN
        e80 = 0x7FFF;
        mantissa = (std::uint64_t(1) << 63) | (frac << 11);
    } else if (exp == 0) {
        if (frac != 0) {  // subnormal: normalise, the 80-bit exponent range holds it
            int shift = 0;
            while (!(frac & (std::uint64_t(1) << 52))) {
                frac <<= 1;
                ++shift;
            }
            e80 = 1 - 1023 - shift + 16383;
            mantissa = frac << 11;
        }
    } else {
        e80 = exp - 1023 + 16383;
        mantissa = (std::uint64_t(1) << 63) | (frac << 11);
    }
    for (int i = 0; i < 8; ++i) out[i] = static_cast<Byte>(mantissa >> (8 * i));
    const unsigned se = static_cast<unsigned>(e80) | (negative ? 0x8000u : 0u);
    out[8] = static_cast<Byte>(se & 0xFF);
    out[9] = static_cast<Byte>(se >> 8);
}

double Extended80ToDouble(const Byte in[10])
{
    std::uint64_t mantissa = 0;
    for (int i = 0; i < 8; ++i) mantissa |= std::uint64_t(in[i]) << (8 * i);
    const unsigned se = in[8] | (unsigned(in[9]) << 8);
    const bool negative = se & 0x8000;
    const int e80 = static_cast<int>(se & 0x7FFF);
    double r;
    if (e80 == 0x7FFF) {
        r = (mantissa << 1) ? std::numeric_limits<double>::quiet_NaN() : std::numeric_limits<double>::infinity();
    } else if (mantissa == 0) {
        r = 0;
    } else {
        // ldexp rounds once to double (to nearest even), also into the subnormal range.
        const long double m = static_cast<long double>(mantissa);
        r = static_cast<double>(std::ldexp(m, e80 - 16383 - 63));
        if (e80 == 0) r = static_cast<double>(std::ldexp(m, 1 - 16383 - 63));
    }
    return negative ? -r : r;
}
