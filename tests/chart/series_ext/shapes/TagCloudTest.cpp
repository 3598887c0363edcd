// Tag cloud rows, sizes by weight, the filter and hit tests of placed and unplaced tags.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/series_ext/shapes/TagCloudSeries.h"
#include "tests/chart/series_ext/shapes/ShapesFixtures.h"

namespace {

class TagCloud : public ShapesSuite {};

TEST_F(TagCloud, FontSizeFollowsTheWeight)
{
    TShapesChart c;
    auto& s = c.Add<TTagCloudSeries>();
    s.AddTag("light", 10);
    s.AddTag("middle", 55);
    s.AddTag("heavy", 100);
    EXPECT_EQ(s.TagFontSize(0), 8);
    EXPECT_EQ(s.TagFontSize(1), 20);
    EXPECT_EQ(s.TagFontSize(2), 32);
}

TEST_F(TagCloud, FilterIgnoresLetterCase)
{
    TShapesChart c;
    auto& s = c.Add<TTagCloudSeries>();
    for (const char* tag : {"Line", "Bar", "Fast Line", "Pie"}) s.AddTag(tag, 1);
    std::vector<bool> passes;
    for (int i = 0; i < 4; ++i) passes.push_back(s.PassesFilter(i));
    EXPECT_EQ(passes, (std::vector<bool>{true, true, true, true}));
    s.SetFilter("LINE");
    passes.clear();
    for (int i = 0; i < 4; ++i) passes.push_back(s.PassesFilter(i));
    EXPECT_EQ(passes, (std::vector<bool>{true, false, true, false}));
    c.Frame();
    EXPECT_FALSE(s.IsPlaced(1));
    EXPECT_TRUE(s.IsPlaced(2));
}

TEST_F(TagCloud, RowsAlignTheirBottomsAndAWideTagStandsAlone)
{
    TShapesChart c;
    auto& s = c.Add<TTagCloudSeries>();
    s.AddTag("small", 10);
    s.AddTag("Big", 100);
    s.AddTag("an over-wide tag that cannot fit on any row of the plot", 100);
    s.AddTag("next", 50);
    c.Frame();
    const std::vector<TRect>& t = s.TagRects();
    EXPECT_EQ(t[0].Bottom, t[1].Bottom);
    EXPECT_GT(t[1].Height(), t[0].Height());
    EXPECT_GT(t[1].Left, t[0].Right);
    EXPECT_EQ(t[2].Left, c.chart.ChartRect().Left);
    EXPECT_GT(t[2].Top, t[0].Bottom - 1);
    EXPECT_EQ(t[3].Left, c.chart.ChartRect().Left);
    EXPECT_GT(t[3].Top, t[2].Top);
}

TEST_F(TagCloud, UnplacedTagIsNeverHit)
{
    TShapesChart c;
    auto& s = c.Add<TTagCloudSeries>();
    for (int i = 0; i < 200; ++i) s.AddTag("tag" + std::to_string(i), 100);
    c.Frame();
    ASSERT_FALSE(s.IsPlaced(199));
    EXPECT_EQ(s.HitTest(0, 0), -1);
    const TRect& first = s.TagRects()[0];
    EXPECT_EQ(s.HitTest((first.Left + first.Right) / 2, (first.Top + first.Bottom) / 2), 0);
    EXPECT_EQ(s.PointScreenX(199), 0);
}

TEST_F(TagCloud, VisiblePenNarrowsTheClip)
{
    for (const int transparency : {0, 40}) {
        TShapesChart c;
        auto& s = c.Add<TTagCloudSeries>();
        s.AddTag("a", 1);
        s.SetTransparency(transparency);
        s.Pen()->SetVisible(true);
        s.Pen()->SetWidth(4);
        c.chart.SetClipPoints(true);
        c.Frame();
        const TRect r = c.chart.ChartRect();
        const std::vector<std::string> clips = c.Calls("ClipToRect");
        const std::string want = "ClipToRect(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," +
                                 std::to_string(r.Right - 3) + "," + std::to_string(r.Bottom - 3) + ")";
        EXPECT_NE(std::find(clips.begin(), clips.end(), want), clips.end()) << testing::PrintToString(clips);
    }
}

TEST_F(TagCloud, SortByValueDescendingPutsTheHeaviestFirst)
{
    TShapesChart c;
    auto& s = c.Add<TTagCloudSeries>();
    s.AddTag("b", 5);
    s.AddTag("a", 50);
    s.AddTag("c", 20);
    s.SortTags(1, loDescending);
    EXPECT_EQ(s.GetLabelAt(0), "a");
    EXPECT_EQ(s.YValues()->Order(), loDescending);
    s.SortTags(0, loAscending);
    EXPECT_EQ(s.GetLabelAt(0), "a");
    EXPECT_EQ(s.GetLabelAt(2), "c");
}

}  // namespace
