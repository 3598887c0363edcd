// The series' drawing loop: the visible run by bisection against the point-by-point walk, the
// order points are drawn in, the elements, clip and hooks around them, and screen positions.
#include <algorithm>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "AxisFixtures.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/core/ChartTools.h"
#include "chart/core/VisibleRange.h"
#include "platform/classes/Published.h"
#include "tests/chart/support/RecordingCanvas.h"
#include "tests/chart/support/VisibleRangeWalk.h"

namespace {

// Logs the elements too, so their nesting shows among the drawing calls.
class TElementCanvas : public TRecordingCanvas {
public:
    using TRecordingCanvas::TRecordingCanvas;
    TObject* BeginElement(const String& name, TObject* owner, TZebTransform* transform) override
    {
        Note("Begin(" + name + ")");
        LastOwner = owner;
        LastTransform = transform;
        return owner;
    }
    void EndElement() override { Note("End()"); }
    TObject* LastOwner = nullptr;
    TZebTransform* LastTransform = nullptr;
};

// Notes each point it draws and the hooks around them on the canvas log.
class TDrawSeries : public TTestSeries {
public:
    using TTestSeries::TTestSeries;
    TElementCanvas* Canvas = nullptr;
    std::vector<int> Drawn;
    std::vector<int> Order;  // explicit drawing order, empty for index order
    int ThrowAt = -1;
    void DrawPoint(int index) override
    {
        if (index == ThrowAt) throw std::runtime_error("point");
        Drawn.push_back(index);
        if (Canvas) Canvas->Note("Point(" + std::to_string(index) + ")");
    }
    void GetPointDrawOrder(int, int, std::vector<int>& order, bool) override { order = Order; }
    void BeforeDrawPoints() override
    {
        if (Canvas) Canvas->Note("Before");
        TTestSeries::BeforeDrawPoints();
    }
    void AfterDrawPoints() override
    {
        if (Canvas) Canvas->Note("After");
        TTestSeries::AfterDrawPoints();
    }
};

class TStageTool : public TZebCustomTool {
    TV_CLASS(TStageTool, TZebCustomTool)
public:
    using TZebCustomTool::TZebCustomTool;
    std::vector<int> Stages;
    void SeriesDrawStage(TChartSeries*, TSeriesDrawStage stage) override { Stages.push_back(stage); }
};

}  // namespace

TV_PUBLISHED(TStageTool) {}

class DrawLoop : public ChartCoreSuite {
protected:
    void SetUp() override
    {
        chart.SetBounds(0, 0, 500, 400);
        chart.SetView3D(false);
        canvas = new TElementCanvas(500, 400);
        chart.ReplaceCanvas(canvas);
        chart.SetChartRect({100, 20, 400, 320});  // 300 x 300 pixels
        chart.NormalizeChartRect();
        NewSeries();
    }
    // A fresh series in place of the last one.
    void NewSeries()
    {
        if (series) series->Free();
        series = new TDrawSeries(&owner);
        series->SetName("Line");
        series->SetParentChart(&chart);
        series->Canvas = canvas;
    }
    void Fill(int count, bool descending = false)
    {
        series->OrderValueList()->SetOrder(descending ? loDescending : loAscending);
        for (int i = 0; i < count; ++i) series->AddXY(descending ? count - 1 - i : i, i);
    }
    // The independent axis at low .. high over the chart rectangle.
    TChartAxis& Show(double low, double high)
    {
        TChartAxis& axis = series->YMandatory() ? *chart.BottomAxis() : *chart.LeftAxis();
        axis.ApplyRange(low, high);
        axis.ComputePixelBounds();
        axis.ComputeRange();
        return axis;
    }
    std::pair<int, int> Range()
    {
        series->FindVisibleRange();
        return {series->FirstVisibleIndex(), series->LastVisibleIndex()};
    }

    TComponent owner{nullptr};
    TTestAxisPanel chart{nullptr};
    TElementCanvas* canvas = nullptr;
    TDrawSeries* series = nullptr;
};

