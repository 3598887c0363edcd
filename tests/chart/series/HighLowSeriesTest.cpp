// High-low series: the band split where the lines cross, the fill brushes, nulls breaking the
// lines and connectors, per-point colours, and the two searches of the interpolation.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/ChartAxis.h"
#include "chart/series/HighLowSeries.h"
#include "platform/rtl/Random.h"
#include "tests/chart/series/PointSeriesFixtures.h"

namespace {

class HighLowSuite : public BarSuite {};

THighLowSeries& AddBand(TBarChart& c, std::initializer_list<std::pair<double, double>> highLows)
{
    THighLowSeries& s = AddPointSeries<THighLowSeries>(c);
    double x = 0;
    for (const auto& [high, low] : highLows) s.AppendHighLow(x++, high, low);
    return s;
}

}  // namespace

TEST_F(HighLowSuite, CrossingLinesSplitTheBand)
{
    for (const bool inverted : {false, true}) {
        SCOPED_TRACE(inverted ? "inverted axis" : "axis");
        TBarChart c;
        THighLowSeries& s = AddBand(c, {{5, 4}, {5, 6}, {5, 4}});
        FixAxes(c, 10, 2);
        c.chart.BottomAxis()->SetInverted(inverted);
        c.Frame();
        const TZebHighLowPolygon& p = s.Polygons();
        ASSERT_EQ(p.Count(), 3);
        EXPECT_TRUE(p.Item(0).HighAbove);
        EXPECT_FALSE(p.Item(1).HighAbove);
        EXPECT_TRUE(p.Item(2).HighAbove);
        EXPECT_EQ(p.Item(2).Index, 2);
        // The first polygon starts at the axis minimum's side.
        EXPECT_EQ(p.Item(0).Points.front().X < p.Item(2).Points.front().X, !inverted);
    }
}

TEST_F(HighLowSuite, ClearBrushesShowNothingAndFilledShowsTheHighFill)
{
    for (const bool filled : {false, true}) {
        SCOPED_TRACE(filled ? "Filled" : "default");
        TBarChart c;
        THighLowSeries& s = AddBand(c, {{8, 2}, {8, 2}});
        if (filled) s.ApplyGalleryStyle(1);
        FixAxes(c, 10, 1);
        c.Frame();
        const int x = s.ValueScreenX(0.5);
        const TColor inside = PixelAt(*c.canvas, x, s.ValueScreenY(5));
        EXPECT_EQ(inside == PixelAt(*c.canvas, x, s.ValueScreenY(9)), !filled) << "against the back outside";
        if (filled) EXPECT_EQ(inside, s.SeriesColor()) << "an automatic brush takes the series' colour";
    }
}

TEST_F(HighLowSuite, NullInterruptsLinesAndItsConnector)
{
    for (const bool view3D : {false, true}) {
        SCOPED_TRACE(view3D ? "3-D: segment by segment" : "2-D: gathered");
        TBarChart c(view3D);
        THighLowSeries& s = AddBand(c, {{8, 2}, {7, 3}, {6, 4}, {8, 2}});
        s.SetPointColor(2, clNullPoint);
        FixAxes(c, 10, 3);
        c.Frame();
        s.BeforeDrawPoints();
        c.canvas->ClearLog();
        for (int i = 0; i < 4; ++i) s.DrawPoint(i);
        s.AfterDrawPoints();
        const std::vector<std::string> log = c.canvas->Log();
        int connectors = 0, lines = 0;
        for (size_t i = 0; i < log.size(); ++i) {
            int x0, y0, x1, y1;
            if (log[i].starts_with("Polyline(") || log[i].starts_with("LineAtZ(")) {
                if (log[i].starts_with("LineAtZ(") &&
                    std::sscanf(log[i].c_str(), "LineAtZ(%d,%d,%d,%d", &x0, &y0, &x1, &y1) == 4 && x0 == x1)
                    ++connectors;
                else
                    ++lines;
            } else if (i + 1 < log.size() && std::sscanf(log[i].c_str(), "MoveTo(%d,%d)", &x0, &y0) == 2 &&
                       std::sscanf(log[i + 1].c_str(), "LineTo(%d,%d)", &x1, &y1) == 2) {
                ++(x0 == x1 ? connectors : lines);
            }
        }
        EXPECT_EQ(lines, 2) << "high and low from point 0 to 1 only";
        EXPECT_EQ(connectors, 3) << "at points 0, 1 and 3";
    }
}

