#include "chart/functions/FinancialFunctions.h"

#include <algorithm>
#include <cmath>

#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebProCo.h"
#include "chart/functions/FunctionClasses.h"
#include "chart/series/CandleSeries.h"
#include "chart/series/FastLineSeries.h"
#include "platform/classes/Published.h"
#include "platform/rtl/MathUtils.h"

namespace {
constexpr char OBVForm[] = "TOBVFuncEditor";
constexpr char SARForm[] = "TSARFuncEditor";
constexpr char ADXForm[] = "TADXFuncEditor";

const TOHLCSeries& Prices(const TChartSeries& source) { return static_cast<const TOHLCSeries&>(source); }
double H(const TOHLCSeries& s, int i) { return s.HighValues()->ValueAt(i); }
double L(const TOHLCSeries& s, int i) { return s.LowValues()->ValueAt(i); }
double O(const TOHLCSeries& s, int i) { return s.OpenValues()->ValueAt(i); }
double C(const TOHLCSeries& s, int i) { return s.CloseValues()->ValueAt(i); }
double X(const TOHLCSeries& s, int i) { return s.DateValues()->ValueAt(i); }
}  // namespace

TV_PUBLISHED_AS(TOBVFunction, TFunctionWithForm<OBVForm>)
{
    Prop("Period", &TOBVFunction::Period, &TOBVFunction::SetPeriod, 1.0);
    Prop("Volume", &TOBVFunction::Volume, &TOBVFunction::SetVolume);
}

TV_PUBLISHED_AS(TSARFunction, TFunctionWithForm<SARForm>)
{
    Prop("AccelerationFactor", &TSARFunction::AccelerationFactor, &TSARFunction::SetAccelerationFactor, 0.02);
    Prop("MaxStep", &TSARFunction::MaxStep, &TSARFunction::SetMaxStep, 0.2);
}

TV_PUBLISHED_AS(TADXFunction, TFunctionWithForm<ADXForm>)
{
    Prop("Period", &TADXFunction::Period, &TADXFunction::SetPeriod, 14.0);
    Prop("DownLinePen", &TADXFunction::DownLinePen, &TADXFunction::SetDownLinePen);
    Prop("UpLinePen", &TADXFunction::UpLinePen, &TADXFunction::SetUpLinePen);
}

TV_PUBLISHED_AS(TATRFunction, TZebFunctionClass)
{
    Prop("Period", &TATRFunction::Period, &TATRFunction::SetPeriod, 14.0);
}

TV_PUBLISHED_AS(TRSIFunction, TZebFunctionClass)
{
    PropEnum("Style", &TRSIFunction::Style, &TRSIFunction::SetStyle, rsiOpenClose, TRSIStyleNames);
}

double TrueRange(const TChartSeries& source, int i)
{
    const TOHLCSeries& s = Prices(source);
    if (i == 0) return H(s, 0) - L(s, 0);
    const double previous = C(s, i - 1);
    return std::max({H(s, i) - L(s, i), std::fabs(H(s, i) - previous), std::fabs(L(s, i) - previous)});
}

// ---- on-balance volume ----

TOBVFunction::TOBVFunction(TComponent* owner) : TFinancialFunction(owner)
{
    InitPeriod(1);
    UsesPeriod = false;
    OneSource = true;
    OwnValueLists = true;
}

void TOBVFunction::SetVolume(TChartSeries* value)
{
    if (volume_ == value) return;
    // The old reference stops and the new one starts telling this object that it goes.
    if (volume_) volume_->RemoveFreeNotification(this);
    volume_ = value;
    if (volume_) volume_->FreeNotification(this);
    RequestRecalc();
}

void TOBVFunction::Notification(TComponent* component, TOperation operation)
{
    TFinancialFunction::Notification(component, operation);
    if (operation == opRemove && component == volume_) volume_ = nullptr;
}

void TOBVFunction::RecomputeFrom(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    if (!output) return;
    output->RemoveAllPoints();
    if (!volume_ || !IsOHLCSeries(source)) return;
    const TOHLCSeries& s = Prices(*source);
    const TChartValueList& volumes = *volume_->MandatoryValueList();
    double last = 0;
    for (int i = 0; i < s.Count() && i < volumes.Count(); ++i) {
        double v = volumes[i];
        if (i > 0) v = C(s, i) > O(s, i) ? last + v : last - v;
        output->InsertXY(X(s, i), v);
        last = v;
    }
}

void TOBVFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    if (chart->NumSeries() > 1) chart->GetSeriesAt(1)->Free();
    if (chart->NumSeries() == 0 || !FinancialVolumeSeriesClass) return;
    TChartSeries* source = chart->GetSeriesAt(0);
    auto* volume = dynamic_cast<TChartSeries*>(FinancialVolumeSeriesClass->CreateInstance(chart->Owner()));
    if (!volume) return;
    volume->SetParentChart(chart);
    volume->FillWithSamples(source->Count());
    volume->SetTitle(TxtVolume);
    auto* line = new TFastLineSeries(chart->Owner());
    line->SetParentChart(chart);
    SetVolume(volume);
    line->AttachFunction(this);
    line->SetDataSource(source);
    SplitVerticalAxes();
    volume->SetVertAxis(line->VertAxis());
}

// ---- parabolic SAR ----

TSARFunction::TSARFunction(TComponent* owner) : TFinancialFunction(owner)
{
    UsesPeriod = false;
    OneSource = true;
}

void TSARFunction::SetAccelerationFactor(double value) { Change(accelerationFactor_, value); }

void TSARFunction::SetMaxStep(double value) { Change(maxStep_, value); }

std::vector<double> TSARFunction::CalcSAR(const TChartSeries& source) const
{
    const TOHLCSeries& s = Prices(source);
    const int n = s.Count();
    std::vector<double> sar(static_cast<size_t>(n));
    sar[0] = C(s, 0);
    sar[1] = H(s, 1);
    bool rising = true;
    double af = accelerationFactor_, epHigh = H(s, 0), epLow = L(s, 0);
    for (int i = 2; i < n; ++i) {
        double value = sar[i - 1] + af * ((rising ? epHigh : epLow) - sar[i - 1]);
        if (rising && L(s, i) < value) {
            rising = false;
            value = epHigh;
            epLow = L(s, i);
            af = accelerationFactor_;
        } else if (!rising && H(s, i) > value) {
            rising = true;
            value = epLow;
            epHigh = H(s, i);
            af = accelerationFactor_;
        } else if (rising) {
            if (H(s, i) > epHigh) {
                epHigh = H(s, i);
                af = std::min(af + accelerationFactor_, maxStep_);
            }
            value = std::min({value, L(s, i - 1), L(s, i - 2)});
        } else {
            if (L(s, i) < epLow) {
                epLow = L(s, i);
                af = std::min(af + accelerationFactor_, maxStep_);
            }
            value = std::max({value, H(s, i - 1), H(s, i - 2)});
        }
        sar[static_cast<size_t>(i)] = value;
    }
    return sar;
}

void TSARFunction::RecomputeFrom(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    if (!output) return;
    output->RemoveAllPoints();
    if (!IsOHLCSeries(source) || source->Count() <= 2) return;
    const std::vector<double> sar = CalcSAR(*source);
    for (int i = 2; i < source->Count(); ++i)
        AddOutputPoint(source->YMandatory(), sar[static_cast<size_t>(i)], source->XValues()->ValueAt(i));
}

// ---- ADX ----

TADXFunction::TADXFunction(TComponent* owner)
    : TFinancialFunction(owner),
      down_(OwnedSeries().Add(new TFastLineSeries(this))),
      up_(OwnedSeries().Add(new TFastLineSeries(this)))
{
    InitPeriod(14);
    OneSource = true;
    OwnValueLists = true;
    down_->SetSeriesColor(clRed);
    up_->SetSeriesColor(clGreen);
}

TZebPen* TADXFunction::UpLinePen() const { return up_ ? up_->LinePen() : nullptr; }
void TADXFunction::SetUpLinePen(TZebPen* value)
{
    if (up_) up_->LinePen()->Assign(value);
}
TZebPen* TADXFunction::DownLinePen() const { return down_ ? down_->LinePen() : nullptr; }
void TADXFunction::SetDownLinePen(TZebPen* value)
{
    if (down_) down_->LinePen()->Assign(value);
}

