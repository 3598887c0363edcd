// The grid index of regular and irregular grids, grid generation, and the surface and water fall
// on the recording canvas: cell order, cell corners and colours, hit tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "chart/core/ChartAxis.h"
#include "chart/core/ZebSelected.h"
#include "chart/series_ext/grid3d/IsoSurfaceSeries.h"
#include "chart/series_ext/grid3d/SurfaceSeries.h"
#include "tests/chart/series_ext/grid3d/Grid3DFixtures.h"

namespace {

class Grid3D : public Grid3DSuite {};
class Surface3D : public Grid3DSuite {};

TEST_F(Grid3D, RegularIndexPlacesRoundedNodes)
{
    TGridChart c;
    auto& s = c.Add<TSurfaceSeries>();
    for (int x = 0; x <= 9; ++x)
        for (int z = 0; z <= 4; ++z) s.InsertPoint3D(x, x * z, z);
    s.RebuildGridIndex();
    EXPECT_EQ(s.NumXValues(), 10);
    EXPECT_EQ(s.NumZValues(), 5);
    EXPECT_EQ(s.GridIndexAt(1, 1), 0);
    EXPECT_FALSE(s.XStartsAtNonZero());
    s.RemoveAllPoints();
    s.InsertPoint3D(2.5, 1, 1);
    s.InsertPoint3D(3.5, 2, 1);
    s.InsertPoint3D(3.5, 3, 1);  // the same node: the later point wins
    s.RebuildGridIndex();
    EXPECT_EQ(s.GridIndexAt(1, 1), 0);
    EXPECT_EQ(s.GridIndexAt(2, 1), -1);
    EXPECT_EQ(s.GridIndexAt(3, 1), 2);
    EXPECT_TRUE(s.XStartsAtNonZero());
}

TEST_F(Grid3D, IrregularIndexCountsDistinctValuesAndGrows)
{
    TGridChart c;
    auto& s = c.Add<TSurfaceSeries>();
    s.SetIrregularGrid(true);
    for (const double x : {5.0, 0.1, 0.7})
        for (const double z : {20.0, 10.0}) s.InsertPoint3D(x, 1, z);
    s.RebuildGridIndex();
    EXPECT_EQ(s.NumXValues(), 3);
    EXPECT_EQ(s.NumZValues(), 2);
    EXPECT_EQ(s.GridIndexAt(2, 2), 4);  // (0.7, 20)
    s.RemoveAllPoints();
    for (int i = 0; i < 30000; ++i) s.InsertPoint3D(i * 0.5, i, i % 2);
    s.RebuildGridIndex();
    EXPECT_EQ(s.NumXValues(), 30000);
    EXPECT_EQ(s.GridIndexAt(30000, 2), 29999);
}

TEST_F(Grid3D, BuildGridRunsRowByRowOnlyWhereGenerationIsAllowed)
{
    TGridChart c;
    auto& s = c.Add<TSurfaceSeries>();
    s.BuildGrid(3, 2);
    EXPECT_EQ(s.Count(), 0) << "at run time without a handler";
    s.SampleMode = true;
    s.BuildGrid(3, 2);
    ASSERT_EQ(s.Count(), 6);
    const int order[6][2] = {{1, 1}, {2, 1}, {3, 1}, {1, 2}, {2, 2}, {3, 2}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_DOUBLE_EQ(s.XValues()->ValueAt(i), order[i][0]);
        EXPECT_DOUBLE_EQ(s.ZValues()->ValueAt(i), order[i][1]);
    }
    s.BuildGrid(10, 10);
    const double c5 = std::cos(5.0);
    EXPECT_DOUBLE_EQ(s.YValues()->ValueAt(99), 0.5 * c5 * c5 + c5 * c5 - std::cos(2.0));
}

TEST_F(Grid3D, SetCellValueChangesAKnownNodeInPlace)
{
    TGridChart c;
    auto& s = c.Add<TSurfaceSeries>();
    FillGrid(s, 3, 3, [](int x, int z) { return x + z; });
    s.RebuildGridIndex();
    s.SetCellValue(2, 2, 100);
    EXPECT_EQ(s.Count(), 9);
    EXPECT_DOUBLE_EQ(s.YValues()->ValueAt(s.GridIndexAt(2, 2)), 100);
    EXPECT_FALSE(s.GridIndexStale());
    s.SetCellValue(2, 2, 50);
    EXPECT_EQ(s.Count(), 9) << "still in place after the first change";
}

// A 4 x 3 surface in 3-D with its cells drawn as point blocks.
TSurfaceSeries& Grid4x3(TGridChart& c)
{
    auto& s = c.Add<TSurfaceSeries>();
    FillGrid(s, 4, 3, [](int x, int z) { return x * 10 + z; });
    return s;
}

TEST_F(Surface3D, FirstCellAndItsColourNode)
{
    TGridChart c;
    auto& s = Grid4x3(c);
    s.SetHideCells(false);  // the loop order
    c.Rotate(345);
    c.Frame();
    EXPECT_FALSE(s.LastDrawSorted());
    const auto cells = c.Calls("PlaneFromPointBlock");
    ASSERT_EQ(cells.size(), 3u * 2u);
    // Row 2, column NZ: corners (2, 3), (1, 3), (1, 2), (2, 2).
    s.CacheAxisConversions();
    const auto at = [&](int x, int z) { return s.NodeScreenPoint(s.GridIndexAt(x, z)); };
    const TPoint p[4] = {at(2, 3), at(1, 3), at(1, 2), at(2, 2)};
    char expected[200];
    std::snprintf(expected, sizeof expected, "PlaneFromPointBlock(%d,%d,%d,%d,%d,%d,%d,%d,", p[0].X, p[0].Y, p[1].X,
                  p[1].Y, p[2].X, p[2].Y, p[3].X, p[3].Y);
    EXPECT_EQ(cells[0].rfind(expected, 0), 0u) << cells[0];
    EXPECT_EQ(s.CellStepX, -1);
    EXPECT_EQ(s.CellStepZ, -1);
}

TEST_F(Surface3D, OrderFollowsRotationAndHideCells)
{
    struct Case {
        int rotation;
        bool hideCells, sorted;
    };
    for (const Case k : {Case{345, true, true}, Case{45, true, false}, Case{345, false, false}, Case{180, true, true}}) {
        SCOPED_TRACE(testing::Message() << k.rotation << (k.hideCells ? " hidden" : ""));
        TGridChart c;
        auto& s = Grid4x3(c);
        s.SetHideCells(k.hideCells);
        c.Rotate(k.rotation);
        c.Frame();
        EXPECT_EQ(s.LastDrawSorted(), k.sorted);
        EXPECT_EQ(c.Calls("PlaneFromPointBlock").size(), 6u);
    }
}

TEST_F(Surface3D, WaterFallDrawsTheSameCellsInBothOrders)
{
    std::vector<std::vector<std::string>> drawn;
    for (const int rotation : {345, 45}) {
        TGridChart c;
        auto& s = c.Add<TWaterFallSeries>();
        s.SetHideCells(true);
        FillGrid(s, 4, 3, [](int x, int z) { return x * 10 + z; });
        c.Rotate(rotation);
        c.Frame();
        EXPECT_EQ(s.LastDrawSorted(), rotation == 345);
        auto bands = c.Calls("PlaneFromFourPoints");
        EXPECT_EQ(bands.size(), 3u * 3u) << "every Z row";
        std::sort(bands.begin(), bands.end());
        drawn.push_back(bands);
    }
    // Depth pixels differ with the view, so compare the set of screen corners only.
    EXPECT_EQ(drawn[0].size(), drawn[1].size());
}

TEST_F(Surface3D, SingleRowAndMissingNodesDrawNoCell)
{
    TGridChart c;
    auto& s = c.Add<TSurfaceSeries>();
    FillGrid(s, 1, 4, [](int, int z) { return z; });
    c.Frame();
    EXPECT_TRUE(c.Calls("PlaneFromPointBlock").empty());
    s.RemoveAllPoints();
    FillGrid(s, 3, 3, [](int x, int z) { return x + z; });
    // Cells take the colour of their corner with the smaller X and the larger Z: nodes (1, 1) and
    // (3, 3) colour none, node (1, 3) the cell of rows 1-2, columns 2-3.
    s.SetPointNull(0, true);
    s.SetPointNull(8, true);
    s.SetHideCells(false);
    c.Rotate(345);
    c.Frame();
    EXPECT_EQ(c.Calls("PlaneFromPointBlock").size(), 4u);
    s.SetPointNull(6, true);
    c.Frame();
    EXPECT_EQ(c.Calls("PlaneFromPointBlock").size(), 3u);
}

// The hovered node gets an 8 x 8 mark on top of the cells in the hover's shape; the surface's
// hover starts hidden, so nothing is marked until it is shown.
TEST_F(Surface3D, HoverMarkOnTheHoveredNode)
{
    struct Case {
        bool shown;
        TChartObjectShapeStyle shape;
        const char* call;
    };
    for (const Case k : {Case{false, fosEllipse, "EllipseAtZ"}, Case{true, fosEllipse, "EllipseAtZ"},
                         Case{true, fosRectangle, "RectangleAtZ"}}) {
        SCOPED_TRACE(k.call);
        TGridChart c;
        auto& s = Grid4x3(c);
        c.Rotate(345);
        EXPECT_EQ(s.Selected()->Hover()->ShapeStyle(), fosEllipse);
        c.chart.Hover()->SetVisible(true);
        s.Selected()->Hover()->SetVisible(k.shown);
        s.Selected()->Hover()->SetShapeStyle(k.shape);
        s.RebuildGridIndex();
        const int hovered = s.GridIndexAt(2, 2);
        s.Selected()->SetHoverIndex(hovered);
        c.Frame();
        s.CacheAxisConversions();
        const TPoint p = s.NodeScreenPoint(hovered);
        char expected[120];
        std::snprintf(expected, sizeof expected, "%s(%d,%d,%d,%d,%d", k.call, p.X - 4, p.Y - 4, p.X + 4, p.Y + 4,
                      s.PointScreenZ(hovered));
        const auto& log = c.canvas->Log();
        const auto isMark = [&expected](const std::string& l) { return l.rfind(expected, 0) == 0; };
        ASSERT_EQ(std::count_if(log.begin(), log.end(), isMark), k.shown ? 1 : 0);
        if (!k.shown) continue;
        // After every cell, so no later cell hides it.
        const auto mark = std::find_if(log.begin(), log.end(), isMark);
        EXPECT_EQ(std::find_if(mark, log.end(), [](const std::string& l) { return l.rfind("PlaneFromPointBlock", 0) == 0; }),
                  log.end());
    }
}

TEST_F(Surface3D, WireAndDotFrames)
{
    TGridChart c;
    auto& s = Grid4x3(c);
    s.SetDotFrame(true);
    EXPECT_TRUE(s.Pen()->Visible());
    c.Frame();
    EXPECT_TRUE(c.Calls("PlaneFromPointBlock").empty());
    s.SetWireFrame(true);
    EXPECT_FALSE(s.DotFrame());
    c.Frame();
    EXPECT_EQ(c.Calls("PlaneFromPointBlock").size(), 6u);
}

TEST_F(Surface3D, HitTestWithinThreePixels)
{
    TGridChart c(false);
    auto& s = Grid4x3(c);
    c.Frame();
    s.CacheAxisConversions();
    const TPoint node = s.NodeScreenPoint(5);
    struct Case {
        int dx, dy, hit;
    };
    for (const Case k : {Case{0, 0, 5}, Case{3, 0, 5}, Case{0, -3, 5}, Case{4, 0, -1}, Case{0, 4, -1}}) {
        SCOPED_TRACE(testing::Message() << k.dx << "," << k.dy);
        EXPECT_EQ(s.HitTest(node.X + k.dx, node.Y + k.dy), k.hit);
    }
}

}  // namespace

