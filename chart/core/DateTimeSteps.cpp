#include "chart/core/DateTimeSteps.h"

#include <algorithm>
#include <cmath>

#include "platform/rtl/DateTime.h"
#include "platform/rtl/MathUtils.h"

const std::array<double, DateTimeStepCount> DateTimeStepTable = {
    1.0 / 86400000000.0,
    1.0 / 86400000.0,
    1.0 / 86400.0,
    5.0 / 86400.0,
    10.0 / 86400.0,
    15.0 / 86400.0,
    30.0 / 86400.0,
    1.0 / 1440.0,
    5.0 / 1440.0,
    10.0 / 1440.0,
    15.0 / 1440.0,
    30.0 / 1440.0,
    1.0 / 24.0,
    2.0 / 24.0,
    6.0 / 24.0,
    12.0 / 24.0,
    1.0,
    2.0,
    3.0,
    7.0,
    15.0,
    30.0,
    60.0,
    90.0,
    120.0,
    182.0,
    365.0,
};

namespace {

constexpr double oneMicrosecond = 1.0 / 86400000000.0;

bool sameValue(double a, double b)
{
    const double tolerance = std::max(1e-12, 1e-12 * std::max(std::fabs(a), std::fabs(b)));
    return std::fabs(a - b) <= tolerance;
}

}  // namespace

int DateTimeStepIndexOf(double value)
{
    for (int i = DateTimeStepCount - 1; i >= 0; --i)
        if (std::fabs(DateTimeStepTable[i] - value) < oneMicrosecond) return i;
    return DateTimeStepCount;
}

double NextDateTimeStep(double value)
{
    for (int i = DateTimeStepCount - 2; i >= 0; --i)
        if (DateTimeStepTable[i] <= value) return DateTimeStepTable[i + 1];
    return DateTimeStepTable[DateTimeStepCount - 1];
}

TDateTime RoundDateTimeToStep(int stepIndex, TDateTime value)
{
    if (value == 0) return value;
    if (stepIndex >= dtHalfMonth) {
        Word year, month, day;
        DecodeDate(value, year, month, day);
        if (stepIndex == dtHalfMonth)
            day = day < 15 ? 1 : 15;
        else if (stepIndex < dtOneYear)
            day = 1;
        else
            day = month = 1;
        return EncodeDate(year, month, day);
    }
    switch (stepIndex) {
    case dtOneDay: return static_cast<double>(Round(value));
    case dtOneDay + 1: return 2.0 * static_cast<double>(Round(value / 2));
    case dtOneDay + 2: return 3.0 * static_cast<double>(Round(value / 3));
    case dtOneDay + 3: return 7.0 * static_cast<double>(Round((value - 2) / 7)) + 2;
    default: return value;
    }
}

namespace {

// The day kept where the month has it, else the month's last day (29 February in other years).
TDateTime encodeClamped(int year, int month, int day)
{
    return EncodeDate(static_cast<Word>(year), static_cast<Word>(month),
                      static_cast<Word>(std::min(day, MonthLengthInDays(year, month))));
}

TDateTime stepHalfMonth(bool up, int year, int month, int day)
{
    if (up) {
        if (day < 15) return EncodeDate(static_cast<Word>(year), static_cast<Word>(month), 15);
        return month == 12 ? EncodeDate(static_cast<Word>(year + 1), 1, 1)
                           : EncodeDate(static_cast<Word>(year), static_cast<Word>(month + 1), 1);
    }
    if (day > 15) return EncodeDate(static_cast<Word>(year), static_cast<Word>(month), 15);
    if (day > 1) return EncodeDate(static_cast<Word>(year), static_cast<Word>(month), 1);
    return month == 1 ? EncodeDate(static_cast<Word>(year - 1), 12, 15)
                      : EncodeDate(static_cast<Word>(year), static_cast<Word>(month - 1), 15);
}

TDateTime stepMonths(bool up, int year, int month, int months)
{
    int index = year * 12 + (month - 1) + (up ? months : -months);
    return EncodeDate(static_cast<Word>(index / 12), static_cast<Word>(index % 12 + 1), 1);
}

}  // namespace

void StepDateTime(bool up, TDateTime& value, int stepIndex, double step)
{
    const TDateTime target = up ? value + step : value - step;
    if (sameValue(target, value)) return;
    if (stepIndex < dtHalfMonth) {
        value = target;
        return;
    }
    Word y, m, d;
    DecodeDate(value, y, m, d);
    const int year = y, month = m, day = d;
    if (stepIndex == dtHalfMonth) {
        value = stepHalfMonth(up, year, month, day);
    } else if (stepIndex < dtOneYear) {
        static constexpr int months[] = {1, 2, 3, 4, 6};
        value = stepMonths(up, year, month, months[stepIndex - dtHalfMonth - 1]);
    } else {
        TDateTime result = value;
        for (int moved = 1; moved <= 9999; ++moved) {
            const int toYear = up ? year + moved : year - moved;
            if (toYear < 1 || toYear > 9999) break;
            result = encodeClamped(toYear, month, day);
            if (up ? result >= target : result <= target) break;
        }
        value = result;
    }
}

String PickDateTimeFormat(double value)
{
    return value > 1 ? FormatSettings.ShortDateFormat : FormatSettings.ShortTimeFormat;
}

int MonthLengthInDays(int year, int month) { return DaysInAMonth(static_cast<Word>(year), static_cast<Word>(month)); }
