// OHLC series: the extremes over usable points, the sources it accepts and its random walk samples.
#include <algorithm>

#include "SeriesTestPanel.h"
#include "chart/series/LineSeries.h"
#include "chart/series/OHLCSeries.h"

namespace {

struct Price {
    double open, high, low, close;
    bool null = false;
};

TOHLCSeries& Fill(TOHLCSeries& s, std::initializer_list<Price> prices)
{
    double date = 0;
    for (const Price& p : prices)
        s.AppendOHLC(String(), p.null ? clNullPoint : clAutomatic, date++, p.open, p.high, p.low, p.close);
    return s;
}

TEST_F(LineFamily, ExtremesTakeTheFourPricesOfUsablePointsOnly)
{
    struct Case {
        const char* name;
        std::initializer_list<Price> prices;
        TTreatNullsStyle nulls;
        double lowest, highest;
    };
    const Case cases[] = {
        {"no point", {}, tnDontPaint, 0, 0},
        {"only a null point", {{5, 9, 1, 6, true}}, tnDontPaint, 0, 0},
        {"open and close outside high and low", {{12, 9, 3, -1}}, tnDontPaint, -1, 12},
        {"a null point's high left out", {{5, 7, 4, 6}, {5, 99, -9, 6, true}}, tnDontPaint, 4, 7},
        {"skipped nulls left out too", {{5, 7, 4, 6}, {5, 99, -9, 6, true}}, tnSkip, 4, 7},
        {"ignored nulls count", {{5, 7, 4, 6}, {5, 99, -9, 6, true}}, tnIgnore, -9, 99},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        TOHLCSeries s(nullptr);
        s.SetTreatNulls(k.nulls);
        Fill(s, k.prices);
        EXPECT_EQ(s.LowestY(), k.lowest);
        EXPECT_EQ(s.HighestY(), k.highest);
    }
}

TEST_F(LineFamily, OHLCListsAreNamedAndOrderedForTheEditors)
{
    TOHLCSeries s(nullptr);
    ASSERT_EQ(s.ValueLists().Count(), 5);
    const char* names[] = {"Date", "Close", "High", "Low", "Open"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(s.ValueLists().ValueListAt(i)->Name(), String(names[i]));
    EXPECT_TRUE(s.DateValues()->DateTime());
    EXPECT_FALSE(s.DateValues()->IsDateTimeStored());
    s.AppendOHLC("a", clAutomatic, 7, 1, 4, 0.5, 2);
    EXPECT_EQ(s.OpenValues()->ValueAt(0), 1);
    EXPECT_EQ(s.HighValues()->ValueAt(0), 4);
    EXPECT_EQ(s.LowValues()->ValueAt(0), 0.5);
    EXPECT_EQ(s.CloseValues()->ValueAt(0), 2);
    EXPECT_EQ(s.DateValues()->ValueAt(0), 7);
    EXPECT_EQ(s.GetLabelAt(0), String("a"));
}

TEST_F(LineFamily, OnlyFinancialSeriesFeedAnOHLCSeries)
{
    auto* s = new TOHLCSeries(&owner);
    auto* other = new TOHLCSeries(&owner);
    auto* line = new TLineSeries(&owner);
    for (TChartSeries* each : {static_cast<TChartSeries*>(s), static_cast<TChartSeries*>(other),
                               static_cast<TChartSeries*>(line)})
        each->SetParentChart(&chart);
    EXPECT_FALSE(s->AcceptsSourceSeries(line));
    EXPECT_TRUE(s->AcceptsSourceSeries(other));
    line->AppendValue(3);
    other->AppendOHLC(String(), clAutomatic, 1, 2, 5, 1, 4);
    s->SetDataSource(line);
    EXPECT_EQ(s->Count(), 0);
    s->SetDataSource(other);
    ASSERT_EQ(s->Count(), 1);
    EXPECT_EQ(s->HighValues()->ValueAt(0), 5);
}

TEST_F(LineFamily, RandomWalkSamplesKeepHighAndLowAroundTheBody)
{
    TOHLCSeries s(nullptr);
    s.FillWithSamples();
    ASSERT_EQ(s.Count(), 40);
    for (int i = 0; i < s.Count(); ++i) {
        SCOPED_TRACE(i);
        const double open = s.OpenValues()->ValueAt(i), close = s.CloseValues()->ValueAt(i);
        EXPECT_GE(s.HighValues()->ValueAt(i), std::max(open, close));
        EXPECT_LE(s.LowValues()->ValueAt(i), std::min(open, close));
    }
    s.FillWithSamples(7);
    EXPECT_EQ(s.Count(), 7);
}

}  // namespace
