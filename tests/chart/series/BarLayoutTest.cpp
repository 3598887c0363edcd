// The layout the bar series of a chart share: slots, widths, stacks, 100 % and self-stacked bars,
// depth; and the shared settings of the standard series.
#include <cmath>

#include "BarFixtures.h"
#include "chart/canvas/Geometry.h"
#include "chart/core/ChartAxis.h"
#include "chart/series/SeriesShared.h"
#include "platform/classes/Published.h"

namespace {

// ---- shared routines ----

TEST(PatternBrushStyle, CyclesThroughSixHatches)
{
    const struct {
        int index;
        TBrushStyle style;
    } cases[] = {{0, bsHorizontal}, {1, bsVertical}, {5, bsDiagCross}, {6, bsHorizontal}, {13, bsVertical}};
    for (const auto& c : cases) EXPECT_EQ(PatternBrushStyle(c.index), c.style) << c.index;
}

// Counts the repaint requests that reach it.
class TCountingChart : public TChart {
    TV_CLASS(TCountingChart, TChart)
public:
    using TChart::TChart;
    int Requests = 0;
    void Invalidate() override
    {
        ++Requests;
        TChart::Invalidate();
    }
};

}  // namespace

TV_PUBLISHED(TCountingChart) {}

namespace {

TEST_F(BarSuite, SelfStackAssignCopiesWithoutRepaint)
{
    TOwnedPtr<TComponent> root(new TComponent(nullptr));
    auto* chart = new TCountingChart(root.get());
    auto* series = new TBarSeries(root.get());
    series->SetParentChart(chart);
    TSelfStack source;
    source.SetUsePosition(true);
    source.SetPosition(2.5);
    chart->Requests = 0;
    series->SelfStack()->Assign(&source);
    EXPECT_TRUE(series->SelfStack()->UsePosition());
    EXPECT_EQ(series->SelfStack()->Position(), 2.5);
    EXPECT_EQ(chart->Requests, 0);
    series->SelfStack()->SetPosition(3);
    EXPECT_EQ(chart->Requests, 1);
    series->SelfStack()->SetPosition(3);
    EXPECT_EQ(chart->Requests, 1);
}

// ---- slots and widths ----

TEST_F(BarSuite, TwoSideSeriesShareEachCategory)
{
    TBarChart c;
    std::initializer_list<double> ten = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    TBarSeries& a = c.Add(ten);
    TBarSeries& b = c.Add(ten);
    c.Frame();
    EXPECT_EQ(a.MaxBarPoints, 11);
    EXPECT_EQ(a.BarSlotCount, 2);
    EXPECT_EQ(a.BarSlotOrder, 1);
    EXPECT_EQ(b.BarSlotOrder, 2);
    // Each bar takes half of the 70 % share of a category.
    const TChartAxis& axis = *c.chart.BottomAxis();
    int expected = RoundHalfEven(70 * 0.01 * axis.AxisSize() / 11 / 2);
    if (expected % 2) ++expected;
    EXPECT_EQ(a.BarSize, expected);
    for (int i : {0, 4, 9}) {
        const int category = axis.HorizontalValueToPixel(i);
        EXPECT_EQ(a.PointScreenX(i), category - a.BarSize) << i;
        EXPECT_EQ(b.PointScreenX(i), category) << i;
    }
}

TEST_F(BarSuite, SideMarginsAddOneCategoryToTheLongestSeries)
{
    TBarChart c;
    TBarSeries& a = c.Add({1, 2, 3});
    c.Add({1, 2, 3, 4});
    c.Frame();
    EXPECT_EQ(a.MaxBarPoints, 5);
    a.SetSideMargins(false);
    c.Frame();
    EXPECT_EQ(a.MaxBarPoints, 4);
}

TEST_F(BarSuite, BarWidthRoundsHalfEvenThenToEven)
{
    const struct {
        int axisSize, percent, slots, custom, expected;
    } cases[] = {
        {77, 100, 1, 0, 8},   // 7 becomes even
        {110, 100, 1, 0, 10},
        {77, 100, 1, 7, 7},   // a custom width stays
        {99, 100, 2, 0, 4},   // 4.5 rounds to the even 4
        {121, 100, 2, 0, 6},  // 5.5 rounds to 6
        {110, 0, 1, 0, 0},
    };
    for (const auto& k : cases) {
        TBarChart c;
        TBarSeries& s = c.Add({1});
        c.chart.BottomAxis()->SetPixelBounds(0, k.axisSize);
        s.MaxBarPoints = 11;
        s.BarSlotCount = k.slots;
        s.SetBarWidthPercent(k.percent);
        s.SetCustomBarWidth(k.custom);
        s.ComputeBarSize();
        EXPECT_EQ(s.BarSize, k.expected) << k.axisSize << " " << k.slots << " " << k.custom;
    }
}

// ---- stacks ----

TEST_F(BarSuite, StackedNegativeBarHangsBelowZero)
{
    TBarChart c;
    TBarSeries& up = c.Add({5}, mbStacked);
    TBarSeries& down = c.Add({-3}, mbStacked);
    TBarSeries& more = c.Add({2}, mbStacked);
    c.Frame();
    const TChartAxis& left = *c.chart.LeftAxis();
    const auto px = [&](double v) { return left.VerticalValueToPixel(v); };
    EXPECT_EQ(up.BarOriginPixel(0), px(0));
    EXPECT_EQ(down.BarOriginPixel(0), px(0));
    EXPECT_EQ(down.BarValuePixel(0), px(-3));
    EXPECT_EQ(more.BarOriginPixel(0), px(5));
    EXPECT_EQ(more.BarValuePixel(0), px(7));
    EXPECT_EQ(up.BarSlotCount, 1);
    EXPECT_EQ(more.HighestY(), 7);
    EXPECT_EQ(down.LowestY(), -3);
}

TEST_F(BarSuite, Stacked100SharesOfEachCategory)
{
    TBarChart c;
    TBarSeries& a = c.Add({1, 0}, mbStacked100);
    TBarSeries& b = c.Add({3, 0}, mbStacked100);
    c.Frame();
    const TChartAxis& left = *c.chart.LeftAxis();
    const auto px = [&](double v) { return left.VerticalValueToPixel(v); };
    EXPECT_EQ(a.BarOriginPixel(0), px(0));
    EXPECT_EQ(a.BarValuePixel(0), px(25));
    EXPECT_EQ(b.BarOriginPixel(0), px(25));
    EXPECT_EQ(b.BarValuePixel(0), px(100));
    EXPECT_EQ(b.HighestY(), 100);
    // A category whose total is 0: both ends at the axis' 0, and the range starts from 0.
    EXPECT_EQ(b.BarOriginPixel(1), px(0));
    EXPECT_EQ(b.BarValuePixel(1), px(0));
    EXPECT_EQ(b.LowestY(), 0);
    EXPECT_FALSE(std::isnan(b.LowestY()));
    c.canvas->ClearLog();
    a.DrawPoint(1);
    b.DrawPoint(1);
    EXPECT_TRUE(c.canvas->Log().empty());
}

TEST_F(BarSuite, StackGroupsStandSideBySide)
{
    TBarChart c;
    TBarSeries& a = c.Add({2}, mbStacked);
    TBarSeries& b = c.Add({3}, mbStacked);
    TBarSeries& d = c.Add({4}, mbStacked);
    b.SetStackGroup(1);
    c.Frame();
    EXPECT_EQ(a.BarSlotCount, 2);
    EXPECT_EQ(a.BarSlotOrder, 1);
    EXPECT_EQ(b.BarSlotOrder, 2);
    EXPECT_EQ(d.BarSlotOrder, 1);
    EXPECT_EQ(b.BarBaseValue(0, false), 0);
    EXPECT_EQ(d.BarBaseValue(0, false), 2);
    EXPECT_EQ(a.PointScreenX(0), d.PointScreenX(0));
    EXPECT_EQ(b.PointScreenX(0), a.PointScreenX(0) + a.BarSize);
}

TEST_F(BarSuite, SelfStackedSegmentsAtTheSeriesIndex)
{
    TBarChart c;
    c.Add({7}, mbSelfStack);
    TBarSeries& s = c.Add({1, 2, -1}, mbSelfStack);
    c.Frame();
    const TChartAxis& left = *c.chart.LeftAxis();
    const auto px = [&](double v) { return left.VerticalValueToPixel(v); };
    const struct {
        double base, end;
    } segments[] = {{0, 1}, {1, 3}, {0, -1}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(s.BarOriginPixel(i), px(segments[i].base)) << i;
        EXPECT_EQ(s.BarValuePixel(i), px(segments[i].end)) << i;
    }
    EXPECT_EQ(s.LowestX(), 1);
    EXPECT_EQ(s.HighestX(), 1);
    EXPECT_EQ(s.HighestY(), 3);
    EXPECT_EQ(s.LowestY(), -1);
    const int x = c.chart.BottomAxis()->HorizontalValueToPixel(1) - s.BarSize / 2;
    for (int i = 0; i < 3; ++i) EXPECT_EQ(s.PointScreenX(i), x);
    s.SelfStack()->SetUsePosition(true);
    s.SelfStack()->SetPosition(0.5);
    EXPECT_EQ(s.LowestX(), 0.5);
}

TEST_F(BarSuite, MultiBarIsSharedAcrossTheChart)
{
    TBarChart c;
    TBarSeries& a = c.Add({1});
    TBarSeries& b = c.Add({1});
    a.SetMultiBar(mbStacked);
    EXPECT_EQ(b.MultiBar(), mbStacked);
    b.SetSideMargins(false);
    EXPECT_FALSE(a.SideMargins());
    auto* late = new TBarSeries(c.root.get());
    late->SetParentChart(&c.chart);
    EXPECT_EQ(late->MultiBar(), mbStacked);
    EXPECT_FALSE(late->SideMargins());
}

TEST_F(BarSuite, DepthPercentNarrowsTheSlot)
{
    TBarChart c(true);
    TBarSeries& s = c.Add({1, 2});
    c.Frame();
    const TChartSeries::TDepthRange full = s.ComputeDepthRange();
    ASSERT_GT(full.end - full.start, 0);
    for (const int percent : {100, 50, 0, 20}) {
        s.SetDepthPercent(percent);
        const TChartSeries::TDepthRange r = s.ComputeDepthRange();
        const int d = percent == 0 ? 0 : RoundHalfEven((100 - percent) * (full.end - full.start) * 0.005);
        EXPECT_EQ(r.start, full.start + d) << percent;
        EXPECT_EQ(r.end, full.end - d) << percent;
    }
}

TEST_F(BarSuite, GroupedBarsShareOneZSlot)
{
    TBarChart c(true);
    TBarSeries& a = c.Add({1});
    TBarSeries& b = c.Add({2});
    c.Frame();
    EXPECT_EQ(a.GetZSlot(), b.GetZSlot());
    a.SetMultiBar(mbNone);
    c.Frame();
    EXPECT_NE(a.GetZSlot(), b.GetZSlot());
}

}  // namespace
