// Bubble series on the recording canvas: pointer sizing from the radius, the axis ranges that make
// room for the bubbles, the legend circle and clicks inside the circle.
#include <gtest/gtest.h>

#include "chart/core/ChartAxis.h"
#include "chart/core/Legend.h"
#include "chart/core/SeriesTypes.h"
#include "chart/core/ZebConst.h"
#include "chart/series/BubbleSeries.h"
#include "chart/series/PointSeriesUnits.h"
#include "platform/rtl/Random.h"
#include "tests/chart/series/PointSeriesFixtures.h"

namespace {

class BubbleSuite : public BarSuite {};

}  // namespace

TEST_F(BubbleSuite, PointerTakesTheRadiusInPixels)
{
    struct Case {
        const char* name;
        bool squared;
        double radius;
    };
    for (const Case& k : {Case{"radius 0", true, 0}, Case{"squared", true, 10}, Case{"stretched", false, 10},
                          Case{"stretched radius 0", false, 0}}) {
        SCOPED_TRACE(k.name);
        TBarChart c;
        TBubbleSeries& s = AddPointSeries<TBubbleSeries>(c);
        s.AddBubble(5, 50, k.radius);
        FixAxes(c, 100, 10);
        s.SetSquared(k.squared);
        c.Frame();
        s.PreparePointer(0);
        const int vert = c.chart.LeftAxis()->PixelSpan(k.radius);
        const int horiz = c.chart.BottomAxis()->PixelSpan(k.radius);
        EXPECT_EQ(s.Pointer()->VertSize(), vert);
        EXPECT_EQ(s.Pointer()->HorizSize(), k.squared ? vert : horiz);
        EXPECT_FLOAT_EQ(s.Pointer()->FractionalSize(), k.squared ? static_cast<float>(vert) : 0.0f);
        if (k.radius > 0) EXPECT_NE(vert, horiz);  // the two scales differ, so the test tells them apart
    }
}

TEST_F(BubbleSuite, TurningSquaredOffStretchesAfterADrawing)
{
    TBarChart c;
    TBubbleSeries& s = AddPointSeries<TBubbleSeries>(c);
    s.AddBubble(5, 50, 10);
    FixAxes(c, 100, 10);
    const auto drawnSize = [&c] {
        const std::vector<std::string> ellipses = c.Shapes({"Ellipse"});
        int l = 0, t = 0, r = 0, b = 0;
        if (ellipses.size() == 1) std::sscanf(ellipses[0].c_str(), "Ellipse(%d,%d,%d,%d)", &l, &t, &r, &b);
        return std::pair{r - l, b - t};
    };
    c.Frame();
    const int vert = c.chart.LeftAxis()->PixelSpan(10), horiz = c.chart.BottomAxis()->PixelSpan(10);
    const auto [w0, h0] = drawnSize();
    EXPECT_NEAR(w0, 2 * vert, 2);
    EXPECT_NEAR(h0, 2 * vert, 2);
    s.SetSquared(false);
    c.Frame();
    const auto [w1, h1] = drawnSize();
    EXPECT_NEAR(w1, 2 * horiz, 2);
    EXPECT_NEAR(h1, 2 * vert, 2);
}

TEST_F(BubbleSuite, VerticalRangeReachesTheBubbleEdges)
{
    TBarChart c;
    TBubbleSeries& s = AddPointSeries<TBubbleSeries>(c);
    s.AddBubble(0, 10, 5);
    s.AddBubble(1, 20, 2);
    EXPECT_DOUBLE_EQ(s.LowestY(), 5);
    EXPECT_DOUBLE_EQ(s.HighestY(), 22);
}

TEST_F(BubbleSuite, LegendSymbolIsACircleOnTheSmallerSide)
{
    TBarChart c;
    TBubbleSeries& s = AddPointSeries<TBubbleSeries>(c);
    s.AddBubble(0, 10, 5);
    c.Frame();
    c.canvas->ClearLog();
    s.FillLegendSymbol(-1, {10, 10, 40, 24});
    const std::vector<std::string> ellipses = c.Shapes({"Ellipse"});
    ASSERT_EQ(ellipses.size(), 1u);
    int l, t, r, b;
    ASSERT_EQ(std::sscanf(ellipses[0].c_str(), "Ellipse(%d,%d,%d,%d)", &l, &t, &r, &b), 4) << ellipses[0];
    EXPECT_EQ(r - l, b - t);  // round
    EXPECT_LE(b - t, 15);
    EXPECT_GE(b - t, 13);
}

TEST_F(BubbleSuite, ClickCountsInsideTheCircleOnly)
{
    TBarChart c;
    TBubbleSeries& s = AddPointSeries<TBubbleSeries>(c);
    s.AddBubble(5, 50, 20);
    FixAxes(c, 100, 10);
    c.Frame();
    const int x = s.PointScreenX(0), y = s.PointScreenY(0);
    const int r = c.chart.LeftAxis()->PixelSpan(20);
    ASSERT_GT(r, 20);
    EXPECT_EQ(s.HitTest(x + r / 2, y - r / 2), 0);
    EXPECT_EQ(s.HitTest(x + r - 2, y), 0);
    // Inside the bounding square, outside the circle.
    EXPECT_EQ(s.HitTest(x + r - 3, y - r + 3), -1);
    // The pointer keeps the size the drawing left.
    EXPECT_EQ(s.Pointer()->VertSize(), r);
}

TEST_F(BubbleSuite, DefaultsAndRegistration)
{
    TBarChart c;
    TBubbleSeries& s = AddPointSeries<TBubbleSeries>(c);
    EXPECT_TRUE(s.Squared());
    EXPECT_TRUE(s.ColorEachPoint());
    EXPECT_EQ(s.Pointer()->Style(), psCircle);
    EXPECT_FALSE(s.Pointer()->MayChangeSize());
    EXPECT_EQ(s.RadiusValues()->Name(), "Radius");
    EXPECT_EQ(s.DefaultSampleCount(), 8);
    EXPECT_EQ(EditorFormClassNameOf(TBubbleSeries::StaticClass()), "TBubbleSeriesEditor");

    StartBubbleUnit();
    StartBubbleUnit();  // counted: one registration
    int found = 0;
    for (const auto& t : RegisteredSeriesTypes())
        if (t->SeriesClass == &TBubbleSeries::StaticClass()) {
            ++found;
            EXPECT_EQ(t->NumGallerySeries, 1);
            EXPECT_EQ(t->GalleryPageText(), TxtStandard);
        }
    EXPECT_EQ(found, 1);
    StopBubbleUnit();
    StopBubbleUnit();
    for (const auto& t : RegisteredSeriesTypes()) EXPECT_NE(t->SeriesClass, &TBubbleSeries::StaticClass());
}

TEST_F(BubbleSuite, SampleDataIsReproducible)
{
    const auto sample = [] {
        TBarChart c;
        TBubbleSeries& s = AddPointSeries<TBubbleSeries>(c);
        RandSeed = 77;
        s.FillWithSamples();
        std::vector<double> values;
        for (int i = 0; i < s.Count(); ++i)
            values.insert(values.end(), {s.XValues()->ValueAt(i), s.YValues()->ValueAt(i), s.RadiusValues()->ValueAt(i)});
        return values;
    };
    const std::vector<double> first = sample();
    EXPECT_EQ(first.size(), 3u * 8);
    EXPECT_EQ(first, sample());
}
