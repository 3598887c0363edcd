// The legend: what it lists, its layout and paging, drawing, hits and the pictures of a legend.
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "AxisFixtures.h"
#include "ElementCanvas.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/Shadow.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartPage.h"
#include "chart/core/Legend.h"
#include "chart/core/ZebSelected.h"
#include "platform/classes/Published.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "tests/chart/support/RecordingCanvas.h"
#include "tests/support/Golden.h"

namespace {

// The chart with a second legend for the pictures, keeping the chart rectangle its legends left.
class TLegendChart : public TChart {
    TV_CLASS(TLegendChart, TChart)
public:
    using TChart::TChart;

    std::unique_ptr<TChartLegend> Second;
    TRect ChartRectAfterLayout;

    void DrawSurroundings(bool beforeSeries) override
    {
        TChart::DrawSurroundings(beforeSeries);
        if (Second && Second->HasContent()) {
            if (beforeSeries)
                Second->ComputeLayout();
            else
                Second->RenderLegend();
        }
        if (beforeSeries) ChartRectAfterLayout = ChartRect();
    }
};

}  // namespace

TV_PUBLISHED(TLegendChart) {}

namespace {

const String GoldenDir = TV_SOURCE_DIR "/tests/chart/core/golden";
constexpr int CharWidth = 6;
constexpr int TextHeight = 12;

class LegendTest : public ChartCoreSuite {
protected:
    void SetUp() override { Resize(400, 300); }
    void Resize(int width, int height)
    {
        chart.SetBounds(0, 0, width, height);
        chart.SetView3D(false);
        chart.SetAxisVisible(false);  // only the legend writes texts
        canvas = new TRecordingCanvas(width, height);
        canvas->SetFixedTextMetrics(CharWidth, TextHeight);
        chart.ReplaceCanvas(canvas);
    }
    // The chart frees its series.
    TTestSeries& Add(const String& title, int points = 3)
    {
        auto* series = new TTestSeries(nullptr);
        series->SetTitle(title);
        for (int i = 0; i < points; ++i) series->AddY(10 + i);
        series->SetParentChart(&chart);
        return *series;
    }
    void Frame() { RecordFrame(chart, *canvas); }
    // Replaces the text of legend item index.
    void OnText(std::function<void(int index, String& text)> hook)
    {
        chart.SetOnGetLegendText(
            [hook](TCustomAxisPanel*, TLegendStyle, int index, String& text) { hook(index, text); });
    }
    // Texts drawn inside the legend's frame.
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> out;
        for (const std::string& line : canvas->Calls("TextOut")) out.push_back(line);
        return out;
    }
    int LinesDrawn() const { return static_cast<int>(canvas->Calls("LineTo").size()); }

    TLegendChart chart{nullptr};
    TCustomChartLegend& legend = *chart.Legend();
    TRecordingCanvas* canvas = nullptr;  // the chart's
};

// ---- model ----

TEST_F(LegendTest, AutomaticStyleListsValuesOfOneSeriesAndSeriesOfMore)
{
    Add("A");
    legend.UpdateEffectiveStyle();
    EXPECT_EQ(legend.EffectiveStyle(), lsValues);
    legend.SetCheckBoxes(true);
    EXPECT_EQ(legend.EffectiveStyle(), lsValues) << "recomputed at the next layout";
    legend.UpdateEffectiveStyle();
    EXPECT_EQ(legend.EffectiveStyle(), lsSeries);
    legend.SetCheckBoxes(false);
    Add("B");
    legend.UpdateEffectiveStyle();
    EXPECT_EQ(legend.EffectiveStyle(), lsSeries);
}

TEST_F(LegendTest, RadioStyleLeavesOnlyTheFirstSeriesActive)
{
    TTestSeries& a = Add("A");
    TTestSeries& b = Add("B");
    TTestSeries& c = Add("C");
    legend.SetCheckBoxesStyle(cbsRadio);
    EXPECT_TRUE(a.Active());
    EXPECT_FALSE(b.Active());
    EXPECT_FALSE(c.Active());
}

