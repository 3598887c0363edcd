// Organisation chart rows, connectors, subtree removal and superior cycles; tree map tiling.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "chart/core/ChartException.h"
#include "chart/series_ext/shapes/OrgSeries.h"
#include "chart/series_ext/shapes/TreeMapSeries.h"
#include "tests/chart/series_ext/shapes/ShapesFixtures.h"

namespace {

class OrgChart : public ShapesSuite {};
class TreeMap : public ShapesSuite {};

TEST_F(OrgChart, TwoSubordinatesSitCentredBelowWithABar)
{
    TShapesChart c;
    auto& s = c.Add<TOrgSeries>();
    s.AddItem("Top", -1);
    s.AddItem("Left", 0);
    s.AddItem("Right", 0);
    c.Frame();
    const TRect top = s.GetItem(0)->Box, a = s.GetItem(1)->Box, b = s.GetItem(2)->Box;
    EXPECT_EQ(a.Top, top.Bottom + 1 + 16);
    EXPECT_EQ(b.Left - a.Right - 1, 8);
    EXPECT_NEAR((a.Left + b.Right) / 2, (top.Left + top.Right) / 2, 1);
    // The bar between the two centres, 8 pixels above the subordinates.
    const int ca = a.Left + a.Width() / 2, cb = b.Left + b.Width() / 2, bar = a.Top - 8;
    const std::vector<std::string>& log = c.canvas->Log();
    const std::string from = "MoveTo(" + std::to_string(ca) + "," + std::to_string(bar) + ")";
    const std::string to = "LineTo(" + std::to_string(cb) + "," + std::to_string(bar) + ")";
    int bars = 0;
    for (size_t i = 0; i + 1 < log.size(); ++i) bars += log[i] == from && log[i + 1] == to;
    EXPECT_EQ(bars, 1);
}

TEST_F(OrgChart, OneSubordinateGetsAStraightConnectorAndNoBar)
{
    for (const TOrgLineStyle style : {lsSquared, lsDiagonal}) {
        TShapesChart c;
        auto& s = c.Add<TOrgSeries>();
        s.SetLineStyle(style);
        s.AddItem("Top", -1);
        s.AddItem("Only", 0);
        s.AddItem("Other top", -1);
        c.Frame();
        EXPECT_NEAR(s.PointScreenX(1), s.PointScreenX(0), 1) << style;
        EXPECT_EQ(s.GetItem(1)->Box.Top, s.GetItem(0)->Box.Bottom + 1 + 16) << style;
    }
}

TEST_F(OrgChart, HiddenFormatHidesTheSubtree)
{
    TShapesChart c;
    auto& s = c.Add<TOrgSeries>();
    s.AddItem("Top", -1);
    s.AddItem("Hidden", 0);
    s.AddItem("Below hidden", 1);
    s.GetItem(1)->Format()->SetVisible(false);
    EXPECT_EQ(s.LevelCount(), 1);
    std::vector<int> children;
    s.GetChildIndices(0, true, children);
    EXPECT_TRUE(children.empty());
}

TEST_F(OrgChart, RemovalTakesTheSubtreeAndRenumbersSuperiors)
{
    TShapesChart c;
    auto& s = c.Add<TOrgSeries>();
    s.FillWithSamples(10);
    ASSERT_EQ(s.Count(), 6);
    EXPECT_FALSE(s.ShowInLegend());
    s.RemovePoint(1);
    ASSERT_EQ(s.Count(), 5);
    EXPECT_EQ(s.Items()->Count(), 5);
    EXPECT_EQ(s.GetItem(2)->Superior(), 1);
    EXPECT_EQ(s.GetItem(4)->Superior(), 3);
    s.RemovePoint(1);  // "Product Manager" and "Asian Sales" below it
    ASSERT_EQ(s.Count(), 3);
    EXPECT_EQ(s.GetItem(2)->Superior(), 1);
}

TEST_F(OrgChart, RemovalFollowsLinksWhenASuperiorHasAHigherIndex)
{
    TShapesChart c;
    auto& s = c.Add<TOrgSeries>();
    s.AddItem("child of 2", -1);
    s.AddItem("keep", -1);
    s.AddItem("boss", -1);
    s.GetItem(0)->SetSuperior(2);
    s.RemovePoint(2);
    ASSERT_EQ(s.Count(), 1);
    EXPECT_EQ(s.GetLabelAt(0), "keep");
}

TEST_F(OrgChart, CyclicSuperiorIsRefusedOnWriteAndBrokenOnLoad)
{
    TShapesChart c;
    auto& s = c.Add<TOrgSeries>();
    s.AddItem("a", -1);
    s.AddItem("b", 0);
    s.AddItem("c", 1);
    EXPECT_THROW(s.GetItem(0)->SetSuperior(2), ChartException);
    EXPECT_THROW(s.GetItem(1)->SetSuperior(1), ChartException);
    EXPECT_EQ(s.GetItem(0)->Superior(), -1);
    // A stored cycle: every item survives, the item closing the cycle becomes top-level.
    s.XValues()->SetValueAt(0, 2);
    s.Loaded();
    EXPECT_EQ(s.Count(), 3);
    int topLevel = 0;
    for (int i = 0; i < 3; ++i) topLevel += s.GetItem(i)->Superior() == -1;
    EXPECT_EQ(topLevel, 1);
    EXPECT_EQ(s.LevelCount(), 3);
}

// Three top-level items (and a group under the first) in a tree map filling the chart.
TEST_F(TreeMap, SharesFollowTheValuesAlongAlternatingDirections)
{
    for (const TTreeMapTiling tiling : {tmSlice, tmStrip}) {
        TShapesChart c;
        auto& s = c.Add<TTreeMapSeries>();
        s.SetMapStyle(tiling);
        s.AddItem("a", -1, clAutomatic, 50);
        s.AddItem("b", -1, clAutomatic, 100);
        s.AddItem("c", -1, clAutomatic, 50);
        c.Frame();
        const TRect chartRect = c.chart.ChartRect();
        const int length = tiling == tmSlice ? chartRect.Height() : chartRect.Width();
        const auto along = [&](int i) {
            const TRect& b = s.GetItem(i)->Box;
            return tiling == tmSlice ? b.Height() : b.Width();
        };
        EXPECT_NEAR(along(0), length / 4, 1) << tiling;
        EXPECT_NEAR(along(1), length / 2, 1) << tiling;
        EXPECT_NEAR(along(2), length / 4, 1) << tiling;
        const TRect& b = s.GetItem(1)->Box;
        EXPECT_EQ(tiling == tmSlice ? b.Width() : b.Height(), tiling == tmSlice ? chartRect.Width() : chartRect.Height());
    }
}

TEST_F(TreeMap, SubordinatesNestWithSpacingAndZeroGroupsCollapse)
{
    TShapesChart c;
    auto& s = c.Add<TTreeMapSeries>();
    s.AddItem("top", -1, clAutomatic, 1);
    s.AddItem("x", 0, clAutomatic, 10);
    s.AddItem("y", 0, clAutomatic, 10);
    s.AddItem("zero", 1, clAutomatic, 0);
    c.Frame();
    const TRect top = s.GetItem(0)->Box, x = s.GetItem(1)->Box, y = s.GetItem(2)->Box, zero = s.GetItem(3)->Box;
    EXPECT_EQ(x.Left, top.Left + 10);  // container inset 5 and side margin 5
    EXPECT_GT(x.Top, top.Top + 10);    // below a band for the superior's text
    EXPECT_EQ(x.Top, y.Top);
    EXPECT_NEAR(y.Left - x.Right, 5, 1);
    EXPECT_EQ(zero.Height(), 0);
}

TEST_F(TreeMap, ColoursByLevelAndOwnColours)
{
    TShapesChart c;
    auto& s = c.Add<TTreeMapSeries>();
    s.AddItem("a", -1, clAutomatic, 1);
    s.AddItem("b", 0, clAutomatic, 1);
    s.AddItem("c", 1, clAutomatic, 1);
    s.AddItem("own", -1, clRed, 1);
    s.AddItem("none", -1, clNone, 1);
    c.Frame();
    EXPECT_NE(s.GetPointColor(0), s.GetPointColor(1));
    EXPECT_NE(s.GetPointColor(1), s.GetPointColor(2));
    EXPECT_EQ(s.GetPointColor(3), clRed);
    EXPECT_EQ(s.GetPointColor(4), clNone);
}

TEST_F(TreeMap, SampleItemsAreLettersFromATopLevelFirst)
{
    TShapesChart c;
    auto& s = c.Add<TTreeMapSeries>();
    s.FillWithSamples(15);
    ASSERT_EQ(s.Count(), 15);
    EXPECT_EQ(s.GetLabelAt(0), "A");
    EXPECT_EQ(s.GetLabelAt(14), "O");
    EXPECT_EQ(s.GetItem(0)->Superior(), -1);
    for (int i = 0; i < 15; ++i) {
        EXPECT_GE(s.ItemValue(i), 50);
        EXPECT_LE(s.ItemValue(i), 150);
    }
}

}  // namespace
