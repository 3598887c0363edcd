// The nearest-point marker and the mark tips: the distance limit, own tips kept inside the chart
// and hidden by their timer, system hints, and a tip whose series leaves.
#include <cmath>
#include <cstdlib>

#include "ToolFixture.h"
#include "chart/core/StringsShape.h"
#include "chart/tools/NearestTool.h"
#include "platform/forms/ExtCtrls.h"

namespace {

// Points hit within three pixels of their place.
class THitSeries : public TToolSeries {
public:
    using TToolSeries::TToolSeries;
    int HitTest(int x, int y) override
    {
        for (int i = 0; i < Count(); ++i) {
            int px = 0, py = 0;
            GetPointXY(i, px, py);
            if (std::abs(px - x) <= 3 && std::abs(py - y) <= 3) return i;
        }
        return -1;
    }
};

class NearestTest : public ToolTest {
protected:
    void SetUp() override
    {
        ToolTest::SetUp();
        series.InsertXY(2, 20);
        series.InsertXY(5, 50);
        series.InsertXY(9.5, 50);
        series.SetParentChart(&chart);
        for (TChartAxis* axis : {chart.BottomAxis(), chart.LeftAxis()}) axis->SetAutomatic(false);
        chart.BottomAxis()->ApplyRange(0, 10);
        chart.LeftAxis()->ApplyRange(0, 100);
        Frame();
    }
    TPoint PointAt(int index) const
    {
        int x = 0, y = 0;
        series.GetPointXY(index, x, y);
        return {x, y};
    }
    THitSeries& series = *new THitSeries(form.get());
};

TEST_F(NearestTest, TheDistanceLimitsWhichPointIsMarkedAndEveryMoveTells)
{
    auto& tool = *new TNearestTool(form.get());
    tool.SetParentChart(&chart);
    tool.SetSeries(&series);
    tool.SetDistance(10);
    int changes = 0;
    tool.SetOnChange([&](TObject*) { ++changes; });
    const TPoint p = PointAt(1);
    testkit::MouseMove(chart, p.X + 12, p.Y);
    EXPECT_EQ(tool.Point(), -1);
    testkit::MouseMove(chart, p.X + 8, p.Y);
    EXPECT_EQ(tool.Point(), 1);
    EXPECT_EQ(changes, 2);
    // Any distance: the nearest wins wherever it is.
    tool.SetDistance(0);
    testkit::MouseMove(chart, p.X + 60, p.Y + 40);
    EXPECT_EQ(tool.Point(), 1);
    const TRecordingCanvas& canvas = Record();
    EXPECT_TRUE(Logged(canvas, "Ellipse"));
}

TEST_F(NearestTest, AnOwnTipStaysInsideTheChartAndHidesWhenItsTimerFires)
{
    auto& tips = *new TMarksTipTool(form.get());
    tips.SetParentChart(&chart);
    tips.SetSystemHints(false);
    EXPECT_EQ(tips.HideDelay(), 2500);
    int cancelled = 0;
    tips.SetOnCancelHint([&](TObject*) { ++cancelled; });
    tips.SetOnGetText([](TMarksTipTool*, String& text) { text = "a rather long tip text"; });
    const TPoint p = PointAt(2);
    testkit::MouseMove(chart, p.X, p.Y);
    const TTextShape& shape = *tips.Format();
    ASSERT_TRUE(shape.Visible());
    EXPECT_EQ(shape.Text(), "a rather long tip text");
    EXPECT_LT(shape.Right(), chart.Width());
    EXPECT_GE(shape.Left(), 0);
    ASSERT_NE(tips.HideTimer(), nullptr);
    EXPECT_EQ(tips.HideTimer()->Interval(), 2500u);
    EXPECT_TRUE(tips.HideTimer()->Enabled());
    EXPECT_TRUE(Logged(Record(), "TextOut"));
    tips.HideTimer()->OnTimer()(tips.HideTimer());
    EXPECT_FALSE(shape.Visible());
    EXPECT_FALSE(tips.HideTimer()->Enabled());
    EXPECT_EQ(cancelled, 1);
}

TEST_F(NearestTest, SystemHintsGoToTheWindowAndTwoToolsDoNotCancelEachOther)
{
    auto& first = *new TMarksTipTool(form.get());
    auto& second = *new TMarksTipTool(form.get());
    first.SetParentChart(&chart);
    second.SetParentChart(&chart);
    first.SetSeries(&series);
    const TPoint p = PointAt(1);
    testkit::MouseMove(chart, p.X, p.Y);
    EXPECT_FALSE(chart.Hint().empty());
    EXPECT_TRUE(chart.ShowHint());
    // Over no point: the other tool keeps the hint.
    testkit::MouseMove(chart, p.X, p.Y + 40);
    EXPECT_FALSE(chart.Hint().empty());
    second.SetActive(false);
    first.CancelHint();
    EXPECT_TRUE(chart.Hint().empty());
}

TEST_F(NearestTest, ATipWhoseSeriesLeavesIsCancelledNotDrawn)
{
    auto& tips = *new TMarksTipTool(form.get());
    tips.SetParentChart(&chart);
    tips.SetSystemHints(false);
    const TPoint p = PointAt(0);
    testkit::MouseMove(chart, p.X, p.Y);
    ASSERT_TRUE(tips.Format()->Visible());
    series.SetParentChart(nullptr);
    Record();
    EXPECT_FALSE(tips.Format()->Visible());

    auto& other = *new THitSeries(form.get());
    other.InsertXY(5, 50);
    other.SetParentChart(&chart);
    Frame();
    int x = 0, y = 0;
    other.GetPointXY(0, x, y);
    testkit::MouseMove(chart, x, y);
    ASSERT_TRUE(tips.Format()->Visible());
    TObject::Free(&other);
    EXPECT_FALSE(tips.Format()->Visible());
    Record();
}

}  // namespace
