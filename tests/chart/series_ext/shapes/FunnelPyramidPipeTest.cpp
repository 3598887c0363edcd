// Funnel segments and colour classes, pyramid slices and volume pipe sections.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "chart/core/ChartAxis.h"
#include "chart/core/SeriesMarks.h"
#include "chart/series_ext/shapes/FunnelSeries.h"
#include "chart/series_ext/shapes/PyramidSeries.h"
#include "chart/series_ext/shapes/VolumePipeSeries.h"
#include "tests/chart/series_ext/shapes/ShapesFixtures.h"

namespace {

class Funnel : public ShapesSuite {};
class Pyramid : public ShapesSuite {};
class VolumePipe : public ShapesSuite {};

double PolygonArea(std::span<const TPoint> points)
{
    double twice = 0;
    for (size_t i = 0; i < points.size(); ++i) {
        const TPoint& a = points[i];
        const TPoint& b = points[(i + 1) % points.size()];
        twice += static_cast<double>(a.X) * b.Y - static_cast<double>(b.X) * a.Y;
    }
    return std::abs(twice) / 2;
}

TEST_F(Funnel, EmptySeriesHasNoStepAndDrawsOnlyTheOutline)
{
    TShapesChart c;
    auto& s = c.Add<TFunnelSeries>();
    c.Frame();
    EXPECT_EQ(s.Step(), 0);
    EXPECT_EQ(s.GetPointCount(), 3);  // the legend's three classes, whatever the points
}

TEST_F(Funnel, SegmentsAreSortedByQuoteUnlessQuotesSorted)
{
    for (const bool keep : {false, true}) {
        TShapesChart c;
        auto& s = c.Add<TFunnelSeries>();
        s.SetQuotesSorted(keep);
        s.AddSegment("a", clAutomatic, 10, 5);
        s.AddSegment("b", clAutomatic, 30, 5);
        s.AddSegment("c", clAutomatic, 20, 5);
        const std::vector<String> want = keep ? std::vector<String>{"a", "b", "c"} : std::vector<String>{"b", "c", "a"};
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(s.GetPointLabel(i), want[static_cast<size_t>(i)]) << keep;
            if (!keep) EXPECT_EQ(s.XValues()->ValueAt(i), i);
        }
    }
}

TEST_F(Funnel, ColourClassesFollowDifferenceLimit)
{
    struct Case {
        double opportunity;
        TColor want;
    };
    const Case cases[] = {{75, clYellow}, {70, clYellow}, {50, clRed}, {100, static_cast<TColor>(32768)},
                          {150, static_cast<TColor>(32768)}, {0, clRed}};
    for (const Case& k : cases) {
        TShapesChart c;
        auto& s = c.Add<TFunnelSeries>();
        s.AddSegment("a", clAutomatic, 100, k.opportunity);
        s.AddSegment("b", clAutomatic, 50, 50);
        c.Frame();
        EXPECT_EQ(s.SegmentPolygon(0), k.want) << k.opportunity;
    }
}

TEST_F(Funnel, QuoteZeroHasAnEmptyMarkAndAnEmptyFill)
{
    TShapesChart c;
    auto& s = c.Add<TFunnelSeries>();
    s.AddSegment("a", clAutomatic, 100, 50);
    s.AddSegment("z", clAutomatic, 0, 10);
    c.Frame();
    EXPECT_EQ(s.ComposeMarkText(0), "50.00 %");
    EXPECT_EQ(s.ComposeMarkText(1), "");
    EXPECT_EQ(s.SegmentPolygon(1), clRed);
    EXPECT_EQ(PolygonArea(s.FilledPolygon()), 0);
}

TEST_F(Funnel, EqualQuotesFillARectangleToItsRatio)
{
    TShapesChart c;
    auto& s = c.Add<TFunnelSeries>();
    s.AddSegment("a", clAutomatic, 100, 50);
    s.AddSegment("b", clAutomatic, 100, 100);
    c.Frame();
    ASSERT_EQ(s.Step(), 0);
    s.SegmentPolygon(0);
    const std::vector<TPoint> half = s.FilledPolygon();
    s.SegmentPolygon(1);
    const std::vector<TPoint> whole = s.FilledPolygon();
    ASSERT_EQ(half.size(), 4u);
    EXPECT_EQ(half[0].Y, half[1].Y);
    EXPECT_NEAR(PolygonArea(half) * 2, PolygonArea(whole), PolygonArea(whole) * 0.03);
}

