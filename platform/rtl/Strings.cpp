#include "platform/rtl/Strings.h"

#include <algorithm>
#include <cstring>

namespace {

char Up(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
char Low(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
bool Blank(char c) { return static_cast<unsigned char>(c) <= ' '; }

String ToHex(std::uint64_t v, int digits)
{
    static const char hex[] = "0123456789ABCDEF";
    char buf[32];
    int n = 0;
    do {
        buf[n++] = hex[v & 15];
        v >>= 4;
    } while (v);
    String s;
    if (digits > n) s.assign(static_cast<std::size_t>(std::min(digits, 32) - n), '0');
    while (n) s += buf[--n];
    return s;
}

}  // namespace

String Copy(const String& s, int index, int count)
{
    if (index < 1) index = 1;
    if (count <= 0 || static_cast<std::size_t>(index) > s.size()) return {};
    return s.substr(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(count));
}

int Pos(const String& sub, const String& s) { return PosEx(sub, s, 1); }

int PosEx(const String& sub, const String& s, int offset)
{
    if (sub.empty() || offset < 1 || static_cast<std::size_t>(offset) > s.size()) return 0;
    const auto p = s.find(sub, static_cast<std::size_t>(offset - 1));
    return p == String::npos ? 0 : static_cast<int>(p) + 1;
}

void Delete(String& s, int index, int count)
{
    if (index < 1 || count <= 0 || static_cast<std::size_t>(index) > s.size()) return;
    s.erase(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(count));
}

void Insert(const String& sub, String& s, int index)
{
    if (index < 1) index = 1;
    const std::size_t at = std::min(static_cast<std::size_t>(index - 1), s.size());
    s.insert(at, sub);
}

String Trim(const String& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && Blank(s[b])) ++b;
    while (e > b && Blank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

String TrimLeft(const String& s)
{
    std::size_t b = 0;
    while (b < s.size() && Blank(s[b])) ++b;
    return s.substr(b);
}

String TrimRight(const String& s)
{
    std::size_t e = s.size();
    while (e > 0 && Blank(s[e - 1])) --e;
    return s.substr(0, e);
}

String UpperCase(const String& s)
{
    String r = s;
    for (char& c : r) c = Up(c);
    return r;
}

String LowerCase(const String& s)
{
    String r = s;
    for (char& c : r) c = Low(c);
    return r;
}

int CompareStr(const String& a, const String& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    const int r = n ? std::memcmp(a.data(), b.data(), n) : 0;
    if (r) return r;
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

int CompareText(const String& a, const String& b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int ca = static_cast<unsigned char>(Up(a[i]));
        const int cb = static_cast<unsigned char>(Up(b[i]));
        if (ca != cb) return ca - cb;
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

bool SameText(const String& a, const String& b) { return a.size() == b.size() && CompareText(a, b) == 0; }
bool SameStr(const String& a, const String& b) { return a == b; }

String IntToStr(int value) { return std::to_string(value); }
String IntToStr(Int64 value) { return std::to_string(value); }
String IntToStr(long long value) { return std::to_string(value); }
String UIntToStr(std::uint64_t value) { return std::to_string(value); }

String IntToHex(int value, int digits) { return ToHex(static_cast<std::uint32_t>(value), digits); }
String IntToHex(Int64 value, int digits) { return ToHex(static_cast<std::uint64_t>(value), digits); }

String StringReplace(const String& s, const String& oldPattern, const String& newPattern, TReplaceFlags flags)
{
    if (oldPattern.empty()) return s;
    const bool all = flags & rfReplaceAll;
    const bool ignoreCase = flags & rfIgnoreCase;
    const String hay = ignoreCase ? UpperCase(s) : s;
    const String needle = ignoreCase ? UpperCase(oldPattern) : oldPattern;
    String r;
    r.reserve(s.size());
    std::size_t from = 0;
    while (true) {
        const std::size_t p = hay.find(needle, from);
        if (p == String::npos) break;
        r.append(s, from, p - from);
        r += newPattern;
        from = p + needle.size();
        if (!all) break;
    }
    r.append(s, from, String::npos);
    return r;
}

String QuotedStr(const String& s) { return AnsiQuotedStr(s, '\''); }

String AnsiQuotedStr(const String& s, char quote)
{
    String r;
    r.reserve(s.size() + 2);
    r += quote;
    for (char c : s) {
        r += c;
        if (c == quote) r += quote;
    }
    r += quote;
    return r;
}

String AnsiExtractQuotedStr(const String& s, std::size_t& pos, char quote)
{
    if (pos >= s.size() || s[pos] != quote) return {};
    String r;
    ++pos;
    while (pos < s.size()) {
        if (s[pos] == quote) {
            if (pos + 1 < s.size() && s[pos + 1] == quote) {
                r += quote;
                pos += 2;
                continue;
            }
            ++pos;
            return r;
        }
        r += s[pos++];
    }
    return r;  // unterminated: the rest of the text
}

String AnsiDequotedStr(const String& s, char quote)
{
    std::size_t pos = 0;
    if (s.empty() || s[0] != quote) return s;
    String r = AnsiExtractQuotedStr(s, pos, quote);
    return (r.empty() && pos == 0) ? s : r;
}

String StringOfChar(char c, int count) { return count > 0 ? String(static_cast<std::size_t>(count), c) : String(); }

String DupeString(const String& s, int count)
{
    String r;
    for (int i = 0; i < count; ++i) r += s;
    return r;
}

bool StartsText(const String& sub, const String& s)
{
    return s.size() >= sub.size() && SameText(s.substr(0, sub.size()), sub);
}
bool EndsText(const String& sub, const String& s)
{
    return s.size() >= sub.size() && SameText(s.substr(s.size() - sub.size()), sub);
}
bool StartsStr(const String& sub, const String& s)
{
    return s.compare(0, sub.size(), sub) == 0 && s.size() >= sub.size();
}
bool EndsStr(const String& sub, const String& s)
{
    return s.size() >= sub.size() && s.compare(s.size() - sub.size(), sub.size(), sub) == 0;
}
String IntToStr(unsigned value) { return std::to_string(value); }
String IntToStr(unsigned long value) { return std::to_string(value); }
