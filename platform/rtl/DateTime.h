#pragma once
// TDateTime: days since 1899-12-30; the fraction is the time of day (also for negative dates).
// Values beyond the years 1 .. 9999 decode and format as the nearest end of that range.
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Types.h"

constexpr double MSecsPerDay = 86400000.0;
constexpr int HoursPerDay = 24;
constexpr int MinsPerDay = 1440;
constexpr int SecsPerDay = 86400;

bool IsLeapYear(Word year);
Word DaysInAMonth(Word year, Word month);

// EConvertError "Invalid argument to date encode" / "Invalid argument to time encode".
TDateTime EncodeDate(Word year, Word month, Word day);
TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec);
bool TryEncodeDate(Word year, Word month, Word day, TDateTime& date);
bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& time);
void DecodeDate(TDateTime date, Word& year, Word& month, Word& day);
void DecodeTime(TDateTime time, Word& hour, Word& min, Word& sec, Word& msec);
TDateTime EncodeDateTime(Word year, Word month, Word day, Word hour, Word min, Word sec, Word msec);
void DecodeDateTime(TDateTime dt, Word& year, Word& month, Word& day, Word& hour, Word& min, Word& sec, Word& msec);

TDateTime Now();   // local time, millisecond resolution
TDateTime Date();  // today, midnight
TDateTime Time();  // time of day only
// Same day of month where it exists, else the month's last day; the time part is kept.
TDateTime IncMonth(TDateTime date, int months = 1);
int DayOfWeek(TDateTime date);     // 1 = Sunday .. 7 = Saturday
int DayOfTheWeek(TDateTime date);  // 1 = Monday .. 7 = Sunday

// Pictures: c d dd ddd dddd ddddd dddddd m mm mmm mmmm yy yyyy h hh n nn s ss z zzz t tt
// am/pm a/p ampm / : and "quoted" or 'quoted' text; m after h is minutes. A longer run of one
// letter reads as the longest specifier of that letter (hhh as hh, mmmmm as mmmm).
String FormatDateTime(const String& picture, TDateTime dt);
String FormatDateTime(const String& picture, TDateTime dt, const TFormatSettings& fs);
String DateToStr(TDateTime dt);
String TimeToStr(TDateTime dt);
String DateTimeToStr(TDateTime dt);
String DateToStr(TDateTime dt, const TFormatSettings& fs);
String TimeToStr(TDateTime dt, const TFormatSettings& fs);
String DateTimeToStr(TDateTime dt, const TFormatSettings& fs);
