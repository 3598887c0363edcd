#pragma once
// Basic types of the runtime library.
#include <cstdint>
#include <string>

using String = std::string;      // UTF-8 text
using AnsiString = std::string;  // raw bytes
using Byte = std::uint8_t;
using Word = std::uint16_t;
using Cardinal = std::uint32_t;
using LongWord = std::uint32_t;
using Int64 = std::int64_t;
using Extended = long double;
using TDateTime = double;  // days since 1899-12-30, fraction = time of day
