#include "chart/core/EngineStartup.h"

#include "chart/canvas/CanvasServices.h"
#include "chart/core/ZebConst.h"
#include "platform/rtl/Convert.h"

void StartChartEngine()
{
    StartMessageTexts();
    StartCanvasUnit(TxtArial, StrToIntDef(Txt8, 8));
}

void StopChartEngine()
{
    StopCanvasUnit();
    StopMessageTexts();
}
