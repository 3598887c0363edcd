#include "chart/series/ErrorBarUnit.h"

#include "chart/core/SeriesTypes.h"
#include "chart/core/UnitStarts.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebProCo.h"
#include "chart/series/BezierSeries.h"
#include "chart/series/ErrorSeries.h"
#include "chart/series/HighLowSeries.h"

namespace {

TUnitStarts errorBarStarts, bezierStarts;

}  // namespace

void StartErrorBarUnit()
{
    if (!errorBarStarts.First()) return;
    RegisterSeriesType(TErrorBarSeries::StaticClass(), &TxtErrorBar, &TxtStats, 1);
    RegisterSeriesType(TErrorSeries::StaticClass(), &TxtError, &TxtStats, 1);
    RegisterSeriesType(THighLowSeries::StaticClass(), &TxtHighLow, &TxtStats, 1);
}

void StopErrorBarUnit()
{
    if (errorBarStarts.Last())
        UnregisterSeriesTypes({&TErrorBarSeries::StaticClass(), &TErrorSeries::StaticClass(),
                               &THighLowSeries::StaticClass()});
}

void StartBezierUnit()
{
    if (bezierStarts.First()) RegisterSeriesType(TBezierSeries::StaticClass(), &TxtBezier, &TxtExtended, 1);
}

void StopBezierUnit()
{
    if (bezierStarts.Last()) UnregisterSeriesTypes({&TBezierSeries::StaticClass()});
}
