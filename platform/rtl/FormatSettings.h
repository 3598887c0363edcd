#pragma once
// Locale-dependent settings of the formatting and conversion routines.
#include "platform/rtl/Types.h"

struct TFormatSettings {
    char DecimalSeparator = '.';
    char ThousandSeparator = ',';
    char DateSeparator = '/';
    char TimeSeparator = ':';
    char ListSeparator = ',';
    String CurrencyString = "$";
    Byte CurrencyFormat = 0;  // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $"
    Byte NegCurrFormat = 0;   // 0..15 as the class library numbers them
    Byte CurrencyDecimals = 2;
    String ShortDateFormat = "m/d/yyyy";
    String LongDateFormat = "dddd, mmmm d, yyyy";
    String ShortTimeFormat = "h:nn AMPM";
    String LongTimeFormat = "h:nn:ss AMPM";
    String TimeAMString = "AM";
    String TimePMString = "PM";
    String ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    String LongMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                 "July",    "August",   "September", "October", "November", "December"};
    String ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    String LongDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    int TwoDigitYearCenturyWindow = 50;
    // The first day of the week, 0 = Monday .. 6 = Sunday (the C locale's Sunday by default).
    int FirstDayOfWeek = 6;

    // The settings of the C/POSIX locale ('.' and ',', English names).
    static TFormatSettings Invariant();
    // The user's locale from LC_ALL / LC_NUMERIC / LC_TIME / LANG (Invariant() when unavailable).
    static TFormatSettings FromEnvironment();
    // The first day of the week (0 = Monday) from a locale's week start date (yyyymmdd, the day
    // counted as 1) and its first weekday counted from that day (1-based); 0 when either is invalid.
    static int FirstDayOfWeekFrom(unsigned weekStartDate, int firstWeekday);
};

// Primary language of the user's locale from LC_ALL / LC_MESSAGES / LANG: "ja", "en", ...;
// "" under C/POSIX.
String SystemLanguage();

// The process-wide settings the routines use by default; filled from the user's locale before main.
extern TFormatSettings FormatSettings;
