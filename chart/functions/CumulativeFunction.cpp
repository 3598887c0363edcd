#include "chart/functions/CumulativeFunction.h"

#include "chart/core/AxisPanel.h"
#include "chart/core/ChartSeries.h"
#include "chart/functions/FunctionClasses.h"
#include "platform/classes/Published.h"

TV_PUBLISHED_AS(TCumulative, TZebFunctionClass)
{
    Prop("Period", &TCumulative::Period, &TCumulative::SetPeriod, 1.0);
}

TCumulative::TCumulative(TComponent* owner) : TZebFunction(owner) { InitPeriod(1); }

double TCumulative::ComputeOverRange(TChartSeries* source, int first, int last)
{
    (void)last;
    if (first == -1) return 0;
    double total = SourceValueList(source)->ValueAt(first);
    TChartValueList* sofar = OutputSeries()->MandatoryValueList();
    if (first >= 1 && sofar->Count() > 0) total += sofar->LastEntry();
    return total;
}

double TCumulative::ComputeAcrossSourcesAt(const TDataSourcesList& sources, int index)
{
    TChartValueList* sofar = OutputSeries()->MandatoryValueList();
    double total = index > 0 && sofar->Count() >= index ? sofar->ValueAt(index - 1) : 0;
    for (TComponent* c : sources)
        if (auto* s = dynamic_cast<TChartSeries*>(c))
            if (TChartValueList* values = SourceValueList(s); values->Count() > index) total += values->ValueAt(index);
    return total;
}

void TCumulative::SetupSampleChart(TCustomAxisPanel* chart)
{
    TZebFunction::SetupSampleChart(chart);
    OutputOnRightAxis(*this);
}
