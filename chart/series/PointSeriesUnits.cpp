#include "chart/series/PointSeriesUnits.h"

#include "chart/core/SeriesTypes.h"
#include "chart/core/ZebConst.h"
#include "chart/series/ArrowSeries.h"
#include "chart/series/BubbleSeries.h"
#include "chart/series/GanttSeries.h"
#include "chart/series/ShapeSeries.h"

namespace {
struct TUnitStarts {
    int count = 0;
    bool First() { return count++ == 0; }
    bool Last() { return count > 0 && --count == 0; }
};
TUnitStarts bubbleStarts, arrowStarts, shapeStarts, ganttStarts;
}  // namespace

void StartBubbleUnit()
{
    if (bubbleStarts.First()) RegisterSeriesType(TBubbleSeries::StaticClass(), &TxtBubble, &TxtStandard, 1);
}

void StopBubbleUnit()
{
    if (bubbleStarts.Last()) UnregisterSeriesTypes({&TBubbleSeries::StaticClass()});
}

void StartArrowUnit()
{
    if (arrowStarts.First()) RegisterSeriesType(TArrowSeries::StaticClass(), &TxtArrow, &TxtExtended, 2);
}

void StopArrowUnit()
{
    if (arrowStarts.Last()) UnregisterSeriesTypes({&TArrowSeries::StaticClass()});
}

void StartShapeUnit()
{
    if (shapeStarts.First()) RegisterSeriesType(TChartShape::StaticClass(), &TxtShape, &TxtStandard, 2);
}

void StopShapeUnit()
{
    if (shapeStarts.Last()) UnregisterSeriesTypes({&TChartShape::StaticClass()});
}

void StartGanttUnit()
{
    if (ganttStarts.First()) RegisterSeriesType(TGanttSeries::StaticClass(), &TxtGantt, &TxtStandard, 1);
}

void StopGanttUnit()
{
    if (ganttStarts.Last()) UnregisterSeriesTypes({&TGanttSeries::StaticClass()});
}
