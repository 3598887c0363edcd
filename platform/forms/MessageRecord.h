#pragma once
// The message record every control handler receives, and the packing of a point into LParam.
#include <cstdint>

#include "platform/rtl/Types.h"

using intptr = std::intptr_t;

struct TMessage {
    Cardinal Msg = 0;
    intptr WParam = 0;
    intptr LParam = 0;
    intptr Result = 0;
};

// Packing of a point into LParam, low word x, high word y, both signed 16-bit.
constexpr intptr MakeLParam(int lo, int hi)
{
    return static_cast<intptr>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(lo)) |
                               (static_cast<std::uint32_t>(static_cast<std::uint16_t>(hi)) << 16));
}
constexpr int LParamX(intptr lparam) { return static_cast<std::int16_t>(lparam & 0xFFFF); }
constexpr int LParamY(intptr lparam) { return static_cast<std::int16_t>((lparam >> 16) & 0xFFFF); }
