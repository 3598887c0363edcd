#include "AxisFixtures.h"

#include "platform/classes/Published.h"

#include "chart/core/SeriesGroups.h"

TV_PUBLISHED(TTestAxisPanel)
{
    Prop("SeriesGroups", &TTestAxisPanel::SeriesGroups, &TTestAxisPanel::SetSeriesGroups)
        .Stored(&TTestAxisPanel::IsSeriesGroupsStored);
}
TV_PUBLISHED(TTestSeries) {}
