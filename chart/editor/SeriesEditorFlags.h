#pragma once
// The editor flags of a series, stored as its "Style": what the editor lets a user do with it.
#include "chart/core/ChartSeries.h"

enum TSeriesEditorFlag { sefFixed, sefNoTypeChange, sefNoDelete, sefNoClone, sefPersistent, sefNoDataSource };

inline bool HasEditorFlag(const TChartSeries* series, TSeriesEditorFlag flag)
{
    return series && series->Style().Contains(flag);
}
