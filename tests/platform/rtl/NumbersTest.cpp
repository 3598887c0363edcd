// Rounding, conversions and number formatting cases the program's labels and readouts rely on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "platform/rtl/Convert.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/FloatFormat_p.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/MathUtils.h"
#include "tests/platform/rtl/TableSupport.h"

using rtltest::Settings;

TEST(Round, HalfToEven)
{
    const struct {
        Extended value;
        Int64 expected;
    } cases[] = {{0.5, 0},
                 {1.5, 2},
                 {2.5, 2},
                 {-2.5, -2},
                 {-0.5, 0},
                 {3.5, 4},
                 {2.4999999, 2},
                 {-1.5, -2},
                 {1e15 + 0.5, 1000000000000000},
                 {2.5L + 0x1p-60L, 3},  // just past a half, finer than a double holds
                 {-2.5L - 0x1p-60L, -3},
                 {4503599627370495.5L, 4503599627370496LL},  // 2^52 - 0.5
                 {4503599627370497.5L, 4503599627370498LL},  // beyond a double's halves
                 {9007199254740993.0L, 9007199254740993LL},  // 2^53 + 1: no double holds it
                 {-9007199254740993.0L, -9007199254740993LL},
                 {-9223372036854775807.0L, -9223372036854775807LL}};
    for (const auto& c : cases) EXPECT_EQ(Round(c.value), c.expected) << static_cast<double>(c.value);
}

TEST(Round, OutOfRangeRaisesInvalidOp)
{
    for (Extended v : {9223372036854775808.0L, -9223372036854777856.0L, 1e300L,
                       static_cast<Extended>(std::numeric_limits<double>::infinity()),
                       static_cast<Extended>(std::numeric_limits<double>::quiet_NaN())}) {
        EXPECT_THROW(Round(v), EInvalidOp) << static_cast<double>(v);
        EXPECT_THROW(Trunc(v), EInvalidOp) << static_cast<double>(v);
    }
    EXPECT_EQ(Round(-9223372036854775808.0L), std::numeric_limits<Int64>::min());
    EXPECT_THROW(Ceil(3e9), EInvalidOp);
    EXPECT_THROW(Floor(-3e9), EInvalidOp);
}

TEST(MathHelpers, TruncFracIntCeilFloor)
{
    EXPECT_EQ(Trunc(-2.7), -2);
    EXPECT_EQ(Trunc(2.7), 2);
    EXPECT_DOUBLE_EQ(static_cast<double>(Frac(-2.75)), -0.75);
    EXPECT_DOUBLE_EQ(static_cast<double>(Int(-2.75)), -2.0);
    EXPECT_EQ(Ceil(-2.5), -2);
    EXPECT_EQ(Ceil(2.0000001), 3);
    EXPECT_EQ(Floor(-2.5), -3);
    EXPECT_EQ(Floor(2.9999), 2);
}

