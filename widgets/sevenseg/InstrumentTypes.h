#pragma once
// Enumerations shared by the instrument controls.
#include <cstdint>
#include <iterator>

enum TiBevelStyle : std::uint8_t { ibsNone, ibsRaised, ibsLowered };
inline constexpr const char* TiBevelStyleNames[] = {"ibsNone", "ibsRaised", "ibsLowered"};
static_assert(std::size(TiBevelStyleNames) == ibsLowered + 1);

enum TiLeadingStyle : std::uint8_t { ilsNone, ilsZeros, ilsSpaces };
inline constexpr const char* TiLeadingStyleNames[] = {"ilsNone", "ilsZeros", "ilsSpaces"};
static_assert(std::size(TiLeadingStyleNames) == ilsSpaces + 1);
