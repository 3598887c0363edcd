// The polar series in the gallery and through the component streams.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/core/SeriesTypes.h"
#include "chart/core/ZebConst.h"
#include "chart/series_ext/polar/PolarSeries.h"
#include "tests/chart/series_ext/polar/PolarFixtures.h"
#include "tests/support/RegistryCheck.h"

namespace {

class PolarRegistration : public PolarSuite {};

TEST_F(PolarRegistration, ExtendedPageListsTheTypesOnce)
{
    StartPolarUnits();  // a second start registers nothing more
    std::vector<std::string> page;
    for (const auto& type : RegisteredSeriesTypes())
        if (type->SeriesClass && type->GalleryPageText() == TxtExtended) {
            page.push_back(type->SeriesClass->ClassName());
            EXPECT_EQ(type->NumGallerySeries, 2);
        }
    EXPECT_EQ(page, (std::vector<std::string>{"TPolarSeries", "TRadarSeries", "TPolarBarSeries"}));
    StopPolarUnits();
}

TEST_F(PolarRegistration, EveryClassSurvivesAssignAndTheStream)
{
    for (const TMetaClass* cls :
         {&TPolarSeries::StaticClass(), &TRadarSeries::StaticClass(), &TPolarBarSeries::StaticClass()}) {
        const std::vector<String> faults = testsupport::CheckStreamedClass(*cls, testsupport::DesignStreamCheckOptions());
        EXPECT_TRUE(faults.empty()) << cls->ClassName() << ": " << testing::PrintToString(faults);
    }
}

}  // namespace
