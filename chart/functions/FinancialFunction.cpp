#include "chart/functions/FinancialFunction.h"

#include "chart/series/OHLCSeries.h"
#include "platform/classes/Published.h"

const TMetaClass* FinancialSampleSeriesClass = nullptr;
const TMetaClass* FinancialVolumeSeriesClass = nullptr;

TV_PUBLISHED_AS(TFinancialFunction, TZebFunctionClass) {}

bool IsOHLCSeries(const TChartSeries* series) { return dynamic_cast<const TOHLCSeries*>(series) != nullptr; }

bool TFinancialFunction::AcceptsSource(TChartSeries* series) { return IsOHLCSeries(series); }
