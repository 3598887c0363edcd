#pragma once
// The date-time steps of axes and period functions: the step table, its lookups, and rounding and
// stepping dates by calendar steps.
#include <array>

#include "platform/rtl/Types.h"

// Steps in days, from 1 microsecond (index 0) to 365 days (index 26). Index 16 is one day; 20 to 26
// are the calendar steps: half month, month, 2, 3, 4 and 6 months, year.
constexpr int DateTimeStepCount = 27;
extern const std::array<double, DateTimeStepCount> DateTimeStepTable;
constexpr int dtOneDay = 16;
constexpr int dtHalfMonth = 20;
constexpr int dtOneYear = 26;

// The index of the entry within 1 microsecond of value, searched from the top; 27 when none is.
int DateTimeStepIndexOf(double value);
// The table step after the largest entry not above value; 365 days below 1 microsecond or from
// 182 days on.
double NextDateTimeStep(double value);
// The value rounded down to the start of its calendar step (20..26), or rounded to whole days,
// two days, three days or weeks starting on the weekday of day 2 (16..19); 0 and smaller
// indexes unchanged.
TDateTime RoundDateTimeToStep(int stepIndex, TDateTime value);
// Moves value one step (step days, or the calendar step of stepIndex 20..26) up or down. Going up
// always advances: the half month goes from days 1-14 to the 15th and from days 15-31 to the 1st
// of the next month. Nothing changes when value +- step equals value within 1e-12 (relative).
void StepDateTime(bool up, TDateTime& value, int stepIndex, double step);
// The locale's short date format for a value above one day, else its short time format.
String PickDateTimeFormat(double value);
int MonthLengthInDays(int year, int month);
