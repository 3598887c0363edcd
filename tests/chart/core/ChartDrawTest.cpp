// The chart's drawing order, walls and titles in a frame, on the recording canvas, and pictures
// of the main window's chart.
#include <cmath>
#include <string>
#include <vector>

#include "AxisFixtures.h"
#include "ElementCanvas.h"
#include "MainWindowLook.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPens.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartTitles.h"
#include "chart/core/ChartWalls.h"
#include "chart/core/Legend.h"
#include "platform/classes/Published.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "tests/support/Golden.h"

namespace {

const String GoldenDir = TV_SOURCE_DIR "/tests/chart/core/golden";

using TLines = std::vector<std::string>;

// The element groups opened at the outermost level, in order.
TLines TopLevel(const TLines& structure)
{
    TLines out;
    int depth = 0;
    for (const std::string& line : structure) {
        if (line.starts_with("Begin")) {
            if (depth++ == 0) out.push_back(line.substr(6));
        } else if (line == "End") {
            --depth;
        }
    }
    return out;
}

// The groups directly inside the first group named outer.
TLines Inside(const TLines& structure, const std::string& outer)
{
    TLines out;
    int depth = -1;
    for (const std::string& line : structure) {
        if (depth < 0) {
            if (line == "Begin " + outer) depth = 0;
            continue;
        }
        if (line.starts_with("Begin")) {
            if (depth++ == 0) out.push_back(line.substr(6));
        } else if (line == "End" && depth-- == 0) {
            break;
        }
    }
    return out;
}

// Keeps the chart rectangle that titles and legend left, before the axes take theirs.
class TProbeChart : public TChart {
    TV_CLASS(TProbeChart, TChart)
public:
    using TChart::TChart;
    TRect AfterSurroundings;
    void DrawSurroundings(bool beforeSeries) override
    {
        TChart::DrawSurroundings(beforeSeries);
        if (beforeSeries) AfterSurroundings = ChartRect();
    }
};

}  // namespace

TV_PUBLISHED(TProbeChart) {}

namespace {

class ChartDrawTest : public ChartCoreSuite {
protected:
    void SetUp() override { UseCanvas(400, 300); }
    // A flat chart of that size on a recording canvas with fixed text metrics.
    void UseCanvas(int width, int height)
    {
        canvas = RecordFlat(chart, width, height);
        canvas->SetFixedTextMetrics(6, 12);
    }
    TTestSeries& Add(int points)
    {
        auto* series = new TTestSeries(nullptr);
        for (int i = 0; i < points; ++i) series->AddXY(i, 10 * i);
        series->SetParentChart(&chart);
        return *series;
    }
    void Frame() { RecordFrame(chart, *canvas); }
    bool Logged(const std::string& prefix) const
    {
        for (const std::string& line : canvas->Log())
            if (line.starts_with(prefix)) return true;
        return false;
    }
    // The texts written inside the first element named outer.
    TLines TextsInside(const std::string& outer) const
    {
        TLines out;
        int depth = -1;
        for (const std::string& line : canvas->Log()) {
            if (depth < 0) {
                if (line == "Begin " + outer) depth = 0;
            } else if (line.starts_with("Begin")) {
                ++depth;
            } else if (line == "End" && depth-- == 0) {
                break;
            } else if (line.starts_with("TextOut(")) {
                out.push_back(line);
            }
        }
        return out;
    }
    // Titles laid out over the chart rectangle rect.
    void LayOutTitles(const TRect& rect)
    {
        chart.SetChartRect(rect);
        chart.NormalizeChartRect();
        chart.DrawTitles(false);
    }