TEST_F(Funnel, PartialFillCasesFollowTheLevel)
{
    // Quotes 100 and 20 over two segments: step 20. Segment 0 spans 0..100 at its left edge.
    struct Case {
        double opportunity;
        size_t corners;
    };
    for (const Case& k : {Case{100, 4}, Case{90, 5}, Case{10, 3}, Case{40, 4}}) {
        TShapesChart c;
        auto& s = c.Add<TFunnelSeries>();
        s.AddSegment("a", clAutomatic, 100, k.opportunity);
        s.AddSegment("b", clAutomatic, 20, 20);
        c.Frame();
        ASSERT_EQ(s.Step(), 20);
        s.SegmentPolygon(0);
        EXPECT_EQ(s.FilledPolygon().size(), k.corners) << k.opportunity;
    }
}

TEST_F(Funnel, LegendListsTheThreeClasses)
{
    TShapesChart c;
    auto& s = c.Add<TFunnelSeries>();
    s.FillWithSamples(5);
    EXPECT_EQ(s.FormatLegendText(0, ltsPlain), "Exceeds quota");
    EXPECT_EQ(s.FormatLegendText(1, ltsPlain), "30.00 % within quota");
    EXPECT_EQ(s.FormatLegendText(2, ltsPlain), "30.00 % or more below quota");
    EXPECT_EQ(s.GetLegendColor(1), clYellow);
}

TEST_F(Funnel, VerticalAxisHiddenWhileActiveAndRestored)
{
    TShapesChart c;
    auto& s = c.Add<TFunnelSeries>();
    s.FillWithSamples(3);
    c.Frame();
    EXPECT_FALSE(s.GetVertAxis()->Visible());
    s.SetActive(false);
    EXPECT_TRUE(s.GetVertAxis()->Visible());
}

TEST_F(Pyramid, TopSliceEndsInAnApexAndSlicesStack)
{
    TShapesChart c(true);
    auto& s = c.Add<TPyramidSeries>();
    for (const double v : {40.0, 30.0, 30.0}) s.AppendMainValue(v);
    c.Frame();
    EXPECT_EQ(s.SumThrough(-1), 0);
    EXPECT_EQ(s.SumThrough(1), 70);
    const TPyramidSeries::TSlice top = s.SliceGeometry(2), bottom = s.SliceGeometry(0);
    EXPECT_FLOAT_EQ(top.topHalfWidth, 0);
    EXPECT_FLOAT_EQ(top.topHalfDepth, 0);
    EXPECT_FLOAT_EQ(bottom.zInset, 0);
    EXPECT_FLOAT_EQ(bottom.rect.Bottom, static_cast<float>(s.ValueScreenY(0)));
    EXPECT_FLOAT_EQ(bottom.rect.Top, static_cast<float>(s.ValueScreenY(40)));
    EXPECT_GT(bottom.rect.Right - bottom.rect.Left, top.rect.Right - top.rect.Left);
    // Inside the bounding rectangle of the bottom slice, beside the sloping edge.
    EXPECT_EQ(s.HitTest(static_cast<int>(bottom.rect.Left) + 1, static_cast<int>(bottom.rect.Top) + 1), 0);
}

TEST_F(Pyramid, NullPointLeavesAGapAndTheSumsStillCountIt)
{
    TShapesChart c;
    auto& s = c.Add<TPyramidSeries>();
    s.AppendMainValue(50);
    s.AppendMainValue(25, "", clNullPoint);
    s.AppendMainValue(25);
    c.Frame();
    const TPyramidSeries::TSlice above = s.SliceGeometry(2);
    EXPECT_FLOAT_EQ(above.rect.Bottom, static_cast<float>(s.ValueScreenY(75)));
    const int x = s.PointScreenX(1), y = (s.ValueScreenY(50) + s.ValueScreenY(75)) / 2;
    EXPECT_EQ(s.HitTest(x, y), -1);
}

