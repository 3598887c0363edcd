#pragma once
// The elementary calculation functions: arithmetic across sources (add, subtract, multiply,
// divide), the extremes and mean of a period, median and mode, a copy of an X range, the Pareto
// curve and a function whose points come from a handler ("y = f(x)").
#include "chart/core/ZebFunction.h"
#include "platform/classes/MethodEvent.h"

class TAddZebFunction : public TZebFunction {
    TV_CLASS(TAddZebFunction, TZebFunction)
public:
    using TZebFunction::TZebFunction;
    void SetupSampleChart(TCustomAxisPanel* chart) override;

protected:
    double ComputeFromValues(const std::vector<double>& work) override;
};

// The functions meant for two or more sources.
class TManySeriesZebFunction : public TZebFunction {
    TV_CLASS(TManySeriesZebFunction, TZebFunction)
public:
    using TZebFunction::TZebFunction;
};

// The first value less the others.
class TSubtractZebFunction : public TManySeriesZebFunction {
    TV_CLASS(TSubtractZebFunction, TManySeriesZebFunction)
public:
    using TManySeriesZebFunction::TManySeriesZebFunction;
    void SetupSampleChart(TCustomAxisPanel* chart) override;

protected:
    double ComputeFromValues(const std::vector<double>& work) override;
};

class TMultiplyZebFunction : public TManySeriesZebFunction {
    TV_CLASS(TMultiplyZebFunction, TManySeriesZebFunction)
public:
    using TManySeriesZebFunction::TManySeriesZebFunction;
    void SetupSampleChart(TCustomAxisPanel* chart) override;

protected:
    double ComputeFromValues(const std::vector<double>& work) override;
};

// The first value divided by each later one that is not 0.
class TDivideZebFunction : public TManySeriesZebFunction {
    TV_CLASS(TDivideZebFunction, TManySeriesZebFunction)
public:
    using TManySeriesZebFunction::TManySeriesZebFunction;
    void SetupSampleChart(TCustomAxisPanel* chart) override;

protected:
    double ComputeFromValues(const std::vector<double>& work) override;
};

// High, low and average read the whole source from the list's cached statistics (values at null
// points included) while nulls count.
class THighZebFunction : public TZebFunction {
    TV_CLASS(THighZebFunction, TZebFunction)
public:
    using TZebFunction::TZebFunction;

protected:
    double ComputeFromValues(const std::vector<double>& work) override;
    double ComputeOverRange(TChartSeries* source, int first, int last) override;
};

class TLowZebFunction : public TZebFunction {
    TV_CLASS(TLowZebFunction, TZebFunction)
public:
    using TZebFunction::TZebFunction;

protected:
    double ComputeFromValues(const std::vector<double>& work) override;
    double ComputeOverRange(TChartSeries* source, int first, int last) override;
};

class TAverageZebFunction : public TZebFunction {
    TV_CLASS(TAverageZebFunction, TZebFunction)
public:
    using TZebFunction::TZebFunction;

protected:
    double ComputeFromValues(const std::vector<double>& work) override;
    double ComputeOverRange(TChartSeries* source, int first, int last) override;
};

class TCustomZebFunction;
using TCalculateEvent = TMethodEvent<void(TCustomZebFunction* Sender, double x, double& y)>;

// NumPoints points from StartX, Period apart; the handler receives the previous point's y.
class TCustomZebFunction : public TZebFunction {
    TV_CLASS(TCustomZebFunction, TZebFunction)
public:
    explicit TCustomZebFunction(TComponent* owner);

    int NumPoints() const { return numPoints_; }
    void SetNumPoints(int value) { numPoints_ = value; }
    double StartX() const { return startX_; }
    void SetStartX(double value) { startX_ = value; }
    const TCalculateEvent& OnCalculate() const { return onCalculate_; }
    void SetOnCalculate(TCalculateEvent value) { onCalculate_ = std::move(value); }
    // The point being calculated; index -1 outside a calculation.
    double CurrentX() const { return currentX_; }
    int CurrentIndex() const { return currentIndex_; }

    void RecomputeFrom(TChartSeries* source) override;
    void SetupSampleChart(TCustomAxisPanel* chart) override;

private:
    int numPoints_ = 100;
    double startX_ = 0;
    double currentX_ = 0;
    int currentIndex_ = -1;
    TCalculateEvent onCalculate_;
};

// Keeps the work array ascending; equal values keep their arrival order.
class TCustomSortedFunction : public TZebFunction {
    TV_CLASS(TCustomSortedFunction, TZebFunction)
public:
    using TZebFunction::TZebFunction;

protected:
    void PutWorkValue(std::vector<double>& work, int position, double value) override;
};

class TMedianZebFunction : public TCustomSortedFunction {
    TV_CLASS(TMedianZebFunction, TCustomSortedFunction)
public:
    using TCustomSortedFunction::TCustomSortedFunction;

protected:
    double ComputeFromValues(const std::vector<double>& work) override;
};

// The value of the longest run of equal values; the smallest wins a tie.
class TModeZebFunction : public TCustomSortedFunction {
    TV_CLASS(TModeZebFunction, TCustomSortedFunction)
public:
    using TCustomSortedFunction::TCustomSortedFunction;

protected:
    double ComputeFromValues(const std::vector<double>& work) override;
};

// The source points whose X lies in StartValue .. EndValue.
class TSubsetZebFunction : public TZebFunction {
    TV_CLASS(TSubsetZebFunction, TZebFunction)
public:
    explicit TSubsetZebFunction(TComponent* owner);

    double StartValue() const { return startValue_; }
    void SetStartValue(double value);
    double EndValue() const { return endValue_; }
    void SetEndValue(double value);

    void RecomputeFrom(TChartSeries* source) override;
    void SetupSampleChart(TCustomAxisPanel* chart) override;

private:
    double startValue_ = 0;
    double endValue_ = 0;
};

// The cumulative percentage of absolute values up to each point.
class TParetoZebFunction : public TZebFunction {
    TV_CLASS(TParetoZebFunction, TZebFunction)
public:
    explicit TParetoZebFunction(TComponent* owner);
    void SetupSampleChart(TCustomAxisPanel* chart) override;

protected:
    double ComputeOverRange(TChartSeries* source, int first, int last) override;

private:
    const TChartValueList* runningList_ = nullptr;
    int runningFirst_ = -1;
    double runningSum_ = 0;
};
