#pragma once
// Spread and shape of a source's values: standard deviation, root mean square and variance of
// each period, skewness and kurtosis of the whole source.
#include "chart/core/ZebFunction.h"

// Complete: the population form (n) instead of the sample form (n - 1).
class TStdDeviationFunction : public TZebFunction {
    TV_CLASS(TStdDeviationFunction, TZebFunction)
public:
    using TZebFunction::TZebFunction;
    bool Complete() const { return complete_; }
    void SetComplete(bool value);

protected:
    double ComputeFromValues(const std::vector<double>& work) override;

private:
    bool complete_ = false;
};

class TRMSFunction : public TZebFunction {
    TV_CLASS(TRMSFunction, TZebFunction)
public:
    using TZebFunction::TZebFunction;
    bool Complete() const { return complete_; }
    void SetComplete(bool value);

protected:
    double ComputeFromValues(const std::vector<double>& work) override;

private:
    bool complete_ = false;
};

// Always the population form.
class TVarianceFunction : public TZebFunction {
    TV_CLASS(TVarianceFunction, TZebFunction)
public:
    using TZebFunction::TZebFunction;
    void SetupSampleChart(TCustomAxisPanel* chart) override;

protected:
    double ComputeFromValues(const std::vector<double>& work) override;
};

// The whole source's third central moment over the sample deviation cubed, whatever period is
// asked for. Complete is kept and stored but does not enter the formula.
class TSkewnessFunction : public TZebFunction {
    TV_CLASS(TSkewnessFunction, TZebFunction)
public:
    using TZebFunction::TZebFunction;
    bool Complete() const { return complete_; }
    void SetComplete(bool value);
    void SetupSampleChart(TCustomAxisPanel* chart) override;

protected:
    double ComputeOverRange(TChartSeries* source, int first, int last) override;
    virtual int MomentOrder() const { return 3; }

private:
    bool complete_ = false;
};

// The fourth moment, without subtracting 3.
class TKurtosisFunction : public TSkewnessFunction {
    TV_CLASS(TKurtosisFunction, TSkewnessFunction)
public:
    using TSkewnessFunction::TSkewnessFunction;

protected:
    int MomentOrder() const override { return 4; }
};
