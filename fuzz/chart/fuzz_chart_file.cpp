// libFuzzer target of the chart files (FuzzChartFile.h; see fuzz/run.sh).
#include <cstdlib>

#include "app/ChartUnits.h"
#include "fuzz/chart/FuzzChartFile.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    StartChartUnits();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    tv_fuzz::FuzzChartFile(data, size);
    return 0;
}
