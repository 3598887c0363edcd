// The tools through the component streams: every published property, and the value labels that
// travel as child components of their tool.
#include <memory>
#include <vector>

#include "ToolFixture.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/ChartAxis.h"
#include "chart/io/ChartFile.h"
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
#include "platform/classes/Filer.h"
#include "platform/rtl/Streams.h"
#include "tests/support/RegistryCheck.h"

namespace {

TEST(ToolStreams, EveryPublishedPropertySurvivesAssignAndAStreamRoundTrip)
{
    const testsupport::StreamCheckOptions options = testsupport::DesignStreamCheckOptions();
    for (const TMetaClass* cls :
         {&TAnnotationTool::StaticClass(), &TCursorTool::StaticClass(), &TColorLineTool::StaticClass(),
          &TColorBandTool::StaticClass(), &TRectangleTool::StaticClass(), &TAxisScrollTool::StaticClass(),
          &TAxisScrollBarTool::StaticClass(), &TPageNumTool::StaticClass(), &TAxisArrowTool::StaticClass(),
          &TDragMarksTool::StaticClass(), &TZebCombo::StaticClass()}) {
        const std::vector<String> faults = testsupport::CheckStreamedClass(*cls, options);
        String all;
        for (const String& f : faults) all += f + "\n";
        EXPECT_TRUE(faults.empty()) << cls->ClassName() << ":\n" << all;
    }
}

// Writes tool and reads it back into a fresh one of its class.
template <class T>
TOwnedPtr<T> RoundTrip(T& tool)
{
    TMemoryStream stream;
    WriteComponentToStream(stream, &tool);
    stream.Seek(0, soBeginning);
    TOwnedPtr<T> copy(new T(nullptr));
    ReadComponentFromStream(stream, copy.get());
    return copy;
}

TEST(ToolStreams, ValueLabelsComeBackAsChildrenOfTheirTool)
{
    TOwnedPtr<TCursorTool> cursor(new TCursorTool(nullptr));
    cursor->AxisAnnotation()->SetText("cursor label");
    cursor->AxisAnnotation()->Shape()->SetVisible(true);
    cursor->SetXValue(4);
    const auto cursorCopy = RoundTrip(*cursor);
    ASSERT_TRUE(cursorCopy->HasAxisAnnotation());
    EXPECT_EQ(cursorCopy->AxisAnnotation()->Text(), "cursor label");
    EXPECT_TRUE(cursorCopy->AxisAnnotation()->Shape()->Visible());
    EXPECT_EQ(cursorCopy->ComponentCount(), 1);
    EXPECT_DOUBLE_EQ(cursorCopy->XValue(), 4);

    TOwnedPtr<TColorLineTool> line(new TColorLineTool(nullptr));
    line->Annotation()->SetText("line label");
    line->SetValue(7);
    const auto lineCopy = RoundTrip(*line);
    EXPECT_EQ(lineCopy->Annotation()->Text(), "line label");
    EXPECT_EQ(lineCopy->ComponentCount(), 1);
    EXPECT_DOUBLE_EQ(lineCopy->Value(), 7);

    TOwnedPtr<TColorBandTool> band(new TColorBandTool(nullptr));
    band->SetStartValue(2);
    band->SetEndValue(6);
    band->StartLinePen()->SetWidth(3);
    band->SetResizeEnd(false);
    const auto bandCopy = RoundTrip(*band);
    EXPECT_EQ(bandCopy->ComponentCount(), 2);
    EXPECT_EQ(bandCopy->StartLinePen()->Width(), 3);
    EXPECT_FALSE(bandCopy->ResizeEnd());
    EXPECT_DOUBLE_EQ(bandCopy->StartLine()->Value(), 2);
    EXPECT_DOUBLE_EQ(bandCopy->EndLine()->Value(), 6);

    // Without a label nothing is written for it, and reading makes none.
    TOwnedPtr<TCursorTool> bare(new TCursorTool(nullptr));
    EXPECT_FALSE(RoundTrip(*bare)->HasAxisAnnotation());
}

// A chart holding every tool, set away from the defaults, with the tools' children.
TEST(ToolStreams, AChartFileWithEveryToolReadsBackAndWritesTheSame)
{
    TOwnedPtr<TComponent> window(new TComponent(nullptr));
    auto* chart = new TChart(window.get());
    auto* series = new TToolSeries(window.get());
    series->SetName("Series1");
    series->SetParentChart(chart);
    auto add = [&](TZebCustomTool* tool, const char* name) {
        tool->SetName(name);
        tool->SetParentChart(chart);
    };
    auto* annotation = new TAnnotationTool(window.get());
    add(annotation, "Annotation1");
    annotation->SetText("note");
    annotation->SetPosition(ppRightBottom);
    annotation->SetDraw3D(true);
    annotation->Callout()->SetXPosition(40);
    auto* cursor = new TCursorTool(window.get());
    add(cursor, "Cursor1");
    cursor->SetSeries(series);
    cursor->SetStyle(cssVertical);
    cursor->SetXValue(3);
    cursor->AxisAnnotation()->Shape()->SetVisible(true);
    auto* line = new TColorLineTool(window.get());
    add(line, "Line1");
    line->SetAxis(chart->LeftAxis());
    line->SetValue(42);
    line->SetDrawBehind(true);
    line->Annotation()->SetText("line");
    auto* band = new TColorBandTool(window.get());
    add(band, "Band1");
    band->SetAxis(chart->BottomAxis());
    band->SetStartValue(1);
    band->SetEndValue(2);
    band->SetColor(clRed);
    band->SetResizeStart(false);
    auto* bar = new TAxisScrollBarTool(window.get());
    add(bar, "Bar1");
    bar->SetAxis(chart->LeftAxis());
    bar->SetMargin(7);
    bar->Thumb()->SetStyle(stsThumb3);
    auto* pageNum = new TPageNumTool(window.get());
    add(pageNum, "PageNum1");
    pageNum->SetFormat("%d/%d");
    auto* arrows = new TAxisArrowTool(window.get());
    add(arrows, "Arrows1");
    arrows->SetAxis(chart->BottomAxis());
    arrows->SetPosition(aaEnd);
    auto* marks = new TDragMarksTool(window.get());
    add(marks, "Marks1");
    marks->SetSeries(series);
    auto* combo = new TZebCombo(window.get());
    add(combo, "Combo1");
    combo->Items()->Add("first");
    combo->Items()->Add("second");
    combo->SetItemIndex(1);

    auto write = [](TComponent* c) {
        TStringStream stream;
        WriteChartStream(c, stream, false, true);
        return stream.DataString();
    };
    const String text = write(chart);
    TOwnedPtr<TComponent> other(new TComponent(nullptr));
    auto* back = new TChart(other.get());
    TStringStream in(text);
    ReadChartStream(back, in);
    EXPECT_EQ(write(back), text);
    ASSERT_EQ(back->Tools().Count(), 9) << text;
    auto* backLine = dynamic_cast<TColorLineTool*>(back->Tools().GetTool(2));
    ASSERT_NE(backLine, nullptr);
    EXPECT_EQ(backLine->Axis(), back->LeftAxis());
    EXPECT_EQ(backLine->Annotation()->Text(), "line");
    auto* backBand = dynamic_cast<TColorBandTool*>(back->Tools().GetTool(3));
    ASSERT_NE(backBand, nullptr);
    EXPECT_EQ(backBand->StartLine()->Axis(), back->BottomAxis());
    EXPECT_FALSE(backBand->ResizeStart());
    EXPECT_EQ(backBand->Color(), clRed);
    auto* backBar = dynamic_cast<TAxisScrollBarTool*>(back->Tools().GetTool(4));
    ASSERT_NE(backBar, nullptr);
    EXPECT_EQ(backBar->Axis(), back->LeftAxis());
    EXPECT_EQ(back->LeftAxis()->ToolMargin, 13 + 7);
    auto* backMarks = dynamic_cast<TDragMarksTool*>(back->Tools().GetTool(7));
    ASSERT_NE(backMarks, nullptr);
    EXPECT_EQ(backMarks->Series(), back->SeriesList().GetSeriesAt(0));
    auto* backCombo = dynamic_cast<TZebCombo*>(back->Tools().GetTool(8));
    ASSERT_NE(backCombo, nullptr);
    EXPECT_EQ(backCombo->GetText(), "second");
}

}  // namespace