TEST_F(LegendTest, ClickingCheckBoxesSwitchesSeries)
{
    TTestSeries& a = Add("A");
    TTestSeries& b = Add("B");
    EXPECT_FALSE(legend.ClickItem(1)) << "no check boxes";
    EXPECT_EQ(legend.Selected()->SelectedIndex(), 1);
    legend.SetCheckBoxes(true);
    legend.UpdateEffectiveStyle();
    EXPECT_TRUE(legend.ClickItem(1));
    EXPECT_FALSE(b.Active());
    EXPECT_TRUE(legend.ClickItem(1)) << "an inactive series stays listed with check boxes";
    EXPECT_TRUE(b.Active());
    legend.SetCheckBoxesStyle(cbsRadio);
    EXPECT_TRUE(legend.ClickItem(1));
    EXPECT_FALSE(a.Active());
    EXPECT_TRUE(b.Active());
    // Past the listed series there is nothing to switch.
    EXPECT_TRUE(legend.ClickItem(7));
    EXPECT_FALSE(a.Active());
    EXPECT_FALSE(b.Active());
    EXPECT_FALSE(legend.ClickItem(-1));
}

TEST_F(LegendTest, FirstValueBelowZeroIsRefused)
{
    legend.SetFirstValue(3);
    EXPECT_THROW(legend.SetFirstValue(-1), LegendException);
    EXPECT_EQ(legend.FirstValue(), 3);
    legend.SetFirstValue(0);
}

TEST_F(LegendTest, ItemsGrowUpToTheItemAsked)
{
    TLegendItem* item = legend.Items().ItemAt(5);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(legend.Items().Count(), 6);
    EXPECT_EQ(legend.Items().Find(5), item);
    EXPECT_EQ(legend.Items().Find(4), nullptr) << "entries before it stay empty";
    EXPECT_FALSE(legend.Items().UseCustomItems());
    item->SetText("custom");
    EXPECT_TRUE(legend.Items().UseCustomItems());
    EXPECT_FALSE(legend.Items().UseCustomPositions());
    item->SetLeft(3);
    EXPECT_TRUE(legend.Items().UseCustomPositions());
    EXPECT_EQ(item->Font()->Size(), legend.Font()->Size());
}

TEST_F(LegendTest, ColumnSeparatorsSplitItemTexts)
{
    Add("A");
    Add("B");
    OnText([](int index, String& text) { text = index == 0 ? "A\x06" "B\x06" "C" : "plain"; });
    legend.SetAlignment(laBottom);
    Frame();
    ASSERT_EQ(legend.MeasuredCount(), 2);
    EXPECT_EQ(legend.PositionTexts(0), (TLegendItemText{"A", "B", "C"}));
    EXPECT_EQ(legend.PositionTexts(1), (TLegendItemText{"plain", "", ""}));
}

TEST_F(LegendTest, SymbolWidthSquaredOrOfTheText)
{
    Add("A");
    Add("B");
    legend.SetVertSpacing(2);
    Frame();
    const int rowHeight = legend.LayoutRowHeight();
    EXPECT_EQ(rowHeight, TextHeight + 2);
    EXPECT_EQ(legend.Symbol()->PixelHeight(), rowHeight - 4);
    EXPECT_EQ(legend.Symbol()->PixelWidth(300), rowHeight - 4 - 2);
    legend.Symbol()->SetSquared(false);
    EXPECT_EQ(legend.Symbol()->PixelWidth(300), 60);
    legend.Symbol()->SetWidthUnits(lcsPixels);
    EXPECT_EQ(legend.Symbol()->PixelWidth(300), 20);
    legend.Symbol()->SetVisible(false);
    EXPECT_EQ(legend.Symbol()->PixelWidth(300), 0);
}