TEST_F(DrawLoop, VisibleRangeTable)
{
    struct Case {
        const char* what;
        double low, high;
        bool beyond, inverted;
        int minOffset, maxOffset;
        bool horizontal;
        TChartListOrder order;
        std::pair<int, int> expected;
    };
    // what, axis low .. high, beyond, inverted, minimum and maximum offset, horizontal, order
    const Case cases[] = {
        {"edges on points", 700, 1000, true, false, 0, 0, false, loAscending, {700, 1000}},
        {"edges between points keep the one beyond", 700.5, 999.5, true, false, 0, 0, false, loAscending, {701, 1000}},
        {"edges between points without it", 700.5, 999.5, false, false, 0, 0, false, loAscending, {701, 999}},
        {"all left", 2000, 3000, true, false, 0, 0, false, loAscending, {-1, -1}},
        {"all right", -500, -100, true, false, 0, 0, false, loAscending, {0, 0}},
        {"all right without the one beyond", -500, -100, false, false, 0, 0, false, loAscending, {0, 0}},
        {"unordered list", 700, 1000, true, false, 0, 0, false, loNone, {0, 1000}},
        {"inverted axis", 700, 1000, true, true, 0, 0, false, loAscending, {700, 1000}},
        {"offsets move both edges in by pixels", 700, 1000, true, false, 10, 5, false, loAscending, {709, 996}},
        {"offsets on an inverted axis", 700, 1000, true, true, 10, 5, false, loAscending, {691, 1000}},
        {"horizontal series on the left axis", 700.5, 999.5, true, false, 0, 0, true, loAscending, {701, 1000}},
        {"descending list from its first point", 700, 1000, true, false, 0, 0, false, loDescending, {0, 1000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NewSeries();
        if (c.horizontal) series->MakeHorizontal();
        Fill(1001, c.order == loDescending);
        series->OrderValueList()->SetOrder(c.order);
        series->SetDrawBeyondLastVisible(c.beyond);
        TChartAxis& axis = Show(c.low, c.high);
        axis.SetInverted(c.inverted);
        axis.SetMinimumOffset(c.minOffset);
        axis.SetMaximumOffset(c.maxOffset);
        EXPECT_EQ(Range(), c.expected);
    }
}

TEST_F(DrawLoop, EmptySeriesHasNoRange)
{
    Show(0, 10);
    EXPECT_EQ(Range(), std::make_pair(-1, -1));
}

// Random ordered columns with runs of equal values, bounds on, between and beyond the values, a
// lowest above the highest: the bisection gives the walk's answer every time.
TEST_F(DrawLoop, BisectionAgreesWithWalk)
{
    std::mt19937 random(21);
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    for (int round = 0; round < 20000; ++round) {
        const int n = pick(12);
        std::vector<double> values;
        double v = pick(5) - 2;
        for (int i = 0; i < n; ++i) values.push_back(v += pick(3));  // steps of 0, 1, 2
        const bool descending = pick(2);
        if (descending) std::reverse(values.begin(), values.end());
        const double lowest = pick(30) / 2.0 - 4, highest = pick(30) / 2.0 - 4;
        const bool beyond = pick(2);
        const TVisibleRange fast = OrderedVisibleRange(values, descending, lowest, highest, beyond);
        const TVisibleRange walk = WalkVisibleRange(values, lowest, highest, beyond);
        ASSERT_EQ(std::make_pair(fast.First, fast.Last), std::make_pair(walk.First, walk.Last))
            << "round " << round << " n " << n << " lowest " << lowest << " highest " << highest;
    }
}

// The same through a chart: random axis ranges, offsets and inversions on both orientations; the
// walk is handed the values at the edge pixels the drawing loop looks at.
TEST_F(DrawLoop, SeriesRangeAgreesWithWalk)
{
    std::mt19937 random(5);
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    for (int round = 0; round < 300; ++round) {
        NewSeries();
        const bool horizontal = pick(2), descending = pick(2);
        if (horizontal) series->MakeHorizontal();
        series->OrderValueList()->SetOrder(descending ? loDescending : loAscending);
        std::vector<double> values;
        double v = pick(50);
        for (int i = 0; i < 200; ++i) values.push_back(v += pick(3));
        if (descending) std::reverse(values.begin(), values.end());
        for (double x : values) series->AddXY(horizontal ? 0 : x, horizontal ? x : 0);
        series->SetDrawBeyondLastVisible(pick(2));
        const double low = pick(400) - 20;
        TChartAxis& axis = Show(low, low + 1 + pick(200));
        axis.SetInverted(pick(2));
        const bool offset = pick(2);
        axis.SetMinimumOffset(offset ? pick(20) : 0);
        axis.SetMaximumOffset(offset ? pick(20) : 0);
        const TRect& r = chart.ChartRect();
        const bool offsets = axis.MinimumOffset() || axis.MaximumOffset();
        int lowPixel, highPixel;
        if (!horizontal) {
            lowPixel = axis.Inverted() ? r.Right : r.Left;
            highPixel = axis.Inverted() ? r.Left : r.Right;
            if (offsets) lowPixel += axis.MinimumOffset() - 1, highPixel -= axis.MaximumOffset() - 1;
        } else {
            lowPixel = axis.Inverted() ? r.Top : r.Bottom;
            highPixel = axis.Inverted() ? r.Bottom : r.Top;
            if (offsets) lowPixel -= axis.MaximumOffset(), highPixel += axis.MinimumOffset();
        }
        const TVisibleRange walk = WalkVisibleRange(values, axis.PixelToValue(lowPixel), axis.PixelToValue(highPixel),
                                                    series->DrawBeyondLastVisible());
        ASSERT_EQ(Range(), std::make_pair(walk.First, walk.Last)) << "round " << round;
    }
}

TEST_F(DrawLoop, InvertedAxisDrawsLastToFirst)
{
    Fill(10);
    TChartAxis& axis = Show(6, 9);
    series->FindVisibleRange();
    series->DrawVisiblePoints();
    EXPECT_EQ(series->Drawn, (std::vector<int>{6, 7, 8, 9}));
    axis.SetInverted(true);
    series->Drawn.clear();
    series->DrawVisiblePoints();
    EXPECT_EQ(series->Drawn, (std::vector<int>{9, 8, 7, 6}));
    EXPECT_EQ(series->FirstDrawnIndex(), 9);
    EXPECT_EQ(series->LastDrawnIndex(), 6);
    // The 3-D view from the other side turns it round again; an explicit order is walked backwards.
    chart.PointOrderMirrored = true;
    series->Order = {7, 6, 9};
    series->Drawn.clear();
    series->DrawVisiblePoints();
    EXPECT_EQ(series->Drawn, (std::vector<int>{7, 6, 9}));
    axis.SetInverted(false);
    series->Drawn.clear();
    series->DrawVisiblePoints();
    EXPECT_EQ(series->Drawn, (std::vector<int>{9, 6, 7}));
    EXPECT_FALSE(series->IsStackOrderForward(0));
}

TEST_F(DrawLoop, SeriesDrawsInsideClipAndElements)
{
    Fill(10);
    Show(6, 8);
    series->SetDrawBeyondLastVisible(true);
    canvas->SetRecordElements(true);
    auto* tool = new TStageTool(&owner);
    tool->SetParentChart(&chart);
    int before = 0, after = 0;
    series->SetBeforeDrawValues([&](TObject*) { ++before; });
    series->SetAfterDrawValues([&](TObject*) { ++after; });
    canvas->ClearLog();
    series->DrawInChart();
    EXPECT_EQ(canvas->LogText(),
              "ClipToBox(100,19,400,321,0,0)\nBegin(Line)\nBefore\n"
              "Begin(6)\nPoint(6)\nEnd()\nBegin(7)\nPoint(7)\nEnd()\nBegin(8)\nPoint(8)\nEnd()\n"
              "RemoveClip()\nAfter\nEnd()\n");
    EXPECT_EQ(tool->Stages, (std::vector<int>{1, 4}));
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 1);

    // Nothing in view: no hooks, no element, no clip.
    Show(20, 30);
    canvas->ClearLog();
    series->DrawInChart();
    EXPECT_EQ(canvas->LogText(), "");
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 1);
    EXPECT_EQ(tool->Stages.size(), 2u);
}

