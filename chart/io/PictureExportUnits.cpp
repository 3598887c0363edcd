// Start and end of the export unit and the two picture format units, in their start-up order.
#include "chart/canvas/ImageFiltered.h"
#include "chart/core/UnitStarts.h"
#include "chart/io/ZebBmpOptions.h"
#include "chart/io/ZebEmfOptions.h"
#include "platform/classes/ClassRegistry.h"

namespace {

TUnitStarts emfStarts, bmpStarts;

void StartEmfUnit()
{
    if (emfStarts.First()) AddExportFormatClass(TEMFExportFormat::StaticClass());
}

void StopEmfUnit()
{
    if (emfStarts.Last()) RemoveExportFormatClass(TEMFExportFormat::StaticClass());
}

// The options form's stored description names the filtered image control.
void StartBmpUnit()
{
    if (!bmpStarts.First()) return;
    RegisterClass(TImageFiltered::StaticClass());
    AddExportFormatClass(TBMPExportFormat::StaticClass());
}

void StopBmpUnit()
{
    if (!bmpStarts.Last()) return;
    RemoveExportFormatClass(TBMPExportFormat::StaticClass());
}

}  // namespace

void StartPictureExportUnits()
{
    StartExportUnit();
    StartEmfUnit();
    StartBmpUnit();
}

void StopPictureExportUnits()
{
    StopBmpUnit();
    StopEmfUnit();
    StopExportUnit();
}
