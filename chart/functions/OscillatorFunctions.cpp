// Oscillator and band indicators. The averages run on plain series of the function that are
// never drawn; the extra lines follow the output before each refill and are emptied with it.
#include "chart/functions/OscillatorFunctions.h"

#include <cmath>
#include <vector>

#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartException.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebProCo.h"
#include "chart/functions/FunctionSeries.h"
#include "chart/functions/FunctionClasses.h"
#include "chart/functions/MovingAverages.h"
#include "chart/series/FastLineSeries.h"
#include "chart/series/OHLCSeries.h"
#include "chart/series/VolumeSeries.h"
#include "platform/classes/Published.h"

namespace {

constexpr char MACDForm[] = "TMACDFuncEditor";
constexpr char BollingerForm[] = "TBollingerFuncEditor";
constexpr char PVOForm[] = "TPVOFuncEditor";
constexpr char CCIForm[] = "TCCIFuncEditor";
constexpr char RVIForm[] = "TRVIFuncEditor";

constexpr TColor SignalColor = static_cast<TColor>(0x008000);
constexpr TColor HistogramColor = static_cast<TColor>(0x0000FF);
constexpr TColor White = static_cast<TColor>(0xFFFFFF);
constexpr TColor Blue = static_cast<TColor>(0xFF0000);

double X(TChartSeries* source, int index) { return source->IndependentValueList()->ValueAt(index); }

void OutputRangeInPercent(TZebFunction& function, double low, double high)
{
    function.SplitVerticalAxes();
    if (TChartSeries* output = function.OutputSeries(); output && output->GetVertAxis()) {
        output->GetVertAxis()->ApplyRange(low, high);
        output->GetVertAxis()->SetAxisValuesFormat("0%");
    }
}

}  // namespace

TV_PUBLISHED_AS(TMACDFunction, TFunctionWithForm<MACDForm>)
{
    Prop("HistogramPen", &TMACDFunction::HistogramPen, &TMACDFunction::SetHistogramPen);
    Prop("MACDExpPen", &TMACDFunction::MACDExpPen, &TMACDFunction::SetMACDExpPen);
    Prop("MACDPen", &TMACDFunction::MACDPen, &TMACDFunction::SetMACDPen);
    Prop("Period2", &TMACDFunction::Period2, &TMACDFunction::SetPeriod2, 12.0);
    Prop("Period3", &TMACDFunction::Period3, &TMACDFunction::SetPeriod3, 9);
}

TV_PUBLISHED_AS(TBollingerFunction, TFunctionWithForm<BollingerForm>)
{
    Prop("Deviation", &TBollingerFunction::Deviation, &TBollingerFunction::SetDeviation, 2.0);
    Prop("Exponential", &TBollingerFunction::Exponential, &TBollingerFunction::SetExponential, true);
    Prop("LowBandPen", &TBollingerFunction::LowBandPen, &TBollingerFunction::SetLowBandPen);
    Prop("UpperBandPen", &TBollingerFunction::UpperBandPen, &TBollingerFunction::SetUpperBandPen);
}

TV_PUBLISHED_AS(TStochasticFunction, TZebFunctionClass) {}

TV_PUBLISHED_AS(TPVOFunction, TFunctionWithForm<PVOForm>)
{
    Prop("Percentage", &TPVOFunction::Percentage, &TPVOFunction::SetPercentage, true);
    Prop("Period2", &TPVOFunction::Period2, &TPVOFunction::SetPeriod2, 26);
}

TV_PUBLISHED_AS(TCCIFunction, TFunctionWithForm<CCIForm>)
{
    Prop("Constant", &TCCIFunction::Constant, &TCCIFunction::SetConstant, 0.015);
}

TV_PUBLISHED_AS(TRVIFunction, TFunctionWithForm<RVIForm>)
{
    Prop("SignalPen", &TRVIFunction::SignalPen, &TRVIFunction::SetSignalPen);
}

// ---- MACD ----

TMACDFunction::TMACDFunction(TComponent* owner)
    : TZebMovingFunction(owner),
      fastSeries_(NewFunctionSeries(this, TExpMovAveFunction::StaticClass(), 12)),
      slowSeries_(NewFunctionSeries(this, TExpMovAveFunction::StaticClass(), 26)),
      signal_(OwnedSeries().Add(new TFastLineSeries(this))),
      histogram_(OwnedSeries().Add(new TVolumeSeries(this)))
{
    OneSource = true;
    InitPeriod(26);
    signal_->SetSeriesColor(SignalColor);
    signalAverage_ = new TExpMovAveFunction(signal_);
    signalAverage_->InitPeriod(9);
    signal_->AttachFunction(signalAverage_);
    histogram_->SetSeriesColor(HistogramColor);
    histogram_->SetUseYOrigin(true);
    histogram_->SetYOrigin(0);
}

