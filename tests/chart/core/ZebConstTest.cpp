#include <gtest/gtest.h>

#include "chart/core/EngineStartup.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebProCo.h"

TEST(MessageTexts, SetByStartUpAndEmptiedByShutDown)
{
    StartChartEngine();
    EXPECT_EQ(TxtValueOfTotalTwoLines, "%s\rof %s");
    EXPECT_EQ(TxtWrongZebFileFormat, "Wrong *.zeb file format");
    EXPECT_EQ(TxtArial, "Arial");
    for (const String* text : MessageTexts()) EXPECT_FALSE(text->empty());

    StopChartEngine();
    for (const String* text : MessageTexts()) EXPECT_TRUE(text->empty());

    StartChartEngine();  // a second start-up assigns them again
    EXPECT_EQ(TxtLineBreak, "\r");
    StopChartEngine();
}

TEST(MessageTexts, TheSecondTableFollowsStartUpAndShutDown)
{
    StartChartEngine();
    EXPECT_EQ(ExtendedTexts().size(), 385u);
    EXPECT_EQ(TxtMovingAverage, "Moving\rAverage");
    EXPECT_EQ(TxtPolar, "Polar");
    EXPECT_EQ(TxtZoom2, "Zoom: %d %%");
    EXPECT_EQ(TxtWithinQuota, " within quota");
    EXPECT_EQ(TxtEqualizerSeries2, "Equalizer Series");
    for (const String* text : ExtendedTexts()) EXPECT_FALSE(text->empty());

    StopChartEngine();
    for (const String* text : ExtendedTexts()) EXPECT_TRUE(text->empty());
}

TEST(MessageTexts, ANestedStartKeepsThemUntilTheLastStop)
{
    StartChartEngine();
    StartChartEngine();
    StopChartEngine();
    EXPECT_EQ(TxtArial, "Arial");
    StopChartEngine();
    EXPECT_TRUE(TxtArial.empty());
    StopChartEngine();  // one stop too many does nothing
    StartChartEngine();
    EXPECT_EQ(TxtArial, "Arial");
    StopChartEngine();
}
