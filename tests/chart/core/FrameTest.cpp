// The chart frame: the order of its stages, what survives a failing handler, Z slots and 3-D
// sizes, automatic ranges under paging and offsets, pages and page printing, hover, series groups
// and the engine core's start-up.
#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "AxisFixtures.h"
#include "tests/support/Commands.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/core/AxisItems.h"
#include "chart/core/AxisShapes.h"
#include "chart/core/ChartException.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/ChartPage.h"
#include "chart/core/ChartTools.h"
#include "chart/core/EngineCoreUnit.h"
#include "chart/core/PagePrinter.h"
#include "chart/core/PictureComponent.h"
#include "chart/core/SeriesGroups.h"
#include "chart/core/ZebSelected.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Published.h"
#include "platform/forms/Control.h"
#include "platform/forms/Messages.h"
#include "platform/forms/Printers.h"
#include "platform/forms/TestKit.h"
#include "ElementCanvas.h"
#include "tests/chart/support/RecordingCanvas.h"
#include "tests/support/TempName.h"

namespace {

using TTrace = std::vector<std::string>;

class TStageTool : public TZebCustomTool {
    TV_CLASS(TStageTool, TZebCustomTool)
public:
    using TZebCustomTool::TZebCustomTool;
    TTrace* Trace = nullptr;
    void ChartDrawStage(TChartDrawStage stage) override
    {
        if (Trace) Trace->push_back(std::to_string(stage));
    }
};

// Notes the frame's calls by the series' name. Without Visible it finds no points in view; with
// SharedSlot it takes the slot of the series before it, as side-by-side bars do.
class TFrameSeries : public TTestSeries {
    TV_CLASS(TFrameSeries, TTestSeries)
public:
    using TTestSeries::TTestSeries;
    TTrace* Trace = nullptr;
    bool Visible = true;
    void ShowMarks() { Marks().SetVisible(true); }
    bool SharedSlot = false;
    bool Hovers = false;
    bool Xyz = false;  // a 3-D grid series
    bool IsXYZSeries() const override { return Xyz; }
    std::function<void()> DuringPoints;

    void PrepareDraw() override { note("PrepareDraw"); }
    void AdjustChartLayout() override { note("layout"); }
    void MeasureHorizMargins(int& left, int& right) const override
    {
        note("ranges");
        left = right = 0;
    }
    void ReserveZSlot() override
    {
        if (SharedSlot && ParentChart()->MaxZSlot() >= 0)
            SetZSlot(ParentChart()->MaxZSlot());
        else
            TTestSeries::ReserveZSlot();
    }
    void FindVisibleRange() override
    {
        if (Visible)
            TTestSeries::FindVisibleRange();
        else
            SetVisibleRange(-1, -1);
    }
    void BeforeDrawPoints() override { note("before " + Name()); }
    void DrawVisiblePoints() override
    {
        note("points " + Name());
        if (DuringPoints) DuringPoints();
    }
    void DrawPoint(int index) override { note(Name() + " " + std::to_string(index)); }
    void DrawPointMarks() override { note("marks " + Name()); }
    void AfterDrawPoints() override { note("after " + Name()); }
    bool TrackHover(int, int) override
    {
        note("hover " + Name());
        return Hovers;
    }

private:
    void note(const std::string& line) const
    {
        if (Trace) Trace->push_back(line);
    }
};


}  // namespace

TV_PUBLISHED(TStageTool) {}
TV_PUBLISHED(TFrameSeries) {}

namespace {

class FrameTest : public ChartCoreSuite {
protected:
    void SetUp() override
    {
        canvas = RecordFlat(chart, 400, 300);
        chart.Trace = &trace;
        tool->Trace = &trace;
        tool->SetParentChart(&chart);
    }
    // The chart frees its series.
    TFrameSeries& Add(const char* name, int points)
    {
        auto* series = new TFrameSeries(nullptr);
        series->SetName(name);
        for (int i = 0; i < points; ++i) series->AddXY(i, 10 * i);
        series->SetParentChart(&chart);
        series->Trace = &trace;
        return *series;
    }
    void Frame()
    {
        trace.clear();
        RecordFrame(chart, *canvas);
    }
    TNotifyEvent Noting(const char* what)
    {
        return [this, what](TObject*) { trace.push_back(what); };
    }
    void NoteEvents()
    {
        chart.SetOnBeforeDrawChart(Noting("OnBeforeDrawChart"));
        chart.SetOnBeforeDrawAxes(Noting("OnBeforeDrawAxes"));
        chart.SetOnBeforeDrawSeries(Noting("OnBeforeDrawSeries"));
        chart.SetOnAfterDraw(Noting("OnAfterDraw"));
    }

