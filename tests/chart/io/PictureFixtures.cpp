#include "PictureFixtures.h"

#include <cmath>
#include <fstream>
#include <sstream>

#include "chart/core/ChartTitles.h"
#include "chart/core/EngineStartup.h"
#include "chart/core/Legend.h"
#include "chart/io/ZebExport.h"
#include "chart/series/LineSeries.h"
#include "chart/series/StandardSeriesUnit.h"
#include "platform/rtl/StringList.h"
#include "tests/chart/core/RunCommand.h"
#include "tests/chart/support/PanelEnvironment.h"
#include "tests/support/TempName.h"

namespace {
const auto* environment = ::testing::AddGlobalTestEnvironment(new TPanelEnvironment("tv_chart_io_pictures"));
}  // namespace

void PictureChart::SetUpTestSuite()
{
    StartChartEngine();
    StartStandardSeriesUnits();
    StartPictureExportUnits();
}

void PictureChart::TearDownTestSuite()
{
    StopPictureExportUnits();
    StopStandardSeriesUnits();
    StopChartEngine();
}

void PictureChart::SetUp()
{
    chart = new TChart(root.get());
    chart->SetBounds(0, 0, 480, 300);
    chart->SetColorPaletteIndex(0);
    chart->SetView3D(false);
    chart->Title()->Lines()->Clear();
    chart->Title()->Lines()->Add("Tilt");
    chart->Legend()->SetAlignment(laBottom);
    axisX = new TLineSeries(root.get());
    axisY = new TLineSeries(root.get());
    axisX->SetTitle("Axis X");
    axisY->SetTitle("Axis Y");
    for (auto* series : {axisX, axisY}) series->SetParentChart(chart);
    for (int i = 0; i < 20; ++i) {
        axisX->AppendValue(10 * std::sin(i / 3.0));
        axisY->AppendValue(5 * std::cos(i / 4.0) + 2);
    }
}

std::string RunTool(const std::string& command) { return RunCommand(command + " 2>&1"); }

bool HaveTool(const char* name) { return !RunCommand(std::string("command -v ") + name).empty(); }

std::string Python() { return HaveTool("/usr/bin/python3") ? "/usr/bin/python3" : "python3"; }

std::filesystem::path TempFile(const std::string& stem, const std::string& extension)
{
    return testsupport::UniqueTempPath(stem, extension);
}

std::string FileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}
