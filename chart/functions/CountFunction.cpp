#include "chart/functions/CountFunction.h"

#include "chart/core/AxisPanel.h"
#include "chart/core/ChartSeries.h"
#include "platform/classes/Published.h"

TV_PUBLISHED_AS(TCountZebFunction, TZebFunctionClass) {}

double TCountZebFunction::ComputeOverRange(TChartSeries* source, int first, int last)
{
    if (first == -1) return SourceValueList(source)->Count();
    return last - first + 1;
}

double TCountZebFunction::ComputeAcrossSourcesAt(const TDataSourcesList& sources, int index)
{
    int count = 0;
    for (TComponent* c : sources)
        if (auto* s = dynamic_cast<TChartSeries*>(c); s && SourceValueList(s)->Count() > index) ++count;
    return count;
}

void TCountZebFunction::SetupSampleChart(TCustomAxisPanel* chart)
{
    TZebFunction::SetupSampleChart(chart);
    if (chart && chart->NumSeries() > 1) chart->GetSeriesAt(1)->SetVertAxis(aRightAxis);
}
