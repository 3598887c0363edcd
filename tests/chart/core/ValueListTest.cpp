#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "AxisFixtures.h"
#include "chart/core/ValueList.h"
#include "platform/classes/ObjectText.h"
#include "platform/forms/Dialogs.h"

namespace {

std::vector<double> ValuesOf(const TChartValueList& list) { return {list.Values(), list.Values() + list.Count()}; }

struct OrderCase {
    const char* name;
    TChartListOrder order;
    std::vector<double> added;
    std::vector<int> indexes;
    std::vector<double> values;
};

class OrderedInsert : public ::testing::TestWithParam<OrderCase> {};

TEST_P(OrderedInsert, PlacesEachValueAndEqualOnesBehind)
{
    const OrderCase& c = GetParam();
    TChartValueList list;
    list.SetOrder(c.order);
    std::vector<int> indexes;
    for (const double v : c.added) indexes.push_back(list.AddInOrder(v));
    EXPECT_EQ(indexes, c.indexes);
    EXPECT_EQ(ValuesOf(list), c.values);
}

INSTANTIATE_TEST_SUITE_P(
    ValueList, OrderedInsert,
    ::testing::Values(OrderCase{"Ascending", loAscending, {1, 3, 2, 2}, {0, 1, 1, 2}, {1, 2, 2, 3}},
                      OrderCase{"AscendingBeforeFirst", loAscending, {5, 6, 4, 4}, {0, 1, 0, 1}, {4, 4, 5, 6}},
                      OrderCase{"DescendingEqualAppends", loDescending, {5, 3, 3, 4}, {0, 1, 2, 1}, {5, 4, 3, 3}},
                      OrderCase{"NoneAppends", loNone, {5, 1, 9, 0}, {0, 1, 2, 3}, {5, 1, 9, 0}}),
    [](const auto& info) { return info.param.name; });

TEST(ValueList, EmptyListStatisticsAreZero)
{
    TChartValueList list;
    EXPECT_EQ(list.Lowest(), 0);
    EXPECT_EQ(list.Highest(), 0);
    EXPECT_EQ(list.Sum(), 0);
    EXPECT_EQ(list.AbsSum(), 0);
    EXPECT_EQ(list.Spread(), 0);
}

TEST(ValueList, CapacityGrowsByTheStep)
{
    TChartValueList list;
    EXPECT_EQ(list.Capacity(), 0);
    for (int i = 0; i < 1000; ++i) list.AddInOrder(i);
    EXPECT_EQ(list.Capacity(), 1000);
    list.AddInOrder(1000);
    EXPECT_EQ(list.Capacity(), 2000);

    const int saved = ValueListGrowthStep;
    ValueListGrowthStep = 5000;
    for (int i = 0; i < 1000; ++i) list.AddInOrder(i);
    EXPECT_EQ(list.Capacity(), 7000);
    ValueListGrowthStep = 0;  // a step that makes no room still grows
    list.RemoveAll();
    list.AddInOrder(1);
    EXPECT_EQ(list.Capacity(), 1);
    ValueListGrowthStep = saved;

    list.RemoveAt(0);
    EXPECT_EQ(list.Capacity(), 1) << "removal does not shrink";
    list.RemoveAll();
    EXPECT_EQ(list.Capacity(), 0);
    EXPECT_EQ(list.Count(), 0);
}

TEST(ValueList, RemoveRangeStopsAtTheEnd)
{
    TChartValueList list;
    for (const double v : {1, 2, 3, 4, 5}) list.AddInOrder(v);
    list.RemoveRange(3, 10);
    EXPECT_EQ(ValuesOf(list), (std::vector<double>{1, 2, 3}));
    list.RemoveRange(0, 1);
    EXPECT_EQ(ValuesOf(list), (std::vector<double>{2, 3}));
    EXPECT_EQ(list.Highest(), 3);
    EXPECT_EQ(list.Lowest(), 2);
}

TEST(ValueList, ChangesShowInTheNextStatistic)
{
    TChartValueList list;
    for (const double v : {1, -4, 3}) list.AddInOrder(v);
    EXPECT_EQ(list.Highest(), 3);
    list.SetValueAt(0, 10);
    EXPECT_EQ(list.Highest(), 10);
    list.SwapValues(0, 1);
    list.RemoveAt(1);
    EXPECT_EQ(list.Highest(), 3);
    EXPECT_EQ(list.Lowest(), -4);
    EXPECT_EQ(list.Sum(), -1);
    EXPECT_EQ(list.AbsSum(), 7);
    EXPECT_EQ(list.Spread(), 7);
    list.FillWithIndexes();
    EXPECT_EQ(list.Highest(), 1);
    EXPECT_EQ(list.IndexOfValue(1), 1);
    EXPECT_EQ(list.IndexOfValue(7), -1);
    EXPECT_EQ(list.IndexOfValue(0, 1, 1), -1);
}

TEST(ValueList, NonFiniteValuesStayOutOfLowestAndHighest)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    TChartValueList appended;
    for (const double v : {nan, 2.0, -inf, 5.0, inf}) appended.AddInOrder(v);
    TChartValueList onlyNan;
    onlyNan.AddInOrder(nan);
    for (TChartValueList* list : {&appended, &onlyNan}) {
        const double low = list->Lowest(), high = list->Highest();
        list->RecomputeAllStats();
        EXPECT_EQ(list->Lowest(), low);
        EXPECT_EQ(list->Highest(), high);
    }
    EXPECT_EQ(appended.Lowest(), 2);
    EXPECT_EQ(appended.Highest(), 5);
    EXPECT_EQ(onlyNan.Lowest(), 0);
    EXPECT_EQ(onlyNan.Highest(), 0);
}

