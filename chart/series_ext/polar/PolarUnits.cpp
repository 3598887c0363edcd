#include "chart/series_ext/polar/PolarUnits.h"

#include "chart/core/SeriesTypes.h"
#include "chart/core/UnitStarts.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebProCo.h"
#include "chart/series_ext/polar/PolarSeries.h"

namespace {

TUnitStarts polarStarts;

}  // namespace

void StartPolarUnits()
{
    if (!polarStarts.First()) return;
    RegisterSeriesType(TPolarSeries::StaticClass(), &TxtPolar, &TxtExtended, 2);
    RegisterSeriesType(TRadarSeries::StaticClass(), &TxtRadar, &TxtExtended, 2);
    RegisterSeriesType(TPolarBarSeries::StaticClass(), &TxtPolarBar, &TxtExtended, 2);
}

void StopPolarUnits()
{
    if (polarStarts.Last())
        UnregisterSeriesTypes(
            {&TPolarSeries::StaticClass(), &TRadarSeries::StaticClass(), &TPolarBarSeries::StaticClass()});
}
