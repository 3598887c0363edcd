#include "chart/series_ext/shapes/ShapesUnits.h"

#include "chart/core/NamedPalettes.h"
#include "chart/core/SeriesTypes.h"
#include "chart/core/UnitStarts.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebProCo.h"
#include "chart/series_ext/shapes/CalendarSeries.h"
#include "chart/series_ext/shapes/FunnelSeries.h"
#include "chart/series_ext/shapes/OrgSeries.h"
#include "chart/series_ext/shapes/PyramidSeries.h"
#include "chart/series_ext/shapes/TagCloudSeries.h"
#include "chart/series_ext/shapes/TreeMapSeries.h"
#include "chart/series_ext/shapes/VolumePipeSeries.h"

namespace {

TUnitStarts shapesStarts;

}  // namespace

void StartShapesUnits()
{
    if (!shapesStarts.First()) return;
    RegisterSeriesType(TFunnelSeries::StaticClass(), &TxtFunnel, &TxtStats, 1);
    RegisterSeriesType(TPyramidSeries::StaticClass(), &TxtPyramid, &TxtExtended, 2);
    RegisterSeriesType(TVolumePipeSeries::StaticClass(), &TxtVolumePipe, &TxtStats, 1);
    RegisterSeriesType(TOrgSeries::StaticClass(), &TxtOrgChart, &TxtExtended, 1);
    RegisterSeriesType(TTreeMapSeries::StaticClass(), &TxtTreeMap, &TxtExtended, 1);
    if (const TColorPalettes* palettes = GetNamedPalettes(); palettes->Count() > 13 && palettes->Items(13).Colors.size() > 2)
        TagCloudEndColor = palettes->Items(13).Colors[2];
    RegisterSeriesType(TTagCloudSeries::StaticClass(), &TxtTagCloud, &TxtOther, 1);
    RegisterSeriesType(TCalendarSeries::StaticClass(), &TxtCalendar, &TxtOther, 1);
}

void StopShapesUnits()
{
    if (shapesStarts.Last())
        UnregisterSeriesTypes({&TFunnelSeries::StaticClass(), &TPyramidSeries::StaticClass(),
                               &TVolumePipeSeries::StaticClass(), &TOrgSeries::StaticClass(),
                               &TTreeMapSeries::StaticClass(), &TTagCloudSeries::StaticClass(),
                               &TCalendarSeries::StaticClass()});
}