    TOwnedPtr<TProbeChart> owned{new TProbeChart(nullptr)};
    TProbeChart& chart = *owned;
    TElementCanvas* canvas = nullptr;
};

TEST_F(ChartDrawTest, A2DFramePaintsTitlesThenTheBackWallThenAxesAndSeries)
{
    Add(3);
    chart.Title()->Lines()->Add("Tilt");
    Frame();
    const TLines s = canvas->Structure();
    EXPECT_EQ(TopLevel(s), (TLines{"Panel", "Titles", "Walls", "Axes", "Series", "Legend"}));
    EXPECT_EQ(Inside(s, "Walls"), (TLines{"Back"}));
    EXPECT_EQ(Inside(s, "Titles"), (TLines{"Title"}));
    const TRect& r = chart.ChartRect();
    EXPECT_TRUE(Logged("Rectangle(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," +
                       std::to_string(r.Right + 1) + "," + std::to_string(r.Bottom + 1) + ")"))
        << "the back wall is one pixel wider and taller than the chart rectangle";
}

TEST_F(ChartDrawTest, ACustomPositionedTitleDrawsAfterTheSeriesAndTakesNoBand)
{
    Add(3);
    chart.Title()->Lines()->Add("Tilt");
    chart.Title()->SetLeft(20);
    chart.Title()->SetTop(30);
    Frame();
    EXPECT_EQ(TopLevel(canvas->Structure()), (TLines{"Panel", "Walls", "Axes", "Series", "Legend", "Titles"}));
    EXPECT_EQ(chart.Title()->Left(), 20);
    EXPECT_EQ(chart.Title()->Top(), 30);
}

TEST_F(ChartDrawTest, AChartOfAxisFreeSeriesPaintsNoWalls)
{
    Add(3).AxisFree = true;
    chart.SetView3D(true);
    Frame();
    const TLines top = TopLevel(canvas->Structure());
    EXPECT_EQ(std::count(top.begin(), top.end(), "Walls"), 0);
}

TEST_F(ChartDrawTest, ATransparentBackWallDrawsOnlyItsFrame)
{
    chart.SetColor(clWhite);
    chart.BackWall()->SetColor(clYellow);
    for (const bool transparent : {true, false}) {
        chart.BackWall()->SetTransparent(transparent);
        Frame();
        const TColor middle = canvas->Bitmap().Canvas()->Pixels(chart.ChartXCenter(), chart.ChartYCenter());
        EXPECT_EQ(middle, transparent ? clWhite : clYellow) << transparent;
    }
}

TEST_F(ChartDrawTest, WallsIn3DArePlanesOrBoxes)
{
    chart.SetView3D(true);
    chart.View3DOptions()->SetOrthogonal(true);
    Frame();
    EXPECT_EQ(Inside(canvas->Structure(), "Walls"), (TLines{"Back", "Left", "Bottom"}));
    EXPECT_TRUE(Logged("PlaneAlongYZ("));
    EXPECT_TRUE(Logged("PlaneAlongXZ("));
    EXPECT_TRUE(Logged("RectangleAtZ("));
    EXPECT_FALSE(Logged("DrawBox("));
    chart.Walls().SetAllSizes(10);
    chart.RightWall()->SetVisible(true);
    Frame();
    EXPECT_EQ(canvas->Calls("DrawBox").size(), 4u);
    EXPECT_EQ(TopLevel(canvas->Structure()).back(), "Right") << "the right side faces the viewer: after the series";
    for (const std::string& box : canvas->Calls("DrawBox")) EXPECT_NE(box.find(",true,0)"), std::string::npos) << box;
    chart.LeftWall()->SetDark3D(false);
    chart.BottomWall()->Brush()->SetStyle(bsClear);
    Frame();
    size_t dark = 0;
    for (const std::string& box : canvas->Calls("DrawBox")) dark += box.find(",true,0)") != std::string::npos;
    EXPECT_EQ(dark, 2u) << "only the back and right walls keep dark sides";
}

// The side facing the viewer has its axis drawn again in front, projected like the first time, but
// only an axis the frame laid out: an unused right axis has no position and drew a line down the
// panel's left edge.
TEST_F(ChartDrawTest, OnlyAnAxisInUseIsDrawnAgainBesideTheFacingSideWall)
{
    chart.SetView3D(true);
    chart.View3DOptions()->SetOrthogonal(true);
    ASSERT_TRUE(chart.IsRightSideVisible());
    TTestSeries& series = Add(3);
    const auto strokesAt = [&](int from, int to) {
        int n = 0;
        for (const char* name : {"MoveTo", "LineTo"})
            for (const std::string& line : canvas->Calls(name)) {
                const int x = std::stoi(line.substr(line.find('(') + 1));
                n += x >= from && x <= to;
            }
        return n;
    };
    Frame();
    EXPECT_EQ(strokesAt(0, 5), 0) << canvas->LogText();
    series.SetVertAxis(aRightAxis);
    Frame();
    const TRect plot = chart.ChartRect();
    EXPECT_EQ(strokesAt(0, plot.Left - 1), 0) << "the unused left axis draws nothing";
    EXPECT_GT(strokesAt(plot.Right, 399), 0) << "the right axis is drawn";
    bool flat = false;
    for (const std::string& line : canvas->Log()) {
        if (line == "SaveAndClearProjection()") flat = true;
        if (line == "RestoreProjection()") flat = false;
        EXPECT_FALSE(flat && line == "Begin Right") << "the axis in front stands in the chart box: projected";
    }
}

TEST_F(ChartDrawTest, AnOrthoAngleAbove90MovesThePlotsLeftEdge)
{
    chart.SetView3D(true);
    chart.View3DOptions()->SetOrthogonal(true);
    chart.BackWall()->SetSize(5);
    const TRect start{40, 40, 360, 260};
    for (const int angle : {45, 135}) {
        chart.View3DOptions()->SetOrthoAngle(angle);
        chart.SetChartRect(start);
        chart.NormalizeChartRect();
        chart.FitPlotTo3D();
        const int depth = std::abs(chart.Depth3D());
        ASSERT_GT(depth, 0);
        if (angle <= 90) {
            EXPECT_EQ(chart.ChartRect().Left, start.Left);
            EXPECT_EQ(chart.ChartRect().Right, start.Right - depth - 5);
        } else {
            EXPECT_EQ(chart.ChartRect().Left, start.Left + depth + 5 + 1) << "and the left wall's size and one";
            EXPECT_EQ(chart.ChartRect().Right, start.Right);
        }
        EXPECT_EQ(chart.ChartRect().Top, start.Top + std::abs(chart.Height3D) + 5);
    }
}

// ---- titles ----

TEST_F(ChartDrawTest, AVisibleTitleWithoutLinesTakesNoBand)
{
    chart.Title();
    LayOutTitles({40, 40, 360, 260});
    EXPECT_EQ(chart.ChartRect().Top, 40);
    EXPECT_FALSE(Logged("TextOut"));
}

TEST_F(ChartDrawTest, TitlesStackFromTheTopAndFeetFromTheBottom)
{
    for (TChartTitle* title : {chart.Title(), chart.SubTitle(), static_cast<TChartTitle*>(chart.Foot()),
                               static_cast<TChartTitle*>(chart.SubFoot())})
        title->Lines()->Add("Text");
    LayOutTitles({40, 40, 360, 260});
    const int h = chart.Title()->BoundsHeight();
    EXPECT_EQ(chart.Title()->Top(), 40);
    EXPECT_EQ(chart.SubTitle()->Top(), 40 + h + 5);
    EXPECT_EQ(chart.Foot()->Bottom(), 260);
    EXPECT_EQ(chart.SubFoot()->Bottom(), 260 - h - 5);
    EXPECT_EQ(chart.ChartRect().Top, 40 + 2 * (h + 5));
    EXPECT_EQ(chart.ChartRect().Bottom, 260 - 2 * (h + 5));
    EXPECT_EQ(Inside(canvas->Structure(), "Titles"), (TLines{"Title", "Subtitle", "Foot", "Subfoot"}));
}

TEST_F(ChartDrawTest, ACentredTitleFollowsTheNarrowedPlotButNotPastTheEdgeMargin)
{
    TChartTitle& title = *chart.Title();
    title.Lines()->Add("A title wider than the plot");
    const int edge = chart.FrameWidth() + 8;  // 2 % of 400
    LayOutTitles({0, 40, 60, 260});
    EXPECT_EQ(title.Left(), edge);
    LayOutTitles({200, 40, 380, 260});
    EXPECT_EQ(title.Left(), 290 - title.BoundsWidth() / 2);
    title.SetAdjustFrame(false);
    LayOutTitles({200, 40, 380, 260});
    EXPECT_EQ(title.Left(), edge);
    EXPECT_EQ(title.BoundsWidth(), 400 - 2 * edge) << "the box spans the panel";
}

TEST_F(ChartDrawTest, AThickFrameWidensTheBandByHalfItsWidthOnEachSide)
{
    TChartTitle& title = *chart.Title();
    title.Lines()->Add("Tilt");
    const struct {
        int width, extra;
    } cases[] = {{1, 0}, {2, 2}, {3, 2}};
    for (const auto& c : cases) {
        title.Pen()->SetWidth(c.width);
        LayOutTitles({40, 40, 360, 260});
        EXPECT_EQ(title.Top(), 40 + c.extra / 2) << c.width;
        EXPECT_EQ(chart.ChartRect().Top, 40 + title.BoundsHeight() + 5 + c.extra) << c.width;
    }
}

TEST_F(ChartDrawTest, TitleLinesBecomeOneTextJoinedByCrLf)
{
    TChartTitle& title = *chart.Title();
    title.Lines()->Add("Tilt");
    title.Lines()->Add("X and Y");
    EXPECT_EQ(title.Text(), "Tilt\r\nX and Y");
    title.SetText("One\r\nTwo\r\nThree");
    EXPECT_EQ(title.Lines()->Count(), 3);
    EXPECT_EQ(title.FirstLine(), "One");
}

// ---- pictures ----

// Draws its points as a polyline in its colour, two pixels wide.
class TLineTestSeries : public TTestSeries {
public:
    using TTestSeries::TTestSeries;
    void DrawPoint(int index) override
    {
        TCanvas3D& c = *ParentChart()->Canvas3D();
        c.Pen()->SetColor(SeriesColor());
        c.Pen()->SetWidth(2);
        c.Pen()->SetStyle(psSolid);
        const TPoint p{PointScreenX(index), PointScreenY(index)};
        if (index > FirstVisibleIndex()) c.LineTo(p.X, p.Y);
        c.MoveTo(p.X, p.Y);
    }
};

// The main window's chart settings with two series in place of its line series.
void MainWindowChart(TChart& chart, TLineTestSeries& x, TLineTestSeries& y)
{
    MainWindowLook(chart);
    chart.SetColorPaletteIndex(0);
    chart.BackWall()->SetTransparent(false);
    chart.BackWall()->SetColor(clWhite);
    chart.BackWall()->Pen()->SetColor(clSilver);
    TChartTitle& title = *chart.Title();
    title.Lines()->Add("");
    title.Font()->SetStyle(TFontStyles{fsBold});
    title.Font()->SetHeight(-13);
    title.Font()->SetColor(clWhite);
    title.Pen()->SetColor(clWhite);
    title.SetAutoSize(false);
    for (TChartAxis* axis : {chart.LeftAxis(), chart.BottomAxis()}) {
        axis->LabelsFont()->SetColor(clWhite);
        axis->Axis()->SetColor(clSilver);
        axis->Axis()->SetWidth(1);
    }
    TChartLegend& legend = *chart.Legend();
    legend.SetAlignment(laBottom);
    legend.SetLegendStyle(lsSeries);
    legend.SetFontSeriesColor(true);
    legend.SetTopPos(0);
    legend.Brush()->Gradient()->SetStartColor(static_cast<TColor>(10814240));
    legend.Brush()->Gradient()->SetEndColor(static_cast<TColor>(16744576));
    legend.Brush()->Gradient()->SetVisible(true);
    chart.LeftAxis()->SetAutomatic(false);
    chart.LeftAxis()->SetMaximum(90);
    chart.LeftAxis()->SetMinimum(-90);
    x.SetTitle("X-Value");
    y.SetTitle("Y-Value");
    x.SetSeriesColor(clRed);
    y.SetSeriesColor(static_cast<TColor>(4259584));
    for (TLineTestSeries* s : {&x, &y}) s->SetParentChart(&chart);
    for (int i = 0; i < 250; ++i) {
        x.AddY(60 * std::sin(i / 9.0));
        y.AddY(40 * std::cos(i / 13.0));
    }
    TChartAxis& bottom = *chart.BottomAxis();
    bottom.SetAutomaticMinimum(false);
    bottom.ComputeRange();
    bottom.SetMinimum(bottom.Maximum() - 100);
}

// ---- legend ----

TEST_F(ChartDrawTest, TheMainWindowsLegendIsOneCentredRowBelowThePlot)
{
    TLineTestSeries x(nullptr), y(nullptr);
    MainWindowChart(chart, x, y);
    UseCanvas(chart.Width(), chart.Height());
    canvas->SetRecordElements(true);
    TRect atLayout;
    chart.SetOnGetLegendRect([&](TCustomChart* sender, TRect&) { atLayout = sender->ChartRect(); });
    Frame();
    const TChartLegend& legend = *chart.Legend();
    EXPECT_EQ(legend.Columns(), 2);
    EXPECT_EQ(legend.Rows(), 1);
    EXPECT_FALSE(legend.Justified());
    EXPECT_LE(std::abs((legend.Left() + legend.Right()) / 2 - (atLayout.Left + atLayout.Right) / 2), 1);
    EXPECT_EQ(chart.AfterSurroundings.Bottom, legend.Top() - 4 * atLayout.Height() / 100);
    EXPECT_GT(atLayout.Top, chart.Title()->Bottom()) << "laid out inside the title band";
    // One entry per series, each written in its series' colour.
    const TLines texts = TextsInside("Items");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[0].find("\"X-Value\") font=0000FF"), std::string::npos) << texts[0];
    EXPECT_NE(texts[1].find("\"Y-Value\") font=40FF00"), std::string::npos) << texts[1];
    const TLines s = canvas->Structure();
    EXPECT_EQ(Inside(s, "Legend"), (TLines{"Items"}));
    EXPECT_EQ(Inside(s, "Items"), (TLines{"0", "1"}));
    x.SetParentChart(nullptr);
    y.SetParentChart(nullptr);
}

