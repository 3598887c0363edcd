#pragma once
// Enumerations shared by the instrument controls.
#include <cstdint>

enum TiBevelStyle : std::uint8_t { ibsNone, ibsRaised, ibsLowered };
enum TiLeadingStyle : std::uint8_t { ilsNone, ilsZeros, ilsSpaces };
