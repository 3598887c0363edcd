// TDateTime arithmetic and text, and the settings taken from the environment.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <limits>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FormatSettings_p.h"
#include "tests/platform/rtl/TableSupport.h"

using rtltest::Settings;

namespace {
String Ymd(TDateTime dt) { return FormatDateTime("yyyy-mm-dd hh:nn:ss.zzz", dt, Settings(".")); }
}  // namespace

TEST(DateTime, EncodeKnownSerials)
{
    const struct {
        Word y, m, d;
        double serial;
    } cases[] = {{1899, 12, 30, 0},    {1899, 12, 31, 1},  {1900, 1, 1, 2},         {2000, 1, 1, 36526},
                 {2024, 2, 29, 45351}, {1, 1, 1, -693593}, {9999, 12, 31, 2958465}, {1850, 6, 15, -18095}};
    for (const auto& c : cases) {
        EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial) << c.y << "-" << c.m << "-" << c.d;
        Word y, m, d;
        DecodeDate(c.serial, y, m, d);
        EXPECT_EQ(y * 10000 + m * 100 + d, c.y * 10000 + c.m * 100 + c.d);
    }
}

TEST(DateTime, InvalidArgumentsRaise)
{
    const Word bad[][3] = {{2023, 2, 29}, {0, 1, 1}, {10000, 1, 1}, {2024, 13, 1}, {2024, 4, 31}, {2024, 1, 0}};
    for (const auto& b : bad) {
        try {
            EncodeDate(b[0], b[1], b[2]);
            ADD_FAILURE() << b[0] << "-" << b[1] << "-" << b[2];
        } catch (const EConvertError& e) {
            EXPECT_EQ(e.Message(), "Invalid argument to date encode");
        }
    }
    try {
        EncodeTime(24, 0, 0, 0);
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Invalid argument to time encode");
    }
    EXPECT_THROW(EncodeTime(0, 60, 0, 0), EConvertError);
    EXPECT_THROW(EncodeTime(0, 0, 0, 1000), EConvertError);
}

// Values a stored chart may carry on a date-time axis: beyond the calendar they read as its ends.
TEST(DateTime, ValuesBeyondTheCalendarReadAsItsEnds)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {{1e300, "9999-12-31 23:59:59.999"},
                 {-1e300, "0001-01-01 23:59:59.999"},
                 {1e19, "9999-12-31 23:59:59.999"},
                 {std::numeric_limits<double>::infinity(), "9999-12-31 23:59:59.999"},
                 {-std::numeric_limits<double>::infinity(), "0001-01-01 23:59:59.999"},
                 {std::numeric_limits<double>::quiet_NaN(), "1899-12-30 00:00:00.000"},
                 {2958466.5, "9999-12-31 23:59:59.999"}};
    for (const auto& c : cases) {
        EXPECT_EQ(Ymd(c.value), c.text) << c.value;
        EXPECT_GE(DayOfWeek(c.value), 1);
        EXPECT_LE(DayOfWeek(c.value), 7);
    }
    EXPECT_THROW(IncMonth(1e300, 1), EConvertError);
    EXPECT_EQ(Ymd(IncMonth(1e300, -1)), "9999-11-30 23:59:59.999");
}

TEST(DateTime, TimeOfNegativeDatesIsTheAbsoluteFraction)
{
    EXPECT_EQ(Ymd(-1.25), "1899-12-29 06:00:00.000");
    EXPECT_EQ(EncodeDateTime(1850, 6, 15, 6, 30, 0, 0), -18095.0 - 0.2708333333333333);
    Word h, n, s, ms;
    DecodeTime(EncodeTime(23, 59, 59, 999), h, n, s, ms);
    EXPECT_EQ(h * 10000000 + n * 100000 + s * 1000 + ms, 235959999);
    // A fraction a hair below midnight reads as the next day's midnight, never as 24:00.
    EXPECT_EQ(Ymd(0.99999999999), "1899-12-31 00:00:00.000");
}

