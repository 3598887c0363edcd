// The chart object: palette choice and its stored form, titles, walls and the chart's answers to
// the axis panel, on the recording canvas.
#include <algorithm>
#include <vector>

#include "ElementCanvas.h"
#include "IsolatedRegistry.h"
#include "SeriesFixtures.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/AxisItems.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartTitles.h"
#include "chart/core/ChartWalls.h"
#include "chart/core/ColorPalette.h"
#include "chart/core/EditorRegistry.h"
#include "chart/core/Legend.h"
#include "chart/core/NamedPalettes.h"
#include "platform/classes/Filer.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Streams.h"
#include "tests/support/StreamText.h"

namespace {

// Counts the repaints the chart asks for.
class TCountingChart : public TChart {
    TV_CLASS(TCountingChart, TChart)
public:
    using TChart::TChart;
    int Invalidations = 0;
    void Invalidate() override
    {
        ++Invalidations;
        TChart::Invalidate();
    }
};

class TTestAnimation : public TZebCustomAnimation {
    TV_CLASS(TTestAnimation, TZebCustomAnimation)
public:
    using TZebCustomAnimation::TZebCustomAnimation;
    void PlayAnimation() override {}
};

}  // namespace

TV_PUBLISHED(TCountingChart) {}
TV_PUBLISHED(TTestAnimation) {}

namespace {

class ChartTest : public ChartCoreSuite {
protected:
    void TearDown() override { ReleaseNamedPalettes(); }

