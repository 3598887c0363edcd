// Price-volume and trend indicators. Temporary series carry the averages a calculation needs and
// go with it; the extra lines follow the output before each refill and are emptied with it.
#include "chart/functions/PriceVolumeFunctions.h"

#include <cmath>

#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/SeriesCloning.h"
#include "chart/core/ZebProCo.h"
#include "chart/functions/FunctionSeries.h"
#include "chart/functions/FunctionClasses.h"
#include "chart/functions/MovingAverages.h"
#include "chart/series/FastLineSeries.h"
#include "chart/series/HistogramSeries.h"
#include "chart/series/LineSeries.h"
#include "chart/series/OHLCSeries.h"
#include "chart/series/VolumeSeries.h"
#include "platform/classes/Published.h"

namespace {

constexpr char CLVForm[] = "TCLVFuncEditor";
constexpr char MoneyFlowForm[] = "TMoneyFlowFuncEditor";
constexpr char RMSForm[] = "TRMSFuncEditor";
constexpr char AlligatorForm[] = "TAlligatorFuncEditor";

constexpr TColor Red = static_cast<TColor>(0x0000FF);
constexpr TColor Green = static_cast<TColor>(0x008000);
constexpr TColor Blue = static_cast<TColor>(0xFF0000);

double X(const TChartSeries& s, int index) { return s.IndependentValueList()->ValueAt(index); }

// (high + low) / 2 per point of an OHLC source, else its main values, at the source's X.
TOwnedPtr<TChartSeries> MedianPrices(TChartSeries& source)
{
    TOwnedPtr<TChartSeries> median(new TChartSeries(nullptr));
    const auto* ohlc = dynamic_cast<const TOHLCSeries*>(&source);
    for (int i = 0; i < source.Count(); ++i)
        median->InsertXY(X(source, i), ohlc ? (ohlc->HighValues()->ValueAt(i) + ohlc->LowValues()->ValueAt(i)) / 2
                                            : source.MandatoryValueList()->ValueAt(i));
    return median;
}

// The price indicators read their own lists of one source.
void OneSourceOwnLists(TZebFunction& function, double period)
{
    function.OneSource = true;
    function.OwnValueLists = true;
    function.InitPeriod(period);
}

// A bar output starts green; a volume series draws its bars from zero.
void GreenBars(TChartSeries& output)
{
    output.SetSeriesColor(Green);
    if (auto* volume = dynamic_cast<TVolumeSeries*>(&output)) {
        volume->SetUseYOrigin(true);
        volume->SetYOrigin(0);
    }
}

// Red when the bar falls against the last one (by magnitude), green when it rises; the second
// bar decides the first one's colour too.
void AddColouredBar(TChartSeries& target, double x, double value, bool magnitude)
{
    const auto size = [magnitude](double v) { return magnitude ? std::fabs(v) : v; };
    const int count = target.Count();
    TColor color = target.SeriesColor();
    if (count >= 2) {
        color = size(value) <= size(target.YValues()->LastEntry()) ? Red : Green;
    } else if (count == 1) {
        color = size(target.YValues()->FirstEntry()) > size(value) ? Red : Green;
        target.SetPointColor(0, color);
    }
    target.InsertXY(x, value, String(), color);
}

// Sample charts of the bar oscillators: a volume series in place of the second series carries
// the function, fed by the first.
void VolumeSampleOutput(TZebFunction& function, TCustomAxisPanel* chart)
{
    if (!chart || chart->NumSeries() == 0) return;
    if (chart->NumSeries() >= 2) chart->GetSeriesAt(1)->Free();
    TChartSeries* output = MakeSeriesOfClass(chart->Owner(), chart, TVolumeSeries::StaticClass());
    output->AttachFunction(&function);
    output->SetDataSource(chart->GetSeriesAt(0));
    function.SplitVerticalAxes();
}

}  // namespace

TV_PUBLISHED_AS(TCLVFunction, TFunctionWithForm<CLVForm>)
{
    Prop("Accumulate", &TCLVFunction::Accumulate, &TCLVFunction::SetAccumulate, true);
    Prop("Volume", &TCLVFunction::Volume, &TCLVFunction::SetVolume);
}

