#include "chart/io/TextEncoding.h"

#include <array>

#include "platform/rtl/Strings.h"
#include "platform/rtl/Unicode.h"

namespace {

// Code points of windows-1252 bytes 0x80 .. 0x9F (0 where the byte is unassigned).
constexpr std::array<std::uint16_t, 32> Windows1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void appendReference(String& out, std::uint32_t code) { out += "&#" + std::to_string(code) + ";"; }

void appendUtf16(String& out, std::uint32_t code)
{
    const auto unit = [&](std::uint32_t u) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>(u >> 8);
    };
    if (code >= 0x10000) {
        code -= 0x10000;
        unit(0xD800 + (code >> 10));
        unit(0xDC00 + (code & 0x3FF));
    } else {
        unit(code);
    }
}

}  // namespace

char ToWindows1252(std::uint32_t code, char fallback)
{
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<char>(code);
    for (std::size_t i = 0; i < Windows1252High.size(); ++i)
        if (Windows1252High[i] != 0 && Windows1252High[i] == code) return static_cast<char>(0x80 + i);
    return fallback;
}

String Utf8ToWindows1252(const String& text)
{
    String result;
    result.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) result += ToWindows1252(NextUtf8CodePoint(text, at), '?');
    return result;
}

TTextEncoder XmlTextEncoder(const String& encoding)
{
    const String name = UpperCase(encoding);
    if (name == "UTF-8" || name == "UTF8") return {};
    if (name == "UTF-16" || name == "UTF-16LE")
        return [](const String& text, String& out) {
            for (std::size_t at = 0; at < text.size();) appendUtf16(out, NextUtf8CodePoint(text, at));
        };
    if (name == "WINDOWS-1252" || name == "CP1252")
        return [](const String& text, String& out) {
            for (std::size_t at = 0; at < text.size();) {
                const std::uint32_t code = NextUtf8CodePoint(text, at);
                const char byte = ToWindows1252(code, '\0');
                if (byte == '\0' && code != 0)
                    appendReference(out, code);
                else
                    out += byte;
            }
        };
    const std::uint32_t limit = name == "ISO-8859-1" || name == "LATIN1" ? 0xFF : 0x7F;
    return [limit](const String& text, String& out) {
        for (std::size_t at = 0; at < text.size();) {
            const std::uint32_t code = NextUtf8CodePoint(text, at);
            if (code <= limit)
                out += static_cast<char>(code);
            else
                appendReference(out, code);
        }
    };
}

String ByteOrderMark(const String& encoding)
{
    const String name = UpperCase(encoding);
    return name == "UTF-16" ? String("\xFF\xFE") : String();
}
