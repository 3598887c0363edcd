// The tools unit's registration: its classes in gallery order, once, and the bar base left out.
#include <gtest/gtest.h>

#include "chart/core/SeriesTypes.h"
#include "chart/tools/AnnotationTool.h"
#include "chart/tools/AxisArrowTool.h"
#include "chart/tools/AxisScrollBarTool.h"
#include "chart/tools/AxisScrollTool.h"
#include "chart/tools/ColorBandTool.h"
#include "chart/tools/ColorLineTool.h"
#include "chart/tools/ComboTool.h"
#include "chart/tools/CursorTool.h"
#include "chart/tools/DragMarksTool.h"
#include "chart/tools/PageNumTool.h"
#include "chart/tools/RectangleTool.h"
#include "chart/tools/ToolsUnit.h"

namespace {

TEST(ToolsUnit, RegistersItsClassesOnceInGalleryOrder)
{
    const TZebToolTypes& types = RegisteredToolTypes();
    const TMetaClass* ordered[] = {&TCursorTool::StaticClass(),        &TDragMarksTool::StaticClass(),
                                   &TAxisArrowTool::StaticClass(),     &TColorBandTool::StaticClass(),
                                   &TColorLineTool::StaticClass(),     &TAnnotationTool::StaticClass(),
                                   &TAxisScrollTool::StaticClass(),    &TRectangleTool::StaticClass(),
                                   &TAxisScrollBarTool::StaticClass(), &TZebCombo::StaticClass()};
    const int count = types.Count();
    StartToolsUnit();
    EXPECT_EQ(types.Count(), count) << "a second start adds nothing";
    StopToolsUnit();
    int previous = -1;
    for (const TMetaClass* cls : ordered) {
        SCOPED_TRACE(cls->ClassName());
        const int index = types.IndexOf(*cls);
        EXPECT_GT(index, previous);
        previous = index;
    }
    EXPECT_EQ(types.IndexOf(TZebScrollBar::StaticClass()), -1);
    EXPECT_GE(types.IndexOf(TPageNumTool::StaticClass()), 0);
}

}  // namespace
