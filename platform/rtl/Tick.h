#pragma once
// Millisecond ticks. The 32-bit count wraps after 49.7 days, as the platform's does; compare ticks by
// unsigned difference. Tests replace the clock to reach the wrap.
#include <cstdint>
#include <functional>

#include "platform/rtl/Types.h"

using TTickClock = std::function<std::uint64_t()>;  // milliseconds since some start

Cardinal GetTickCount();
std::uint64_t GetTickCount64();
// Replaces the clock (an empty function restores the monotonic system clock).
void SetTickClock(TTickClock clock);
// Milliseconds from start to now across one wrap.
inline Cardinal TicksSince(Cardinal start, Cardinal now) { return now - start; }
void Sleep(Cardinal milliseconds);
