// Shape series on the recording canvas: the default shape, corners read and written, the shape
// rectangle in each corner style, text placement and the text colour against the fill.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/Legend.h"
#include "chart/core/SeriesTypes.h"
#include "chart/core/ZebConst.h"
#include "chart/series/PointSeriesUnits.h"
#include "chart/series/ShapeSeries.h"
#include "platform/rtl/StringList.h"
#include "tests/chart/series/PointSeriesFixtures.h"

namespace {

class ShapeSuite : public BarSuite {};

TRect ParseRect(const std::string& line, const char* format)
{
    TRect r{};
    std::sscanf(line.c_str(), format, &r.Left, &r.Top, &r.Right, &r.Bottom);
    return r;
}

}  // namespace

TEST_F(ShapeSuite, NewShapeIsAWhiteEllipseFromOriginTo100)
{
    TBarChart c;
    TChartShape& s = AddPointSeries<TChartShape>(c);
    ASSERT_EQ(s.Count(), 2);
    EXPECT_EQ(s.X0(), 0);
    EXPECT_EQ(s.Y0(), 0);
    EXPECT_EQ(s.X1(), 100);
    EXPECT_EQ(s.Y1(), 100);
    EXPECT_EQ(s.Style(), chasCircle);
    EXPECT_EQ(s.SeriesColor(), clWhite);
    FixAxes(c, 100, 100);
    c.Frame();
    const std::vector<std::string> ellipses = c.Shapes({"Ellipse"});
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_NE(ellipses[0].find("brush=FFFFFF"), std::string::npos) << ellipses[0];
    const TRect r = ParseRect(ellipses[0], "Ellipse(%d,%d,%d,%d)");
    EXPECT_EQ(r.Left, s.ValueScreenX(0));
    EXPECT_EQ(r.Right, s.ValueScreenX(100));
    EXPECT_EQ(r.Top, s.ValueScreenY(100));
    EXPECT_EQ(r.Bottom, s.ValueScreenY(0));
}

TEST_F(ShapeSuite, ReadingACornerAddsTheMissingPoints)
{
    TBarChart c;
    TChartShape& s = AddPointSeries<TChartShape>(c);
    s.RemoveAllPoints();
    EXPECT_EQ(s.X0(), 0);
    EXPECT_EQ(s.Count(), 1);
    EXPECT_EQ(s.X1(), 0);
    EXPECT_EQ(s.Count(), 2);
    s.RemoveAllPoints();
    s.SetX0(70);
    EXPECT_EQ(s.Y1(), 0);  // the empty second corner comes after the set first one
    EXPECT_EQ(s.X0(), 70);
}

TEST_F(ShapeSuite, NothingIsDrawnOutsideThePlotOrWithThreePoints)
{
    struct Case {
        const char* name;
        double x0, x1;
        bool third;
    };
    for (const Case& k : {Case{"outside", 300, 400, false}, Case{"three points", 10, 50, true}}) {
        SCOPED_TRACE(k.name);
        TBarChart c;
        TChartShape& s = AddPointSeries<TChartShape>(c);
        s.SetX0(k.x0);
        s.SetX1(k.x1);
        if (k.third) s.InsertXY(60, 60);
        FixAxes(c, 100, 100);
        c.Frame();
        EXPECT_TRUE(c.Shapes({"Ellipse"}).empty());
    }
}

TEST_F(ShapeSuite, LineKeepsItsDirectionWhileTheRectangleIsNormalised)
{
    const auto draw = [](TChartShapeStyle style, double x0, double x1, const char* name) {
        TBarChart c;
        TChartShape& s = AddPointSeries<TChartShape>(c);
        s.SetStyle(style);
        s.SetX0(x0);
        s.SetY0(20);
        s.SetX1(x1);
        s.SetY1(80);
        FixAxes(c, 100, 100);
        c.Frame();
        const std::vector<std::string> shapes = c.Shapes({name});
        return std::pair{shapes.empty() ? std::string() : shapes.back(),
                         TPoint{s.ValueScreenX(x0), s.ValueScreenY(20)}};
    };
    const auto [reversed, r0] = draw(chasRectangle, 50, 10, "Rectangle");
    const auto [forward, f0] = draw(chasRectangle, 10, 50, "Rectangle");
    EXPECT_EQ(reversed, forward);
    EXPECT_FALSE(forward.empty());

    TBarChart c;
    TChartShape& s = AddPointSeries<TChartShape>(c);
    s.SetStyle(chasLine);
    s.SetX0(50);
    s.SetY0(20);
    s.SetX1(10);
    s.SetY1(80);
    FixAxes(c, 100, 100);
    c.Frame();
    const std::vector<std::string> log = c.canvas->Log();
    const std::string from = "MoveTo(" + std::to_string(s.ValueScreenX(50)) + "," + std::to_string(s.ValueScreenY(20)) + ")";
    const std::string to = "LineTo(" + std::to_string(s.ValueScreenX(10)) + "," + std::to_string(s.ValueScreenY(80)) + ")";
    const auto at = std::find(log.begin(), log.end(), from);
    ASSERT_NE(at, log.end()) << from;
    ASSERT_NE(at + 1, log.end());
    EXPECT_EQ(*(at + 1), to);
}

