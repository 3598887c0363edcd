#include "platform/classes/ObjectText.h"

#include <locale.h>
#include <strings.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/classes/Component.h"
#include "platform/classes/Filer.h"
#include "platform/classes/StreamValues_p.h"

namespace {

constexpr int kLineLength = 64;    // characters of a string per line
constexpr int kBytesPerLine = 32;  // bytes of a binary value per line
constexpr int kMaxNesting = 200;
const char* const kEol = "\r\n";

bool sameText(const String& a, const char* b)
{
    return a.size() == std::strlen(b) && strncasecmp(a.c_str(), b, a.size()) == 0;
}

// ---- floats ----------------------------------------------------------------------------------

// The shortest digits that read back to the same value of F, in fixed notation from 1e-4 up to
// 1e15 (always with a fraction, so the number stays a float), else as d.dddE+n. Finite v only.
template <typename F>
String floatLiteral(F v)
{
    if (v == 0) return std::signbit(v) ? "-0.0" : "0.0";
    char buf[64];
    const auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific).ptr;
    const std::string_view s(buf, static_cast<size_t>(end - buf));  // "-d.ddde+nn"
    const bool negative = s[0] == '-';
    const size_t e = s.find('e');
    String digits;
    for (char c : s.substr(negative ? 1 : 0, e - (negative ? 1 : 0)))
        if (c != '.') digits += c;
    int exp = 0;
    std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), exp);
    String out = negative ? "-" : "";
    if (exp >= -4 && exp < 15) {
        const size_t whole = static_cast<size_t>(std::max(exp + 1, 0));
        if (exp < 0)
            out += "0." + String(static_cast<size_t>(-exp - 1), '0') + digits;
        else if (digits.size() <= whole)
            out += digits + String(whole - digits.size(), '0') + ".0";
        else
            out += digits.substr(0, whole) + "." + digits.substr(whole);
    } else {
        out += digits[0];
        if (digits.size() > 1) out += "." + digits.substr(1);
        out += exp < 0 ? "E-" : "E+";
        out += std::to_string(std::abs(exp));
    }
    return out;
}

// Reads a literal the lexer has checked, correctly rounded to F whatever the process locale.
// False when it overflows F; an underflow keeps the nearest value (a denormal or zero).
template <typename F>
bool parseFloat(const String& text, F& out)
{
    static const locale_t c = newlocale(LC_ALL_MASK, "C", nullptr);
    char* end = nullptr;
    if constexpr (std::is_same_v<F, float>)
        out = strtof_l(text.c_str(), &end, c);
    else if constexpr (std::is_same_v<F, double>)
        out = strtod_l(text.c_str(), &end, c);
    else
        out = strtold_l(text.c_str(), &end, c);
    return end == text.c_str() + text.size() && !std::isinf(out);
}

