// Series growing into their values, random points, lines, bar transitions, 3-D turns, pointers.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "chart/animation/ChartAnimations.h"
#include "chart/animation/ZebAnimations.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/core/ChartAxis.h"
#include "chart/series/CustomSeries.h"
#include "chart/core/SeriesPointer.h"
#include "platform/rtl/MathUtils.h"
#include "tests/chart/animation/AnimationFixture.h"
#include "tests/chart/animation/ChartFixture.h"

namespace {

class SeriesAnimationTest : public AnimationSuite {
protected:
    TAnimatedChart c;
    TOwnedPtr<TZebAnimate> player{new TZebAnimate(nullptr)};
    template <class A>
    A* Add()
    {
        auto* a = new A(player.get());
        player->Animations().AddAnimation(a);
        a->SetChart(&c.chart);
        return a;
    }
};

TEST_F(SeriesAnimationTest, DrawEveryGrowsPointsGroupByGroup)
{
    auto& s = c.Add({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    auto* a = Add<TSeriesAnimation>();
    a->SetDrawEvery(3);
    a->SetStartAtMin(false);
    a->SetStartValue(0.5);
    a->Prepare();
    EXPECT_EQ(c.Values(s), std::vector<double>(10, 0.5));
    a->ApplyFraction(0.5f);
    // three groups: the first whole, the second at half, point 9 outside every group
    const std::vector<double> expected{1, 2, 3, 2, 2.5, 3, 0.5, 0.5, 0.5, 0.5};
    EXPECT_EQ(c.Values(s), expected);
    a->ApplyFraction(0.0f);
    a->Finish();
    EXPECT_EQ(c.Values(s), (std::vector<double>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST_F(SeriesAnimationTest, TheValueAxisIsFrozenDuringTheRunAndAutomaticAfter)
{
    auto& s = c.Add({10, 20, 40});
    Add<TSeriesAnimation>();
    TChartAxis* axis = c.chart.LeftAxis();
    ASSERT_TRUE(axis->Automatic());
    player->StartPlaying();  // Prepare: one draw off screen gives the range, then it is frozen
    EXPECT_FALSE(axis->Automatic());
    EXPECT_EQ(c.Values(s), (std::vector<double>{10, 10, 10}));
    const double max = axis->Maximum();
    EXPECT_GE(max, 40);
    Tick(16);
    Tick(484);
    EXPECT_EQ(c.Values(s), (std::vector<double>{5, 10, 20}));
    EXPECT_DOUBLE_EQ(axis->Maximum(), max);
    EXPECT_EQ(s.UpdateCount(), 1);
    Run(700);
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_TRUE(axis->Automatic());
    EXPECT_EQ(c.Values(s), (std::vector<double>{10, 20, 40}));
    EXPECT_EQ(s.UpdateCount(), 0);  // begun once, ended once
}

TEST_F(SeriesAnimationTest, ValuesComeBackAfterAStopOrARemovalMidRun)
{
    for (bool remove : {false, true}) {
        SCOPED_TRACE(remove);
        TAnimatedChart local;
        auto& s = local.Add({3, 6, 9});
        auto& other = local.Add({1, 2});
        player->Animations().Clear();
        auto* a = new TSeriesAnimation(player.get());
        player->Animations().AddAnimation(a);
        a->SetChart(&local.chart);
        player->StartPlaying();
        Tick(16);
        Tick(300);
        if (remove) s.SetParentChart(nullptr);  // taken out of the chart, not freed
        player->StopPlaying();
        EXPECT_EQ(local.Values(s), (std::vector<double>{3, 6, 9}));
        EXPECT_EQ(local.Values(other), (std::vector<double>{1, 2}));
        EXPECT_TRUE(local.chart.LeftAxis()->Automatic());
        EXPECT_EQ(s.UpdateCount(), 0);
    }
}

TEST_F(SeriesAnimationTest, FreeingTheSeriesOrTheChartMidRunIsSafe)
{
    {
        auto* series = &c.Add({3, 6, 9});
        auto* a = Add<TSeriesAnimation>();
        a->SetSeries(series);
        player->StartPlaying();
        Tick(16);
        Tick(300);
        series->Free();
        EXPECT_EQ(a->RunState(), arsIdle);  // left without its series it stops
        EXPECT_EQ(a->Series(), nullptr);
        player->StopPlaying();
    }
    {
        auto* chart = new TChart(nullptr);
        auto* s = new TBarSeries(chart);
        s->SetParentChart(chart);
        s->AppendMainValue(4);
        player->Animations().Clear();
        auto* a = new TSeriesAnimation(player.get());
        player->Animations().AddAnimation(a);
        a->SetChart(chart);
        player->StartPlaying();
        Tick(16);
        chart->Free();
        EXPECT_EQ(a->Chart(), nullptr);
        player->StopPlaying();  // nothing freed is touched
    }
}

TEST_F(SeriesAnimationTest, InvertedShrinksFromItsOwnValuesAndInactiveSeriesStayAlone)
{
    auto& s = c.Add({2, 4});
    auto& off = c.Add({7, 8});
    off.SetActive(false);
    auto& third = c.Add({10});
    auto* a = Add<TSeriesAnimation>();
    a->SetInverted(true);
    a->Prepare();
    EXPECT_EQ(c.Values(s), (std::vector<double>{2, 4}));  // not filled
    a->ApplyFraction(0.25f);
    EXPECT_EQ(c.Values(s), (std::vector<double>{0.5, 1}));
    EXPECT_EQ(c.Values(off), (std::vector<double>{7, 8}));
    EXPECT_EQ(c.Values(third), (std::vector<double>{2.5}));  // its own copy at its own position
    a->Finish();
    EXPECT_EQ(c.Values(s), (std::vector<double>{2, 4}));
}

TEST_F(SeriesAnimationTest, RandomPointsEndOnTheirOwnValues)
{
    auto& s = c.Add({1, 5, 9});
    auto* a = Add<TRandomPointsAnimation>();
    a->Prepare();
    a->ApplyFraction(0.0f);
    for (double v : c.Values(s)) {
        EXPECT_GE(v, 1 - 2 * 8);
        EXPECT_LE(v, 1 + 2 * 8);
    }
    a->ApplyFraction(1.0f);
    EXPECT_EQ(c.Values(s), (std::vector<double>{1, 5, 9}));
    a->Finish();
}

TEST_F(SeriesAnimationTest, LinesDrawAFractionAndGetTheirStyleBack)
{
    auto& l1 = c.Add<TLineSeries>({1, 2, 3, 4});
    auto& l2 = c.Add<TLineSeries>({4, 3, 2, 1});
    l2.SetDrawStyle(dsSegments);
    auto* a = Add<TLineAnimation>();
    a->SetDuration(3000);
    player->StartPlaying();
    Tick(16);
    Tick(1484);
    EXPECT_FLOAT_EQ(l1.DrawnFraction(), 0.5f);
    EXPECT_FLOAT_EQ(l2.DrawnFraction(), 0.5f);
    EXPECT_EQ(l2.DrawStyle(), dsAll);
    Run(1600);
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_FLOAT_EQ(l1.DrawnFraction(), 1.0f);
    EXPECT_EQ(l2.DrawStyle(), dsSegments);
}

TEST_F(SeriesAnimationTest, BarsSlideFromSideBySideToStacked)
{
    auto& b1 = c.Add({3, 4});
    auto& b2 = c.Add({2, 5});
    c.Frame();
    auto* a = Add<TSeriesTransitionAnimation>();
    a->CaptureStartBars();
    const TRect start = b2.ComputeBarRect(0);
    b1.SetMultiBar(mbStacked);
    b2.SetMultiBar(mbStacked);
    player->StartPlaying();  // Prepare captures the stacked places and starts from the old ones
    EXPECT_EQ(b2.ComputeBarRect(0), start);
    a->ApplyFraction(1.0f);
    const TRect end = b2.ComputeBarRect(0);
    ASSERT_NE(start, end);
    a->ApplyFraction(0.5f);
    const TRect mid = b2.ComputeBarRect(0);
    EXPECT_EQ(mid.Left, start.Left + static_cast<int>(Round((end.Left - start.Left) * 0.5)));
    EXPECT_EQ(mid.Bottom, start.Bottom + static_cast<int>(Round((end.Bottom - start.Bottom) * 0.5)));
    player->StopPlaying();
    EXPECT_FALSE(b2.BarRectHook);
}

TEST_F(SeriesAnimationTest, OneFullTurnAndTheViewComesBack)
{
    c.Add({1, 2});
    c.chart.View3DOptions()->SetRotation(20);
    c.chart.View3DOptions()->SetOrthogonal(true);
    for (bool seriesOnly : {false, true}) {
        SCOPED_TRACE(seriesOnly);
        player->Animations().Clear();
        auto* a = Add<TRotate3DAnimation>();
        if (seriesOnly) {
            a->SetChart(nullptr);
            a->SetSeries(c.chart.GetSeriesAt(0));
        }
        player->StartPlaying();
        Tick(16);
        Tick(484);
        EXPECT_TRUE(c.chart.View3D());
        EXPECT_FALSE(c.chart.View3DOptions()->Orthogonal());
        EXPECT_DOUBLE_EQ(c.chart.View3DOptions()->RotationFloat(), 200);
        Run(700);
        EXPECT_FALSE(c.chart.View3D());
        EXPECT_TRUE(c.chart.View3DOptions()->Orthogonal());
        EXPECT_DOUBLE_EQ(c.chart.View3DOptions()->RotationFloat(), 20);
    }
}

TEST_F(SeriesAnimationTest, APointerSwellsAndShrinksBack)
{
    auto& s = c.Add<TLineSeries>({1, 2, 3});
    s.Pointer()->SetHorizSize(4);
    s.Pointer()->SetVertSize(4);
    auto* a = new TCustomExpandAnimation(player.get());
    player->Animations().AddAnimation(a);
    a->ClickedPart = {cpSeriesPointer, 1, &s, nullptr};
    EXPECT_EQ(a->Duration(), 200);
    player->StartPlaying();
    Tick(16);
    Tick(84);  // the top of the two-way run
    TSeriesPointer* p = s.Pointer()->EnsureItem(1);
    EXPECT_EQ(p->HorizSize(), 14);
    EXPECT_EQ(p->VertSize(), 14);
    EXPECT_EQ(s.Pointer()->HorizSize(), 4);  // the shared pointer is untouched
    Tick(50);
    EXPECT_EQ(p->HorizSize(), 9);
    Run(100);
    EXPECT_EQ(p->HorizSize(), 4);
}

}  // namespace
