#include <gtest/gtest.h>

#include "chart/core/EngineStartup.h"
#include "chart/core/ZebConst.h"

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
