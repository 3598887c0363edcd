#pragma once
// Value encodings shared by the binary reader/writer and the text converter.
#include <cstdint>
#include <vector>

#include "platform/rtl/Types.h"
#include "platform/rtl/Unicode.h"

namespace tv_stream {

// 80-bit extended (little-endian: 64-bit mantissa with explicit integer bit, 15-bit exponent, sign).
void ToExtended80(Extended value, Byte out[10]);
Extended FromExtended80(const Byte in[10]);

// UTF-16 code units <-> UTF-8 (unpaired surrogates become U+FFFD).
String Utf16ToUtf8(const std::vector<std::uint16_t>& units);
std::vector<std::uint16_t> Utf8ToUtf16(const String& text);
// Code points of UTF-8 text; invalid bytes are taken as Latin-1.
std::vector<std::uint32_t> CodePoints(const String& text);
using ::AppendUtf8;
bool IsValidUtf8(const String& text);
bool IsAscii(const String& text);
// Bytes of a vaString/vaLString: UTF-8 when valid, else Latin-1 converted to UTF-8.
String AnsiToUtf8(const String& bytes);

}  // namespace tv_stream
