#include "platform/rtl/Tick.h"

#include <chrono>
#include <mutex>
#include <thread>

namespace {

std::mutex& ClockMutex()
{
    static std::mutex m;
    return m;
}

TTickClock& Clock()
{
    static TTickClock clock;
    return clock;
}

std::uint64_t SystemMilliseconds()
{
    using namespace std::chrono;
    return static_cast<std::uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

std::uint64_t GetTickCount64()
{
    TTickClock clock;
    {
        std::lock_guard<std::mutex> lock(ClockMutex());
        clock = Clock();
    }
    return clock ? clock() : SystemMilliseconds();
}

Cardinal GetTickCount() { return static_cast<Cardinal>(GetTickCount64()); }

void SetTickClock(TTickClock clock)
{
    std::lock_guard<std::mutex> lock(ClockMutex());
    Clock() = std::move(clock);
}

void Sleep(Cardinal milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }
