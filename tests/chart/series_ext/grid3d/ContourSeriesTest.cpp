// Contour levels (automatic and manual), the level lines of small grids, the legend by level and
// the drawing of lines, bands and frame on the recording canvas.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "chart/core/SeriesMarks.h"
#include "chart/canvas/ZebPen.h"
#include "chart/series_ext/grid3d/ContourSeries.h"
#include "chart/series_ext/grid3d/IsoSurfaceSeries.h"
#include "tests/chart/series_ext/grid3d/Grid3DFixtures.h"

namespace {

class Contour : public Grid3DSuite {};

// Y from 0 to 90 over a 10 x 2 grid, rising along X.
TContourSeries& Ramp(TGridChart& c)
{
    auto& s = c.Add<TContourSeries>();
    FillGrid(s, 10, 2, [](int x, int) { return (x - 1) * 10.0; });
    return s;
}

TEST_F(Contour, AutomaticLevelsSpanTheData)
{
    struct Case {
        int levels;
        std::vector<double> values;
    };
    for (const Case& k : {Case{10, {0, 10, 20, 30, 40, 50, 60, 70, 80, 90}}, Case{1, {0}}, Case{4, {0, 30, 60, 90}}}) {
        SCOPED_TRACE(k.levels);
        TGridChart c(false);
        auto& s = Ramp(c);
        s.SetNumLevels(k.levels);
        s.CreateAutoLevels();
        ASSERT_EQ(s.Levels()->Count(), k.levels);
        for (int i = 0; i < k.levels; ++i)
            EXPECT_NEAR(s.Levels()->GetLevel(i)->UpToValue(), k.values[static_cast<size_t>(i)], 1e-9);
        EXPECT_TRUE(s.AutomaticLevels());
    }
}

TEST_F(Contour, ManualLevelsGrowToNumLevelsAndNeverShrink)
{
    TGridChart c(false);
    auto& s = Ramp(c);
    s.ClearLevels();
    s.SetAutomaticLevels(false);
    for (const double v : {1.0, 2.0, 7.0}) s.Levels()->AddLevel(clRed, v);
    s.SetNumLevels(5);
    ASSERT_EQ(s.Levels()->Count(), 5);
    EXPECT_DOUBLE_EQ(s.Levels()->GetLevel(3)->UpToValue(), 7);
    EXPECT_DOUBLE_EQ(s.Levels()->GetLevel(4)->UpToValue(), 7);
    s.SetNumLevels(2);
    EXPECT_EQ(s.NumLevels(), 5);
}

TEST_F(Contour, EditingALevelEndsAutomaticLevels)
{
    TGridChart c(false);
    auto& s = Ramp(c);
    s.CreateAutoLevels();
    s.Levels()->GetLevel(2)->SetUpToValue(25);
    EXPECT_FALSE(s.AutomaticLevels());
    EXPECT_TRUE(s.IsLevelsStored());
    EXPECT_EQ(s.NumLevels(), 10);
}

TEST_F(Contour, RepeatedLevelEndsTheUsedLevels)
{
    TGridChart c(false);
    auto& s = Ramp(c);
    s.SetAutomaticLevels(false);
    s.ClearLevels();
    for (const double v : {1.0, 2.0, 2.0, 3.0}) s.Levels()->AddLevel(clRed, v);
    EXPECT_EQ(s.UsedLevels(), 2);
}

TEST_F(Contour, LegendShowsEveryNthLevelFromTheTop)
{
    TGridChart c(false);
    auto& s = Ramp(c);
    s.CreateAutoLevels();
    s.SetLegendEvery(3);
    ASSERT_EQ(s.GetPointCount(), 3);
    EXPECT_EQ(s.LegendItemSource(0), 9);
    EXPECT_EQ(s.LegendItemSource(1), 6);
    EXPECT_EQ(s.LegendItemSource(2), 3);
    EXPECT_EQ(s.FormatLegendText(1, ltsXValue), "6");
}

TEST_F(Contour, RampGivesOneStraightLinePerInnerLevel)
{
    TGridChart c(false);
    auto& s = Ramp(c);
    s.SetNumLevels(4);  // 0, 30, 60, 90
    s.PrepareDraw();
    s.EnsureLevelLines();
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const TLevelSegments& lines = s.Levels()->GetLevel(i)->Lines();
        ASSERT_EQ(lines.size(), 1u);
        const double x = 1 + i * 3;
        for (const TLevelPoint& p : lines[0]) EXPECT_NEAR(p.X, x, 1e-9);
        // Inner levels cross the cell's bottom edge, centre line and top edge; the outer ones run
        // along the grid's edge, one triangle side.
        EXPECT_EQ(lines[0].size(), i == 0 || i == 3 ? 2u : 3u);
    }
}

TEST_F(Contour, NullCornerLeavesItsCellOut)
{
    TGridChart c(false);
    auto& s = c.Add<TContourSeries>();
    FillGrid(s, 3, 2, [](int x, int) { return x * 10.0; });
    s.SetPointNull(2, true);  // (3, 1): the right cell loses its segments
    s.SetNumLevels(3);        // 10, 20, 30
    s.PrepareDraw();
    s.EnsureLevelLines();
    const TLevelSegments& lines = s.Levels()->GetLevel(1)->Lines();
    ASSERT_EQ(lines.size(), 1u);
    for (const TLevelPoint& p : lines[0]) EXPECT_LE(p.X, 2 + 1e-9);
}

