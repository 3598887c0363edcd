#include "chart/core/EngineStartup.h"

#include "chart/canvas/CanvasServices.h"
#include "chart/core/GdiPlusSettings.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebProcs.h"
#include "platform/rtl/Convert.h"

void StartChartEngine()
{
    StartMessageTexts();
    StartEngineRoutines();
    StartCanvasUnit(TxtArial, StrToIntDef(Txt8, 8));
    StartGdiPlusUnit();
}

void StopChartEngine()
{
    StopGdiPlusUnit();
    StopCanvasUnit();
    StopEngineRoutines();
    StopMessageTexts();
}
