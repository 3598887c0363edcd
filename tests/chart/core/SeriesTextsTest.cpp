// Series colour and the texts of its legend items and marks.
#include <string>

#include "AxisFixtures.h"
#include "chart/core/MarksItems.h"
#include "chart/core/SeriesMarks.h"
#include "platform/rtl/Strings.h"

class SeriesTexts : public ChartCoreSuite {
protected:
    void SetUp() override
    {
        series = new TTestSeries(&owner);
        series->SetParentChart(&chart);
    }
    TComponent owner{nullptr};
    TTestAxisPanel chart{nullptr};
    TTestSeries* series = nullptr;
};

TEST_F(SeriesTexts, PickedColourStaysAutomatic)
{
    const TColor picked = series->SeriesColor();
    ASSERT_NE(picked, clAutomatic);
    series->SetSeriesColor(picked);
    EXPECT_FALSE(series->IsSeriesColorStored());
    EXPECT_EQ(series->SeriesColor(), picked);

    const TColor own = static_cast<TColor>(0x123456);
    series->SetSeriesColor(own);
    EXPECT_TRUE(series->IsSeriesColorStored());
    EXPECT_EQ(series->PickedColor(), own);
    // Once stored, the old picked colour is stored like any other.
    series->SetSeriesColor(picked);
    EXPECT_TRUE(series->IsSeriesColorStored());

    series->ResetSeriesColor();
    EXPECT_FALSE(series->IsSeriesColorStored());
    EXPECT_EQ(series->SeriesColor(), picked);
}

