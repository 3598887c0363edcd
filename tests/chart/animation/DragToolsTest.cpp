// Dragging points and Gantt bars, and outlining or pulling out pie slices.
#include <gtest/gtest.h>

#include <cmath>

#include "chart/animation/DragTools.h"
#include "chart/animation/PropertyAnimations.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/SeriesPointer.h"
#include "chart/core/ValueList.h"
#include "chart/series/GanttSeries.h"
#include "chart/series/PieSeries.h"
#include "chart/series/PieSettings.h"
#include "tests/chart/animation/AnimationFixture.h"
#include "tests/chart/animation/ChartFixture.h"

namespace {

class DragToolTest : public AnimationSuite {
protected:
    template <class T>
    T* Tool(TChartSeries* series)
    {
        auto* tool = new T(&c.chart);
        tool->SetParentChart(&c.chart);
        tool->SetSeries(series);
        return tool;
    }
    TAnimatedChart c;
};

TEST_F(DragToolTest, DragPointMovesOnlyTheAllowedCoordinate)
{
    auto& s = c.Add<TLineSeries>({10, 20, 30});
    s.Pointer()->SetVisible(true);
    c.Frame();
    auto* tool = Tool<TDragPointTool>(&s);
    tool->SetDragStyle(dsY);
    const int x = s.PointScreenX(1), y = s.PointScreenY(1);
    tool->HandleMouse(tmkDown, mbLeft, {}, x, y);
    ASSERT_EQ(tool->DraggedIndex(), 1);
    EXPECT_TRUE(c.chart.MouseHandled());
    const int target = s.PointScreenY(2);
    tool->HandleMouse(tmkMove, mbLeft, {}, x + 40, target);
    EXPECT_DOUBLE_EQ(s.XValues()->ValueAt(1), 1);
    EXPECT_NEAR(s.YValues()->ValueAt(1), 30, 0.5);
    int ended = -1;
    tool->OnEndDrag = [&](TDragPointTool*, int index) { ended = index; };
    tool->HandleMouse(tmkUp, mbLeft, {}, x, target);
    EXPECT_EQ(ended, 1);
    EXPECT_EQ(tool->DraggedIndex(), -1);
}

TEST_F(DragToolTest, AStartHandlerCanRefuseTheDrag)
{
    auto& s = c.Add<TLineSeries>({10, 20, 30});
    s.Pointer()->SetVisible(true);
    c.Frame();
    auto* tool = Tool<TDragPointTool>(&s);
    tool->OnStartDrag = [](TDragPointTool*, int, bool& start) { start = false; };
    c.chart.SetMouseHandled(false);
    tool->HandleMouse(tmkDown, mbLeft, {}, s.PointScreenX(1), s.PointScreenY(1));
    EXPECT_EQ(tool->DraggedIndex(), -1);
    EXPECT_FALSE(c.chart.MouseHandled());  // the chart may zoom
    tool->HandleMouse(tmkMove, mbLeft, {}, 0, 0);
    EXPECT_DOUBLE_EQ(s.YValues()->ValueAt(1), 20);
}

TEST_F(DragToolTest, AnAxisWithoutARangeGetsARealOne)
{
    TChartAxis* axis = c.chart.LeftAxis();
    axis->SetAutomatic(false);
    axis->SetMaximum(5);
    axis->SetMinimum(5);
    axis->SetPixelBounds(10, 110);
    const double v = DragAxisValue(*axis, 60);
    EXPECT_FALSE(axis->AutomaticMaximum());
    EXPECT_GT(axis->Maximum(), axis->Minimum());
    EXPECT_TRUE(std::isfinite(v));
}

TEST_F(DragToolTest, GanttBarsResizeAtTheirEdgesAndMoveWhole)
{
    auto* gantt = new TGanttSeries(&c.chart);
    gantt->SetParentChart(&c.chart);
    gantt->AddTask(0, 10, 1);
    gantt->AddTask(20, 40, 2);
    c.Frame();
    auto* tool = Tool<TGanttTool>(gantt);
    const int y = gantt->PointScreenY(1);
    const int start = gantt->ValueScreenX(20), end = gantt->ValueScreenX(40), mid = (start + end) / 2;
    const int perUnit = gantt->ValueScreenX(21) - start;
    ASSERT_GT(perUnit, 2);
    const struct {
        int press;
        TGanttToolBarPart part;
        double start, end;
    } cases[] = {
        {start + 4, bpStart, 20, 40},  // within 4 px of the start edge
        {mid, bpAll, 20, 40},
        {end - 3, bpEnd, 20, 40},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.part);
        gantt->StartValues()->SetValueAt(1, 20);
        gantt->EndValues()->SetValueAt(1, 40);
        tool->HandleMouse(tmkDown, mbLeft, {}, k.press, y);
        ASSERT_EQ(tool->Bar(), 1);
        EXPECT_EQ(tool->Part(), k.part);
        tool->HandleMouse(tmkMove, mbLeft, {}, k.press + 2 * perUnit, y);
        const double moved = gantt->StartValues()->ValueAt(1) - 20 + gantt->EndValues()->ValueAt(1) - 40;
        EXPECT_NEAR(moved, k.part == bpAll ? 4 : 2, 0.6);
        if (k.part == bpStart) EXPECT_DOUBLE_EQ(gantt->EndValues()->ValueAt(1), 40);
        if (k.part == bpEnd) EXPECT_DOUBLE_EQ(gantt->StartValues()->ValueAt(1), 20);
        tool->HandleMouse(tmkUp, mbLeft, {}, 0, 0);
        EXPECT_EQ(tool->Bar(), -1);
    }
    // dragging the start past the end leaves a bar of no length
    tool->HandleMouse(tmkDown, mbLeft, {}, start + 1, y);
    tool->HandleMouse(tmkMove, mbLeft, {}, end + 5 * perUnit, y);
    EXPECT_DOUBLE_EQ(gantt->StartValues()->ValueAt(1), gantt->EndValues()->ValueAt(1));
}

