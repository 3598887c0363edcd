#include "chart/functions/HistogramFunction.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "chart/core/ChartSeries.h"
#include "chart/functions/FunctionClasses.h"
#include "platform/classes/Published.h"
#include "platform/rtl/MathUtils.h"

TV_PUBLISHED_AS(THistogramFunction, TZebFunctionClass)
{
    Prop("NumBins", &THistogramFunction::NumBins, &THistogramFunction::SetNumBins, 20);
    Prop("Cumulative", &THistogramFunction::Cumulative, &THistogramFunction::SetCumulative, false);
    Prop("IncludeNulls", &THistogramFunction::IncludeNulls, &THistogramFunction::SetIncludeNulls, true);
    PropEnum("DataStyle", &THistogramFunction::DataStyle, &THistogramFunction::SetDataStyle, hdsTruncate,
             TDataStyleNames);
}

THistogramFunction::THistogramFunction(TComponent* owner) : TZebFunction(owner)
{
    UsesPeriod = false;
    OneSource = true;
    InitPeriod(1);
}

void THistogramFunction::SetNumBins(int value)
{
    value = std::max(value, 1);
    Change(numBins_, value);
}

void THistogramFunction::SetCumulative(bool value) { Change(cumulative_, value); }

void THistogramFunction::SetIncludeNulls(bool value) { Change(includeNulls_, value); }

void THistogramFunction::SetDataStyle(TDataStyle value) { Change(dataStyle_, value); }

void THistogramFunction::RecomputeFrom(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    if (!source || !output || Suspended() || source->Count() == 0) return;
    output->RemoveAllPoints();
    TChartValueList* values = source->MandatoryValueList();
    const int n = numBins_;
    double lo = values->Lowest(), hi = values->Highest();
    if (lo == hi) {
        lo = lo - std::floor(n / 2.0) - 0.5;
        hi = hi + std::ceil(n / 2.0) + 0.5;
    }
    const double w = hi - lo;
    std::vector<double> centres(static_cast<size_t>(n)), counts(static_cast<size_t>(n), 0.0);
    for (int i = 0; i < n; ++i) centres[static_cast<size_t>(i)] = lo + (w / n) * (i + 0.5);
    const double* v = values->Values();
    const bool rounding = dataStyle_ == hdsRound;
    const bool nullsChecked = !includeNulls_ && source->HasPointColors();
    for (int i = 0; i < values->Count(); ++i) {
        if (nullsChecked && source->IsNullPoint(i)) continue;
        const double g = (v[i] - lo) * n / w;
        // Every value lies within lo .. hi, so g is in 0 .. n; a non-finite value is not counted.
        if (!(g >= 0 && g <= n)) continue;
        const Int64 k = rounding ? Round(g) : Trunc(g);
        counts[static_cast<size_t>(std::min<Int64>(k, n - 1))] += 1;
    }
    if (cumulative_)
        for (int k = 1; k < n; ++k) counts[static_cast<size_t>(k)] += counts[static_cast<size_t>(k - 1)];
    if (output->YMandatory())
        output->AppendXYValues(centres, counts);
    else
        output->AppendXYValues(counts, centres);
}

void THistogramFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TZebFunction::SetupSampleChart(chart);
    OutputOnRightAxis(*this);
}
