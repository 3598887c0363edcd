// The statistics unit's registrations: the moving averages, statistics, change, geometry and
// indicator functions and the histogram series, in one table in gallery order.
#include <vector>

#include "chart/core/SeriesTypes.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebProCo.h"
#include "chart/functions/ChangeFunctions.h"
#include "chart/functions/FunctionUnits.h"
#include "chart/functions/MovingAverages.h"
#include "chart/functions/OscillatorFunctions.h"
#include "chart/functions/PriceVolumeFunctions.h"
#include "chart/functions/StatisticsFunctions.h"
#include "chart/series/HistogramSeries.h"
#include "chart/core/UnitStarts.h"

namespace {

struct TStatisticsType {
    const TMetaClass& (*Class)();
    bool IsSeries;
    const String* Description;
    const String* GalleryPage;
};

// One sample series each.
const std::vector<TStatisticsType>& statisticsTypes()
{
    static const std::vector<TStatisticsType> types{
        {&TMovingAverageFunction::StaticClass, false, &TxtMovingAverage, &TxtMath},
        {&TExpMovAveFunction::StaticClass, false, &TxtExpMovingAverage, &TxtMath},
        {&TExpAverageFunction::StaticClass, false, &TxtExponentialAverage, &TxtMath},
        {&TSmoothedMovAvgFunction::StaticClass, false, &TxtSmoothedMovingAverage, &TxtMath},
        {&TMomentumFunction::StaticClass, false, &TxtMomentum, &TxtMath},
        {&TMomentumDivFunction::StaticClass, false, &TxtMomentumDivision, &TxtMath},
        {&TStdDeviationFunction::StaticClass, false, &TxtStandardDeviation, &TxtStats},
        {&TRMSFunction::StaticClass, false, &TxtRootMeanSquare, &TxtStats},
        {&TSkewnessFunction::StaticClass, false, &TxtSkewness, &TxtStats},
        {&TKurtosisFunction::StaticClass, false, &TxtKurtosis, &TxtStats},
        {&TMACDFunction::StaticClass, false, &TxtMacd, &TxtFinancial},
        {&TMoneyFlowFunction::StaticClass, false, &TxtMoneyFlow, &TxtFinancial},
        {&TRVIFunction::StaticClass, false, &TxtRvi, &TxtFinancial},
        {&TAOFunction::StaticClass, false, &TxtAwesomeOscillator, &TxtFinancial},
        {&TACFunction::StaticClass, false, &TxtAcceleratorDecelerator, &TxtFinancial},
        {&TAlligatorFunction::StaticClass, false, &TxtAlligator, &TxtFinancial},
        {&TGatorFunction::StaticClass, false, &TxtGatorOscillator, &TxtFinancial},
        {&TStochasticFunction::StaticClass, false, &TxtStochastic, &TxtFinancial},
        {&TBollingerFunction::StaticClass, false, &TxtBollingerBands, &TxtFinancial},
        {&TCrossPointsFunction::StaticClass, false, &TxtCrossPoints, &TxtExtended},
        {&TPerformanceFunction::StaticClass, false, &TxtPerformance, &TxtStats},
        {&TVarianceFunction::StaticClass, false, &TxtVariance, &TxtStats},
        {&TPerimeterFunction::StaticClass, false, &TxtPerimeter, &TxtExtended},
        {&TPercentChangeFunction::StaticClass, false, &TxtPercentageChange, &TxtStats},
        {&TSlopeFunction::StaticClass, false, &TxtSlope, &TxtStats},
        {&THistogramSeries::StaticClass, true, &TxtHistogram, &TxtStats},
        {&THorizHistogramSeries::StaticClass, true, &TxtHorizontalHistogram, &TxtStats},
        {&TCLVFunction::StaticClass, false, &TxtCloseLocationValue, &TxtFinancial},
        {&TPVOFunction::StaticClass, false, &TxtVolumeOscillator, &TxtFinancial},
        {&TCCIFunction::StaticClass, false, &TxtCommodityChannelIndex, &TxtFinancial},
        {&TCentroidZebFunction::StaticClass, false, &TxtCentroid, &TxtStats},
    };
    return types;
}

TUnitStarts starts;

}  // namespace

void StartStatisticsUnit()
{
    if (!starts.First()) return;
    for (const TStatisticsType& t : statisticsTypes()) {
        if (t.IsSeries)
            RegisterSeriesType(t.Class(), t.Description, t.GalleryPage, 1);
        else
            RegisterFunctionType(t.Class(), t.Description, t.GalleryPage, 1);
    }
}

void StopStatisticsUnit()
{
    if (!starts.Last()) return;
    for (const TStatisticsType& t : statisticsTypes()) {
        if (t.IsSeries)
            UnregisterSeriesTypes({&t.Class()});
        else
            UnregisterFunctionTypes({&t.Class()});
    }
}
