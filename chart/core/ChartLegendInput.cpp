// What the chart's mouse handling asks of its legend: the item under the mouse, clicks on items,
// the cursor and the hover highlight.
#include "chart/core/Chart.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/Legend.h"
#include "chart/core/ZebSelected.h"

bool TCustomChart::legendVisible() const { return legend_->Visible(); }

bool TCustomChart::legendCustomPosition() const { return legend_->CustomPosition(); }

int TCustomChart::legendItemAt(int x, int y) { return legend_->ItemAtXY(x, y); }

bool TCustomChart::legendClickItem(int index) { return legend_->ClickItem(index); }

TCursor TCustomChart::legendCursor() const { return legend_->HoverCursor(); }

bool TCustomChart::legendShowsValues() const { return legend_->EffectiveStyle() == lsValues; }

TChartSeries* TCustomChart::legendValuesSeries() const { return legend_->LegendSeries(); }

int TCustomChart::legendItemOfPoint(int pointIndex) const
{
    const TChartSeries* series = legend_->LegendSeries();
    return series && pointIndex != -1 ? series->LegendItemOfPoint(pointIndex) : -1;
}

int TCustomChart::legendPointOfItem(int item) const
{
    const TChartSeries* series = legend_->LegendSeries();
    return series ? series->PointOfLegendItem(item) : item;
}

void TCustomChart::legendSetHoverItem(int item)
{
    // The highlight object is made only when there is something to highlight.
    if (item != -1 || legend_->HasSelected()) legend_->Selected()->SetHoverIndex(item);
}