namespace {

TEST_F(Surface3D, CellAtPointFindsTheFirstCornerOfTheCellUnderTheMouse)
{
    TGridChart c(false);
    auto& s = c.Add<TSurfaceSeries>();
    // Y equal to Z, so that in 2-D the cells stand one above the other on the vertical axis.
    FillGrid(s, 3, 3, [](int, int z) { return z; });
    c.Frame();
    s.CacheAxisConversions();
    const TPoint a = s.NodeScreenPoint(s.GridIndexAt(1, 1)), b = s.NodeScreenPoint(s.GridIndexAt(2, 2));
    const int hit = s.CellAtPoint((a.X + b.X) / 2, (a.Y + b.Y) / 2);
    ASSERT_GE(hit, 0);
    // The cell of nodes 1..2 in both directions; its first corner is node (2, 2) with steps -1.
    EXPECT_EQ(hit, s.GridIndexAt(2, 2));
    EXPECT_EQ(s.CellAtPoint(a.X - 40, a.Y + 40), -1);
}

}  // namespace

// An iso-surface's side face is cut into bands at the palette levels, each filled in its level's
// colour, from the bottom up to the face's top edge.
struct TIsoSides : TIsoSurfaceSeries {
    using TIsoSurfaceSeries::TIsoSurfaceSeries;
    void Face(TCanvas3D& canvas, const TChartAxis& vertical, const TFourPoints& p, int z0, int z1)
    {
        canvas_ = &canvas;
        yAxis_ = &vertical;
        DrawSidePlane(p, z0, z1);
        canvas_ = nullptr;
    }
};

