#include "chart/core/ZebFunction.h"

#include <algorithm>
#include <cmath>

#include "chart/core/AxisPanel.h"
#include "chart/core/ChartException.h"
#include "chart/core/DateTimeSteps.h"
#include "chart/core/ZebConst.h"
#include "platform/classes/Published.h"
#include "platform/classes/PublishedDefaults.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/MathUtils.h"

TV_PUBLISHED_AS(TZebFunction, TZebFunctionClass)
{
    Prop("CalcByValue", &TZebFunction::CalcByValue, &TZebFunction::SetCalcByValue, false);
    Prop("IncludeNulls", &TZebFunction::IncludeNulls, &TZebFunction::SetIncludeNulls, true);
    Prop("Period", &TZebFunction::Period, &TZebFunction::SetPeriod, 0.0);
    PropEnum("PeriodAlign", &TZebFunction::PeriodAlign, &TZebFunction::SetPeriodAlign, paCenter,
             TFunctionPeriodAlignNames);
    PropEnum("PeriodStyle", &TZebFunction::PeriodStyle, &TZebFunction::SetPeriodStyle, psNumPoints,
             TFunctionPeriodStyleNames);
}

TV_PUBLISHED_AS(TZebMovingFunction, TZebFunctionClass)
{
    Prop("Period", &TZebMovingFunction::Period, &TZebMovingFunction::SetPeriod, 1.0);
    PropEnum("PeriodAlign", &TZebMovingFunction::PeriodAlign, &TZebMovingFunction::SetPeriodAlign, paLast,
             TFunctionPeriodAlignNames);
}

String EditorFormClassNameOfFunction(const TMetaClass& cls)
{
    for (const TMetaClass* c = &cls; c; c = c->ClassParent())
        if (auto* function = dynamic_cast<const TZebFunctionClass*>(c)) return function->EditorFormClassName();
    return String();
}

namespace {
// Periods of whole points: at least one, at most the point count (round() of a huge period does
// not fit an int).
int pointsPerPeriod(double period, int count)
{
    if (!(period < count)) return std::max(count, 1);
    return std::max(static_cast<int>(Round(period)), 1);
}
}  // namespace

TZebFunction::TZebFunction(TComponent* owner) : TComponent(owner) {}

void TZebFunction::Assign(TPersistent* source)
{
    if (auto* other = dynamic_cast<TZebFunction*>(source)) {
        calcByValue_ = other->calcByValue_;
        includeNulls_ = other->includeNulls_;
        period_ = other->period_;
        periodStyle_ = other->periodStyle_;
        periodAlign_ = other->periodAlign_;
        return;
    }
    TComponent::Assign(source);
}

void TZebFunction::HandleSeriesCleared() { owned_.EmptyAll(); }

void TZebFunction::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove) owned_.Forget(component);
}

void TZebFunction::ReadState(TReader& reader)
{
    ApplyPublishedDefaults(*this, &TComponent::StaticClass());
    TComponent::ReadState(reader);
}

void TZebFunction::SetCalcByValue(bool value) { Change(calcByValue_, value); }

void TZebFunction::SetIncludeNulls(bool value) { Change(includeNulls_, value); }

void TZebFunction::SetPeriod(double value)
{
    if (value < 0) throw ChartException(TxtFunctionPeriodShouldBe0);
    Change(period_, value);
}

void TZebFunction::SetPeriodAlign(TFunctionPeriodAlign value) { Change(periodAlign_, value); }

void TZebFunction::SetPeriodStyle(TFunctionPeriodStyle value) { Change(periodStyle_, value); }

void TZebFunction::SetOutputSeries(TChartSeries* series)
{
    if (output_ == series) return;
    if (series)
        series->AttachFunction(this);
    else
        output_->ForgetFunction();
}

void TZebFunction::SetParentComponent(TComponent* value)
{
    if (auto* series = dynamic_cast<TChartSeries*>(value)) SetOutputSeries(series);
}

void TZebFunction::ResumeRecalc()
{
    if (!suspended_) return;
    suspended_ = false;
    RequestRecalc();
}

void TZebFunction::RequestRecalc()
{
    if (!suspended_ && output_) output_->RefreshData();
}

TChartValueList* TZebFunction::SourceValueList(TChartSeries* source) const
{
    const String& name = output_ ? output_->MandatoryValueList()->ValueSource() : String();
    return name.empty() ? source->MandatoryValueList() : source->FindValueList(name);
}

void TZebFunction::SplitVerticalAxes()
{
    if (!output_) return;
    output_->SetVertAxis(aRightAxis);
    if (TCustomAxisPanel* chart = output_->ParentChart()) {
        chart->LeftAxis()->SetEndPosition(70);
        chart->RightAxis()->SetStartPosition(70);
    }
}

