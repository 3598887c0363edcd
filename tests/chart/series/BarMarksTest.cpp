// Where bar marks go, the marks' stored defaults of a bar series, and tick lines across bars.
#include "BarFixtures.h"
#include "chart/core/Callout.h"
#include "chart/core/ChartAxis.h"
#include "chart/canvas/ZebPen.h"

namespace {

TEST_F(BarSuite, BarSeriesShowsMarksByDefaultWithoutStoringIt)
{
    TBarChart c;
    TBarSeries& s = c.Add({1});
    TBarSeries fresh(nullptr);
    EXPECT_TRUE(fresh.Marks().Visible());
    EXPECT_FALSE(fresh.Marks().IsVisibleStored());
    EXPECT_EQ(fresh.Marks().Callout()->Length(), 20);
    EXPECT_FALSE(fresh.Marks().Callout()->IsLengthStored());
    EXPECT_TRUE(fresh.Marks().OnTop());
    EXPECT_TRUE(s.Marks().IsVisibleStored());  // hidden by the fixture
}

TEST_F(BarSuite, MarksGoBeyondTheBarEnd)
{
    TBarChart c;
    TBarSeries& s = c.Add({5, -5});
    s.Marks().SetVisible(true);
    c.Frame();
    const TSeriesMarkPosition* up = s.Marks().Positions().PositionAt(0);
    const TSeriesMarkPosition* down = s.Marks().Positions().PositionAt(1);
    ASSERT_TRUE(up && down);
    const int c20 = s.Marks().Callout()->Length() + s.Marks().Callout()->Distance();
    const int middle0 = s.PointScreenX(0) + s.BarSize / 2;
    EXPECT_EQ(up->ArrowFrom, (TPoint{middle0, s.BarValuePixel(0)}));
    // The base centres the box above the point; the bar moves it by the callout.
    const auto centred = [&](int index, const TSeriesMarkPosition& drawn) {
        TSeriesMarkPosition p;
        p.Width = drawn.Width, p.Height = drawn.Height;
        TSeriesMarksPositions::CenterAbove(p, s.PointScreenX(index) + s.BarSize / 2, s.BarValuePixel(index), nullptr);
        return p;
    };
    EXPECT_EQ(up->LeftTop.Y, centred(0, *up).LeftTop.Y - c20);
    EXPECT_EQ(up->ArrowTo.Y, s.BarValuePixel(0) - c20);
    // Hanging down: the box below the bar's end.
    EXPECT_EQ(down->LeftTop.Y, centred(1, *down).LeftTop.Y + c20 + down->Height);
    EXPECT_GT(down->LeftTop.Y, s.BarValuePixel(1));
}

TEST_F(BarSuite, MarksOnBarSitInsideTheBar)
{
    TBarChart c;
    TBarSeries& s = c.Add({5});
    s.Marks().SetVisible(true);
    s.SetMarksOnBar(true);
    s.SetMarksLocation(mlCenter);
    c.Frame();
    const TSeriesMarkPosition* p = s.Marks().Positions().PositionAt(0);
    ASSERT_TRUE(p);
    const TRect bar = s.ComputeBarRect(0);
    EXPECT_EQ(p->LeftTop.Y, (bar.Top + bar.Bottom) / 2 - p->Height / 2);
    EXPECT_TRUE(s.Marks().Arrow()->Visible());  // hidden only while drawing
    EXPECT_TRUE(s.Marks().AutoPosition());
}

TEST_F(BarSuite, TickLinesCrossTheBarAtValueTicks)
{
    TBarChart c;
    TBarSeries& s = c.Add({10});
    s.TickLines()->SetVisible(true);
    c.Frame();
    const TRect bar = s.ComputeBarRect(0);
    int ticks = 0;
    for (const int pixel : c.chart.LeftAxis()->TickPositions())
        if (pixel > bar.Top && pixel < bar.Bottom) ++ticks;
    ASSERT_GT(ticks, 0);
    c.canvas->ClearLog();
    s.DrawPoint(0);
    int lines = 0;
    for (const std::string& line : c.canvas->Log())
        if (line.starts_with("MoveTo(" + std::to_string(s.BarBounds.Left) + ",")) ++lines;
    EXPECT_EQ(lines, ticks);
    s.SetTickLines(nullptr);
    EXPECT_FALSE(s.HasTickLines());
}

}  // namespace
