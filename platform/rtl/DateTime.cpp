#include "platform/rtl/DateTime.h"

#include <time.h>

#include <algorithm>
#include <cmath>

#include "platform/rtl/Exceptions.h"

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (valid for all years used here).
long DaysFromCivil(long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

void CivilFromDays(long z, long& y, unsigned& m, unsigned& d)
{
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

const long kEpoch = DaysFromCivil(1899, 12, 30);

// The calendar's first and last moments: 0001-01-01 (a negative date's time is its fraction) and
// 9999-12-31 23:59:59.999.
constexpr double FirstDateTime = -693593.99999999;
constexpr double LastDateTime = 2958465.99999999;

// Whole days and milliseconds of the day; the fraction is the time also for negative values.
// Half a millisecond rounds up, added to the double product as the runtime library does, so a
// time on a half millisecond (0.5000000057870371) shows the later one. A value beyond the
// calendar (a stored absurd one, an infinity) is taken as its nearest end, NaN as day 0, so that
// every value has a defined day and text.
void Split(TDateTime dt, long& days, long& msec)
{
    dt = std::isnan(dt) ? 0 : std::clamp(dt, FirstDateTime, LastDateTime);
    const double product = std::fabs(dt) * MSecsPerDay;
    const double total = std::trunc(product + 0.5);
    long long t = static_cast<long long>(total);
    days = static_cast<long>(t / 86400000);
    msec = static_cast<long>(t % 86400000);
    if (dt < 0) days = -days;
}

String Pad(long v, int width)
{
    String s = std::to_string(v < 0 ? -v : v);
    if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<std::size_t>(width) - s.size(), '0');
    return v < 0 ? "-" + s : s;
}

char Up(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

bool StartsNoCase(const char* p, const char* end, const char* word)
{
    for (; *word; ++word, ++p)
        if (p >= end || Up(*p) != Up(*word)) return false;
    return true;
}

struct Parts {
    Word year, month, day, hour, min, sec, msec;
    int dayOfWeek;  // 1 = Sunday
    bool midnight;
};

void AppendFormat(String& out, const String& picture, const Parts& t, const TFormatSettings& fs, int depth);

// True when the picture holds an am/pm marker, which makes the hours 12-based.
bool HasAmPm(const char* p, const char* end)
{
    while (p < end) {
        if (*p == '"' || *p == '\'') {
            const char q = *p++;
            while (p < end && *p != q) ++p;
            if (p < end) ++p;
            continue;
        }
        if (StartsNoCase(p, end, "am/pm") || StartsNoCase(p, end, "a/p") || StartsNoCase(p, end, "ampm")) return true;
        ++p;
    }
    return false;
}

void AppendFormat(String& out, const String& picture, const Parts& t, const TFormatSettings& fs, int depth)
{
    if (depth > 2) return;  // settings that refer to each other
    const char* p = picture.data();
    const char* end = p + picture.size();
    const bool twelve = HasAmPm(p, end);
    char last = 0;  // the previous specifier letter
    // A run of one letter is one specifier: a run longer than the longest one reads as the longest.
    while (p < end) {
        const char c = *p;
        const char u = Up(c);
        int count = 1;
        while (p + count < end && Up(p[count]) == u) ++count;
        switch (u) {
        case '"':
        case '\'': {
            const char* q = p + 1;
            while (q < end && *q != c) ++q;
            out.append(p + 1, static_cast<std::size_t>(q - p - 1));
            p = q < end ? q + 1 : end;
            continue;
        }
        case 'Y': out += count <= 2 ? Pad(t.year % 100, 2) : Pad(t.year, 4); break;
        case 'M':
            if (last == 'H') {
                out += count == 1 ? std::to_string(t.min) : Pad(t.min, 2);
            } else if (count == 1) {
                out += std::to_string(t.month);
            } else if (count == 2) {
                out += Pad(t.month, 2);
            } else if (count == 3) {
                out += fs.ShortMonthNames[t.month - 1];
            } else {
                out += fs.LongMonthNames[t.month - 1];
            }
            break;
        case 'D':
            switch (count) {
            case 1: out += std::to_string(t.day); break;
            case 2: out += Pad(t.day, 2); break;
            case 3: out += fs.ShortDayNames[t.dayOfWeek - 1]; break;
            case 4: out += fs.LongDayNames[t.dayOfWeek - 1]; break;
            case 5: AppendFormat(out, fs.ShortDateFormat, t, fs, depth + 1); break;
            default: AppendFormat(out, fs.LongDateFormat, t, fs, depth + 1); break;
            }
            break;
        case 'H': {
            int h = t.hour;
            if (twelve) {
                h %= 12;
                if (h == 0) h = 12;
            }
            out += count == 1 ? std::to_string(h) : Pad(h, 2);
            break;
        }
        case 'N': out += count == 1 ? std::to_string(t.min) : Pad(t.min, 2); break;
        case 'S': out += count == 1 ? std::to_string(t.sec) : Pad(t.sec, 2); break;
        case 'Z': out += count == 1 ? std::to_string(t.msec) : Pad(t.msec, 3); break;
        case 'T': AppendFormat(out, count == 1 ? fs.ShortTimeFormat : fs.LongTimeFormat, t, fs, depth + 1); break;
        case 'C':
            AppendFormat(out, fs.ShortDateFormat, t, fs, depth + 1);
            if (!t.midnight) {
                out += ' ';
                AppendFormat(out, fs.LongTimeFormat, t, fs, depth + 1);
            }
            break;
        case 'A': {
            const bool pm = t.hour >= 12;
            if (StartsNoCase(p, end, "am/pm")) {
                // The marker's own case decides: "am/pm" gives "pm", "AM/PM" gives "PM".
                const char* word = pm ? p + 3 : p;
                out.append(word, 2);
                count = 5;
            } else if (StartsNoCase(p, end, "a/p")) {
                out += pm ? p[2] : p[0];
                count = 3;
            } else if (StartsNoCase(p, end, "ampm")) {
                out += pm ? fs.TimePMString : fs.TimeAMString;
                count = 4;
            } else {
                out += c;
                count = 1;
            }
            break;
        }
        case '/':
            count = 1;
            out += fs.DateSeparator;
            break;
        case ':':
            count = 1;
            out += fs.TimeSeparator;
            break;
        default:
            count = 1;
            out += c;
            break;
        }
        if (u >= 'A' && u <= 'Z') last = u;
        p += count;
    }
}

Parts PartsOf(TDateTime dt)
{
    Parts t{};
    DecodeDateTime(dt, t.year, t.month, t.day, t.hour, t.min, t.sec, t.msec);
    t.dayOfWeek = DayOfWeek(dt);
    long days = 0, msec = 0;
    Split(dt, days, msec);
    t.midnight = msec == 0;
    return t;
}

}  // namespace

bool IsLeapYear(Word year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

Word DaysInAMonth(Word year, Word month)
{
    static const Word days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return static_cast<Word>(days[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0));
}

bool TryEncodeDate(Word year, Word month, Word day, TDateTime& date)
{
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInAMonth(year, month)) return false;
    date = static_cast<double>(DaysFromCivil(year, month, day) - kEpoch);
    return true;
}

bool TryEncodeTime(Word hour, Word min, Word sec, Word msec, TDateTime& time)
{
    if (hour >= 24 || min >= 60 || sec >= 60 || msec >= 1000) return false;
    time = (hour * 3600000.0 + min * 60000.0 + sec * 1000.0 + msec) / MSecsPerDay;
    return true;
}

TDateTime EncodeDate(Word year, Word month, Word day)
{
    TDateTime r = 0;
    if (!TryEncodeDate(year, month, day, r)) throw EConvertError("Invalid argument to date encode");
    return r;
}

TDateTime EncodeTime(Word hour, Word min, Word sec, Word msec)
{
    TDateTime r = 0;
    if (!TryEncodeTime(hour, min, sec, msec, r)) throw EConvertError("Invalid argument to time encode");
    return r;
}

TDateTime EncodeDateTime(Word year, Word month, Word day, Word hour, Word min, Word sec, Word msec)
{
    const TDateTime date = EncodeDate(year, month, day);
    const TDateTime time = EncodeTime(hour, min, sec, msec);
    return date < 0 ? date - time : date + time;
}

void DecodeDate(TDateTime date, Word& year, Word& month, Word& day)
{
    long days = 0, msec = 0;
    Split(date, days, msec);
    long y = 0;
    unsigned m = 0, d = 0;
    CivilFromDays(days + kEpoch, y, m, d);
    year = static_cast<Word>(y);
    month = static_cast<Word>(m);
    day = static_cast<Word>(d);
}

void DecodeTime(TDateTime time, Word& hour, Word& min, Word& sec, Word& msec)
{
    long days = 0, ms = 0;
    Split(time, days, ms);
    hour = static_cast<Word>(ms / 3600000);
    min = static_cast<Word>(ms / 60000 % 60);
    sec = static_cast<Word>(ms / 1000 % 60);
    msec = static_cast<Word>(ms % 1000);
}

void DecodeDateTime(TDateTime dt, Word& year, Word& month, Word& day, Word& hour, Word& min, Word& sec, Word& msec)
{
    DecodeDate(dt, year, month, day);
    DecodeTime(dt, hour, min, sec, msec);
}

TDateTime Now()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    tm local{};
    const time_t secs = ts.tv_sec;
    localtime_r(&secs, &local);
    return EncodeDateTime(static_cast<Word>(local.tm_year + 1900), static_cast<Word>(local.tm_mon + 1),
                          static_cast<Word>(local.tm_mday), static_cast<Word>(local.tm_hour),
                          static_cast<Word>(local.tm_min), static_cast<Word>(local.tm_sec < 60 ? local.tm_sec : 59),
                          static_cast<Word>(ts.tv_nsec / 1000000));
}

