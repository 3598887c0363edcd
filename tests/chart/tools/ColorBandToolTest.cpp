// The colour band: its stripe in either order and clipped, its gradient, moving it whole and by
// its edges.
#include <string>
#include <vector>

#include "ToolFixture.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPicture.h"
#include "chart/core/ChartAxis.h"
#include "chart/tools/ColorBandTool.h"
#include "chart/tools/ColorLineTool.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {

class ColorBandTest : public ToolTest {
protected:
    void SetUp() override
    {
        ToolTest::SetUp();
        OnBottomAxis(series, tool);
    }
    TToolSeries& series = *new TToolSeries(form.get());
    TColorBandTool& tool = *new TColorBandTool(form.get());
};

TEST_F(ColorBandTest, TheStripeIsTheSameInEitherOrderAndClippedAtTheAxisEnds)
{
    struct Case {
        double start, end, rangeMax;
        bool empty;
        double left, right;
    };
    const Case cases[] = {
        {5, 10, 10, false, 5, 10}, {10, 5, 10, false, 5, 10}, {5, 10, 7, false, 5, 7}, {12, 15, 10, true, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + ".." + std::to_string(c.end));
        chart.BottomAxis()->ApplyRange(0, c.rangeMax);
        Frame();
        tool.SetStartValue(c.start);
        tool.SetEndValue(c.end);
        const TRect r = tool.BoundsRect();
        if (c.empty) {
            EXPECT_TRUE(r.Width() <= 0 || r.Height() <= 0);
            continue;
        }
        EXPECT_EQ(r.Left, Pixel(c.left));
        EXPECT_EQ(r.Right, Pixel(c.right) + 1);  // the visible frame's pixel
        EXPECT_EQ(r.Top, chart.ChartRect().Top);
    }
}

TEST_F(ColorBandTest, AClippedBandShowsItsPartOfTheWholeGradient)
{
    tool.SetStartValue(5);
    tool.SetEndValue(10);
    tool.Gradient()->SetVisible(true);
    chart.BottomAxis()->ApplyRange(0, 7);
    Frame();
    const TRecordingCanvas& canvas = Record();
    // Filled over the whole band, 5 to 10, within a clip to the part shown.
    const std::string whole =
        "(" + std::to_string(Pixel(5)) + "," + std::to_string(chart.ChartRect().Top) + "," + std::to_string(Pixel(10)) + ",";
    bool filled = false;
    for (const std::string& line : canvas.Log())
        filled = filled || (line.rfind("Fill", 0) == 0 && line.find(whole) != std::string::npos);
    EXPECT_TRUE(filled) << canvas.LogText();
}

TEST_F(ColorBandTest, AClickWithoutAMoveFiresOnClickAndADragMovesBothEnds)
{
    tool.SetStartValue(2);
    tool.SetEndValue(4);
    Frame();
    int clicks = 0, drags = 0;
    tool.SetOnClick([&](TObject*, TMouseButton, TShiftState, int, int) { ++clicks; });
    tool.SetOnDragging([&](TObject*) { ++drags; });
    testkit::MouseDown(chart, mbLeft, Pixel(3), Y());
    testkit::MouseUp(chart, mbLeft, Pixel(3), Y());
    EXPECT_EQ(clicks, 1);
    testkit::MouseDown(chart, mbLeft, Pixel(3), Y());
    testkit::MouseMove(chart, Pixel(6), Y());
    testkit::MouseUp(chart, mbLeft, Pixel(6), Y());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(drags, 1);
    EXPECT_NEAR(tool.StartValue(), 5, 0.05);
    EXPECT_NEAR(tool.EndValue() - tool.StartValue(), 2, 1e-9);
    EXPECT_DOUBLE_EQ(tool.StartLine()->Value(), tool.StartValue());
}

TEST_F(ColorBandTest, DraggingAnEdgeResizesTheBand)
{
    tool.SetStartValue(2);
    tool.SetEndValue(4);
    Frame();
    std::vector<std::string> log;
    tool.SetOnResizing([&](TObject*) { log.push_back("resizing"); });
    tool.SetOnResized([&](TObject*) { log.push_back("resized"); });
    testkit::MouseDown(chart, mbLeft, Pixel(4), Y());
    testkit::MouseMove(chart, Pixel(8), Y());
    testkit::MouseUp(chart, mbLeft, Pixel(8), Y());
    EXPECT_DOUBLE_EQ(tool.StartValue(), 2);
    EXPECT_NEAR(tool.EndValue(), 8, 0.05);
    EXPECT_EQ(log, (std::vector<std::string>{"resizing", "resized"}));
}

TEST_F(ColorBandTest, DraggableEdgesOfAHiddenBandStandAtTheNearestAxisEnd)
{
    tool.SetStartValue(12);
    tool.SetEndValue(15);
    tool.SetResizeEnd(false);
    Frame();
    EXPECT_EQ(Pixel(tool.StartLine()->ShownValue()), chart.BottomAxis()->EndPixel());
    EXPECT_DOUBLE_EQ(tool.EndLine()->ShownValue(), 15);
}

TEST_F(ColorBandTest, APictureIsStretchedOverTheBandInPlaceOfItsFill)
{
    tool.SetStartValue(2);
    tool.SetEndValue(4);
    EXPECT_FALSE(tool.HasPicture());
    TBitmap red;
    red.SetSize(4, 4);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect({0, 0, 4, 4});
    tool.Picture()->Assign(&red);
    TRecordingCanvas& canvas = Record();
    EXPECT_TRUE(Logged(canvas, "StretchGraphic"));
    EXPECT_EQ(canvas.Bitmap().Canvas()->Pixels(Pixel(3), Y()), clRed);
    tool.SetPicture(nullptr);
    EXPECT_FALSE(tool.HasPicture());
    EXPECT_FALSE(Logged(Record(), "StretchGraphic"));
}

}  // namespace
