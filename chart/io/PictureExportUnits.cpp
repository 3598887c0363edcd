// Start and end of the export unit and the two picture format units, in their start-up order.
#include "chart/core/UnitStarts.h"
#include "chart/io/ZebBmpOptions.h"
#include "chart/io/ZebEmfOptions.h"

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

void StartBmpUnit()
{
    if (bmpStarts.First()) AddExportFormatClass(TBMPExportFormat::StaticClass());
}

void StopBmpUnit()
{
    if (bmpStarts.Last()) RemoveExportFormatClass(TBMPExportFormat::StaticClass());
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
