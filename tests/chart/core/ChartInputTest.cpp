// The chart under the mouse, wheel and keys, driven through the window's own input paths on a
// shown form: zoom and pan drags, wheel steps, clicks on the chart's parts, the tools' stages and
// the zoom history.
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "AxisFixtures.h"
#include "chart/core/AxisShapes.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartTitles.h"
#include "chart/core/ChartTools.h"
#include "platform/forms/Forms.h"
#include "platform/forms/TestKit.h"
#include "platform/forms/VirtualKeys.h"
#include "platform/classes/Published.h"

namespace {

// Points hit within 2 pixels of where they are drawn; the pointer answers as told.
class TClickSeries : public TTestSeries {
    TV_CLASS(TClickSeries, TTestSeries)
public:
    using TTestSeries::TTestSeries;
    bool PointerHits = false;
    std::vector<std::string>* Log = nullptr;
    int HitTest(int x, int y) override
    {
        for (int i = 0; i < Count(); ++i)
            if (std::abs(PointScreenX(i) - x) <= 2 && std::abs(PointScreenY(i) - y) <= 2) return i;
        return -1;
    }
    bool IsOverPointer(int, int) override { return PointerHits; }
    void FirePointClick(int index, TMouseButton button, TShiftState shift, int x, int y) override
    {
        if (Log) Log->push_back("point " + std::to_string(index) + (HoverPart() == 2 ? " pointer" : ""));
        TTestSeries::FirePointClick(index, button, shift, x, y);
    }
};

// Notes every stage it hears; takes (sets MouseHandled on) the one named Cancel.
class TRecordingTool : public TZebCustomTool {
    TV_CLASS(TRecordingTool, TZebCustomTool)
public:
    using TZebCustomTool::TZebCustomTool;
    std::vector<std::string> Log;
    std::string Cancel;
    void HandleMouse(TToolMouseKind kind, TMouseButton, TShiftState, int, int) override { note("mouse " + std::to_string(kind)); }
    void HandleKey(TToolKeyKind kind, Word& key, TShiftState, char keyChar) override
    {
        std::string s = "key " + std::to_string(kind) + " " + std::to_string(key);
        if (keyChar) s += std::string(" ") + keyChar;
        note(s);
    }
    void HandleWheel(TToolWheelKind kind, int delta, int, int) override
    {
        note("wheel " + std::to_string(kind) + " " + std::to_string(delta));
    }

private:
    void note(const std::string& stage)
    {
        Log.push_back(stage);
        if (stage == Cancel) ParentChart()->SetMouseHandled(true);
    }
};

// Counts its frames.
class TFramedChart : public TChart {
    TV_CLASS(TFramedChart, TChart)
public:
    using TChart::TChart;
    int Frames = 0;
    void DrawChart(const TRect& rect) override
    {
        ++Frames;
        TChart::DrawChart(rect);
    }
};

}  // namespace

TV_PUBLISHED(TClickSeries) {}
TV_PUBLISHED(TRecordingTool) {}
TV_PUBLISHED(TFramedChart) {}

namespace {

struct Range {
    double Min, Max;
};

class ChartInputTest : public ChartCoreSuite {
protected:
    void SetUp() override
    {
        form->SetBounds(0, 0, 500, 400);
        chart.SetParent(form.get());
        chart.SetBounds(0, 0, 400, 300);
        chart.SetView3D(false);
        series.Log = &log;
        for (int i = 0; i <= 10; ++i) series.AddXY(i, 10 * i);
        series.SetParentChart(&chart);
        form->Show();
        testkit::Pump();
        Frame();
    }
    void Frame()
    {
        chart.Invalidate();
        chart.Repaint();
    }
    void Drag(TMouseButton button, int x0, int y0, int x1, int y1)
    {
        testkit::MouseDown(chart, button, x0, y0);
        testkit::MouseMove(chart, (x0 + x1) / 2, (y0 + y1) / 2);
        testkit::MouseMove(chart, x1, y1);
        testkit::MouseUp(chart, button, x1, y1);
        Frame();
    }
    static Range Limits(const TChartAxis* axis) { return {axis->Minimum(), axis->Maximum()}; }
    static Range Shown(const TChartAxis* axis) { return {axis->WorkingMinimum(), axis->WorkingMaximum()}; }
    // A free spot inside the plot, away from the points.
    int X() const { return chart.ChartRect().Left + 40; }
    int Y() const { return chart.ChartRect().Top + 30; }

