#include "chart/functions/FunctionUnits.h"

#include "chart/core/SeriesTypes.h"
#include "chart/core/UnitStarts.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebProCo.h"
#include "chart/functions/CountFunction.h"
#include "chart/functions/CumulativeFunction.h"
#include "chart/functions/CurveFitting.h"
#include "chart/functions/DownSampling.h"
#include "chart/functions/HistogramFunction.h"
#include "chart/functions/StandardFunctions.h"

namespace {
TUnitStarts standardStarts, fittingStarts, countStarts, cumulativeStarts, downSamplingStarts, histogramStarts;
}  // namespace

void StartStandardFunctionsUnit()
{
    if (!standardStarts.First()) return;
    RegisterStandardFunctionType(TAddZebFunction::StaticClass(), &TxtAdd);
    RegisterStandardFunctionType(TSubtractZebFunction::StaticClass(), &TxtSubtract);
    RegisterStandardFunctionType(TMultiplyZebFunction::StaticClass(), &TxtMultiply);
    RegisterStandardFunctionType(TDivideZebFunction::StaticClass(), &TxtDivide);
    RegisterStandardFunctionType(THighZebFunction::StaticClass(), &TxtHigh);
    RegisterStandardFunctionType(TLowZebFunction::StaticClass(), &TxtLow);
    RegisterStandardFunctionType(TAverageZebFunction::StaticClass(), &TxtAverage);
    RegisterStandardFunctionType(TCustomZebFunction::StaticClass(), &TxtYFX);
    RegisterStandardFunctionType(TMedianZebFunction::StaticClass(), &TxtMedian);
    RegisterStandardFunctionType(TModeZebFunction::StaticClass(), &TxtMode);
    RegisterStandardFunctionType(TSubsetZebFunction::StaticClass(), &TxtSubset);
    RegisterStandardFunctionType(TParetoZebFunction::StaticClass(), &TxtPareto);
}

// The standard functions stay registered to the end of the program.
void StopStandardFunctionsUnit() { standardStarts.Last(); }

void StartCurveFittingUnit()
{
    if (!fittingStarts.First()) return;
    RegisterFunctionType(TCurveFittingFunction::StaticClass(), &TxtCurveFitting, &TxtExtended, 1);
    RegisterFunctionType(TTrendFunction::StaticClass(), &TxtTrend, &TxtExtended, 1);
    RegisterFunctionType(TExpTrendFunction::StaticClass(), &TxtExponentialTrend, &TxtExtended, 1);
    RegisterFunctionType(TCorrelationFunction::StaticClass(), &TxtCorrelation, &TxtExtended, 1);
}

void StopCurveFittingUnit()
{
    if (!fittingStarts.Last()) return;
    UnregisterFunctionTypes({&TCurveFittingFunction::StaticClass(), &TTrendFunction::StaticClass(),
                             &TExpTrendFunction::StaticClass(), &TCorrelationFunction::StaticClass()});
}

void StartCountUnit()
{
    if (countStarts.First()) RegisterStandardFunctionType(TCountZebFunction::StaticClass(), &TxtCount);
}

void StopCountUnit()
{
    if (countStarts.Last()) UnregisterFunctionTypes({&TCountZebFunction::StaticClass()});
}

void StartCumulativeUnit()
{
    if (cumulativeStarts.First()) RegisterFunctionType(TCumulative::StaticClass(), &TxtCumulative, &TxtExtended, 2);
}

void StopCumulativeUnit()
{
    if (cumulativeStarts.Last()) UnregisterFunctionTypes({&TCumulative::StaticClass()});
}

void StartDownSamplingUnit()
{
    if (downSamplingStarts.First())
        RegisterFunctionType(TDownSamplingFunction::StaticClass(), &TxtDownsampling, &TxtExtended, 1);
}

void StopDownSamplingUnit()
{
    if (downSamplingStarts.Last()) UnregisterFunctionTypes({&TDownSamplingFunction::StaticClass()});
}

void StartHistogramFunctionUnit()
{
    if (histogramStarts.First())
        RegisterFunctionType(THistogramFunction::StaticClass(), &TxtHistogram, &TxtExtended, 1);
}

void StopHistogramFunctionUnit()
{
    if (histogramStarts.Last()) UnregisterFunctionTypes({&THistogramFunction::StaticClass()});
}

void StartFunctionUnits()
{
    StartStandardFunctionsUnit();
    StartStatisticsUnit();
    StartCurveFittingUnit();
    StartCountUnit();
    StartCumulativeUnit();
    StartDownSamplingUnit();
    StartHistogramFunctionUnit();
}

void StopFunctionUnits()
{
    StopHistogramFunctionUnit();
    StopDownSamplingUnit();
    StopCumulativeUnit();
    StopCountUnit();
    StopCurveFittingUnit();
    StopStatisticsUnit();
    StopStandardFunctionsUnit();
}
