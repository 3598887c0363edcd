#include "platform/classes/StreamValues_p.h"

#include <cmath>
#include <cstring>

namespace tv_stream {

void ToExtended80(Extended value, Byte out[10])
{
    std::memset(out, 0, 10);
    std::uint16_t signExp = std::signbit(value) ? 0x8000 : 0;
    std::uint64_t mantissa = 0;
    if (std::isnan(value)) {
        signExp |= 0x7FFF;
        mantissa = 0xC000000000000000ull;
    } else if (std::isinf(value)) {
        signExp |= 0x7FFF;
        mantissa = 0x8000000000000000ull;
    } else if (value != 0) {
        int exp = 0;
        const Extended frac = std::frexp(std::fabs(value), &exp);  // [0.5, 1)
        int biased = exp - 1 + 16383;
        Extended scaled = std::ldexp(frac, 64);
        if (biased <= 0) {  // denormal
            scaled = std::ldexp(scaled, biased - 1);
            biased = 0;
        }
        if (biased >= 0x7FFF) {
            biased = 0x7FFF;
            scaled = 0;
            mantissa = 0x8000000000000000ull;
        } else {
            mantissa = static_cast<std::uint64_t>(scaled);
        }
        signExp |= static_cast<std::uint16_t>(biased);
    }
    for (int i = 0; i < 8; ++i) out[i] = static_cast<Byte>(mantissa >> (8 * i));
    out[8] = static_cast<Byte>(signExp);
    out[9] = static_cast<Byte>(signExp >> 8);
}

Extended FromExtended80(const Byte in[10])
{
    std::uint64_t mantissa = 0;
    for (int i = 0; i < 8; ++i) mantissa |= static_cast<std::uint64_t>(in[i]) << (8 * i);
    const std::uint16_t signExp = static_cast<std::uint16_t>(in[8] | (in[9] << 8));
    const bool negative = (signExp & 0x8000) != 0;
    const int exp = signExp & 0x7FFF;
    Extended value;
    if (exp == 0x7FFF) {
        value = (mantissa << 1) == 0 ? HUGE_VALL : NAN;
    } else {
        value = std::ldexp(static_cast<Extended>(mantissa), (exp == 0 ? 1 : exp) - 16383 - 63);
    }
    return negative ? -value : value;
}


String Utf16ToUtf8(const std::vector<std::uint16_t>& units) { return ::Utf16ToUtf8(units.data(), units.size()); }

namespace {
// Decodes one UTF-8 sequence at i; returns its length, 0 when invalid.
size_t decodeOne(const String& s, size_t i, std::uint32_t& cp)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    size_t len = 0;
    std::uint32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else
        return 0;
    if (i + len > s.size()) return 0;
    for (size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}
}  // namespace

std::vector<std::uint32_t> CodePoints(const String& text)
{
    std::vector<std::uint32_t> out;
    for (size_t i = 0; i < text.size();) {
        std::uint32_t cp = 0;
        size_t n = decodeOne(text, i, cp);
        if (n == 0) {
            cp = static_cast<unsigned char>(text[i]);
            n = 1;
        }
        out.push_back(cp);
        i += n;
    }
    return out;
}

std::vector<std::uint16_t> Utf8ToUtf16(const String& text)
{
    std::vector<std::uint16_t> out;
    for (std::uint32_t cp : CodePoints(text)) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<std::uint16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<std::uint16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<std::uint16_t>(cp));
        }
    }
    return out;
}

bool IsValidUtf8(const String& text)
{
    for (size_t i = 0; i < text.size();) {
        std::uint32_t cp = 0;
        const size_t n = decodeOne(text, i, cp);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

bool IsAscii(const String& text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

String AnsiToUtf8(const String& bytes)
{
    if (IsAscii(bytes) || IsValidUtf8(bytes)) return bytes;
    return Latin1ToUtf8(bytes);
}

}  // namespace tv_stream
