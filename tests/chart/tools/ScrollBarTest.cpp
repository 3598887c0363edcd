// The painted scroll bar's model (steps, ends, repetition, thumb) and the axis scroll bar that
// shows and moves an axis' place in its data.
#include <string>

#include "ToolFixture.h"
#include "chart/core/ChartAxis.h"
#include "chart/tools/AxisScrollBarTool.h"
#include "chart/tools/ScrollBar.h"
#include "platform/classes/Published.h"

// A bar under a fixed area of the chart, scrolling 0 .. 100 with a page of 20.
class TTestScrollBar : public TZebScrollBar {
    TV_CLASS(TTestScrollBar, TZebScrollBar)
public:
    explicit TTestScrollBar(TComponent* owner) : TZebScrollBar(owner)
    {
        SetHorizontal(true);
        SetMaxPosition(100);
        SetPageSize(20);
    }
    bool GetScrollArea(TRect& area) override
    {
        area = {20, 200, 238, 210};
        return true;
    }
};

TV_PUBLISHED(TTestScrollBar) {}

namespace {

class ScrollBarTest : public ToolTest {
protected:
    void SetUp() override
    {
        ToolTest::SetUp();
        bar.SetParentChart(&chart);
        Frame();
    }
    // Bar 20..238 below y 210, 18 high: arrows 20..38 and 220..238, a track of 182 pixels.
    int Y() const { return 219; }
    void Click(int x)
    {
        testkit::MouseDown(chart, mbLeft, x, Y());
        testkit::MouseUp(chart, mbLeft, x, Y());
    }
    TTestScrollBar& bar = *new TTestScrollBar(form.get());
};

TEST_F(ScrollBarTest, ArrowsAndTrackStepThePositionAndStopAtBothEnds)
{
    struct Case {
        const char* name;
        int from, x, to;
        bool repeating;  // the press started the repeat
    };
    const Case cases[] = {
        {"decrease arrow at 0", 0, 25, 0, false},
        {"decrease arrow", 10, 25, 9, true},
        {"increase arrow", 10, 230, 11, true},
        {"increase arrow onto the last position", 79, 230, 80, false},
        {"increase arrow at the last position", 80, 230, 80, false},
        {"track before the thumb", 50, 45, 45, true},
        {"track after the thumb", 10, 200, 15, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bar.SetPosition(c.from);
        testkit::MouseDown(chart, mbLeft, c.x, Y());
        EXPECT_EQ(bar.GetPosition(), c.to);
        EXPECT_TRUE(chart.MouseHandled());
        EXPECT_EQ(bar.RepeatTimer() && bar.RepeatTimer()->Enabled(), c.repeating);
        testkit::MouseUp(chart, mbLeft, c.x, Y());
        EXPECT_FALSE(bar.RepeatTimer() && bar.RepeatTimer()->Enabled());
    }
}

TEST_F(ScrollBarTest, HoldingAnArrowStepsAtOnceThenAfterTheDelayThenEveryFiftyMilliseconds)
{
    int scrolled = 0;
    bar.SetOnScrolled(TNotifyEvent([&](TObject*) { ++scrolled; }));
    bar.SetPosition(10);
    testkit::MouseDown(chart, mbLeft, 230, Y());
    EXPECT_EQ(bar.GetPosition(), 11);
    ASSERT_NE(bar.RepeatTimer(), nullptr);
    EXPECT_EQ(bar.RepeatTimer()->Interval(), 250u);
    bar.RepeatTick();
    EXPECT_EQ(bar.GetPosition(), 12);
    EXPECT_EQ(bar.RepeatTimer()->Interval(), 50u);
    bar.RepeatTick();
    EXPECT_EQ(bar.GetPosition(), 13);
    EXPECT_EQ(bar.RepeatTimer()->Interval(), 50u);
    EXPECT_EQ(scrolled, 3);
    testkit::MouseUp(chart, mbLeft, 230, Y());
    EXPECT_FALSE(bar.RepeatTimer()->Enabled());
    EXPECT_EQ(bar.PressedPart(), sbpNone);
}

TEST_F(ScrollBarTest, TheThumbShowsThePageAndDragsByWholePositions)
{
    bar.SetPosition(0);
    TRect thumb = bar.ThumbRect();
    // 20 of 100 over a track of 182 pixels.
    EXPECT_EQ(thumb.Left, 38);
    EXPECT_EQ(thumb.Right - thumb.Left, 36 + 1);
    // One position is 1.82 pixels: a one-pixel move does nothing, the second reaches it.
    testkit::MouseDown(chart, mbLeft, 50, Y());
    EXPECT_EQ(bar.PressedPart(), sbpThumb);
    testkit::MouseMove(chart, 51, Y());
    EXPECT_EQ(bar.GetPosition(), 0);
    testkit::MouseMove(chart, 52, Y());
    EXPECT_EQ(bar.GetPosition(), 1);
    testkit::MouseMove(chart, 300, Y());
    EXPECT_EQ(bar.GetPosition(), 80);
    testkit::MouseUp(chart, mbLeft, 300, Y());

    bar.SetPageSize(1);
    EXPECT_GE(bar.ThumbRect().Width(), bar.MinThumbSize());
    bar.SetArrows(false);
    bar.SetPosition(0);
    EXPECT_EQ(bar.ThumbRect().Left, 20) << "without arrows the whole bar is the track";
    // A position beyond the model still draws inside the track.
    bar.SetPosition(500);
    EXPECT_LE(bar.ThumbRect().Right, 238);
}

TEST_F(ScrollBarTest, ThumbPicturesSizeTheThumbAndTheBar)
{
    int sizeChanges = 0;
    bar.SetOnChangeSize(TNotifyEvent([&](TObject*) { ++sizeChanges; }));
    const struct {
        TScrollThumbStyle style;
        int thumb, size;
    } cases[] = {{stsThumb1, 17, 16}, {stsThumb2, 12, 12}, {stsThumb3, 29, 13}, {stsThumb4, 9, 10}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.thumb);
        bar.Thumb()->SetStyle(c.style);
        EXPECT_EQ(bar.ThumbSize(), c.thumb);
        EXPECT_EQ(bar.Size(), c.size);
    }
    EXPECT_EQ(sizeChanges, 0);
    bar.Thumb()->SetStyle(stsCustom);
    EXPECT_FALSE(bar.Thumb()->Image()->HasGraphic());
}

TEST_F(ScrollBarTest, DraggingAThumbEndResizesThePage)
{
    bar.SetAllowResize(true);
    bar.SetPosition(0);
    const TRect thumb = bar.ThumbRect();
    testkit::MouseMove(chart, thumb.Right - 1, Y());
    EXPECT_EQ(chart.Cursor(), crHSplit);
    testkit::MouseDown(chart, mbLeft, thumb.Right - 1, Y());
    EXPECT_EQ(bar.PressedPart(), sbpThumbEnd);
    testkit::MouseMove(chart, thumb.Right + 17, Y());
    EXPECT_EQ(bar.GetPageSize(), 30);
    testkit::MouseUp(chart, mbLeft, thumb.Right + 17, Y());
}

class AxisScrollBarTest : public ToolTest {
protected:
    void SetUp() override
    {
        ToolTest::SetUp();
        series.InsertXY(0, 0);
        series.InsertXY(100, 100);
        series.SetParentChart(&chart);
        for (TChartAxis* axis : {chart.BottomAxis(), chart.LeftAxis()}) axis->SetAutomatic(false);
        chart.BottomAxis()->ApplyRange(25, 50);
        chart.LeftAxis()->ApplyRange(50, 75);
        Frame();
    }
    TAxisScrollBarTool& Bar(TChartAxis* axis)
    {
        auto& bar = *new TAxisScrollBarTool(form.get());
        bar.SetAxis(axis);
        Frame();
        return bar;
    }
    TToolSeries& series = *new TToolSeries(form.get());
};

TEST_F(AxisScrollBarTest, ThePageAndPositionShowTheVisiblePartOfTheData)
{
    TAxisScrollBarTool& bottom = Bar(chart.BottomAxis());
    EXPECT_TRUE(bottom.Horizontal());
    EXPECT_EQ(bottom.GetPageSize(), 250);
    EXPECT_EQ(bottom.GetPosition(), 250);
    bottom.SetPosition(500);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), 50);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Maximum(), 75);

    // A vertical bar counts from the top of the data.
    TAxisScrollBarTool& left = Bar(chart.LeftAxis());
    EXPECT_FALSE(left.Horizontal());
    EXPECT_EQ(left.GetPosition(), 250);
    left.SetPosition(0);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Minimum(), 75);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Maximum(), 100);
}

