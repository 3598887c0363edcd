#include "platform/rtl/FormatSettings.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/rtl/FormatSettings_p.h"

namespace {

// A separator of the locale as one byte: multi-byte ones (e.g. U+202F) become a blank.
char SingleByte(const char* s, char fallback)
{
    if (!s || !*s) return fallback;
    if (static_cast<unsigned char>(s[0]) < 0x80 && s[1] == '\0') return s[0];
    return ' ';
}

}  // namespace

namespace rtl_detail {

String StrftimeToPicture(const char* fmt, char placeholder, char& separator)
{
    String r;
    String literal;
    auto flush = [&] {
        if (literal.empty()) return;
        r += '"';
        r += literal;
        r += '"';
        literal.clear();
    };
    for (const char* p = fmt; p && *p; ++p) {
        if (*p != '%') {
            if (*p == '/' || *p == '.' || *p == '-' || *p == ':') {
                flush();
                separator = *p;
                r += placeholder;
            } else if (*p != '"') {
                literal += *p;
            }
            continue;
        }
        flush();
        ++p;
        while (*p == 'E' || *p == 'O' || *p == '-' || *p == '_' || *p == '0' || *p == '^' || *p == '#') ++p;
        switch (*p) {
        case 'd': r += "dd"; break;
        case 'e': r += "d"; break;
        case 'm': r += "mm"; break;
        case 'b':
        case 'h': r += "mmm"; break;
        case 'B': r += "mmmm"; break;
        case 'y': r += "yy"; break;
        case 'Y': r += "yyyy"; break;
        case 'a': r += "ddd"; break;
        case 'A': r += "dddd"; break;
        case 'H':
        case 'I': r += "hh"; break;
        case 'k':
        case 'l': r += "h"; break;
        case 'M': r += "nn"; break;
        case 'S': r += "ss"; break;
        case 'p':
        case 'P': r += "AMPM"; break;
        case 'R': r += "hh:nn"; break;
        case 'r': r += "hh:nn:ss AMPM"; break;
        case 'D':
            r += "mm/dd/yy";
            separator = '/';
            break;
        case 'F':
            r += "yyyy/mm/dd";
            separator = '-';
            break;
        case 'T':
            r += "hh:nn:ss";
            separator = ':';
            break;
        case '%': literal += '%'; break;
        case 't':
        case 'n': literal += ' '; break;
        case '\0': flush(); return r;
        default: break;  // fields without a picture letter (time zone, week numbers) are left out
        }
    }
    flush();
    return r;
}

}  // namespace rtl_detail