TDateTime Date() { return std::trunc(Now()); }

TDateTime Time()
{
    const TDateTime now = Now();
    return now - std::trunc(now);
}

TDateTime IncMonth(TDateTime date, int months)
{
    Word y, m, d;
    DecodeDate(date, y, m, d);
    long total = static_cast<long>(y) * 12 + (m - 1) + months;
    const long year = total / 12;
    const Word month = static_cast<Word>(total % 12 + 1);
    if (year < 1 || year > 9999) throw EConvertError("Invalid argument to date encode");
    const Word last = DaysInAMonth(static_cast<Word>(year), month);
    const TDateTime result = EncodeDate(static_cast<Word>(year), month, d > last ? last : d);
    long days = 0, msec = 0;
    Split(date, days, msec);
    const double time = msec / MSecsPerDay;
    return result < 0 ? result - time : result + time;
}

int DayOfWeek(TDateTime date)
{
    long days = 0, msec = 0;
    Split(date, days, msec);
    // 1899-12-30 was a Saturday.
    return static_cast<int>(((days + 6) % 7 + 7) % 7) + 1;
}

int DayOfTheWeek(TDateTime date) { return (DayOfWeek(date) + 5) % 7 + 1; }

String FormatDateTime(const String& picture, TDateTime dt) { return FormatDateTime(picture, dt, FormatSettings); }

String FormatDateTime(const String& picture, TDateTime dt, const TFormatSettings& fs)
{
    String out;
    const Parts t = PartsOf(dt);
    AppendFormat(out, picture.empty() ? String("c") : picture, t, fs, 0);
    return out;
}

String DateToStr(TDateTime dt, const TFormatSettings& fs) { return FormatDateTime("ddddd", dt, fs); }
String TimeToStr(TDateTime dt, const TFormatSettings& fs) { return FormatDateTime("tt", dt, fs); }
String DateTimeToStr(TDateTime dt, const TFormatSettings& fs) { return FormatDateTime("c", dt, fs); }
String DateToStr(TDateTime dt) { return DateToStr(dt, FormatSettings); }
String TimeToStr(TDateTime dt) { return TimeToStr(dt, FormatSettings); }
String DateTimeToStr(TDateTime dt) { return DateTimeToStr(dt, FormatSettings); }
