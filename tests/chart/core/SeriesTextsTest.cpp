// Series colour and the texts of its legend items.
#include <string>

#include "AxisFixtures.h"

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
