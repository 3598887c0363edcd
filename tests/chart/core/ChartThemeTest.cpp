// The theme base and the chart unit's counted start and end.
#include <gtest/gtest.h>

#include "AxisFixtures.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartThemes.h"
#include "chart/core/ChartTitles.h"
#include "chart/core/ChartUnit.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/rtl/Random.h"
#include "platform/rtl/Streams.h"

namespace {

String Stored(TComponent* chart)
{
    TStringStream s;
    WriteComponentToStream(s, chart);
    return s.DataString();
}

class ChartThemeTest : public ChartCoreSuite {};

TEST_F(ChartThemeTest, TheBaseThemeChangesNothingAndSaysDefault)
{
    TOwnedPtr<TChart> chart(new TChart(nullptr));
    chart->Title()->Lines()->Add("Tilt");
    const String before = Stored(chart.get());
    // Made by class, as the themes are: the chart comes in through the virtual constructor.
    TOwnedPtr<TObject> made(TChartTheme::StaticClass().CreateInstance(chart.get()));
    auto& theme = dynamic_cast<TChartTheme&>(*made);
    EXPECT_EQ(theme.Chart(), chart.get());
    theme.ApplyTheme();
    theme.AdjustChart();
    EXPECT_EQ(Stored(chart.get()), before);
    EXPECT_EQ(theme.GetDescription(), "Default");
}

TEST_F(ChartThemeTest, OnlyTheFirstStartAndTheLastEndOfTheChartUnitAct)
{
    // The suite holds one start: a second neither seeds again nor, ended, unregisters.
    RandSeed = 12345;
    StartChartUnit();
    EXPECT_EQ(RandSeed, 12345u);
    StopChartUnit();
    EXPECT_NE(GetClass("TChart"), nullptr);
    StopChartUnit();
    EXPECT_EQ(GetClass("TChart"), nullptr);
    StartChartUnit();
    EXPECT_NE(RandSeed, 12345u);
    EXPECT_NE(GetClass("TChart"), nullptr);
}

}  // namespace
