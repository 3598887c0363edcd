#pragma once
// The calculation-function base: a component attached to its output series that computes the
// output's points from the series' sources, over the whole source, by periods of points or of X
// range, or across several sources by index or by X value.
#include <iterator>
#include <utility>
#include <vector>

#include "chart/core/ChartSeries.h"
#include "chart/core/OwnedSeries.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Component.h"

class TCustomAxisPanel;

enum TFunctionPeriodAlign { paFirst, paCenter, paLast };
inline constexpr const char* TFunctionPeriodAlignNames[] = {"paFirst", "paCenter", "paLast"};
static_assert(std::size(TFunctionPeriodAlignNames) == paLast + 1);

enum TFunctionPeriodStyle { psNumPoints, psRange };
inline constexpr const char* TFunctionPeriodStyleNames[] = {"psNumPoints", "psRange"};
static_assert(std::size(TFunctionPeriodStyleNames) == psRange + 1);

// Most range periods one recompute adds; a Period that would make more is refused.
inline constexpr int MaxFunctionRangePeriods = 10'000'000;

class TZebFunctionClass : public TMetaClass {
public:
    using TMetaClass::TMetaClass;
    virtual String EditorFormClassName() const { return "TZebFunctionEditor"; }
};

class TZebFunction : public TComponent {
    TV_CLASS(TZebFunction, TComponent)
public:
    explicit TZebFunction(TComponent* owner);
    void Assign(TPersistent* source) override;

    bool CalcByValue() const { return calcByValue_; }
    void SetCalcByValue(bool value);
    bool IncludeNulls() const { return includeNulls_; }
    void SetIncludeNulls(bool value);
    double Period() const { return period_; }
    // ChartException below 0; the previous period stays.
    void SetPeriod(double value);
    // Without checks or recalculation (constructors).
    void InitPeriod(double value) { period_ = value; }
    TFunctionPeriodAlign PeriodAlign() const { return periodAlign_; }
    void SetPeriodAlign(TFunctionPeriodAlign value);
    TFunctionPeriodStyle PeriodStyle() const { return periodStyle_; }
    void SetPeriodStyle(TFunctionPeriodStyle value);

    // Capabilities the gallery and the function page read.
    bool UsesPeriod = true;
    bool NeedsNoSource = false;
    bool OneSource = false;
    bool OwnValueLists = false;

    TChartSeries* OutputSeries() const { return output_; }
    // The series attaches this function (and so becomes its output).
    void SetOutputSeries(TChartSeries* series);
    // For the output series only.
    void StoreOutput(TChartSeries* series) { output_ = series; }
    void SuspendRecalc() { suspended_ = true; }
    void ResumeRecalc();
    bool Suspended() const { return suspended_; }
    void RequestRecalc();

    // The source's list named by the output's ValueSource, else its main list.
    TChartValueList* SourceValueList(TChartSeries* source) const;
    // An indicator pane below the main one: the output on the right axis.
    void SplitVerticalAxes();
    void AddOutputPoint(bool sourceYMandatory, double value, double x);

    virtual bool AcceptsSource(TChartSeries*) { return true; }
    // The output was emptied: so are the owned lines. Overrides call this first.
    virtual void HandleSeriesCleared();
    // The series class the gallery draws the sample source with; none: its default sample series.
    virtual const TMetaClass* PreferredSeriesClass() const { return nullptr; }
    // The extra lines beside the output, components of this function.
    TOwnedSeriesList& OwnedSeries() { return owned_; }
    const TOwnedSeriesList& OwnedSeries() const { return owned_; }
    virtual void RecomputeFrom(TChartSeries* source);
    virtual void SetupSampleChart(TCustomAxisPanel* chart);

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return output_; }
    void SetParentComponent(TComponent* value) override;

protected:
    // Store value and recalculate only when it differs.
    template <class T, class V>
    void Change(T& field, V&& value)
    {
        if (AssignIfChanged(field, std::forward<V>(value))) RequestRecalc();
    }
    void Notification(TComponent* component, TOperation operation) override;
    void ReadState(TReader& reader) override;
    virtual void EmitPeriod(TChartSeries* source, int first, int last, double x);
    virtual void PutWorkValue(std::vector<double>& work, int position, double value);
    virtual double ComputeFromValues(const std::vector<double>& work) { (void)work; return 0; }
    virtual void FillWhole(TChartSeries* source, TChartValueList* list);
    virtual void FillByPeriod(TChartSeries* source, TChartValueList* list);
    virtual void FillFromSource(TChartSeries* source, TChartValueList* list);
    // first -1: the whole series.
    virtual double ComputeOverRange(TChartSeries* source, int first, int last);
    virtual double ComputeAcrossSourcesAt(const TDataSourcesList& sources, int index);
    virtual double ComputeAcrossSourcesAtX(const TDataSourcesList& sources, double x);

private:
    void combineByIndex(TChartSeries* source);
    void combineByValue();
    double rangePeriodEnd(double boundary, bool& advanced) const;

    TChartSeries* output_ = nullptr;
    bool calcByValue_ = false;
    bool includeNulls_ = true;
    double period_ = 0;
    TFunctionPeriodAlign periodAlign_ = paCenter;
    TFunctionPeriodStyle periodStyle_ = psNumPoints;
    bool suspended_ = false;
    std::vector<double> work_;
    TOwnedSeriesList owned_;
};

// A window of Period points moved one point at a time over one source.
class TZebMovingFunction : public TZebFunction {
    TV_CLASS(TZebMovingFunction, TZebFunction)
public:
    explicit TZebMovingFunction(TComponent* owner);

protected:
    void FillFromSource(TChartSeries* source, TChartValueList* list) override;
};

String EditorFormClassNameOfFunction(const TMetaClass& cls);