// Code points to UTF-8; a UTF-16 pair given as two codes (#55357#56832) is the one character
// it encodes.
String utf8Of(const std::vector<std::uint32_t>& codes)
{
    String out;
    for (size_t i = 0; i < codes.size(); ++i) {
        std::uint32_t c = codes[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < codes.size() && codes[i + 1] >= 0xDC00 && codes[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (codes[i + 1] - 0xDC00);
            ++i;
        }
        tv_stream::AppendUtf8(out, c);
    }
    return out;
}

// ---- binary -> text --------------------------------------------------------------------------

// Names in a stream must read back as names: identifiers, dotted where a path is allowed.
bool isIdent(const String& s, bool dotted)
{
    if (s.empty()) return false;
    bool start = true;
    for (char ch : s) {
        const auto c = static_cast<unsigned char>(ch);
        if (start) {
            if (!(isalpha(c) || c == '_') || c >= 0x80) return false;
            start = false;
        } else if (c == '.' && dotted) {
            start = true;
        } else if (!(isalnum(c) || c == '_') || c >= 0x80) {
            return false;
        }
    }
    return !start;
}

String checkedName(String s, bool dotted, bool mayBeEmpty = false)
{
    if (s.empty() && mayBeEmpty) return s;
    if (!isIdent(s, dotted)) throw EReadError("Invalid name '" + s + "' in stream");
    return s;
}

class BinaryToText {
public:
    BinaryToText(TStream& in) : reader_(in) {}

    String Run()
    {
        reader_.ReadSignature();
        convertObject(0);
        return out_;
    }

private:
    void indent(int n) { out_.append(static_cast<size_t>(n), ' '); }
    void newLine(int n)
    {
        out_ += kEol;
        indent(n);
    }

    void enter()
    {
        if (++depth_ > kMaxNesting) throw EReadError("Stream nesting too deep");
    }

    void convertObject(int level)
    {
        enter();
        TFilerFlags flags;
        int pos = 0;
        reader_.ReadPrefix(flags, pos);
        indent(level * 2);
        if (flags.Contains(ffInherited))
            out_ += "inherited ";
        else if (flags.Contains(ffInline))
            out_ += "inline ";
        else
            out_ += "object ";
        const String className = checkedName(reader_.ReadStr(), false);
        const String name = checkedName(reader_.ReadStr(), false, true);
        const String outer = context_;
        context_ = name.empty() ? className : name;
        if (!name.empty()) out_ += name + ": ";
        out_ += className;
        if (flags.Contains(ffChildPos)) out_ += " [" + std::to_string(pos) + "]";
        out_ += kEol;
        while (!reader_.EndOfList()) convertProperty(level * 2 + 2);
        reader_.ReadValue();
        while (!reader_.EndOfList()) convertObject(level + 1);
        reader_.ReadValue();
        indent(level * 2);
        out_ += "end";
        out_ += kEol;
        context_ = outer;
        --depth_;
    }

    void convertProperty(int ind)
    {
        indent(ind);
        const String name = checkedName(reader_.ReadStr(), true);
        // Words that open or close a block can not be property names in the text.
        for (const char* word : {"object", "inherited", "inline", "end"})
            if (sameText(name, word)) throw EReadError("Invalid name '" + name + "' in stream");
        out_ += name;
        out_ += " = ";
        const String outer = place_;
        place_ = context_ + "." + name;
        convertValue(ind);
        place_ = outer;
        out_ += kEol;
    }

    // Infinities and NaN have no literal another reader of the text form would take as a
    // number: refused here rather than written as a name the component can not load.
    template <typename F>
    String floatText(F v, const char* suffix) const
    {
        if (std::isnan(v)) throw EWriteError("Error writing " + place_ + ": NaN has no text form");
        if (std::isinf(v)) throw EWriteError("Error writing " + place_ + ": an infinite value has no text form");
        return floatLiteral(v) + suffix;
    }

    void convertString(const String& s, int ind)
    {
        const auto cps = tv_stream::CodePoints(s);
        const size_t len = cps.size();
        if (len == 0) {
            out_ += "''";
            return;
        }
        const int cont = ind + 2;
        if (len > static_cast<size_t>(kLineLength)) newLine(cont);
        size_t i = 0, k = 0;
        while (i < len) {
            bool lineBreak = false;
            const std::uint32_t c = cps[i];
            if (c >= ' ' && c != '\'' && c <= 127) {
                const size_t j = i;
                do {
                    ++i;
                } while (i < len && cps[i] >= ' ' && cps[i] != '\'' && cps[i] <= 127 &&
                         i - k < static_cast<size_t>(kLineLength));
                if (i - k >= static_cast<size_t>(kLineLength)) lineBreak = true;
                out_ += '\'';
                for (size_t x = j; x < i; ++x) out_ += static_cast<char>(cps[x]);
                out_ += '\'';
            } else {
                out_ += '#';
                out_ += std::to_string(c);
                ++i;
                if (i - k >= static_cast<size_t>(kLineLength)) lineBreak = true;
            }
            if (lineBreak && i < len) {
                out_ += " +";
                newLine(cont);
                k = i;
            }
        }
    }

    void convertValue(int ind)
    {
        enter();
        switch (reader_.NextValue()) {
        case vaList: {
            reader_.ReadValue();
            out_ += '(';
            while (!reader_.EndOfList()) {
                newLine(ind + 2);
                convertValue(ind + 2);
            }
            reader_.ReadValue();
            out_ += ')';
            break;
        }
        case vaInt8:
        case vaInt16:
        case vaInt32:
        case vaInt64: out_ += std::to_string(reader_.ReadInt64()); break;
        // Doubles have no literal of their own: written as the extended value they widen to.
        case vaExtended:
        case vaDouble: out_ += floatText(reader_.ReadFloat(), ""); break;
        case vaSingle: out_ += floatText(reader_.ReadSingle(), "s"); break;
        case vaCurrency: out_ += std::to_string(reader_.ReadCurrency()) + "c"; break;  // raw, value * 10000
        case vaDate: out_ += floatText(reader_.ReadDate(), "d"); break;
        case vaString:
        case vaLString:
        case vaWString:
        case vaUTF8String: convertString(reader_.ReadString(), ind); break;
        case vaIdent:
        case vaFalse:
        case vaTrue:
        case vaNil:
        case vaNull: out_ += checkedName(reader_.ReadIdent(), true); break;
        case vaBinary: {
            std::vector<Byte> bytes;
            reader_.ReadBinary(bytes);
            out_ += '{';
            static const char* hex = "0123456789ABCDEF";
            for (size_t at = 0; at < bytes.size(); at += kBytesPerLine) {
                newLine(ind + 2);
                const size_t end = std::min(bytes.size(), at + kBytesPerLine);
                for (size_t b = at; b < end; ++b) {
                    out_ += hex[bytes[b] >> 4];
                    out_ += hex[bytes[b] & 15];
                }
            }
            out_ += '}';
            break;
        }
        case vaSet: {
            reader_.ReadValue();
            out_ += '[';
            bool first = true;
            for (;;) {
                const String name = reader_.ReadStr();
                if (name.empty()) break;
                checkedName(name, false);
                if (!first) out_ += ", ";
                out_ += name;
                first = false;
            }
            out_ += ']';
            break;
        }
        case vaCollection: {
            reader_.ReadValue();
            out_ += '<';
            const String outer = context_;
            context_ = place_;
            while (!reader_.EndOfList()) {
                newLine(ind + 2);
                out_ += "item";
                const TValueType v = reader_.NextValue();
                if (v == vaInt8 || v == vaInt16 || v == vaInt32) {
                    out_ += " [";
                    out_ += std::to_string(reader_.ReadInt64());
                    out_ += ']';
                }
                out_ += kEol;
                if (reader_.ReadValue() != vaList) throw EReadError("Invalid stream format");
                while (!reader_.EndOfList()) convertProperty(ind + 4);
                reader_.ReadValue();
                indent(ind + 2);
                out_ += "end";
            }
            context_ = outer;
            reader_.ReadValue();
            out_ += '>';
            break;
        }
        }
        --depth_;
    }

    TReader reader_;
    String out_;
    String context_;  // the object or collection whose properties are being written
    String place_;    // "Shape1.Items.Weight": the property whose value is being written
    int depth_ = 0;
};

// ---- text -> binary --------------------------------------------------------------------------

enum TokenKind { tkEof, tkSymbol, tkString, tkInteger, tkFloat, tkChar };

class Parser {
public:
    explicit Parser(String text) : s_(std::move(text))
    {
        if (s_.size() >= 3 && s_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;
        Next();
    }

    TokenKind Kind() const { return kind_; }
    const String& Text() const { return text_; }  // symbol text, or a number's digits
    // A string's characters, UTF-16 halves given as #codes still apart.
    const std::vector<std::uint32_t>& Codes() const { return codes_; }
    char Char() const { return ch_; }  // tkChar
    char FloatSuffix() const { return suffix_; }
    int Line() const { return tokenLine_; }
    Int64 IntValue() const { return int_; }

    [[noreturn]] void Error(const String& message) const
    {
        throw EParserError(message + " on line " + std::to_string(tokenLine_));
    }
    void CheckChar(char c) const
    {
        if (kind_ != tkChar || ch_ != c) Error(String("'") + c + "' expected");
    }
    void CheckSymbol() const
    {
        if (kind_ != tkSymbol) Error("Identifier expected");
    }
    // A plain name: no dotted path.
    void CheckName() const
    {
        CheckSymbol();
        if (text_.find('.') != String::npos) Error("Identifier expected");
    }
    bool IsChar(char c) const { return kind_ == tkChar && ch_ == c; }
    bool IsSymbol(const char* word) const { return kind_ == tkSymbol && sameText(text_, word); }

    void Next()
    {
        skipBlanks();
        tokenLine_ = line_;
        text_.clear();
        suffix_ = 0;
        if (pos_ >= s_.size()) {
            kind_ = tkEof;
            return;
        }
        const char c = s_[pos_];
        if (isIdentStart(c)) {
            const size_t start = pos_;
            // Dotted paths: each part starts like an identifier.
            while (pos_ < s_.size() && (isIdentStart(s_[pos_]) || isdigit(static_cast<unsigned char>(s_[pos_])) ||
                                        (s_[pos_] == '.' && pos_ + 1 < s_.size() && isIdentStart(s_[pos_ + 1]))))
                ++pos_;
            text_ = s_.substr(start, pos_ - start);
            kind_ = tkSymbol;
            return;
        }
        if (c == '\'' || c == '#') {
            readString();
            return;
        }
        if (c == '$') {
            ++pos_;
            const size_t start = pos_;
            while (pos_ < s_.size() && isxdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
            if (pos_ == start || pos_ - start > 16) Error("Invalid integer value");
            int_ = static_cast<Int64>(std::stoull(s_.substr(start, pos_ - start), nullptr, 16));
            kind_ = tkInteger;
            return;
        }
        if (c == '-' || isdigit(static_cast<unsigned char>(c))) {
            readNumber();
            return;
        }
        ch_ = c;
        ++pos_;
        kind_ = tkChar;
    }

    // Hex digits up to '}' (blanks and line breaks allowed between them).
    std::vector<Byte> ReadHex()
    {
        std::vector<Byte> out;
        int half = -1;
        while (true) {
            if (pos_ >= s_.size()) Error("Invalid binary value");
            const char c = s_[pos_++];
            if (c == '}') break;
            if (c == '\n') {
                ++line_;
                continue;
            }
            if (static_cast<unsigned char>(c) <= ' ') continue;
            int v;
            if (c >= '0' && c <= '9')
                v = c - '0';
            else if (c >= 'A' && c <= 'F')
                v = c - 'A' + 10;
            else if (c >= 'a' && c <= 'f')
                v = c - 'a' + 10;
            else
                Error("Invalid binary value");
            if (half < 0)
                half = v;
            else {
                out.push_back(static_cast<Byte>(half * 16 + v));
                half = -1;
            }
        }
        if (half >= 0) Error("Invalid binary value");
        Next();
        return out;
    }

private:
    static bool isIdentStart(char c) { return isalpha(static_cast<unsigned char>(c)) || c == '_'; }

    void skipBlanks()
    {
        while (pos_ < s_.size()) {
            const char c = s_[pos_];
            if (c == '\n') ++line_;
            if (static_cast<unsigned char>(c) > ' ') break;
            ++pos_;
        }
    }

    void readNumber()
    {
        const size_t start = pos_;
        if (s_[pos_] == '-') ++pos_;
        bool isFloat = false;
        const size_t digits = pos_;
        while (pos_ < s_.size() && isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
        if (pos_ == digits) Error("Number expected");
        if (pos_ < s_.size() && s_[pos_] == '.') {
            isFloat = true;
            ++pos_;
            while (pos_ < s_.size() && isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
        }
        if (pos_ < s_.size() && (s_[pos_] == 'e' || s_[pos_] == 'E')) {
            size_t p = pos_ + 1;
            if (p < s_.size() && (s_[p] == '+' || s_[p] == '-')) ++p;
            if (p < s_.size() && isdigit(static_cast<unsigned char>(s_[p]))) {
                isFloat = true;
                pos_ = p;
                while (pos_ < s_.size() && isdigit(static_cast<unsigned char>(s_[pos_]))) ++pos_;
            }
        }
        String number = s_.substr(start, pos_ - start);
        if (pos_ < s_.size() && (s_[pos_] == 's' || s_[pos_] == 'S' || s_[pos_] == 'c' || s_[pos_] == 'C' ||
                                 s_[pos_] == 'd' || s_[pos_] == 'D')) {
            suffix_ = static_cast<char>(tolower(static_cast<unsigned char>(s_[pos_])));
            ++pos_;
            isFloat = true;
        }
        errno = 0;
        if (!isFloat) {
            char* end = nullptr;
            const long long v = std::strtoll(number.c_str(), &end, 10);
            if (errno == 0 && end && *end == '\0') {
                int_ = v;
                kind_ = tkInteger;
                return;
            }
            errno = 0;  // out of 64-bit range: keep it as a float
        }
        text_ = std::move(number);  // converted by the value's type, where the property is known
        kind_ = tkFloat;
    }

    // 'quoted' parts ('' doubles a quote) and #code parts, adjacent: one string.
    void readString()
    {
        String raw;  // the literal's bytes (UTF-8 or Latin-1 as given)
        std::vector<std::uint32_t> out;
        while (pos_ < s_.size()) {
            const char c = s_[pos_];
            if (c == '\'') {
                ++pos_;
                raw.clear();
                for (;;) {
                    if (pos_ >= s_.size() || s_[pos_] == '\n' || s_[pos_] == '\r') Error("Unterminated string");
                    if (s_[pos_] == '\'') {
                        if (pos_ + 1 < s_.size() && s_[pos_ + 1] == '\'') {
                            raw += '\'';
                            pos_ += 2;
                            continue;
                        }
                        ++pos_;
                        break;
                    }
                    raw += s_[pos_++];
                }
                const auto cps = tv_stream::CodePoints(tv_stream::AnsiToUtf8(raw));
                out.insert(out.end(), cps.begin(), cps.end());
            } else if (c == '#') {
                ++pos_;
                std::uint32_t code = 0;
                const size_t start = pos_;
                if (pos_ < s_.size() && s_[pos_] == '$') {
                    ++pos_;
                    while (pos_ < s_.size() && isxdigit(static_cast<unsigned char>(s_[pos_])) && pos_ - start < 8)
                        code = code * 16 + static_cast<std::uint32_t>(std::stoi(String(1, s_[pos_++]), nullptr, 16));
                } else {
                    while (pos_ < s_.size() && isdigit(static_cast<unsigned char>(s_[pos_])) && pos_ - start < 8)
                        code = code * 10 + static_cast<std::uint32_t>(s_[pos_++] - '0');
                }
                if (pos_ == start || (s_[start] == '$' && pos_ == start + 1)) Error("Invalid string constant");
                out.push_back(code);
            } else {
                break;
            }
        }
        codes_ = std::move(out);
        kind_ = tkString;
    }

    String s_;
    size_t pos_ = 0;
    int line_ = 1;
    int tokenLine_ = 1;
    TokenKind kind_ = tkEof;
    String text_;
    std::vector<std::uint32_t> codes_;
    char ch_ = 0;
    char suffix_ = 0;
    Int64 int_ = 0;
};

class TextToBinary {
public:
    TextToBinary(const String& text, TStream& out) : parser_(text), writer_(out) {}

    void Run()
    {
        writer_.WriteSignature();
        convertObject();
    }

private:
    void enter()
    {
        if (++depth_ > kMaxNesting) parser_.Error("Nesting too deep");
    }

    void convertObject()
    {
        enter();
        TFilerFlags flags;
        if (parser_.IsSymbol("inherited"))
            flags.Include(ffInherited);
        else if (parser_.IsSymbol("inline"))
            flags.Include(ffInline);
        else if (!parser_.IsSymbol("object"))
            parser_.Error("'object' expected");
        parser_.Next();
        parser_.CheckName();
        String name, className = parser_.Text();
        parser_.Next();
        if (parser_.IsChar(':')) {
            parser_.Next();
            parser_.CheckName();
            name = className;
            className = parser_.Text();
            parser_.Next();
        }
        int pos = 0;
        if (parser_.IsChar('[')) {
            parser_.Next();
            if (parser_.Kind() != tkInteger) parser_.Error("Number expected");
            pos = static_cast<int>(parser_.IntValue());
            parser_.Next();
            parser_.CheckChar(']');
            parser_.Next();
            flags.Include(ffChildPos);
        }
        if (className.size() > 255 || name.size() > 255) parser_.Error("Identifier too long");
        const String outer = context_;
        context_ = name.empty() ? className : name;
        writer_.WritePrefix(flags, pos);
        writer_.WriteStr(className);
        writer_.WriteStr(name);
        while (!parser_.IsSymbol("end") && !parser_.IsSymbol("object") && !parser_.IsSymbol("inherited") &&
               !parser_.IsSymbol("inline")) {
            if (parser_.Kind() == tkEof) parser_.Error("'end' expected");
            convertProperty();
        }
        writer_.WriteListEnd();
        while (!parser_.IsSymbol("end")) {
            if (parser_.Kind() == tkEof) parser_.Error("'end' expected");
            convertObject();
        }
        writer_.WriteListEnd();
        parser_.Next();
        context_ = outer;
        --depth_;
    }

    void convertProperty()
    {
        parser_.CheckSymbol();
        const String name = parser_.Text();
        if (name.size() > 255) parser_.Error("Identifier too long");
        writer_.WriteStr(name);
        parser_.Next();
        parser_.CheckChar('=');
        parser_.Next();
        const String outer = place_;
        place_ = context_ + "." + name;
        convertValue();
        place_ = outer;
    }

    [[noreturn]] void outOfRange() const
    {
        const char suffix[2] = {parser_.FloatSuffix(), 0};
        parser_.Error("Value " + parser_.Text() + suffix + " of " + place_ + " is out of range");
    }

    template <typename F>
    F floatValue() const
    {
        F v{};
        if (!parseFloat(parser_.Text(), v)) outOfRange();
        return v;
    }

    void convertFloat()
    {
        switch (parser_.FloatSuffix()) {
        case 's': writer_.WriteSingle(floatValue<float>()); break;
        case 'd': writer_.WriteDate(floatValue<double>()); break;
        case 'c': {
            // The raw value (value * 10000), rounded half away from zero.
            const Extended raw = std::round(floatValue<Extended>());
            if (raw < -0x1p63L || raw >= 0x1p63L) outOfRange();
            writer_.WriteCurrency(static_cast<Int64>(raw));
            break;
        }
        default: writer_.WriteFloat(floatValue<Extended>()); break;
        }
    }

    void convertValue()
    {
        enter();
        switch (parser_.Kind()) {
        case tkString: {
            std::vector<std::uint32_t> codes = parser_.Codes();
            parser_.Next();
            while (parser_.IsChar('+')) {
                parser_.Next();
                if (parser_.Kind() != tkString) parser_.Error("String expected");
                codes.insert(codes.end(), parser_.Codes().begin(), parser_.Codes().end());
                parser_.Next();
            }
            writer_.WriteString(utf8Of(codes));
            break;
        }
        case tkInteger:
            writer_.WriteInteger(parser_.IntValue());
            parser_.Next();
            break;
        case tkFloat:
            convertFloat();
            parser_.Next();
            break;
        case tkSymbol:
            if (parser_.Text().size() > 255) parser_.Error("Identifier too long");
            writer_.WriteIdent(parser_.Text());
            parser_.Next();
            break;
        case tkChar:
            switch (parser_.Char()) {
            case '[': {
                parser_.Next();
                writer_.WriteValue(vaSet);
                if (!parser_.IsChar(']')) {
                    for (;;) {
                        parser_.CheckName();
                        if (parser_.Text().size() > 255) parser_.Error("Identifier too long");
                        writer_.WriteStr(parser_.Text());
                        parser_.Next();
                        if (parser_.IsChar(']')) break;
                        parser_.CheckChar(',');
                        parser_.Next();
                    }
                }
                writer_.WriteStr({});
                parser_.Next();
                break;
            }
            case '(':
                parser_.Next();
                writer_.WriteListBegin();
                while (!parser_.IsChar(')')) {
                    if (parser_.Kind() == tkEof) parser_.Error("')' expected");
                    convertValue();
                }
                writer_.WriteListEnd();
                parser_.Next();
                break;
            case '{': {
                const std::vector<Byte> bytes = parser_.ReadHex();
                writer_.WriteBinary(bytes.data(), static_cast<std::int64_t>(bytes.size()));
                break;
            }
            case '<': {
                parser_.Next();
                writer_.WriteValue(vaCollection);
                const String outer = context_;
                context_ = place_;
                while (!parser_.IsChar('>')) {
                    if (!parser_.IsSymbol("item")) parser_.Error("'item' expected");
                    parser_.Next();
                    if (parser_.IsChar('[')) {
                        parser_.Next();
                        if (parser_.Kind() != tkInteger) parser_.Error("Number expected");
                        writer_.WriteInteger(parser_.IntValue());
                        parser_.Next();
                        parser_.CheckChar(']');
                        parser_.Next();
                    }
                    writer_.WriteListBegin();
                    while (!parser_.IsSymbol("end")) {
                        if (parser_.Kind() == tkEof) parser_.Error("'end' expected");
                        convertProperty();
                    }
                    writer_.WriteListEnd();
                    parser_.Next();
                }
                context_ = outer;
                writer_.WriteListEnd();
                parser_.Next();
                break;
            }
            default: parser_.Error("Invalid property value");
            }
            break;
        case tkEof: parser_.Error("Invalid property value");
        }
        --depth_;
    }

    Parser parser_;
    TWriter writer_;
    String context_;  // as in BinaryToText
    String place_;
    int depth_ = 0;
};

String readAll(TStream& input)
{
    const std::int64_t n = input.Size() - input.Position();
    String text(static_cast<size_t>(std::max<std::int64_t>(n, 0)), '\0');
    if (n > 0) input.ReadBuffer(text.data(), n);
    return text;
}

}  // namespace

void ObjectBinaryToText(TStream& input, TStream& output)
{
    BinaryToText converter(input);
    const String text = converter.Run();
    output.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

void ObjectTextToBinary(TStream& input, TStream& output)
{
    // Built in memory first: a syntax error leaves the output untouched.
    TMemoryStream binary;
    TextToBinary converter(readAll(input), binary);
    converter.Run();
    output.WriteBuffer(binary.Memory(), binary.Size());
}

TStreamOriginalFormat TestStreamFormat(TStream& stream)
{
    const std::int64_t pos = stream.Position();
    char buf[12] = {};
    const std::int64_t n = stream.Read(buf, sizeof buf);
    stream.SetPosition(pos);
    String head(buf, static_cast<size_t>(std::max<std::int64_t>(n, 0)));
    if (head.compare(0, 3, "\xEF\xBB\xBF") == 0) head.erase(0, 3);
    if (head.compare(0, 4, "TPF0") == 0) return sofBinary;
    for (const char* word : {"object", "inherited", "inline"}) {
        const size_t len = std::strlen(word);
        if (head.size() > len && strncasecmp(head.c_str(), word, len) == 0 &&
            static_cast<unsigned char>(head[len]) <= ' ')
            return sofText;
    }
    return sofUnknown;
}

String ComponentToText(TComponent* component)
{
    TMemoryStream binary;
    WriteComponentToStream(binary, component);
    binary.SetPosition(0);
    TStringStream text;
    ObjectBinaryToText(binary, text);
    return text.DataString();
}

TComponent* TextToComponent(const String& text, TComponent* instance)
{
    TStringStream in(text);
    TMemoryStream binary;
    ObjectTextToBinary(in, binary);
    binary.SetPosition(0);
    return ReadComponentFromStream(binary, instance);
}
