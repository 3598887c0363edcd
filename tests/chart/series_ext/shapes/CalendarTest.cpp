// Calendar month grid, paging and day picking through the chart's mouse events, at a pinned
// first day of the week and an injected date.
#include <gtest/gtest.h>

#include <vector>

#include "chart/core/ChartEvents.h"
#include "chart/series_ext/shapes/CalendarSeries.h"
#include "platform/forms/Menus.h"
#include "platform/forms/SpeedButton.h"
#include "platform/forms/TestKit.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FormatSettings.h"
#include "tests/chart/series_ext/shapes/ShapesFixtures.h"

namespace {

class Calendar : public ShapesSuite {};

struct TCalendarChart {
    explicit TCalendarChart(TDateTime date, int firstDay = 0) : series(c.Add<TCalendarSeries>())
    {
        series.SetFirstDayOfWeek(firstDay);
        series.SetDate(date);
        c.Frame();
    }
    // Clicks through the chart's mouse handling at the centre of a cell (column and row from 1).
    void ClickCell(int column, int row)
    {
        const TChartAxis* h = series.GetHorizAxis();
        const TChartAxis* v = series.GetVertAxis();
        const int x = h->StartPixel() + static_cast<int>(h->AxisSize() * (column - 0.5) / 7);
        const int y = v->StartPixel() + static_cast<int>(v->AxisSize() * (row - 0.5) / series.RowCount());
        testkit::MouseDown(c.chart, mbLeft, x, y);
        testkit::MouseUp(c.chart, mbLeft, x, y);
    }
    TShapesChart c;
    TCalendarSeries& series;
};

TEST_F(Calendar, MonthStartingOnSundayInAMondayFirstWeek)
{
    TCalendarChart k(EncodeDate(2026, 3, 10));  // 1 March 2026 is a Sunday
    TDateTime date;
    const TChartAxis* h = k.series.GetHorizAxis();
    const TChartAxis* v = k.series.GetVertAxis();
    const auto at = [&](int column, int row) {
        const int x = h->StartPixel() + static_cast<int>(h->AxisSize() * (column - 0.5) / 7);
        const int y = v->StartPixel() + static_cast<int>(v->AxisSize() * (row - 0.5) / 8);
        return k.series.DateAtPoint(x, y, date) ? date : -1.0;
    };
    EXPECT_EQ(at(7, 3), EncodeDate(2026, 3, 1));
    EXPECT_EQ(at(1, 3), EncodeDate(2026, 2, 23));
    EXPECT_EQ(at(1, 4), EncodeDate(2026, 3, 2));
    EXPECT_EQ(at(3, 2), -1.0);  // the weekday row
    // A Sunday-first week puts the 1st in column 1.
    TCalendarChart sunday(EncodeDate(2026, 3, 10), 6);
    EXPECT_EQ(sunday.series.RowCount(), 8);
}

TEST_F(Calendar, ClicksPickDaysAndTrailingCellsPage)
{
    TCalendarChart k(EncodeDate(2026, 3, 10));
    std::vector<TDateTime> changes;
    struct Recorder : TObject {
        std::vector<TDateTime>* out = nullptr;
        void Changed(TObject*, TDateTime d) { out->push_back(d); }
    } recorder;
    recorder.out = &changes;
    k.series.SetOnChange(TCalendarChangeEvent(&recorder, &Recorder::Changed));
    k.ClickCell(3, 4);  // Wednesday 4 March
    EXPECT_EQ(k.series.Date(), EncodeDate(2026, 3, 4));
    k.ClickCell(3, 4);  // the same date: no change event
    EXPECT_EQ(changes.size(), 1u);
    k.ClickCell(3, 8);  // a trailing day of April: 1 March in column 7 row 3, 31 March in row 8 column 2
    EXPECT_EQ(k.series.Date(), EncodeDate(2026, 4, 1));
    k.c.Frame();
    k.series.Trailing()->SetVisible(false);
    const TDateTime before = k.series.Date();
    k.ClickCell(1, 3);  // a leading trailing cell of April 2026 (1 April is a Wednesday)
    EXPECT_EQ(k.series.Date(), before);
}

TEST_F(Calendar, NextFromTheEndOfJanuaryClampsTheDay)
{
    for (const Word year : {2026, 2028}) {
        TCalendarChart k(EncodeDate(year, 1, 31));
        ASSERT_NE(k.series.NextButton(), nullptr);
        k.series.NextButton()->Click();
        EXPECT_EQ(k.series.Date(), EncodeDate(year, 2, year == 2028 ? 29 : 28));
        k.series.PreviousButton()->Click();
        EXPECT_EQ(k.series.Date(), EncodeDate(year, 1, year == 2028 ? 29 : 28));
    }
}

TEST_F(Calendar, HiddenHeadersLeaveSixDayRows)
{
    TCalendarChart k(EncodeDate(2026, 3, 10));
    k.series.WeekDays()->SetVisible(false);
    k.series.Months()->SetVisible(false);
    k.c.Frame();
    EXPECT_EQ(k.series.RowCount(), 6);
    EXPECT_EQ(k.series.FirstDayRow(), 1);
    const TChartAxis* v = k.series.GetVertAxis();
    EXPECT_EQ(k.series.HitTest(k.series.GetHorizAxis()->StartPixel() + 1, v->StartPixel() + 1), 0);
}

TEST_F(Calendar, MonthMenuListsTheLocaleNamesAndDatesOutsideTheCalendarAreRefused)
{
    TCalendarChart k(EncodeDate(2026, 1, 31));
    TPopupMenu* menu = k.series.MonthMenu();
    ASSERT_EQ(menu->Items()->Count(), 12);
    for (int m = 0; m < 12; ++m) EXPECT_EQ(menu->Items()->Items(m)->Caption(), FormatSettings.LongMonthNames[m]);
    menu->Items()->Items(1)->Click();
    EXPECT_EQ(k.series.Date(), EncodeDate(2026, 2, 28));
    k.series.SetDate(1e9);
    EXPECT_EQ(k.series.Date(), EncodeDate(2026, 2, 28));
}

}  // namespace
