#pragma once
// Millisecond time-outs on the 32-bit tick counter, correct across its wrap.
#include <cstdint>

struct TVaTimeout {
    std::uint32_t Start = 0;
    std::uint32_t Duration = 0;
};

void StartTimeout(TVaTimeout& timeout, std::uint32_t duration);
// True once more than Duration ms have passed since Start (unsigned difference).
bool TimeoutExpired(const TVaTimeout& timeout);
