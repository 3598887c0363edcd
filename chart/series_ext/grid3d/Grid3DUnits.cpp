#include "chart/series_ext/grid3d/Grid3DUnits.h"

#include "chart/core/SeriesTypes.h"
#include "chart/core/UnitStarts.h"
#include "chart/core/ZebProCo.h"
#include "chart/series_ext/grid3d/ColorGridSeries.h"
#include "chart/series_ext/grid3d/ContourSeries.h"
#include "chart/series_ext/grid3d/IsoSurfaceSeries.h"
#include "chart/series_ext/grid3d/SurfaceSeries.h"

namespace {

TUnitStarts grid3DStarts;

}  // namespace

void StartGrid3DUnits()
{
    if (!grid3DStarts.First()) return;
    RegisterSeriesType(TSurfaceSeries::StaticClass(), &TxtSurface, &Txt3D, 1);
    RegisterSeriesType(TWaterFallSeries::StaticClass(), &TxtWaterFall, &Txt3D, 1);
    RegisterSeriesType(TContourSeries::StaticClass(), &TxtContour, &Txt3D, 1);
    RegisterSeriesType(TColorGridSeries::StaticClass(), &TxtColorGrid, &Txt3D, 1);
    RegisterSeriesType(TIsoSurfaceSeries::StaticClass(), &TxtIsoSurface, &Txt3D, 1);
}

void StopGrid3DUnits()
{
    if (grid3DStarts.Last())
        UnregisterSeriesTypes(
            {&TSurfaceSeries::StaticClass(), &TWaterFallSeries::StaticClass(), &TContourSeries::StaticClass(),
             &TColorGridSeries::StaticClass(),
             &TIsoSurfaceSeries::StaticClass()});
}
