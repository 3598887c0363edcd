// The polar base, polar, radar and polar bar series: settings without a chart, angles and the
// clockwise switch, value-to-screen mapping, the shared frame and the mouse zoom.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "chart/core/AxisPens.h"
#include "chart/core/ChartAxes.h"
#include "chart/core/ChartInput.h"
#include "chart/core/PanelZoom.h"
#include "chart/io/ChartFile.h"
#include "chart/series_ext/polar/PolarSeries.h"
#include "platform/rtl/Streams.h"
#include "tests/chart/series_ext/polar/PolarFixtures.h"

namespace {

class PolarSeriesTest : public PolarSuite {};

std::vector<double> Angles(const TPolarSeries& s)
{
    std::vector<double> out;
    for (int i = 0; i < s.Count(); ++i) out.push_back(s.AngleValues()->ValueAt(i));
    return out;
}

TEST_F(PolarSeriesTest, IncrementsWithoutChartOrWithZeroAxisIncrement)
{
    TOwnedPtr<TPolarSeries> alone(new TPolarSeries(nullptr));
    EXPECT_EQ(alone->AngleIncrement(), 10);
    EXPECT_EQ(alone->RadiusIncrement(), 0);
    TPolarChart c;
    auto& s = c.Add<TPolarSeries>();
    c.chart.BottomAxis()->SetIncrement(0);
    EXPECT_EQ(s.AngleIncrement(), 10);
    s.SetAngleIncrement(30);
    EXPECT_EQ(c.chart.BottomAxis()->Increment(), 30);
}

TEST_F(PolarSeriesTest, AngleLabelTexts)
{
    TPolarChart c;
    auto& s = c.Add<TPolarSeries>();
    struct Case {
        bool clockWise;
        double angle;
        const char* text;
    };
    for (const Case& k : {Case{false, 360, "0°"}, Case{false, 22.5, "22.5°"}, Case{true, 90, "270°"},
                          Case{true, 0, "0°"}}) {
        s.SetClockWiseLabels(k.clockWise);
        EXPECT_EQ(s.GetAngleLabel(0, k.angle), k.text) << k.angle;
    }
}

TEST_F(PolarSeriesTest, ClockWiseRewritesAnglesOnlyOutsideLoading)
{
    TPolarChart c;
    auto& s = c.Add<TPolarSeries>();
    s.SetClockWiseLabels(true);
    s.AddPolar(30, 5);
    s.AddPolar(100, 6);
    EXPECT_EQ(Angles(s), (std::vector<double>{330, 260}));
    s.SetClockWiseLabels(false);
    EXPECT_EQ(Angles(s), (std::vector<double>{30, 100}));
    s.SetClockWiseLabels(true);
    EXPECT_EQ(Angles(s), (std::vector<double>{330, 260}));

    // A chart file read twice gives the angles it holds, whatever the order of its properties.
    StartChartFileUnit();
    TMemoryStream stream;
    WriteChartStream(&c.chart, stream, true, true);
    for (int pass = 0; pass < 2; ++pass) {
        stream.SetPosition(0);
        TOwnedPtr<TChart> back(new TChart(nullptr));
        ReadChartStream(back.get(), stream, true);
        ASSERT_EQ(back->SeriesList().Count(), 1);
        auto& read = static_cast<TPolarSeries&>(*back->SeriesList().GetSeriesAt(0));
        EXPECT_TRUE(read.ClockWiseLabels());
        EXPECT_EQ(Angles(read), (std::vector<double>{330, 260}));
    }
    StopChartFileUnit();
}

TEST_F(PolarSeriesTest, ValuesBelowTheMinimumOrOnAnEmptyRangeSitAtTheCentre)
{
    TPolarChart c;
    auto& s = c.Add<TPolarSeries>();
    s.CenterX = 200, s.CenterY = 150;
    TChartAxis& axis = *c.chart.LeftAxis();
    axis.ApplyRange(10, 20);
    EXPECT_EQ(s.CalcXYPos(100, axis, 5, 45), (TPoint{200, 150}));
    EXPECT_EQ(s.CalcXYPos(100, axis, 20, 0), (TPoint{300, 150}));
    EXPECT_EQ(s.CalcXYPos(100, axis, 15, 90), (TPoint{200, 100}));
    axis.SetInverted(true);
    EXPECT_EQ(s.CalcXYPos(100, axis, 10, 0), (TPoint{300, 150}));
    axis.SetInverted(false);
    axis.ApplyRange(10, 10);
    EXPECT_EQ(s.CalcXYPos(100, axis, 10, 0), (TPoint{200, 150}));
}

TEST_F(PolarSeriesTest, AntiOverlapDrawsEverySecondLabelOnSmallCircles)
{
    TPolarChart c;
    auto& s = c.Add<TPolarSeries>();
    struct Case {
        int height;
        bool antiOverlap;
        int stride;
    };
    for (const Case& k : {Case{100, true, 2}, Case{300, true, 1}, Case{100, false, 1}}) {
        s.CircleSizeY = k.height;
        s.AngleLabels()->SetAntiOverlap(k.antiOverlap);
        EXPECT_EQ(s.AngleLabelStride(10, 13), k.stride) << k.height;
    }
}

TEST_F(PolarSeriesTest, TwoSeriesOfAClassDrawOneFrame)
{
    TPolarChart c;
    auto& a = c.Add<TPolarSeries>();
    auto& b = c.Add<TPolarSeries>();
    for (int i = 0; i < 4; ++i) a.AddPolar(i * 90, 2 + i), b.AddPolar(i * 90, 3 + i);
    c.Frame();
    EXPECT_TRUE(a.IsFirstOfClass());
    EXPECT_FALSE(b.IsFirstOfClass());
    // One outer circle; the radius rings are drawn with a clear brush.
    int outer = 0;
    for (const std::string& line : c.Calls("EllipseAtZ("))
        if (line.find(std::to_string(a.CenterX - a.CircleSizeX / 2) + ",") != std::string::npos) ++outer;
    EXPECT_EQ(outer, 1);
    b.SetActive(false);
    a.SetActive(false);
    b.SetActive(true);
    EXPECT_TRUE(b.IsFirstOfClass());
}

TEST_F(PolarSeriesTest, RadarSidesFollowTheLongestSeries)
{
    TPolarChart c;
    auto& a = c.Add<TRadarSeries>();
    auto& b = c.Add<TRadarSeries>();
    for (const double v : {1.0, 2.0, 3.0}) a.AppendMainValue(v);
    for (const double v : {1.0, 2.0, 3.0, 4.0, 5.0}) b.AppendMainValue(v, v == 1 ? "first" : "");
    c.Frame();
    EXPECT_EQ(a.SideCount, 5);
    EXPECT_EQ(a.AngleIncrement(), 72);
    EXPECT_EQ(a.RotationAngle(), 90);
    EXPECT_EQ((std::vector<double>{a.GetPointX(0), a.GetPointX(1), a.GetPointX(2)}),
              (std::vector<double>{0, 72, 144}));
    EXPECT_EQ(b.GetAngleLabel(0, 0), "first");
    EXPECT_EQ(b.GetAngleLabel(1, 72), "1");
    TOwnedPtr<TRadarSeries> empty(new TRadarSeries(nullptr));
    EXPECT_EQ(empty->GetPointX(0), 0);
}

TEST_F(PolarSeriesTest, NullPolarBarDrawsNoSpoke)
{
    // Spokes start at the centre; the null point's spoke is the only difference.
    std::vector<long> fromCentre;
    for (const TTreatNullsStyle nulls : {tnDontPaint, tnIgnore}) {
        TPolarChart c;
        auto& s = c.Add<TPolarBarSeries>();
        s.SetTreatNulls(nulls);
        for (int i = 0; i < 4; ++i) s.AddPolar(i * 90, 5 + i);
        s.SetPointNull(1, true);
        c.Frame();
        const std::string centre = "MoveTo(" + std::to_string(s.CenterX) + "," + std::to_string(s.CenterY) + ")";
        fromCentre.push_back(std::count(c.canvas->Log().begin(), c.canvas->Log().end(), centre));
    }
    EXPECT_EQ(fromCentre[1] - fromCentre[0], 1);
}

TEST_F(PolarSeriesTest, MouseZoomConvertsThroughTheSeries)
{
    TPolarChart c;
    auto& s = c.Add<TPolarSeries>();
    for (int i = 0; i < 8; ++i) s.AddPolar(i * 45, 10 + i);
    c.Frame();
    TZebZoom& zoom = *c.chart.Zoom();
    zoom.SetX0(s.CenterX - 60), zoom.SetY0(s.CenterY - 50), zoom.SetX1(s.CenterX + 40), zoom.SetY1(s.CenterY + 30);
    c.chart.ZoomToRectangle();
    for (TChartAxis* axis : {c.chart.LeftAxis(), c.chart.RightAxis(), c.chart.TopAxis(), c.chart.BottomAxis()}) {
        EXPECT_GE(axis->Minimum(), 0);
        EXPECT_GE(axis->Maximum(), axis->Minimum());
    }
    EXPECT_EQ(c.chart.LeftAxis()->Minimum(), c.chart.RightAxis()->Minimum());
    EXPECT_EQ(c.chart.TopAxis()->Maximum(), c.chart.BottomAxis()->Maximum());
}

TEST_F(PolarSeriesTest, TemporaryRangeLeavesTheAxisAsItWas)
{
    TPolarChart c;
    auto& s = c.Add<TPolarSeries>();
    for (int i = 0; i < 4; ++i) s.AddPolar(i * 90, 2 + i);
    c.Frame();
    TChartAxis& axis = *c.chart.RightAxis();
    axis.ApplyRange(3, 7);
    axis.SetIncrement(2);
    const int start = axis.StartPixel(), end = axis.EndPixel(), line = axis.AxisLinePosition();
    const bool grid = axis.Grid()->Visible();
    TChartAxis::TTemporaryRange range{0.5, 0, 10, 20, 120, 50, !grid};
    c.canvas->ClearLog();
    axis.PaintWithTemporaryRange(range);
    EXPECT_FALSE(c.Calls("TextOut(").empty());
    for (const bool throwing : {false, true}) {
        if (throwing)
            axis.SetOnDrawLabel([](TChartAxis*, int, int, int, String&, bool&) { throw std::runtime_error("label"); });
        if (throwing)
            EXPECT_THROW(axis.PaintWithTemporaryRange(range), std::runtime_error);
        else
            axis.PaintWithTemporaryRange(range);
        EXPECT_EQ(axis.Minimum(), 3);
        EXPECT_EQ(axis.Maximum(), 7);
        EXPECT_EQ(axis.Increment(), 2);
        EXPECT_EQ(axis.StartPixel(), start);
        EXPECT_EQ(axis.EndPixel(), end);
        EXPECT_EQ(axis.AxisLinePosition(), line);
        EXPECT_EQ(axis.Grid()->Visible(), grid);
        EXPECT_EQ(axis.LabelStyle(), talAuto);
        EXPECT_TRUE(c.chart.AutoRepaint());
    }
}

}  // namespace
