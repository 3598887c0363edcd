// The annotation box: its place on the panel, its callout, the name as text, clicks and hovering.
#include <string>
#include <vector>

#include "ToolFixture.h"
#include "chart/core/ZebSelected.h"
#include "chart/tools/AnnotationTool.h"

namespace {

class AnnotationTest : public ToolTest {
protected:
    void SetUp() override
    {
        ToolTest::SetUp();
        tool.SetParentChart(&chart);
        tool.SetText("box");
        tool.SetWidth(100);
        tool.SetHeight(20);
    }
    TAnnotationTool& tool = *new TAnnotationTool(form.get());
};

TEST_F(AnnotationTest, TheBoxLiesAtItsPresetOrCustomPlace)
{
    struct Case {
        const char* name;
        TAnnotationPosition position;
        bool custom;
        TZebUnits units;
        int left, top;
        TPoint expected;
    };
    const Case cases[] = {
        {"left top", ppLeftTop, false, muPixels, 0, 0, {10, 10}},
        {"left bottom", ppLeftBottom, false, muPixels, 0, 0, {10, 270}},
        {"right top", ppRightTop, false, muPixels, 0, 0, {290, 10}},
        {"right bottom", ppRightBottom, false, muPixels, 0, 0, {290, 270}},
        {"centre", ppCenter, false, muPixels, 0, 0, {149, 139}},
        {"pixels", ppLeftTop, true, muPixels, 30, 40, {30, 40}},
        {"percent", ppLeftTop, true, muPercent, 50, 50, {200, 150}},
        {"percent rounded", ppLeftTop, true, muPercent, 33, 33, {132, 99}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tool.SetPosition(c.position == ppLeftTop ? ppCenter : ppLeftTop);
        tool.SetPosition(c.position);
        tool.SetPositionUnits(c.units);
        if (c.custom) {
            tool.SetLeft(c.left);
            tool.SetTop(c.top);
        }
        const TRect r = tool.GetBounds();
        EXPECT_EQ(TPoint(r.Left, r.Top), c.expected);
        EXPECT_EQ(r.Width(), 100);
        EXPECT_EQ(r.Height(), 20);
        EXPECT_TRUE(tool.ContainsPoint(c.expected.X, c.expected.Y));
        EXPECT_FALSE(tool.ContainsPoint(c.expected.X - 1, c.expected.Y));
    }
}

TEST_F(AnnotationTest, TheCalloutRunsFromTheSideFacingItsTargetShortenedByItsDistance)
{
    // The box: (10, 10) to (110, 30).
    struct Case {
        const char* name;
        TPoint target;
        int distance;
        TPoint from, to;
    };
    const Case cases[] = {
        {"right of the box", {300, 20}, 0, {300, 20}, {110, 20}},
        {"below right", {300, 200}, 0, {300, 200}, {110, 30}},
        {"inside: the centre", {50, 20}, 0, {50, 20}, {60, 20}},
        {"distance 10", {300, 20}, 10, {290, 20}, {110, 20}},
    };
    tool.Callout()->Arrow()->SetVisible(true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tool.Callout()->SetXPosition(c.target.X);
        tool.Callout()->SetYPosition(c.target.Y);
        tool.Callout()->SetDistance(c.distance);
        const TRecordingCanvas& canvas = Record();
        const std::string move = "MoveTo(" + std::to_string(c.from.X) + "," + std::to_string(c.from.Y) + ")";
        const std::string line = "LineTo(" + std::to_string(c.to.X) + "," + std::to_string(c.to.Y) + ")";
        EXPECT_TRUE(Logged(canvas, move) && Logged(canvas, line)) << canvas.LogText();
    }
}

TEST_F(AnnotationTest, TheNameIsTheTextUntilATextIsSet)
{
    auto& other = *new TAnnotationTool(form.get());
    other.SetName("ChartTool1");
    EXPECT_EQ(other.Text(), "ChartTool1");
    other.SetName("Renamed");
    EXPECT_EQ(other.Text(), "Renamed");
    other.SetText("mine");
    EXPECT_EQ(other.Text(), "mine");
}

TEST_F(AnnotationTest, SettingTheSizeEndsAutoSizing)
{
    auto& fresh = *new TAnnotationTool(form.get());
    EXPECT_TRUE(fresh.AutoSize());
    fresh.SetWidth(120);
    EXPECT_FALSE(fresh.AutoSize());
    EXPECT_EQ(fresh.Width(), 120);
}

TEST_F(AnnotationTest, ClicksInsideTheBoxReachItsEventsAndLeaveTheChartItsZoom)
{
    std::vector<std::string> log;
    tool.SetOnClick([&](TAnnotationTool*, TMouseButton, TShiftState, int x, int y) {
        log.push_back("click " + std::to_string(x) + "," + std::to_string(y));
    });
    tool.SetOnDblClick([&](TAnnotationTool*, TMouseButton, TShiftState, int, int) { log.push_back("double"); });
    Frame();
    testkit::MouseDown(chart, mbLeft, 50, 20);
    testkit::MouseUp(chart, mbLeft, 50, 20);
    testkit::MouseDown(chart, mbLeft, 200, 200);
    testkit::MouseUp(chart, mbLeft, 200, 200);
    EXPECT_EQ(log, (std::vector<std::string>{"click 50,20"}));
    log.clear();
    testkit::DblClick(chart, 50, 20);
    EXPECT_NE(std::find(log.begin(), log.end(), "double"), log.end());
}

TEST_F(AnnotationTest, HoveringLightsTheBoxUntilTheMouseLeavesAndSetsOnlyAChosenCursor)
{
    tool.Selected()->Hover()->SetVisible(true);
    Frame();
    testkit::MouseMove(chart, 50, 20);
    EXPECT_EQ(tool.Selected()->HoverIndex(), 0);
    EXPECT_FALSE(chart.MouseHandled());
    tool.ChartDrawStage(cdsMouseLeave);
    EXPECT_EQ(tool.Selected()->HoverIndex(), -1);

    tool.SetCursor(crHandPoint);
    testkit::MouseMove(chart, 51, 20);
    EXPECT_EQ(chart.Cursor(), crHandPoint);
    EXPECT_TRUE(chart.MouseHandled());
}

}  // namespace