void TZebFunction::AddOutputPoint(bool sourceYMandatory, double value, double x)
{
    if (sourceYMandatory)
        output_->InsertXY(x, value);
    else
        output_->InsertXY(value, x);
}

void TZebFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    const int n = chart->NumSeries();
    if (n == 0) return;
    TChartSeries* last = chart->GetSeriesAt(n - 1);
    last->AttachFunction(this);
    if (n >= 2) last->SetDataSource(chart->GetSeriesAt(n - 2));
}

void TZebFunction::RecomputeFrom(TChartSeries* source)
{
    if (suspended_ || !source || !output_) return;
    if (output_->DataSources().Count() > 1) {
        if (calcByValue_)
            combineByValue();
        else
            combineByIndex(source);
    } else if (source->Count() > 0) {
        FillFromSource(source, source->IndependentValueList());
    }
}

void TZebFunction::FillFromSource(TChartSeries* source, TChartValueList* list)
{
    if (period_ != 0)
        FillByPeriod(source, list);
    else
        FillWhole(source, list);
}

void TZebFunction::FillWhole(TChartSeries* source, TChartValueList* list)
{
    const double value = ComputeOverRange(source, -1, -1);
    const double low = list->Lowest(), high = list->Highest();
    if (output_->SinglePointResult()) {
        AddOutputPoint(output_->YMandatory(), value, low + (high - low) / 2);
    } else {
        AddOutputPoint(source->YMandatory(), value, low);
        AddOutputPoint(source->YMandatory(), value, high);
    }
}

double TZebFunction::rangePeriodEnd(double boundary, bool& advanced) const
{
    double next = boundary + period_;
    TChartAxis* axis = output_->GetHorizAxis();
    const int stepIndex = DateTimeStepIndexOf(period_);
    if (axis && axis->ShowsDateTime() && stepIndex >= dtHalfMonth && stepIndex < DateTimeStepCount) {
        TDateTime d = boundary;
        StepDateTime(true, d, stepIndex, period_);
        next = d;
    }
    advanced = next > boundary && std::isfinite(next);
    return next;
}

void TZebFunction::FillByPeriod(TChartSeries* source, TChartValueList* list)
{
    const int n = source->Count();
    const bool byRange = periodStyle_ == psRange;
    const int perPeriod = byRange ? 0 : pointsPerPeriod(period_, n);
    if (byRange && n > 0) {
        // Refused before any point is added: a period this small against the span would make the
        // output too large to hold.
        const double periods = (list->ValueAt(n - 1) - list->ValueAt(0)) / period_;
        if (periods > MaxFunctionRangePeriods)
            throw ChartException(Format("Function Period %g makes more than %d periods over the source",
                                        {period_, MaxFunctionRangePeriods}));
    }
    double boundary = n > 0 ? list->ValueAt(0) : 0;
    int e = 0;
    while (e <= n - 1) {
        int i = e;
        double startX, endX = 0;
        bool nonEmpty = true;
        if (!byRange) {
            i = e + perPeriod - 1;
            startX = list->ValueAt(e);
            if (i < n) endX = list->ValueAt(i);
        } else {
            startX = boundary;
            bool advanced;
            const double next = rangePeriodEnd(boundary, advanced);
            // A period that no longer moves the boundary ends the run.
            if (!advanced) break;
            boundary = next;
            endX = boundary - period_ * 0.001;
            while (i < n - 1 && list->ValueAt(i + 1) < boundary) ++i;
            nonEmpty = list->ValueAt(e) < boundary;
        }
        if (i < n) {
            const double x = periodAlign_ == paFirst ? startX : periodAlign_ == paLast ? endX : (startX + endX) * 0.5;
            if (nonEmpty)
                EmitPeriod(source, e, i, x);
            else
                AddOutputPoint(source->YMandatory(), 0, x);
        }
        if (nonEmpty) e = i + 1;
    }
}

void TZebFunction::EmitPeriod(TChartSeries* source, int first, int last, double x)
{
    AddOutputPoint(source->YMandatory(), ComputeOverRange(source, first, last), x);
}

void TZebFunction::PutWorkValue(std::vector<double>& work, int position, double value)
{
    if (position >= static_cast<int>(work.size())) work.resize(static_cast<size_t>(position) + 1);
    work[static_cast<size_t>(position)] = value;
}

