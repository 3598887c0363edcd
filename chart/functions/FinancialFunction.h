#pragma once
// The base of the functions that need a financial (OHLC) source, and the series classes the
// financial gallery entries draw their samples with; both stay none until the candle unit starts.
#include "chart/core/ZebFunction.h"

// The source series class of a financial function's gallery sample.
extern const TMetaClass* FinancialSampleSeriesClass;
// The class of the volume series the on-balance-volume sample makes.
extern const TMetaClass* FinancialVolumeSeriesClass;

class TFinancialFunction : public TZebFunction {
    TV_CLASS(TFinancialFunction, TZebFunction)
public:
    using TZebFunction::TZebFunction;

    const TMetaClass* PreferredSeriesClass() const override { return FinancialSampleSeriesClass; }
    // Only OHLC series.
    bool AcceptsSource(TChartSeries* series) override;
    static void HideOwnedSeries(TChartSeries& series) { ::HideOwnedSeries(series); }
};

bool IsOHLCSeries(const TChartSeries* series);
