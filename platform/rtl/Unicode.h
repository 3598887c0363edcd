#pragma once
// Conversions into UTF-8 text.
#include <cstddef>
#include <cstdint>

#include "platform/rtl/Types.h"

// Appends one code point; surrogates and values beyond U+10FFFF become U+FFFD.
void AppendUtf8(String& out, std::uint32_t codePoint);
// UTF-16 code units; an unpaired surrogate becomes U+FFFD.
String Utf16ToUtf8(const std::uint16_t* units, std::size_t count);
// The code point at `at` of UTF-8 text, moving `at` past it; a byte that starts no valid sequence
// (overlong forms, surrogates and values beyond U+10FFFF included) stands for itself (as Latin-1),
// so text of another 8-bit encoding is not lost.
std::uint32_t NextUtf8CodePoint(const String& text, std::size_t& at);
// Every byte is one character (Latin-1).
String Latin1ToUtf8(const String& bytes);