// ---- layout ----

TEST_F(LegendTest, MainWindowBottomLegendIsOneCentredRow)
{
    Resize(697, 377);
    Add("X-Value");
    Add("Y-Value");
    legend.SetAlignment(laBottom);
    legend.SetLegendStyle(lsSeries);
    legend.SetFontSeriesColor(true);
    legend.SetTopPos(0);
    TRect before;
    chart.SetOnBeforeDrawChart([&](TObject*) { before = chart.ChartRect(); });
    Frame();
    EXPECT_EQ(legend.Columns(), 2);
    EXPECT_EQ(legend.Rows(), 1);
    EXPECT_FALSE(legend.Justified());
    EXPECT_EQ(legend.LastValue(), 1);
    const int centre = (before.Left + before.Right) / 2;
    EXPECT_LE(std::abs((legend.Left() + legend.Right()) / 2 - centre), 1);
    EXPECT_EQ(chart.ChartRectAfterLayout.Bottom, legend.Top() - 4 * before.Height() / 100);
    EXPECT_EQ(legend.Bottom(), before.Bottom - 1 - legend.Shadow()->VertSize())
        << "half the 1-pixel frame plus one, and the shadow";
}

TEST_F(LegendTest, RightLegendShowsTheRowsThatFit)
{
    for (int i = 0; i < 40; ++i) Add("S" + std::to_string(i));
    Frame();
    const int fit = legend.Rows();
    EXPECT_GT(fit, 5);
    EXPECT_LT(fit, 40);
    EXPECT_EQ(legend.LastValue(), fit - 1);
    EXPECT_LE(legend.Bottom(), chart.ChartRectAfterLayout.Bottom + legend.FrameWidth() + legend.LayoutRowHeight());
    legend.SetMaxNumRows(4);
    Frame();
    EXPECT_EQ(legend.Rows(), 4);
    EXPECT_EQ(legend.LastValue(), 3);
    EXPECT_EQ(canvas->Calls("TextOut").size(), 4u);
}

TEST_F(LegendTest, RightLegendTakesThreePercentMargin)
{
    Add("A");
    Add("B");
    TRect before;
    chart.SetOnBeforeDrawChart([&](TObject*) { before = chart.ChartRect(); });
    Frame();
    EXPECT_EQ(chart.ChartRectAfterLayout.Right, legend.Left() - 3 * before.Width() / 100);
    legend.SetHorizMargin(7);
    Frame();
    EXPECT_EQ(chart.ChartRectAfterLayout.Right, legend.Left() - 7);
}

TEST_F(LegendTest, ManyBottomItemsMakeAJustifiedGridOfAtMostTenRows)
{
    for (int i = 0; i < 30; ++i) Add("Series number " + std::to_string(i));
    legend.SetAlignment(laBottom);
    Frame();
    EXPECT_TRUE(legend.Justified());
    EXPECT_LE(legend.Rows(), 10);
    EXPECT_GT(legend.Columns(), 1);
    EXPECT_EQ(legend.LastValue(), std::min(30, legend.Columns() * legend.Rows()) - 1);
    // Equal columns: every column as wide as its widest item.
    EXPECT_EQ(legend.ColumnWidth(0), legend.ColumnWidth(1));
    legend.SetMaxNumRows(2);
    Frame();
    EXPECT_EQ(legend.Rows(), 2);
    EXPECT_EQ(legend.LastValue(), 2 * legend.Columns() - 1);
}

