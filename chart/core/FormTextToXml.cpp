#include "chart/core/FormTextToXml.h"

#include <cstdint>
#include <vector>

#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/Unicode.h"

String XmlEncodingName() { return SystemLanguage() == "ja" ? "shift_jis" : "ISO-8859-1"; }

String XmlHeader(const String& encoding)
{
    String header = "<?xml version=\"1.0\"";
    if (!encoding.empty()) header += " encoding=\"" + encoding + "\"";
    return header + "?>";
}

String EscapeXmlText(const String& text)
{
    String result;
    result.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': result += "&amp;"; break;
        case '<': result += "&lt;"; break;
        case '>': result += "&gt;"; break;
        case '"': result += "&quot;"; break;
        case '\'': result += "&apos;"; break;
        case '\t': result += "&#9;"; break;
        case '\n': result += "&#10;"; break;
        case '\r': result += "&#13;"; break;
        default:
            // XML cannot carry the other control characters, not even as references.
            if (static_cast<unsigned char>(c) < 0x20)
                result += "\xEF\xBF\xBD";
            else
                result += c;
        }
    }
    return result;
}

String TStringsStack::Pop()
{
    if (Count() == 0) return {};
    String last = Strings(Count() - 1);
    Delete(Count() - 1);
    return last;
}

namespace {

// The XML text in the declared encoding: ISO-8859-1 takes code points up to U+00FF as one byte;
// Shift_JIS only ASCII. Everything else becomes a character reference.
String encodeText(const String& utf8, const String& encoding)
{
    const std::uint32_t limit = encoding == "ISO-8859-1" ? 0xFF : 0x7F;
    String result;
    result.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        std::uint32_t code = NextUtf8CodePoint(utf8, at);
        if (code == 0xFFFE || code == 0xFFFF) code = 0xFFFD;  // no XML character, not even as a reference
        if (code <= limit)
            result += static_cast<char>(code);
        else
            result += "&#" + std::to_string(code) + ";";
    }
    return result;
}

bool sameText(const String& a, const char* b) { return UpperCase(a) == b; }

// One conversion: the input lines, the output lines and the open elements.
class Converter {
public:
    explicit Converter(std::vector<String> lines) : lines_(std::move(lines)) {}

    std::vector<String> Run()
    {
        while (next_ < lines_.size()) {
            const String line = Trim(lines_[next_++]);
            if (line.empty()) continue;
            if (line.size() >= 6 && sameText(line.substr(0, 6), "OBJECT"))
                objectLine(Trim(line.substr(6)));
            else if (sameText(line, "END"))
                endLine();
            else
                propertyLine(line);
        }
        // A text cut short still gives well-formed XML.
        closePaths(0);
        while (objects_.Count() > 0) close(objects_.Pop());
        return std::move(out_);
    }

private:
    void write(const String& text) { out_.push_back(String(static_cast<std::size_t>(depth_) * 2, ' ') + text); }
    void open(const String& name, const String& attributes = {})
    {
        write("<" + name + attributes + ">");
        ++depth_;
    }
    void close(const String& name)
    {
        --depth_;
        write("</" + name + ">");
    }
    void empty(const String& name, const String& attributes) { write("<" + name + attributes + "/>"); }
    static String valueAttribute(const String& value) { return " value=\"" + EscapeXmlText(value) + "\""; }

    // The next line that is not blank, trimmed ("" at the end); consumed only when take is set.
    String peek()
    {
        for (std::size_t i = next_; i < lines_.size(); ++i) {
            String line = Trim(lines_[i]);
            if (!line.empty()) return line;
        }
        return {};
    }
    String take()
    {
        while (next_ < lines_.size()) {
            String line = Trim(lines_[next_++]);
            if (!line.empty()) return line;
        }
        return {};
    }

    void objectLine(const String& rest)
    {
        // The object's elements nest inside its parent, not inside a property path left open.
        closePaths(0);
        const auto colon = rest.find(':');
        String element = rest;
        String attributes;
        if (colon != String::npos) {
            element = Trim(rest.substr(colon + 1));
            attributes = " Name=\"" + EscapeXmlText(Trim(rest.substr(0, colon))) + "\"";
        }
        if (!isName(element) || element.find('.') != String::npos) {
            empty("String", valueAttribute("object " + rest));  // no class name: kept as text
            return;
        }
        if (sameText(peek(), "END")) {
            take();
            empty(element, attributes);
            return;
        }
        open(element, attributes);
        objects_.Push(element);
    }

    void endLine()
    {
        closePaths(0);
        if (objects_.Count() > 0) close(objects_.Pop());
    }

    void closePaths(int fromDepth)
    {
        while (paths_.Count() > fromDepth) close(paths_.Pop());
    }

