#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/core/EngineStartup.h"
#include "chart/core/SeriesTypes.h"
#include "chart/functions/FunctionUnits.h"

namespace {
std::vector<std::string> registeredFunctions(const std::string& page)
{
    std::vector<std::string> names;
    for (const auto& t : RegisteredSeriesTypes())
        if (t->FunctionClass && t->GalleryPageText() == page) names.push_back(t->FunctionClass->ClassName());
    return names;
}

TEST(FunctionRegistration, UnitsRegisterInTheirOrderAndUnregisterTheirOwn)
{
    StartChartEngine();
    StartFunctionUnits();
    StartFunctionUnits();  // counted: no second registration
    EXPECT_EQ(registeredFunctions("Standard"),
              (std::vector<std::string>{"TAddZebFunction", "TSubtractZebFunction", "TMultiplyZebFunction",
                                        "TDivideZebFunction", "THighZebFunction", "TLowZebFunction",
                                        "TAverageZebFunction", "TCustomZebFunction", "TMedianZebFunction",
                                        "TModeZebFunction", "TSubsetZebFunction", "TParetoZebFunction",
                                        "TCountZebFunction"}));
    EXPECT_EQ(registeredFunctions("Math"),
              (std::vector<std::string>{"TMovingAverageFunction", "TExpMovAveFunction", "TExpAverageFunction",
                                        "TSmoothedMovAvgFunction", "TMomentumFunction", "TMomentumDivFunction"}));
    EXPECT_EQ(registeredFunctions("Stats"),
              (std::vector<std::string>{"TStdDeviationFunction", "TRMSFunction", "TSkewnessFunction",
                                        "TKurtosisFunction", "TPerformanceFunction", "TVarianceFunction",
                                        "TPercentChangeFunction", "TSlopeFunction", "TCentroidZebFunction"}));
    EXPECT_EQ(registeredFunctions("Extended"),
              (std::vector<std::string>{"TSmoothingFunction", "TCrossPointsFunction", "TPerimeterFunction",
                                        "TCurveFittingFunction", "TTrendFunction", "TExpTrendFunction",
                                        "TCorrelationFunction", "TCumulative", "TDownSamplingFunction",
                                        "THistogramFunction"}));
    StopFunctionUnits();
    EXPECT_EQ(registeredFunctions("Math").size(), 6u);
    StopFunctionUnits();
    EXPECT_TRUE(registeredFunctions("Math").empty());
    EXPECT_TRUE(registeredFunctions("Stats").empty());
    EXPECT_EQ(registeredFunctions("Extended"), std::vector<std::string>{"TSmoothingFunction"});
    EXPECT_EQ(registeredFunctions("Standard").size(), 12u) << "the standard functions stay";
    StopChartEngine();
}
}  // namespace
