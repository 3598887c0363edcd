#include "chart/core/SeriesCloning.h"

#include <algorithm>
#include <vector>

#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebCanvas3D.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartAxes.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ChartTools.h"
#include "chart/core/DrawGuards.h"
#include "chart/core/Legend.h"
#include "chart/core/SeriesData.h"
#include "chart/core/SeriesGroups.h"
#include "chart/core/ZebFunction.h"

String UniqueSeriesName(const TComponent* owner) { return UniqueComponentName(owner, "Series"); }

TChartSeries* MakeSeriesOfClass(TComponent* owner, TCustomAxisPanel* chart, const TMetaClass& seriesClass,
                                const TMetaClass* functionClass)
{
    if (!owner) owner = chart;
    if (chart)
        for (TChartSeries* s : chart->SeriesList())
            if (s->Owner() == chart) owner = chart;
    auto* series = static_cast<TChartSeries*>(seriesClass.CreateComponent(owner));
    series->SetName(UniqueSeriesName(owner));
    series->SetParentChart(chart);
    if (functionClass) AttachNewFunction(series, *functionClass);
    return series;
}

TZebFunction* AttachNewFunction(TChartSeries* series, const TMetaClass& functionClass)
{
    TComponent* owner = series->Owner();
    auto* function = static_cast<TZebFunction*>(functionClass.CreateComponent(owner));
    function->SetOutputSeries(series);
    function->SetName(UniqueComponentName(owner, "ZebFunction"));
    return function;
}

TChartSeries* DuplicateSeriesTo(TChartSeries* series, TComponent* owner, TCustomAxisPanel* chart)
{
    const TZebFunction* function = series->FunctionObject();
    TChartSeries* copy =
        MakeSeriesOfClass(owner, chart, series->ClassType(), function ? &function->ClassType() : nullptr);
    copy->Assign(series);
    return copy;
}

TChartSeries* DuplicateSeries(TChartSeries* series)
{
    return DuplicateSeriesTo(series, series->Owner(), series->ParentChart());
}

TZebCustomTool* DuplicateTool(TZebCustomTool* tool, TComponent* owner)
{
    auto* copy = static_cast<TZebCustomTool*>(tool->ClassType().CreateComponent(owner));
    copy->SetName(UniqueComponentName(owner, "ChartTool"));
    copy->Assign(tool);
    return copy;
}

namespace {

// The axis of dest at the place axis has in source; none for an axis outside source.
TChartAxis* sameAxisIn(TCustomAxisPanel* dest, TCustomAxisPanel* source, TChartAxis* axis)
{
    if (!axis) return nullptr;
    for (int i = 0; i < source->Axes().Count() && i < dest->Axes().Count(); ++i)
        if (source->Axes().Items(i) == axis) return dest->Axes().Items(i);
    return nullptr;
}

TChartAxis* sameCustomAxisIn(TCustomAxisPanel* dest, TCustomAxisPanel* source, TChartAxis* axis)
{
    for (int k = 0; axis && k < source->CustomAxes()->Count() && k < dest->CustomAxes()->Count(); ++k)
        if (source->CustomAxes()->GetAxisAt(k) == axis) return dest->CustomAxes()->GetAxisAt(k);
    return nullptr;
}

TChartSeries* sameSeriesIn(TCustomAxisPanel* dest, TCustomAxisPanel* source, const TChartSeries* series)
{
    const int index = series ? source->IndexOfSeries(series) : -1;
    return index >= 0 && index < dest->NumSeries() ? dest->GetSeriesAt(index) : nullptr;
}

}  // namespace

