// libFuzzer target of the chart files (FuzzChartFile.h; see fuzz/run.sh).
#include <cstdlib>

#include "app/ChartUnits.h"
#include "fuzz/chart/FuzzChartFile.h"
#include "platform/system/Registry.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // Each chart reads the editor's defaults when made: from a file that is not there, so that the
    // user's settings neither steer an input nor cost it a parse.
    TRegistry::SetUserFile("/nonexistent/tv-fuzz-registry.ini");
    StartChartUnits();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tv_fuzz::FuzzChartFile(data, size);
    return 0;
}