double TMACDFunction::Period2() const { return fastSeries_->FunctionObject()->Period(); }

void TMACDFunction::SetPeriod2(double value)
{
    if (value == fastSeries_->FunctionObject()->Period()) return;
    if (value < 0) throw ChartException(TxtFunctionPeriodShouldBe0);
    fastSeries_->FunctionObject()->InitPeriod(value < 1 ? 1 : value);
    RequestRecalc();
}

int TMACDFunction::Period3() const { return RoundHalfEven(signalAverage_->Period()); }
void TMACDFunction::SetPeriod3(int value) { signalAverage_->SetPeriod(value); }

TZebPen* TMACDFunction::MACDPen() const { return OutputSeries() ? OutputSeries()->Pen() : nullptr; }

void TMACDFunction::SetMACDPen(TZebPen* value)
{
    if (OutputSeries()) OutputSeries()->Pen()->Assign(value);
}

TZebPen* TMACDFunction::MACDExpPen() const { return signal_->Pen(); }
void TMACDFunction::SetMACDExpPen(TZebPen* value) { signal_->Pen()->Assign(value); }
TZebPen* TMACDFunction::HistogramPen() const { return histogram_->Pen(); }
void TMACDFunction::SetHistogramPen(TZebPen* value) { histogram_->Pen()->Assign(value); }

void TMACDFunction::RecomputeFrom(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    if (!source || !output) return;
    output->RemoveAllPoints();
    if (source->Count() > 1) {
        fastSeries_->FunctionObject()->RecomputeFrom(source);
        slowSeries_->FunctionObject()->InitPeriod(Period());
        slowSeries_->FunctionObject()->RecomputeFrom(source);
        const TChartValueList& f = *fastSeries_->YValues();
        const TChartValueList& s = *slowSeries_->YValues();
        // One notification for the whole line, not one per point to the signal line.
        const TPointUpdateBlock block(*output);
        for (int i = 0; i < source->Count() && i < f.Count() && i < s.Count(); ++i)
            output->InsertXY(X(source, i), f.ValueAt(i) - s.ValueAt(i));
        fastSeries_->RemoveAllPoints();
        slowSeries_->RemoveAllPoints();
    }
    OwnedSeries().FollowOutput(*output);
    if (output->SeriesColor() == White) output->SetSeriesColor(Blue);
    // The signal line is the average of the MACD line, recalculated with it.
    signal_->SetDataSource(nullptr);
    signal_->SetDataSource(output);
    if (!histogram_->Active()) return;
    const TPointUpdateBlock block(*histogram_);
    histogram_->RemoveAllPoints();
    const TChartValueList& sy = *signal_->YValues();
    for (int i = 0; i < signal_->Count() && i < output->Count(); ++i)
        histogram_->InsertXY(signal_->XValues()->ValueAt(i), output->YValues()->ValueAt(i) - sy.ValueAt(i));
}

void TMACDFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TZebMovingFunction::SetupSampleChart(chart);
    SplitVerticalAxes();
    if (TChartSeries* output = OutputSeries()) OwnedSeries().FollowOutput(*output);
}

// ---- Bollinger bands ----

TBollingerFunction::TBollingerFunction(TComponent* owner)
    : TZebFunction(owner), lowBand_(OwnedSeries().Add(new TFastLineSeries(this)))
{
    OneSource = true;
    InitPeriod(10);
}

void TBollingerFunction::SetDeviation(double value) { Change(deviation_, value); }

void TBollingerFunction::SetExponential(bool value) { Change(exponential_, value); }

TZebPen* TBollingerFunction::UpperBandPen() const { return OutputSeries() ? OutputSeries()->Pen() : nullptr; }

void TBollingerFunction::SetUpperBandPen(TZebPen* value)
{
    if (OutputSeries()) OutputSeries()->Pen()->Assign(value);
}

TZebPen* TBollingerFunction::LowBandPen() const { return lowBand_->Pen(); }
void TBollingerFunction::SetLowBandPen(TZebPen* value) { lowBand_->Pen()->Assign(value); }

