#include "chart/series/PointSeriesUnits.h"

#include "chart/core/SeriesTypes.h"
#include "chart/core/UnitStarts.h"
#include "chart/core/ZebConst.h"
#include "chart/series/ArrowSeries.h"
#include "chart/series/BubbleSeries.h"
#include "chart/series/GanttSeries.h"
#include "chart/series/ShapeSeries.h"

namespace {

TUnitStarts bubbleStarts, arrowStarts, shapeStarts, ganttStarts;

void start(TUnitStarts& starts, const TMetaClass& cls, const String* description, const String* page, int samples)
{
    if (starts.First()) RegisterSeriesType(cls, description, page, samples);
}

void stop(TUnitStarts& starts, const TMetaClass& cls)
{
    if (starts.Last()) UnregisterSeriesTypes({&cls});
}

}  // namespace

void StartBubbleUnit() { start(bubbleStarts, TBubbleSeries::StaticClass(), &TxtBubble, &TxtStandard, 1); }
void StopBubbleUnit() { stop(bubbleStarts, TBubbleSeries::StaticClass()); }
void StartArrowUnit() { start(arrowStarts, TArrowSeries::StaticClass(), &TxtArrow, &TxtExtended, 2); }
void StopArrowUnit() { stop(arrowStarts, TArrowSeries::StaticClass()); }
void StartShapeUnit() { start(shapeStarts, TChartShape::StaticClass(), &TxtShape, &TxtStandard, 2); }
void StopShapeUnit() { stop(shapeStarts, TChartShape::StaticClass()); }
void StartGanttUnit() { start(ganttStarts, TGanttSeries::StaticClass(), &TxtGantt, &TxtStandard, 1); }
void StopGanttUnit() { stop(ganttStarts, TGanttSeries::StaticClass()); }