void DuplicateChart(TCustomAxisPanel* dest, TCustomAxisPanel* source, TComponent* owner, bool withData)
{
    dest->DisposeAllSeries(nullptr);
    dest->Tools().Clear();
    dest->Assign(source);
    // A function's own extra series are made again by the function.
    std::vector<TChartSeries*> copied;
    for (TChartSeries* series : source->SeriesList()) {
        if (series->Internal()) continue;
        TSeriesDataMarkGuard mark(*series, withData ? TChartSeries::dmForceData : TChartSeries::dmSkipData);
        copied.push_back(DuplicateSeriesTo(series, owner, dest));
    }
    int i = 0;
    for (TChartSeries* original : source->SeriesList()) {
        if (original->Internal()) continue;
        TChartSeries* copy = copied[static_cast<size_t>(i++)];
        if (TChartAxis* axis = sameCustomAxisIn(dest, source, original->CustomHorizAxis()))
            copy->SetCustomHorizAxis(axis);
        if (TChartAxis* axis = sameCustomAxisIn(dest, source, original->CustomVertAxis()))
            copy->SetCustomVertAxis(axis);
        const TDataSourcesList* sources = original->DataSourcesOrNull();
        std::vector<TChartSeries*> fedBy;
        if (sources)
            for (TComponent* c : *sources)
                if (TChartSeries* feeder = sameSeriesIn(dest, source, dynamic_cast<TChartSeries*>(c)))
                    fedBy.push_back(feeder);
        if (fedBy.empty()) continue;
        copy->DataSources().Clear();
        for (TChartSeries* feeder : fedBy) copy->DataSources().AddSource(feeder);
    }
    for (TZebCustomTool* tool : source->Tools()) {
        TZebCustomTool* copy = DuplicateTool(tool, owner);
        // A copied tool points into dest, not at the source chart's series and axes.
        if (auto* seriesTool = dynamic_cast<TZebCustomToolSeries*>(copy))
            seriesTool->SetSeries(sameSeriesIn(dest, source, seriesTool->Series()));
        if (auto* axisTool = dynamic_cast<TZebCustomToolAxis*>(copy))
            axisTool->SetAxis(sameAxisIn(dest, source, axisTool->Axis()));
        copy->SetParentChart(dest);
    }
}

void ReplaceSeriesWith(TChartSeries* old, TChartSeries* newSeries)
{
    if (old == newSeries) return;
    newSeries->Assign(old);
    newSeries->SetAfterDrawValues(old->AfterDrawValues());
    newSeries->SetBeforeDrawValues(old->BeforeDrawValues());
    newSeries->SetOnAfterAdd(old->OnAfterAdd());
    newSeries->SetOnBeforeAdd(old->OnBeforeAdd());
    newSeries->SetOnClearValues(old->OnClearValues());
    newSeries->SetOnClick(old->OnClick());
    newSeries->SetOnDblClick(old->OnDblClick());
    newSeries->SetOnGetMarkText(old->OnGetMarkText());
    if (const TCustomSeriesList* linked = old->LinkedSeries()) {
        const std::vector<TChartSeries*> dependants(linked->begin(), linked->end());
        // The sources are laid anew in their order, new in old's place: removing a series that
        // is the first source would drop the others with it.
        for (TChartSeries* dependant : dependants) {
            std::vector<TComponent*> sources(dependant->DataSources().begin(), dependant->DataSources().end());
            std::replace(sources.begin(), sources.end(), static_cast<TComponent*>(old), static_cast<TComponent*>(newSeries));
            dependant->DataSources().Clear();
            for (TComponent* source : sources) dependant->DataSources().AddSource(source);
        }
    }
    TCustomAxisPanel* chart = old->ParentChart();
    if (chart) {
        for (TZebCustomTool* tool : chart->Tools())
            if (auto* seriesTool = dynamic_cast<TZebCustomToolSeries*>(tool); seriesTool && seriesTool->Series() == old)
                seriesTool->SetSeries(newSeries);
        if (newSeries->ParentChart() == chart) chart->SwapSeries(old, newSeries);
        if (TSeriesGroups* groups = chart->SeriesGroups())
            for (int g = 0; g < groups->Count(); ++g) {
                TCustomSeriesList& members = groups->GetGroup(g)->Series();
                if (const int at = members.IndexOf(old); at >= 0 && !members.Contains(newSeries))
                    members.SetSeriesAt(at, newSeries);
            }
    }
    const String name = old->Name();
    old->Free();
    newSeries->SetName(name);
    if (chart) chart->BroadcastSeriesEvent(newSeries, seTitleChanged);
    newSeries->NotifyDependents(dnBulkChange);
    if (newSeries->ManualData()) newSeries->RefreshData();
}

