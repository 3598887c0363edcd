#include "platform/rtl/Random.h"

#include <chrono>

std::uint32_t RandSeed = 0;

namespace {
std::uint32_t Step()
{
    RandSeed = RandSeed * 0x08088405u + 1u;
    return RandSeed;
}
}  // namespace

void Randomize()
{
    using namespace std::chrono;
    RandSeed = static_cast<std::uint32_t>(system_clock::now().time_since_epoch().count());
}

int Random(int range)
{
    const std::uint32_t r = Step();
    if (range <= 0) return 0;
    return static_cast<int>((static_cast<std::uint64_t>(r) * static_cast<std::uint32_t>(range)) >> 32);
}

double Random() { return Step() / 4294967296.0; }

int RandomRange(int from, int to)
{
    const int lo = from < to ? from : to;
    return lo + Random(from < to ? to - from : from - to);
}