    // The path elements of a dotted property name ("Title.Font.Color": Title, Font).
    void openPath(const String& name)
    {
        std::vector<String> segments;
        for (std::size_t start = 0;;) {
            const auto dot = name.find('.', start);
            if (dot == String::npos) break;
            segments.push_back(name.substr(start, dot - start));
            start = dot + 1;
        }
        int depth = 0;
        for (const String& segment : segments) {
            if (depth < paths_.Count() && paths_.Strings(depth) == segment) {
                ++depth;
                continue;
            }
            closePaths(depth);
            open(segment);
            paths_.Push(segment);
            ++depth;
        }
        closePaths(depth);
    }

    bool more() const { return next_ < lines_.size(); }

    // A value continued on the next lines, as one: a string longer than a line starts on the next
    // line and each of its pieces but the last ends with "+"; binary data runs from "{" to "}"
    // (its lines joined without blanks); a set runs to its "]".
    String joinedValue(String value)
    {
        if (value.empty()) value = take();
        if (value.starts_with('{')) {
            while (!value.ends_with('}') && more()) value += take();
        } else if (value.starts_with('[')) {
            while (!value.ends_with(']') && more()) value += " " + take();
        } else {
            while (value.ends_with('+') && more()) value += " " + take();
        }
        return value;
    }

    // Property names are identifiers joined by dots; anything else is no element name.
    static bool isName(const String& name)
    {
        if (name.empty()) return false;
        bool start = true;
        for (const char c : name) {
            const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
            const bool digit = c >= '0' && c <= '9';
            if (c == '.') {
                if (start) return false;
                start = true;
            } else if (letter || (digit && !start)) {
                start = false;
            } else {
                return false;
            }
        }
        return !start;
    }

    void propertyLine(const String& line)
    {
        const auto equals = line.find('=');
        const String name = Trim(line.substr(0, equals));
        if (equals == String::npos || !isName(name)) {
            // Not a property: kept as a text element rather than lost.
            closePaths(0);
            empty("String", valueAttribute(line));
            return;
        }
        openPath(name);
        property(name, Trim(line.substr(equals + 1)));
    }

    void property(const String& name, const String& value)
    {
        if (value == "(")
            list(name);
        else if (value == "<")
            collection(name);
        else if (value == "<>")
            empty(name, valueAttribute(""));
        else
            empty(name, valueAttribute(joinedValue(value)));
    }

    // A list's items, one per line; an item may be a string continued on the next lines.
    void list(const String& name)
    {
        open(name);
        while (more()) {
            String item = take();
            while (item.ends_with('+') && more()) item += " " + take();
            const bool last = item.empty() || item.back() == ')';
            if (!item.empty() && item.back() == ')') item.pop_back();
            item = Trim(item);
            if (!item.empty() || !last) empty("String", valueAttribute(item));
            if (last) break;
        }
        close(name);
    }

    static bool isItemLine(const String& line)
    {
        return line.size() >= 4 && sameText(line.substr(0, 4), "ITEM") && (line.size() == 4 || line[4] == ' ');
    }

    void collection(const String& name)
    {
        open(name);
        TStringsStack items;
        while (next_ < lines_.size()) {
            const String line = take();
            if (line.empty()) break;
            if (isItemLine(line)) {
                open("item");
                items.Push("item");
            } else if (sameText(line, "END") || sameText(line, "END>")) {
                if (items.Count() > 0) close(items.Pop());
                if (sameText(line, "END>")) break;
            } else {
                const auto equals = line.find('=');
                const String itemName = Trim(line.substr(0, equals));
                if (equals == String::npos || !isName(itemName))
                    empty("String", valueAttribute(line));
                else
                    property(itemName, Trim(line.substr(equals + 1)));
            }
        }
        while (items.Count() > 0) close(items.Pop());
        close(name);
    }

    std::vector<String> lines_;
    std::size_t next_ = 0;
    std::vector<String> out_;
    int depth_ = 0;
    TStringsStack objects_;
    TStringsStack paths_;
};

std::vector<String> splitLines(const String& text)
{
    std::vector<String> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find_first_of("\r\n", start);
        if (end == String::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++end;
        start = end + 1;
    }
    return lines;
}

}  // namespace

void ConvertFormTextToXml(TStream& stream, bool header)
{
    stream.SetPosition(0);
    String text(static_cast<std::size_t>(stream.Size()), '\0');
    stream.ReadBuffer(text.data(), static_cast<std::int64_t>(text.size()));

    const String encoding = XmlEncodingName();
    String xml;
    if (header) xml += XmlHeader(encoding) + "\r\n";
    for (const String& line : Converter(splitLines(text)).Run()) xml += line + "\r\n";
    xml = encodeText(xml, encoding);

    stream.SetPosition(0);
    stream.WriteBuffer(xml.data(), static_cast<std::int64_t>(xml.size()));
    stream.SetSize(static_cast<std::int64_t>(xml.size()));
}
