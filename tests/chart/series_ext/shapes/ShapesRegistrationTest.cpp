// The shape series in the gallery and through the component streams.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/core/SeriesTypes.h"
#include "chart/core/ZebConst.h"
#include "chart/core/ZebProCo.h"
#include "chart/series_ext/shapes/CalendarSeries.h"
#include "chart/series_ext/shapes/FunnelSeries.h"
#include "chart/series_ext/shapes/OrgSeries.h"
#include "chart/series_ext/shapes/TreeMapSeries.h"
#include "chart/series_ext/shapes/PyramidSeries.h"
#include "chart/series_ext/shapes/TagCloudSeries.h"
#include "chart/series_ext/shapes/VolumePipeSeries.h"
#include "tests/chart/series_ext/shapes/ShapesFixtures.h"
#include "tests/support/RegistryCheck.h"

namespace {

class ShapesRegistration : public ShapesSuite {};

const TMetaClass* const Classes[] = {&TFunnelSeries::StaticClass(), &TPyramidSeries::StaticClass(),
                                     &TVolumePipeSeries::StaticClass(), &TOrgSeries::StaticClass(),
                                     &TTreeMapSeries::StaticClass(), &TTagCloudSeries::StaticClass(),
                                     &TCalendarSeries::StaticClass()};

TEST_F(ShapesRegistration, GalleryEntriesHaveTheirPagesAndSampleCounts)
{
    StartShapesUnits();  // a second start registers nothing more
    struct Entry {
        std::string page;
        int samples;
    };
    std::map<std::string, Entry> found;
    for (const auto& type : RegisteredSeriesTypes())
        for (const TMetaClass* cls : Classes)
            if (type->SeriesClass == cls) {
                EXPECT_EQ(found.count(cls->ClassName()), 0u) << cls->ClassName();
                found[cls->ClassName()] = {type->GalleryPageText(), type->NumGallerySeries};
            }
    StopShapesUnits();
    const std::map<std::string, std::pair<std::string, int>> expected = {
        {"TFunnelSeries", {"Stats", 1}}, {"TPyramidSeries", {"Extended", 2}}, {"TVolumePipeSeries", {"Stats", 1}},
        {"TOrgSeries", {"Extended", 1}},   {"TTreeMapSeries", {"Extended", 1}},
        {"TTagCloudSeries", {"Other", 1}},   {"TCalendarSeries", {"Other", 1}}};
    for (const auto& [name, want] : expected) {
        ASSERT_EQ(found.count(name), 1u) << name;
        EXPECT_EQ(found[name].page, want.first) << name;
        EXPECT_EQ(found[name].samples, want.second) << name;
    }
}

TEST_F(ShapesRegistration, EveryClassSurvivesAssignAndTheStream)
{
    const testsupport::StreamCheckOptions options = testsupport::DesignStreamCheckOptions();
    for (const TMetaClass* cls : Classes) {
        const std::vector<String> faults = testsupport::CheckStreamedClass(*cls, options);
        EXPECT_TRUE(faults.empty()) << cls->ClassName() << ": " << testing::PrintToString(faults);
    }
}

}  // namespace
