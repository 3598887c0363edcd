#include "chart/functions/StandardFunctions.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "chart/core/AxisPanel.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartTitles.h"
#include "chart/core/SeriesCloning.h"
#include "chart/core/SeriesTypes.h"
#include "chart/core/AxisShapes.h"
#include "chart/functions/FunctionClasses.h"
#include "platform/classes/Published.h"
#include "platform/rtl/MathUtils.h"

namespace {
constexpr char AverageForm[] = "TAverageFuncEditor";
constexpr char CustomForm[] = "TCustomFunctionEditor";
constexpr char SubsetForm[] = "TSubsetFuncEditor";

void rightAxisFormat(TCustomAxisPanel* chart, const String& format)
{
    if (chart) chart->RightAxis()->SetAxisValuesFormat(format);
}
}  // namespace

TV_PUBLISHED_AS(TAddZebFunction, TZebFunctionClass) {}
TV_PUBLISHED_AS(TManySeriesZebFunction, TZebFunctionClass) {}
TV_PUBLISHED_AS(TSubtractZebFunction, TZebFunctionClass) {}
TV_PUBLISHED_AS(TMultiplyZebFunction, TZebFunctionClass) {}
TV_PUBLISHED_AS(TDivideZebFunction, TZebFunctionClass) {}
TV_PUBLISHED_AS(THighZebFunction, TZebFunctionClass) {}
TV_PUBLISHED_AS(TLowZebFunction, TZebFunctionClass) {}
TV_PUBLISHED_AS(TAverageZebFunction, TFunctionWithForm<AverageForm>) {}
TV_PUBLISHED_AS(TCustomZebFunction, TFunctionWithForm<CustomForm>)
{
    Prop("NumPoints", &TCustomZebFunction::NumPoints, &TCustomZebFunction::SetNumPoints, 100);
    Prop("StartX", &TCustomZebFunction::StartX, &TCustomZebFunction::SetStartX, 0.0);
    Prop("OnCalculate", &TCustomZebFunction::OnCalculate, &TCustomZebFunction::SetOnCalculate);
}
TV_PUBLISHED_AS(TCustomSortedFunction, TZebFunctionClass) {}
TV_PUBLISHED_AS(TMedianZebFunction, TZebFunctionClass) {}
TV_PUBLISHED_AS(TModeZebFunction, TZebFunctionClass) {}
TV_PUBLISHED_AS(TSubsetZebFunction, TFunctionWithForm<SubsetForm>)
{
    Prop("StartValue", &TSubsetZebFunction::StartValue, &TSubsetZebFunction::SetStartValue, 0.0);
    Prop("EndValue", &TSubsetZebFunction::EndValue, &TSubsetZebFunction::SetEndValue, 0.0);
}
TV_PUBLISHED_AS(TParetoZebFunction, TZebFunctionClass)
{
    Prop("Period", &TParetoZebFunction::Period, &TParetoZebFunction::SetPeriod, 1.0);
}

// ---- arithmetic ----

double TAddZebFunction::ComputeFromValues(const std::vector<double>& work)
{
    double sum = 0;
    for (const double v : work) sum += v;
    return sum;
}

void TAddZebFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TZebFunction::SetupSampleChart(chart);
    OutputOnRightAxis(*this);
}

double TSubtractZebFunction::ComputeFromValues(const std::vector<double>& work)
{
    if (work.empty()) return 0;
    double result = work.front();
    for (size_t i = 1; i < work.size(); ++i) result -= work[i];
    return result;
}

void TSubtractZebFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TZebFunction::SetupSampleChart(chart);
    OutputOnRightAxis(*this);
}

double TMultiplyZebFunction::ComputeFromValues(const std::vector<double>& work)
{
    if (work.empty()) return 0;
    double result = work.front();
    for (size_t i = 1; i < work.size(); ++i) result *= work[i];
    return result;
}

void TMultiplyZebFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TZebFunction::SetupSampleChart(chart);
    OutputOnRightAxis(*this);
    rightAxisFormat(chart, "1E+1");
}