TEST_F(ChartDrawTest, DrawBehindPaintsTheLegendBeforeWallsAxesAndSeries)
{
    Add(3);
    const struct {
        bool behind;
        TLines order;
    } cases[] = {{false, {"Panel", "Walls", "Axes", "Series", "Legend"}},
                 {true, {"Panel", "Legend", "Walls", "Axes", "Series"}}};
    for (const auto& c : cases) {
        chart.Legend()->SetDrawBehind(c.behind);
        Frame();
        EXPECT_EQ(TopLevel(canvas->Structure()), c.order) << c.behind;
    }
}

TEST_F(ChartDrawTest, ASideLegendIsLaidOutBeforeTheTitleBandAndABottomOneAfter)
{
    Add(3);
    TChartTitle& title = *chart.Title();
    title.Lines()->Add("Tilt");
    chart.Legend()->SetTopPos(0);
    TRect atLayout;
    chart.SetOnGetLegendRect([&](TCustomChart* sender, TRect&) { atLayout = sender->ChartRect(); });
    Frame();
    EXPECT_LT(atLayout.Top, title.Bottom()) << "right legend: before the title band";
    EXPECT_EQ(chart.Legend()->Top(), atLayout.Top + chart.Legend()->FrameWidth() / 2);
    EXPECT_EQ(title.Left(), (atLayout.Left + chart.Legend()->Left() - 3 * atLayout.Width() / 100) / 2 -
                                title.BoundsWidth() / 2)
        << "centred over the plot the legend left";
    EXPECT_EQ(TopLevel(canvas->Structure()), (TLines{"Panel", "Titles", "Walls", "Axes", "Series", "Legend"}));
    chart.Legend()->SetAlignment(laBottom);
    Frame();
    EXPECT_GT(atLayout.Top, title.Bottom()) << "bottom legend: inside the title band";
}