TEST_F(AxisScrollBarTest, DrawingFollowsTheAxisWithoutMovingIt)
{
    TAxisScrollBarTool& bar = Bar(chart.BottomAxis());
    chart.BottomAxis()->ApplyRange(10.04, 35.04);
    Frame();
    EXPECT_EQ(bar.GetPosition(), 100);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), 10.04) << "the rounded position is not put back";
}

TEST_F(AxisScrollBarTest, DraggingTheThumbEndsChangesTheAxisRange)
{
    chart.BottomAxis()->ApplyRange(0, 50);
    TAxisScrollBarTool& bar = Bar(chart.BottomAxis());
    bar.ResizePage(true, 100);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Maximum(), 60);
    bar.ResizePage(false, 100);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), 10);
    EXPECT_EQ(bar.GetPosition(), 100);
    // A vertical bar's bottom end moves the minimum.
    TAxisScrollBarTool& left = Bar(chart.LeftAxis());
    left.ResizePage(true, 100);
    EXPECT_DOUBLE_EQ(chart.LeftAxis()->Minimum(), 40);
}

TEST_F(AxisScrollBarTest, NoDataGivesPageAndPositionZeroAndTheThumbChangesNothing)
{
    series.SetParentChart(nullptr);
    TAxisScrollBarTool& bar = Bar(chart.BottomAxis());
    EXPECT_EQ(bar.GetPageSize(), 0);
    EXPECT_EQ(bar.GetPosition(), 0);
    bar.SetPosition(500);
    bar.ResizePage(true, 100);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Minimum(), 25);
    EXPECT_DOUBLE_EQ(chart.BottomAxis()->Maximum(), 50);
}

TEST_F(AxisScrollBarTest, AnActiveBarReservesItsSizeAndMarginBesideTheAxis)
{
    const TRect before = chart.ChartRect();
    TAxisScrollBarTool& bar = Bar(chart.BottomAxis());
    EXPECT_EQ(chart.BottomAxis()->ToolMargin, 18 + 5);
    EXPECT_EQ(chart.ChartRect().Bottom, before.Bottom - 23);
    // The bar lies below the labels, inside the chart.
    const TRect drawn = bar.BarRect();
    EXPECT_GT(drawn.Top, chart.ChartRect().Bottom);
    EXPECT_LE(drawn.Bottom, chart.Height());
    bar.SetActive(false);
    EXPECT_EQ(chart.BottomAxis()->ToolMargin, 0);
    bar.SetActive(true);
    bar.SetAxis(chart.LeftAxis());
    EXPECT_EQ(chart.BottomAxis()->ToolMargin, 0);
    EXPECT_EQ(chart.LeftAxis()->ToolMargin, 23);
    TObject::Free(&bar);
    EXPECT_EQ(chart.LeftAxis()->ToolMargin, 0);
}

}  // namespace
