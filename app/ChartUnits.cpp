#include "app/ChartUnits.h"

#include "chart/core/EngineStartup.h"
#include "chart/functions/FunctionUnits.h"
#include "chart/io/ChartFile.h"
#include "chart/io/DownloadCache.h"
#include "chart/io/ExcelSource.h"
#include "chart/io/ZebExport.h"
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
    StartPictureExportUnits();
    StartChartFileUnit();
    StartURLUnit();
    StartExcelSourceUnit();
}

void StopChartUnits()
{
    StopExcelSourceUnit();
    StopURLUnit();
    StopChartFileUnit();
    StopPictureExportUnits();
    StopFunctionUnits();
    StopBubbleUnit();
    StopArrowUnit();
    StopGanttUnit();
    StopShapeUnit();
    StopStandardSeriesUnits();
    StopChartEngine();
}