TEST_F(ChartDrawTest, TheLegendEventsChangeTextPlaceAndBounds)
{
    Add(3);
    chart.Legend()->SetLegendStyle(lsSeries);
    TLegendStyle style = lsAuto;
    chart.SetOnGetLegendText([&](TCustomAxisPanel*, TLegendStyle s, int index, String& text) {
        style = s;
        text = "Entry " + std::to_string(index);
    });
    chart.SetOnGetLegendPos([](TCustomChart*, int, int& x, int& y, int&) { x = 50, y = 60; });
    chart.SetOnGetLegendRect([](TCustomChart*, TRect& rect) { rect = {10, 20, 200, 100}; });
    Frame();
    EXPECT_EQ(style, lsSeries);
    EXPECT_EQ(chart.FormatLegendItem(*chart.Legend(), 0), "Entry 0");
    const TLines texts = TextsInside("Items");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(texts[0].starts_with("TextOut(48,")) << texts[0] << ": the text starts 2 left of X";
    EXPECT_NE(texts[0].find("Entry 0"), std::string::npos) << texts[0];
    EXPECT_EQ(chart.Legend()->ShapeBounds(), (TRect{10, 20, 200, 100}));
}

TEST_F(ChartDrawTest, ASeriesPaintsItsLegendSymbolInItsColoursButNoneForANullPoint)
{
    TTestSeries& series = Add(3);
    series.SetSeriesColor(clRed);
    series.SetPointColor(1, clBlue);
    series.SetPointNull(2, true);
    series.Pen()->SetWidth(10);
    const TRect rect{10, 10, 30, 18};
    const struct {
        int index;
        const char* brush;  // none: nothing drawn
    } cases[] = {{-1, "brush=0000FF"}, {1, "brush=FF0000"}, {2, nullptr}};
    for (const auto& c : cases) {
        canvas->ClearLog();
        series.DrawLegendSymbol(c.index, rect);
        const std::vector<std::string> boxes = canvas->Calls("Rectangle");
        if (!c.brush) {
            EXPECT_TRUE(boxes.empty()) << c.index;
            continue;
        }
        ASSERT_EQ(boxes.size(), 1u) << c.index;
        EXPECT_NE(boxes[0].find(c.brush), std::string::npos) << boxes[0];
        EXPECT_EQ(canvas->Pen()->Width(), rect.Height() / 2) << "the pen is at most half the box high";
    }
    EXPECT_EQ(series.Pen()->Width(), 10) << "the series keeps its pen";
}