double TDivideZebFunction::ComputeFromValues(const std::vector<double>& work)
{
    if (work.empty()) return 0;
    double result = work.front();
    for (size_t i = 1; i < work.size(); ++i)
        if (work[i] != 0) result /= work[i];
    return result;
}

void TDivideZebFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TZebFunction::SetupSampleChart(chart);
    OutputOnRightAxis(*this);
}

// ---- extremes and mean ----

double THighZebFunction::ComputeFromValues(const std::vector<double>& work)
{
    if (work.empty()) return 0;
    return *std::max_element(work.begin(), work.end());
}

double THighZebFunction::ComputeOverRange(TChartSeries* source, int first, int last)
{
    if (first == -1 && IncludeNulls()) return SourceValueList(source)->Highest();
    return TZebFunction::ComputeOverRange(source, first, last);
}

double TLowZebFunction::ComputeFromValues(const std::vector<double>& work)
{
    if (work.empty()) return 0;
    return *std::min_element(work.begin(), work.end());
}

double TLowZebFunction::ComputeOverRange(TChartSeries* source, int first, int last)
{
    if (first == -1 && IncludeNulls()) return SourceValueList(source)->Lowest();
    return TZebFunction::ComputeOverRange(source, first, last);
}

double TAverageZebFunction::ComputeFromValues(const std::vector<double>& work)
{
    if (work.empty()) return 0;
    double sum = 0;
    for (const double v : work) sum += v;
    return sum / static_cast<double>(work.size());
}

double TAverageZebFunction::ComputeOverRange(TChartSeries* source, int first, int last)
{
    if (first == -1 && IncludeNulls())
        return source->Count() > 0 ? SourceValueList(source)->Sum() / source->Count() : 0;
    return TZebFunction::ComputeOverRange(source, first, last);
}

// ---- y = f(x) ----

TCustomZebFunction::TCustomZebFunction(TComponent* owner) : TZebFunction(owner)
{
    NeedsNoSource = true;
    InitPeriod(1);
}

void TCustomZebFunction::RecomputeFrom(TChartSeries* source)
{
    (void)source;
    TChartSeries* output = OutputSeries();
    if (!onCalculate_ || !output || Suspended()) return;
    output->RemoveAllPoints();
    double x = startX_, y = 0;
    for (int i = 0; i < numPoints_; ++i) {
        currentX_ = x;
        currentIndex_ = i;
        onCalculate_(this, x, y);
        if (output->YMandatory())
            output->InsertXY(currentX_, y);
        else
            output->InsertXY(y, currentX_);
        x += Period();
    }
    currentIndex_ = -1;
}

namespace {
void sineCosineSquare(TCustomZebFunction*, double x, double& y)
{
    const double radians = x * std::numbers::pi / 180;
    y = Sqr(std::sin(radians) + std::cos(radians));
}
}  // namespace

void TCustomZebFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TZebFunction::SetupSampleChart(chart);
    if (!chart) return;
    if (auto* full = dynamic_cast<TCustomChart*>(chart)) full->Title()->Lines()->SetText("y = Sqr(Sin(x) + Cos(x))");
    numPoints_ = 360;
    onCalculate_ = TCalculateEvent(&sineCosineSquare);
    RequestRecalc();
    TChartAxisTitle* vertical = chart->LeftAxis()->Title();
    vertical->SetCaption("Y");
    vertical->SetAngle(0);
    chart->BottomAxis()->Title()->SetCaption("X");
    if (chart->NumSeries() > 0) chart->GetSeriesAt(0)->SetActive(false);
}

// ---- median and mode ----

void TCustomSortedFunction::PutWorkValue(std::vector<double>& work, int position, double value)
{
    const auto stored = static_cast<size_t>(position);
    if (work.size() < stored + 1) work.resize(stored + 1);
    const auto end = work.begin() + static_cast<std::ptrdiff_t>(stored);
    const auto at = std::upper_bound(work.begin(), end, value);
    std::move_backward(at, end, end + 1);
    *at = value;
}

