// The financial series through the component streams: every published property travels.
#include <gtest/gtest.h>

#include "chart/core/EngineStartup.h"
#include "chart/series/CandleSeries.h"
#include "chart/series/DarvasSeries.h"
#include "chart/series/OHLCSeries.h"
#include "chart/series/PointFigureSeries.h"
#include "chart/series/VolumeSeries.h"
#include "tests/support/RegistryCheck.h"

namespace {

TEST(FinancialSeriesStream, EveryPropertyTravels)
{
    StartChartEngine();
    testsupport::StreamCheckOptions options;
    // The aliases are the date, close and volume lists themselves, which travel as XValues and
    // YValues.
    options.Untouched = {"TZebPicture.Filters", "TOHLCSeries.DateValues", "TOHLCSeries.CloseValues",
                         "TVolumeSeries.VolumeValues"};
    for (const TMetaClass* cls : {&TOHLCSeries::StaticClass(), &TCandleSeries::StaticClass(),
                                  &TVolumeSeries::StaticClass(), &TPointFigureSeries::StaticClass(),
                                  &TDarvasSeries::StaticClass()}) {
        const std::vector<String> faults = testsupport::CheckStreamedClass(*cls, options);
        String all;
        for (const String& f : faults) all += f + "\n";
        EXPECT_TRUE(faults.empty()) << cls->ClassName() << ":\n" << all;
    }
    StopChartEngine();
}

}  // namespace