TV_PUBLISHED_AS(TMoneyFlowFunction, TFunctionWithForm<MoneyFlowForm>)
{
    Prop("AreaPen", &TMoneyFlowFunction::AreaPen, &TMoneyFlowFunction::SetAreaPen);
    PropEnum("CMFStyle", &TMoneyFlowFunction::CMFStyle, &TMoneyFlowFunction::SetCMFStyle, cmfLine, TCMFStyleNames);
    PropColor("DownColor", &TMoneyFlowFunction::DownColor, &TMoneyFlowFunction::SetDownColor,
              static_cast<TColor>(0x0000FF));
    Prop("HistogramPen", &TMoneyFlowFunction::HistogramPen, &TMoneyFlowFunction::SetHistogramPen);
    PropColor("UpColor", &TMoneyFlowFunction::UpColor, &TMoneyFlowFunction::SetUpColor,
              static_cast<TColor>(0x008000));
}

TV_PUBLISHED_AS(TAOFunction, TFunctionWithForm<RMSForm>) {}
TV_PUBLISHED_AS(TACFunction, TFunctionWithForm<RMSForm>) {}

TV_PUBLISHED_AS(TAlligatorFunction, TFunctionWithForm<AlligatorForm>)
{
    Prop("LipsPen", &TAlligatorFunction::LipsPen, &TAlligatorFunction::SetLipsPen);
    Prop("TeethPen", &TAlligatorFunction::TeethPen, &TAlligatorFunction::SetTeethPen);
}

TV_PUBLISHED_AS(TGatorFunction, TZebFunctionClass) {}

// ---- close location value ----

TCLVFunction::TCLVFunction(TComponent* owner) : TFinancialFunction(owner)
{
    OneSourceOwnLists(*this, 1);
    UsesPeriod = false;
}

void TCLVFunction::SetAccumulate(bool value) { Change(accumulate_, value); }

void TCLVFunction::SetVolume(TChartSeries* value)
{
    if (volume_ == value) return;
    // The old reference stops and the new one starts telling this object that it goes.
    if (volume_) volume_->RemoveFreeNotification(this);
    volume_ = value;
    if (volume_) volume_->FreeNotification(this);
    RequestRecalc();
}

void TCLVFunction::Notification(TComponent* component, TOperation operation)
{
    TFinancialFunction::Notification(component, operation);
    if (operation == opRemove && component == volume_) volume_ = nullptr;
}

double TCLVFunction::CloseLocation(const TOHLCSeries& source, int index)
{
    const double high = source.HighValues()->ValueAt(index), low = source.LowValues()->ValueAt(index);
    const double close = source.CloseValues()->ValueAt(index);
    return high == low ? 1 : ((close - low) - (high - close)) / (high - low);
}

void TCLVFunction::RecomputeFrom(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    const auto* ohlc = dynamic_cast<const TOHLCSeries*>(source);
    if (!ohlc || !output) return;
    output->RemoveAllPoints();
    for (int i = 0; i < ohlc->Count(); ++i) {
        double e = CloseLocation(*ohlc, i);
        if (volume_ && i < volume_->Count()) e *= volume_->MandatoryValueList()->ValueAt(i);
        if (accumulate_ && i > 0) e += output->MandatoryValueList()->LastEntry();
        output->InsertXY(X(*ohlc, i), e);
    }
}

void TCLVFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TFinancialFunction::SetupSampleChart(chart);
    SplitVerticalAxes();
}

// ---- money flow ----

TMoneyFlowFunction::TMoneyFlowFunction(TComponent* owner)
    : TCLVFunction(owner),
      volumeLine_(OwnedSeries().Add(new TVolumeSeries(this))),
      area_(OwnedSeries().Add(new TAreaSeries(this))),
      histogram_(OwnedSeries().Add(new THistogramSeries(this)))
{
    SetAccumulate(false);
    InitPeriod(21);
    area_->AreaLinesPen()->SetVisible(false);
    volumeLine_->SetUseYOrigin(true);
    area_->SetUseYOrigin(true);
    histogram_->SetUseYOrigin(true);
    for (TChartSeries* s : {static_cast<TChartSeries*>(volumeLine_), static_cast<TChartSeries*>(area_),
                            static_cast<TChartSeries*>(histogram_)})
        s->SetColorEachPoint(true);
}

void TMoneyFlowFunction::SetCMFStyle(TCMFStyle value) { Change(cmfStyle_, value); }

void TMoneyFlowFunction::SetUpColor(TColor value) { Change(upColor_, value); }

void TMoneyFlowFunction::SetDownColor(TColor value) { Change(downColor_, value); }

