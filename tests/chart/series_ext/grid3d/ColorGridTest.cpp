// The colour grid: its cached picture (built once, rebuilt on data changes), empty cells, pictures
// loaded as points, ranges and hit tests; and the smoothing of contour lines.
#include <gtest/gtest.h>

#include "chart/series_ext/grid3d/ColorGridSeries.h"
#include "chart/core/Legend.h"
#include "platform/graphics/Bitmap.h"
#include "tests/chart/series_ext/grid3d/Grid3DFixtures.h"

namespace {

class ColorGrid : public Grid3DSuite {};

// A 4 x 3 grid in 2-D on the antialiased canvas, which draws the cached picture.
struct TGridPicture {
    TOwnedPtr<TComponent> root{new TComponent(nullptr)};
    TChart& chart = *new TChart(root.get());
    TColorGridSeries& series = *new TColorGridSeries(root.get());
    TGridPicture()
    {
        chart.SetCanvasClassName("TGDIPlusCanvas");
        chart.SetBounds(0, 0, 300, 200);
        chart.SetView3D(false);
        chart.Legend()->SetVisible(false);
        series.SetParentChart(&chart);
        series.Pen()->SetVisible(false);
        FillGrid(series, 4, 3, [](int x, int z) { return x * 10 + z; });
    }
    void Draw() { chart.RenderTo(nullptr, {0, 0, 300, 200}); }
};

TEST_F(ColorGrid, PictureIsBuiltOnceAndAgainAfterAChange)
{
    TGridPicture g;
    g.Draw();
    g.Draw();
    EXPECT_EQ(g.series.BitmapBuilds(), 1);
    g.series.YValues()->SetValueAt(0, 500);
    g.Draw();
    EXPECT_EQ(g.series.BitmapBuilds(), 2);
    g.series.SetPaletteStyle(psGrayScale);
    g.series.SetUsePalette(true);
    g.Draw();
    EXPECT_EQ(g.series.BitmapBuilds(), 3);
}

TEST_F(ColorGrid, RangesSpanTheCellsAndTheVerticalAxisShowsZ)
{
    struct Case {
        bool centered;
        double lowX, highX, lowZ, highZ;
    };
    for (const Case k : {Case{false, 1, 5, 1, 4}, Case{true, 0.5, 4.5, 0.5, 3.5}}) {
        SCOPED_TRACE(k.centered);
        TGridChart c(false);
        auto& s = c.Add<TColorGridSeries>();
        FillGrid(s, 4, 3, [](int x, int z) { return x * z; });
        s.SetCenteredPoints(k.centered);
        EXPECT_DOUBLE_EQ(s.LowestX(), k.lowX);
        EXPECT_DOUBLE_EQ(s.HighestX(), k.highX);
        EXPECT_DOUBLE_EQ(s.LowestY(), k.lowZ);
        EXPECT_DOUBLE_EQ(s.HighestY(), k.highZ);
    }
}

TEST_F(ColorGrid, IrregularRowStepIsReadOnlyFromStoredPoints)
{
    TGridChart c(false);
    auto& s = c.Add<TColorGridSeries>();
    s.SetIrregularGrid(true);
    // Two rows of two points: the step would read point 2 x NumZValues = 4, past the end.
    FillGrid(s, 2, 2, [](int x, int z) { return x + z; });
    s.RebuildGridIndex();
    EXPECT_DOUBLE_EQ(s.HighestZ(), 2 + 1) << "the step falls back to 1";
}

TEST_F(ColorGrid, EmptyAndNullCellsDrawNothingOnTheCellPath)
{
    TGridChart c(false);
    auto& s = c.Add<TColorGridSeries>();
    s.SetIrregularGrid(true);  // the cell path
    s.Pen()->SetVisible(false);
    FillGrid(s, 3, 3, [](int x, int z) { return x + z; });
    c.Frame();
    EXPECT_EQ(c.Calls("RectangleAtZ").size(), 9u);
    s.SetPointNull(4, true);
    c.Frame();
    EXPECT_EQ(c.Calls("RectangleAtZ").size(), 8u);
}

TEST_F(ColorGrid, LoadFromBitmapCountsRowsFromTheBottom)
{
    TGridChart c(false);
    auto& s = c.Add<TColorGridSeries>();
    TBitmap picture(3, 2, pf24bit);
    for (int x = 0; x < 3; ++x) {
        picture.Canvas()->SetPixels(x, 0, clRed);   // top row
        picture.Canvas()->SetPixels(x, 1, clBlue);  // bottom row
    }
    s.LoadFromBitmap(picture);
    ASSERT_EQ(s.Count(), 6);
    EXPECT_TRUE(s.CenteredPoints());
    for (int i = 0; i < 6; ++i) {
        EXPECT_DOUBLE_EQ(s.XValues()->ValueAt(i), i / 2 + 1);
        EXPECT_DOUBLE_EQ(s.ZValues()->ValueAt(i), i % 2 + 1);
        EXPECT_EQ(s.GetPointColor(i), i % 2 == 0 ? clBlue : clRed) << i;
    }
}

TEST_F(ColorGrid, HitTestFindsTheCell)
{
    TGridChart c(false);
    auto& s = c.Add<TColorGridSeries>();
    FillGrid(s, 4, 3, [](int x, int z) { return x * z; });
    c.Frame();
    const auto at = [&](double x, double z) {
        return s.HitTest(s.GetHorizAxis()->ValueToPixel(x), s.GetVertAxis()->ValueToPixel(z));
    };
    EXPECT_EQ(at(1.5, 1.5), s.GridIndexAt(1, 1));
    EXPECT_EQ(at(4.5, 3.5), s.GridIndexAt(4, 3));
    EXPECT_EQ(at(2.2, 2.9), s.GridIndexAt(2, 2));
}

TEST(SmoothPoints, FourSegmentsPerPointPlusOne)
{
    TSmoothPoints smoothing;
    const TPointFloat points[] = {{0, 0}, {10, 10}, {20, 0}};
    for (const bool interpolate : {false, true}) {
        smoothing.SetInterpolate(interpolate);
        const std::vector<TPointFloat> curve = smoothing.SmoothPolyline(points);
        ASSERT_EQ(curve.size(), 13u);
        EXPECT_NEAR(curve.front().X, 0, 1e-4);
        EXPECT_NEAR(curve.back().X, 20, 1e-4);
    }
}

}  // namespace