void ConvertSeriesClass(TChartSeries*& series, const TMetaClass& newClass)
{
    if (&series->ClassType() == &newClass) return;
    TChartSeries* replacement = MakeSeriesOfClass(series->Owner(), series->ParentChart(), newClass);
    ReplaceSeriesWith(series, replacement);
    series = replacement;
}

void ConvertAllSeriesClass(TCustomAxisPanel* chart, const TMetaClass& newClass)
{
    for (int i = 0; i < chart->NumSeries(); ++i) {
        TChartSeries* series = chart->GetSeriesAt(i);
        ConvertSeriesClass(series, newClass);
    }
}

namespace {

// The series in a chart meanwhile: its own, else a chart of its own it leaves again after.
class TLentChart {
public:
    explicit TLentChart(TChartSeries& series) : series_(series)
    {
        if (series.ParentChart()) return;
        lent_.reset(new TChart(nullptr));
        series.SetParentChart(lent_.get());
    }
    ~TLentChart()
    {
        if (lent_) series_.SetParentChart(nullptr);
    }
    TLentChart(const TLentChart&) = delete;
    TLentChart& operator=(const TLentChart&) = delete;

private:
    TChartSeries& series_;
    TOwnedPtr<TChart> lent_;
};

// The chart draws on a projecting canvas bound to target meanwhile: its own when that is one
// drawing straight to its target, else a temporary one; the displaced canvas and the old binding
// come back after. A buffered canvas would draw into its buffer whatever it is bound to, and
// taking the buffer away would cost the next paint its copy: it stays as it is, set aside.
class TSymbolCanvas {
public:
    TSymbolCanvas(TCustomAxisPanel& chart, TCanvas* target) : chart_(chart)
    {
        TCanvas3D* own = chart.Canvas3D();
        if (!dynamic_cast<TZebCanvas3D*>(own) || own->IsTrue3D() || own->GetBuffered()) {
            temporary_.reset(new TZebCanvas3D);
            displaced_ = chart.ExchangeCanvas(temporary_.get());
            exchanged_ = true;
        }
        canvas_ = chart.Canvas3D();
        bound_ = canvas_->TargetCanvas();
        canvas_->BindCanvas(target);
    }
    ~TSymbolCanvas()
    {
        canvas_->BindCanvas(bound_);
        if (exchanged_) chart_.ExchangeCanvas(displaced_);
    }
    TSymbolCanvas(const TSymbolCanvas&) = delete;
    TSymbolCanvas& operator=(const TSymbolCanvas&) = delete;

    TCanvas3D& Canvas() const { return *canvas_; }

private:
    TCustomAxisPanel& chart_;
    TOwnedPtr<TZebCanvas3D> temporary_;
    TCanvas3D* displaced_ = nullptr;
    bool exchanged_ = false;
    TCanvas3D* canvas_ = nullptr;
    TCanvas* bound_ = nullptr;
};

}  // namespace

void PaintSeriesSymbol(TChartSeries* series, TCanvas* canvas, const TRect& rect)
{
    if (!series || !canvas) return;
    const TLentChart lent(*series);
    TCustomAxisPanel& chart = *series->ParentChart();
    const TAutoRepaintOff repaintOff(chart);
    const TSymbolCanvas symbolCanvas(chart, canvas);
    TCanvas3D& c = symbolCanvas.Canvas();
    const TFlatMode flat(c);
    auto* withLegend = dynamic_cast<TCustomChart*>(&chart);
    c.Brush()->SetStyle(bsSolid);
    c.Brush()->SetColor(withLegend ? withLegend->Legend()->Color() : chart.LegendColor());
    if (withLegend) withLegend->Legend()->SelectSymbolPen();
    series->DrawLegendSymbol(-1, rect);
}