TEST_F(HighLowSuite, GatheredLinesCoverTheSamePixels)
{
    // Many points per pixel column: the polylines and merged connectors of a 2-D frame against
    // the segments drawn one by one, point by point.
    TBarChart c;
    THighLowSeries& s = AddPointSeries<THighLowSeries>(c);
    s.SetSeriesColor(clBlue);
    s.HighPen()->SetColor(clRed);
    s.LowPen()->SetColor(clGreen);
    for (int i = 0; i < 3000; ++i) {
        const double high = 6 + 3 * std::sin(i / 150.0) + (i % 7) * 0.05;
        s.AppendHighLow(i / 1000.0, high, high - 2 + 2.5 * std::cos(i / 200.0));
    }
    FixAxes(c, 10, 3);
    c.Frame();
    TRecordingCanvas& canvas = *c.canvas;
    const auto blank = [&] {
        canvas.Brush()->SetColor(clWhite);
        canvas.Pen()->SetStyle(psClear);
        canvas.Rectangle(0, 0, 401, 301);
        canvas.Pen()->SetStyle(psSolid);
    };
    const auto picture = [&] {
        std::vector<TColor> out;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x) out.push_back(PixelAt(canvas, x, y));
        return out;
    };
    blank();
    s.BeforeDrawPoints();
    for (int i = 0; i < s.Count(); ++i) s.DrawPoint(i);
    s.AfterDrawPoints();
    const std::vector<TColor> gathered = picture();

    blank();
    const auto at = [&](int i, bool high) {
        return TPoint{s.PointScreenX(i), high ? s.PointScreenY(i) : s.ValueScreenY(s.LowValues()->ValueAt(i))};
    };
    const auto segment = [&](TZebPen& pen, TPoint a, TPoint b, TColor color) {
        canvas.UsePen(pen);
        canvas.Pen()->SetColor(color);
        canvas.DrawLine(a.X, a.Y, b.X, b.Y);
    };
    for (int i = 1; i < s.Count(); ++i) {
        segment(*s.HighPen(), at(i - 1, true), at(i, true), clRed);
        segment(*s.LowPen(), at(i - 1, false), at(i, false), clGreen);
        segment(*s.Pen(), at(i - 1, true), at(i - 1, false), clBlue);
    }
    segment(*s.Pen(), at(s.Count() - 1, true), at(s.Count() - 1, false), clBlue);
    const std::vector<TColor> oneByOne = picture();
    int differing = 0;
    for (size_t i = 0; i < gathered.size(); ++i) differing += gathered[i] != oneByOne[i];
    EXPECT_EQ(differing, 0);
}

TEST_F(HighLowSuite, EachPointColourFillsTowardsTheNextPoint)
{
    TBarChart c;
    THighLowSeries& s = AddPointSeries<THighLowSeries>(c);
    s.AppendHighLow(0, 8, 2, String(), clRed);
    s.AppendHighLow(1, 8, 2, String(), clBlue);
    s.SetColorEachPoint(true);
    s.HighBrush()->SetStyle(bsSolid);
    FixAxes(c, 10, 1);
    c.Frame();
    EXPECT_EQ(PixelAt(*c.canvas, s.ValueScreenX(0.5), s.ValueScreenY(5)), clRed);
}

TEST_F(HighLowSuite, BisectionAgreesWithTheLinearSearch)
{
    RandSeed = 29;
    TBarChart c;
    THighLowSeries& s = AddPointSeries<THighLowSeries>(c);
    double x = 0;
    for (int i = 0; i < 200; ++i) {
        x += Random(3);  // repeated X values too
        s.AppendHighLow(x, Random(100), Random(100));
    }
    ASSERT_TRUE(s.XAscending());
    for (double v = -2; v <= x + 2; v += 0.37) {
        EXPECT_DOUBLE_EQ(s.InterpolateBy(true, v, true), s.InterpolateBy(true, v, false)) << v;
        EXPECT_DOUBLE_EQ(s.InterpolateBy(false, v, true), s.InterpolateBy(false, v, false)) << v;
    }
}

TEST_F(HighLowSuite, UnorderedXUsesTheLinearSearch)
{
    TBarChart c;
    THighLowSeries& s = AddPointSeries<THighLowSeries>(c);
    s.XValues()->SetOrder(loNone);
    for (const auto& [x, high] : {std::pair{0.0, 10.0}, {4.0, 20.0}, {2.0, 40.0}, {6.0, 0.0}})
        s.AppendHighLow(x, high, 0);
    ASSERT_FALSE(s.XAscending());
    // The first X above 3 is 4 at index 1: between (0, 10) and (4, 20).
    EXPECT_DOUBLE_EQ(s.InterpolateAt(true, 3), 17.5);
    EXPECT_DOUBLE_EQ(s.InterpolateAt(true, 3), s.InterpolateBy(true, 3, false));
}

TEST_F(HighLowSuite, ClickInsideTheBandBetweenTwoPoints)
{
    TBarChart c;
    THighLowSeries& s = AddBand(c, {{8, 2}, {8, 2}, {8, 2}});
    FixAxes(c, 10, 2);
    c.Frame();
    EXPECT_EQ(s.HitTest(s.ValueScreenX(1.5), s.ValueScreenY(5)), 2);
    EXPECT_EQ(s.HitTest(s.ValueScreenX(1.5), s.ValueScreenY(9)), -1);
}
