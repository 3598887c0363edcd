#pragma once
// Plain series that carry a calculation function: the indicators compute their averages (and
// other indicators they build on) into them and read the points back. They are never drawn.
#include "chart/core/ZebFunction.h"

// A series of owner (none: the caller's to free) carrying a new function of functionClass with
// the period; the series frees the function.
TChartSeries* NewFunctionSeries(TComponent* owner, const TMetaClass& functionClass, double period);
// The function of functionClass with the period computed from the points of values, in a
// temporary series.
TOwnedPtr<TChartSeries> ComputedSeries(TChartSeries& values, const TMetaClass& functionClass, double period);
