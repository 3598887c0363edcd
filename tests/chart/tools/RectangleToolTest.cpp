// The rectangle: its first box, the edges it is grabbed by, dragging and resizing it.
#include <string>

#include "ToolFixture.h"
#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Shadow.h"
#include "chart/tools/RectangleTool.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {

class RectangleTest : public ToolTest {
protected:
    void SetUp() override
    {
        ToolTest::SetUp();
        tool.SetParentChart(&chart);
        Frame();
    }
    void Drag(TMouseButton button, int x0, int y0, int x1, int y1)
    {
        testkit::MouseDown(chart, button, x0, y0);
        testkit::MouseMove(chart, (x0 + x1) / 2, (y0 + y1) / 2);
        testkit::MouseMove(chart, x1, y1);
        testkit::MouseUp(chart, button, x1, y1);
    }
    TRectangleTool& tool = *new TRectangleTool(form.get());
};

TEST_F(RectangleTest, ANewRectangleIsAFiftyPixelBoxAtTenTenSeeThroughWithoutShadow)
{
    EXPECT_EQ(tool.GetBounds(), (TRect{10, 10, 60, 60}));
    EXPECT_EQ(tool.Shape()->Transparency(), 75);
    EXPECT_EQ(tool.Shape()->Shadow()->LargestSize(), 0);
    EXPECT_FALSE(tool.AutoSize());
    EXPECT_EQ(tool.Cursor(), crHandPoint);
}

TEST_F(RectangleTest, EdgesAndCornersAreFoundWithinThreePixelsAndShowTheirCursor)
{
    struct Case {
        int x, y, edge;
        TCursor cursor;
    };
    const Case cases[] = {
        {12, 12, 4, crSizeNWSE}, {10, 58, 5, crSizeNESW}, {11, 35, 0, crSizeWE},   {35, 13, 1, crSizeNS},
        {58, 12, 6, crSizeNESW}, {59, 35, 2, crSizeWE},   {60, 60, 7, crSizeNWSE}, {35, 60, 3, crSizeNS},
        {15, 35, -1, crHandPoint},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        EXPECT_EQ(tool.HitEdge(c.x, c.y), c.edge);
        testkit::MouseMove(chart, c.x, c.y);
        EXPECT_EQ(chart.Cursor(), c.cursor);
        EXPECT_TRUE(chart.MouseHandled());
    }
    EXPECT_EQ(tool.HitEdge(100, 100), -1);
    tool.SetAllowResize(false);
    testkit::MouseMove(chart, 12, 12);
    EXPECT_EQ(chart.Cursor(), crHandPoint);
}

TEST_F(RectangleTest, TheLeftButtonDragsAndResizesAndTheRightDoesNeither)
{
    Drag(mbRight, 35, 35, 135, 85);
    EXPECT_EQ(tool.GetBounds(), (TRect{10, 10, 60, 60}));
    Drag(mbRight, 60, 60, 100, 100);
    EXPECT_EQ(tool.GetBounds(), (TRect{10, 10, 60, 60}));

    int dragged = 0, resized = 0;
    tool.SetOnDragged([&](TObject*) { ++dragged; });
    tool.SetOnResized([&](TObject*) { ++resized; });
    Drag(mbLeft, 35, 35, 135, 85);
    EXPECT_EQ(tool.GetBounds(), (TRect{110, 60, 160, 110}));
    Drag(mbLeft, 160, 110, 200, 130);
    EXPECT_EQ(tool.GetBounds(), (TRect{110, 60, 200, 130}));
    EXPECT_EQ(dragged, 1);
    EXPECT_EQ(resized, 1);
    // The right edge past the left one: 3 pixels remain.
    Drag(mbLeft, 200, 95, 20, 95);
    EXPECT_EQ(tool.GetBounds(), (TRect{110, 60, 113, 130}));
}

TEST_F(RectangleTest, InPercentADragStoresTheCornerAsPercentOfTheChart)
{
    tool.SetPositionUnits(muPercent);
    tool.SetLeft(0);
    tool.SetTop(0);
    Drag(mbLeft, 20, 20, 220, 170);
    EXPECT_EQ(tool.Left(), 50);
    EXPECT_EQ(tool.Top(), 50);
    EXPECT_EQ(tool.GetBounds(), (TRect{200, 150, 250, 200}));
}

TEST_F(RectangleTest, CaptureAreaTakesTheChartUnderTheBoxWithOrWithoutTheTool)
{
    tool.Shape()->SetColor(clRed);
    tool.Shape()->SetTransparency(0);
    Frame();
    TColor under = clNone;
    for (const bool active : {true, false}) {
        SCOPED_TRACE(active);
        tool.SetActive(active);
        const std::unique_ptr<TBitmap> picture = tool.CaptureArea(true);
        EXPECT_EQ(picture->Width(), 50);
        EXPECT_EQ(picture->Height(), 50);
        under = picture->Canvas()->Pixels(25, 25);
        EXPECT_NE(under, clRed) << "drawn without the box";
        EXPECT_EQ(tool.Active(), active);
    }
    tool.SetActive(true);
    Frame();
    const std::unique_ptr<TBitmap> shown = tool.CaptureArea(false);
    EXPECT_EQ(shown->Width(), 50);
    if (chart.Canvas3D()->BufferBitmap()) EXPECT_NE(shown->Canvas()->Pixels(25, 25), under) << "the box as shown";
}

}  // namespace