TEST_F(Pyramid, EachSeriesStandsAtItsIndexAndInvertedAxisTurnsTheOrder)
{
    TShapesChart c;
    auto& a = c.Add<TPyramidSeries>();
    auto& b = c.Add<TPyramidSeries>();
    EXPECT_EQ(a.LowestX(), -0.5);
    EXPECT_EQ(b.LowestX(), 0.5);
    EXPECT_EQ(b.HighestX(), 1.5);
    EXPECT_TRUE(a.InvertsLegend());
    EXPECT_TRUE(a.IsPointOrderForward());
    a.GetVertAxis()->SetInverted(true);
    EXPECT_FALSE(a.InvertsLegend());
    EXPECT_FALSE(a.IsPointOrderForward());
    EXPECT_TRUE(a.IsSeriesOrderForward());
}

// The sections of values from the drawn frame.
struct PipeFrame {
    std::vector<double> shares;  // of the outline's area
    std::vector<int> widths;
};

PipeFrame DrawPipe(const std::vector<double>& values, int conePercent)
{
    TShapesChart c;
    auto& s = c.Add<TVolumePipeSeries>();
    s.SetConePercent(conePercent);
    for (const double v : values) s.AppendMainValue(v);
    c.Frame();
    PipeFrame f;
    const double outline = PolygonArea(s.Outline());
    for (size_t i = 0; i < s.Sections().size(); ++i) {
        f.shares.push_back(PolygonArea(s.Sections()[i]) / outline);
        f.widths.push_back(s.Sections()[i][0].X - s.Sections()[i][2].X);
    }
    return f;
}

TEST_F(VolumePipe, SectionAreasFollowTheShares)
{
    const PipeFrame f = DrawPipe({1, 1, 2}, 30);
    ASSERT_EQ(f.shares.size(), 3u);
    EXPECT_NEAR(f.shares[0], 0.25, 0.01);
    EXPECT_NEAR(f.shares[1], 0.25, 0.01);
    EXPECT_NEAR(f.shares[2], 0.50, 0.01);
    EXPECT_GT(f.widths[1], f.widths[0]);  // the pipe narrows
}

TEST_F(VolumePipe, WithoutNarrowingEqualValuesGetEqualWidths)
{
    for (const int cone : {0, 1}) {
        const PipeFrame f = DrawPipe({1, 1, 1}, cone);
        ASSERT_EQ(f.widths.size(), 3u);
        EXPECT_NEAR(f.widths[0], f.widths[1], 1) << cone;
        EXPECT_NEAR(f.widths[1], f.widths[2], 1) << cone;
        EXPECT_GT(f.widths[0], 0) << cone;
    }
}

TEST_F(VolumePipe, AllZerosTakeNoWidth)
{
    const PipeFrame f = DrawPipe({0, 0}, 30);
    for (const int w : f.widths) EXPECT_EQ(w, 0);
}

TEST_F(VolumePipe, ConePercentIsClampedBySetterAndDrawingWritesNothing)
{
    TShapesChart c;
    auto& s = c.Add<TVolumePipeSeries>();
    s.SetConePercent(150);
    EXPECT_EQ(s.ConePercent(), 100);
    s.SetConePercent(-5);
    EXPECT_EQ(s.ConePercent(), 0);
    s.SetConePercent(100);
    s.AppendMainValue(1);
    c.Frame();
    EXPECT_EQ(s.ConePercent(), 100);
    EXPECT_EQ(s.Outline()[1].Y, s.Outline()[2].Y);  // the right end closes to a point
}

TEST_F(VolumePipe, NullPointHasNoSectionAndIsNeverHit)
{
    TShapesChart c;
    auto& s = c.Add<TVolumePipeSeries>();
    s.AppendMainValue(1);
    s.AppendMainValue(1, "", clNullPoint);
    s.AppendMainValue(1);
    c.Frame();
    ASSERT_EQ(s.HasSection().size(), 3u);
    EXPECT_FALSE(s.HasSection()[1]);
    const auto& q = s.Sections()[2];
    EXPECT_EQ(s.HitTest((q[0].X + q[2].X) / 2, (q[1].Y + q[0].Y) / 2), 2);
}

}  // namespace
