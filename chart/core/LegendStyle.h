#pragma once
// What a legend lists: its chart's series, one series' values, each series' last value, or the
// series groups (lsAuto chooses by the number of series).
#include <iterator>

enum TLegendStyle { lsAuto, lsSeries, lsValues, lsLastValues, lsSeriesGroups };
inline constexpr const char* TLegendStyleNames[] = {"lsAuto", "lsSeries", "lsValues", "lsLastValues",
                                                    "lsSeriesGroups"};
static_assert(std::size(TLegendStyleNames) == lsSeriesGroups + 1);
