// The chart's legend: where the chart makes, copies and frees it, and what the drawing order and
// the legend texts ask of it. Until the legend object joins the chart these answer as a chart
// without legend: nothing to show, the default text style, plain colour boxes.
#include "chart/canvas/Canvas3D.h"
#include "chart/core/Chart.h"

void TCustomChart::createLegend() {}

void TCustomChart::destroyLegend() {}

void TCustomChart::assignLegend(TCustomChart& source) { (void)source; }

bool TCustomChart::legendHasContent() const { return false; }

bool TCustomChart::legendIsSideAligned() const { return false; }

bool TCustomChart::legendDrawBehind() const { return false; }

void TCustomChart::layoutLegend() {}

void TCustomChart::paintLegend() {}

TLegendTextStyle TCustomChart::legendTextStyle() const { return ltsLeftValue; }

bool TCustomChart::legendUsesImages() const { return true; }

void TCustomChart::paintLegendColorBox(const TRect& rect) { Canvas3D()->DrawRect(rect); }
