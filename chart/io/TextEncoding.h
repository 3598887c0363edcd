#pragma once
// UTF-8 text into the bytes of the encodings the exports declare.
#include <cstdint>

#include "chart/io/ExportSink.h"

// "UTF-8" as it is; "UTF-16" little-endian; "ISO-8859-1" and "windows-1252" one byte per
// character they hold, any other character as a character reference; any other name ASCII with
// character references. Names in any case.
TTextEncoder XmlTextEncoder(const String& encoding);
// The byte-order mark UTF-16 needs (FF FE); empty for the others.
String ByteOrderMark(const String& encoding);
// windows-1252: the byte of a code point, or fallback when the code page lacks it.
char ToWindows1252(std::uint32_t codePoint, char fallback);
// UTF-8 text in windows-1252, '?' for what it lacks.
String Utf8ToWindows1252(const String& text);
