#include "chart/core/SystemRoutines.h"

#include <chrono>

#include "platform/rtl/StringList.h"

std::unique_ptr<TStringList> ListFilesMatching(const String& pattern)
{
    (void)pattern;
    return std::make_unique<TStringList>();
}

int OpenWithShell(TWinControl* window, const String& document)
{
    (void)window;
    (void)document;
    return 0;
}

double SystemMilliseconds()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}
