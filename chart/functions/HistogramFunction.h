#pragma once
// Counts of the source's values in equal-width bins between its lowest and highest value: one
// output point per bin, X the bin centre.
#include <iterator>

#include "chart/core/ZebFunction.h"

enum TDataStyle { hdsTruncate, hdsRound };
inline constexpr const char* TDataStyleNames[] = {"hdsTruncate", "hdsRound"};
static_assert(std::size(TDataStyleNames) == hdsRound + 1);

class THistogramFunction : public TZebFunction {
    TV_CLASS(THistogramFunction, TZebFunction)
public:
    explicit THistogramFunction(TComponent* owner);

    // At least 1.
    int NumBins() const { return numBins_; }
    void SetNumBins(int value);
    // Each bin also counts the bins before it.
    bool Cumulative() const { return cumulative_; }
    void SetCumulative(bool value);
    // The histogram's own: whether null points are counted (the base's IncludeNulls is not read).
    bool IncludeNulls() const { return includeNulls_; }
    void SetIncludeNulls(bool value);
    // How a value's position among the bins becomes whole.
    TDataStyle DataStyle() const { return dataStyle_; }
    void SetDataStyle(TDataStyle value);

    void RecomputeFrom(TChartSeries* source) override;
    void SetupSampleChart(TCustomAxisPanel* chart) override;

private:
    int numBins_ = 20;
    bool cumulative_ = false;
    bool includeNulls_ = true;
    TDataStyle dataStyle_ = hdsTruncate;
};
