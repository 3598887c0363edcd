#include "platform/rtl/Format.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/FloatFormat_p.h"
#include "platform/rtl/Strings.h"

namespace {

[[noreturn]] void Invalid(const String& fmt)
{
    throw EConvertError("Format '" + fmt + "' invalid or incompatible with argument");
}

bool IsInteger(const FormatArg& a)
{
    return a.kind() == FormatArg::kInt || a.kind() == FormatArg::kInt64 || a.kind() == FormatArg::kUInt64;
}

String Digits(std::uint64_t magnitude, int minDigits)
{
    String s = std::to_string(magnitude);
    if (static_cast<int>(s.size()) < minDigits) s.insert(0, static_cast<std::size_t>(minDigits) - s.size(), '0');
    return s;
}

}  // namespace

String Format(const String& fmt, std::initializer_list<FormatArg> args)
{
    return Format(fmt, args.begin(), args.size(), FormatSettings);
}

String Format(const String& fmt, std::initializer_list<FormatArg> args, const TFormatSettings& fs)
{
    return Format(fmt, args.begin(), args.size(), fs);
}

String Format(const String& fmt, const FormatArg* args, std::size_t count, const TFormatSettings& fs)
{
    String out;
    out.reserve(fmt.size() + 16);
    std::size_t next = 0;  // next argument
    const std::size_t n = fmt.size();
    std::size_t p = 0;

    auto argAt = [&](std::size_t i) -> const FormatArg& {
        if (i >= count) Invalid(fmt);
        return args[i];
    };
    // A number or '*' (taken from the next integer argument); -1 when absent.
    auto readNumber = [&]() -> long {
        if (p < n && fmt[p] == '*') {
            ++p;
            const FormatArg& a = argAt(next++);
            if (a.kind() != FormatArg::kInt && a.kind() != FormatArg::kInt64) Invalid(fmt);
            return static_cast<long>(a.asInt());
        }
        if (p >= n || fmt[p] < '0' || fmt[p] > '9') return -1;
        long v = 0;
        while (p < n && fmt[p] >= '0' && fmt[p] <= '9') {
            if (v < 100000) v = v * 10 + (fmt[p] - '0');
            ++p;
        }
        return v;
    };

    while (p < n) {
        const auto percent = fmt.find('%', p);
        if (percent == String::npos) {
            out.append(fmt, p, String::npos);
            break;
        }
        out.append(fmt, p, percent - p);
        p = percent + 1;
        if (p >= n) Invalid(fmt);
        if (fmt[p] == '%') {
            out += '%';
            ++p;
            continue;
        }
        long width = readNumber();
        if (p < n && fmt[p] == ':') {  // it was the argument index
            ++p;
            if (width < 0) Invalid(fmt);
            next = static_cast<std::size_t>(width);
            width = -1;
        }
        bool left = false;
        if (p < n && fmt[p] == '-') {
            left = true;
            ++p;
        }
        if (width < 0) width = readNumber();
        long precision = -1;
        if (p < n && fmt[p] == '.') {
            ++p;
            precision = readNumber();
            if (precision < 0) precision = 0;
        }
        if (p >= n) Invalid(fmt);
        const char type = static_cast<char>(fmt[p] | 0x20);  // specifiers ignore case
        ++p;

        const FormatArg& a = argAt(next++);
        String text;
        switch (type) {
        case 'd': {
            if (!IsInteger(a)) Invalid(fmt);
            const int minDigits = static_cast<int>(precision);
            if (a.kind() == FormatArg::kUInt64) {
                text = Digits(a.asUInt(), minDigits);
            } else {
                const std::int64_t v = a.asInt();
                const std::uint64_t magnitude = v < 0 ? 0 - static_cast<std::uint64_t>(v)
                                                      : static_cast<std::uint64_t>(v);
                if (v < 0) text += '-';
                text += Digits(magnitude, minDigits);
            }
            break;
        }
        case 'u': {
            if (!IsInteger(a)) Invalid(fmt);
            std::uint64_t v = a.asUInt();
            if (a.kind() == FormatArg::kInt) v = static_cast<std::uint32_t>(a.asInt());
            text = Digits(v, static_cast<int>(precision));
            break;
        }
        case 'x': {
            if (!IsInteger(a)) Invalid(fmt);
            const int digits = static_cast<int>(precision < 0 ? 0 : precision);
            text = a.kind() == FormatArg::kInt ? IntToHex(static_cast<int>(a.asInt()), digits)
                                               : IntToHex(static_cast<Int64>(a.asUInt()), digits);
            break;
        }
        case 's': {
            if (a.kind() != FormatArg::kString) Invalid(fmt);
            text = a.asString();
            if (precision >= 0 && static_cast<std::size_t>(precision) < text.size()) {
                // Cut at a character boundary: never leave half a UTF-8 sequence.
                std::size_t cut = static_cast<std::size_t>(precision);
                while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
                text.resize(cut);
            }
            break;
        }
        case 'p': {
            if (a.kind() != FormatArg::kPointer) Invalid(fmt);
            text = IntToHex(static_cast<Int64>(reinterpret_cast<std::uintptr_t>(a.asPointer())), 16);
            break;
        }
        case 'e':
        case 'f':
        case 'g':
        case 'n':
        case 'm': {
            if (a.kind() != FormatArg::kFloat) Invalid(fmt);
            const long double v = a.asFloat();
            int prec = static_cast<int>(precision);
            switch (type) {
            case 'e': text = rtl_detail::FloatToStrFImpl(v, ffExponent, prec < 0 ? 15 : prec, 3, fs); break;
            case 'g': text = rtl_detail::FloatToStrFImpl(v, ffGeneral, prec < 0 ? 15 : prec, 3, fs); break;
            case 'f': text = rtl_detail::FloatToStrFImpl(v, ffFixed, 18, prec < 0 ? 2 : prec, fs); break;
            case 'n': text = rtl_detail::FloatToStrFImpl(v, ffNumber, 18, prec < 0 ? 2 : prec, fs); break;
            default:
                text = rtl_detail::FloatToStrFImpl(v, ffCurrency, 18, prec < 0 ? fs.CurrencyDecimals : prec, fs);
                break;
            }
            break;
        }
        default: Invalid(fmt);
        }
        if (width > 0 && static_cast<std::size_t>(width) > text.size()) {
            const String pad(static_cast<std::size_t>(width) - text.size(), ' ');
            text = left ? text + pad : pad + text;
        }
        out += text;
    }
    return out;
}