TEST_F(ShapeSuite, AxisOriginWithPixelSize)
{
    TBarChart c;
    TChartShape& s = AddPointSeries<TChartShape>(c);
    s.SetXYStyle(xysAxisOrigin);
    s.SetStyle(chasRectangle);
    s.SetX0(30);
    s.SetY0(60);
    s.SetX1(40);
    s.SetY1(20);
    FixAxes(c, 100, 100);
    c.Frame();
    const TRect r = s.ComputeShapeRect();
    EXPECT_EQ(r.Left, s.ValueScreenX(30));
    EXPECT_EQ(r.Top, s.ValueScreenY(60));
    EXPECT_EQ(r.Right - r.Left, 40);
    EXPECT_EQ(r.Bottom - r.Top, 20);
    EXPECT_TRUE(s.DependsOnAxes());
    s.SetXYStyle(xysPixels);
    EXPECT_FALSE(s.DependsOnAxes());
    EXPECT_EQ(s.ComputeShapeRect().Left, 30);
}

TEST_F(ShapeSuite, ThreeLinesAtTheBottomEndAtTheRectangleBottom)
{
    TBarChart c;
    TChartShape& s = AddPointSeries<TChartShape>(c);
    s.SetStyle(chasRectangle);
    s.SetX0(10);
    s.SetY0(90);
    s.SetX1(90);
    s.SetY1(10);
    s.SetVertAlign(vaBottom);
    for (const char* line : {"one", "two", "three"}) s.Text()->Add(line);
    FixAxes(c, 100, 100);
    c.Frame();
    std::vector<int> tops;
    for (const std::string& line : c.Shapes({"TextOut"})) {
        int x, y;
        if (std::sscanf(line.c_str(), "TextOut(%d,%d", &x, &y) == 2 && line.find("one") + line.find("two") +
                                                                                 line.find("three") !=
                                                                             3 * std::string::npos)
            tops.push_back(y);
    }
    ASSERT_EQ(tops.size(), 3u);
    const int h = tops[1] - tops[0];
    EXPECT_GT(h, 0);
    EXPECT_EQ(tops[2] - tops[1], h);
    EXPECT_EQ(tops[2] + h, s.ValueScreenY(10));
}

TEST_F(ShapeSuite, TextInTheFillColourTurnsBlackOrWhite)
{
    struct Case {
        TColor fill, font, expected;
    };
    for (const Case& k : {Case{clRed, clRed, clBlack}, Case{clBlack, clBlack, clWhite}, Case{clRed, clBlue, clBlue}}) {
        SCOPED_TRACE(k.fill);
        TBarChart c;
        TChartShape& s = AddPointSeries<TChartShape>(c);
        s.SetSeriesColor(k.fill);
        s.Font()->SetColor(k.font);
        s.Text()->Add("abc");
        FixAxes(c, 100, 100);
        c.Frame();
        char font[32];
        std::snprintf(font, sizeof font, " font=%06X/", static_cast<unsigned>(k.expected));
        int found = 0;
        for (const std::string& line : c.Shapes({"TextOut"}))
            if (line.find("abc") != std::string::npos) {
                ++found;
                EXPECT_NE(line.find(font), std::string::npos) << line;
            }
        EXPECT_EQ(found, 1);
    }
}

TEST_F(ShapeSuite, GalleryAndRegistration)
{
    TBarChart c;
    TChartShape& s = AddPointSeries<TChartShape>(c);
    std::vector<String> styles;
    s.ListGalleryStyles([&](const String& name) { styles.push_back(name); });
    ASSERT_EQ(styles.size(), 15u);
    EXPECT_EQ(styles[14], "Hollow");
    s.ApplyGalleryStyle(5);
    EXPECT_EQ(s.Style(), chasInvertTriangle);
    s.ApplyGalleryStyle(14);
    EXPECT_TRUE(s.Transparent());
    s.ApplyGalleryStyle(14);
    EXPECT_FALSE(s.Transparent());
    EXPECT_EQ(EditorFormClassNameOf(TChartShape::StaticClass()), "TChartShapeEditor");
    StartShapeUnit();
    const TZebSeriesType* type = RegisteredSeriesTypes().FindSeriesType(TChartShape::StaticClass());
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->NumGallerySeries, 2);
    StopShapeUnit();
    EXPECT_EQ(RegisteredSeriesTypes().FindSeriesType(TChartShape::StaticClass()), nullptr);
}
