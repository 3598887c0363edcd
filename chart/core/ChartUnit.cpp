#include "chart/core/ChartUnit.h"

#include <vector>

#include "chart/core/Chart.h"
#include "chart/core/ChartTitles.h"
#include "chart/core/ChartWalls.h"
#include "chart/core/NamedPalettes.h"
#include "chart/core/SeriesTypes.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Random.h"

namespace {

int starts = 0;

std::vector<const TMetaClass*> storedClasses()
{
    return {&TChart::StaticClass(), &TChartTitle::StaticClass(), &TChartFootTitle::StaticClass(),
            &TChartBackWall::StaticClass(), &TChartLeftWall::StaticClass(), &TChartBottomWall::StaticClass(),
            &TChartRightWall::StaticClass()};
}

}  // namespace

void StartChartUnit()
{
    if (starts++ > 0) return;
    Randomize();
    for (const TMetaClass* cls : storedClasses()) RegisterClass(*cls);
}

void StopChartUnit()
{
    if (starts == 0 || --starts > 0) return;
    for (const TMetaClass* cls : storedClasses()) UnRegisterClass(*cls);
    ReleaseNamedPalettes();
    FreeTypeRegistries();
    TCustomChart::ReleaseFreshCharts();
}
