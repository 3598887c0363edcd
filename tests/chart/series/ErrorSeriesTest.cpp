// Error and error-bar series on the recording canvas: which points draw error lines, how wide the
// caps are, the lines' colours, spans on a logarithmic axis, the value range with the errors; and
// the registration of the error-bar and Bezier units.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "chart/canvas/ZebPen.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/SeriesTypes.h"
#include "chart/series/BezierSeries.h"
#include "chart/series/ErrorBarUnit.h"
#include "chart/series/HighLowSeries.h"
#include "chart/series/ErrorSeries.h"
#include "tests/chart/series/PointSeriesFixtures.h"

namespace {

class ErrorSuite : public BarSuite {};

struct Segment {
    int x0, y0, x1, y1;
};

// The segments drawn by MoveTo / LineTo pairs since the log was cleared.
std::vector<Segment> Segments(const TRecordingCanvas& canvas)
{
    std::vector<Segment> out;
    int x = 0, y = 0;
    for (const std::string& line : canvas.Log()) {
        int a, b;
        if (std::sscanf(line.c_str(), "MoveTo(%d,%d)", &a, &b) == 2) {
            x = a, y = b;
        } else if (std::sscanf(line.c_str(), "LineTo(%d,%d)", &a, &b) == 2) {
            out.push_back({x, y, a, b});
            x = a, y = b;
        }
    }
    return out;
}

// The calls of one point's drawing, after a frame has laid the bars out.
std::vector<std::string> DrawOne(TBarChart& c, TChartSeries& s, int index)
{
    c.canvas->ClearLog();
    s.DrawPoint(index);
    return c.canvas->Log();
}

template <class S>
S& AddErrors(TBarChart& c, std::initializer_list<std::pair<double, double>> points)
{
    S& s = AddPointSeries<S>(c);
    double x = 0;
    for (const auto& [y, e] : points) s.AppendXYError(x++, y, e);
    return s;
}

}  // namespace

TEST_F(ErrorSuite, ZeroErrorDrawsNoLineButTheBarStays)
{
    {
        TBarChart c;
        auto& s = AddErrors<TErrorSeries>(c, {{5, 0}, {5, 2}});
        FixAxes(c, 10, 1);
        c.Frame();
        DrawOne(c, s, 0);
        EXPECT_TRUE(Segments(*c.canvas).empty());
        DrawOne(c, s, 1);
        EXPECT_EQ(Segments(*c.canvas).size(), 4u);  // up, cap, down, cap
    }
    {
        TBarChart c;
        auto& s = AddErrors<TErrorBarSeries>(c, {{5, 0}});
        FixAxes(c, 10, 1);
        c.Frame();
        DrawOne(c, s, 0);
        EXPECT_TRUE(Segments(*c.canvas).empty());
        EXPECT_NE(c.Shapes({"Rectangle"}).size(), 0u) << "the bar";
    }
}

TEST_F(ErrorSuite, NegativeErrorIsStoredPositive)
{
    TBarChart c;
    auto& s = AddErrors<TErrorSeries>(c, {{5, -3}});
    EXPECT_DOUBLE_EQ(s.ErrorValues()->ValueAt(0), 3);
}

TEST_F(ErrorSuite, CapWidthFollowsWidthAndUnits)
{
    struct Case {
        const char* name;
        int width;
        TErrorWidthUnits units;
        int expected;  // -1: the bar's width, -2: half of it
    };
    for (const Case& k : {Case{"0: as wide as the bar", 0, ewuPercent, -1},
                          Case{"50 %: half the bar", 50, ewuPercent, -2}, Case{"7 pixels", 7, ewuPixels, 7}}) {
        SCOPED_TRACE(k.name);
        TBarChart c;
        auto& s = AddErrors<TErrorSeries>(c, {{5, 2}, {6, 2}});
        s.SetErrorStyle(essTop);
        s.SetErrorWidth(k.width);
        s.SetErrorWidthUnits(k.units);
        FixAxes(c, 10, 1);
        c.Frame();
        DrawOne(c, s, 0);
        const std::vector<Segment> segments = Segments(*c.canvas);
        ASSERT_EQ(segments.size(), 2u);
        const Segment& cap = segments[1];
        EXPECT_EQ(cap.y0, cap.y1);
        const int bar = s.BarBounds.Right - s.BarBounds.Left;
        const int expected = k.expected == -1 ? bar : k.expected == -2 ? RoundHalfEven(bar * 0.5) : k.expected;
        EXPECT_EQ(cap.x1 - cap.x0, expected / 2 * 2);
    }
}

