#include "chart/functions/FinancialUnits.h"

#include "chart/core/SeriesTypes.h"
#include "chart/core/UnitStarts.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebProCo.h"
#include "chart/functions/CompressFunction.h"
#include "chart/functions/FinancialFunctions.h"
#include "chart/series/CandleSeries.h"
#include "chart/series/DarvasSeries.h"
#include "chart/series/PointFigureSeries.h"
#include "chart/series/VolumeSeries.h"

String TxtSARFunction;

namespace {
TUnitStarts ohlcStarts, candleStarts;
// Gallery descriptions without a table text of their own.
String TxtADXFunction = "ADX";
String TxtATRFunction = "ATR";
}  // namespace

void StartOHLChartUnit()
{
    if (!ohlcStarts.First()) return;
    TxtSARFunction = "SAR";
    RegisterFunctionType(TOBVFunction::StaticClass(), &TxtOnBalanceVolume, &TxtFinancial, 1);
    RegisterFunctionType(TSARFunction::StaticClass(), &TxtSARFunction, &TxtFinancial, 1);
    RegisterSeriesType(TPointFigureSeries::StaticClass(), &TxtPointFigure, &TxtFinancial, 1);
}

void StopOHLChartUnit()
{
    if (!ohlcStarts.Last()) return;
    UnregisterSeriesTypes({&TPointFigureSeries::StaticClass()});
    UnregisterFunctionTypes({&TOBVFunction::StaticClass(), &TSARFunction::StaticClass()});
    TxtSARFunction.clear();
}

void StartCandleUnit()
{
    if (!candleStarts.First()) return;
    RegisterSeriesType(TCandleSeries::StaticClass(), &TxtCandle, &TxtFinancial, 1);
    RegisterSeriesType(TVolumeSeries::StaticClass(), &TxtVolume2, &TxtFinancial, 1);
    RegisterSeriesType(TDarvasSeries::StaticClass(), &TxtDarvas, &TxtFinancial, 1);
    RegisterFunctionType(TADXFunction::StaticClass(), &TxtADXFunction, &TxtFinancial, 1);
    RegisterFunctionType(TATRFunction::StaticClass(), &TxtATRFunction, &TxtFinancial, 1);
    RegisterFunctionType(TRSIFunction::StaticClass(), &TxtRSI, &TxtFinancial, 1);
    RegisterFunctionType(TCompressFunction::StaticClass(), &TxtCompression, &TxtFinancial, 1);
    FinancialVolumeSeriesClass = &TVolumeSeries::StaticClass();
    FinancialSampleSeriesClass = &TCandleSeries::StaticClass();
}

void StopCandleUnit()
{
    if (!candleStarts.Last()) return;
    UnregisterSeriesTypes(
        {&TCandleSeries::StaticClass(), &TVolumeSeries::StaticClass(), &TDarvasSeries::StaticClass()});
    UnregisterFunctionTypes({&TADXFunction::StaticClass(), &TATRFunction::StaticClass(), &TRSIFunction::StaticClass(),
                             &TCompressFunction::StaticClass()});
    FinancialVolumeSeriesClass = nullptr;
    FinancialSampleSeriesClass = nullptr;
}

void StartFinancialUnits()
{
    StartOHLChartUnit();
    StartCandleUnit();
}

void StopFinancialUnits()
{
    StopCandleUnit();
    StopOHLChartUnit();
}