// The cached statistics, kept up to date on appends, equal a full recompute after any mix of
// changes.
TEST(ValueList, CachedStatisticsEqualAFullRecompute)
{
    std::mt19937 random(19);
    std::uniform_real_distribution<double> value(-1000, 1000);
    TChartValueList list;
    TChartValueList fresh;
    for (int round = 0; round < 2000; ++round) {
        const int count = list.Count();
        switch (random() % 8) {
        case 0:
            list.SetOrder(loAscending);
            list.AddInOrder(value(random));
            break;
        case 1:
            if (count) list.SetValueAt(static_cast<int>(random() % count), value(random));
            break;
        case 2:
            if (count) list.RemoveAt(static_cast<int>(random() % count));
            break;
        case 3: list.RotateFirstToEnd(); break;
        default:
            list.SetOrder(loNone);
            list.AddInOrder(count && random() % 2 ? list.LastEntry() + value(random) : value(random));
        }
        if (random() % 3) continue;  // statistics read only now and then
        fresh.RemoveAll();
        fresh.SetOrder(loNone);
        for (int i = 0; i < list.Count(); ++i) fresh.InsertAt(i, list.ValueAt(i));
        fresh.RecomputeAllStats();
        ASSERT_EQ(list.Lowest(), fresh.Lowest()) << round;
        ASSERT_EQ(list.Highest(), fresh.Highest()) << round;
        ASSERT_EQ(list.Sum(), fresh.Sum()) << round;
        ASSERT_EQ(list.AbsSum(), fresh.AbsSum()) << round;
        ASSERT_FALSE(list.Modified());
    }
}

TEST(ValueList, AssignCopiesSettingsNotValues)
{
    TChartValueList source, target;
    source.SetOrder(loDescending);
    source.SetDateTime(true);
    source.SetValueSource("Field1");
    source.SetName("Source");
    source.AddInOrder(7);
    target.SetName("Target");
    target.AddInOrder(1);
    target.AddInOrder(2);
    target.Assign(&source);
    EXPECT_EQ(target.Order(), loDescending);
    EXPECT_TRUE(target.DateTime());
    EXPECT_EQ(target.ValueSource(), "Field1");
    EXPECT_EQ(target.Name(), "Target");
    EXPECT_EQ(ValuesOf(target), (std::vector<double>{1, 2}));
}

class SeriesLists : public ChartCoreSuite {};

TEST_F(SeriesLists, ListsJoinTheirSeriesInOrder)
{
    TTestSeries series(nullptr);
    auto* extra = new TChartValueList(&series, "Z");
    ASSERT_EQ(series.ValueLists().Count(), 3);
    EXPECT_EQ(series.ValueLists().ValueListAt(0), series.XValues());
    EXPECT_EQ(series.ValueLists().ValueListAt(1), series.YValues());
    EXPECT_EQ(series.ValueLists().ValueListAt(2), extra);
    EXPECT_EQ(series.XValues()->Name(), "X");
    EXPECT_EQ(series.XValues()->Order(), loAscending);
    EXPECT_EQ(series.YValues()->Name(), "Y");
    EXPECT_EQ(series.YValues()->Order(), loNone);

    extra->SetPendingValue(9);
    EXPECT_EQ(series.AddXY(2, 20), 0);
    EXPECT_EQ(series.AddXY(1, 10), 0);
    EXPECT_EQ(series.XValues()->ValueAt(1), 2);
    EXPECT_EQ(series.YValues()->ValueAt(0), 10);
    EXPECT_EQ(extra->Count(), 2);
}

