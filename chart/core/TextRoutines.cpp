#include "chart/core/TextRoutines.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Strings.h"

String FieldSeparator;
TTextTranslationHook TextTranslationHook;

namespace {

String swapSeparators(const String& text, char comma, char point)
{
    String result = text;
    for (char& c : result) {
        if (c == ',')
            c = comma;
        else if (c == '.')
            c = point;
    }
    return result;
}

}  // namespace

String LocalizeNumberText(const String& text)
{
    const char thousands = FormatSettings.ThousandSeparator;
    const char decimal = FormatSettings.DecimalSeparator;
    if (thousands == decimal) return text;
    return swapSeparators(text, thousands, decimal);
}

String DelocalizeNumberText(const String& text)
{
    const char thousands = FormatSettings.ThousandSeparator;
    const char decimal = FormatSettings.DecimalSeparator;
    if (thousands == decimal) return text;
    String result = text;
    for (char& c : result) {
        if (c == thousands)
            c = ',';
        else if (c == decimal)
            c = '.';
    }
    return result;
}

String SubstituteChar(const String& text, char ch, char replacement)
{
    if (replacement == ch) return text;
    String result;
    result.reserve(text.size());
    for (char c : text) {
        if (c != ch)
            result += c;
        else if (replacement != '\0')
            result += replacement;
    }
    return result;
}

int FieldCount(const String& text)
{
    if (text.empty()) return 0;
    if (FieldSeparator.empty()) return 1;
    int count = 1;
    String::size_type at = 0;
    while ((at = text.find(FieldSeparator, at)) != String::npos) {
        at += FieldSeparator.size();
        if (at < text.size()) ++count;
    }
    return count;
}

String PickField(const String& text, int n)
{
    if (text.empty() || n < 1) return {};
    if (FieldSeparator.empty()) return n == 1 ? text : String();
    String::size_type start = 0;
    for (int field = 1; field < n; ++field) {
        const auto at = text.find(FieldSeparator, start);
        if (at == String::npos) return {};
        start = at + FieldSeparator.size();
    }
    if (start >= text.size()) return {};
    const auto end = text.find(FieldSeparator, start);
    return text.substr(start, end == String::npos ? String::npos : end - start);
}

namespace {

// Sets the separator for one call and restores it however the call ends.
class SeparatorScope {
public:
    explicit SeparatorScope(const String& separator) : saved_(FieldSeparator) { FieldSeparator = separator; }
    ~SeparatorScope() { FieldSeparator = saved_; }
    SeparatorScope(const SeparatorScope&) = delete;
    SeparatorScope& operator=(const SeparatorScope&) = delete;

private:
    String saved_;
};

}  // namespace

int FieldCountWith(const String& text, const String& separator)
{
    SeparatorScope scope(separator);
    return FieldCount(text);
}

String PickFieldWith(const String& text, const String& separator, int n)
{
    SeparatorScope scope(separator);
    return PickField(text, n);
}

String StripFileExtension(const String& fileName)
{
    const String extension = ExtractFileExt(fileName);
    return fileName.substr(0, fileName.size() - extension.size());
}

bool HasUrlPrefix(const String& text)
{
    const String upper = UpperCase(Trim(text));
    return upper.find("HTTP://") != String::npos || upper.find("FTP://") != String::npos;
}

String IntegerToText(int value) { return std::to_string(value); }

int FindSubText(const String& sub, const String& text)
{
    if (sub.empty()) return 0;
    const auto at = text.find(sub);
    return at == String::npos ? 0 : static_cast<int>(at) + 1;
}

String LocalizeText(const String& text) { return TextTranslationHook ? TextTranslationHook(text) : text; }
