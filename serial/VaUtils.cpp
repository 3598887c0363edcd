#include "serial/VaUtils.h"

#include "platform/rtl/Tick.h"

void StartTimeout(TVaTimeout& timeout, std::uint32_t duration)
{
    timeout.Start = GetTickCount();
    timeout.Duration = duration;
}

bool TimeoutExpired(const TVaTimeout& timeout)
{
    return static_cast<std::uint32_t>(GetTickCount() - timeout.Start) > timeout.Duration;
}