double TZebFunction::ComputeOverRange(TChartSeries* source, int first, int last)
{
    if (first == -1) {
        first = 0;
        last = source->Count() - 1;
    }
    TChartValueList* values = SourceValueList(source);
    work_.clear();
    int position = 0;
    for (int i = first; i <= last; ++i)
        if (includeNulls_ || !source->IsNullPoint(i)) PutWorkValue(work_, position++, values->ValueAt(i));
    work_.resize(static_cast<size_t>(position));
    return ComputeFromValues(work_);
}

double TZebFunction::ComputeAcrossSourcesAt(const TDataSourcesList& sources, int index)
{
    work_.clear();
    int position = 0;
    for (TComponent* c : sources) {
        auto* s = dynamic_cast<TChartSeries*>(c);
        if (!s) continue;
        TChartValueList* values = SourceValueList(s);
        if (values->Count() > index && (includeNulls_ || !s->IsNullPoint(index)))
            PutWorkValue(work_, position++, values->ValueAt(index));
    }
    work_.resize(static_cast<size_t>(position));
    return ComputeFromValues(work_);
}

double TZebFunction::ComputeAcrossSourcesAtX(const TDataSourcesList& sources, double x)
{
    work_.clear();
    int position = 0;
    for (TComponent* c : sources) {
        auto* s = dynamic_cast<TChartSeries*>(c);
        if (!s) continue;
        const int index = s->IndependentValueList()->IndexOfValue(x);
        if (index >= 0 && (includeNulls_ || !s->IsNullPoint(index)))
            PutWorkValue(work_, position++, SourceValueList(s)->ValueAt(index));
    }
    work_.resize(static_cast<size_t>(position));
    return ComputeFromValues(work_);
}

void TZebFunction::combineByIndex(TChartSeries* source)
{
    const TDataSourcesList& sources = output_->DataSources();
    TChartSeries* reference = source;
    for (TComponent* c : sources)
        if (auto* s = dynamic_cast<TChartSeries*>(c); s && s->Count() > reference->Count()) reference = s;
    for (int i = 0; i < reference->Count(); ++i) {
        const double x = reference->IndependentValueList()->ValueAt(i);
        const double value = ComputeAcrossSourcesAt(sources, i);
        const String label = reference->GetLabelAt(i);
        if (reference->YMandatory())
            output_->InsertXY(x, value, label);
        else
            output_->InsertXY(value, x, label);
    }
}

void TZebFunction::combineByValue()
{
    const TDataSourcesList& sources = output_->DataSources();
    std::vector<TChartSeries*> series;
    int m = 0;
    for (TComponent* c : sources)
        if (auto* s = dynamic_cast<TChartSeries*>(c)) {
            series.push_back(s);
            m = std::max(m, s->Count());
        }
    for (int i = 0; i < m; ++i) {
        std::vector<double> xs;
        std::vector<std::pair<String, TChartSeries*>> labelled;
        for (TChartSeries* s : series) {
            if (i >= s->Count()) continue;
            const double x = s->IndependentValueList()->ValueAt(i);
            xs.push_back(x);
            if (!s->GetLabelAt(i).empty()) labelled.emplace_back(FloatToStr(x), s);
        }
        for (const double x : xs) {
            if (output_->IndependentValueList()->IndexOfValue(x) >= 0) continue;
            const double value = ComputeAcrossSourcesAtX(sources, x);
            String label;
            const String text = FloatToStr(x);
            for (const auto& [valueText, s] : labelled)
                if (valueText == text) {
                    label = s->GetLabelAt(i);
                    break;
                }
            const bool everywhere = std::all_of(series.begin(), series.end(), [x](TChartSeries* s) {
                return s->IndependentValueList()->IndexOfValue(x) >= 0;
            });
            if (everywhere)
                output_->InsertXY(x, value, label);
            else if (includeNulls_)
                output_->AppendNullXY(x, value, label);
        }
    }
}

// ---- moving ----

TZebMovingFunction::TZebMovingFunction(TComponent* owner) : TZebFunction(owner)
{
    InitPeriod(1);
    OneSource = true;
    SetPeriodAlign(paLast);
}

void TZebMovingFunction::FillFromSource(TChartSeries* source, TChartValueList* list)
{
    const int n = source->Count();
    // A window of fewer points than the period gives nothing; below one point counts as one.
    if (!(Period() < n + 1.0)) return;
    const int p = std::max(static_cast<int>(Round(Period())), 1);
    if (n < p) return;
    for (int i = p - 1; i < n; ++i) {
        const int first = i - p + 1;
        const double x = PeriodAlign() == paFirst  ? list->ValueAt(first)
                         : PeriodAlign() == paLast ? list->ValueAt(i)
                                                   : (list->ValueAt(first) + list->ValueAt(i)) * 0.5;
        AddOutputPoint(source->YMandatory(), ComputeOverRange(source, first, i), x);
    }
}
