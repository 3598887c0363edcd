// Registration of the standard series types in the series gallery.
#include "chart/series/StandardSeriesUnit.h"

#include "chart/core/SeriesTypes.h"
#include "chart/core/ZebConst.h"
#include "chart/series/BarSeries.h"
#include "chart/series/FastLineSeries.h"
#include "chart/series/HorizBarSeries.h"
#include "chart/series/LineSeries.h"
#include "chart/series/PieSeries.h"
#include "chart/core/UnitStarts.h"

namespace {

TUnitStarts standardStarts;
TUnitStarts donutStarts;

}  // namespace

void AddStandardSeriesToGallery()
{
    RegisterStandardSeriesType(TLineSeries::StaticClass(), &TxtLine);
    RegisterStandardSeriesType(TBarSeries::StaticClass(), &TxtBar);
    RegisterStandardSeriesType(THorizBarSeries::StaticClass(), &TxtHorizontalBar);
    RegisterStandardSeriesType(TAreaSeries::StaticClass(), &TxtArea);
    RegisterStandardSeriesType(TPointSeries::StaticClass(), &TxtPoint);
    RegisterSeriesType(TPieSeries::StaticClass(), &TxtPie, &TxtStandard, 1);
    RegisterStandardSeriesType(TFastLineSeries::StaticClass(), &TxtFastLine);
    RegisterSeriesType(THorizLineSeries::StaticClass(), &TxtHorizontalLine, &TxtStandard, 1);
    RegisterSeriesType(THorizAreaSeries::StaticClass(), &TxtHorizontalArea, &TxtStandard, 1);
}

void StartStandardSeriesUnit()
{
    if (standardStarts.First()) AddStandardSeriesToGallery();
}

void StopStandardSeriesUnit()
{
    standardStarts.Last();  // the gallery entries go with the registries at the chart unit's end
}

void StartDonutUnit()
{
    if (donutStarts.First()) RegisterSeriesType(TDonutSeries::StaticClass(), &TxtDonut, &TxtExtended, 1);
}

void StopDonutUnit()
{
    if (!donutStarts.Last()) return;
    UnregisterSeriesTypes({&TDonutSeries::StaticClass()});
}

void StartStandardSeriesUnits()
{
    StartStandardSeriesUnit();
    StartDonutUnit();
}

void StopStandardSeriesUnits()
{
    StopDonutUnit();
    StopStandardSeriesUnit();
}