TEST_F(LegendTest, OverWideItemWithoutJustifyingIsNotDrawn)
{
    Add("A");
    Add(String(100, 'W'));
    legend.SetAlignment(laBottom);
    OnText([](int, String& text) { text = String(100, 'W'); });
    legend.SetHorizJustify(ljNo);
    Frame();
    EXPECT_EQ(legend.Columns(), 0);
    EXPECT_LT(legend.LastValue(), legend.FirstValue());
    EXPECT_TRUE(canvas->Calls("TextOut").empty());
    EXPECT_EQ(legend.ItemAtXY(legend.Left() + 5, legend.Top() + 5), -1);
    legend.SetHorizJustify(ljAutomatic);
    Frame();
    EXPECT_TRUE(legend.Justified());
    EXPECT_EQ(legend.Columns(), 1);
    EXPECT_EQ(canvas->Calls("TextOut").size(), 2u);
}

TEST_F(LegendTest, PagingListsTheCurrentPageOfValues)
{
    Add("A", 50);
    chart.Pages()->SetMaxPointsPerPage(10);
    chart.Pages()->SetCurrent(3);
    Frame();
    EXPECT_EQ(legend.EffectiveStyle(), lsValues);
    EXPECT_EQ(legend.FirstValue(), 20);
    EXPECT_EQ(legend.TotalCount(), 10);
    EXPECT_EQ(legend.LastValue(), 29);
}

TEST_F(LegendTest, TopPosKeepsABottomLegendWithinTheRestOfTheWidth)
{
    Add("A");
    Add("B");
    OnText([](int, String& text) { text = String(100, 'W'); });
    legend.SetAlignment(laBottom);
    Frame();
    EXPECT_EQ(legend.Right() - legend.Left(), 400 * 90 / 100);
    legend.SetTopPos(0);
    Frame();
    EXPECT_EQ(legend.Right() - legend.Left(), 400);
}

TEST_F(LegendTest, CustomPositionLeavesTheChartRectangleAlone)
{
    Add("A");
    Add("B");
    TRect before;
    chart.SetOnBeforeDrawChart([&](TObject*) { before = chart.ChartRect(); });
    legend.SetLeft(30);
    legend.SetTop(40);
    EXPECT_TRUE(legend.CustomPosition());
    Frame();
    EXPECT_EQ(chart.ChartRectAfterLayout, before);
    EXPECT_EQ(legend.Left(), 30);
    EXPECT_EQ(legend.Top(), 40);
}

TEST_F(LegendTest, LongValueLegendMeasuresOnlyWhatItCanShow)
{
    Add("A", 100000);
    legend.SetAlignment(laBottom);
    Frame();
    EXPECT_EQ(legend.TotalCount(), 100000);
    EXPECT_TRUE(legend.Justified());
    EXPECT_LT(legend.MeasuredCount(), 200);
    EXPECT_EQ(legend.LastValue(), legend.Columns() * legend.Rows() - 1);
    EXPECT_EQ(static_cast<int>(canvas->Calls("TextOut").size()), legend.Columns() * legend.Rows())
        << "the value of every shown item";
}

TEST_F(LegendTest, ReservedSpaceWidensASideLegendButIsNoItem)
{
    Add("A");
    Add("B");
    Frame();
    const int width = legend.Right() - legend.Left();
    legend.ReserveSpace = [](TCustomChartLegend&, int& size) { size += 20; };
    Frame();
    EXPECT_EQ(legend.Right() - legend.Left(), width + 20);
    const int y = legend.ItemsTop() + 2;
    EXPECT_EQ(legend.ItemAtXY(legend.Right() - 25, y), 0);
    EXPECT_EQ(legend.ItemAtXY(legend.Right() - 5, y), -1);
    legend.ReserveSpace = nullptr;
}

// ---- drawing and hits ----

TEST_F(LegendTest, DividingLines)
{
    const struct {
        TLegendAlignment alignment;
        int items;
        int lines;
    } cases[] = {{laRight, 4, 3}, {laBottom, 3, 2}};
    for (const auto& c : cases) {
        chart.DisposeAllSeries(nullptr);
        for (int i = 0; i < c.items; ++i) Add("S" + std::to_string(i));
        legend.SetAlignment(c.alignment);
        legend.DividingLines()->SetVisible(false);
        Frame();
        const int without = LinesDrawn();
        legend.DividingLines()->SetVisible(true);
        Frame();
        EXPECT_EQ(LinesDrawn() - without, c.lines) << c.alignment;
    }
}

