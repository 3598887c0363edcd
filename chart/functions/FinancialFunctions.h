#pragma once
// Indicators of an OHLC source: on-balance volume, parabolic stop-and-reverse, the average
// directional index with its +DI and -DI lines, the average true range and the relative strength
// index.
#include <iterator>

#include "chart/functions/FinancialFunction.h"

class TFastLineSeries;
class TZebPen;

class TOBVFunction : public TFinancialFunction {
    TV_CLASS(TOBVFunction, TFinancialFunction)
public:
    explicit TOBVFunction(TComponent* owner);

    // The traded volumes; forgotten when that series is freed.
    TChartSeries* Volume() const { return volume_; }
    void SetVolume(TChartSeries* value);

    void RecomputeFrom(TChartSeries* source) override;
    void SetupSampleChart(TCustomAxisPanel* chart) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TChartSeries* volume_ = nullptr;
};

class TSARFunction : public TFinancialFunction {
    TV_CLASS(TSARFunction, TFinancialFunction)
public:
    explicit TSARFunction(TComponent* owner);

    double AccelerationFactor() const { return accelerationFactor_; }
    void SetAccelerationFactor(double value);
    double MaxStep() const { return maxStep_; }
    void SetMaxStep(double value);

    void RecomputeFrom(TChartSeries* source) override;
    // The stop values of every point of an OHLC source (at least three points).
    std::vector<double> CalcSAR(const TChartSeries& source) const;

private:
    double accelerationFactor_ = 0.02;
    double maxStep_ = 0.2;
};

class TADXFunction : public TFinancialFunction {
    TV_CLASS(TADXFunction, TFinancialFunction)
public:
    explicit TADXFunction(TComponent* owner);

    TFastLineSeries* UpLine() const { return up_; }
    TFastLineSeries* DownLine() const { return down_; }
    TZebPen* UpLinePen() const;
    void SetUpLinePen(TZebPen* value);
    TZebPen* DownLinePen() const;
    void SetDownLinePen(TZebPen* value);

    void RecomputeFrom(TChartSeries* source) override;
    void SetupSampleChart(TCustomAxisPanel* chart) override;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TFastLineSeries* down_;
    TFastLineSeries* up_;
};

class TATRFunction : public TFinancialFunction {
    TV_CLASS(TATRFunction, TFinancialFunction)
public:
    explicit TATRFunction(TComponent* owner);
    void RecomputeFrom(TChartSeries* source) override;
    void SetupSampleChart(TCustomAxisPanel* chart) override;
};

enum TRSIStyle { rsiOpenClose, rsiClose };
inline constexpr const char* TRSIStyleNames[] = {"rsiOpenClose", "rsiClose"};
static_assert(std::size(TRSIStyleNames) == rsiClose + 1);

// rsiClose is the usual index of close-to-close changes; rsiOpenClose sums the closes themselves,
// up or down by the candle's direction.
class TRSIFunction : public TZebMovingFunction {
    TV_CLASS(TRSIFunction, TZebMovingFunction)
public:
    explicit TRSIFunction(TComponent* owner);

    TRSIStyle Style() const { return style_; }
    void SetStyle(TRSIStyle value);

    const TMetaClass* PreferredSeriesClass() const override;
    bool AcceptsSource(TChartSeries* series) override { return IsOHLCSeries(series); }
    void RecomputeFrom(TChartSeries* source) override;
    void SetupSampleChart(TCustomAxisPanel* chart) override;

protected:
    double ComputeOverRange(TChartSeries* source, int first, int last) override;

private:
    TRSIStyle style_ = rsiOpenClose;
    // The lists named "Close" and "Open" of the last source.
    const TChartSeries* listsOf_ = nullptr;
    TChartValueList* close_ = nullptr;
    TChartValueList* open_ = nullptr;
};

// The true range of point i (i > 0: against the previous close).
double TrueRange(const TChartSeries& source, int i);
