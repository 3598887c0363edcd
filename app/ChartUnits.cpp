#include "app/ChartUnits.h"

#include "chart/core/EngineStartup.h"
#include "chart/functions/FinancialUnits.h"
#include "chart/functions/FunctionUnits.h"
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
    StartFunctionUnits();
}

void StopChartUnits()
{
    StopFunctionUnits();
    StopFinancialUnits();
    StopBubbleUnit();
    StopArrowUnit();
    StopGanttUnit();
    StopShapeUnit();
    StopStandardSeriesUnits();
    StopChartEngine();
}