void TBollingerFunction::RecomputeFrom(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    if (!source || !output) return;
    OwnedSeries().FollowOutput(*output);
    lowBand_->SetSeriesColor(output->SeriesColor());
    if (&output->ClassType() == &lowBand_->ClassType()) lowBand_->Pen()->Assign(output->Pen());
    if (Period() <= 0) return;
    fillBand(source, *output, deviation_);
    fillBand(source, *lowBand_, -deviation_);
}

void TBollingerFunction::fillBand(TChartSeries* source, TChartSeries& target, double k)
{
    const double p = Period();
    const int P = RoundHalfEven(p);
    TOwnedPtr<TChartSeries> averages(NewFunctionSeries(
        nullptr, exponential_ ? TExpMovAveFunction::StaticClass() : TMovingAverageFunction::StaticClass(), p));
    const String& own = OutputSeries()->MandatoryValueList()->ValueSource();
    const String name = own.empty() ? source->MandatoryValueList()->Name() : own;
    averages->MandatoryValueList()->SetValueSource(name);
    averages->FunctionObject()->RecomputeFrom(source);
    const TChartValueList& values = *source->FindValueList(name);
    const TChartValueList& mean = *averages->YValues();
    target.RemoveAllPoints();
    const TPointUpdateBlock block(target);
    for (int i = P; i <= source->Count(); ++i) {
        // The average at the window's last point; none (a period rounding to 0, an exponential
        // average over one point) leaves the band point out.
        const int at = exponential_ ? i - 1 : i - P;
        if (P < 1 || at < 0 || at >= mean.Count()) continue;
        double sum = 0, squares = 0;
        for (int j = i - P; j < i; ++j) {
            const double v = values.ValueAt(j);
            sum += v;
            squares += v * v;
        }
        const double radicand = (p * squares - sum * sum) / (p * p);
        const double s = radicand > 0 ? std::sqrt(radicand) : 0;
        target.InsertXY(X(source, i - 1), mean.ValueAt(at) + k * s);
    }
}

// ---- stochastic ----

TStochasticFunction::TStochasticFunction(TComponent* owner) : TZebMovingFunction(owner)
{
    OneSource = true;
    OwnValueLists = true;
    InitPeriod(1);
}

double TStochasticFunction::ComputeOverRange(TChartSeries* source, int first, int last)
{
    if (first == -1) first = 0, last = source->Count() - 1;
    if (last < first) return 0;
    const TChartValueList& lows = *source->FindValueList(TxtLow2);
    const TChartValueList& highs = *source->FindValueList(TxtHigh2);
    double low = lows.ValueAt(first), high = highs.ValueAt(first);
    for (int i = first + 1; i <= last; ++i) {
        low = std::min(low, lows.ValueAt(i));
        high = std::max(high, highs.ValueAt(i));
    }
    if (low == high) return 0;
    const double close = SourceValueList(source)->ValueAt(last);
    return (close - low) / (high - low) * 100;
}

void TStochasticFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TZebMovingFunction::SetupSampleChart(chart);
    OutputRangeInPercent(*this, 0, 100);
}

// ---- percentage volume oscillator ----

TPVOFunction::TPVOFunction(TComponent* owner)
    : TZebFunction(owner),
      fastSeries_(NewFunctionSeries(this, TExpMovAveFunction::StaticClass(), 12)),
      slowSeries_(NewFunctionSeries(this, TExpMovAveFunction::StaticClass(), 26))
{
    OneSource = true;
    OwnValueLists = true;
    UsesPeriod = false;
    InitPeriod(12);
}

int TPVOFunction::Period2() const { return RoundHalfEven(slowSeries_->FunctionObject()->Period()); }

void TPVOFunction::SetPeriod2(int value)
{
    slowSeries_->FunctionObject()->SetPeriod(value);
    RequestRecalc();
}

void TPVOFunction::SetPercentage(bool value)
{
    percentage_ = value;
    RequestRecalc();
}

void TPVOFunction::RecomputeFrom(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    if (!source || !output) return;
    output->RemoveAllPoints();
    if (Period() <= 0 || source->Count() < 2) return;
    fastSeries_->FunctionObject()->InitPeriod(Period());
    fastSeries_->FunctionObject()->RecomputeFrom(source);
    slowSeries_->FunctionObject()->RecomputeFrom(source);
    const TChartValueList& fast = *fastSeries_->YValues();
    const TChartValueList& slow = *slowSeries_->YValues();
    for (int i = 0; i < source->Count() && i < fast.Count() && i < slow.Count(); ++i) {
        const double f = fast.ValueAt(i), s = slow.ValueAt(i);
        const double r = !percentage_ ? f - s : f == 0 ? s : (f - s) / f;
        output->InsertXY(X(source, i), r * 100);
    }
}

void TPVOFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TZebFunction::SetupSampleChart(chart);
    OutputRangeInPercent(*this, -100, 100);
}

// ---- commodity channel index ----

TCCIFunction::TCCIFunction(TComponent* owner) : TFinancialFunction(owner)
{
    OneSource = true;
    OwnValueLists = true;
    UsesPeriod = true;
    InitPeriod(20);
}

void TCCIFunction::SetConstant(double value) { Change(constant_, value); }

void TCCIFunction::RecomputeFrom(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    if (!source || !output) return;
    output->RemoveAllPoints();
    const int P = RoundHalfEven(Period()), count = source->Count();
    if (P < 1 || count < P) return;
    std::vector<double> typical(static_cast<size_t>(count));
    const auto* ohlc = dynamic_cast<const TOHLCSeries*>(source);
    for (int i = 0; i < count; ++i)
        typical[static_cast<size_t>(i)] =
            ohlc ? (ohlc->CloseValues()->ValueAt(i) + ohlc->HighValues()->ValueAt(i) + ohlc->LowValues()->ValueAt(i)) / 3
                 : source->MandatoryValueList()->ValueAt(i);
    const double c = constant_ == 0 ? 1 : constant_;
    double windowSum = 0;
    for (int i = 0; i < count; ++i) {
        windowSum += typical[static_cast<size_t>(i)];
        if (i >= P) windowSum -= typical[static_cast<size_t>(i - P)];
        if (i < P - 1) continue;
        const double a = windowSum / P;
        double md = 0;
        for (int j = i - P + 1; j <= i; ++j) md += std::fabs(a - typical[static_cast<size_t>(j)]);
        md /= P;
        // Constant typical prices deviate by nothing: no index.
        if (md != 0) output->InsertXY(X(source, i), (typical[static_cast<size_t>(i)] - a) / (md * c));
    }
}

void TCCIFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TFinancialFunction::SetupSampleChart(chart);
    SplitVerticalAxes();
}

// ---- relative vigor index ----

TRVIFunction::TRVIFunction(TComponent* owner)
    : TFinancialFunction(owner), raw_(new TChartSeries(this)), signal_(OwnedSeries().Add(new TFastLineSeries(this)))
{
    OneSource = true;
    OwnValueLists = true;
    InitPeriod(10);
    signal_->SetSeriesColor(SignalColor);
    auto* average = new TMovingAverageFunction(signal_);
    average->InitPeriod(4);
    signal_->AttachFunction(average);
    signal_->SetDataSource(raw_);
}

TZebPen* TRVIFunction::SignalPen() const { return signal_->Pen(); }
void TRVIFunction::SetSignalPen(TZebPen* value) { signal_->Pen()->Assign(value); }

void TRVIFunction::RecomputeFrom(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    if (!source || !output || Period() < 2 || !AcceptsSource(source)) return;
    OwnedSeries().FollowOutput(*output);
    if (source->Count() < Period()) return;
    const auto& ohlc = static_cast<const TOHLCSeries&>(*source);
    {
        // The signal line averages the raw values once, when the bracket ends.
        const TPointUpdateBlock block(*raw_);
        raw_->RemoveAllPoints();
        for (int i = 0; i < source->Count(); ++i) {
            const double high = ohlc.HighValues()->ValueAt(i), low = ohlc.LowValues()->ValueAt(i);
            const double vigor =
                high == low ? 0 : (ohlc.CloseValues()->ValueAt(i) - ohlc.OpenValues()->ValueAt(i)) / (high - low);
            raw_->InsertXY(X(source, i), vigor);
        }
    }
    TOwnedPtr<TChartSeries> smoothed = ComputedSeries(*raw_, TMovingAverageFunction::StaticClass(), Period());
    for (int i = 0; i < smoothed->Count(); ++i)
        output->InsertXY(smoothed->XValues()->ValueAt(i), smoothed->YValues()->ValueAt(i));
}

void TRVIFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TFinancialFunction::SetupSampleChart(chart);
    SplitVerticalAxes();
    if (TChartSeries* output = OutputSeries()) OwnedSeries().FollowOutput(*output);
}