TEST_F(Contour, DrawsLinesBandsAndFrame)
{
    TGridChart c(false);
    auto& s = Ramp(c);
    s.SetNumLevels(4);
    s.SetActive(false);
    c.Frame();
    const size_t polylines = c.Calls("Polyline").size(), polygons = c.Calls("Polygon").size();
    s.SetActive(true);
    c.Frame();
    EXPECT_EQ(c.Calls("Polyline").size() - polylines, 4u);
    EXPECT_EQ(c.Calls("Polygon").size(), polygons);
    s.SetFilled(true);
    s.Frame()->SetVisible(true);
    c.Frame();
    EXPECT_GT(c.Calls("Polygon").size(), polygons);
    EXPECT_EQ(c.Calls("Polyline").size() - polylines, 4u);
    const TPoint lo = s.LevelPointToScreen({1, 1}), hi = s.LevelPointToScreen({10, 2});
    const std::string frame = "Rectangle(" + std::to_string(lo.X) + "," + std::to_string(hi.Y) + "," +
                              std::to_string(hi.X) + "," + std::to_string(lo.Y);
    const auto all = c.Calls("Rectangle");
    EXPECT_EQ(std::count_if(all.begin(), all.end(), [&](const std::string& r) { return r.rfind(frame, 0) == 0; }), 1)
        << "the frame round the grid";
}

// The bands are an iso-surface's over the contour's own points, one palette entry per level: the
// contour fills them as that series would, keeps it out of the chart's list and legend, and hands
// it every data change.
TEST_F(Contour, FilledBandsAreAHiddenIsoSurfaceOverTheSamePoints)
{
    TGridChart c(false);
    auto& s = Ramp(c);
    s.SetNumLevels(4);
    s.SetFilled(true);
    s.CellPen()->SetVisible(true);
    s.CellPen()->SetColor(clRed);
    EXPECT_EQ(s.BandSeries(), nullptr) << "made on the first filled draw";
    c.Frame();
    const auto polygons = [&c] {
        std::vector<std::string> out;
        for (const std::string& call : c.canvas->Log())
            if (call.rfind("Polygon", 0) == 0 || call.rfind("PlaneFromPointBlock", 0) == 0) out.push_back(call);
        return out;
    };
    const std::vector<std::string> contourBands = polygons();
    TIsoSurfaceSeries* band = s.BandSeries();
    ASSERT_NE(band, nullptr);
    EXPECT_EQ(band->Owner(), &s);
    EXPECT_TRUE(band->Internal());
    EXPECT_FALSE(band->ShowInLegend());
    EXPECT_EQ(band->ParentChart(), nullptr) << "lent the chart only while drawing";
    EXPECT_EQ(c.chart.NumSeries(), 1);
    ASSERT_EQ(band->Palette().size(), 4u);
    EXPECT_DOUBLE_EQ(band->Palette()[3].UpToValue, 90);
    EXPECT_EQ(band->Palette()[3].Color, s.Levels()->GetLevel(3)->DrawColor());

    // The same iso-surface in the chart draws the same polygons.
    s.SetActive(false);
    auto& iso = c.Add<TIsoSurfaceSeries>();
    FillGrid(iso, 10, 2, [](int x, int) { return (x - 1) * 10.0; });
    iso.SetPen(s.CellPen());
    iso.BandPen()->SetVisible(false);
    iso.SetUseYPosition(true);
    iso.SetFastBrush(true);
    iso.SetHideCells(false);
    iso.AssignPalette(band->Palette());
    iso.PrepareDraw();
    iso.AssignPalette(band->Palette());
    c.canvas->ClearLog();
    iso.DrawVisiblePoints();
    EXPECT_EQ(polygons(), contourBands);
    iso.Free();

    s.SetActive(true);
    s.InsertXYZ(11, 100, 1);
    c.Frame();
    EXPECT_EQ(band->Count(), s.Count());
    EXPECT_DOUBLE_EQ(band->YValues()->ValueAt(band->Count() - 1), 100);
}

TEST_F(Contour, HitTestFindsTheLevelUnderTheMouse)
{
    TGridChart c(false);
    auto& s = Ramp(c);
    s.SetNumLevels(4);
    c.Frame();
    const TPoint onLine = s.LevelPointToScreen({4, 1.5});
    EXPECT_EQ(s.HitTest(onLine.X, onLine.Y), 1);
    EXPECT_EQ(s.HitTest(onLine.X + 30, onLine.Y), -1);
}

}  // namespace

namespace {

TEST(ContourMarkAngle, FollowsTheStretchAndStaysReadable)
{
    struct Case {
        const char* name;
        TPointFloat a, b;
        double angle;
    };
    for (const Case& k : {Case{"down", {0, 0}, {0, 10}, 90}, Case{"up", {0, 10}, {0, 0}, 270},
                          Case{"right to left", {10, 0}, {0, 0}, 0}, Case{"left to right", {0, 0}, {10, 0}, 360},
                          Case{"down to the right", {0, 0}, {10, 10}, 315}}) {
        SCOPED_TRACE(k.name);
        EXPECT_NEAR(TContourSeries::MarkAngle(k.a, k.b), k.angle, 1e-9);
    }
}

TEST_F(Contour, MarksOnLinesCutAGapAsWideAsTheMark)
{
    TGridChart c(false);
    auto& s = Ramp(c);
    s.SetNumLevels(4);
    c.Frame();
    const size_t polylines = c.Calls("Polyline").size(), moves = c.Calls("MoveTo").size();
    s.Marks().SetVisible(true);
    s.ContourMarks()->SetDensity(1);
    c.Frame();
    // The lines go as moves and lines round the marks' gaps instead of as polylines.
    EXPECT_EQ(polylines - c.Calls("Polyline").size(), 4u);
    EXPECT_GT(c.Calls("MoveTo").size(), moves + 4);
}

}  // namespace
