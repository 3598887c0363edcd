#pragma once
// The platform's linear congruential generator, so that seeded data are reproducible:
// RandSeed := RandSeed * 0x08088405 + 1 (32-bit) before each draw.
#include <cstdint>

#include "platform/rtl/Types.h"

extern std::uint32_t RandSeed;

void Randomize();                   // seeds from the clock
int Random(int range);              // 0 <= result < range (0 when range <= 0)
double Random();                    // 0 <= result < 1
int RandomRange(int from, int to);  // from <= result < to (either order)
