// Axis layout, label generation and drawing: on the recording canvas (which calls, which pixels)
// and as pictures of the main window's chart frame on both canvases.
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AxisFixtures.h"
#include "MainWindowLook.h"
#include "chart/canvas/ZebFont.h"
#include "chart/core/AxisItems.h"
#include "chart/core/AxisPens.h"
#include "chart/core/AxisShapes.h"
#include "platform/classes/Filer.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Streams.h"
#include "tests/chart/support/RecordingCanvas.h"
#include "tests/support/Golden.h"

namespace {

const String GoldenDir = TV_SOURCE_DIR "/tests/chart/core/golden";

// A panel that draws its left and bottom axes the way the chart's pipeline lays them out.
class TAxesPanel : public TTestAxisPanel {
public:
    using TTestAxisPanel::TTestAxisPanel;
    std::function<void(TAxesPanel&)> Prepare;

    void DrawChart(const TRect& rect) override
    {
        PaintPanelBackground(rect);
        if (Prepare) Prepare(*this);
        TChartAxis* axes[] = {LeftAxis(), BottomAxis()};
        TRect r = ChartRect();
        for (TChartAxis* axis : axes) {
            axis->ComputeRange();
            axis->CalcRect(r, true);
        }
        SetChartRect(r);
        NormalizeChartRect();
        for (TChartAxis* axis : axes) {
            axis->ComputePixelBounds();
            axis->ComputeRange();
            axis->ComputePixelBounds();
        }
        for (TChartAxis* axis : axes) axis->Draw(true);
    }
};

// The main window's chart: 697 x 377, 2-D, navy gradient, white labels, silver axis lines, the left
// axis fixed at -90 .. 90 and the bottom sliding over the newest 100 samples.
void MainWindowChart(TAxesPanel& panel, TTestSeries& x, TTestSeries& y, int samples)
{
    MainWindowLook(panel);
    for (TChartAxis* axis : {panel.LeftAxis(), panel.BottomAxis()}) {
        axis->LabelsFont()->SetColor(clWhite);
        axis->Axis()->SetColor(clSilver);
        axis->Axis()->SetWidth(1);
    }
    panel.LeftAxis()->SetAutomaticMaximum(false);
    panel.LeftAxis()->SetAutomaticMinimum(false);
    panel.LeftAxis()->SetMaximum(90);
    panel.LeftAxis()->SetMinimum(-90);
    x.SetParentChart(&panel);
    y.SetParentChart(&panel);
    for (int i = 0; i < samples; ++i) {
        x.AddY(60 * std::sin(i / 9.0));
        y.AddY(40 * std::cos(i / 13.0));
    }
    TChartAxis& bottom = *panel.BottomAxis();
    bottom.SetAutomaticMinimum(false);
    bottom.ComputeRange();
    if (100 < bottom.Maximum()) bottom.SetMinimum(bottom.Maximum() - 100);
}

class AxisDrawTest : public ChartCoreSuite {
protected:
    void SetUp() override
    {
        chart.SetBounds(0, 0, 400, 300);
        chart.SetView3D(false);
        canvas = new TRecordingCanvas(400, 300);
        chart.ReplaceCanvas(canvas);
        chart.SetChartRect({40, 20, 380, 260});
        chart.NormalizeChartRect();
    }
    // Lays the axis out over the chart rectangle with a fixed range and draws it.
    // Value labels, as an axis with bound series gets.
    void DrawAxis(TChartAxis& axis, double low, double high)
    {
        if (axis.LabelStyle() == talAuto) axis.SetLabelStyle(talValue);
        axis.ApplyRange(low, high);
        axis.ComputePixelBounds();
        axis.ComputeRange();
        TRect r = chart.ChartRect();
        axis.CalcRect(r, false);
        canvas->ClearLog();
        axis.Draw(true);
    }
    // Vertical lines down to the chart's bottom edge: the bottom axis' grid.
    size_t GridLines() const
    {
        const std::string end = "," + std::to_string(chart.ChartRect().Bottom) + ")";
        size_t n = 0;
        for (const std::string& line : canvas->Calls("LineTo"))
            if (line.size() > end.size() && line.compare(line.size() - end.size(), end.size(), end) == 0) ++n;
        return n;
    }
    TOwnedPtr<TAxesPanel> owned{new TAxesPanel(nullptr)};
    TAxesPanel& chart = *owned;
    TRecordingCanvas* canvas = nullptr;
};

TEST_F(AxisDrawTest, ValueLabelsAndTicksStepDownFromTheMaximum)
{
    TChartAxis& bottom = *chart.BottomAxis();
    DrawAxis(bottom, 0, 100);
    const auto& ticks = bottom.TickPositions();
    ASSERT_GE(ticks.size(), 3u);
    EXPECT_EQ(ticks.front(), bottom.ValueToPixel(100));
    EXPECT_EQ(bottom.Items().AutomaticCount(), static_cast<int>(ticks.size()));
    EXPECT_EQ(bottom.Items().AutomaticItem(0)->Text(), "100");
}

TEST_F(AxisDrawTest, LabelLoopsEndWhereAStepNoLongerMovesTheValue)
{
    TChartAxis& left = *chart.LeftAxis();
    left.SetIncrement(1);
    DrawAxis(left, 1e17, 1e17 + 64);
    EXPECT_LE(left.Items().AutomaticCount(), MaxAxisLabels);
    left.SetIncrement(0);
    DrawAxis(left, -1e308, 1e308);
    EXPECT_LE(left.Items().AutomaticCount(), MaxAxisLabels);
}

TEST_F(AxisDrawTest, OnGetNextAxisLabelThatNeverClearsStopLeavesValueLabels)
{
    int calls = 0;
    chart.SetOnGetNextAxisLabel(TAxisOnGetNextLabel([&](TChartAxis*, int, double&, bool&) { ++calls; }));
    TChartAxis& left = *chart.LeftAxis();
    DrawAxis(left, 0, 10);
    EXPECT_EQ(calls, 1);
    EXPECT_GT(left.Items().AutomaticCount(), 1);

    // Values from the handler: 0, 2.5, 5 then stop.
    chart.SetOnGetNextAxisLabel(TAxisOnGetNextLabel([](TChartAxis*, int index, double& value, bool& stop) {
        stop = index > 2;
        value = index * 2.5;
    }));
    DrawAxis(left, 0, 10);
    EXPECT_EQ(left.Items().AutomaticCount(), 3);
}

TEST_F(AxisDrawTest, GridLines)
{
    struct Case {
        const char* name;
        std::function<void(TAxisGridPen&)> setup;
        std::function<size_t(size_t ticks)> expected;
    };
    const Case cases[] = {
        {"every tick but the ends", [](TAxisGridPen&) {}, [](size_t n) { return n - 2; }},
        {"centred between labels", [](TAxisGridPen& g) { g.SetCentered(true); }, [](size_t n) { return n - 1; }},
        {"every third", [](TAxisGridPen& g) { g.SetDrawEvery(3); }, [](size_t n) { return (n + 2) / 3 - 2; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TChartAxis& bottom = *chart.BottomAxis();
        TAxisGridPen fresh;
        bottom.SetGrid(&fresh);
        bottom.Grid()->SetCentered(false);
        c.setup(*bottom.Grid());
        bottom.SetLabelsSeparation(0);
        bottom.SetIncrement(10);
        DrawAxis(bottom, 0, 90);
        // Ticks at 90, 80 .. 0: the ends are the axis' start and end.
        ASSERT_EQ(bottom.TickPositions().size(), 10u);
        EXPECT_EQ(GridLines(), c.expected(10));
    }
}

TEST_F(AxisDrawTest, TheAutomaticGridColourDrawsGray)
{
    TChartAxis& left = *chart.LeftAxis();
    left.Grid()->SetColor(GridAutomaticColor);
    DrawAxis(left, 0, 10);
    canvas->Bitmap().Canvas();
    const int y = left.TickPositions()[1];
    EXPECT_EQ(canvas->GetPixelColor(200, y), static_cast<TColor>(0x808080));
}

TEST_F(AxisDrawTest, OnDrawLabelHidesOneLabel)
{
    TChartAxis& bottom = *chart.BottomAxis();
    bottom.SetIncrement(50);
    DrawAxis(bottom, 0, 100);
    const size_t all = canvas->Calls("TextOut").size();
    bottom.SetOnDrawLabel(TAxisDrawLabelEvent([](TChartAxis*, int, int, int, String& text, bool& draw) {
        draw = text != "50";
    }));
    DrawAxis(bottom, 0, 100);
    EXPECT_EQ(canvas->Calls("TextOut").size(), all - 1);
}

TEST_F(AxisDrawTest, ExponentLabelsRaiseTheSmallerPower)
{
    TChartAxis& bottom = *chart.BottomAxis();
    bottom.SetAxisValuesFormat("0.0E-0");
    bottom.SetLabelsExponent(true);
    bottom.SetIncrement(1500);
    DrawAxis(bottom, 0, 1500);
    const auto texts = canvas->Calls("TextOut");
    ASSERT_GE(texts.size(), 2u);
    EXPECT_NE(texts[0].find("\"1.5\""), std::string::npos) << texts[0];
    EXPECT_NE(texts[1].find("\"3\""), std::string::npos) << texts[1];
}

TEST_F(AxisDrawTest, LabelsOutsideAnOpaqueBackShapeAreNotDrawn)
{
    TChartAxis& bottom = *chart.BottomAxis();
    bottom.Shape()->SetVisible(true);
    bottom.SetIncrement(50);
    DrawAxis(bottom, 0, 100);
    const size_t inside = canvas->Calls("TextOut").size();
    EXPECT_EQ(inside, 3u);
    // A margin of ten font heights lays the labels out far past the band the shape covers.
    bottom.LabelSettings()->SetMarginToAxis(1000);
    TRect r = chart.ChartRect();
    bottom.CalcRect(r, true);
    canvas->ClearLog();
    bottom.Draw(true);
    EXPECT_EQ(canvas->Calls("TextOut").size(), 0u) << "outside the opaque shape";
    bottom.Shape()->SetTransparent(true);
    canvas->ClearLog();
    bottom.Draw(true);
    EXPECT_EQ(canvas->Calls("TextOut").size(), inside) << "a transparent shape hides nothing";
}

TEST_F(AxisDrawTest, LogarithmicAxisFromZeroLabelsFromATenth)
{
    TChartAxis& left = *chart.LeftAxis();
    left.SetLabelStyle(talValue);
    left.ApplyRange(0, 100);
    left.SetLogarithmic(true);
    DrawAxis(left, 0, 100);
    std::vector<double> values;
    for (int i = 0; i < left.Items().AutomaticCount(); ++i) values.push_back(left.Items().AutomaticItem(i)->Value());
    ASSERT_EQ(values.size(), 4u);
    for (size_t i = 0; i < values.size(); ++i) EXPECT_DOUBLE_EQ(values[i], 0.1 * std::pow(10, i));
}

// Series labels (talText): overlapping ones are dropped or shortened to fit; a label whose point
// lies inside its neighbour's half is dropped even when empty.
TEST_F(AxisDrawTest, SeriesLabelsAvoidEachOther)
{
    TTestSeries series(nullptr);
    series.SetParentChart(&chart);
    const double xs[] = {0, 1, 2, 3, 4, 4.02};
    for (size_t i = 0; i < std::size(xs); ++i) {
        series.AddXY(xs[i], 0);
        series.SetLabelAt(static_cast<int>(i), String(1, static_cast<char>(i == 5 ? 'Z' : 'A' + i)) + "WWWWWWWWW");
    }
    series.SetVisibleRange(0, static_cast<int>(std::size(xs)) - 1);
    TChartAxis& bottom = *chart.BottomAxis();
    bottom.SetLabelStyle(talText);
    struct Case {
        const char* name;
        int separation;
        bool trim;
        size_t drawn;
        bool shortened;
    };
    for (const Case c : {Case{"no separation draws all, overlapping", 0, false, 6, false},
                         Case{"overlapping labels are dropped", 10, false, 3, false},
                         Case{"trimmed to fit, the one inside its neighbour dropped", 10, true, 5, true}}) {
        SCOPED_TRACE(c.name);
        bottom.SetLabelsSeparation(c.separation);
        bottom.LabelSettings()->SetTrim(c.trim);
        DrawAxis(bottom, 0, 4.02);
        const auto texts = canvas->Calls("TextOut");
        EXPECT_EQ(texts.size(), c.drawn);
        bool shortened = false;
        for (const std::string& t : texts) {
            if (c.separation != 0) EXPECT_EQ(t.find("\"Z"), std::string::npos) << t;
            shortened |= t.find("WWWWWWWWW\"") == std::string::npos;
        }
        EXPECT_EQ(shortened, c.shortened);
    }
    series.SetParentChart(nullptr);
}

// Point labels label the axis that orders the points, on the first frame too: the series' visible
// range is found for the labels, not left from a previous frame.
TEST_F(AxisDrawTest, SeriesLabelsOnTheAxisThatOrdersThePoints)
{
    for (const bool horizontalSeries : {false, true}) {
        SCOPED_TRACE(horizontalSeries ? "ordered along Y: left axis" : "ordered along X: bottom axis");
        TTestSeries series(nullptr);
        if (horizontalSeries) series.MakeHorizontal();
        series.SetParentChart(&chart);
        for (int i = 0; i < 4; ++i) {
            series.AddXY(horizontalSeries ? 10 * i : i, horizontalSeries ? i : 10 * i);
            series.SetLabelAt(i, String(1, static_cast<char>('A' + i)));
        }
        TChartAxis& labelled = horizontalSeries ? *chart.LeftAxis() : *chart.BottomAxis();
        TChartAxis& values = horizontalSeries ? *chart.BottomAxis() : *chart.LeftAxis();
        EXPECT_EQ(labelled.LabelStyleInUse(), talText);
        EXPECT_EQ(values.LabelStyleInUse(), talValue);
        labelled.SetLabelStyle(talText);  // DrawAxis would take talAuto as talValue
        DrawAxis(labelled, 0, 3);
        std::vector<std::string> texts;
        for (const std::string& call : canvas->Calls("TextOut")) {
            const size_t open = call.find('"');
            texts.push_back(call.substr(open, call.rfind('"') - open + 1));
        }
        std::sort(texts.begin(), texts.end());
        EXPECT_EQ(texts, (std::vector<std::string>{"\"A\"", "\"B\"", "\"C\"", "\"D\""}));
        labelled.SetLabelStyle(talAuto);
        series.SetParentChart(nullptr);
    }
}

// A turned label on the bottom axis turns about its box' centre: its turned extent starts at
// the labels position and stays within one row of the band; the rows of alternate labels are a
// band row apart.
TEST_F(AxisDrawTest, TurnedLabelsStayInTheirBand)
{
    TChartAxis& bottom = *chart.BottomAxis();
    for (const int angle : {30, 45, 90, 315}) {
        for (const bool alternate : {false, true}) {
            SCOPED_TRACE(testing::Message() << angle << (alternate ? " alternate" : ""));
            bottom.SetLabelsAngle(angle);
            bottom.SetLabelsAlternate(alternate);
            bottom.SetIncrement(20);
            DrawAxis(bottom, 0, 100);
            const int row = bottom.LabelBandSize() / (alternate ? 2 : 1);
            ASSERT_GT(bottom.Items().AutomaticCount(), 1);
            for (int i = 0; i < bottom.Items().AutomaticCount(); ++i) {
                const auto& corners = bottom.Items().AutomaticItem(i)->Corners;
                int top = corners[0].Y, low = corners[0].Y;
                for (const TPoint& p : corners) {
                    top = std::min(top, p.Y);
                    low = std::max(low, p.Y);
                }
                const int rowTop = bottom.LabelsPosition() + (alternate && i % 2 == 1 ? row : 0);
                EXPECT_GE(top, rowTop - 1) << i;
                EXPECT_LE(low, rowTop + row + 1) << i;
            }
        }
    }
}

// The main window's feed: each sample appended at the next X, then the bottom axis slides to
// show the newest 100 (Minimum := Maximum - 100 once Maximum passes 100; before that the
// minimum stays where the first sample put it).
TEST_F(AxisDrawTest, TheMainWindowsBottomAxisSlides)
{
    TTestSeries series(nullptr);
    series.SetParentChart(&chart);
    TChartAxis& bottom = *chart.BottomAxis();
    struct Case {
        int samples;
        double minimum, maximum;
    };
    int appended = 0;
    for (const Case c : {Case{50, 1, 50}, Case{100, 1, 100}, Case{250, 150, 250}}) {
        for (; appended < c.samples; ++appended) {
            series.AddXY(appended + 1, 0);
            bottom.ComputeRange();
            const double newest = bottom.Maximum();
            bottom.SetAutomaticMinimum(false);
            if (100 < newest) bottom.SetMinimum(newest - 100);
        }
        bottom.ComputeRange();
        EXPECT_EQ(bottom.Minimum(), c.minimum) << c.samples;
        EXPECT_EQ(bottom.Maximum(), c.maximum) << c.samples;
        EXPECT_TRUE(bottom.AutomaticMaximum());
    }
    bottom.ComputePixelBounds();
    EXPECT_EQ(bottom.ValueToPixel(150), bottom.StartPixel());
    EXPECT_EQ(bottom.ValueToPixel(250), bottom.EndPixel());
    series.SetParentChart(nullptr);
}

TEST_F(AxisDrawTest, ShrinkingKeepsOnePixelOfTheChart)
{
    TChartAxis& left = *chart.LeftAxis();
    left.Title()->SetCaption("A very long title that takes all the room");
    left.Title()->SetAngle(0);
    left.ApplyRange(0, 10);
    TRect r{40, 20, 60, 260};
    left.CalcRect(r, true);
    EXPECT_EQ(r.Right - r.Left, 1);
}

TEST_F(AxisDrawTest, LabelsAreaAndHitTest)
{
    TChartAxis& bottom = *chart.BottomAxis();
    DrawAxis(bottom, 0, 100);
    const TRect area = bottom.GetLabelsArea();
    EXPECT_EQ(area.Left, bottom.StartPixel());
    EXPECT_EQ(area.Top, bottom.AxisLinePosition() - 3);
    EXPECT_EQ(area.Bottom, bottom.LabelsPosition());
    EXPECT_TRUE(bottom.ContainsPoint({200, area.Bottom}));
    EXPECT_FALSE(bottom.ContainsPoint({200, area.Bottom + 1}));
}

TEST_F(AxisDrawTest, TwoSubAxesTakeTheParentsOrientation)
{
    TChartAxis& bottom = *chart.BottomAxis();
    TChartAxis* a = bottom.SubAxes()->AddAxis();
    TChartAxis* b = bottom.SubAxes()->AddAxis();
    b->SetHorizontal(false);
    b->SetOtherSide(true);
    TRect r = chart.ChartRect();
    bottom.CalcRect(r, true);
    for (TChartAxis* sub : {a, b}) {
        EXPECT_TRUE(sub->Horizontal());
        EXPECT_FALSE(sub->OtherSide());
    }
    DrawAxis(bottom, 0, 10);
    for (TChartAxis* sub : {a, b}) {
        EXPECT_EQ(sub->StartPixel(), bottom.StartPixel());
        EXPECT_EQ(sub->EndPixel(), bottom.EndPixel());
    }
}

TEST_F(AxisDrawTest, TopGridAtZeroDepthStoresZZeroBottomNothing)
{
    TMemoryStream stream;
    auto write = [&](TAxisGridPen& pen) {
        stream.SetSize(0);
        TWriter writer(stream);
        writer.WriteProperties(&pen);
        writer.WriteListEnd();
    };
    TAxisGridPen& top = *chart.TopAxis()->Grid();
    top.SetZPosition(0);
    write(top);
    const std::string topData(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
    EXPECT_NE(topData.find("ZZero"), std::string::npos);
    TAxisGridPen reloaded;
    reloaded.InitZPosition(100);
    stream.SetPosition(0);
    TReader reader(stream);
    reader.ReadProperties(&reloaded);
    EXPECT_EQ(reloaded.ZPosition(), 0);

    TAxisGridPen& bottom = *chart.BottomAxis()->Grid();
    bottom.SetZPosition(0);
    write(bottom);
    const std::string bottomData(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
    EXPECT_EQ(bottomData.find("ZZero"), std::string::npos);
}

TEST_F(AxisDrawTest, StoredCustomLabels)
{
    TAxisItems& items = chart.LeftAxis()->Items();
    items.AddItem("low", 1);
    items.AddItem("high", 9);
    TMemoryStream stream;
    items.WriteItems(stream);
    const auto size = stream.Size();

    TAxisItems copy(chart.BottomAxis());
    stream.SetPosition(0);
    copy.ReadItems(stream);
    ASSERT_EQ(copy.Count(), 2);
    EXPECT_EQ(copy.GetItem(1)->Text(), "high");
    EXPECT_EQ(copy.GetItem(1)->Value(), 9);

    // A count of 0 keeps the labels; a truncated block is a read error and keeps them too.
    TMemoryStream empty;
    const std::int32_t zero = 0;
    empty.WriteBuffer(&zero, sizeof zero);
    empty.SetPosition(0);
    copy.ReadItems(empty);
    EXPECT_EQ(copy.Count(), 2);
    for (const std::int64_t cut : {std::int64_t{2}, size / 2, size - 1}) {
        TMemoryStream truncated;
        truncated.WriteBuffer(stream.Memory(), cut);
        truncated.SetPosition(0);
        EXPECT_ANY_THROW(copy.ReadItems(truncated)) << cut;
        EXPECT_EQ(copy.Count(), 2);
    }
    // A huge count allocates nothing ahead: the data runs out first.
    TMemoryStream huge;
    const std::int32_t many = 0x7FFFFFFF;
    huge.WriteBuffer(&many, sizeof many);
    huge.SetPosition(0);
    EXPECT_ANY_THROW(copy.ReadItems(huge));
}

TEST_F(AxisDrawTest, DepthAxisWithSeriesTitlesSpansTheSlots)
{
    chart.SeriesZSlotMax = 2;
    TChartAxis& depth = *chart.DepthAxis();
    depth.ComputeRange();
    EXPECT_EQ(depth.WorkingMinimum(), -0.5);
    EXPECT_EQ(depth.WorkingMaximum(), 2.5);
}

struct GoldenCase {
    const char* name;
    const char* canvasClass;
    std::function<void(TAxesPanel&)> setup;
};

class AxisGolden : public ChartCoreSuite, public ::testing::WithParamInterface<GoldenCase> {};

TEST_P(AxisGolden, Frame)
{
    const GoldenCase& c = GetParam();
    TOwnedPtr<TAxesPanel> panel(new TAxesPanel(nullptr));
    panel->SetCanvasClassName(c.canvasClass);
    TTestSeries x(nullptr), y(nullptr);
    MainWindowChart(*panel, x, y, 250);
    if (c.setup) c.setup(*panel);
    TBitmap window;
    testkit::RenderToBitmap(*panel, window);
    testsupport::ExpectMatchesGolden(window, GoldenDir, c.name);
    x.SetParentChart(nullptr);
    y.SetParentChart(nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Axis, AxisGolden,
    ::testing::Values(
        GoldenCase{"axes_main_window", "TZebCanvas3D", {}},
        GoldenCase{"axes_main_window_gdiplus", "TGDIPlusCanvas", {}},
        GoldenCase{"axes_label_variants", "TZebCanvas3D",
                   [](TAxesPanel& p) {
                       p.BottomAxis()->SetLabelsAngle(45);
                       p.BottomAxis()->SetLabelsAlternate(true);
                       p.BottomAxis()->Title()->SetCaption("Samples");
                       p.BottomAxis()->Title()->Font()->SetColor(clYellow);
                       p.LeftAxis()->Title()->SetCaption("Degrees");
                       p.LeftAxis()->Title()->SetPosition(tpEnd);
                       p.LeftAxis()->Title()->Font()->SetColor(clYellow);
                       p.LeftAxis()->SetAxisValuesFormat("0.0E-0");
                       p.LeftAxis()->SetLabelsExponent(true);
                       p.LeftAxis()->SetMinorTickCount(4);
                       p.LeftAxis()->MinorTicks()->SetColor(clWhite);
                   }},
        GoldenCase{"axes_label_variants_gdiplus", "TGDIPlusCanvas",
                   [](TAxesPanel& p) {
                       p.BottomAxis()->SetLabelsAngle(90);
                       p.BottomAxis()->Items().AddItem("start", 160);
                       p.BottomAxis()->Items().AddItem("middle", 200);
                       p.BottomAxis()->Items().AddItem("end", 240);
                       p.LeftAxis()->SetLabelsAlternate(true);
                       p.LeftAxis()->Title()->SetCaption("Degrees");
                       p.LeftAxis()->Title()->SetPosition(tpStart);
                       p.LeftAxis()->Title()->Font()->SetColor(clYellow);
                   }}),
    [](const ::testing::TestParamInfo<GoldenCase>& info) { return std::string(info.param.name); });

// A logarithmic left axis with its minor ticks and grid, and a bottom axis of dates.
void LogarithmicAxis(TAxesPanel& p)
{
    TChartAxis& left = *p.LeftAxis();
    left.ApplyRange(0.5, 2000);
    left.SetLogarithmic(true);
    left.SetMinorTickCount(8);
    left.MinorTicks()->SetColor(clWhite);
    left.MinorGrid()->SetVisible(true);
    left.MinorGrid()->SetColor(clGray);
    left.MinorGrid()->SetStyle(psDot);
}

void DateTimeAxis(TAxesPanel& p)
{
    p.GetSeriesAt(0)->XValues()->SetDateTime(true);
    p.BottomAxis()->SetDateTimeFormat("d mmm");
}

INSTANTIATE_TEST_SUITE_P(
    AxisScales, AxisGolden,
    ::testing::Values(GoldenCase{"axes_logarithmic", "TZebCanvas3D", LogarithmicAxis},
                      GoldenCase{"axes_logarithmic_gdiplus", "TGDIPlusCanvas", LogarithmicAxis},
                      GoldenCase{"axes_date_time", "TZebCanvas3D", DateTimeAxis},
                      GoldenCase{"axes_date_time_gdiplus", "TGDIPlusCanvas", DateTimeAxis}),
    [](const ::testing::TestParamInfo<GoldenCase>& info) { return std::string(info.param.name); });

}  // namespace
