// The tools through the component streams: every published property, and the value labels that
// travel as child components of their tool.
#include <memory>
#include <vector>

#include "ToolFixture.h"
#include "chart/tools/AnnotationTool.h"
#include "chart/tools/ColorBandTool.h"
#include "chart/tools/ColorLineTool.h"
#include "chart/tools/CursorTool.h"
#include "chart/canvas/ZebPen.h"
#include "platform/classes/Filer.h"
#include "platform/rtl/Streams.h"
#include "tests/support/RegistryCheck.h"

namespace {

TEST(ToolStreams, EveryPublishedPropertySurvivesAssignAndAStreamRoundTrip)
{
    const testsupport::StreamCheckOptions options = testsupport::DesignStreamCheckOptions();
    for (const TMetaClass* cls :
         {&TAnnotationTool::StaticClass(), &TCursorTool::StaticClass(), &TColorLineTool::StaticClass(),
          &TColorBandTool::StaticClass()}) {
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

}  // namespace