TZebPen* TMoneyFlowFunction::AreaPen() const { return area_->Pen(); }
void TMoneyFlowFunction::SetAreaPen(TZebPen* value) { area_->Pen()->Assign(value); }
TZebPen* TMoneyFlowFunction::HistogramPen() const { return histogram_->Pen(); }
void TMoneyFlowFunction::SetHistogramPen(TZebPen* value) { histogram_->Pen()->Assign(value); }

void TMoneyFlowFunction::RecomputeFrom(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    const auto* ohlc = dynamic_cast<const TOHLCSeries*>(source);
    TChartSeries* volume = Volume();
    if (!volume || !ohlc || !output) return;
    const int span = RoundHalfEven(Period()), volumes = volume->Count();
    const TChartValueList& v = *volume->MandatoryValueList();
    for (int i = 0; i < ohlc->Count(); ++i) {
        double a = 0, b = 0;
        for (int j = std::max(i - span, 0); j <= i; ++j) {
            const double clv = CloseLocation(*ohlc, j);
            a += j < volumes ? clv * v.ValueAt(j) : clv;
            if (j < volumes) b += v.ValueAt(j);
        }
        output->InsertXY(X(*ohlc, i), b == 0 ? a : a / b);
    }
    TChartSeries* chosen = cmfStyle_ == cmfArea     ? static_cast<TChartSeries*>(area_)
                           : cmfStyle_ == cmfVolume ? static_cast<TChartSeries*>(volumeLine_)
                           : cmfStyle_ == cmfHistogram ? static_cast<TChartSeries*>(histogram_)
                                                       : nullptr;
    output->SetActive(chosen == nullptr);
    for (int k = 0; k < OwnedSeries().Count(); ++k) OwnedSeries().At(k)->SetActive(OwnedSeries().At(k) == chosen);
    if (!chosen) return;
    FollowOutputSeries(*chosen, *output, true);
    const TPointUpdateBlock block(*chosen);
    chosen->RemoveAllPoints();
    for (int i = 0; i < output->Count(); ++i) {
        const double y = output->YValues()->ValueAt(i);
        chosen->InsertXY(output->XValues()->ValueAt(i), y, output->GetPointLabel(i), y >= 0 ? upColor_ : downColor_);
    }
}

void TMoneyFlowFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    if (!chart || chart->NumSeries() == 0) return;
    TChartSeries* prices = chart->GetSeriesAt(0);
    if (chart->NumSeries() >= 2) chart->GetSeriesAt(1)->Free();
    TChartSeries* volumes = MakeSeriesOfClass(chart->Owner(), chart, TVolumeSeries::StaticClass());
    volumes->SetTitle(TxtVolume2);
    volumes->FillWithSamples(prices->Count());
    TChartSeries* output = MakeSeriesOfClass(chart->Owner(), chart, TFastLineSeries::StaticClass());
    output->SetVertAxis(aRightAxis);
    chart->LeftAxis()->SetEndPosition(70);
    chart->RightAxis()->SetStartPosition(70);
    SetVolume(volumes);
    output->AttachFunction(this);
    output->SetDataSource(prices);
    OwnedSeries().FollowOutput(*output, true);
}

// ---- awesome and accelerator/decelerator oscillators ----

TAOFunction::TAOFunction(TComponent* owner) : TFinancialFunction(owner) { OneSourceOwnLists(*this, 1); }

void TAOFunction::RecomputeFrom(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    if (!output || !source || Period() < 1 || !AcceptsSource(source)) return;
    GreenBars(*output);
    if (source->Count() < 34) return;
    TOwnedPtr<TChartSeries> median = MedianPrices(*source);
    TOwnedPtr<TChartSeries> fast = ComputedSeries(*median, TMovingAverageFunction::StaticClass(), 5);
    TOwnedPtr<TChartSeries> slow = ComputedSeries(*median, TMovingAverageFunction::StaticClass(), 34);
    for (int i = 0; i < source->Count(); ++i) {
        const double x = X(*source, i);
        const int f = fast->XValues()->IndexOfValue(x), s = slow->XValues()->IndexOfValue(x);
        if (f >= 0 && s >= 0)
            AddColouredBar(*output, x, fast->YValues()->ValueAt(f) - slow->YValues()->ValueAt(s), false);
    }
}

