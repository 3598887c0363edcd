#include "platform/system/ProcessMemory.h"

#include <fstream>
#include <sstream>
#include <string>

std::int64_t ProcessDataBytes()
{
    // "VmData: <n> kB" in the process's status.
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmData:", 0) == 0) {
            std::istringstream fields(line.substr(7));
            std::int64_t kilobytes = 0;
            fields >> kilobytes;
            return kilobytes * 1024;
        }
    }
    return 0;
}