TEST(DateTime, IncMonthClampsTheDay)
{
    const struct {
        Word y, m, d;
        int months;
        const char* expected;
    } cases[] = {{2024, 1, 31, 1, "2024-02-29"},  {2023, 1, 31, 1, "2023-02-28"},   {2024, 3, 31, -1, "2024-02-29"},
                 {2023, 12, 15, 1, "2024-01-15"}, {2024, 1, 15, -13, "2022-12-15"}, {2024, 5, 31, 12, "2025-05-31"},
                 {2024, 5, 31, 0, "2024-05-31"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatDateTime("yyyy-mm-dd", IncMonth(EncodeDate(c.y, c.m, c.d), c.months), Settings(".")),
                  c.expected);
    EXPECT_EQ(Ymd(IncMonth(EncodeDateTime(2024, 1, 31, 12, 30, 0, 0), 1)), "2024-02-29 12:30:00.000");
    EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 1), 1), EConvertError);
}

TEST(DateTime, WeekdaysAndLeapYears)
{
    EXPECT_EQ(DayOfWeek(0), 7);
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 2, 29)), 5);
    EXPECT_EQ(DayOfWeek(EncodeDate(2024, 3, 3)), 1);
    EXPECT_EQ(DayOfWeek(EncodeDateTime(1850, 6, 15, 23, 0, 0, 0)), 7);
    // Monday first: 2024-03-04 is a Monday, 03-03 a Sunday, 1899-12-30 a Saturday.
    EXPECT_EQ(DayOfTheWeek(EncodeDate(2024, 3, 4)), 1);
    EXPECT_EQ(DayOfTheWeek(EncodeDate(2024, 3, 3)), 7);
    EXPECT_EQ(DayOfTheWeek(0), 6);
    EXPECT_EQ(DayOfTheWeek(EncodeDateTime(1850, 6, 15, 23, 0, 0, 0)), 6);
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_FALSE(IsLeapYear(2023));
    EXPECT_EQ(DaysInAMonth(2024, 2), 29);
}

TEST(DateTime, TextForms)
{
    const TFormatSettings fs = Settings(".");
    const TDateTime dt = EncodeDateTime(2024, 2, 29, 13, 5, 9, 7);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:mm:ss", dt, fs), "2024-02-29 13:05:09");
    EXPECT_EQ(DateToStr(dt, fs), "2/29/2024");
    EXPECT_EQ(TimeToStr(dt, fs), "1:05:09 PM");
    EXPECT_EQ(DateTimeToStr(dt, fs), "2/29/2024 1:05:09 PM");
    EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 2, 29), fs), "2/29/2024");  // midnight: date only
    EXPECT_EQ(FormatDateTime("hh AM/PM", EncodeTime(0, 30, 0, 0), fs), "12 AM");
    EXPECT_EQ(FormatDateTime("h a/p", EncodeTime(12, 0, 0, 0), fs), "12 p");

    TFormatSettings german = fs;
    german.DateSeparator = '.';
    german.TimeSeparator = '-';
    german.ShortDateFormat = "dd/mm/yyyy";
    EXPECT_EQ(FormatDateTime("ddddd h:n", dt, german), "29.02.2024 13-5");
    german.ShortDateFormat = "ddddd";  // refers to itself: stops instead of recursing forever
    EXPECT_EQ(FormatDateTime("ddddd", dt, german), "");
}

TEST(DateTime, NowFollowsTheSystemClock)
{
    const TDateTime now = Now();
    const TDateTime utc = static_cast<double>(std::time(nullptr)) / 86400.0 + 25569.0;
    EXPECT_NEAR(now, utc, 1.0);  // local time within a day of UTC
    EXPECT_LE(Date(), now);
    EXPECT_LT(now - Date(), 1.0);
    EXPECT_GE(Time(), 0.0);
    EXPECT_LT(Time(), 1.0);
}

TEST(FormatSettingsFromEnvironment, PosixAndMissingLocalesGiveTheInvariantSettings)
{
    const char* saved = std::getenv("LC_ALL");
    const std::string keep = saved ? saved : "";
    for (const char* name : {"C", "POSIX", "C.UTF-8", "xx_NOPE.UTF-8"}) {
        setenv("LC_ALL", name, 1);
        const TFormatSettings fs = TFormatSettings::FromEnvironment();
        EXPECT_EQ(fs.DecimalSeparator, '.') << name;
        EXPECT_EQ(fs.ThousandSeparator, ',') << name;
        EXPECT_EQ(fs.LongMonthNames[11], "December") << name;
    }
    if (saved)
        setenv("LC_ALL", keep.c_str(), 1);
    else
        unsetenv("LC_ALL");
}