void TAOFunction::SetupSampleChart(TCustomAxisPanel* chart) { VolumeSampleOutput(*this, chart); }

TACFunction::TACFunction(TComponent* owner) : TFinancialFunction(owner) { OneSourceOwnLists(*this, 1); }

void TACFunction::RecomputeFrom(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    if (!output || !source || Period() < 1 || !AcceptsSource(source)) return;
    GreenBars(*output);
    if (source->Count() < 34) return;
    TOwnedPtr<TChartSeries> ao = ComputedSeries(*source, TAOFunction::StaticClass(), 1);
    TOwnedPtr<TChartSeries> average = ComputedSeries(*ao, TMovingAverageFunction::StaticClass(), 5);
    for (int i = 0; i < source->Count(); ++i) {
        const double x = X(*source, i);
        const int a = ao->XValues()->IndexOfValue(x), m = average->XValues()->IndexOfValue(x);
        if (a >= 0 && m >= 0)
            AddColouredBar(*output, x, ao->YValues()->ValueAt(a) - average->YValues()->ValueAt(m), false);
    }
}

void TACFunction::SetupSampleChart(TCustomAxisPanel* chart) { VolumeSampleOutput(*this, chart); }

// ---- alligator ----

TAlligatorFunction::TAlligatorFunction(TComponent* owner)
    : TFinancialFunction(owner),
      teeth_(OwnedSeries().Add(new TFastLineSeries(this))),
      lips_(OwnedSeries().Add(new TFastLineSeries(this)))
{
    OneSourceOwnLists(*this, 0);
    teeth_->SetSeriesColor(Red);
    lips_->SetSeriesColor(Green);
}

TZebPen* TAlligatorFunction::TeethPen() const { return teeth_->Pen(); }
void TAlligatorFunction::SetTeethPen(TZebPen* value) { teeth_->Pen()->Assign(value); }
TZebPen* TAlligatorFunction::LipsPen() const { return lips_->Pen(); }
void TAlligatorFunction::SetLipsPen(TZebPen* value) { lips_->Pen()->Assign(value); }

void TAlligatorFunction::RecomputeFrom(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    if (!output || !source) return;
    output->SetSeriesColor(Blue);
    if (source->Count() < 13) return;
    TOwnedPtr<TChartSeries> median = MedianPrices(*source);
    const auto line = [&median](TChartSeries& target, double length, double shift) {
        target.RemoveAllPoints();
        TOwnedPtr<TChartSeries> smoothed = ComputedSeries(*median, TSmoothedMovAvgFunction::StaticClass(), length);
        for (int i = 0; i < smoothed->Count(); ++i)
            target.InsertXY(smoothed->XValues()->ValueAt(i) + shift, smoothed->YValues()->ValueAt(i));
    };
    line(*output, 13, 8);
    OwnedSeries().FollowOutput(*output);
    line(*teeth_, 8, 5);
    line(*lips_, 5, 3);
}

// ---- gator ----

TGatorFunction::TGatorFunction(TComponent* owner)
    : TFinancialFunction(owner), lower_(OwnedSeries().Add(new TVolumeSeries(this)))
{
    OneSourceOwnLists(*this, 0);
}

void TGatorFunction::RecomputeFrom(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    if (!output || !source) return;
    GreenBars(*output);
    FollowOutputSeries(*lower_, *output, true);
    GreenBars(*lower_);
    if (source->Count() < 13) return;
    TOwnedPtr<TChartSeries> jaw = ComputedSeries(*source, TAlligatorFunction::StaticClass(), 0);
    const auto* alligator = static_cast<const TAlligatorFunction*>(jaw->FunctionObject());
    const TChartSeries& teeth = *alligator->Teeth();
    const TChartSeries& lips = *alligator->Lips();
    // The three lines are paired by index.
    for (int q = 0; q < jaw->Count() && q < teeth.Count() && q < lips.Count(); ++q) {
        const double x = jaw->XValues()->ValueAt(q);
        const double j = jaw->YValues()->ValueAt(q), t = teeth.YValues()->ValueAt(q), l = lips.YValues()->ValueAt(q);
        AddColouredBar(*output, x, std::fabs(j - t), true);
        AddColouredBar(*lower_, x, -std::fabs(t - l), true);
    }
}

void TGatorFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    VolumeSampleOutput(*this, chart);
    if (TChartSeries* output = OutputSeries()) FollowOutputSeries(*lower_, *output, true);
}
