#include "BarFixtures.h"
#include "platform/classes/Published.h"
#include "tests/chart/support/PanelEnvironment.h"

TV_PUBLISHED_AS(TProbeBarSeries, TChartElementClass) {}

namespace {
const auto* environment = ::testing::AddGlobalTestEnvironment(new TPanelEnvironment("tv_chart_series"));
}  // namespace
