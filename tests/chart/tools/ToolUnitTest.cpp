// The tool unit: which classes it registers, in which order, once; and every published property
// of those classes through Assign and the streams.
#include <algorithm>
#include <iterator>
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

TEST(ToolUnit, ToolsRegisterOnceInGalleryOrder)
{
    const char* const gallery[] = {
        "TCursorTool",      "TDragMarksTool",  "TAxisArrowTool",  "TDrawLineTool",      "TNearestTool",
        "TColorBandTool",   "TColorLineTool",  "TRotateTool",     "TChartImageTool",    "TMarksTipTool",
        "TAnnotationTool",  "TGridBandTool",   "TAxisScrollTool", "TRectangleTool",     "TClipSeriesTool",
        "TFullScreenTool",  "TRepaintMonitor", "TAxisScrollBarTool", "TZebCombo"};
    auto registered = [] {
        std::vector<String> names;
        const TZebToolTypes& types = RegisteredToolTypes();
        for (int i = 0; i < types.Count(); ++i) names.push_back(types.GetItem(i)->ClassName());
        return names;
    };
    const std::vector<String> before = registered();
    // The unit's classes appear in the gallery's order, each once.
    std::vector<String> expected;
    for (const char* name : gallery)
        if (std::find(before.begin(), before.end(), name) != before.end()) expected.push_back(name);
    std::vector<String> listed;
    for (const String& name : before)
        if (std::find(std::begin(gallery), std::end(gallery), name) != std::end(gallery)) listed.push_back(name);
    EXPECT_EQ(listed, expected);
    EXPECT_GE(listed.size(), 14u);
    StartToolsUnit();
    EXPECT_EQ(registered(), before);
    StopToolsUnit();
    EXPECT_EQ(registered(), before);
}

}  // namespace