TEST(FormatSettingsFromEnvironment, SystemLanguage)
{
    const char* saved = std::getenv("LC_ALL");
    const std::string keep = saved ? saved : "";
    const struct {
        const char* lcAll;
        const char* language;
    } cases[] = {{"ja_JP.UTF-8", "ja"}, {"de_DE@euro", "de"}, {"en", "en"}, {"C.UTF-8", ""}, {"POSIX", ""}};
    for (const auto& c : cases) {
        setenv("LC_ALL", c.lcAll, 1);
        EXPECT_EQ(SystemLanguage(), c.language) << c.lcAll;
    }
    if (saved)
        setenv("LC_ALL", keep.c_str(), 1);
    else
        unsetenv("LC_ALL");
}

TEST(FormatSettingsFromEnvironment, LocalePicturesBecomeDateTimePictures)
{
    const struct {
        const char* strftime;
        char placeholder;
        const char* picture;
        char separator;
    } cases[] = {
        {"%m/%d/%y", '/', "mm/dd/yy", '/'},
        {"%d.%m.%Y", '/', "dd/mm/yyyy", '.'},
        {"%Y-%m-%d", '/', "yyyy/mm/dd", '-'},
        {"%F", '/', "yyyy/mm/dd", '-'},
        {"%e %B %Y", '/', "d\" \"mmmm\" \"yyyy", '?'},
        {"%Y\xE5\xB9\xB4%m\xE6\x9C\x88%d\xE6\x97\xA5", '/', "yyyy\"\xE5\xB9\xB4\"mm\"\xE6\x9C\x88\"dd\"\xE6\x97\xA5\"",
         '?'},
        {"%H:%M:%S", ':', "hh:nn:ss", ':'},
        {"%H.%M.%S", ':', "hh:nn:ss", '.'},
        {"%T", ':', "hh:nn:ss", ':'},
        {"%I:%M:%S %p", ':', "hh:nn:ss\" \"AMPM", ':'},
        {"%r %Z", ':', "hh:nn:ss AMPM\" \"", '?'},
    };
    for (const auto& c : cases) {
        char separator = '?';
        EXPECT_EQ(rtl_detail::StrftimeToPicture(c.strftime, c.placeholder, separator), c.picture) << c.strftime;
        EXPECT_EQ(separator, c.separator) << c.strftime;
    }
    // The pictures format as intended.
    const TDateTime dt = EncodeDateTime(2024, 2, 9, 14, 5, 0, 0);
    TFormatSettings fs = Settings(".");
    fs.DateSeparator = '.';
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", dt, fs), "09.02.2024");
    EXPECT_EQ(FormatDateTime("d\" \"mmmm\" \"yyyy", dt, fs), "9 February 2024");
    EXPECT_EQ(FormatDateTime("hh:nn:ss\" \"AMPM", dt, fs), "02:05:00 PM");
}

// glibc gives the week start date and the first weekday counted from it: the C and US locales
// 19971130 (a Sunday) and 1, most European ones 19971130 and 2; bad values give Monday.
TEST(FormatSettingsFromEnvironment, FirstDayOfWeekFromTheLocaleWeek)
{
    struct Case {
        unsigned weekStart;
        int firstWeekday, want;
    };
    const Case cases[] = {{19971130, 1, 6}, {19971130, 2, 0}, {19971201, 1, 0}, {19971201, 7, 6},
                          {19971130, 7, 5}, {0, 1, 0},        {19971130, 0, 0}, {19971130, 8, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(TFormatSettings::FirstDayOfWeekFrom(c.weekStart, c.firstWeekday), c.want) << c.weekStart << " " << c.firstWeekday;
    EXPECT_EQ(TFormatSettings::Invariant().FirstDayOfWeek, 6);
}