namespace {

using rtl_detail::StrftimeToPicture;

TFormatSettings FromLocale(locale_t loc)
{
    TFormatSettings fs;
    fs.DecimalSeparator = SingleByte(nl_langinfo_l(RADIXCHAR, loc), '.');
    if (fs.DecimalSeparator == ' ') fs.DecimalSeparator = '.';
    fs.ThousandSeparator = SingleByte(nl_langinfo_l(THOUSEP, loc), fs.DecimalSeparator == ',' ? '.' : ',');
    if (fs.ThousandSeparator == fs.DecimalSeparator) fs.ThousandSeparator = fs.DecimalSeparator == ',' ? '.' : ',';

    char dateSep = '/';
    const String shortDate = StrftimeToPicture(nl_langinfo_l(D_FMT, loc), '/', dateSep);
    if (!shortDate.empty()) {
        fs.ShortDateFormat = shortDate;
        fs.DateSeparator = dateSep;
    }
    char timeSep = ':';
    const String longTime = StrftimeToPicture(nl_langinfo_l(T_FMT, loc), ':', timeSep);
    if (!longTime.empty()) {
        fs.LongTimeFormat = longTime;
        fs.TimeSeparator = timeSep;
        // The short form drops the seconds.
        String shortTime = longTime;
        const auto p = shortTime.find(":ss");
        if (p != String::npos) shortTime.erase(p, 3);
        fs.ShortTimeFormat = shortTime;
    }
    const char* am = nl_langinfo_l(AM_STR, loc);
    const char* pm = nl_langinfo_l(PM_STR, loc);
    if (am && *am) fs.TimeAMString = am;
    if (pm && *pm) fs.TimePMString = pm;
    for (int i = 0; i < 12; ++i) {
        const char* s = nl_langinfo_l(static_cast<nl_item>(ABMON_1 + i), loc);
        const char* l = nl_langinfo_l(static_cast<nl_item>(MON_1 + i), loc);
        if (s && *s) fs.ShortMonthNames[i] = s;
        if (l && *l) fs.LongMonthNames[i] = l;
    }
    for (int i = 0; i < 7; ++i) {
        const char* s = nl_langinfo_l(static_cast<nl_item>(ABDAY_1 + i), loc);
        const char* l = nl_langinfo_l(static_cast<nl_item>(DAY_1 + i), loc);
        if (s && *s) fs.ShortDayNames[i] = s;
        if (l && *l) fs.LongDayNames[i] = l;
    }
    // The week start date comes back as a number in place of the string pointer.
    const char* weekStart = nl_langinfo_l(_NL_TIME_WEEK_1STDAY, loc);
    const char* firstWeekday = nl_langinfo_l(_NL_TIME_FIRST_WEEKDAY, loc);
    fs.FirstDayOfWeek = TFormatSettings::FirstDayOfWeekFrom(
        static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(weekStart)), firstWeekday ? firstWeekday[0] : 0);
    const char* currency = nl_langinfo_l(CRNCYSTR, loc);  // leading '-', '+' or '.' gives the position
    if (currency && currency[0] && currency[1]) {
        fs.CurrencyString = currency + 1;
        fs.CurrencyFormat = currency[0] == '+' ? 3 : 0;
        fs.NegCurrFormat = currency[0] == '+' ? 8 : 1;
    }
    return fs;
}

bool IsPosixName(const char* name)
{
    return !name || !*name || std::strcmp(name, "C") == 0 || std::strcmp(name, "POSIX") == 0 ||
           std::strncmp(name, "C.", 2) == 0;
}

}  // namespace

TFormatSettings TFormatSettings::Invariant() { return TFormatSettings(); }

int TFormatSettings::FirstDayOfWeekFrom(unsigned weekStartDate, int firstWeekday)
{
    const int y = static_cast<int>(weekStartDate / 10000), m = static_cast<int>(weekStartDate / 100 % 100),
              d = static_cast<int>(weekStartDate % 100);
    if (y < 1 || m < 1 || m > 12 || d < 1 || d > 31 || firstWeekday < 1 || firstWeekday > 7) return 0;
    // Days from 1970-01-01 (a Thursday, 3 counted from Monday) of the civil date.
    const int yy = m <= 2 ? y - 1 : y;
    const int era = (yy >= 0 ? yy : yy - 399) / 400;
    const int yoe = yy - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long days = era * 146097L + yoe * 365L + yoe / 4 - yoe / 100 + doy - 719468L;
    const int startWeekday = static_cast<int>(((days + 3) % 7 + 7) % 7);
    return (startWeekday + firstWeekday - 1) % 7;
}

TFormatSettings TFormatSettings::FromEnvironment()
{
    // Only the environment decides (never the process's current C locale, which other code may change).
    const char* all = std::getenv("LC_ALL");
    const char* numeric = std::getenv("LC_NUMERIC");
    const char* lang = std::getenv("LANG");
    const char* effective = (all && *all) ? all : ((numeric && *numeric) ? numeric : lang);
    if (IsPosixName(effective)) return Invariant();
    locale_t loc = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(nullptr));
    if (!loc) return Invariant();
    TFormatSettings fs = FromLocale(loc);
    freelocale(loc);
    return fs;
}

String SystemLanguage()
{
    const char* names[] = {std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG")};
    for (const char* name : names) {
        if (!name || !*name) continue;
        if (IsPosixName(name)) return {};
        String language(name);
        const auto end = language.find_first_of("_.@");
        if (end != String::npos) language.resize(end);
        return language;
    }
    return {};
}

TFormatSettings FormatSettings = TFormatSettings::FromEnvironment();
