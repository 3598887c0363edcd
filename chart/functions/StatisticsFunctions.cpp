#include "chart/functions/StatisticsFunctions.h"

#include <cmath>

#include "chart/core/ChartSeries.h"
#include "chart/functions/FunctionClasses.h"
#include "platform/classes/Published.h"

namespace {
constexpr char RMSForm[] = "TRMSFuncEditor";

struct TSums {
    double S = 0, Q = 0;
};
TSums sumsOf(const std::vector<double>& work)
{
    TSums sums;
    for (const double v : work) {
        sums.S += v;
        sums.Q += v * v;
    }
    return sums;
}

double sampleDeviation(const double* v, int n)
{
    if (n <= 1) return 0;
    double s = 0, q = 0;
    for (int i = 0; i < n; ++i) {
        s += v[i];
        q += v[i] * v[i];
    }
    const double variance = (n * q - s * s) / (static_cast<double>(n) * (n - 1));
    return variance < 0 ? 0 : std::sqrt(variance);
}
}  // namespace

TV_PUBLISHED_AS(TStdDeviationFunction, TFunctionWithForm<RMSForm>)
{
    Prop("Complete", &TStdDeviationFunction::Complete, &TStdDeviationFunction::SetComplete, false);
}
TV_PUBLISHED_AS(TRMSFunction, TFunctionWithForm<RMSForm>)
{
    Prop("Complete", &TRMSFunction::Complete, &TRMSFunction::SetComplete, false);
}
TV_PUBLISHED_AS(TVarianceFunction, TZebFunctionClass) {}
TV_PUBLISHED_AS(TSkewnessFunction, TFunctionWithForm<RMSForm>)
{
    Prop("Complete", &TSkewnessFunction::Complete, &TSkewnessFunction::SetComplete, false);
}
TV_PUBLISHED_AS(TKurtosisFunction, TFunctionWithForm<RMSForm>) {}

void TStdDeviationFunction::SetComplete(bool value) { Change(complete_, value); }

double TStdDeviationFunction::ComputeFromValues(const std::vector<double>& work)
{
    const double n = static_cast<double>(work.size());
    if (n <= 1) return 0;
    const TSums sums = sumsOf(work);
    const double variance = (n * sums.Q - sums.S * sums.S) / (complete_ ? n * n : n * (n - 1));
    return variance < 0 ? 0 : std::sqrt(variance);
}

void TRMSFunction::SetComplete(bool value) { Change(complete_, value); }

double TRMSFunction::ComputeFromValues(const std::vector<double>& work)
{
    const double n = static_cast<double>(work.size());
    if (n <= 1) return 0;
    return std::sqrt(sumsOf(work).Q / (complete_ ? n : n - 1));
}

double TVarianceFunction::ComputeFromValues(const std::vector<double>& work)
{
    if (work.empty()) return 0;
    const double n = static_cast<double>(work.size());
    const double mean = sumsOf(work).S / n;
    double sum = 0;
    for (const double v : work) sum += (v - mean) * (v - mean);
    return sum / n;
}

void TVarianceFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TZebFunction::SetupSampleChart(chart);
    OutputOnRightAxis(*this);
}

void TSkewnessFunction::SetComplete(bool value) { Change(complete_, value); }

double TSkewnessFunction::ComputeOverRange(TChartSeries* source, int first, int last)
{
    (void)first, (void)last;
    // The deviation reads the main list, nulls included, as a deviation function of default
    // settings without an output series would.
    TChartValueList* main = source->MandatoryValueList();
    const int count = source->Count();
    const double s = sampleDeviation(main->Values(), main->Count());
    const int k = MomentOrder();
    const double d = std::pow(s, k) * (count - 1);
    if (d == 0) return 0;
    const double mean = main->Count() > 0 ? main->Sum() / main->Count() : 0;
    double sum = 0;
    for (int i = 0; i < main->Count(); ++i) sum += std::pow(main->ValueAt(i) - mean, k);
    return sum / d;
}

void TSkewnessFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TZebFunction::SetupSampleChart(chart);
    OutputOnRightAxis(*this);
}