struct PictureCase {
    const char* name;
    const char* canvasClass;
    std::function<void(TChart&)> setup;
};

class ChartPicture : public ChartCoreSuite, public ::testing::WithParamInterface<PictureCase> {};

TEST_P(ChartPicture, Frame)
{
    const PictureCase& c = GetParam();
    TOwnedPtr<TChart> chart(new TChart(nullptr));
    chart->SetCanvasClassName(c.canvasClass);
    TLineTestSeries x(nullptr), y(nullptr);
    MainWindowChart(*chart, x, y);
    if (c.setup) c.setup(*chart);
    TBitmap window;
    testkit::RenderToBitmap(*chart, window);
    testsupport::ExpectMatchesGolden(window, GoldenDir, c.name);
    x.SetParentChart(nullptr);
    y.SetParentChart(nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Chart, ChartPicture,
    ::testing::Values(
        PictureCase{"chart_main_window", "TZebCanvas3D", {}},
        PictureCase{"chart_main_window_gdiplus", "TGDIPlusCanvas", {}},
        PictureCase{"chart_walls_3d", "TZebCanvas3D",
                    [](TChart& chart) {
                        chart.SetView3D(true);
                        chart.View3DOptions()->SetOrthogonal(true);
                        chart.BackWall()->SetColor(0xE0E0E0);
                        chart.Walls().SetAllSizes(6);
                        chart.BottomWall()->SetColor(0xC0FFC0);
                    }},
        PictureCase{"chart_titles_four", "TZebCanvas3D",
                    [](TChart& chart) {
                        const char* const texts[] = {"Title", "SubTitle", "Foot", "SubFoot"};
                        chart.Title()->Lines()->Clear();
                        chart.Title()->SetAutoSize(true);
                        chart.Title()->Pen()->SetWidth(3);
                        chart.Title()->SetTransparent(false);
                        chart.Title()->SetColor(clYellow);
                        chart.Title()->Font()->SetColor(clNavy);
                        TChartTitle* titles[] = {chart.Title(), chart.SubTitle(), chart.Foot(), chart.SubFoot()};
                        for (int i = 0; i < 4; ++i) titles[i]->Lines()->Add(texts[i]);
                        chart.SubTitle()->SetAlignment(taLeftJustify);
                        chart.SubFoot()->SetAlignment(taRightJustify);
                    }}),
    [](const ::testing::TestParamInfo<PictureCase>& info) { return std::string(info.param.name); });

}  // namespace