TEST_F(Surface3D, IsoSurfaceSideFacesAreBandedByLevel)
{
    TGridChart c;
    auto& s = c.Add<TIsoSides>();
    FillGrid(s, 2, 2, [](int x, int z) { return (x + z - 2) * 5.0; });
    s.ClearPalette();
    s.AddPaletteEntry(clRed, 2.5);
    s.AddPaletteEntry(clLime, 5);
    s.AddPaletteEntry(clBlue, 7.5);
    s.AddPaletteEntry(clYellow, 10);
    s.Sides()->Brush()->SetStyle(bsSolid);
    c.Frame();
    const TChartAxis& left = *c.chart.LeftAxis();
    const auto y = [&left](double v) { return left.ValueToPixel(v); };
    // A face along Z with a level top at 6: two full bands, then the part up to the top.
    c.canvas->ClearLog();
    s.Face(*c.canvas, left, {TPoint{100, y(6)}, TPoint{100, y(0)}, TPoint{120, y(0)}, TPoint{120, y(6)}}, 0, 10);
    std::vector<std::string> bands;
    for (const std::string& l : c.canvas->Log())
        if (l.rfind("PlaneFromPointBlock", 0) == 0 || l.rfind("Polygon", 0) == 0) bands.push_back(l);
    char expected[4][120];
    const double tops[] = {2.5, 5, 6, 6}, bottoms[] = {0, 2.5, 5, 6};
    for (int i = 0; i < 4; ++i)
        std::snprintf(expected[i], sizeof expected[i], "PlaneFromPointBlock(100,%d,100,%d,120,%d,120,%d,0,10)",
                      y(tops[i]), y(bottoms[i]), y(bottoms[i]), y(tops[i]));
    const char* colors[] = {"brush=0000FF", "brush=00FF00", "brush=FF0000", "brush=FF0000"};
    ASSERT_EQ(bands.size(), 8u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(bands[2 * i].rfind(expected[i], 0), 0u) << bands[2 * i];
        EXPECT_NE(bands[2 * i + 1].find(colors[i]), std::string::npos) << bands[2 * i + 1];
    }
}
