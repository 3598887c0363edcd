#pragma once
// The smoothing family: simple and weighted moving average, exponential moving average,
// exponential average, smoothed moving average, momentum and momentum division. The indicator
// functions build their lines from these.
#include "chart/core/ZebFunction.h"

// The mean of each window; Weighted weighs by X (and wins), WeightedIndex by position 1 .. n.
class TMovingAverageFunction : public TZebMovingFunction {
    TV_CLASS(TMovingAverageFunction, TZebMovingFunction)
public:
    using TZebMovingFunction::TZebMovingFunction;

    bool Weighted() const { return weighted_; }
    void SetWeighted(bool value);
    bool WeightedIndex() const { return weightedIndex_; }
    void SetWeightedIndex(bool value);

    void SetupSampleChart(TCustomAxisPanel* chart) override;

protected:
    double ComputeOverRange(TChartSeries* source, int first, int last) override;

private:
    bool weighted_ = false;
    bool weightedIndex_ = false;
};

// One point per source point, each 2 / (Period + 1) of the new value and the rest of the last.
class TExpMovAveFunction : public TZebFunction {
    TV_CLASS(TExpMovAveFunction, TZebFunction)
public:
    explicit TExpMovAveFunction(TComponent* owner);

    // Off: null points give no output and do not move the average.
    bool IgnoreNulls() const { return ignoreNulls_; }
    void SetIgnoreNulls(bool value);

    void RecomputeFrom(TChartSeries* source) override;

private:
    bool ignoreNulls_ = true;
};

// Weight of the current value against the previous source value.
class TExpAverageFunction : public TZebMovingFunction {
    TV_CLASS(TExpAverageFunction, TZebMovingFunction)
public:
    explicit TExpAverageFunction(TComponent* owner);

    double Weight() const { return weight_; }
    // Outside 0 .. 1 an exception with the engine's text; the weight stays.
    void SetWeight(double value);

protected:
    double ComputeOverRange(TChartSeries* source, int first, int last) override;

private:
    double weight_ = 0.2;
};

// Starts at the simple average of the first Period values, then moves 1 / Period of the way to
// each new value.
class TSmoothedMovAvgFunction : public TZebMovingFunction {
    TV_CLASS(TSmoothedMovAvgFunction, TZebMovingFunction)
public:
    using TZebMovingFunction::TZebMovingFunction;
    // The simple average the last calculation started from.
    double Seed() const { return seed_; }
    void SetupSampleChart(TCustomAxisPanel* chart) override;

protected:
    void FillFromSource(TChartSeries* source, TChartValueList* list) override;
    double ComputeOverRange(TChartSeries* source, int first, int last) override;

private:
    double seed_ = 0;
};

// The last value less the first of each window.
class TMomentumFunction : public TZebMovingFunction {
    TV_CLASS(TMomentumFunction, TZebMovingFunction)
public:
    explicit TMomentumFunction(TComponent* owner);

protected:
    double ComputeOverRange(TChartSeries* source, int first, int last) override;
};

// The last value in percent of the first; 0 when the first is 0.
class TMomentumDivFunction : public TZebMovingFunction {
    TV_CLASS(TMomentumDivFunction, TZebMovingFunction)
public:
    explicit TMomentumDivFunction(TComponent* owner);
    void SetupSampleChart(TCustomAxisPanel* chart) override;

protected:
    double ComputeOverRange(TChartSeries* source, int first, int last) override;
};
