#include "chart/tools/ToolsUnit.h"

#include <vector>

#include "chart/core/SeriesTypes.h"
#include "chart/core/UnitStarts.h"
#include "chart/tools/AnnotationTool.h"
#include "chart/tools/AxisArrowTool.h"
#include "chart/tools/AxisScrollBarTool.h"
#include "chart/tools/AxisScrollTool.h"
#include "chart/tools/ColorBandTool.h"
#include "chart/tools/ColorLineTool.h"
#include "chart/tools/ComboTool.h"
#include "chart/tools/CursorTool.h"
#include "chart/tools/DragMarksTool.h"
#include "chart/tools/DrawLineTool.h"
#include "chart/tools/FullScreenTool.h"
#include "chart/tools/GridBandTool.h"
#include "chart/tools/NearestTool.h"
#include "chart/tools/RectangleTool.h"
#include "chart/tools/RotateTool.h"
#include "chart/tools/SeriesAreaTools.h"

namespace {

TUnitStarts toolsStarts;

// In the order the tools gallery lists them; one class a line.
std::vector<const TMetaClass*> toolClasses()
{
    return {
        &TCursorTool::StaticClass(),
        &TDragMarksTool::StaticClass(),
        &TAxisArrowTool::StaticClass(),
        &TDrawLineTool::StaticClass(),
        &TNearestTool::StaticClass(),
        &TColorBandTool::StaticClass(),
        &TColorLineTool::StaticClass(),
        &TRotateTool::StaticClass(),
        &TChartImageTool::StaticClass(),
        &TMarksTipTool::StaticClass(),
        &TAnnotationTool::StaticClass(),
        &TGridBandTool::StaticClass(),
        &TAxisScrollTool::StaticClass(),
        &TRectangleTool::StaticClass(),
        &TClipSeriesTool::StaticClass(),
        &TFullScreenTool::StaticClass(),
        &TAxisScrollBarTool::StaticClass(),
        &TZebCombo::StaticClass(),
    };
}

}  // namespace

void StartToolsUnit()
{
    if (!toolsStarts.First()) return;
    for (const TMetaClass* cls : toolClasses()) RegisterToolTypes({cls});
}

void StopToolsUnit()
{
    if (!toolsStarts.Last()) return;
    for (const TMetaClass* cls : toolClasses()) UnregisterToolTypes({cls});
}