TEST_F(DrawLoop, ThrowingPointLeavesNoElementOrClipOpen)
{
    Fill(10);
    Show(6, 8);
    canvas->SetRecordElements(true);
    series->ThrowAt = 7;
    canvas->ClearLog();
    EXPECT_THROW(series->DrawInChart(), std::runtime_error);
    EXPECT_EQ(canvas->Calls("Begin").size(), canvas->Calls("End").size());
    EXPECT_EQ(canvas->Calls("RemoveClip").size(), 1u);
}

TEST_F(DrawLoop, PointElementsCarryVisualAndHookReplacesDrawPoint)
{
    Fill(10);
    Show(2, 3);
    canvas->SetRecordElements(true);
    TZebTransform grow;
    series->ElementTransform = &grow;
    auto* visual = new TSeriesVisual(nullptr);
    series->Visuals().SetTemplate(visual);
    std::vector<int> hooked;
    chart.DrawPointHook = [&](TChartSeries& s, int index) {
        EXPECT_EQ(&s, series);
        hooked.push_back(index);
    };
    series->DrawInChart();
    EXPECT_EQ(hooked, (std::vector<int>{2, 3}));
    EXPECT_TRUE(series->Drawn.empty());
    EXPECT_EQ(canvas->LastOwner, series->Visuals().VisualAt(3));
    EXPECT_NE(canvas->LastOwner, nullptr);
    EXPECT_EQ(canvas->LastTransform, nullptr);
    // The series' own element carries the animation's transform.
    canvas->ClearLog();
    series->BeginCanvasElement();
    EXPECT_EQ(canvas->LastTransform, &grow);
    EXPECT_EQ(canvas->LastOwner, series);
    // A template switched off keeps the points out of elements.
    visual->SetEnabled(false);
    canvas->ClearLog();
    series->DrawVisiblePoints();
    EXPECT_TRUE(canvas->Calls("Begin").empty());
    series->Visuals().SetTemplate(nullptr);
    visual->Free();
    series->ElementTransform = nullptr;
}