    static String store(TComponent* chart)
    {
        TStringStream s;
        WriteComponentToStream(s, chart);
        return testsupport::toText(s.DataString());
    }
    static TOwnedPtr<TChart> load(const String& text)
    {
        TOwnedPtr<TChart> chart(new TChart(nullptr));
        TextToComponent(text, chart.get());
        return chart;
    }
    IsolatedRegistry registry;
};

// ---- palettes ----

TEST_F(ChartTest, ANewChartTakesThePerUserPaletteOrOpera)
{
    TChart fresh(nullptr);
    EXPECT_EQ(fresh.ColorPaletteIndex(), 13);
    EXPECT_EQ(fresh.ColorPalette(), GetNamedPalettes()->CopyColors(13));
    EXPECT_EQ(fresh.ColorPalette().size(), 12u);
    WriteEditorInteger("DefaultPalette", 5);
    TChart classic(nullptr);
    EXPECT_EQ(classic.ColorPaletteIndex(), 5);
    EXPECT_EQ(classic.ColorPalette(), GetNamedPalettes()->CopyColors(5));
}

TEST_F(ChartTest, StoredPaletteChoices)
{
    TOwnedPtr<TChart> zero = load("object C: TChart\r\n  ColorPaletteIndex = 0\r\nend\r\n");
    EXPECT_EQ(zero->ColorPaletteIndex(), 0);
    EXPECT_TRUE(zero->ColorPalette().empty()) << "the default palette applies";
    EXPECT_EQ(zero->PaletteColor(19), DefaultColorPalette[19]);

    TOwnedPtr<TChart> empty = load("object C: TChart\r\n  ColorPaletteIndex = -2\r\n  ColorPalette = ()\r\nend\r\n");
    EXPECT_EQ(empty->ColorPaletteIndex(), -1);
    EXPECT_TRUE(empty->ColorPalette().empty());

    TOwnedPtr<TChart> bad = TOwnedPtr<TChart>(new TChart(nullptr));
    EXPECT_THROW(TextToComponent("object C: TChart\r\n  BackColor = clNoSuchColour\r\nend\r\n", bad.get()),
                 EReadError);
}

TEST_F(ChartTest, CustomColoursStartFromTheDefaultPaletteAndAreStored)
{
    TChart chart(nullptr);
    chart.SetColorPaletteIndex(0);
    chart.SetColorPaletteIndex(-2);
    EXPECT_EQ(chart.ColorPalette(), DefaultColorPalette);
    const String text = store(&chart);
    EXPECT_NE(text.find("ColorPaletteIndex = -2"), String::npos);
    const size_t list = text.find("ColorPalette = (");
    ASSERT_NE(list, String::npos);
    const String items = text.substr(list, text.find(')', list) - list);
    EXPECT_EQ(std::count(items.begin(), items.end(), '\n'), 20);
    TOwnedPtr<TChart> back = load(text);
    EXPECT_EQ(back->ColorPaletteIndex(), -2);
    EXPECT_EQ(back->ColorPalette(), DefaultColorPalette);
}

// The default palette chosen on a chart must come back as the default palette, not as the
// per-user one a new chart starts with.
TEST_F(ChartTest, TheDefaultPaletteIndexSurvivesSaveAndReload)
{
    TChart chart(nullptr);
    chart.SetColorPaletteIndex(-1);
    const String text = store(&chart);
    EXPECT_NE(text.find("ColorPaletteIndex = -1"), String::npos);
    TOwnedPtr<TChart> back = load(text);
    EXPECT_EQ(back->ColorPaletteIndex(), -1);
    EXPECT_TRUE(back->ColorPalette().empty());
    EXPECT_EQ(load("object C: TChart\r\nend\r\n")->ColorPaletteIndex(), 13) << "files without it load as before";
}

TEST_F(ChartTest, ApplyingANamedPaletteRecolorsAutomaticSeries)
{
    TChart chart(nullptr);
    TTestSeries fixed(nullptr), automatic(nullptr);
    fixed.SetSeriesColor(clRed);
    fixed.SetParentChart(&chart);
    automatic.SetParentChart(&chart);
    TColorPalettes::ApplyPaletteToChart(chart, 4);
    EXPECT_EQ(chart.ColorPalette(), (std::vector<TColor>{0xFF0000, 0x0000FF, 0x00FF00, 0x00CCFF, 0x404040, 0x00FFFF,
                                                         0xC000FF, 0xFFFFFF}));
    EXPECT_EQ(chart.ColorPaletteIndex(), 4);
    EXPECT_EQ(automatic.SeriesColor(), static_cast<TColor>(0xFF0000));
    EXPECT_EQ(fixed.SeriesColor(), clRed);
    for (const int index : {0, 23, -1}) {
        TColorPalettes::ApplyPaletteToChart(chart, 4);
        TColorPalettes::ApplyPaletteToChart(chart, index);
        EXPECT_TRUE(chart.ColorPalette().empty()) << index;
        EXPECT_EQ(automatic.SeriesColor(), DefaultColorPalette[1]) << index << ": the first is the other's";
    }
    fixed.SetParentChart(nullptr);
    automatic.SetParentChart(nullptr);
}

TEST_F(ChartTest, TheChartUnitsEndFreesThePaletteList)
{
    TColorPalettes* list = GetNamedPalettes();
    list->AddOrReplace("Mine", {clBlue});
    StopChartEngine();
    StartChartEngine();
    EXPECT_EQ(GetNamedPalettes()->IndexOfName("Mine"), -1);
}

// ---- the chart object ----

TEST_F(ChartTest, TitlesAreMadeOnFirstReadAndFreedBySettingNothing)
{
    TChart chart(nullptr);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(chart.TitleAt(i), nullptr);
    TChartTitle* title = chart.Title();
    EXPECT_TRUE(title->Visible());
    EXPECT_EQ(title->Lines()->Count(), 0);
    EXPECT_EQ(chart.TitleAt(0), title);
    EXPECT_TRUE(chart.Foot()->Font()->Style().Contains(fsItalic));
    title->Lines()->Add("Tilt");
    chart.SetTitle(nullptr);
    EXPECT_EQ(chart.TitleAt(0), nullptr);
    EXPECT_EQ(chart.Title()->Lines()->Count(), 0);
}

TEST_F(ChartTest, AColourIsFreeUnlessAnotherSeriesOrTheBackgroundHasIt)
{
    TChart chart(nullptr);
    TTestSeries a(nullptr), b(nullptr);
    a.SetSeriesColor(clRed);
    a.SetParentChart(&chart);
    b.SetParentChart(&chart);
    chart.SetColor(clGreen);
    chart.BackWall()->SetColor(clYellow);
    EXPECT_FALSE(chart.IsColorFree(clRed, false, &b));
    EXPECT_TRUE(chart.IsColorFree(clRed, false, &a)) << "a series' own colour is free for it";
    for (const TColor background : {clGreen, clYellow}) {
        EXPECT_TRUE(chart.IsColorFree(background, false, nullptr));
        EXPECT_FALSE(chart.IsColorFree(background, true, nullptr));
    }
    a.SetParentChart(nullptr);
    b.SetParentChart(nullptr);
}

TEST_F(ChartTest, BackColorIsReadAsAnIdentifierOrAnInteger)
{
    EXPECT_EQ(load("object C: TChart\r\n  BackColor = clRed\r\nend\r\n")->BackWall()->Color(), clRed);
    EXPECT_EQ(load("object C: TChart\r\n  BackColor = 16711680\r\nend\r\n")->BackWall()->Color(), clBlue);
    TChart chart(nullptr);
    chart.BackWall()->SetColor(clRed);
    EXPECT_EQ(store(&chart).find("BackColor"), String::npos) << "never written";
}

TEST_F(ChartTest, ChildrenAreSeriesThenToolsThenAnimations)
{
    TComponent owner(nullptr);
    auto* chart = new TChart(&owner);
    auto* series = new TTestSeries(&owner);
    series->SetParentChart(chart);
    auto* animation = new TTestAnimation(&owner);
    chart->Animations().AddTool(animation);
    auto* tool = new TTestSeriesTool(&owner);
    chart->Tools().AddTool(tool);
    std::vector<TComponent*> children;
    chart->GetChildren([&](TComponent* c) { children.push_back(c); }, &owner);
    EXPECT_EQ(children, (std::vector<TComponent*>{series, tool, animation}));
}

TEST_F(ChartTest, ResetContentsLeavesAFreshChartWithItsName)
{
    TComponent owner(nullptr);
    auto* chart = new TChart(&owner);
    chart->SetName("Chart1");
    (new TTestSeries(&owner))->SetParentChart(chart);
    chart->Tools().AddTool(new TTestSeriesTool(&owner));
    chart->Animations().AddTool(new TTestAnimation(&owner));
    chart->LeftAxis()->SetAutomatic(false);
    chart->BottomAxis()->Items().AddItem("one", 1);
    chart->SetChart3DPercent(40);
    chart->Title()->Lines()->Add("Tilt");
    chart->BackWall()->SetColor(clRed);
    chart->SetColorPaletteIndex(4);
    chart->Legend()->SetAlignment(laBottom);
    chart->ResetContents();
    EXPECT_EQ(chart->NumSeries(), 0);
    EXPECT_EQ(chart->Tools().Count(), 0);
    EXPECT_EQ(chart->Animations().Count(), 0);
    EXPECT_TRUE(chart->LeftAxis()->Automatic());
    EXPECT_EQ(chart->BottomAxis()->Items().Count(), 0);
    EXPECT_EQ(chart->Chart3DPercent(), 15);
    EXPECT_EQ(chart->TitleAt(0), nullptr);
    EXPECT_EQ(chart->BackWall()->Color(), clSilver);
    EXPECT_EQ(chart->ColorPaletteIndex(), 13);
    EXPECT_EQ(chart->Legend()->Alignment(), laRight);
    EXPECT_EQ(chart->Name(), "Chart1");
}

TEST_F(ChartTest, EveryResetIsFreshAndFollowsThePerUserPalette)
{
    TChart chart(nullptr);
    chart.ResetContents();
    chart.Title()->Lines()->Add("Tilt");
    chart.SetChart3DPercent(40);
    WriteEditorInteger("DefaultPalette", 5);
    chart.ResetContents();
    EXPECT_EQ(chart.TitleAt(0), nullptr);
    EXPECT_EQ(chart.Chart3DPercent(), 15);
    EXPECT_EQ(chart.ColorPaletteIndex(), 5);
    EXPECT_EQ(chart.ColorPalette(), GetNamedPalettes()->CopyColors(5));
    TChart other(nullptr);
    other.ResetContents();
    EXPECT_EQ(other.TitleAt(0), nullptr) << "the first reset left nothing behind for the next";
    EXPECT_EQ(other.ColorPaletteIndex(), 5);
}

TEST_F(ChartTest, TheLegendIsStoredAndCopied)
{
    TChart chart(nullptr);
    chart.Legend()->SetAlignment(laBottom);
    chart.Legend()->SetFontSeriesColor(true);
    chart.Legend()->Title()->Lines()->Add("Sensors");
    const TOwnedPtr<TChart> loaded = load(store(&chart));
    EXPECT_EQ(loaded->Legend()->Alignment(), laBottom);
    EXPECT_TRUE(loaded->Legend()->FontSeriesColor());
    EXPECT_EQ(loaded->Legend()->Title()->Text(), "Sensors");
    TChart copy(nullptr);
    copy.SetLegend(chart.Legend());
    EXPECT_EQ(copy.Legend()->Alignment(), laBottom);
    EXPECT_NE(copy.Legend(), chart.Legend());
}

// ---- walls ----

TEST_F(ChartTest, WallDefaults)
{
    TCountingChart chart(nullptr);
    EXPECT_EQ(chart.BackWall()->Color(), clSilver);
    EXPECT_TRUE(chart.BackWall()->Transparent());
    EXPECT_FALSE(chart.BackWall()->Shadow()->Visible());
    EXPECT_EQ(chart.LeftWall()->Color(), static_cast<TColor>(0x80FFFF));
    EXPECT_EQ(chart.BottomWall()->Color(), clWhite);
    EXPECT_EQ(chart.Frame(), chart.BackWall()->Pen());
    chart.SetAutoRepaint(true);
    const int before = chart.Invalidations;
    TChartRightWall* right = chart.RightWall();
    EXPECT_FALSE(right->Visible());
    EXPECT_EQ(right->Color(), clSilver);
    EXPECT_EQ(chart.Invalidations, before) << "reading the right wall repaints nothing";
    TCustomChartWall plain;
    EXPECT_EQ(plain.Color(), clDefault);
}

TEST_F(ChartTest, WallsCoverTheirShareOfTheHeight)
{
    TChart chart(nullptr);
    chart.SetChartRect({10, 100, 300, 300});
    chart.NormalizeChartRect();
    chart.SetView3D(true);
    chart.BottomWall()->SetSize(20);
    TChartLeftWall& left = *chart.LeftWall();
    left.SetStartPosition(25);
    left.SetEndPosition(75);
    int top = 0, bottom = 0;
    left.VerticalExtent(top, bottom);
    EXPECT_EQ(top, 150);
    EXPECT_EQ(bottom, 320 - 55) << "the bottom counts from the floor's thickness";
}

TEST_F(ChartTest, DarkSidesNeedAnOpaqueBrushAndDark3D)
{
    TChart chart(nullptr);
    TChartLeftWall& wall = *chart.LeftWall();
    EXPECT_TRUE(wall.IsDark3D());
    wall.SetDark3D(false);
    EXPECT_FALSE(wall.IsDark3D());
    wall.SetDark3D(true);
    wall.Brush()->SetStyle(bsClear);
    EXPECT_FALSE(wall.IsDark3D());
}

}  // namespace
