#include "app/ChartUnits.h"

#include "chart/animation/AnimationUnits.h"
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
#include "chart/series_ext/grid3d/Grid3DUnits.h"
#include "chart/series_ext/shapes/ShapesUnits.h"
#include "chart/series_ext/polar/PolarUnits.h"
#include "chart/tools/ToolsUnit.h"
#include "chart/tools/PageNumTool.h"

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
    StartGrid3DUnits();
    StartShapesUnits();
    StartPolarUnits();
    StartFunctionUnits();
    StartAnimationUnits();
    StartPictureExportUnits();
    StartChartFileUnit();
    StartVideoUnit();
    StartURLUnit();
    StartExcelSourceUnit();
    StartToolsUnit();
    StartPageNumUnit();
    StartChartEditorUnit();
}

void StopChartUnits()
{
    StopChartEditorUnit();
    StopPageNumUnit();
    StopToolsUnit();
    StopExcelSourceUnit();
    StopURLUnit();
    StopVideoUnit();
    StopChartFileUnit();
    StopPictureExportUnits();
    StopAnimationUnits();
    StopFunctionUnits();
    StopPolarUnits();
    StopShapesUnits();
    StopGrid3DUnits();
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