void TADXFunction::RecomputeFrom(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    if (!output || Period() < 2 || !AcceptsSource(source)) return;
    output->RemoveAllPoints();
    OwnedSeries().EmptyAll();
    OwnedSeries().FollowOutput(*output);
    // Lines freed with their chart are gone for good; nothing is drawn without them.
    if (!up_ || !down_) return;
    const TOHLCSeries& s = Prices(*source);
    const int n = s.Count();
    if (2 * Period() > n) return;
    const int p = static_cast<int>(Round(Period()));
    std::vector<double> tr(static_cast<size_t>(n)), plusDM(static_cast<size_t>(n)), minusDM(static_cast<size_t>(n));
    for (int i = 1; i < n; ++i) {
        const auto k = static_cast<size_t>(i);
        tr[k] = TrueRange(s, i);
        const double up = H(s, i) - H(s, i - 1), down = L(s, i - 1) - L(s, i);
        plusDM[k] = up > down ? std::max(up, 0.0) : 0;
        minusDM[k] = down > up ? std::max(down, 0.0) : 0;
    }
    double sTR = 0, sPlus = 0, sMinus = 0;
    for (int i = 1; i <= p; ++i) {
        sTR += tr[static_cast<size_t>(i)];
        sPlus += plusDM[static_cast<size_t>(i)];
        sMinus += minusDM[static_cast<size_t>(i)];
    }
    std::vector<double> dx;
    dx.reserve(static_cast<size_t>(n - p));
    const TPointUpdateBlock upBlock(*up_), downBlock(*down_);
    for (int i = p; i < n; ++i) {
        const auto k = static_cast<size_t>(i);
        if (i > p) {
            sTR = sTR - sTR / Period() + tr[k];
            sPlus = sPlus - sPlus / Period() + plusDM[k];
            sMinus = sMinus - sMinus / Period() + minusDM[k];
        }
        const double plusDI = 100 * sPlus / sTR, minusDI = 100 * sMinus / sTR;
        up_->InsertXY(X(s, i), plusDI);
        down_->InsertXY(X(s, i), minusDI);
        const double sum = plusDI + minusDI;
        dx.push_back(sum == 0 ? 0 : std::fabs(plusDI - minusDI) * 100 / sum);
    }
    const int start = static_cast<int>(Round(2 * Period() - 2));
    double adx = 0;
    for (int j = start; j < n; ++j) {
        if (j == start) {
            double sum = 0;
            for (int k = p; k <= j; ++k) sum += dx[static_cast<size_t>(k - p)];
            adx = sum / (Period() - 1);
        } else {
            adx = (dx[static_cast<size_t>(j - p)] + (Period() - 1) * adx) / Period();
        }
        output->InsertXY(X(s, j), adx);
    }
}

void TADXFunction::Notification(TComponent* component, TOperation operation)
{
    TFinancialFunction::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == up_) up_ = nullptr;
    if (component == down_) down_ = nullptr;
}

void TADXFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TFinancialFunction::SetupSampleChart(chart);
    SplitVerticalAxes();
    for (TFastLineSeries* line : {up_, down_})
        if (line) line->SetVertAxis(aRightAxis);
}

// ---- ATR ----

TATRFunction::TATRFunction(TComponent* owner) : TFinancialFunction(owner)
{
    InitPeriod(14);
    OneSource = true;
    OwnValueLists = true;
}

void TATRFunction::RecomputeFrom(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    if (!output || Period() < 1 || !AcceptsSource(source)) return;
    output->RemoveAllPoints();
    const TOHLCSeries& s = Prices(*source);
    const int n = s.Count();
    if (n < Period()) return;
    const int m = static_cast<int>(Round(Period())) - 1;
    double sum = 0;
    for (int j = 0; j < n; ++j) {
        if (j < m) {
            sum += TrueRange(s, j);
            continue;
        }
        if (j > m) sum *= Period() - 1;
        sum = (sum + TrueRange(s, j)) / Period();
        output->InsertXY(X(s, j), sum);
    }
}

void TATRFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TFinancialFunction::SetupSampleChart(chart);
    SplitVerticalAxes();
}

// ---- RSI ----

TRSIFunction::TRSIFunction(TComponent* owner) : TZebMovingFunction(owner)
{
    OneSource = true;
    OwnValueLists = true;
}

void TRSIFunction::SetStyle(TRSIStyle value) { Change(style_, value); }

void TRSIFunction::RecomputeFrom(TChartSeries* source)
{
    listsOf_ = nullptr;
    TZebMovingFunction::RecomputeFrom(source);
}

const TMetaClass* TRSIFunction::PreferredSeriesClass() const { return &TCandleSeries::StaticClass(); }

double TRSIFunction::ComputeOverRange(TChartSeries* source, int first, int last)
{
    if (listsOf_ != source) {
        listsOf_ = source;
        close_ = source->FindValueList(TxtClose);
        open_ = source->FindValueList(TxtOpen);
    }
    const TChartValueList& close = *close_;
    const TChartValueList& open = *open_;
    const double count = last - first + 1;
    double up = 0, down = 0;
    if (style_ == rsiOpenClose) {
        for (int i = first; i <= last; ++i) (open[i] > close[i] ? down : up) += close[i];
    } else {
        for (int i = first + 1; i <= last; ++i) {
            const double d = close[i] - close[i - 1];
            if (d < 0)
                down -= d;
            else
                up += d;
        }
    }
    up /= count;
    down /= count;
    if (down == 0) return 100;
    return std::clamp(100 - 100 / (std::fabs(up / down) + 1), 0.0, 100.0);
}

void TRSIFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TZebMovingFunction::SetupSampleChart(chart);
    SetPeriod(10);
    SplitVerticalAxes();
    if (TChartSeries* output = OutputSeries(); output && output->GetVertAxis()) {
        output->GetVertAxis()->ApplyRange(0, 100);
        output->GetVertAxis()->SetAxisValuesFormat("0%");
    }
}
