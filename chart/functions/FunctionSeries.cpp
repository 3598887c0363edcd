#include "chart/functions/FunctionSeries.h"

TChartSeries* NewFunctionSeries(TComponent* owner, const TMetaClass& functionClass, double period)
{
    auto* series = new TChartSeries(owner);
    auto* function = static_cast<TZebFunction*>(functionClass.CreateComponent(series));
    function->InitPeriod(period);
    series->AttachFunction(function);
    return series;
}

TOwnedPtr<TChartSeries> ComputedSeries(TChartSeries& values, const TMetaClass& functionClass, double period)
{
    TOwnedPtr<TChartSeries> series(NewFunctionSeries(nullptr, functionClass, period));
    series->FunctionObject()->RecomputeFrom(&values);
    return series;
}
