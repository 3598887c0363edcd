#pragma once
// Making, copying and converting series, tools and charts the way the editor and the chart-file
// code do: new components get unique names in their owner, copies take every setting, and a series
// converted to another class keeps its name, place, sources, dependants and tools.
#include "platform/classes/Component.h"
#include "platform/graphics/GraphicsTypes.h"

class TCanvas;
class TChartSeries;
class TCustomAxisPanel;
class TZebCustomTool;
class TZebFunction;

// "Series" and the smallest number from 1 no component of owner uses.
String UniqueSeriesName(const TComponent* owner);
// Owned by owner (else chart; the chart when it owns one of its series), uniquely named, in chart,
// with a new function of functionClass when given.
TChartSeries* MakeSeriesOfClass(TComponent* owner, TCustomAxisPanel* chart, const TMetaClass& seriesClass,
                                const TMetaClass* functionClass = nullptr);
// Owned by the series' owner, named "ZebFunction" and the smallest free number.
TZebFunction* AttachNewFunction(TChartSeries* series, const TMetaClass& functionClass);
TChartSeries* DuplicateSeriesTo(TChartSeries* series, TComponent* owner, TCustomAxisPanel* chart);
TChartSeries* DuplicateSeries(TChartSeries* series);
// Named "ChartTool" and the smallest free number; not yet in a chart.
TZebCustomTool* DuplicateTool(TZebCustomTool* tool, TComponent* owner);
// Dest's series and tools give way to copies of source's; custom axes, series sources and the
// series and axes of tools point into dest by position. withData copies every series' points, else
// only series fed by sources have points.
void DuplicateChart(TCustomAxisPanel* dest, TCustomAxisPanel* source, TComponent* owner, bool withData);
// newSeries takes old's settings, events, dependants, tools, place and name; old is freed.
void ReplaceSeriesWith(TChartSeries* old, TChartSeries* newSeries);
void ConvertSeriesClass(TChartSeries*& series, const TMetaClass& newClass);
void ConvertAllSeriesClass(TCustomAxisPanel* chart, const TMetaClass& newClass);
// The series' legend symbol into rect of any canvas (series lists, editor pages), flat; a series
// without chart is lent a chart meanwhile. The chart, its canvas and the series come back as
// they were.
void PaintSeriesSymbol(TChartSeries* series, TCanvas* canvas, const TRect& rect);
