#include "ToolFixture.h"
#include "chart/core/EngineStartup.h"
#include "chart/io/ChartFile.h"
#include "chart/tools/PageNumTool.h"
#include "chart/tools/ToolsUnit.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "tests/chart/support/PanelEnvironment.h"

namespace {

class TToolsEnvironment : public TPanelEnvironment {
public:
    TToolsEnvironment() : TPanelEnvironment("tv_chart_tools") {}
    void SetUp() override
    {
        TPanelEnvironment::SetUp();
        StartChartEngine();
        StartChartFileUnit();
        RegisterClass(TToolSeries::StaticClass());
        StartToolsUnit();
        StartPageNumUnit();
    }
    void TearDown() override
    {
        StopPageNumUnit();
        StopToolsUnit();
        StopChartFileUnit();
        StopChartEngine();
        TPanelEnvironment::TearDown();
    }
};

const auto* environment = ::testing::AddGlobalTestEnvironment(new TToolsEnvironment);

}  // namespace

TV_PUBLISHED(TToolSeries) {}