double TMedianZebFunction::ComputeFromValues(const std::vector<double>& work)
{
    const size_t n = work.size();
    if (n == 0) return 0;
    if (n % 2 == 1) return work[n / 2];
    return (work[n / 2 - 1] + work[n / 2]) * 0.5;
}

double TModeZebFunction::ComputeFromValues(const std::vector<double>& work)
{
    if (work.empty()) return 0;
    double best = work.front();
    size_t bestRun = 0;
    for (size_t i = 0; i < work.size();) {
        size_t j = i;
        while (j < work.size() && work[j] == work[i]) ++j;
        if (j - i > bestRun) {
            bestRun = j - i;
            best = work[i];
        }
        i = j;
    }
    return best;
}

// ---- subset ----

TSubsetZebFunction::TSubsetZebFunction(TComponent* owner) : TZebFunction(owner) { UsesPeriod = false; }

void TSubsetZebFunction::SetStartValue(double value) { Change(startValue_, value); }

void TSubsetZebFunction::SetEndValue(double value) { Change(endValue_, value); }

void TSubsetZebFunction::RecomputeFrom(TChartSeries* source)
{
    TChartSeries* output = OutputSeries();
    if (!source || !output || Suspended()) return;
    output->RemoveAllPoints();
    // The named list must match exactly, unlike the base's choice of list.
    TChartValueList* values = source->MandatoryValueList();
    if (const String& name = output->MandatoryValueList()->ValueSource(); !name.empty()) {
        for (int i = 0; i < source->ValueLists().Count(); ++i)
            if (source->ValueLists().ValueListAt(i)->Name() == name) {
                values = source->ValueLists().ValueListAt(i);
                break;
            }
    }
    const TChartValueList* xs = source->IndependentValueList();
    for (int i = 0; i < source->Count(); ++i) {
        const double x = xs->ValueAt(i);
        if (x < startValue_ || x > endValue_) continue;
        if (output->YMandatory())
            output->InsertXY(x, values->ValueAt(i));
        else
            output->InsertXY(values->ValueAt(i), x);
    }
}

void TSubsetZebFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TZebFunction::SetupSampleChart(chart);
    TChartSeries* output = OutputSeries();
    if (!output) return;
    if (TComponent* src = output->DataSource())
        if (auto* source = dynamic_cast<TChartSeries*>(src)) {
            const int n = source->Count();
            startValue_ = static_cast<double>(Round(n * 0.25));
            endValue_ = static_cast<double>(Round(n * 0.75));
        }
    RequestRecalc();
}

// ---- Pareto ----

TParetoZebFunction::TParetoZebFunction(TComponent* owner) : TZebFunction(owner) { InitPeriod(1); }

double TParetoZebFunction::ComputeOverRange(TChartSeries* source, int first, int last)
{
    (void)last;
    TChartValueList* values = SourceValueList(source);
    const double total = values->AbsSum();
    if (total == 0 || first < 0) return 0;
    // The window walk asks for first = 0, 1, 2, ...: the running sum goes on instead of starting
    // again, adding in the same order.
    if (values != runningList_ || first != runningFirst_ + 1) {
        runningSum_ = 0;
        runningFirst_ = -1;
    }
    for (int i = runningFirst_ + 1; i <= first; ++i) runningSum_ += std::fabs(values->ValueAt(i));
    runningList_ = values;
    runningFirst_ = first;
    return runningSum_ * 100 / total;
}

void TParetoZebFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TZebFunction::SetupSampleChart(chart);
    OutputOnRightAxis(*this);
    rightAxisFormat(chart, "0%");
    if (!chart || chart->NumSeries() == 0) return;
    TChartSeries* first = chart->GetSeriesAt(0);
    if (const TMetaClass* bars = RegisteredSeriesTypes().FindSeriesClassByName("TBarSeries"))
        ConvertSeriesClass(first, *bars);
    first->XValues()->SetOrder(loNone);
    first->YValues()->SetOrder(loDescending);
    first->YValues()->SortPoints();
}
