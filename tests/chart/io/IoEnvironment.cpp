#include "chart/core/EngineStartup.h"
#include "chart/io/ChartFile.h"
#include "chart/series/StandardSeriesUnit.h"
#include "tests/chart/support/PanelEnvironment.h"

namespace {

class TIoEnvironment : public TPanelEnvironment {
public:
    TIoEnvironment() : TPanelEnvironment("tv_chart_io") {}
    void SetUp() override
    {
        TPanelEnvironment::SetUp();
        StartChartEngine();
        StartStandardSeriesUnits();
        StartChartFileUnit();
    }
    void TearDown() override
    {
        StopChartFileUnit();
        StopStandardSeriesUnits();
        StopChartEngine();
        TPanelEnvironment::TearDown();
    }
};

const auto* environment = ::testing::AddGlobalTestEnvironment(new TIoEnvironment);

}  // namespace