TEST_F(DrawLoop, ScreenPositions)
{
    series->AddXY(750, 50);
    series->AddXY(1000, 100);
    series->AddXY(1001, 0);
    Show(700, 1000);
    TChartAxis& left = *chart.LeftAxis();
    left.ApplyRange(0, 100);
    left.ComputePixelBounds();
    left.ComputeRange();
    EXPECT_EQ(series->ValueScreenX(700), 100);
    EXPECT_EQ(series->ValueScreenY(100), 20);
    EXPECT_DOUBLE_EQ(series->ValueAtScreenX(250), 850);
    EXPECT_DOUBLE_EQ(series->ValueAtScreenY(170), 50);
    int x = 0, y = 0;
    series->GetPointXY(0, x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(150, 170));
    EXPECT_EQ(series->MainValueToScreen(0), 320);
    EXPECT_EQ(series->XPixelSpan(30), 30);
    EXPECT_EQ(series->YPixelSpan(10), 30);
    EXPECT_TRUE(series->IsPointInPlot(0));
    EXPECT_TRUE(series->IsPointInPlot(1));  // on the top right corner
    EXPECT_FALSE(series->IsPointInPlot(2));
}

TEST_F(DrawLoop, SeriesOrderFollowsDepthAxisAndRotation)
{
    struct Case {
        bool view3D, depthInverted;
        int rotation;
        bool forward;
    };
    const Case cases[] = {
        {false, false, 345, true}, {false, true, 345, false}, {true, false, 345, true},
        {true, false, 90, false},  {true, true, 180, true},   {true, false, 270, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rotation);
        chart.SetView3D(c.view3D);
        chart.View3DOptions()->SetOrthogonal(false);
        chart.View3DOptions()->SetRotation(c.rotation);
        chart.DepthAxis()->SetInverted(c.depthInverted);
        EXPECT_EQ(series->IsSeriesOrderForward(), c.forward);
    }
}
