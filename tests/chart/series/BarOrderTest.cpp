// Which bars a frame visits and in which order, horizontal margins and stacks, the gallery and
// sample data of bar series.
#include <vector>

#include "BarFixtures.h"
#include "chart/canvas/Gradient.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartPage.h"

namespace {

TEST_F(BarSuite, InvertedAxisKeepsTheMarksMarginOnTheLeft)
{
    TBarChart c;
    auto& s = c.Add<THorizBarSeries>({-5, -3});
    s.Marks().SetVisible(true);
    c.chart.BottomAxis()->SetInverted(true);
    c.Frame();
    int left = 0, right = 0;
    s.MeasureHorizMargins(left, right);
    EXPECT_GT(left, 0);
    EXPECT_EQ(right, 0);
}

TEST_F(BarSuite, SelfStackedHorizontalBarsOrderBySignOfX)
{
    TBarChart c;
    auto& s = c.Add<THorizBarSeries>({3, -2}, mbSelfStack);
    s.SetYOrigin(5);
    EXPECT_TRUE(s.IsStackOrderForward(0));  // 3 lies below YOrigin but above 0
    EXPECT_FALSE(s.IsStackOrderForward(1));
    c.chart.BottomAxis()->SetInverted(true);
    EXPECT_FALSE(s.IsStackOrderForward(0));
    EXPECT_TRUE(s.IsStackOrderForward(1));
}

TEST_F(BarSuite, SelfStackDrawsBelowOriginFirstInReverse)
{
    TBarChart c;
    TBarSeries& s = c.Add({1, -2, 2, -1}, mbSelfStack);
    c.Frame();
    std::vector<int> order;
    s.GetPointDrawOrder(0, 3, order, true);
    EXPECT_EQ(order, (std::vector<int>{3, 1, 0, 2}));
    c.chart.BottomAxis()->SetInverted(true);
    s.GetPointDrawOrder(0, 3, order, true);
    EXPECT_EQ(order, (std::vector<int>{2, 0, 1, 3}));
    // Other modes walk in index order.
    s.SetMultiBar(mbSide);
    s.GetPointDrawOrder(0, 3, order, true);
    EXPECT_TRUE(order.empty());
}

TEST_F(BarSuite, StackOrderPutsNegativeBarsUnderTheirGroup)
{
    TBarChart c;
    c.Add({2}, mbStacked);
    c.Add({-1}, mbStacked);
    c.Add({3}, mbStacked).SetStackGroup(1);
    TBarSeries& last = c.Add({4}, mbStacked);
    std::vector<int> order;
    last.GetStackDrawOrder(0, 4, order, 0);
    EXPECT_EQ(order, (std::vector<int>{1, 0, 3, 2}));
}

TEST_F(BarSuite, OnePointPerPageShowsNothingPastTheSeries)
{
    TBarChart c;
    TBarSeries& s = c.Add({1, 2});
    c.Add({1, 2, 3});
    c.chart.Pages()->SetMaxPointsPerPage(1);
    c.chart.Pages()->SetCurrent(2);
    s.FindVisibleRange();
    EXPECT_EQ(s.FirstVisibleIndex(), 1);
    EXPECT_EQ(s.LastVisibleIndex(), 1);
    c.chart.Pages()->SetCurrent(3);
    s.FindVisibleRange();
    EXPECT_EQ(s.FirstVisibleIndex(), -1);
    EXPECT_EQ(s.LastVisibleIndex(), -1);
}

TEST_F(BarSuite, BarReachingIntoThePlotIsDrawn)
{
    TBarChart c;
    TBarSeries& s = c.Add({});
    for (const double x : {0.0, 1.0, 2.0, 3.2}) s.InsertXY(x, 5);
    s.SetCustomBarWidth(60);
    TChartAxis& bottom = *c.chart.BottomAxis();
    bottom.SetAutomatic(false);
    bottom.SetMinimum(0);
    bottom.SetMaximum(3);
    c.Frame();
    s.FindVisibleRange();
    EXPECT_EQ(s.LastVisibleIndex(), 3);
    s.SetCustomBarWidth(2);
    c.Frame();
    s.FindVisibleRange();
    EXPECT_EQ(s.LastVisibleIndex(), 2);
}

TEST_F(BarSuite, GalleryStackStyleMakesACompanion)
{
    TBarChart c;
    TBarSeries& s = c.Add({1, 2, 3});
    s.SetBarWidthPercent(60);
    s.ApplyGalleryStyle(5);
    ASSERT_EQ(c.chart.NumSeries(), 2);
    auto* other = dynamic_cast<TBarSeries*>(c.chart.GetSeriesAt(1));
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(s.MultiBar(), mbStacked);
    EXPECT_EQ(other->MultiBar(), mbStacked);
    EXPECT_EQ(s.Count(), 2);
    EXPECT_EQ(other->Count(), 2);
    EXPECT_TRUE(other->Gradient()->Visible());
    EXPECT_EQ(other->BarWidthPercent(), 60);
    EXPECT_FALSE(s.Marks().Visible());
    // With company already there, no third series.
    s.ApplyGalleryStyle(7);
    EXPECT_EQ(c.chart.NumSeries(), 2);
    EXPECT_EQ(other->MultiBar(), mbSelfStack);
}

TEST_F(BarSuite, GalleryListsTheBarStyles)
{
    TBarChart c;
    TBarSeries& s = c.Add({1});
    std::vector<String> names;
    s.ListGalleryStyles([&](const String& name) { names.push_back(name); });
    EXPECT_EQ(names, (std::vector<String>{"Normal", "Colors", "Pyramid", "Ellipse", "Inv. Pyramid", "Stack",
                                          "Stack 100%", "Self Stacked", "Sides", "Side All"}));
}

TEST_F(BarSuite, SamplesBesideOwnXValuesAddTheCount)
{
    TBarChart c;
    TBarSeries& a = c.Add({});
    for (const double x : {10.0, 20.0, 30.0}) a.InsertXY(x, 1);
    TBarSeries& b = c.Add({});
    b.AddRandomPoints(4, false);
    EXPECT_EQ(b.Count(), 4);
    EXPECT_EQ(b.DefaultSampleCount(), 3);
}

}  // namespace
