// The nine standard series types in the gallery, once each.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/core/EngineStartup.h"
#include "chart/core/SeriesTypes.h"
#include "chart/core/ZebConst.h"
#include "chart/series/PieSeries.h"
#include "chart/series/StandardSeriesUnit.h"

namespace {

TEST(StandardSeriesRegistration, NineTypesOnceInOrderAfterBothStartPaths)
{
    StartChartEngine();
    StartStandardSeriesUnits();
    AddStandardSeriesToGallery();  // the second start-up path
    StartStandardSeriesUnits();
    std::vector<std::string> standard;
    int donuts = 0;
    for (const auto& type : RegisteredSeriesTypes()) {
        if (type->GalleryPageText() == TxtStandard) standard.push_back(type->SeriesClass->ClassName());
        if (type->SeriesClass == &TDonutSeries::StaticClass()) ++donuts;
    }
    EXPECT_EQ(standard, (std::vector<std::string>{"TLineSeries", "TBarSeries", "THorizBarSeries", "TAreaSeries",
                                                  "TPointSeries", "TPieSeries", "TFastLineSeries", "THorizLineSeries",
                                                  "THorizAreaSeries"}));
    EXPECT_EQ(donuts, 1);
    const TZebSeriesType* pie = RegisteredSeriesTypes().FindSeriesType(TPieSeries::StaticClass());
    ASSERT_NE(pie, nullptr);
    EXPECT_EQ(pie->NumGallerySeries, 1);
    StopStandardSeriesUnits();
    EXPECT_NE(RegisteredSeriesTypes().FindSeriesType(TDonutSeries::StaticClass()), nullptr) << "started twice";
    StopStandardSeriesUnits();
    EXPECT_EQ(RegisteredSeriesTypes().FindSeriesType(TDonutSeries::StaticClass()), nullptr);
    StopChartEngine();
}

}  // namespace
