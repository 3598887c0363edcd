// Arrows that scroll an axis by a percentage, and marks dragged to places the series keeps.
#include <string>

#include "ToolFixture.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/MarkPositions.h"
#include "chart/core/SeriesMarks.h"
#include "chart/tools/AxisArrowTool.h"
#include "chart/tools/DragMarksTool.h"
#include "chart/io/ChartFile.h"
#include "platform/rtl/Streams.h"

namespace {

class AxisArrowTest : public ToolTest {
protected:
    void SetUp() override
    {
        ToolTest::SetUp();
        series.InsertXY(0, 0);
        series.InsertXY(100, 100);
        series.SetParentChart(&chart);
        for (TChartAxis* axis : {chart.BottomAxis(), chart.TopAxis()}) {
            axis->SetAutomatic(false);
            axis->ApplyRange(0, 100);
        }
        tool.SetAxis(chart.BottomAxis());
        Frame();
    }
    // A press on the bottom axis' start (0) or end (1) arrow.
    void Press(int arrow)
    {
        const TChartAxis& axis = *chart.BottomAxis();
        const int x = arrow == 0 ? axis.StartPixel() + 5 : axis.EndPixel() - 5;
        testkit::MouseDown(chart, mbLeft, x, axis.AxisLinePosition());
        testkit::MouseUp(chart, mbLeft, x, axis.AxisLinePosition());
    }
    TToolSeries& series = *new TToolSeries(form.get());
    TAxisArrowTool& tool = *new TAxisArrowTool(form.get());
};

TEST_F(AxisArrowTest, ArrowsScrollTheAxisByTheirPercentUnlessTheChartRefuses)
{
    struct Case {
        const char* name;
        int arrow, percent;
        bool inverted, refuse;
        double minimum, maximum;
        int clicks;
    };
    const Case cases[] = {
        {"start arrow", 0, 10, false, false, 10, 110, 1},
        {"start arrow, inverted", 0, 10, true, false, -10, 90, 1},
        {"end arrow", 1, 10, false, false, -10, 90, 1},
        {"no scrolling", 0, 0, false, false, 0, 100, 0},
        {"refused", 0, 10, false, true, 0, 100, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        chart.BottomAxis()->ApplyRange(0, 100);
        Frame();
        tool.SetScrollPercent(c.percent);
        tool.SetScrollInverted(c.inverted);
        int clicks = 0, scrolls = 0;
        tool.SetOnClick(TAxisArrowClickEvent([&](TAxisArrowTool*, bool atStart) {
            ++clicks;
            EXPECT_EQ(atStart, c.arrow == 0);
        }));
        chart.SetOnAllowScroll(
            TChartAllowScrollEvent([&](TChartAxis*, double&, double&, bool& allow) { allow = !c.refuse; }));
        chart.SetOnScroll(TNotifyEvent([&](TObject*) { ++scrolls; }));
        Press(c.arrow);
        EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), c.minimum);
        EXPECT_DOUBLE_EQ(chart.BottomAxis()->Maximum(), c.maximum);
        EXPECT_EQ(clicks, c.clicks);
        EXPECT_EQ(scrolls, c.percent != 0 && !c.refuse ? 1 : 0);
    }
}

TEST_F(AxisArrowTest, ASeriesOnBothAxesScrollsTheTopAxisToo)
{
    series.SetHorizAxis(aBothHorizAxis);
    Frame();
    Press(0);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), 10);
    EXPECT_DOUBLE_EQ(chart.TopAxis()->Minimum(), 10);
}

TEST_F(AxisArrowTest, TheArrowsAreFoundNearTheAxisLineWithinTheirLength)
{
    const TChartAxis& axis = *chart.BottomAxis();
    const int q = axis.AxisLinePosition(), start = axis.StartPixel(), end = axis.EndPixel();
    struct Case {
        int x, y, arrow;
    };
    const Case cases[] = {{start + 1, q, 0},     {start + 15, q + 3, 0}, {start + 16, q, -1}, {start + 5, q + 4, -1},
                          {end - 1, q - 3, 1},   {end - 16, q, -1},      {(start + end) / 2, q, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y));
        EXPECT_EQ(tool.ClickedArrow(c.x, c.y), c.arrow);
    }
    tool.SetPosition(aaEnd);
    EXPECT_EQ(tool.ClickedArrow(start + 1, q), -1);
    testkit::MouseMove(chart, end - 5, q);
    EXPECT_EQ(chart.Cursor(), crHandPoint);
}

class DragMarksTest : public ToolTest {
protected:
    void SetUp() override
    {
        ToolTest::SetUp();
        for (TToolSeries* s : {&first, &second}) {
            s->InsertXY(0, 50);
            s->InsertXY(10, 50);
            s->Marks().SetVisible(true);
            s->SetParentChart(&chart);
        }
        tool.SetParentChart(&chart);
        Frame();
    }
    TSeriesMarkPosition* Mark(TToolSeries& s, int index) { return s.Marks().Positions().PositionAt(index); }
    TToolSeries& first = *new TToolSeries(form.get());
    TToolSeries& second = *new TToolSeries(form.get());
    TDragMarksTool& tool = *new TDragMarksTool(form.get());
};

TEST_F(DragMarksTest, AMarkDraggedByTenPixelsMovesItsBoxAndArrowEndButNotItsStart)
{
    ASSERT_NE(Mark(second, 1), nullptr);
    const TSeriesMarkPosition before = *Mark(second, 1);
    const TPoint grab{before.LeftTop.X + before.Width / 2, before.LeftTop.Y + before.Height / 2};
    int dragging = 0, dropped = -1;
    tool.SetOnDraggingMark(TDragMarkEvent([&](TDragMarksTool*, int, TMouseButton, TShiftState, int, int) { ++dragging; }));
    tool.SetOnDraggedMark(TDragMarkEvent([&](TDragMarksTool*, int index, TMouseButton, TShiftState, int, int) { dropped = index; }));
    testkit::MouseDown(chart, mbLeft, grab.X, grab.Y);
    EXPECT_EQ(tool.DraggedSeries(), &second) << "the later series' mark lies on top";
    testkit::MouseMove(chart, grab.X + 10, grab.Y);
    testkit::MouseUp(chart, mbLeft, grab.X + 10, grab.Y);
    Frame();
    const TSeriesMarkPosition& after = *Mark(second, 1);
    EXPECT_TRUE(after.Custom);
    EXPECT_EQ(after.LeftTop.X, before.LeftTop.X + 10);
    EXPECT_EQ(after.ArrowTo.X, before.ArrowTo.X + 10);
    EXPECT_EQ(after.ArrowFrom, before.ArrowFrom);
    EXPECT_EQ(dragging, 1);
    EXPECT_EQ(dropped, 1);
    EXPECT_EQ(tool.DraggedIndex(), -1);
    EXPECT_FALSE(Mark(first, 1)->Custom);

    // The place is stored with the series in the chart file.
    first.SetName("First");
    second.SetName("Second");
    TStringStream stream;
    WriteChartStream(&chart, stream, true, true);
    TOwnedPtr<TComponent> other(new TComponent(nullptr));
    auto* back = new TChart(other.get());
    TStringStream in(stream.DataString());
    ReadChartStream(back, in);
    ASSERT_EQ(back->SeriesList().Count(), 2);
    const TSeriesMarkPosition* loaded = back->SeriesList().GetSeriesAt(1)->Marks().Positions().PositionAt(1);
    ASSERT_NE(loaded, nullptr);
    EXPECT_TRUE(loaded->Custom);
    EXPECT_EQ(loaded->LeftTop, after.LeftTop);
}

}  // namespace