TEST_F(SeriesTexts, LegendTextByStyle)
{
    series->AddXY(3, 25);
    series->AddXY(4, 75);
    series->AddXY(5, -100);  // the absolute sum is 200
    series->SetLabelAt(0, "A");
    series->SetLabelAt(2, "B");
    const std::string sep(1, LegendColumnSeparator);
    struct Case {
        int index;
        TLegendTextStyle style;
        std::string text;
    };
    const Case cases[] = {
        {0, ltsPlain, "A"},
        {0, ltsLeftValue, "25" + sep + "A"},
        {0, ltsRightValue, "A" + sep + "25"},
        {0, ltsLeftPercent, "12.5 %" + sep + "A"},
        {0, ltsRightPercent, "A" + sep + "12.5 %"},
        {0, ltsXValue, "3"},
        {0, ltsValue, "25"},
        {0, ltsPercent, "12.5 %"},
        {0, ltsXAndValue, "3" + sep + "25"},
        {0, ltsXAndPercent, "3" + sep + "12.5 %"},
        {0, ltsXAndText, "3" + sep + "A"},
        {0, ltsXAndValueAndText, "3" + sep + "25" + sep + "A"},
        // Without a label the value or percent stands alone.
        {1, ltsPlain, ""},
        {1, ltsRightValue, "75"},
        {1, ltsLeftValue, "75"},
        {1, ltsRightPercent, "37.5 %"},
        {1, ltsXAndText, "4" + sep},
        // The legend's percentage keeps the sign.
        {2, ltsLeftPercent, "-50 %" + sep + "B"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(TLegendTextStyleNames[c.style]);
        EXPECT_EQ(series->FormatLegendText(c.index, c.style), c.text) << "point " << c.index;
    }
}

TEST_F(SeriesTexts, LegendPercentOfZeroSumAndDateTimeValue)
{
    series->AddXY(0, 0);
    series->AddXY(1, 0);
    EXPECT_EQ(series->FormatLegendText(1, ltsPercent), "100 %");
    series->SetPercentFormat("0.0%");
    EXPECT_EQ(series->FormatLegendText(1, ltsPercent), "100.0%");

    series->SetPointY(1, 45000.5);  // 15 March 2023, noon
    series->YValues()->SetDateTime(true);
    EXPECT_EQ(series->FormatLegendText(1, ltsValue), "3/15/2023");
    series->YValues()->SetDateTime(false);
    EXPECT_EQ(series->FormatLegendText(1, ltsValue), "45,000.5");
}

namespace {
// A chart whose legend text of a point has two columns.
class TLegendChart : public TTestAxisPanel {
public:
    using TTestAxisPanel::TTestAxisPanel;
    String LegendTextOfPoint(TChartSeries*, int index) override { return "L" + std::string(1, '\x06') + IntToStr(index); }
};
}  // namespace

class MarkTexts : public ChartCoreSuite {
protected:
    void SetUp() override
    {
        series = new TTestSeries(&owner);
        series->SetParentChart(&chart);
        series->SetTitle("Temps");
        series->AddXY(3, 25);
        series->AddXY(4, 75);
        series->AddXY(5, -100);  // the absolute sum is 200
        series->SetLabelAt(0, "A");
        series->SetLabelAt(2, "B");
    }
    TComponent owner{nullptr};
    TLegendChart chart{nullptr};
    TTestSeries* series = nullptr;
};

TEST_F(MarkTexts, TextByStyle)
{
    struct Case {
        TSeriesMarksStyle style;
        bool multiLine;
        int index;
        std::string text;
    };
    const Case cases[] = {
        {smsValue, false, 0, "25"},
        {smsPercent, false, 2, "50 %"},  // of the absolute value
        {smsLabel, false, 1, ""},
        {smsLabelPercent, false, 1, "75 37.5 %"},
        {smsLabelValue, false, 0, "A 25"},
        {smsLabelValue, true, 0, "A\r25"},
        {smsLabelValue, true, 1, "75"},
        {smsLegend, false, 2, "L 2"},
        {smsLegend, true, 2, "L\x06" "2"},
        {smsPercentTotal, false, 0, "12.5 % of 200"},
        {smsPercentTotal, true, 0, "12.5 %\rof 200"},
        {smsLabelPercentTotal, false, 0, "A 12.5 % of 200"},
        {smsXValue, false, 0, "3"},
        {smsXY, true, 1, "4\r75"},
        {smsSeriesTitle, false, 1, "Temps"},
        {smsPointIndex, false, 2, "2"},
        {smsPercentRelative, false, 0, "100 %"},
        {smsPercentRelative, false, 1, "300 %"},
        {smsPercentRelative, false, 2, "-400 %"},
        {smsLabelPercentValue, false, 0, "A 12.5 % 25"},
        {smsLabelOrValue, false, 0, "A"},
        {smsLabelOrValue, false, 1, "75"},
    };
    TSeriesMarks& marks = series->Marks();
    for (const Case& c : cases) {
        SCOPED_TRACE(TSeriesMarksStyleNames[c.style]);
        marks.SetStyle(c.style);
        marks.SetMultiLine(c.multiLine);
        EXPECT_EQ(series->ComposeMarkText(c.index), c.text) << "point " << c.index;
    }
}

TEST_F(MarkTexts, ZeroSumsAndDateTimeValues)
{
    TSeriesMarks& marks = series->Marks();
    series->SetPointY(0, 0);
    marks.SetStyle(smsPercentRelative);
    EXPECT_EQ(series->ComposeMarkText(1), "0 %");  // the first value is 0
    series->SetPointY(1, 0);
    series->SetPointY(2, 0);
    marks.SetStyle(smsPercent);
    EXPECT_EQ(series->ComposeMarkText(1), "100 %");

    series->SetPointY(1, 45000.5);
    series->YValues()->SetDateTime(true);
    marks.SetStyle(smsValue);
    EXPECT_EQ(series->ComposeMarkText(1), "45,000.5");
    EXPECT_EQ(series->FormatLegendText(1, ltsValue), "3/15/2023");
}

TEST_F(MarkTexts, ItemTextAndEvent)
{
    TSeriesMarks& marks = series->Marks();
    marks.Items().EnsureItem(1).SetText("Own\r\n\r\n");
    EXPECT_EQ(series->ComposeMarkText(1), "Own\r\n");  // one line end goes
    marks.Items().EnsureItem(1).SetText("Own\r\n");
    EXPECT_EQ(series->ComposeMarkText(1), "Own");
    EXPECT_EQ(series->ComposeMarkText(0), "A");  // no own text: by style
    series->SetOnGetMarkText([](TChartSeries*, int index, String& text) { text += "/" + IntToStr(index); });
    EXPECT_EQ(series->ComposeMarkText(0), "A/0");
}

TEST_F(MarkTexts, NullOrClippedPointHasNoMark)
{
    chart.SetChartRect({0, 0, 100, 100});
    chart.NormalizeChartRect();
    for (TChartAxis* axis : {chart.BottomAxis(), chart.LeftAxis()}) {
        axis->ApplyRange(0, 50);
        axis->ComputePixelBounds();
        axis->ComputeRange();
    }
    EXPECT_TRUE(series->IsMarkShown(0));
    series->SetPointNull(0, true);
    EXPECT_FALSE(series->IsMarkShown(0));
    EXPECT_TRUE(series->IsMarkShown(1));  // Y 75 is above the plot
    series->Marks().SetSoftClip(true);
    EXPECT_FALSE(series->IsMarkShown(1));
    EXPECT_TRUE(series->IsMarkShown(2) == series->IsPointInPlot(2));
}