// Changes reach the series' dependants: a run of inserts or removals once until a statistic is
// read, direct stores every time.
TEST_F(SeriesLists, ChangesNotifyTheSeries)
{
    TTestSeries series(nullptr);
    TChartValueList& x = *series.XValues();
    using Notices = std::vector<std::pair<int, int>>;
    x.AddInOrder(1);
    x.AddInOrder(2);
    EXPECT_EQ(series.Notices, Notices{}) << "a new list is already modified";
    x.Highest();
    x.AddInOrder(3);
    x.AddInOrder(4);
    EXPECT_EQ(series.Notices, (Notices{{4, -1}}));
    series.Notices.clear();
    x.SetValueAt(1, 5);
    x.SwapValues(2, 0);
    x.FillWithIndexes();
    x.RotateFirstToEnd();
    EXPECT_EQ(series.Notices, (Notices{{4, 1}, {4, 2}, {4, 0}}));
}

TEST_F(SeriesLists, DateTimeIsStoredAgainstItsDefault)
{
    TTestSeries series(nullptr);
    TChartValueList& x = *series.XValues();
    EXPECT_FALSE(x.IsDateTimeStored());
    x.SetDateTime(true);
    EXPECT_TRUE(x.IsDateTimeStored());
    x.InitDateTime(true);
    EXPECT_FALSE(x.IsDateTimeStored());
    x.SetDateTime(false);
    EXPECT_TRUE(x.IsDateTimeStored());
}

// The obsolete "Multiplier" loads silently at 1 and shows its message once for any other value;
// loading goes on either way.
TEST_F(SeriesLists, ObsoleteMultiplier)
{
    struct Case {
        const char* value;
        int boxes;
    };
    for (const Case c : {Case{"1.0", 0}, Case{"2.0", 1}}) {
        std::vector<TDialogRequest> shown;
        const TDialogHandler saved = SetDialogHandler([&](const TDialogRequest& request) {
            shown.push_back(request);
            return 1;
        });
        TTestSeries series(nullptr);
        TextToComponent(String("object S: TTestSeries\r\n  XValues.Multiplier = ") + c.value +
                            "\r\n  XValues.Name = 'Time'\r\n  YValues.Order = loAscending\r\nend\r\n",
                        &series);
        SetDialogHandler(saved);
        ASSERT_EQ(static_cast<int>(shown.size()), c.boxes) << c.value;
        EXPECT_EQ(series.XValues()->Name(), "Time");
        EXPECT_EQ(series.YValues()->Order(), loAscending);
        if (c.boxes) {
            EXPECT_EQ(shown[0].Text,
                      "Error: Multiplier property is obsolete.\rModify ZebDefs (enable Multiplier) and recompile.");
            EXPECT_EQ(shown[0].Caption, "");
        }
    }
}

TEST_F(SeriesLists, StoredFormKeepsTheSettings)
{
    TTestSeries series(nullptr);
    series.SetName("S");
    series.XValues()->SetDateTime(true);
    series.YValues()->SetValueSource("Field1");
    const String text = ComponentToText(&series);
    EXPECT_EQ(text.find("Multiplier"), String::npos);
    TTestSeries back(nullptr);
    TextToComponent(text, &back);
    EXPECT_TRUE(back.XValues()->DateTime());
    EXPECT_EQ(back.XValues()->Order(), loAscending);
    EXPECT_EQ(back.YValues()->ValueSource(), "Field1");
}

}  // namespace

namespace {

class SeriesInChart : public ChartCoreSuite {};

TEST_F(SeriesInChart, JoinAndLeave)
{
    TTestAxisPanel chart(nullptr);
    TTestSeries a(nullptr), b(nullptr);
    a.SetParentChart(&chart);
    b.SetParentChart(&chart);
    chart.AddSeries(&a);
    ASSERT_EQ(chart.NumSeries(), 2);
    EXPECT_EQ(chart.GetSeriesAt(0), &a);
    EXPECT_EQ(chart.GetSeriesAt(1), &b);
    EXPECT_EQ(b.ParentChart(), &chart);
    b.SetActive(false);
    EXPECT_EQ(chart.ActiveSeriesTotal(), 1);
    a.SetParentChart(nullptr);
    EXPECT_EQ(chart.NumSeries(), 1);
    EXPECT_EQ(chart.GetSeriesAt(0), &b);
    EXPECT_EQ(a.ParentChart(), nullptr);
    chart.RemoveSeriesAt(-1);
    EXPECT_EQ(chart.NumSeries(), 1);
}

TEST_F(SeriesInChart, EitherMayGoFirst)
{
    TComponent owner(nullptr);
    {
        TTestAxisPanel chart(nullptr);
        (new TTestSeries(&owner))->SetParentChart(&chart);
    }
    EXPECT_EQ(owner.ComponentCount(), 0) << "a chart frees its series";
    TTestAxisPanel chart(nullptr);
    auto* series = new TTestSeries(nullptr);
    series->SetParentChart(&chart);
    series->Free();
    EXPECT_EQ(chart.NumSeries(), 0);
}

}  // namespace
