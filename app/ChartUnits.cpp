#include "app/ChartUnits.h"

#include "chart/core/EngineStartup.h"
#include "chart/editor/ChartEditor.h"
#include "chart/functions/FinancialUnits.h"
#include "chart/functions/FunctionUnits.h"
#include "chart/io/ChartFile.h"
#include "chart/io/DownloadCache.h"
#include "chart/io/ExcelSource.h"
#include "chart/io/ZebExport.h"
#include "chart/io/ZebVideo.h"
#include "chart/series/ErrorBarUnit.h"
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
    StartFinancialUnits();
    StartErrorBarUnit();
    StartBezierUnit();
    StartFunctionUnits();
    StartPictureExportUnits();
    StartChartFileUnit();
    StartVideoUnit();
    StartURLUnit();
    StartExcelSourceUnit();
    StartChartEditorUnit();
}

void StopChartUnits()
{
    StopChartEditorUnit();
    StopExcelSourceUnit();
    StopURLUnit();
    StopVideoUnit();
    StopChartFileUnit();
    StopPictureExportUnits();
    StopFunctionUnits();
    StopBezierUnit();
    StopErrorBarUnit();
    StopFinancialUnits();
    StopBubbleUnit();
    StopArrowUnit();
    StopGanttUnit();
    StopShapeUnit();
    StopStandardSeriesUnits();
    StopChartEngine();
}
