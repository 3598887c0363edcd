#include "app/SensorProtocol.h"

#include "platform/rtl/Convert.h"
#include "platform/rtl/Strings.h"

namespace sensor {

String PollBytes(int id) { return {static_cast<char>((id + 0xB0) & 0xFF), '\x05'}; }

}  // namespace sensor

int PortNumberFromText(const String& portText) { return StrToInt(Copy(portText, 4, 2)); }

TVaBaudrate BaudrateFromText(const String& rateText)
{
    struct Row {
        int rate;
        TVaBaudrate value;
    };
    static constexpr Row table[] = {
        {110, br110},     {300, br300},     {600, br600},       {1200, br1200},     {2400, br2400},
        {4800, br4800},   {9600, br9600},   {14400, br14400},   {19200, br19200},   {38400, br38400},
        {56000, br56000}, {57600, br57600}, {115200, br115200}, {128000, br128000}, {256000, br256000},
    };
    const int rate = StrToInt(rateText);
    for (const Row& row : table)
        if (row.rate == rate) return row.value;
    return brUser;
}
