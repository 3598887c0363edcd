#include "chart/core/OwnedSeries.h"

#include <algorithm>

#include "chart/core/ChartSeries.h"

void HideOwnedSeries(TChartSeries& series)
{
    series.SetShowInLegend(false);
    series.SetInternal(true);
    series.SetShowInEditor(false);
}

void FollowOutputSeries(TChartSeries& owned, const TChartSeries& output, bool horizontalAxes)
{
    owned.SetParentChart(output.ParentChart());
    owned.SetCustomVertAxis(output.CustomVertAxis());
    owned.SetVertAxis(output.VertAxis());
    if (horizontalAxes) {
        owned.SetCustomHorizAxis(output.CustomHorizAxis());
        owned.SetHorizAxis(output.HorizAxis());
    }
    owned.XValues()->SetDateTime(output.XValues()->DateTime());
    owned.SetAfterDrawValues(output.AfterDrawValues());
    owned.SetBeforeDrawValues(output.BeforeDrawValues());
}

void TOwnedSeriesList::add(TChartSeries* series)
{
    HideOwnedSeries(*series);
    items_.push_back(series);
}

void TOwnedSeriesList::FollowOutput(const TChartSeries& output, bool horizontalAxes)
{
    for (TChartSeries* series : items_) FollowOutputSeries(*series, output, horizontalAxes);
}

void TOwnedSeriesList::EmptyAll()
{
    for (TChartSeries* series : items_) series->RemoveAllPoints();
}

void TOwnedSeriesList::Forget(const TComponent* component) { std::erase(items_, component); }
