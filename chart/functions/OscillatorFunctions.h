#pragma once
// Oscillator and band indicators built from the moving averages: MACD with its signal line and
// histogram, Bollinger bands, the stochastic oscillator, the percentage volume oscillator, the
// commodity channel index and the relative vigor index with its signal line. The extra lines are
// series of the function (see OwnedSeries.h).
#include "chart/functions/FinancialFunction.h"

class TExpMovAveFunction;
class TFastLineSeries;
class TMovingAverageFunction;
class TVolumeSeries;
class TZebPen;

class TMACDFunction : public TZebMovingFunction {
    TV_CLASS(TMACDFunction, TZebMovingFunction)
public:
    explicit TMACDFunction(TComponent* owner);

    // The fast average's length; the inherited Period is the slow one's.
    double Period2() const;
    // Below 0 the period error; from 0 to below 1 taken as 1.
    void SetPeriod2(double value);
    // The signal average's length.
    int Period3() const;
    void SetPeriod3(int value);
    // The output's pen (none without an output), the signal's and the histogram's.
    TZebPen* MACDPen() const;
    void SetMACDPen(TZebPen* value);
    TZebPen* MACDExpPen() const;
    void SetMACDExpPen(TZebPen* value);
    TZebPen* HistogramPen() const;
    void SetHistogramPen(TZebPen* value);

    TFastLineSeries* SignalSeries() const { return signal_; }
    TVolumeSeries* HistogramSeries() const { return histogram_; }

    void RecomputeFrom(TChartSeries* source) override;
    void SetupSampleChart(TCustomAxisPanel* chart) override;

private:
    // The fast and slow averages' series.
    TChartSeries* fastSeries_;
    TChartSeries* slowSeries_;
    TFastLineSeries* signal_;
    TExpMovAveFunction* signalAverage_;
    TVolumeSeries* histogram_;
};

class TBollingerFunction : public TZebFunction {
    TV_CLASS(TBollingerFunction, TZebFunction)
public:
    explicit TBollingerFunction(TComponent* owner);

    double Deviation() const { return deviation_; }
    void SetDeviation(double value);
    bool Exponential() const { return exponential_; }
    void SetExponential(bool value);
    TZebPen* UpperBandPen() const;
    void SetUpperBandPen(TZebPen* value);
    TZebPen* LowBandPen() const;
    void SetLowBandPen(TZebPen* value);
    TFastLineSeries* LowBand() const { return lowBand_; }

    void RecomputeFrom(TChartSeries* source) override;

private:
    // target at the average plus deviation times the window's standard deviation.
    void fillBand(TChartSeries* source, TChartSeries& target, double deviation);

    double deviation_ = 2;
    bool exponential_ = true;
    TFastLineSeries* lowBand_;
};

class TStochasticFunction : public TZebMovingFunction {
    TV_CLASS(TStochasticFunction, TZebMovingFunction)
public:
    explicit TStochasticFunction(TComponent* owner);
    const TMetaClass* PreferredSeriesClass() const override { return FinancialSampleSeriesClass; }
    void SetupSampleChart(TCustomAxisPanel* chart) override;

protected:
    double ComputeOverRange(TChartSeries* source, int first, int last) override;
};

class TPVOFunction : public TZebFunction {
    TV_CLASS(TPVOFunction, TZebFunction)
public:
    explicit TPVOFunction(TComponent* owner);

    // The slow average's length.
    int Period2() const;
    void SetPeriod2(int value);
    bool Percentage() const { return percentage_; }
    void SetPercentage(bool value);

    void RecomputeFrom(TChartSeries* source) override;
    void SetupSampleChart(TCustomAxisPanel* chart) override;

private:
    // The fast and slow averages' series.
    TChartSeries* fastSeries_;
    TChartSeries* slowSeries_;
    bool percentage_ = true;
};

class TCCIFunction : public TFinancialFunction {
    TV_CLASS(TCCIFunction, TFinancialFunction)
public:
    explicit TCCIFunction(TComponent* owner);

    // 0 divides by 1.
    double Constant() const { return constant_; }
    void SetConstant(double value);

    void RecomputeFrom(TChartSeries* source) override;
    void SetupSampleChart(TCustomAxisPanel* chart) override;

private:
    double constant_ = 0.015;
};

class TRVIFunction : public TFinancialFunction {
    TV_CLASS(TRVIFunction, TFinancialFunction)
public:
    explicit TRVIFunction(TComponent* owner);

    TZebPen* SignalPen() const;
    void SetSignalPen(TZebPen* value);
    TFastLineSeries* SignalSeries() const { return signal_; }

    void RecomputeFrom(TChartSeries* source) override;
    void SetupSampleChart(TCustomAxisPanel* chart) override;

private:
    // The raw vigor values; the signal line averages them.
    TChartSeries* raw_;
    TFastLineSeries* signal_;
};