TEST(MathHelpers, MulDivRoundsAndReportsFailure)
{
    const struct {
        int a, b, c, expected;
    } cases[] = {{10, 3, 4, 8},
                 {10, 1, 4, 3},
                 {-10, 1, 4, -3},
                 {5, 1, 2, 3},
                 {-5, 1, 2, -3},
                 {7, 1, -2, -4},
                 {1, 1, 3, 0},
                 {2, 1, 3, 1},
                 {1, 2, 0, -1},
                 {2000000000, 2, 1, -1},
                 {2000000000, 3, 3, 2000000000}};
    for (const auto& c : cases) EXPECT_EQ(MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(MathHelpers, PowersAndLogs)
{
    EXPECT_EQ(IntPower(2, 10), 1024);
    EXPECT_EQ(IntPower(2, -2), 0.25);
    EXPECT_EQ(IntPower(-3, 3), -27);
    EXPECT_EQ(Power(10, 3), 1000);
    EXPECT_EQ(Power(0, 2), 0);
    EXPECT_EQ(Power(5, 0), 1);
    EXPECT_NEAR(static_cast<double>(Power(2, 0.5)), std::sqrt(2.0), 1e-15);
    EXPECT_NEAR(static_cast<double>(Log10(1000)), 3, 1e-15);
    EXPECT_NEAR(static_cast<double>(Ln(std::exp(2.0))), 2, 1e-15);
}

TEST(MathHelpers, SameValueAndIsZero)
{
    EXPECT_TRUE(SameValue(0.1 + 0.2, 0.3));
    EXPECT_FALSE(SameValue(1.0, 1.0001));
    EXPECT_TRUE(SameValue(1.0, 1.05, 0.1));
    EXPECT_TRUE(IsZero(1e-13));
    EXPECT_FALSE(IsZero(1e-11));
    EXPECT_TRUE(IsZero(0.05, 0.1));
    EXPECT_EQ(Sign(-3.0), -1);
    EXPECT_EQ(Sign(0.0), 0);
    EXPECT_EQ(Sign(static_cast<Int64>(7)), 1);
}

TEST(Extended80, KnownEncodings)
{
    const struct {
        double value;
        Byte bytes[10];
    } cases[] = {
        {1.0, {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}},
        {-2.0, {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0xC0}},
        {0.0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {0.1, {0x00, 0xD0, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xCC, 0xFB, 0x3F}},
        {std::numeric_limits<double>::infinity(), {0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}},
    };
    for (const auto& c : cases) {
        Byte out[10];
        DoubleToExtended80(c.value, out);
        EXPECT_EQ(0, std::memcmp(out, c.bytes, 10)) << c.value;
        EXPECT_EQ(Extended80ToDouble(c.bytes), c.value) << c.value;
    }
}

TEST(Extended80, RoundTripsDoubles)
{
    for (double v :
         {3.141592653589793, -1e-300, 1.7976931348623157e308, 4.9e-324, 2.2250738585072014e-308, 123456.789}) {
        Byte bytes[10];
        DoubleToExtended80(v, bytes);
        EXPECT_EQ(Extended80ToDouble(bytes), v) << v;
    }
    Byte nan[10];
    DoubleToExtended80(std::numeric_limits<double>::quiet_NaN(), nan);
    EXPECT_TRUE(std::isnan(Extended80ToDouble(nan)));
}

TEST(Extended80, ReadsValuesOutsideDoubleRange)
{
    // 2^-16400 is below the smallest double: zero. 2^+2000 is above the largest: infinity.
    const Byte tiny[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0x0F, 0x00};
    const Byte huge[10] = {0, 0, 0, 0, 0, 0, 0, 0x80, 0xCF, 0x46};
    EXPECT_EQ(Extended80ToDouble(tiny), 0.0);
    EXPECT_TRUE(std::isinf(Extended80ToDouble(huge)));
    // 1 + 2^-63 (the 80-bit format's last bit) rounds to 1.0.
    const Byte nearOne[10] = {1, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
    EXPECT_EQ(Extended80ToDouble(nearOne), 1.0);
}

TEST(StrToFloat, SyntaxAndMessages)
{
    const TFormatSettings dot = Settings(".");
    EXPECT_EQ(StrToFloat(" 1.5 ", dot), 1.5L);
    EXPECT_EQ(StrToFloat("\t-2.25\r\n", dot), -2.25L);
    EXPECT_EQ(StrToFloat("1E3", dot), 1000.0L);
    EXPECT_EQ(StrToFloat("1,5", Settings(",")), 1.5L);
    for (const char* bad :
         {"1e", "inf", "INF", "nan", "0x10", "1,5", "", "1.5x", "+", "1e+", "--1", "1 000", "Infinity"}) {
        double v = 0;
        EXPECT_FALSE(TryStrToFloat(bad, v, dot)) << bad;
    }
    try {
        StrToFloat("1e", dot);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'1e' is not a valid floating point value");
    }
    EXPECT_EQ(StrToFloatDef("abc", 7.5, dot), 7.5L);
    Extended big = 0;
    EXPECT_FALSE(TryStrToFloat("1e400", big, dot));                  // beyond any double
    EXPECT_TRUE(TryStrToFloat("1.7976931348623158e308", big, dot));  // rounds to the largest double
    EXPECT_FALSE(TryStrToFloat("1.7976931348623159e308", big, dot));
    EXPECT_TRUE(TryStrToFloat("1e-400", big, dot));  // underflow is not an error
}

TEST(StrToFloat, DoubleResultIsRoundedOnce)
{
    double v = 0;
    ASSERT_TRUE(TryStrToFloat("0.1", v, Settings(".")));
    EXPECT_EQ(v, 0.1);
    // Halfway between two doubles in decimal: a double rounding via long double would go wrong.
    ASSERT_TRUE(TryStrToFloat("9007199254740993", v, Settings(".")));
    EXPECT_EQ(v, 9007199254740992.0);
    ASSERT_TRUE(TryStrToFloat("1e-320", v, Settings(".")));
    EXPECT_EQ(v, 1e-320);
}

TEST(StrToInt, AcceptsAndRejects)
{
    EXPECT_EQ(StrToInt(" 42 "), 42);
    EXPECT_EQ(StrToInt("-0x10"), -16);
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt64("$FFFFFFFF"), 4294967295LL);
    EXPECT_EQ(StrToIntDef("12a", -5), -5);
    try {
        StrToInt("2147483648");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'2147483648' is not a valid integer value");
    }
    EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
}

TEST(FormatFloat, PicturesOfTheProgram)
{
    const TFormatSettings dot = Settings(".");
    const struct {
        const char* picture;
        double value;
        const char* expected;
    } cases[] = {
        {"##0.0#", 12.345, "12.35"},
        {"##0.0#", -0.5, "-0.5"},
        {"##0.0#", 0, "0.0"},
        {"##0", 2.5, "3"},
        {"##0", -2.5, "-3"},
        {"##0", 0.4, "0"},
        {"0e-0", 1234, "1e3"},
        {"0e-0", 0.00012, "1e-4"},
        {"#,##0.###", 1234567.8916, "1,234,567.892"},
        {"##0.## %", 45.5, "45.5 %"},
        {"0.00", 0.125, "0.13"},
        {"0.00", -0.125, "-0.13"},
        {"0.00", 1e-9, "0.00"},
        {"0.0;-0.0;zero", 0, "zero"},
        {"0.0;(0.0);-", -3.25, "(3.3)"},
        {"0.0;(0.0);-", -0.0, "-"},
        {"0.00;;z", -1.5, "-1.50"},
        {"0%", 0.5, "1%"},
        {"00.000E+00", 1234.5, "12.345E+02"},
        {"#", 0, ""},
        {"\"deg \"0.0", 1.25, "deg 1.3"},
        {"0.0 'm;s'", 2, "2.0 m;s"},
        {"0000", 42, "0042"},
        {"#,##0", -1234567, "-1,234,567"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFloat(c.picture, c.value, dot), c.expected) << c.picture << " " << c.value;
    EXPECT_EQ(FormatFloat("#,##0.00", 1234.5, Settings(",")), "1.234,50");
    EXPECT_EQ(FormatFloat("0.0", std::numeric_limits<double>::infinity(), dot), "INF");
    EXPECT_EQ(FormatFloat("0.0", -std::numeric_limits<double>::infinity(), dot), "-INF");
    EXPECT_EQ(FormatFloat("0.0", std::numeric_limits<double>::quiet_NaN(), dot), "NAN");
}

TEST(FloatToStr, GeneralFormat)
{
    const TFormatSettings dot = Settings(".");
    EXPECT_EQ(FloatToStr(0.1 + 0.2, dot), "0.3");
    EXPECT_EQ(FloatToStr(1.0 / 3, dot), "0.333333333333333");
    EXPECT_EQ(FloatToStr(1e15, dot), "1E15");
    EXPECT_EQ(FloatToStr(123456789012345.0, dot), "123456789012345");
    EXPECT_EQ(FloatToStr(-1.5e-7, dot), "-1.5E-7");
    EXPECT_EQ(FloatToStr(2.5, Settings(",")), "2,5");
    EXPECT_EQ(FloatToStrF(1.7976931348623157e308, ffFixed, 15, 0, dot).size(), 309u);
    EXPECT_EQ(FloatToStrF(-0.004, ffFixed, 15, 2, dot), "0.00");
}

TEST(Format, CommaDecimalSeparatorAndErrors)
{
    const TFormatSettings comma = Settings(",");
    EXPECT_EQ(Format("%.2f", {3.14159}, comma), "3,14");
    EXPECT_EQ(Format("%.2f", {2.5}, comma), "2,50");
    EXPECT_EQ(Format("%.0f", {0.5}, comma), "1");
    EXPECT_EQ(Format("%d items at %.1f%%", {3, 12.25}, comma), "3 items at 12,3%");
    EXPECT_EQ(Format("%s/%s", {String("a"), "b"}), "a/b");
    EXPECT_EQ(Format("[%.2s]", {"\xC3\xA9t\xC3\xA9"}), "[\xC3\xA9]");  // no half characters
    EXPECT_EQ(Format("[%.3s]", {"\xC3\xA9t\xC3\xA9"}), "[\xC3\xA9t]");
    EXPECT_EQ(Format("%d", {static_cast<Int64>(-9000000000)}), "-9000000000");
    EXPECT_EQ(Format("%u", {std::uint64_t(18446744073709551615ULL)}), "18446744073709551615");
    EXPECT_EQ(Format("%p", {reinterpret_cast<const void*>(std::uintptr_t(0xABCD))}), "000000000000ABCD");
    for (const char* bad : {"%d", "%s", "%.2f %d", "%", "%5", "%q", "%-"}) {
        try {
            Format(bad, {1.5});
            ADD_FAILURE() << bad;
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), String("Format '") + bad + "' invalid or incompatible with argument");
        }
    }
    EXPECT_THROW(Format("%d %d", {1}), EConvertError);
    EXPECT_THROW(Format("%*d", {String("x"), 1}), EConvertError);
}

namespace {
std::string DigitsText(const rtl_detail::DecimalDigits& v)
{
    return std::string(v.d, static_cast<std::size_t>(v.n)) + "e" + std::to_string(v.exp);
}
bool SameDigits(const rtl_detail::DecimalDigits& a, const rtl_detail::DecimalDigits& b)
{
    return a.n == b.n && a.exp == b.exp && std::memcmp(a.d, b.d, static_cast<std::size_t>(a.n)) == 0;
}
}  // namespace

// The formatters take a double's shortest digits where they round as its exact digits do; a
// difference shows on values at and beside the ties of every length, and on random bit patterns.
TEST(FloatDigits, ShortestDigitsRoundAsTheExactDigits)
{
    using namespace rtl_detail;
    std::vector<double> values;
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    auto next = [&] {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    };
    for (int i = 0; i < 4000; ++i) {
        double d;
        const std::uint64_t bits = next();
        std::memcpy(&d, &bits, sizeof d);
        if (std::isfinite(d)) values.push_back(d);
    }
    // Decimals of 1 to 17 digits ending in 5 (a tie one digit shorter), their neighbours, and
    // readings of two decimals.
    for (int digits = 1; digits <= 17; ++digits)
        for (int i = 0; i < 100; ++i) {
            std::string text = std::to_string(next() % 9 + 1);
            for (int k = 1; k < digits - 1; ++k) text += static_cast<char>('0' + next() % 10);
            if (digits > 1) text += '5';
            text += "e" + std::to_string(static_cast<int>(next() % 40) - 20);
            const double d = std::strtod(text.c_str(), nullptr);
            values.insert(values.end(), {d, std::nextafter(d, 0.0), std::nextafter(d, 1e300), -d});
        }
    for (int i = -100000; i <= 100000; i += 37) values.push_back(i / 100.0);
    values.insert(values.end(), {0.1, 0.3, 1e23, 9.5e-5, 2.5, 0.15, 1.005, 4503599627370497.0,
                                 std::numeric_limits<double>::min(), std::numeric_limits<double>::max()});
    for (const double d : values)
        for (int keep = -2; keep <= 18; ++keep)
            for (const bool keepExponent : {false, true}) {
                const DecimalDigits fast = RoundedDigits(d, [&](const DecimalDigits&) { return keep; }, keepExponent);
                DecimalDigits exact = Decompose(d);
                RoundDigits(exact, keep, keepExponent);
                ASSERT_TRUE(SameDigits(fast, exact))
                    << DigitsText(fast) << " against " << DigitsText(exact) << " for " << std::hexfloat << d << " keeping " << keep << (keepExponent ? " with exponent" : "");
            }
    // Fixed decimals: how many digits are kept follows the exponent.
    for (const double d : values)
        for (int decimals = 0; decimals <= 6; ++decimals) {
            const DecimalDigits fast =
                RoundedDigits(d, [&](const DecimalDigits& v) { return v.exp + decimals; });
            DecimalDigits exact = Decompose(d);
            RoundDigits(exact, exact.exp + decimals);
            ASSERT_TRUE(SameDigits(fast, exact))
                << DigitsText(fast) << " against " << DigitsText(exact) << " for " << std::hexfloat << d << " with " << decimals << " decimals";
        }
}
