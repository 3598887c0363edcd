#include <gtest/gtest.h>

#include "chart/core/DateTimeSteps.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"

namespace {
String dateText(TDateTime value) { return FormatDateTime("yyyy-mm-dd hh:nn", value); }
}  // namespace

TEST(DateTimeSteps, TableLookups)
{
    EXPECT_EQ(DateTimeStepTable[dtOneDay], 1.0);
    EXPECT_EQ(DateTimeStepTable[dtHalfMonth], 15.0);
    EXPECT_EQ(DateTimeStepTable[dtOneYear], 365.0);
    struct IndexCase {
        double value;
        int index;
    };
    const IndexCase indexes[] = {
        {1.0 / 24, 12}, {0.4, 27}, {1.0, 16}, {365.0, 26}, {1.0 / 86400000000.0, 0}, {1.0 / 86400, 2}, {0, 27},
    };
    for (const IndexCase& c : indexes) EXPECT_EQ(DateTimeStepIndexOf(c.value), c.index) << c.value;

    struct NextCase {
        double value;
        double next;
    };
    const NextCase nexts[] = {
        {1.0, 2.0},
        {0.3, 0.5},
        {400.0, 365.0},
        {182.0, 365.0},
        {1e-12, 365.0},
        {120.0, 182.0},
        {1.0 / 86400, 5.0 / 86400},
    };
    for (const NextCase& c : nexts) EXPECT_DOUBLE_EQ(NextDateTimeStep(c.value), c.next) << c.value;
}

