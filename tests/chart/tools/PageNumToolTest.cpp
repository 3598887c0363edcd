// The page number annotation: its text, its buttons and a format from a file that does not fit.
#include "ToolFixture.h"
#include "chart/core/ChartPage.h"
#include "chart/core/SeriesTypes.h"
#include "platform/classes/Filer.h"
#include "platform/rtl/Streams.h"
#include "chart/tools/PageNumTool.h"

namespace {

class PageNumTest : public ToolTest {
protected:
    void SetUp() override
    {
        ToolTest::SetUp();
        for (int i = 0; i < 30; ++i) series.InsertXY(i, i);
        series.SetParentChart(&chart);
        chart.Pages()->SetMaxPointsPerPage(10);
        tool.SetParentChart(&chart);
        Frame();
    }
    void Press(const std::vector<TPoint>& triangle)
    {
        const int x = (triangle[0].X + triangle[1].X + triangle[2].X) / 3;
        const int y = (triangle[0].Y + triangle[1].Y + triangle[2].Y) / 3;
        testkit::MouseDown(chart, mbLeft, x, y);
        handled = chart.MouseHandled();
        testkit::MouseUp(chart, mbLeft, x, y);
        Frame();
    }
    TToolSeries& series = *new TToolSeries(form.get());
    TPageNumTool& tool = *new TPageNumTool(form.get());
    bool handled = false;
};

TEST_F(PageNumTest, TheTextShowsThePageAndCountThroughTheFormat)
{
    chart.Pages()->SetCurrent(2);
    EXPECT_EQ(tool.GetText(), "Page 2 of 3");
    tool.SetFormat("%d/%d");
    EXPECT_EQ(tool.GetText(), "2/3");
    EXPECT_EQ(tool.TextAlignment(), taCenter);
    EXPECT_EQ(PageNumToolClass, &TPageNumTool::StaticClass());
}

TEST_F(PageNumTest, TheButtonsPageAndAnUnusableOneStillTakesThePress)
{
    Press(tool.PreviousButton());
    EXPECT_TRUE(handled);
    EXPECT_EQ(chart.Pages()->Current(), 1);
    Press(tool.NextButton());
    EXPECT_TRUE(handled);
    EXPECT_EQ(chart.Pages()->Current(), 2);
    Press(tool.NextButton());
    Press(tool.NextButton());
    EXPECT_TRUE(handled);
    EXPECT_EQ(chart.Pages()->Current(), 3);
    Press(tool.PreviousButton());
    EXPECT_EQ(chart.Pages()->Current(), 2);

    // The previous button of page 1 is filled with the disabled gradient.
    chart.Pages()->SetCurrent(1);
    const TRecordingCanvas& canvas = Record();
    EXPECT_TRUE(Logged(canvas, "Polygon"));

    tool.SetShowButtons(false);
    EXPECT_TRUE(tool.PreviousButton().empty());
    Frame();
    EXPECT_EQ(tool.GetText(), "Page 1 of 3");
}

TEST_F(PageNumTest, AFormatFromAFileThatDoesNotFitShowsAsWritten)
{
    tool.SetFormat("Page %s of %d%");
    TMemoryStream stream;
    WriteComponentToStream(stream, &tool);
    stream.Seek(0, soBeginning);
    auto& loaded = *new TPageNumTool(form.get());
    ReadComponentFromStream(stream, &loaded);
    loaded.SetParentChart(&chart);
    EXPECT_EQ(loaded.GetText(), "Page %s of %d%");
    EXPECT_NO_THROW(Record());
}

}  // namespace