    TTrace trace;
    TOwnedPtr<TTestAxisPanel> owned{new TTestAxisPanel(nullptr)};
    TTestAxisPanel& chart = *owned;
    TOwnedPtr<TStageTool> tool{new TStageTool(nullptr)};
    TElementCanvas* canvas = nullptr;
};

TEST_F(FrameTest, StagesRunInTheirOrderAndAxisBehindOffMovesTheAxesAfterTheSeries)
{
    Add("S", 3);
    NoteEvents();
    const TTrace head = {"2", "OnBeforeDrawChart", "PrepareDraw", "surroundings", "FitPlotTo3D", "layout",
                         "ranges", "walls"};
    const TTrace series = {"before S", "points S", "after S"};
    const TTrace tail = {"surroundings after", "0", "OnAfterDraw"};
    struct Case {
        bool axisBehind;
        TTrace middle;
    };
    const Case cases[] = {
        {true, {"3", "OnBeforeDrawAxes", "1", "OnBeforeDrawSeries", "before S", "points S", "after S", "4"}},
        {false, {"1", "OnBeforeDrawSeries", "before S", "points S", "after S", "4", "3", "OnBeforeDrawAxes"}},
    };
    for (const Case& c : cases) {
        chart.SetAxisBehind(c.axisBehind);
        Frame();
        TTrace expected = head;
        expected.insert(expected.end(), c.middle.begin(), c.middle.end());
        expected.insert(expected.end(), tail.begin(), tail.end());
        EXPECT_EQ(trace, expected) << "AxisBehind " << c.axisBehind;
    }
}

TEST_F(FrameTest, ElementsAndClipsNestAroundAxesSeriesAndMarks)
{
    Add("S", 3).ShowMarks();
    Frame();
    const TTrace s = canvas->Structure();
    const auto axes = std::find(s.begin(), s.end(), "Begin Axes");
    const auto series = std::find(s.begin(), s.end(), "Begin Series");
    ASSERT_LT(axes, series);
    // The axes draw inside "Axes", each in its own element.
    EXPECT_EQ(std::count(axes, series, "Begin Bottom"), 1);
    EXPECT_EQ(std::count(axes, series, "Begin Left"), 1);
    const TTrace expected = {"Begin Series", "ClipToBox", "Begin S", "RemoveClip", "Begin Marks", "End", "End", "End"};
    EXPECT_EQ(TTrace(series, s.end()), expected);
}

TEST_F(FrameTest, ASeriesWithoutVisiblePointsGetsNoStagesNorMarks)
{
    TFrameSeries& hidden = Add("H", 3);
    hidden.Visible = false;
    hidden.ShowMarks();
    Add("S", 2).ShowMarks();
    Frame();
    for (const std::string& line : trace) EXPECT_EQ(line.find(" H"), std::string::npos) << line;
    EXPECT_NE(std::find(trace.begin(), trace.end(), "marks S"), trace.end());
}

TEST_F(FrameTest, ASettingChangedInOnAfterDrawStartsNoFrame)
{
    Add("S", 3);
    bool repaintDuringFrame = true;
    chart.SetOnAfterDraw([&](TObject*) {
        repaintDuringFrame = chart.AutoRepaint();
        chart.SetAxisBehind(false);
    });
    Frame();
    EXPECT_FALSE(repaintDuringFrame);
    EXPECT_FALSE(chart.AxisBehind());
    EXPECT_TRUE(chart.AutoRepaint());
}

TEST_F(FrameTest, AFailingHandlerToolOrSeriesLeavesRepaintOnAndNothingOpen)
{
    TFrameSeries& series = Add("S", 3);
    series.ShowMarks();
    const auto fail = [](TObject*) { throw Exception("handler failed"); };
    struct Case {
        const char* where;
        std::function<void()> arm;
    };
    const Case cases[] = {
        {"OnBeforeDrawChart", [&] { chart.SetOnBeforeDrawChart(fail); }},
        {"OnBeforeDrawAxes", [&] { chart.SetOnBeforeDrawAxes(fail); }},
        {"series points", [&] { series.DuringPoints = [] { throw Exception("series failed"); }; }},
        {"OnAfterDraw", [&] { chart.SetOnAfterDraw(fail); }},
    };
    for (const Case& c : cases) {
        chart.SetOnBeforeDrawChart({});
        chart.SetOnBeforeDrawAxes({});
        chart.SetOnAfterDraw({});
        series.DuringPoints = nullptr;
        c.arm();
        EXPECT_THROW(Frame(), Exception) << c.where;
        EXPECT_TRUE(chart.AutoRepaint()) << c.where;
        const TTrace s = canvas->Structure();
        EXPECT_EQ(std::count(s.begin(), s.end(), "End"),
                  std::count_if(s.begin(), s.end(), [](const std::string& l) { return l.starts_with("Begin"); }))
            << c.where;
        EXPECT_EQ(std::count(s.begin(), s.end(), "ClipToBox"), std::count(s.begin(), s.end(), "RemoveClip"))
            << c.where;
    }
}

TEST_F(FrameTest, SeriesSharingAZSlotIn3DAreDrawnPointByPoint)
{
    chart.SetView3D(true);
    Add("A", 3);
    TFrameSeries& b = Add("B", 2);
    b.SharedSlot = true;
    Frame();
    EXPECT_EQ(chart.MaxZSlot(), 0);
    TTrace drawn;
    for (const std::string& line : trace)
        if (line.starts_with("A ") || line.starts_with("B ") || line.starts_with("before") || line.starts_with("after"))
            drawn.push_back(line);
    const TTrace expected = {"before A", "before B", "A 0", "B 0", "A 1", "B 1", "A 2", "after A", "after B"};
    EXPECT_EQ(drawn, expected);
}

TEST_F(FrameTest, A3DGridSeriesNeitherSharesASlotNorDrawsSharedPoints)
{
    chart.SetView3D(true);
    TFrameSeries& a = Add("A", 2);
    TFrameSeries& grid = Add("C", 2);
    grid.SharedSlot = grid.Xyz = true;
    Frame();
    EXPECT_FALSE(a.SharesZSlot()) << "a grid series in the slot is no slot-mate";
    Add("B", 2).SharedSlot = true;
    chart.ExchangeSeries(1, 2);  // A, B, C
    Frame();
    // Point by point across A and B; C takes part in the stages, not in the points.
    const TTrace expected = {"before A", "before B", "before C", "A 0", "B 0",     "A 1",
                             "B 1",      "after A",  "after B",  "after C"};
    TTrace drawn;
    for (const std::string& line : trace)
        for (const char* prefix : {"A ", "B ", "C ", "before", "after", "points"})
            if (line.starts_with(prefix)) drawn.push_back(line);
    EXPECT_EQ(drawn, expected);
}

TEST_F(FrameTest, MarksTakeTheMiddleOfTheirSeriesDepth)
{
    chart.SetView3D(true);
    TFrameSeries& a = Add("A", 2);
    TFrameSeries& b = Add("B", 2);
    a.ShowMarks();
    Frame();
    const int slot = chart.SeriesDepth3D();
    ASSERT_GT(slot, 0);
    EXPECT_EQ(a.Marks().ZPosition(), (slot + 2 * slot) / 2);  // the first series lies deepest
    EXPECT_EQ(b.Marks().ZPosition(), slot / 2) << "marks made after the frame take it too";
}

TEST_F(FrameTest, ZSlotsGoDeepestFirstUnlessTheDepthAxisIsInverted)
{
    chart.SetView3D(true);
    TFrameSeries& a = Add("A", 1);
    TFrameSeries& b = Add("B", 1);
    TFrameSeries& c = Add("C", 1);
    b.SetActive(false);
    Frame();
    EXPECT_EQ(chart.MaxZSlot(), 1);
    EXPECT_EQ(a.GetZSlot(), 1);
    EXPECT_EQ(c.GetZSlot(), 0);
    chart.DepthAxis()->SetInverted(true);
    Frame();
    EXPECT_EQ(a.GetZSlot(), 0);
    EXPECT_EQ(c.GetZSlot(), 1);
}

TEST_F(FrameTest, Compute3DSizeFromChart3DPercentAndTheView)
{
    struct Case {
        const char* name;
        bool view3D, orthogonal;
        int orthoAngle, percent, highestSlot;
        int width, height, depth, height3D;
    };
    const Case cases[] = {
        {"2-D", false, true, 45, 15, 0, 0, 0, 0, 0},
        {"orthogonal 45", true, true, 45, 15, 0, 6, 6, 6, 6},
        {"not orthogonal doubles", true, false, 45, 15, 0, 12, 12, 12, 12},
        {"steep slope narrows", true, true, 60, 15, 2, 3, 5, 9, 15},
        {"flat slope keeps the width", true, true, 30, 15, 0, 6, 3, 6, 3},
        {"no slot counts as one", true, true, 45, 100, -1, 40, 40, 40, 40},
    };
    chart.SetChartRect({0, 0, 400, 300});
    chart.NormalizeChartRect();
    for (const Case& c : cases) {
        chart.SetView3D(c.view3D);
        chart.View3DOptions()->SetOrthogonal(c.orthogonal);
        chart.View3DOptions()->SetOrthoAngle(c.orthoAngle);
        chart.SetChart3DPercent(c.percent);
        chart.SeriesZSlotMax = c.highestSlot;
        EXPECT_EQ(chart.Compute3DSize(), c.depth) << c.name;
        EXPECT_EQ(chart.SeriesWidth3D, c.width) << c.name;
        EXPECT_EQ(chart.SeriesHeight3D, c.height) << c.name;
        EXPECT_EQ(chart.Depth3D(), c.depth) << c.name;
        EXPECT_EQ(chart.Height3D, c.height3D) << c.name;
    }
}

TEST_F(FrameTest, HooksReserveSpaceBesideHiddenAxesAndAtAnAxisEnd)
{
    Add("S", 11);
    Frame();
    const TRect plain = chart.ChartRect();
    chart.AxesSpaceHook = [&](const TChartAxis& axis, int) { return &axis == chart.RightAxis() ? 30 : 0; };
    Frame();
    EXPECT_EQ(chart.ChartRect().Right, plain.Right - 30);
    chart.AxisExtraSpaceHook = [&](const TChartAxis& axis) { return &axis == chart.BottomAxis() ? 20 : 0; };
    Frame();
    const TChartAxis& bottom = *chart.BottomAxis();
    EXPECT_EQ(bottom.ValueToPixel(10), bottom.EndPixel() - 20);
}

// ---- automatic ranges ----

TEST_F(FrameTest, PagingShowsThePageOnTheIndependentAxis)
{
    Add("S", 10);  // X 0 .. 9, Y 0 .. 90
    TChartPage& pages = *chart.Pages();
    pages.SetMaxPointsPerPage(4);
    pages.SetCurrent(3);
    TChartAxis* bottom = chart.BottomAxis();
    TChartAxis* left = chart.LeftAxis();
    EXPECT_EQ(chart.AxisExtreme(bottom, true, true), 8);
    EXPECT_EQ(chart.AxisExtreme(bottom, false, true), 9);  // a short last page scales to its points
    pages.SetScaleLastPage(false);
    EXPECT_EQ(chart.AxisExtreme(bottom, false, true), 10);  // ... or keeps a full page's scale
    pages.SetCurrent(2);
    EXPECT_EQ(chart.AxisExtreme(left, true, false), 0);
    EXPECT_EQ(chart.AxisExtreme(left, false, false), 90);
    pages.SetAutoScale(true);
    EXPECT_EQ(chart.AxisExtreme(left, true, false), 40);
    EXPECT_EQ(chart.AxisExtreme(left, false, false), 70);
}

TEST_F(FrameTest, AMinimumOffsetGivesRoomOnAFixedAxis)
{
    Add("S", 10);
    TChartAxis& left = *chart.LeftAxis();
    left.ApplyRange(0, 100);
    left.SetMinimumOffset(10);
    Frame();
    EXPECT_EQ(left.ValueToPixel(0), left.EndPixel() - 10);
    EXPECT_EQ(left.ValueToPixel(100), left.StartPixel());
}

TEST_F(FrameTest, AnOffsetMovesTheAxisTitleOutsideTheLabels)
{
    Add("S", 10);
    TChartAxis& bottom = *chart.BottomAxis();
    bottom.Title()->SetCaption("Time");
    Frame();
    const int laidOut = bottom.TitlePosition();
    bottom.SetMinimumOffset(10);
    Frame();
    EXPECT_EQ(bottom.TitlePosition(), bottom.InflateAxisPos(bottom.LabelsPosition(), bottom.LabelBandSize()));
    EXPECT_NE(bottom.TitlePosition(), laidOut);
}

// ---- pages ----

TEST_F(FrameTest, TheFormerPagePropertiesAreRead)
{
    RegisterClass(TFrameSeries::StaticClass());
    TOwnedPtr<TTestAxisPanel> loaded(new TTestAxisPanel(nullptr));
    TextToComponent(String("object Chart1: TTestAxisPanel\r\n  MaxPointsPerPage = 4\r\n  Page = 2\r\n"
                           "  ScaleLastPage = False\r\nend\r\n"),
                    loaded.get());
    UnRegisterClass(TFrameSeries::StaticClass());
    const TChartPage& pages = *loaded->Pages();
    EXPECT_EQ(pages.MaxPointsPerPage(), 4);
    EXPECT_EQ(pages.Current(), 2) << "the page is kept while the series are still to come";
    EXPECT_FALSE(pages.ScaleLastPage());
}

TEST_F(FrameTest, PagesCountAndKeepTheCurrentPageInRange)
{
    TChartPage& pages = *chart.Pages();
    int changes = 0;
    chart.SetOnPageChange([&](TObject* sender) {
        EXPECT_EQ(sender, &pages);
        ++changes;
    });
    EXPECT_EQ(pages.GetPageCount(), 1);
    pages.SetCurrent(5);
    EXPECT_EQ(pages.Current(), 1);
    EXPECT_EQ(changes, 0);

    Add("S", 10);
    pages.SetMaxPointsPerPage(4);
    EXPECT_EQ(chart.GetPageCount(), 3);
    pages.SetCurrent(7);
    EXPECT_EQ(pages.Current(), 3);
    EXPECT_EQ(changes, 1);
    pages.NextPage();
    EXPECT_EQ(pages.Current(), 3);
    pages.PreviousPage();
    EXPECT_EQ(pages.Current(), 2);
    EXPECT_EQ(changes, 2);

    try {
        pages.SetMaxPointsPerPage(-1);
        ADD_FAILURE() << "no error";
    } catch (const ChartException& e) {
        EXPECT_EQ(String(e.Message()), "MaxPointsPerPage must be >= 0");
    }
    EXPECT_EQ(pages.MaxPointsPerPage(), 4);

    pages.SetMaxPointsPerPage(2);
    pages.SetCurrent(4);
    pages.SetMaxPointsPerPage(0);
    EXPECT_EQ(pages.Current(), 1);
}

TEST_F(FrameTest, APageHoldsItsRunOfPointIndexes)
{
    struct Case {
        int perPage, current, count, first, last;
    };
    const Case cases[] = {
        {0, 1, 25, 0, 24}, {10, 3, 25, 20, 24}, {10, 1, 25, 0, 9}, {1, 4, 25, 3, 3},
        {4, 1, 0, -1, -1}, {10, 1, 5, 0, 4},    {10, 3, 15, 0, 9},  // a shorter series shows its last full page
    };
    Add("S", 25);
    TChartPage& pages = *chart.Pages();
    for (const Case& c : cases) {
        pages.SetMaxPointsPerPage(c.perPage);
        pages.SetCurrent(c.current);
        int first = 0, last = 0;
        pages.PageRange(c.count, first, last);
        EXPECT_EQ(first, c.first) << c.perPage << " per page, page " << c.current << " of " << c.count;
        EXPECT_EQ(last, c.last) << c.perPage << " per page, page " << c.current << " of " << c.count;
    }
}

// A chart of 10 points at 4 per page on page 2, printed on the real canvas into a PDF.
class PagePrintTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        chart.SetCanvasClassName("TZebCanvas3D");
        chart.SetName("Chart1");
        Add("S", 10);
        chart.Pages()->SetMaxPointsPerPage(4);
        chart.Pages()->SetCurrent(2);
        printer = SetPrinter(new TPrinter);
        printer->SetOutputFileName(pdf.string());
    }
    void TearDown() override
    {
        std::filesystem::remove(pdf);
        SetPrinter(new TPrinter);
    }
    const std::filesystem::path pdf = testsupport::UniqueTempPath("tv_chart_pages", ".pdf");
    TPrinter* printer = nullptr;
};

