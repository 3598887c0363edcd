#include "app/ChartUnits.h"

#include "chart/core/EngineStartup.h"
#include "chart/functions/FunctionUnits.h"
#include "chart/io/DownloadCache.h"
#include "chart/io/ExcelSource.h"
#include "chart/series/PointSeriesUnits.h"
#include "chart/series/StandardSeriesUnit.h"

void StartChartUnits()
{
    StartChartEngine();
    StartStandardSeriesUnits();
    StartShapeUnit();
    StartGanttUnit();
    StartArrowUnit();
    StartBubbleUnit();
    StartFunctionUnits();
    StartURLUnit();
    StartExcelSourceUnit();
}

void StopChartUnits()
{
    StopExcelSourceUnit();
    StopURLUnit();
    StopFunctionUnits();
    StopBubbleUnit();
    StopArrowUnit();
    StopGanttUnit();
    StopShapeUnit();
    StopStandardSeriesUnits();
    StopChartEngine();
}