TEST_F(ErrorSuite, LinesTakeThePointColourWithoutBarsAndTheErrorPenWithThem)
{
    for (const bool bars : {false, true}) {
        SCOPED_TRACE(bars ? "error bar" : "error");
        TBarChart c;
        TCustomErrorSeries* s = bars ? static_cast<TCustomErrorSeries*>(&AddPointSeries<TErrorBarSeries>(c))
                                     : &AddPointSeries<TErrorSeries>(c);
        s->SetErrorStyle(essBottom);
        s->ErrorPen()->SetColor(clBlue);
        s->ErrorPen()->SetWidth(3);
        s->AppendXYError(0, 8, 4, String(), clRed);
        FixAxes(c, 10, 1);
        c.Frame();
        DrawOne(c, *s, 0);
        const std::vector<Segment> segments = Segments(*c.canvas);
        ASSERT_FALSE(segments.empty());
        const Segment& down = segments[0];
        const TColor pixel = PixelAt(*c.canvas, down.x0, (down.y0 + down.y1) / 2);
        EXPECT_EQ(pixel, bars ? clBlue : clRed);
    }
}

TEST_F(ErrorSuite, UpwardLineOnALogarithmicAxisSpansTheLowerValue)
{
    TBarChart c;
    auto& s = AddErrors<TErrorBarSeries>(c, {{100, 90}});
    TChartAxis& left = *c.chart.LeftAxis();
    left.SetLogarithmic(true);
    left.SetAutomatic(false);
    left.SetMinimum(1);
    left.SetMaximum(1000);
    c.Frame();
    DrawOne(c, s, 0);
    const std::vector<Segment> segments = Segments(*c.canvas);
    ASSERT_EQ(segments.size(), 2u);
    const int y = left.VerticalValueToPixel(100), below = left.VerticalValueToPixel(10);
    EXPECT_EQ(segments[0].y0, y);
    EXPECT_EQ(segments[0].y1, y - (below - y));
}

TEST_F(ErrorSuite, ValueRangeTakesTheErrors)
{
    struct Case {
        const char* name;
        bool bars;
        TErrorSeriesStyle style;
        double low, high;
    };
    // Points (5, error 2) and (-4, error 1).
    for (const Case& k : {Case{"top and bottom", false, essTopBottom, -5, 7}, Case{"top", false, essTop, -4, 7},
                          Case{"bottom", false, essBottom, -5, 5},
                          Case{"bars: away from zero", true, essTop, -5, 7}}) {
        SCOPED_TRACE(k.name);
        TBarChart c;
        TCustomErrorSeries* s = k.bars ? static_cast<TCustomErrorSeries*>(&AddPointSeries<TErrorBarSeries>(c))
                                       : &AddPointSeries<TErrorSeries>(c);
        s->SetErrorStyle(k.style);
        s->AppendXYError(0, 5, 2);
        s->AppendXYError(1, -4, 1);
        EXPECT_DOUBLE_EQ(s->LowestY(), k.low);
        EXPECT_DOUBLE_EQ(s->HighestY(), k.high);
    }
}

TEST_F(ErrorSuite, ClicksOnTheCapAndTheLine)
{
    TBarChart c;
    auto& s = AddErrors<TErrorSeries>(c, {{5, 2}});
    s.SetErrorStyle(essTop);
    FixAxes(c, 10, 1);
    c.Frame();
    const int f = s.CapWidth(s.BarSize) / 2;
    const int x = s.PointScreenX(0) + f, top = s.ValueScreenY(7), mid = s.ValueScreenY(6);
    EXPECT_EQ(s.HitTest(x, top), 0);
    EXPECT_EQ(s.HitTest(x, mid), 0);
    EXPECT_EQ(s.HitTest(x + f + 10, mid), -1);
}

TEST_F(ErrorSuite, UnitsRegisterOnTheirPagesAndUnregisterOnTheLastStop)
{
    StartErrorBarUnit();
    StartErrorBarUnit();
    StartBezierUnit();
    std::vector<std::string> stats;
    for (const auto& type : RegisteredSeriesTypes())
        if (type->GalleryPageText() == "Stats") stats.push_back(type->SeriesClass->ClassName());
    EXPECT_EQ(stats, (std::vector<std::string>{"TErrorBarSeries", "TErrorSeries", "THighLowSeries"}));
    const TZebSeriesType* bezier = RegisteredSeriesTypes().FindSeriesType(TBezierSeries::StaticClass());
    ASSERT_NE(bezier, nullptr);
    EXPECT_EQ(bezier->GalleryPageText(), "Extended");
    EXPECT_EQ(bezier->NumGallerySeries, 1);
    StopErrorBarUnit();
    EXPECT_NE(RegisteredSeriesTypes().FindSeriesType(THighLowSeries::StaticClass()), nullptr) << "started twice";
    StopErrorBarUnit();
    StopBezierUnit();
    EXPECT_EQ(RegisteredSeriesTypes().FindSeriesType(THighLowSeries::StaticClass()), nullptr);
    EXPECT_EQ(RegisteredSeriesTypes().FindSeriesType(TBezierSeries::StaticClass()), nullptr);
}
