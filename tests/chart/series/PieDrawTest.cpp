// Pie and donut drawing: zero slices, bevels, cut faces, marks and their callouts.
#include <algorithm>
#include <cmath>

#include "PieFixtures.h"
#include "platform/classes/Published.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebPen.h"
#include "chart/series/FramedBorder.h"
#include "chart/core/Callout.h"
#include "chart/core/MarkPositions.h"
#include "chart/core/SeriesMarks.h"

// Records which 3-D slices draw their side walls (cut faces).
class TSliceSidesCanvas : public TRecordingCanvas {
    TV_CLASS(TSliceSidesCanvas, TRecordingCanvas)
public:
    using TRecordingCanvas::TRecordingCanvas;
    std::vector<std::pair<double, bool>> Slices;  // start angle, sides
    void DrawSolidPieSlice(const TSolidPieSlice& slice) override
    {
        Slices.emplace_back(slice.StartAngle, slice.DrawSides);
        TRecordingCanvas::DrawSolidPieSlice(slice);
    }
};

TV_PUBLISHED(TSliceSidesCanvas) {}

namespace {

class PieDraw : public PieSuite {};

TEST_F(PieDraw, ADonutKeepsItsHoleAfterCopyingAPie)
{
    TPieChart c;
    TPieSeries& pie = c.Add({1});
    TDonutSeries& donut = c.Add<TDonutSeries>({1});
    EXPECT_EQ(donut.DonutPercent(), 50);
    donut.SetDonutPercent(30);
    donut.CopyAppearance(&pie);
    EXPECT_EQ(donut.DonutPercent(), 50);
    TDonutSeries& other = c.Add<TDonutSeries>({1});
    other.SetDonutPercent(70);
    donut.CopyAppearance(&other);
    EXPECT_EQ(donut.DonutPercent(), 70);
}

TEST_F(PieDraw, AZeroSliceIsPaintedInAPieButNotInADonut)
{
    {
        TPieChart c;
        c.Add({1, 0, 2});
        c.Frame();
        EXPECT_EQ(c.Shapes({"PieByAngles"}).size(), 3u);
    }
    TPieChart c;
    c.Add<TDonutSeries>({1, 0, 2});
    c.Frame();
    EXPECT_EQ(c.Shapes({"DrawDonutSlice"}).size(), 2u);
}

TEST_F(PieDraw, BevelRingIsALighterOuterBand)
{
    TPieChart c;
    TPieSeries& pie = c.Add({1});
    pie.SetSeriesColor(static_cast<TColor>(0x204060));
    pie.SetColorEachPoint(false);
    pie.SetBevelPercent(20);
    c.Frame();
    const auto bevel = c.Shapes({"DrawDonutSlice"});
    ASSERT_EQ(bevel.size(), 1u);
    EXPECT_NE(bevel[0].find(",80)"), std::string::npos) << bevel[0];
    EXPECT_NE(bevel[0].find("brush=406080"), std::string::npos) << bevel[0];
}

TEST_F(PieDraw, AHalfPieIn3DShowsTheCutFacesOfItsEnds)
{
    TPieChart c(true);
    auto* canvas = new TSliceSidesCanvas(400, 300);
    c.chart.ReplaceCanvas(canvas);
    TPieSeries& pie = c.Add({1, 1, 1});
    pie.SetAngleSize(180);
    c.chart.RenderTo(nullptr, {0, 0, 400, 300});
    ASSERT_EQ(canvas->Slices.size(), 3u);
    std::sort(canvas->Slices.begin(), canvas->Slices.end());
    EXPECT_TRUE(canvas->Slices[0].second) << "first slice";
    EXPECT_FALSE(canvas->Slices[1].second) << "middle slice";
    EXPECT_TRUE(canvas->Slices[2].second) << "last slice";
    EXPECT_FALSE(pie.SideWalls) << "restored after each end";
}

TEST_F(PieDraw, ASinglePointsMarkSitsOnTheRight)
{
    TPieChart c;
    TPieSeries& pie = c.Add({5}, true);
    c.Frame();
    const TSeriesMarkPosition* p = pie.Marks().Positions().PositionAt(0);
    ASSERT_NE(p, nullptr);
    EXPECT_GT(p->LeftTop.X, pie.CenterX + pie.RadiusX);
}

TEST_F(PieDraw, MarksInsideTheSlicesNeitherShrinkTheCircleNorDrawCallouts)
{
    TPieChart outside;
    TPieSeries& a = outside.Add({1, 2, 3}, true);
    outside.Frame();
    TPieChart inside;
    TPieSeries& b = inside.Add({1, 2, 3}, true);
    b.PieMarks()->SetInsideSlice(true);
    inside.Frame();
    EXPECT_GT(b.CircleSizeY, a.CircleSizeY);
    EXPECT_TRUE(b.Marks().Callout()->Arrow()->Visible()) << "the arrow's visibility comes back";
    for (int i = 0; i < 3; ++i) {
        const TSeriesMarkPosition* p = b.Marks().Positions().PositionAt(i);
        ASSERT_NE(p, nullptr);
        const TRect box = p->GetBounds();
        EXPECT_LT(std::abs((box.Left + box.Right) / 2 - b.CenterX), b.RadiusX) << i;
    }
    // The callouts of outside marks are lines from the rim.
    EXPECT_GT(outside.Shapes({"LineTo"}).size(), inside.Shapes({"LineTo"}).size());
}

}  // namespace

namespace {

TEST_F(PieDraw, AVisibleFrameRingsTheCircleWhichShrinksInsideIt)
{
    TPieChart plain;
    TPieSeries& a = plain.Add({1, 2});
    plain.Frame();
    TPieChart framed;
    TPieSeries& b = framed.Add({1, 2});
    b.Frame()->SetVisible(true);
    framed.Frame();
    const int w = static_cast<int>(std::lround(b.Frame()->PixelWidth(a.CircleBounds)));
    EXPECT_EQ(b.CircleSizeX, a.CircleSizeX - 2 * w);
    EXPECT_FALSE(b.Shadow()->Visible()) << "the frame replaces the shadow";
    EXPECT_EQ(framed.Shapes({"Ellipse"}).size(), 3u) << "three rings";
}

}  // namespace
