// Tools over the plot area: grid bands from the largest value down, a picture that follows the
// data through a zoom, a series clipped to its axes, and full screen and back.
#include <cstdlib>
#include <string>
#include <vector>

#include "ToolFixture.h"
#include "chart/canvas/ZebPicture.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisPens.h"
#include "chart/tools/DrawLineTool.h"
#include "chart/tools/FullScreenTool.h"
#include "chart/tools/GridBandTool.h"
#include "chart/tools/SeriesAreaTools.h"
#include "platform/graphics/Bitmap.h"

namespace {

class AreaToolsTest : public ToolTest {
protected:
    void SetUp() override
    {
        ToolTest::SetUp();
        series.InsertXY(2, 20);
        series.InsertXY(8, 80);
        series.SetParentChart(&chart);
        for (TChartAxis* axis : {chart.BottomAxis(), chart.LeftAxis()}) axis->SetAutomatic(false);
        chart.BottomAxis()->ApplyRange(0, 10);
        chart.LeftAxis()->ApplyRange(0, 100);
    }
    static std::string Rect(const char* name, const TRect& r)
    {
        return std::string(name) + "(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," +
               std::to_string(r.Right) + "," + std::to_string(r.Bottom) + ")";
    }
    TToolSeries& series = *new TToolSeries(form.get());
};

TEST_F(AreaToolsTest, GridBandsAlternateFromTheLargestValueDown)
{
    auto& band = *new TGridBandTool(form.get());
    band.SetParentChart(&chart);
    band.SetAxis(chart.LeftAxis());
    band.Band1()->SetColor(clRed);
    band.Band2()->SetColor(clBlue);
    chart.LeftAxis()->ApplyRange(5, 35);
    chart.LeftAxis()->SetIncrement(10);
    const TRecordingCanvas& canvas = Record();
    std::vector<std::string> fills;
    for (const std::string& line : canvas.Calls("FillRectangle"))
        if (line.find("brush=0000FF") != std::string::npos || line.find("brush=FF0000") != std::string::npos)
            fills.push_back(line);
    ASSERT_EQ(fills.size(), 4u) << canvas.LogText();
    const TChartAxis& left = *chart.LeftAxis();
    const TRect cr = chart.ChartRect();
    const int ticks[] = {left.ValueToPixel(30), left.ValueToPixel(20), left.ValueToPixel(10)};
    const std::string expected[] = {
        Rect("FillRectangle", {cr.Left + 1, left.ValueToPixel(35) + 1, cr.Right, ticks[0] + 1}) + " brush=0000FF",
        Rect("FillRectangle", {cr.Left + 1, ticks[0], cr.Right, ticks[1] + 1}) + " brush=FF0000",
        Rect("FillRectangle", {cr.Left + 1, ticks[1], cr.Right, ticks[2] + 1}) + " brush=0000FF",
        Rect("FillRectangle", {cr.Left + 1, ticks[2], cr.Right, left.ValueToPixel(5) + 1}) + " brush=FF0000",
    };
    for (int i = 0; i < 4; ++i) EXPECT_EQ(fills[static_cast<size_t>(i)], expected[i]);

    // Clear brushes draw nothing; freeing the tool takes its hook off the axis.
    band.Band1()->SetStyle(bsClear);
    band.Band2()->SetStyle(bsClear);
    EXPECT_TRUE(Record().Calls("FillRectangle").size() < 4 + fills.size());
    TObject::Free(&band);
    EXPECT_FALSE(static_cast<bool>(chart.LeftAxis()->GridHook));
}

TEST_F(AreaToolsTest, InThreeDTheAxesDrawnOverTheSeriesBringNoBandsOrGridAgain)
{
    auto& band = *new TGridBandTool(form.get());
    band.SetParentChart(&chart);
    band.SetAxis(chart.LeftAxis());
    band.Band1()->SetColor(clRed);
    band.Band2()->SetColor(clBlue);
    chart.SetView3D(true);
    chart.LeftAxis()->ApplyRange(5, 35);
    chart.LeftAxis()->SetIncrement(10);
    auto stripes = [](const TRecordingCanvas& canvas) {
        int count = 0;
        for (const std::string& line : canvas.Log())
            if (line.find("brush=0000FF") != std::string::npos || line.find("brush=FF0000") != std::string::npos)
                ++count;
        return count;
    };
    EXPECT_EQ(stripes(Record()), 4);
    // The pass over the series alone: line, ticks and labels, no stripes and no grid lines.
    TRecordingCanvas front(400, 300);
    TCanvas3D* own = chart.ExchangeCanvas(&front);
    chart.LeftAxis()->DrawAxisAfterSideWall();
    chart.ExchangeCanvas(own);
    EXPECT_EQ(stripes(front), 0);
    EXPECT_FALSE(front.Calls("TextOut").empty());
    front.ClearLog();
    own = chart.ExchangeCanvas(&front);
    chart.LeftAxis()->Draw(false);
    chart.ExchangeCanvas(own);
    EXPECT_EQ(stripes(front), 4);
}

TEST_F(AreaToolsTest, APictureCoversTheSeriesDataAndFollowsAZoom)
{
    auto& image = *new TChartImageTool(form.get());
    image.SetParentChart(&chart);
    image.SetSeries(&series);
    EXPECT_TRUE(Record().Calls("StretchGraphic").empty());

    TBitmap bitmap;
    bitmap.SetSize(4, 4);
    image.Picture()->SetGraphic(&bitmap);
    for (double top : {100.0, 50.0}) {
        chart.LeftAxis()->ApplyRange(0, top);
        const TRecordingCanvas& canvas = Record();
        const TRect expected{chart.BottomAxis()->ValueToPixel(2), chart.LeftAxis()->ValueToPixel(80),
                             chart.BottomAxis()->ValueToPixel(8), chart.LeftAxis()->ValueToPixel(20)};
        ASSERT_EQ(canvas.Calls("StretchGraphic").size(), 1u);
        EXPECT_EQ(canvas.Calls("StretchGraphic")[0], Rect("StretchGraphic", expected)) << top;
    }
}

TEST_F(AreaToolsTest, OnlyTheToolsSeriesIsClippedToItsAxes)
{
    auto& clip = *new TClipSeriesTool(form.get());
    clip.SetParentChart(&chart);
    clip.SetSeries(&series);
    const TRecordingCanvas& canvas = Record();
    const TChartAxis& bottom = *chart.BottomAxis();
    const TChartAxis& left = *chart.LeftAxis();
    const TRect axes{bottom.StartPixel(), left.StartPixel(), bottom.EndPixel(), left.EndPixel()};
    ASSERT_EQ(canvas.Calls("ClipToRect").size(), 1u) << canvas.LogText();
    EXPECT_EQ(canvas.Calls("ClipToRect")[0], Rect("ClipToRect", axes));
    clip.SetSeries(nullptr);
    EXPECT_TRUE(Record().Calls("ClipToRect").empty());
}

TEST_F(AreaToolsTest, FullScreenAndBackByTheReleaseKeyOrByClosing)
{
    chart.SetAlign(alLeft);
    const TRect bounds = chart.BoundsRect();
    auto& tool = *new TFullScreenTool(form.get());
    EXPECT_FALSE(tool.Active());
    tool.SetParentChart(&chart);
    int resets = 0;
    tool.SetOnReset([&](TObject*) { ++resets; });
    for (bool byKey : {true, false}) {
        SCOPED_TRACE(byKey ? "key" : "close");
        tool.SetActive(true);
        ASSERT_NE(tool.Window(), nullptr);
        EXPECT_EQ(chart.Parent(), tool.Window());
        EXPECT_EQ(chart.Align(), alNone);
        EXPECT_EQ(chart.BoundsRect(), (TRect{0, 0, Screen->Width(), Screen->Height()}));
        if (byKey)
            testkit::KeyPress(*tool.Window(), 27);
        else
            tool.Window()->Close();
        testkit::Pump();
        EXPECT_FALSE(tool.Active());
        EXPECT_EQ(tool.Window(), nullptr);
        EXPECT_EQ(chart.Parent(), form.get());
        EXPECT_EQ(chart.BoundsRect(), bounds);
        EXPECT_EQ(chart.Align(), alLeft);
    }
    EXPECT_EQ(resets, 2);
}

TEST_F(AreaToolsTest, FullScreenWhileTheOldParentGoesLeavesNothingDangling)
{
    TOwnedPtr<TForm> other(new TForm(nullptr));
    auto* chart2 = new TChart(nullptr);
    chart2->SetParent(other.get());
    auto& tool = *new TFullScreenTool(chart2);
    tool.SetParentChart(chart2);
    tool.SetActive(true);
    other.reset();
    tool.SetActive(false);
    EXPECT_EQ(chart2->Parent(), nullptr);
    TObject::Free(chart2);
}

// Draws a chart with bands, a picture, figures and a clipped series; saved for a look.
TEST_F(AreaToolsTest, LookOfTheAreaTools)
{
    auto& band = *new TGridBandTool(form.get());
    band.SetParentChart(&chart);
    band.SetAxis(chart.LeftAxis());
    band.Band1()->SetColor(static_cast<TColor>(0xF0E0D0));
    auto& lines = *new TDrawLineTool(form.get());
    lines.SetParentChart(&chart);
    lines.Pen()->SetColor(clRed);
    lines.Lines()->AppendLine(1, 10, 6, 90);
    lines.Lines()->AppendLine(3, 30, 9, 60)->SetStyle(dlEllipse);
    lines.Lines()->AppendLine(5, 70, 12, 95)->SetStyle(dlRectangle);
    TRecordingCanvas& canvas = Record();
    const char* dir = std::getenv("TV_LOOK_DIR");
    const std::string path = (dir ? std::string(dir) + "/" : ::testing::TempDir()) + "chart-area-tools.png";
    canvas.SavePng(path);
    EXPECT_FALSE(canvas.Calls("Ellipse").empty());
}

}  // namespace
