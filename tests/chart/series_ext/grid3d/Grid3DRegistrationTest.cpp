// The 3-D grid series in the gallery and through the component streams.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/core/SeriesTypes.h"
#include "chart/core/ZebProCo.h"
#include "chart/series_ext/grid3d/ColorGridSeries.h"
#include "chart/series_ext/grid3d/ContourSeries.h"
#include "chart/series_ext/grid3d/IsoSurfaceSeries.h"
#include "tests/chart/series_ext/grid3d/Grid3DFixtures.h"
#include "tests/support/RegistryCheck.h"

namespace {

class Grid3DRegistration : public Grid3DSuite {};

TEST_F(Grid3DRegistration, GalleryPage3DListsTheTypesInOrderOnce)
{
    StartGrid3DUnits();  // a second start registers nothing more
    std::vector<std::string> page;
    for (const auto& type : RegisteredSeriesTypes())
        if (type->GalleryPageText() == Txt3D) {
            page.push_back(type->SeriesClass->ClassName());
            EXPECT_EQ(type->NumGallerySeries, 1);
        }
    EXPECT_EQ(page, (std::vector<std::string>{"TSurfaceSeries", "TWaterFallSeries", "TContourSeries", "TColorGridSeries",
                                                  "TIsoSurfaceSeries"}));
    StopGrid3DUnits();
}

TEST_F(Grid3DRegistration, EveryClassSurvivesAssignAndTheStream)
{
    for (const TMetaClass* cls : {&TSurfaceSeries::StaticClass(), &TWaterFallSeries::StaticClass(), &TContourSeries::StaticClass(),
                                  &TColorGridSeries::StaticClass(), &TIsoSurfaceSeries::StaticClass()}) {
        const std::vector<String> faults = testsupport::CheckStreamedClass(*cls, testsupport::DesignStreamCheckOptions());
        EXPECT_TRUE(faults.empty()) << cls->ClassName() << ": " << testing::PrintToString(faults);
    }
}

}  // namespace
