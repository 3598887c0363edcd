// make_fuzz_seeds <chart_file|xls|xlsx> <folder>: the seeds of one fuzz target (Seeds.h).
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/ChartUnits.h"
#include "fuzz/Seeds.h"

int main(int argc, char** argv)
{
    const auto& targets = tv_fuzz::FuzzTargets();
    if (argc != 3 || std::find(targets.begin(), targets.end(), argv[1]) == targets.end()) {
        std::fprintf(stderr, "usage: make_fuzz_seeds <chart_file|xls|xlsx> <folder>\n");
        return 2;
    }
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    StartChartUnits();
    tv_fuzz::WriteSeeds(argv[1], argv[2]);
    StopChartUnits();
    return 0;
}