    TOwnedPtr<TForm> form{new TForm(nullptr)};
    TFramedChart& chart = *new TFramedChart(form.get());
    TClickSeries& series = *new TClickSeries(form.get());
    std::vector<std::string> log;
};

#define EXPECT_RANGE(axis, lo, hi)                  \
    do {                                            \
        EXPECT_NEAR((axis)->Minimum(), (lo), 1e-9); \
        EXPECT_NEAR((axis)->Maximum(), (hi), 1e-9); \
    } while (0)

// ---- zoom drags ----

TEST_F(ChartInputTest, ADragZoomsOnlyBeyondTheMinimumPixelsAndSetsTheFourAxes)
{
    struct Case {
        int dx, dy;
        bool zooms;
    };
    for (const Case c : {Case{16, 40, false}, Case{40, 16, false}, Case{16, 16, false}, Case{17, 17, true}}) {
        SCOPED_TRACE(std::to_string(c.dx) + "," + std::to_string(c.dy));
        const int x1 = X() + c.dx, y1 = Y() + c.dy;
        const Range bottom{chart.BottomAxis()->PixelToValue(X()), chart.BottomAxis()->PixelToValue(x1)};
        const Range top{chart.TopAxis()->PixelToValue(X()), chart.TopAxis()->PixelToValue(x1)};
        const Range left{chart.LeftAxis()->PixelToValue(y1), chart.LeftAxis()->PixelToValue(Y())};
        const Range right{chart.RightAxis()->PixelToValue(y1), chart.RightAxis()->PixelToValue(Y())};
        Drag(mbLeft, X(), Y(), x1, y1);
        EXPECT_EQ(chart.Zoomed(), c.zooms);
        EXPECT_EQ(chart.BottomAxis()->Automatic(), !c.zooms);
        if (!c.zooms) continue;
        EXPECT_RANGE(chart.BottomAxis(), bottom.Min, bottom.Max);
        EXPECT_RANGE(chart.TopAxis(), top.Min, top.Max);
        EXPECT_RANGE(chart.LeftAxis(), left.Min, left.Max);
        EXPECT_RANGE(chart.RightAxis(), right.Min, right.Max);
        EXPECT_FALSE(chart.Zoom()->Active());
    }
}

TEST_F(ChartInputTest, ALeftwardDragUndoesUnlessUpLeftZooms)
{
    const Range start = Shown(chart.BottomAxis());
    Drag(mbLeft, X(), Y(), X() + 60, Y() + 60);
    ASSERT_TRUE(chart.Zoomed());
    Drag(mbLeft, X() + 60, Y() + 60, X(), Y());
    EXPECT_FALSE(chart.Zoomed());
    EXPECT_TRUE(chart.BottomAxis()->Automatic());
    EXPECT_TRUE(chart.LeftAxis()->Automatic());
    EXPECT_TRUE(chart.ScalesNotSaved());
    EXPECT_NEAR(chart.BottomAxis()->WorkingMinimum(), start.Min, 1e-9);

    chart.Zoom()->SetUpLeftZooms(true);
    const Range expected{chart.BottomAxis()->PixelToValue(X()), chart.BottomAxis()->PixelToValue(X() + 60)};
    Drag(mbLeft, X() + 60, Y() + 60, X(), Y());
    EXPECT_TRUE(chart.Zoomed());
    EXPECT_RANGE(chart.BottomAxis(), expected.Min, expected.Max);
}

TEST_F(ChartInputTest, UndoRestoresTheStartWithoutHistoryAndStepsBackWithIt)
{
    for (const bool history : {false, true}) {
        SCOPED_TRACE(history);
        chart.Zoom()->SetHistory(history);
        Drag(mbLeft, X(), Y(), X() + 200, Y() + 150);
        const Range first = Limits(chart.BottomAxis());
        Drag(mbLeft, X(), Y(), X() + 100, Y() + 100);
        ASSERT_NE(Limits(chart.BottomAxis()).Max, first.Max);
        chart.RevertZoom();
        if (history) {
            EXPECT_RANGE(chart.BottomAxis(), first.Min, first.Max);
            EXPECT_FALSE(chart.BottomAxis()->Automatic());
            chart.RevertZoom();
        }
        EXPECT_TRUE(chart.BottomAxis()->Automatic());
        EXPECT_TRUE(chart.LeftAxis()->Automatic());
        EXPECT_TRUE(chart.ScalesNotSaved());
        Frame();
    }
}

TEST_F(ChartInputTest, AHorizontalZoomPinsTheDragToThePlotHeightAndLeavesTheVerticalAxes)
{
    chart.Zoom()->SetDirection(tzdHorizontal);
    testkit::MouseDown(chart, mbLeft, X(), Y());
    EXPECT_EQ(chart.Zoom()->Y0(), chart.ChartRect().Top);
    EXPECT_EQ(chart.Zoom()->Y1(), chart.ChartRect().Bottom);
    testkit::MouseMove(chart, X() + 50, Y() + 5);
    EXPECT_EQ(chart.Zoom()->Y1(), chart.ChartRect().Bottom);
    // Only the width counts: 5 pixels down is no objection.
    testkit::MouseUp(chart, mbLeft, X() + 50, Y() + 5);
    EXPECT_TRUE(chart.Zoomed());
    EXPECT_FALSE(chart.BottomAxis()->Automatic());
    EXPECT_FALSE(chart.TopAxis()->Automatic());
    EXPECT_TRUE(chart.LeftAxis()->Automatic());
    EXPECT_TRUE(chart.RightAxis()->Automatic());
}

TEST_F(ChartInputTest, AnAnimatedZoomPaintsItsIntermediateFramesAtOnce)
{
    chart.Zoom()->SetAnimated(true);
    int framesAtZoom = -1;
    chart.SetOnZoom(TNotifyEvent([&](TObject*) { framesAtZoom = chart.Frames; }));
    const int before = chart.Frames;
    Drag(mbLeft, X(), Y(), X() + 60, Y() + 60);
    EXPECT_EQ(framesAtZoom - before, 7);
}

TEST_F(ChartInputTest, ZoomPercentNarrowsOrWidensEachEndAndLeavesAVanishingRange)
{
    struct Case {
        int percent;
        double shrink;  // of the width, at each end
    };
    for (const Case c : {Case{110, 0.1}, Case{90, -0.1}, Case{150, 0}, Case{300, 0}}) {
        SCOPED_TRACE(c.percent);
        const Range shown = Shown(chart.BottomAxis());
        const double d = (shown.Max - shown.Min) * c.shrink;
        chart.ZoomPercent(c.percent);
        EXPECT_RANGE(chart.BottomAxis(), shown.Min + d, shown.Max - d);
        EXPECT_LT(chart.BottomAxis()->Minimum(), chart.BottomAxis()->Maximum());
        chart.RevertZoom();
        Frame();
    }
}

TEST_F(ChartInputTest, SnapshotsHoldTheStandardAxesThenTheCustomOnes)
{
    TChartAxis* custom = chart.CustomAxes()->AddAxis();
    custom->ApplyRange(5, 9);
    chart.BottomAxis()->ApplyRange(1, 2);
    chart.TopAxis()->ApplyRange(3, 4);
    chart.LeftAxis()->ApplyRange(10, 20);
    chart.RightAxis()->ApplyRange(30, 40);
    chart.AddZoomSnapshot();
    const TZoomSnapshot& s = *chart.Zoom()->GetHistoryList()->Items(0);
    EXPECT_EQ(s.StandardAxes, (std::vector<double>{10, 20, 3, 4, 30, 40, 1, 2}));
    EXPECT_EQ(s.CustomAxisCount, 1);
    EXPECT_EQ(s.CustomAxes, (std::vector<std::vector<double>>{{5, 9}}));

    chart.LeftAxis()->ApplyRange(0, 1);
    chart.BottomAxis()->ApplyRange(0, 1);
    chart.AddZoomSnapshot();
    chart.RestorePreviousZoom();
    EXPECT_RANGE(chart.LeftAxis(), 10, 20);
    EXPECT_RANGE(chart.BottomAxis(), 1, 2);
    EXPECT_RANGE(custom, 5, 9);
}

// ---- panning and the wheel ----

TEST_F(ChartInputTest, AHorizontalPanMovesOnlyHorizontalAxesAndMovingBackRestoresThem)
{
    chart.SetAllowPanning(pmHorizontal);
    const Range start = Shown(chart.BottomAxis());
    int scrolls = 0;
    chart.SetOnScroll(TNotifyEvent([&](TObject*) { ++scrolls; }));
    testkit::MouseDown(chart, mbRight, X(), Y());
    testkit::MouseMove(chart, X() + 30, Y() + 20, {ssRight});
    const double perPixel = (start.Max - start.Min) / chart.BottomAxis()->AxisSize();
    EXPECT_NEAR(chart.BottomAxis()->Minimum(), start.Min - 30 * perPixel, 1e-9);
    EXPECT_TRUE(chart.LeftAxis()->Automatic());
    testkit::MouseMove(chart, X(), Y(), {ssRight});
    testkit::MouseUp(chart, mbRight, X(), Y());
    EXPECT_RANGE(chart.BottomAxis(), start.Min, start.Max);
    EXPECT_EQ(scrolls, 2);
    EXPECT_FALSE(chart.Panning()->Active());
}

TEST_F(ChartInputTest, OnAllowScrollMayRefuseOrChangeAPan)
{
    chart.SetOnAllowScroll(TChartAllowScrollEvent([&](TChartAxis* axis, double& lo, double& hi, bool& allow) {
        if (axis == chart.LeftAxis()) allow = false;
        if (axis == chart.BottomAxis()) lo = -1, hi = 1;
    }));
    Drag(mbRight, X(), Y(), X() + 30, Y() + 20);
    EXPECT_TRUE(chart.LeftAxis()->Automatic());
    EXPECT_RANGE(chart.BottomAxis(), -1, 1);
}

TEST_F(ChartInputTest, ALimitThatIsNotAUsableNumberIsNeverApplied)
{
    // Near the far end of a span of 3.4e308 every pixel's value overflows: the pan's delta is
    // NaN, and neither end may take it.
    chart.BottomAxis()->ApplyRange(-1.7e308, 1.7e308);
    Frame();
    const TRect& r = chart.ChartRect();
    Drag(mbRight, r.Right - 2, Y(), r.Right - 1, Y());
    EXPECT_EQ(chart.BottomAxis()->Minimum(), -1.7e308);
    EXPECT_EQ(chart.BottomAxis()->Maximum(), 1.7e308);
}

TEST_F(ChartInputTest, AWheelStepScrollsTheVerticalAxesByThreePercent)
{
    const Range start = Shown(chart.LeftAxis());
    const double step = (start.Max - start.Min) * 0.03;
    EXPECT_TRUE(testkit::MouseWheel(chart, 120, X(), Y()));
    EXPECT_RANGE(chart.LeftAxis(), start.Min + step, start.Max + step);
    EXPECT_TRUE(chart.BottomAxis()->Automatic());
    testkit::MouseWheel(chart, -120, X(), Y());
    EXPECT_RANGE(chart.LeftAxis(), start.Min, start.Max);

    // Inverted, the same turn goes the other way; a refusal keeps the axis where it is.
    chart.Panning()->SetMouseWheel(pmwInverted);
    testkit::MouseWheel(chart, 120, X(), Y());
    EXPECT_RANGE(chart.LeftAxis(), start.Min - step, start.Max - step);
    chart.SetOnAllowScroll(TChartAllowScrollEvent([](TChartAxis*, double&, double&, bool& allow) { allow = false; }));
    testkit::MouseWheel(chart, 120, X(), Y());
    EXPECT_RANGE(chart.LeftAxis(), start.Min - step, start.Max - step);
}

TEST_F(ChartInputTest, WithoutWheelPanningTheWheelZooms)
{
    chart.Panning()->SetMouseWheel(pmwNone);
    chart.Zoom()->SetMouseWheel(pmwNormal);
    const Range start = Shown(chart.BottomAxis());
    const double d = (start.Max - start.Min) * 0.1;
    testkit::MouseWheel(chart, 120, X(), Y());
    EXPECT_RANGE(chart.BottomAxis(), start.Min + d, start.Max - d);
    EXPECT_TRUE(chart.Zoomed());
}

// ---- clicks ----

TEST_F(ChartInputTest, APlotClickWithoutActiveSeriesIsNothingAndStartsNoZoom)
{
    series.SetActive(false);
    Frame();
    EXPECT_EQ(chart.PartAtPoint({X(), Y()}).Part, cpNone);
    testkit::MouseDown(chart, mbLeft, X(), Y());
    EXPECT_FALSE(chart.Zoom()->Active());
    testkit::MouseUp(chart, mbLeft, X(), Y());
}

TEST_F(ChartInputTest, APointClickGoesToTheSeriesThenOnClickSeriesWhichMayStopTheZoom)
{
    const int px = series.PointScreenX(5), py = series.PointScreenY(5);
    bool clearCancel = false;
    series.SetOnClick(TSeriesClick([&](TChartSeries*, int index, TMouseButton, TShiftState, int, int) {
        log.push_back("series OnClick " + std::to_string(index));
    }));
    chart.SetOnClickSeries(TChartClickSeries([&](TCustomChart*, TChartSeries* s, int index, TMouseButton, TShiftState, int, int) {
        log.push_back(std::string("chart OnClickSeries ") + std::to_string(index) + (s == &series ? "" : "?"));
        if (clearCancel) chart.SetMouseHandled(false);
    }));
    testkit::MouseDown(chart, mbLeft, px, py);
    EXPECT_EQ(log, (std::vector<std::string>{"point 5", "series OnClick 5", "chart OnClickSeries 5"}));
    EXPECT_FALSE(chart.Zoom()->Active());
    testkit::MouseUp(chart, mbLeft, px, py);

    clearCancel = true;
    series.PointerHits = true;
    log.clear();
    testkit::MouseDown(chart, mbLeft, px, py);
    EXPECT_EQ(log.front(), "point 5 pointer");
    EXPECT_TRUE(chart.Zoom()->Active());
    testkit::MouseUp(chart, mbLeft, px, py);
}

TEST_F(ChartInputTest, ABackgroundHandlerThatLetsTheClickGoOnHearsItTwice)
{
    for (const bool letGo : {false, true}) {
        int calls = 0;
        chart.SetOnClickBackground(TChartClick([&](TCustomChart*, TMouseButton, TShiftState, int, int) {
            ++calls;
            if (letGo) chart.SetMouseHandled(false);
        }));
        testkit::MouseDown(chart, mbLeft, X(), Y());
        testkit::MouseUp(chart, mbLeft, X(), Y());
        EXPECT_EQ(calls, letGo ? 2 : 1);
    }
}

TEST_F(ChartInputTest, TheClickedPartOfEachPlace)
{
    chart.Title()->Lines()->Add("Tilt");
    chart.Foot()->Lines()->Add("Sensor");
    chart.LeftAxis()->Title()->SetCaption("Degrees");
    Frame();
    const auto centre = [](const TRect& r) { return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; };
    struct Case {
        const char* name;
        TPoint at;
        TChartClickedPartStyle part;
    };
    const Case cases[] = {
        {"plot", {X(), Y()}, cpChartRect},
        {"point", {series.PointScreenX(3), series.PointScreenY(3)}, cpSeries},
        {"axis labels", centre(chart.LeftAxis()->GetLabelsArea()), cpAxis},
        {"axis title", centre(chart.LeftAxis()->Title()->ShapeBounds()), cpAxisTitle},
        {"title", centre(chart.Title()->GetBoundsRect()), cpTitle},
        {"foot", centre(chart.Foot()->GetBoundsRect()), cpFoot},
        {"corner", {1, 1}, cpNone},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TChartClickedPart part = chart.PartAtPoint(c.at);
        EXPECT_EQ(part.Part, c.part);
        const bool onSeries = c.part == cpSeries, onAxis = c.part == cpAxis || c.part == cpAxisTitle;
        EXPECT_EQ(part.PointIndex, onSeries ? 3 : -1);
        EXPECT_EQ(part.ASeries, onSeries ? &series : nullptr);
        EXPECT_EQ(part.AAxis, onAxis ? chart.LeftAxis() : nullptr);
    }
    // Only clickable series count for the mouse: without handlers the point is plot area.
    EXPECT_EQ(chart.FindPartAt({series.PointScreenX(3), series.PointScreenY(3)}, true).Part, cpChartRect);
}

TEST_F(ChartInputTest, AxisDisplayNames)
{
    TChartAxis* custom = chart.CustomAxes()->AddAxis();
    custom->SetOtherSide(true);
    struct Case {
        TChartAxis* axis;
        const char* name;
    };
    for (const Case& c : {Case{chart.LeftAxis(), "Left Axis"}, Case{chart.RightAxis(), "Right Axis"},
                          Case{chart.TopAxis(), "Top Axis"}, Case{chart.BottomAxis(), "Bottom Axis"},
                          Case{chart.DepthAxis(), "Depth Right"}, Case{chart.DepthTopAxis(), "Depth Top"},
                          Case{custom, "Right Axis"}})
        EXPECT_EQ(chart.AxisDisplayName(c.axis), c.name);
    chart.BottomAxis()->Title()->SetCaption("Time");
    EXPECT_EQ(chart.AxisDisplayName(chart.BottomAxis()), "Time");
}

// ---- tools first ----

TEST_F(ChartInputTest, ToolsHearEveryStageInOrder)
{
    auto* tool = new TRecordingTool(form.get());
    tool->SetParentChart(&chart);
    testkit::MouseDown(chart, mbLeft, X(), Y());
    testkit::MouseMove(chart, X() + 1, Y() + 1, {ssLeft});
    testkit::MouseUp(chart, mbLeft, X() + 1, Y() + 1);
    testkit::KeyPress(chart, 'A');
    testkit::MouseWheel(chart, 120, X(), Y());
    testkit::MouseWheel(chart, -120, X(), Y());
    EXPECT_EQ(tool->Log, (std::vector<std::string>{"mouse 0", "mouse 1", "mouse 2", "key 0 65", "key 2 0 a", "key 1 65",
                                                   "wheel 1 120", "wheel 2 1", "wheel 1 -120", "wheel 0 -1"}));
}

TEST_F(ChartInputTest, AToolThatTakesAnEventStopsTheChartsOwnHandling)
{
    auto* tool = new TRecordingTool(form.get());
    tool->SetParentChart(&chart);
    auto* later = new TRecordingTool(form.get());
    later->SetParentChart(&chart);

    tool->Cancel = "mouse 0";
    Drag(mbLeft, X(), Y(), X() + 60, Y() + 60);
    EXPECT_FALSE(chart.Zoomed());
    EXPECT_EQ(later->Log, (std::vector<std::string>{"mouse 1", "mouse 1", "mouse 2"}));

    tool->Cancel = "wheel 1 120";
    testkit::MouseWheel(chart, 120, X(), Y());
    EXPECT_TRUE(chart.LeftAxis()->Automatic());
    EXPECT_EQ(later->Log.back(), "mouse 2");

    // An inactive tool hears nothing.
    tool->SetActive(false);
    tool->Log.clear();
    testkit::MouseWheel(chart, 120, X(), Y());
    EXPECT_TRUE(tool->Log.empty());
    EXPECT_FALSE(chart.LeftAxis()->Automatic());
}

}  // namespace
