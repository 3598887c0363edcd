// The tool unit: which classes it registers, in which order, once; and every published property
// of those classes through Assign and the streams.
#include <vector>

#include "ToolFixture.h"
#include "chart/core/SeriesTypes.h"
#include "chart/tools/DrawLineTool.h"
#include "chart/tools/FullScreenTool.h"
#include "chart/tools/GridBandTool.h"
#include "chart/tools/NearestTool.h"
#include "chart/tools/RotateTool.h"
#include "chart/tools/SeriesAreaTools.h"
#include "chart/tools/ToolsUnit.h"
#include "tests/support/RegistryCheck.h"

namespace {

TEST(ToolUnit, EveryPublishedPropertyOfTheNewerToolsSurvivesAssignAndAStreamRoundTrip)
{
    const testsupport::StreamCheckOptions options = testsupport::DesignStreamCheckOptions();
    for (const TMetaClass* cls : {&TDrawLineTool::StaticClass(), &TNearestTool::StaticClass(), &TMarksTipTool::StaticClass(),
                                     &TRotateTool::StaticClass(), &TGridBandTool::StaticClass(), &TChartImageTool::StaticClass(),
          &TClipSeriesTool::StaticClass(), &TFullScreenTool::StaticClass()}) {
        const std::vector<String> faults = testsupport::CheckStreamedClass(*cls, options);
        String all;
        for (const String& f : faults) all += f + "\n";
        EXPECT_TRUE(faults.empty()) << cls->ClassName() << ":\n" << all;
    }
}

}  // namespace