TEST_F(LegendTest, LeftValueStyleRightAlignsTheValue)
{
    TTestSeries& series = Add("A");
    series.SetLabelAt(0, "first");
    Frame();
    ASSERT_EQ(legend.EffectiveStyle(), lsValues);
    const TLegendItem* item = legend.Items().Find(0);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Text(), "10");
    EXPECT_EQ(item->Text2(), "first");
    EXPECT_EQ(item->Align(), TA_RIGHT);
    const std::vector<std::string> texts = canvas->Calls("TextOut");
    ASSERT_GE(texts.size(), 2u);
    // The value ends at its column's right edge; the label starts one blank after it.
    EXPECT_EQ(texts[0].rfind("TextOut(" + std::to_string(item->Left()) + ",", 0), 0u) << texts[0];
    EXPECT_EQ(texts[1].rfind("TextOut(" + std::to_string(item->Left() + CharWidth) + ",", 0), 0u) << texts[1];
    EXPECT_EQ(item->Left(), legend.TextX() - 2 + legend.ColumnTextWidths(0)[0] - 4);
}

TEST_F(LegendTest, ContinuousSymbolsTouch)
{
    for (int i = 0; i < 3; ++i) Add("S" + std::to_string(i));
    legend.Symbol()->SetContinuous(true);
    Frame();
    const TRect r0 = legend.Items().Find(0)->SymbolRect();
    const TRect r1 = legend.Items().Find(1)->SymbolRect();
    const TRect r2 = legend.Items().Find(2)->SymbolRect();
    // Rectangles end outside themselves: neighbouring boxes share their frame line.
    EXPECT_EQ(r0.Bottom, r1.Top + 1);
    EXPECT_EQ(r1.Bottom, r2.Top + 1);
    EXPECT_EQ(r0.Top, legend.ItemsTop() + 1 + legend.RowGap() + 2);
    legend.Symbol()->SetContinuous(false);
    Frame();
    EXPECT_LT(legend.Items().Find(0)->SymbolRect().Bottom, legend.Items().Find(1)->SymbolRect().Top);
}

TEST_F(LegendTest, ClicksOnTitleAndRows)
{
    Add("A");
    Add("B");
    Add("C");
    legend.Title()->SetText("Series");
    Frame();
    const int x = (legend.Left() + legend.Right()) / 2;
    EXPECT_EQ(legend.ItemAtXY(x, legend.Top() + 3), -1);
    const int rowHeight = legend.LayoutRowHeight();
    EXPECT_EQ(legend.ItemAtXY(x, legend.ItemsTop() + 1 + rowHeight + rowHeight / 2), legend.FirstValue() + 1);
    EXPECT_EQ(legend.ItemAtXY(legend.Right() + 5, legend.ItemsTop() + 5), -1);
}

TEST_F(LegendTest, BottomLegendHitsByColumn)
{
    Add("A");
    Add("B");
    legend.SetAlignment(laBottom);
    Frame();
    const int y = legend.ItemsTop() + 5;
    EXPECT_EQ(legend.ItemAtXY(legend.Left() + 3, y), 0);
    EXPECT_EQ(legend.ItemAtXY(legend.Left() + 1 + legend.ColumnWidth(0) + 3, y), 1);
    legend.SetInverted(true);
    Frame();
    EXPECT_EQ(legend.ItemAtXY(legend.Left() + 3, y), 1);
}

TEST_F(LegendTest, FontSeriesColorWritesTitlesInSeriesColours)
{
    Add("A").SetSeriesColor(static_cast<TColor>(0x0000FF));
    Add("B").SetSeriesColor(static_cast<TColor>(0x00FF00));
    legend.SetFontSeriesColor(true);
    Frame();
    const std::vector<std::string> texts = canvas->Calls("TextOut");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[0].find("font=0000FF"), std::string::npos) << texts[0];
    EXPECT_NE(texts[1].find("font=00FF00"), std::string::npos) << texts[1];
}

