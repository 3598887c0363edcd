#include "platform/rtl/Unicode.h"

void AppendUtf8(String& out, std::uint32_t cp)
{
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

String Utf16ToUtf8(const std::uint16_t* units, std::size_t count)
{
    String out;
    out.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t cp = units[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (units[i + 1] - 0xDC00);
            ++i;
        }
        AppendUtf8(out, cp);
    }
    return out;
}

String Latin1ToUtf8(const String& bytes)
{
    String out;
    out.reserve(bytes.size());
    for (char c : bytes) AppendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

std::uint32_t NextUtf8CodePoint(const String& text, std::size_t& at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    const int length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (length <= 1 || at + static_cast<std::size_t>(length) > text.size()) {
        ++at;
        return lead;
    }
    std::uint32_t code = lead & (0x7Fu >> length);
    for (int i = 1; i < length; ++i) {
        const unsigned char c = byte(at + static_cast<std::size_t>(i));
        if ((c >> 6) != 2) {
            ++at;
            return lead;
        }
        code = (code << 6) | (c & 0x3F);
    }
    // An overlong form would smuggle markup ("\xC0\xBC" is '<') past byte-wise escapes; surrogates
    // and values beyond U+10FFFF are no characters.
    static constexpr std::uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
        ++at;
        return lead;
    }
    at += static_cast<std::size_t>(length);
    return code;
}
