#pragma once
// String helpers of the runtime library. Positions are 1-based where the class library's are.
#include "platform/rtl/Types.h"

// Sub-string from 1-based index, at most count bytes; out-of-range parts are clipped.
String Copy(const String& s, int index, int count);
// 1-based position of sub in s (0: not found); PosEx starts the search at offset.
int Pos(const String& sub, const String& s);
int PosEx(const String& sub, const String& s, int offset = 1);
// Removes count bytes from the 1-based index (clipped).
void Delete(String& s, int index, int count);
// Inserts sub before the 1-based index (clipped to the ends).
void Insert(const String& sub, String& s, int index);

// Trimming removes control characters and blanks (bytes <= ' ').
String Trim(const String& s);
String TrimLeft(const String& s);
String TrimRight(const String& s);

// ASCII case mapping (other bytes, e.g. UTF-8 sequences, pass unchanged).
String UpperCase(const String& s);
String LowerCase(const String& s);
int CompareStr(const String& a, const String& b);   // <0, 0, >0 by bytes
int CompareText(const String& a, const String& b);  // ignoring ASCII case
bool SameText(const String& a, const String& b);
bool SameStr(const String& a, const String& b);

String IntToStr(int value);
String IntToStr(Int64 value);
String IntToStr(long long value);
String IntToStr(unsigned value);
String IntToStr(unsigned long value);
String UIntToStr(std::uint64_t value);
// Upper-case hex, zero-padded to at least digits; negative values as their two's complement
// of the argument's width (32 bits for int, 64 for Int64).
String IntToHex(int value, int digits);
String IntToHex(Int64 value, int digits);

enum TReplaceFlag : unsigned { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = unsigned;
String StringReplace(const String& s, const String& oldPattern, const String& newPattern, TReplaceFlags flags);

// 'text' with embedded quotes doubled.
String QuotedStr(const String& s);
String AnsiQuotedStr(const String& s, char quote);
// Reverses AnsiQuotedStr; s unchanged when it does not start with quote.
String AnsiDequotedStr(const String& s, char quote);
// Extracts a quoted string starting at s[pos] (0-based), advancing pos past it.
String AnsiExtractQuotedStr(const String& s, std::size_t& pos, char quote);

String StringOfChar(char c, int count);
String DupeString(const String& s, int count);
bool StartsText(const String& sub, const String& s);
bool EndsText(const String& sub, const String& s);
bool StartsStr(const String& sub, const String& s);
bool EndsStr(const String& sub, const String& s);

// Line breaks of the platform's text files.
constexpr const char* sLineBreak = "\r\n";
