// The colour line: where it is drawn after zooms, its passes, grabbing and dragging it.
#include <algorithm>
#include <string>
#include <vector>

#include "ToolFixture.h"
#include "chart/core/ChartAxis.h"
#include "chart/tools/ColorLineTool.h"

namespace {

class ColorLineTest : public ToolTest {
protected:
    void SetUp() override
    {
        ToolTest::SetUp();
        OnBottomAxis(series, tool);
    }
    // Lines drawn by one stage of the tool on the recording canvas.
    long LinesAt(TChartDrawStage stage)
    {
        Record();
        TCanvas3D* own = chart.ExchangeCanvas(recording.get());
        recording->ClearLog();
        tool.ChartDrawStage(stage);
        chart.ExchangeCanvas(own);
        const auto& log = recording->Log();
        return std::count_if(log.begin(), log.end(), [](const std::string& s) { return s.rfind("LineTo", 0) == 0; });
    }
    TToolSeries& series = *new TToolSeries(form.get());
    TColorLineTool& tool = *new TColorLineTool(form.get());
};

TEST_F(ColorLineTest, AStyledLineFollowsItsAxisEndAndADragMakesItCustom)
{
    tool.SetStyle(clMaximum);
    chart.BottomAxis()->ApplyRange(2, 6);
    Frame();
    EXPECT_EQ(chart.BottomAxis()->ValueToPixel(tool.ShownValue()), chart.BottomAxis()->EndPixel());
    const int p = chart.BottomAxis()->EndPixel();
    testkit::MouseDown(chart, mbLeft, p, Y());
    testkit::MouseMove(chart, p - 40, Y());
    testkit::MouseUp(chart, mbLeft, p - 40, Y());
    EXPECT_EQ(tool.Style(), clCustom);
    EXPECT_NEAR(tool.Value(), chart.BottomAxis()->PixelToValue(p - 40), 1e-9);
}

TEST_F(ColorLineTest, AZoomThatHidesTheValueDrawsTheLineAtTheEndAndKeepsTheValue)
{
    tool.SetValue(8);
    chart.BottomAxis()->ApplyRange(0, 5);
    Frame();
    EXPECT_DOUBLE_EQ(tool.Value(), 8);
    EXPECT_EQ(chart.BottomAxis()->ValueToPixel(tool.ShownValue()), chart.BottomAxis()->EndPixel());
    chart.BottomAxis()->ApplyRange(0, 10);
    Frame();
    EXPECT_DOUBLE_EQ(tool.ShownValue(), 8);
    // Not draggable: never limited, and outside the range not drawn.
    tool.SetAllowDrag(false);
    chart.BottomAxis()->ApplyRange(0, 5);
    EXPECT_DOUBLE_EQ(tool.ShownValue(), 8);
    EXPECT_EQ(LinesAt(cdsEnd), 0);
}

TEST_F(ColorLineTest, EachPassDrawsItsPartIn2DAnd3D)
{
    struct Case {
        bool view3D, draw3D, behind;
        long behindLines, frontLines;
    };
    const Case cases[] = {
        {false, true, false, 0, 1}, {false, true, true, 1, 0},  {true, true, false, 2, 2},
        {true, true, true, 2, 1},   {true, false, false, 0, 1}, {true, false, true, 1, 0},
    };
    tool.SetValue(5);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.view3D) + std::to_string(c.draw3D) + std::to_string(c.behind));
        chart.SetView3D(c.view3D);
        tool.SetDraw3D(c.draw3D);
        tool.SetDrawBehind(c.behind);
        EXPECT_EQ(LinesAt(cdsBeforeSeries), c.behindLines);
        EXPECT_EQ(LinesAt(cdsEnd), c.frontLines);
    }
}

TEST_F(ColorLineTest, OnlyTheLeftButtonWithinTheToleranceGrabsTheLine)
{
    tool.SetValue(5);
    std::vector<std::string> log;
    tool.SetOnBeginDragLine([&](TColorLineTool*) { log.push_back("begin"); });
    tool.SetOnDragLine([&](TColorLineTool*) { log.push_back("drag"); });
    tool.SetOnEndDragLine([&](TColorLineTool*) { log.push_back("end"); });
    struct Case {
        TMouseButton button;
        int dx;
        bool grabs;
    };
    for (const Case c : {Case{mbLeft, 2, true}, Case{mbLeft, 3, false}, Case{mbRight, 0, false}}) {
        SCOPED_TRACE(std::to_string(c.button) + " " + std::to_string(c.dx));
        log.clear();
        const int x = Pixel(5) + c.dx;
        testkit::MouseDown(chart, c.button, x, Y());
        EXPECT_EQ(tool.Dragging(), c.grabs);
        testkit::MouseMove(chart, x + 30, Y());
        testkit::MouseUp(chart, c.button, x + 30, Y());
        EXPECT_FALSE(tool.Dragging());
        if (c.grabs) {
            EXPECT_EQ(log, (std::vector<std::string>{"begin", "drag", "end"}));
            EXPECT_NEAR(tool.Value(), chart.BottomAxis()->PixelToValue(x + 30), 1e-9);
            tool.SetValue(5);
            Frame();
        } else {
            EXPECT_TRUE(log.empty());
            EXPECT_DOUBLE_EQ(tool.Value(), 5);
        }
    }
}

TEST_F(ColorLineTest, ADragPastTheAxisEndStopsAtTheEndUnlessUnlimited)
{
    tool.SetValue(5);
    const int end = chart.BottomAxis()->EndPixel();
    for (const bool unlimited : {false, true}) {
        SCOPED_TRACE(unlimited);
        tool.SetNoLimitDrag(unlimited);
        tool.SetValue(5);
        Frame();
        testkit::MouseDown(chart, mbLeft, Pixel(5), Y());
        testkit::MouseMove(chart, end + 30, Y());
        testkit::MouseUp(chart, mbLeft, end + 30, Y());
        EXPECT_NEAR(tool.Value(), chart.BottomAxis()->PixelToValue(unlimited ? end + 30 : end), 1e-9);
    }
}

}  // namespace
