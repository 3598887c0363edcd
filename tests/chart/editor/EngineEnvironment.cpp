// The editor's dialogs use the engine's texts: the engine runs for the whole test program.
#include <gtest/gtest.h>

#include "chart/core/EngineStartup.h"

namespace {

class EngineEnvironment : public ::testing::Environment {
public:
    void SetUp() override { StartChartEngine(); }
    void TearDown() override { StopChartEngine(); }
};

const auto* const engine = ::testing::AddGlobalTestEnvironment(new EngineEnvironment);

}  // namespace
