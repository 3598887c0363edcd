#pragma once
// A copy of a source with fewer points that keeps its shape: Douglas-Peucker simplification, or
// one to four representative points of each group of consecutive points.
#include <iterator>

#include "chart/core/ZebFunction.h"

enum TDownSampleMethod {
    dsDouglas,
    dsMax,
    dsMin,
    dsMinMax,
    dsAverage,
    dsMinMaxFirstLast,
    dsMinMaxFirstLastNull
};
inline constexpr const char* TDownSampleMethodNames[] = {"dsDouglas",        "dsMax",     "dsMin",
                                                         "dsMinMax",         "dsAverage", "dsMinMaxFirstLast",
                                                         "dsMinMaxFirstLastNull"};
static_assert(std::size(TDownSampleMethodNames) == dsMinMaxFirstLastNull + 1);

class TDownSamplingFunction : public TZebFunction {
    TV_CLASS(TDownSamplingFunction, TZebFunction)
public:
    explicit TDownSamplingFunction(TComponent* owner);

    TDownSampleMethod DownSampleMethod() const { return method_; }
    void SetDownSampleMethod(TDownSampleMethod value);
    // The distance of dsDouglas or the X width of a group; below 0 stored as 0.
    double Tolerance() const { return tolerance_; }
    void SetTolerance(double value);
    // Above 0 the tolerance becomes 4 * points / DisplayedPointCount (groups of that many points).
    int DisplayedPointCount() const { return displayedPointCount_; }
    void SetDisplayedPointCount(int value) { displayedPointCount_ = value; }
    // Points of the last result.
    int ReducedSize() const { return reducedSize_; }

    void RecomputeFrom(TChartSeries* source) override;
    void SetupSampleChart(TCustomAxisPanel* chart) override;

private:
    // The source's points to reduce: those in view when the chart is drawn for the first time.
    bool rangeToReduce(TChartSeries* source, int& first, int& last) const;

    TDownSampleMethod method_ = dsDouglas;
    double tolerance_ = 1;
    int displayedPointCount_ = 0;
    int reducedSize_ = 0;
};