TEST_F(LegendTest, CheckBoxesShowWhichSeriesAreActive)
{
    Add("A");
    Add("B").SetActive(false);
    legend.SetCheckBoxes(true);
    Frame();
    const std::vector<std::string> boxes = canvas->Calls("DrawCheckBox");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_NE(boxes[0].find("true,true"), std::string::npos) << boxes[0];
    EXPECT_NE(boxes[1].find("false,true"), std::string::npos) << boxes[1];
    EXPECT_GE(legend.LayoutRowHeight(), 17);
}

TEST_F(LegendTest, CustomItemsAtCustomPositions)
{
    Add("A");
    Add("B");
    Frame();
    TLegendItem* item = legend.Items().ItemAt(0);
    item->SetText("moved");
    item->SetLeft(12);
    item->SetTop(34);
    item->SetSymbolRect({1, 2, 3, 4});
    Frame();
    const std::vector<std::string> texts = canvas->Calls("TextOut");
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0].substr(0, texts[0].find(" font")), "TextOut(12,34,\"moved\")");
    EXPECT_EQ(item->SymbolRect(), (TRect{1, 2, 3, 4}));
}

TEST_F(LegendTest, NothingListedStillUndoesTheCustomOffset)
{
    legend.SetLeft(10);
    legend.SetTop(10);
    legend.SetCheckBoxes(true);  // content without series
    Frame();
    EXPECT_LT(legend.LastValue(), legend.FirstValue());
    EXPECT_EQ(legend.Left(), 10);
    EXPECT_EQ(legend.Top(), 10);
}

// ---- pictures ----

void LegendSheet(TLegendChart& chart)
{
    chart.SetBounds(0, 0, 420, 240);
    chart.SetView3D(false);
    chart.SetColor(clWhite);
    chart.SetBevelOuter(bvNone);
    const char* titles[] = {"Temperature", "Pressure", "Humidity"};
    const TColor colors[] = {static_cast<TColor>(0x3030D0), static_cast<TColor>(0x30A030),
                             static_cast<TColor>(0xD07030)};
    for (int s = 0; s < 3; ++s) {
        auto* series = new TTestSeries(nullptr);
        series->SetTitle(titles[s]);
        series->SetSeriesColor(colors[s]);
        for (int i = 0; i < 4; ++i) series->AddY(10 * (s + 1) + i);
        series->SetParentChart(&chart);
    }
    chart.GetSeriesAt(2)->SetActive(false);
    TChartLegend& legend = *chart.Legend();
    legend.SetCheckBoxes(true);
    legend.SetFontSeriesColor(true);
    legend.Title()->SetText("Sensors");
    legend.DividingLines()->SetVisible(true);
    legend.DividingLines()->SetColor(clSilver);
    chart.Second = std::make_unique<TChartLegend>(&chart);
    TChartLegend& values = *chart.Second;
    values.SetAlignment(laBottom);
    values.SetLegendStyle(lsValues);
    values.SetTopPos(0);
    values.Brush()->Gradient()->SetVisible(true);
}

TEST_F(LegendTest, PictureOfLegends)
{
    const struct {
        const char* canvas;
        const char* golden;
    } cases[] = {{"TZebCanvas3D", "legend"}, {"TGDIPlusCanvas", "legend_gdiplus"}};
    for (const auto& c : cases) {
        TLegendChart sheet(nullptr);
        sheet.SetCanvasClassName(c.canvas);
        LegendSheet(sheet);
        TBitmap window;
        testkit::RenderToBitmap(sheet, window);
        testsupport::ExpectMatchesGolden(window, GoldenDir, c.golden);
    }
}

}  // namespace
