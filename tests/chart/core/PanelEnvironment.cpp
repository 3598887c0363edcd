#include "tests/chart/support/PanelEnvironment.h"

namespace {
const auto* environment = ::testing::AddGlobalTestEnvironment(new TPanelEnvironment("tv_chart_core"));
}  // namespace
