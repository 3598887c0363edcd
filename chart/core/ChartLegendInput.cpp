// What the chart's mouse handling asks of its legend: the item under the mouse, clicks on items,
// the cursor and the hover highlight. Until the legend object joins the chart these answer as a
// chart without legend: nothing is ever under the mouse.
#include "chart/core/Chart.h"

bool TCustomChart::legendVisible() const { return false; }

bool TCustomChart::legendCustomPosition() const { return false; }

int TCustomChart::legendItemAt(int x, int y)
{
    (void)x, (void)y;
    return -1;
}

bool TCustomChart::legendClickItem(int index)
{
    (void)index;
    return false;
}

TCursor TCustomChart::legendCursor() const { return crDefault; }

bool TCustomChart::legendShowsValues() const { return false; }

TChartSeries* TCustomChart::legendValuesSeries() const { return nullptr; }

int TCustomChart::legendItemOfPoint(int pointIndex) const { return pointIndex; }

int TCustomChart::legendPointOfItem(int item) const { return item; }

void TCustomChart::legendSetHoverItem(int item) { (void)item; }