TEST_F(DragToolTest, GanttToolIgnoresOtherSeries)
{
    auto& s = c.Add<TLineSeries>({1, 2});
    c.Frame();
    auto* tool = Tool<TGanttTool>(&s);
    tool->HandleMouse(tmkDown, mbLeft, {}, s.PointScreenX(0), s.PointScreenY(0));
    EXPECT_EQ(tool->Bar(), -1);
}

TEST_F(DragToolTest, PieOutlineColourAvoidsTheSliceColour)
{
    TPieTool tool(nullptr);
    EXPECT_EQ(tool.Pen()->Width(), 4);
    tool.Pen()->SetColor(clRed);
    EXPECT_EQ(tool.OutlineColor(clBlue), clRed);
    EXPECT_EQ(tool.OutlineColor(clRed), clBlack);
    tool.Pen()->SetColor(clBlack);
    EXPECT_EQ(tool.OutlineColor(clBlack), clWhite);
}

TEST_F(DragToolTest, PieSlicesPullOutAndBackOverThreeHundredMilliseconds)
{
    auto* pie = new TPieSeries(&c.chart);
    pie->SetParentChart(&c.chart);
    for (double v : {10, 20, 30, 40}) pie->AppendMainValue(v);
    c.Frame();
    auto* tool = Tool<TPieTool>(pie);
    tool->SetStyle(ptExplode);
    // a point inside each slice: scan the pie's box
    int at[4][2] = {{-1, -1}, {-1, -1}, {-1, -1}, {-1, -1}};
    for (int y = 0; y < 300; y += 3)
        for (int x = 0; x < 400; x += 3)
            if (const int slice = pie->SliceAtPoint(x, y, false); slice >= 0 && at[slice][0] < 0) at[slice][0] = x, at[slice][1] = y;
    ASSERT_GE(at[2][0], 0);
    ASSERT_GE(at[3][0], 0);
    tool->HandleMouse(tmkMove, mbLeft, {}, at[2][0], at[2][1]);
    EXPECT_EQ(tool->HighlightedSlice(), 2);
    Tick(16);
    Tick(134);  // half-way
    EXPECT_EQ(pie->ExplodedSlice().GetSliceValue(2), 25);
    Run(200);
    EXPECT_EQ(pie->ExplodedSlice().GetSliceValue(2), 50);
    tool->HandleMouse(tmkMove, mbLeft, {}, at[3][0], at[3][1]);
    EXPECT_EQ(tool->HighlightedSlice(), 3);
    Run(400);
    EXPECT_EQ(pie->ExplodedSlice().GetSliceValue(3), 50);
}

}  // namespace
