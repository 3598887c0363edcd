#include "chart/functions/MovingAverages.h"

#include <algorithm>

#include "chart/core/ChartSeries.h"
#include "chart/core/ZebProCo.h"
#include "chart/functions/FunctionClasses.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/MathUtils.h"

namespace {
constexpr char MovAveForm[] = "TMovAveFuncEditor";
constexpr char ExpAveForm[] = "TExpAveFuncEditor";

// Four running sums, so that a long window is not one chain of dependent additions.
double sumOf(const double* v, int count)
{
    double s0 = 0, s1 = 0, s2 = 0, s3 = 0;
    int i = 0;
    for (; i + 4 <= count; i += 4) {
        s0 += v[i];
        s1 += v[i + 1];
        s2 += v[i + 2];
        s3 += v[i + 3];
    }
    for (; i < count; ++i) s0 += v[i];
    return (s0 + s1) + (s2 + s3);
}
}  // namespace

TV_PUBLISHED_AS(TMovingAverageFunction, TFunctionWithForm<MovAveForm>)
{
    Prop("Weighted", &TMovingAverageFunction::Weighted, &TMovingAverageFunction::SetWeighted, false);
    Prop("WeightedIndex", &TMovingAverageFunction::WeightedIndex, &TMovingAverageFunction::SetWeightedIndex, false);
}
TV_PUBLISHED_AS(TExpMovAveFunction, TZebFunctionClass)
{
    Prop("IgnoreNulls", &TExpMovAveFunction::IgnoreNulls, &TExpMovAveFunction::SetIgnoreNulls, true);
}
TV_PUBLISHED_AS(TExpAverageFunction, TFunctionWithForm<ExpAveForm>)
{
    Prop("Weight", &TExpAverageFunction::Weight, &TExpAverageFunction::SetWeight, 0.2);
}
TV_PUBLISHED_AS(TSmoothedMovAvgFunction, TZebFunctionClass) {}
TV_PUBLISHED_AS(TMomentumFunction, TZebFunctionClass)
{
    Prop("Period", &TMomentumFunction::Period, &TMomentumFunction::SetPeriod, 2.0);
}
TV_PUBLISHED_AS(TMomentumDivFunction, TZebFunctionClass)
{
    Prop("Period", &TMomentumDivFunction::Period, &TMomentumDivFunction::SetPeriod, 2.0);
}

// ---- moving average ----

void TMovingAverageFunction::SetWeighted(bool value) { Change(weighted_, value); }

void TMovingAverageFunction::SetWeightedIndex(bool value) { Change(weightedIndex_, value); }

double TMovingAverageFunction::ComputeOverRange(TChartSeries* source, int first, int last)
{
    if (first == -1) {
        first = 0;
        last = source->Count() - 1;
    }
    const int n = last - first + 1;
    if (n <= 0) return 0;
    const double* v = SourceValueList(source)->Values() + first;
    if (weighted_ || weightedIndex_) {
        const double* xs = source->XValues()->Values() + first;
        double sum = 0, weights = 0;
        for (int i = 0; i < n; ++i) {
            const double w = weighted_ ? xs[i] : i + 1;
            sum += v[i] * w;
            weights += w;
        }
        return weights == 0 ? 0 : sum / weights;
    }
    return sumOf(v, n) / n;
}

void TMovingAverageFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TZebMovingFunction::SetupSampleChart(chart);
    SetPeriod(10);
}

// ---- exponential moving average ----

TExpMovAveFunction::TExpMovAveFunction(TComponent* owner) : TZebFunction(owner)
{
    UsesPeriod = false;
    OneSource = true;
    InitPeriod(10);
}

void TExpMovAveFunction::SetIgnoreNulls(bool value) { Change(ignoreNulls_, value); }

void TExpMovAveFunction::RecomputeFrom(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    if (!source || !output || Suspended()) return;
    output->RemoveAllPoints();
    const int n = source->Count();
    if (Period() <= 0 || n < 2) return;
    const double alpha = 2 / (Period() + 1);
    const double* v = SourceValueList(source)->Values();
    const double* xs = source->IndependentValueList()->Values();
    int i = 0;
    if (!ignoreNulls_)
        while (i < n - 1 && source->IsNullPoint(i)) ++i;
    double y = v[i];
    output->InsertXY(xs[i], y);
    for (++i; i < n; ++i) {
        if (!ignoreNulls_ && source->IsNullPoint(i)) continue;
        y = alpha * v[i] + (1 - alpha) * y;
        output->InsertXY(xs[i], y);
    }
}

// ---- exponential average ----

TExpAverageFunction::TExpAverageFunction(TComponent* owner) : TZebMovingFunction(owner) {}

void TExpAverageFunction::SetWeight(double value)
{
    if (value < 0 || value > 1) throw Exception(TxtExpAverageWeightMustBeBetween);
    Change(weight_, value);
}

double TExpAverageFunction::ComputeOverRange(TChartSeries* source, int first, int last)
{
    if (first == -1) last = source->Count() - 1;
    if (last < 0) return 0;
    const TChartValueList* v = SourceValueList(source);
    if (last == 0) return v->ValueAt(0);
    return (1 - weight_) * v->ValueAt(last - 1) + weight_ * v->ValueAt(last);
}

// ---- smoothed moving average ----

void TSmoothedMovAvgFunction::FillFromSource(TChartSeries* source, TChartValueList* list)
{
    // The seed is the first simple average of the same period.
    const int n = source->Count();
    const int p = Period() < n + 1.0 ? std::max(static_cast<int>(Round(Period())), 1) : n + 1;
    seed_ = 0;
    if (p <= n) seed_ = sumOf(SourceValueList(source)->Values(), p) / p;
    TZebMovingFunction::FillFromSource(source, list);
}

double TSmoothedMovAvgFunction::ComputeOverRange(TChartSeries* source, int first, int last)
{
    TChartSeries* output = OutputSeries();
    if (first <= 0 || output->Count() == 0) return seed_;
    const double p = Period();
    const double value = SourceValueList(source)->ValueAt(last);
    // A period of 0 walks windows of one point: the value itself, not a division by 0.
    if (p <= 0) return value;
    const double previous = output->YValues()->LastEntry();
    return (previous * p - previous + value) / p;
}

void TSmoothedMovAvgFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TZebMovingFunction::SetupSampleChart(chart);
    SetPeriod(10);
}

// ---- momentum ----

TMomentumFunction::TMomentumFunction(TComponent* owner) : TZebMovingFunction(owner) { InitPeriod(2); }

double TMomentumFunction::ComputeOverRange(TChartSeries* source, int first, int last)
{
    const TChartValueList* v = SourceValueList(source);
    if (first == -1) {
        first = 0;
        last = source->Count() - 1;
    }
    if (last < first) return 0;
    return v->ValueAt(last) - v->ValueAt(first);
}

TMomentumDivFunction::TMomentumDivFunction(TComponent* owner) : TZebMovingFunction(owner) { InitPeriod(2); }

double TMomentumDivFunction::ComputeOverRange(TChartSeries* source, int first, int last)
{
    const TChartValueList* v = SourceValueList(source);
    if (first == -1) {
        first = 0;
        last = source->Count() - 1;
    }
    if (last < first || v->ValueAt(first) == 0) return 0;
    return v->ValueAt(last) * 100 / v->ValueAt(first);
}

void TMomentumDivFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TZebMovingFunction::SetupSampleChart(chart);
    SplitVerticalAxes();
}