TEST(DateTimeSteps, RoundToStep)
{
    const TDateTime noon20 = EncodeDate(2024, 3, 20) + 0.5;
    struct Case {
        int index;
        TDateTime value;
        TDateTime rounded;
    };
    const Case cases[] = {
        {19, 9, 9},                             // weeks start on the weekday of day 2
        {19, 12, 9},                            // round(10 / 7) = 1
        {19, 13, 16},                           //
        {16, 10.4, 10},                         //
        {16, 10.5, 10},                         // halves to even
        {17, 13.2, 14},                         // two days: 2 x round(6.6)
        {18, 10, 9},                            // three days: 3 x round(3.33)
        {20, noon20, EncodeDate(2024, 3, 15)},  // half month, second half
        {20, EncodeDate(2024, 3, 14) + 0.2, EncodeDate(2024, 3, 1)},
        {21, noon20, EncodeDate(2024, 3, 1)},  // month
        {25, noon20, EncodeDate(2024, 3, 1)},  // six months: still the month's start
        {26, noon20, EncodeDate(2024, 1, 1)},  // year
        {12, noon20, noon20},                  // an hour: unchanged
        {26, 0, 0},                            // 0 stays
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(RoundDateTimeToStep(c.index, c.value), c.rounded) << c.index << " " << c.value;
}

TEST(DateTimeSteps, StepByCalendar)
{
    struct Case {
        bool up;
        TDateTime from;
        int index;
        TDateTime to;
    };
    const Case cases[] = {
        // Half month upwards always advances.
        {true, EncodeDate(2024, 3, 1), 20, EncodeDate(2024, 3, 15)},
        {true, EncodeDate(2024, 3, 14), 20, EncodeDate(2024, 3, 15)},
        {true, EncodeDate(2024, 3, 15), 20, EncodeDate(2024, 4, 1)},
        {true, EncodeDate(2024, 3, 20) + 0.75, 20, EncodeDate(2024, 4, 1)},
        {true, EncodeDate(2024, 12, 31), 20, EncodeDate(2025, 1, 1)},
        // Half month downwards.
        {false, EncodeDate(2024, 3, 20), 20, EncodeDate(2024, 3, 15)},
        {false, EncodeDate(2024, 3, 15), 20, EncodeDate(2024, 3, 1)},
        {false, EncodeDate(2024, 3, 2), 20, EncodeDate(2024, 3, 1)},
        {false, EncodeDate(2024, 3, 1), 20, EncodeDate(2024, 2, 15)},
        {false, EncodeDate(2024, 1, 1), 20, EncodeDate(2023, 12, 15)},
        // Months carry the year.
        {true, EncodeDate(2024, 11, 20), 21, EncodeDate(2024, 12, 1)},
        {true, EncodeDate(2024, 11, 20), 22, EncodeDate(2025, 1, 1)},
        {true, EncodeDate(2024, 8, 5), 25, EncodeDate(2025, 2, 1)},
        {false, EncodeDate(2024, 2, 10), 23, EncodeDate(2023, 11, 1)},
        {false, EncodeDate(2024, 6, 10), 25, EncodeDate(2023, 12, 1)},
        {false, EncodeDate(2024, 7, 10), 25, EncodeDate(2024, 1, 1)},
        {false, EncodeDate(2024, 5, 10), 24, EncodeDate(2024, 1, 1)},
    };
    for (const Case& c : cases) {
        TDateTime value = c.from;
        StepDateTime(c.up, value, c.index, DateTimeStepTable[c.index]);
        EXPECT_EQ(dateText(value), dateText(c.to))
            << (c.up ? "up " : "down ") << c.index << " from " << dateText(c.from);
    }
}

TEST(DateTimeSteps, UpwardHalfMonthsNeverStandStill)
{
    // The period loops step upwards until they pass an end: every step must advance.
    TDateTime value = EncodeDate(2023, 12, 20) + 0.5;
    for (int i = 0; i < 60; ++i) {
        const TDateTime before = value;
        StepDateTime(true, value, dtHalfMonth, 15);
        ASSERT_GT(value, before) << dateText(before);
    }
    EXPECT_EQ(dateText(value), "2026-06-15 00:00");
}

TEST(DateTimeSteps, StepByYearsAndDays)
{
    TDateTime value = EncodeDate(2023, 3, 1);
    StepDateTime(true, value, dtOneYear, 365);
    EXPECT_EQ(dateText(value), "2024-03-01 00:00");
    StepDateTime(true, value, dtOneYear, 730);  // until two years' days are passed
    EXPECT_EQ(dateText(value), "2026-03-01 00:00");
    StepDateTime(false, value, dtOneYear, 365);
    EXPECT_EQ(dateText(value), "2025-03-01 00:00");

    value = EncodeDate(2024, 2, 29);
    StepDateTime(true, value, dtOneYear, 365);  // no 29 February in 2025: the month's last day
    EXPECT_EQ(dateText(value), "2025-02-28 00:00");

    value = 100.25;
    StepDateTime(true, value, 12, 1.0 / 24);
    EXPECT_DOUBLE_EQ(value, 100.25 + 1.0 / 24);
    StepDateTime(false, value, dtOneDay, 1);
    EXPECT_DOUBLE_EQ(value, 99.25 + 1.0 / 24);

    value = 1e9;  // a step lost in the value's precision changes nothing
    StepDateTime(true, value, 0, DateTimeStepTable[0]);
    EXPECT_EQ(value, 1e9);
    value = EncodeDate(2024, 3, 20);
    StepDateTime(true, value, dtHalfMonth, 0);
    EXPECT_EQ(dateText(value), "2024-03-20 00:00");
}

TEST(DateTimeSteps, FormatsAndMonthLengths)
{
    EXPECT_EQ(PickDateTimeFormat(2), FormatSettings.ShortDateFormat);
    EXPECT_EQ(PickDateTimeFormat(1), FormatSettings.ShortTimeFormat);
    EXPECT_EQ(MonthLengthInDays(2024, 2), 29);
    EXPECT_EQ(MonthLengthInDays(2100, 2), 28);
    EXPECT_EQ(MonthLengthInDays(2000, 2), 29);
    EXPECT_EQ(MonthLengthInDays(2023, 4), 30);
}