TEST_F(PagePrintTest, EveryPageIsPrintedAndThePageShownComesBack)
{
    TTrace shown;
    chart.SetOnAfterDraw([&](TObject*) { shown.push_back(std::to_string(chart.CurrentPage())); });
    chart.PrintPageRange(0, 0);
    EXPECT_EQ(shown, (TTrace{"1", "2", "3"}));
    EXPECT_EQ(chart.CurrentPage(), 2);
    EXPECT_FALSE(printer->Printing());
    const std::string info = RunCommand("pdfinfo " + pdf.string() + " 2>&1");
    const auto field = [&](const std::string& name) {
        const size_t at = info.find(name + ":");
        if (at == std::string::npos) return std::string();
        const size_t start = info.find_first_not_of(' ', at + name.size() + 1);
        return info.substr(start, info.find('\n', start) - start);
    };
    EXPECT_EQ(field("Pages"), "3") << info;
    EXPECT_EQ(field("Title"), "Chart1") << info;
}

TEST_F(PagePrintTest, APrinterFailingAtANewPageAbortsTheJobAndRestoresThePage)
{
    // The program's printer, refusing a second page.
    class TFailingPrinter : public IPagePrinter {
    public:
        IPagePrinter& inner = ProgramPagePrinter();
        void SetTitle(const String& title) override { inner.SetTitle(title); }
        void BeginDoc() override { inner.BeginDoc(); }
        void NewPage() override { throw EPrinter("The printer could not start a new page"); }
        void EndDoc() override { inner.EndDoc(); }
        void Abort() override { inner.Abort(); }
        bool Printing() const override { return inner.Printing(); }
        TCanvas* Canvas() override { return inner.Canvas(); }
    } failing;
    int drawn = 0;
    chart.SetOnAfterDraw([&](TObject*) { ++drawn; });
    EXPECT_THROW(chart.PrintPageRange(1, 3, failing), EPrinter);
    EXPECT_EQ(drawn, 1);
    EXPECT_EQ(chart.CurrentPage(), 2);
    EXPECT_FALSE(printer->Printing());
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

// ---- marks in a frame ----

// Series drawing their marks as the base does, labelled "p0", "p1" ...: which indexes get a mark.
class MarksFrameTest : public FrameTest {
protected:
    TTestSeries& Labelled(int points)
    {
        auto* series = new TTestSeries(nullptr);
        for (int i = 0; i < points; ++i) {
            series->AddXY(i, 10 * i);
            series->SetLabelAt(i, "p" + std::to_string(i));
        }
        series->SetParentChart(&chart);
        series->Marks().SetVisible(true);
        series->Marks().SetStyle(smsLabel);
        return *series;
    }
    // The point elements inside "Marks", and the texts drawn.
    TTrace MarkElements() const
    {
        const TTrace s = canvas->Structure();
        TTrace out;
        for (auto it = std::find(s.begin(), s.end(), "Begin Marks"); it != s.end(); ++it)
            if (it->starts_with("Begin ") && std::isdigit(static_cast<unsigned char>((*it)[6]))) out.push_back(it->substr(6));
        return out;
    }
};

TEST_F(MarksFrameTest, EveryDrawEveryThIndexFromZeroGetsAMarkButANullPoint)
{
    canvas->SetRecordElements(true);
    chart.BottomAxis()->SetLabelStyle(talValue);  // the point texts come from the marks alone
    struct Case {
        const char* name;
        int drawEvery, nullAt;
        double from, to;  // bottom axis range; automatic when equal
        TTrace marks;
    };
    const Case cases[] = {
        {"DrawEvery 3", 3, -1, 0, 0, {"0", "3", "6"}},
        {"a null point", 3, 3, 0, 0, {"0", "6"}},
        {"counted from 0, not from the first visible", 3, -1, 1, 7, {"3", "6"}},
        {"DrawEvery 0 counts as 1", 0, 5, 0, 0, {"0", "1", "2", "3", "4", "6", "7"}},
    };
    for (const Case& c : cases) {
        chart.DisposeAllSeries(nullptr);
        TTestSeries& series = Labelled(8);
        series.Marks().SetDrawEvery(c.drawEvery);
        series.Marks().SetAutoPosition(false);
        if (c.nullAt >= 0) series.SetPointNull(c.nullAt, true);
        if (c.from != c.to)
            chart.BottomAxis()->ApplyRange(c.from, c.to);
        else
            chart.BottomAxis()->SetAutomatic(true);
        Frame();
        EXPECT_EQ(MarkElements(), c.marks) << c.name;
        for (int i = 0; i < 8; ++i) {
            const bool marked = std::find(c.marks.begin(), c.marks.end(), std::to_string(i)) != c.marks.end();
            const bool drawn = canvas->LogText().find("\"p" + std::to_string(i) + "\"") != std::string::npos;
            EXPECT_EQ(drawn, marked) << c.name << ": text of " << i;
        }
    }
}

TEST_F(MarksFrameTest, AMarkSitsCentredAboveItsPoint)
{
    TTestSeries& series = Labelled(3);
    Frame();
    const TSeriesMarkPosition* p = series.Marks().Positions().PositionAt(1);
    ASSERT_NE(p, nullptr);
    const int x = series.PointScreenX(1), y = series.PointScreenY(1);
    EXPECT_EQ(p->ArrowFrom, (TPoint{x, y}));
    EXPECT_EQ(p->LeftTop.X, x - p->Width / 2);
    EXPECT_EQ(p->LeftTop.Y, y - p->Height + 1);
    const int plain = p->Width;
    // The symbol takes room beside the text: the box height less 4.
    series.Marks().Symbol()->SetVisible(true);
    Frame();
    EXPECT_EQ(series.Marks().Positions().PositionAt(1)->Width, plain + p->Height - 4);
}

TEST_F(MarksFrameTest, ATalMarkAxisShowsTheMarkTexts)
{
    TTestSeries& series = Labelled(4);
    series.Marks().SetStyle(smsValue);
    series.SetPointNull(3, true);
    series.YValues()->SetValueAt(3, 123456);  // the widest text, on a null point: not measured
    TChartAxis& bottom = *chart.BottomAxis();
    bottom.SetLabelStyle(talMark);
    Frame();
    Frame();  // labels follow the visible run of the frame before
    TTrace shown;
    for (int i = 0; i < bottom.Items().AutomaticCount(); ++i) shown.push_back(bottom.Items().AutomaticItem(i)->Text());
    EXPECT_NE(std::find(shown.begin(), shown.end(), "20"), shown.end());
    EXPECT_EQ(std::find(shown.begin(), shown.end(), "p2"), shown.end());
    EXPECT_EQ(chart.WidestMarkWidth(), series.Marks().MarkTextWidth(2));
}

// ---- hover ----

TEST_F(FrameTest, HoverAsksActiveSeriesLastToFirstAndLeavingClearsIt)
{
    TFrameSeries& a = Add("A", 1);
    Add("B", 1).SetActive(false);
    TFrameSeries& c = Add("C", 1);
    trace.clear();
    EXPECT_FALSE(chart.HoverSeries(5, 5));
    EXPECT_EQ(trace, (TTrace{"hover C", "hover A"}));
    a.Hovers = true;
    EXPECT_TRUE(chart.HoverSeries(5, 5));

    a.Selected()->SetHoverIndex(2);
    c.Selected()->SetHoverIndex(0);
    trace.clear();
    chart.Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(a.Selected()->HoverIndex(), -1);
    EXPECT_EQ(c.Selected()->HoverIndex(), -1);
    EXPECT_EQ(trace, (TTrace{"5"}));
}

TEST_F(FrameTest, ACustomAxisLabelUnderTheMouseIsHovered)
{
    Add("S", 10);
    TChartAxis& left = *chart.LeftAxis();
    left.Items().AddItem("Limit", 40);
    TZebSelected& selected = *left.Items().Selected();
    selected.Hover()->SetVisible(true);
    chart.Hover()->SetVisible(true);
    Frame();
    const auto& corners = left.Items().GetItem(0)->Corners;
    const TPoint inside{(corners[0].X + corners[2].X) / 2, (corners[0].Y + corners[2].Y) / 2};
    EXPECT_TRUE(chart.HoverAxisLabels(inside.X, inside.Y));
    EXPECT_EQ(selected.HoverIndex(), 0);
    EXPECT_FALSE(chart.HoverAxisLabels(inside.X + 300, inside.Y));
    EXPECT_EQ(selected.HoverIndex(), -1);
    chart.HoverAxisLabels(inside.X, inside.Y);
    chart.Perform(CM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(selected.HoverIndex(), -1);
    chart.Hover()->SetVisible(false);
    EXPECT_FALSE(chart.HoverAxisLabels(inside.X, inside.Y));
}

// ---- series groups ----

TEST_F(FrameTest, GroupsAreNamedInTurnAndSwitchTheirMembers)
{
    TSeriesGroups& groups = *chart.SeriesGroups();
    TSeriesGroup& first = *groups.AddGroup();
    TSeriesGroup& second = *groups.AddGroup();
    EXPECT_EQ(first.Name(), "Group1");
    EXPECT_EQ(second.Name(), "Group2");
    EXPECT_EQ(first.Active(), gaYes);  // no members
    TFrameSeries& a = Add("A", 1);
    TFrameSeries& b = Add("B", 1);
    first.AppendSeries(&a);
    first.AppendSeries(&b);
    b.SetActive(false);
    EXPECT_EQ(first.Active(), gaSome);
    first.SetActive(gaSome);
    EXPECT_TRUE(a.Active());
    first.SetActive(gaNo);
    EXPECT_FALSE(a.Active());
    EXPECT_EQ(first.Active(), gaNo);
    EXPECT_EQ(groups.IndexOfSeries(&b), 0);
    EXPECT_EQ(groups.IndexOfSeries(nullptr), -1);

    chart.ExchangeSeries(0, 1);
    EXPECT_EQ(chart.GetSeriesAt(0), &b);
    EXPECT_EQ(first.Series().GetSeriesAt(0), &b);
    EXPECT_EQ(first.Series().GetSeriesAt(1), &a);
}

TEST_F(FrameTest, StoredGroupsComeBackAsMembersOnceTheChartHasLoaded)
{
    RegisterClass(TFrameSeries::StaticClass());
    TFrameSeries& a = Add("A", 1);
    Add("B", 1);
    chart.SetName("Chart1");
    chart.SeriesGroups()->AddGroup()->AppendSeries(&a);
    const String text = ComponentToText(&chart);
    EXPECT_NE(text.find("Series = (\r\n        '0')"), String::npos) << text;

    const auto load = [](const String& positions) {
        const String form = "object Chart1: TTestAxisPanel\r\n"
                            "  SeriesGroups = <\r\n    item\r\n      Name = 'Group1'\r\n      Series = (" +
                            positions +
                            ")\r\n    end>\r\n"
                            "  object A: TFrameSeries\r\n  end\r\n  object B: TFrameSeries\r\n  end\r\nend\r\n";
        TOwnedPtr<TTestAxisPanel> loaded(new TTestAxisPanel(nullptr));
        TextToComponent(form, loaded.get());
        return loaded;
    };
    const auto reloaded = load("'1' '7' '-1'");  // positions outside the list are no members
    const TSeriesGroup& group = *reloaded->SeriesGroups()->GetGroup(0);
    ASSERT_EQ(group.Series().Count(), 1);
    EXPECT_EQ(group.Series().GetSeriesAt(0)->Name(), "B");

    TOwnedPtr<TTestAxisPanel> broken(new TTestAxisPanel(nullptr));
    try {
        TextToComponent(String("object Chart1: TTestAxisPanel\r\n  SeriesGroups = <\r\n    item\r\n"
                               "      Series = ('x')\r\n    end>\r\n  object A: TFrameSeries\r\n  end\r\nend\r\n"),
                        broken.get());
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_NE(String(e.Message()).find("'x'"), String::npos) << e.Message();
    }
    TSeriesGroup& failed = *broken->SeriesGroups()->GetGroup(0);
    EXPECT_EQ(failed.StoredPositions(), nullptr);
    EXPECT_EQ(failed.Series().Count(), 0);
    EXPECT_EQ(broken->NumSeries(), 1);
    UnRegisterClass(TFrameSeries::StaticClass());
}

// ---- engine start-up ----

TEST_F(FrameTest, TheCoreUnitRegistersItsClassesOnTheFirstStartAndRemovesThemOnTheLastStop)
{
    const char* const names[] = {"TChartAxisTitle", "TChartAxis",    "TChartDepthAxis",
                                 "TSeriesMarks",    "TThemedSeries", "TZebPictureComponent"};
    const int starts = EngineCoreUnitStarts();
    ASSERT_GE(starts, 1);
    for (const char* name : names) EXPECT_NE(GetClass(name), nullptr) << name;
    EXPECT_EQ(ClassGroupOf(TFrameSeries::StaticClass()), &TControl::StaticClass());
    StartEngineCoreUnit();
    StopEngineCoreUnit();
    for (const char* name : names) EXPECT_NE(GetClass(name), nullptr) << "after a second start and stop: " << name;
    for (int i = 0; i < starts; ++i) StopEngineCoreUnit();
    for (const char* name : names) EXPECT_EQ(GetClass(name), nullptr) << name;
    for (int i = 0; i < starts; ++i) StartEngineCoreUnit();
    TOwnedPtr<TComponent> picture(FindClass("TZebPictureComponent").CreateComponent(nullptr));
    EXPECT_NE(dynamic_cast<TZebPictureComponent&>(*picture).Picture(), nullptr);
}

}  // namespace
