#include "chart/io/MarkupText.h"

#include "platform/rtl/Format.h"

namespace {

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

String MarkupName(const String& name)
{
    String result;
    for (const char c : name)
        result += isAsciiLetter(c) || isAsciiDigit(c) || c == '_' || c == '-' || c == '.' ? c : '_';
    if (result.empty() || !(isAsciiLetter(result[0]) || result[0] == '_')) result.insert(0, "_");
    return result;
}

String EscapeJsonString(const String& text)
{
    String result;
    result.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '"': result += "\\\""; break;
        case '\\': result += "\\\\"; break;
        case '\b': result += "\\b"; break;
        case '\f': result += "\\f"; break;
        case '\n': result += "\\n"; break;
        case '\r': result += "\\r"; break;
        case '\t': result += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20)
                result += Format("\\u%.4x", {static_cast<int>(c)});
            else
                result += c;
        }
    }
    return result;
}
