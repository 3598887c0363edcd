#include "chart/tools/ToolsUnit.h"

#include <array>

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
#include "chart/tools/RectangleTool.h"

namespace {

TUnitStarts toolsStarts;

// In the order the tools gallery lists them.
auto toolClasses()
{
    return std::array<const TMetaClass*, 10>{
        &TCursorTool::StaticClass(),
        &TDragMarksTool::StaticClass(),
        &TAxisArrowTool::StaticClass(),
        &TColorBandTool::StaticClass(),
        &TColorLineTool::StaticClass(),
        &TAnnotationTool::StaticClass(),
        &TAxisScrollTool::StaticClass(),
        &TRectangleTool::StaticClass(),
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
