// Series points, notifications, sources, functions, the panel's series side, hover and tools.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <numeric>

#include "SeriesFixtures.h"
#include "chart/canvas/ZebPicture.h"
#include "chart/core/ChartException.h"
#include "chart/core/ChartEvents.h"
#include "chart/core/ChartTools.h"
#include "chart/core/ColorPalette.h"
#include "chart/core/AxisPens.h"
#include "chart/core/SeriesLegend.h"
#include "chart/core/SeriesMarks.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ObjectText.h"
#include "platform/rtl/Strings.h"
#include "chart/core/ZebFunction.h"
#include "chart/core/ZebSelected.h"
#include "platform/classes/Published.h"

namespace {
// Every series event a chart broadcasts.
class TEventRecorder : public IChartEventListener {
public:
    std::vector<int> Kinds;
    void HandleChartEvent(TZebEvent& event) override
    {
        if (auto* e = dynamic_cast<TZebSeriesEvent*>(&event)) Kinds.push_back(e->Kind);
    }
};
}  // namespace


class SeriesPoints : public ChartCoreSuite {};

TEST_F(SeriesPoints, OrderedInsertKeepsArrivalOrderOfEqualValues)
{
    TTestSeries series(nullptr);
    for (const double x : {1.0, 3.0, 2.0}) series.InsertXY(x, x * 10);
    EXPECT_EQ(series.InsertXY(2, 99), 2) << "a new 2 goes after the existing 2";
    EXPECT_EQ(valuesOf(series.XValues()), (std::vector<double>{1, 2, 2, 3}));
    EXPECT_EQ(valuesOf(series.YValues()), (std::vector<double>{10, 20, 99, 30}));

    TTestSeries descending(nullptr);
    descending.XValues()->SetOrder(loDescending);
    descending.InsertXY(5, 0);
    EXPECT_EQ(descending.InsertXY(5, 1), 1);

    TTestSeries horizontal(nullptr);
    horizontal.MakeHorizontal();
    for (int i = 0; i < 3; ++i) horizontal.AppendValue(7);
    EXPECT_EQ(valuesOf(horizontal.XValues()), (std::vector<double>{0, 1, 2}));
}

TEST_F(SeriesPoints, ColoursAndLabelsGrowAndNegativeIndexesChangeNothing)
{
    TTestSeries series(nullptr);
    series.AppendValue(1);
    EXPECT_FALSE(series.HasPointColors()) << "an automatic colour makes no list";
    series.AppendValue(2);
    series.SetPointColor(5, clRed);
    ASSERT_EQ(series.Count(), 6);
    for (int i = 2; i < 5; ++i) EXPECT_TRUE(series.IsNullPoint(i)) << i;
    EXPECT_EQ(series.GetPointColor(5), clRed);
    series.SetPointColor(-1, clBlue);
    series.RemovePoints(-1, 2);
    series.RemovePoints(0, -2);
    EXPECT_EQ(series.Count(), 6);

    TLabelsList& labels = series.Labels();
    labels.Clear();
    labels.SetLabel(5, "x");
    EXPECT_EQ(labels.Count(), 6);
    EXPECT_EQ(labels.NonEmptyCount(), 1);
    labels.SetLabel(-1, "y");
    labels.InsertLabel(-2, "y");
    EXPECT_EQ(labels.Count(), 6);
}

TEST_F(SeriesPoints, RemovingAndClearing)
{
    TTestSeries series(nullptr);
    for (int i = 0; i < 3; ++i) series.AppendValue(i);
    try {
        series.RemovePoint(3);
        FAIL();
    } catch (const ChartException& e) {
        EXPECT_STREQ(e.what(), "Series Delete: ValueIndex 3 out of bounds (0 to 2).");
    }
    series.SetSeriesColor(clGreen);
    series.SetVisibleRange(0, 2);
    int clears = 0;
    series.SetOnClearValues([&](TChartSeries*) { ++clears; });
    series.RemoveAllPoints();
    EXPECT_EQ(series.FirstVisibleIndex(), -1);
    EXPECT_EQ(series.LastVisibleIndex(), -1);
    EXPECT_EQ(clears, 1);
    EXPECT_EQ(series.SeriesColor(), clGreen);
}

TEST_F(SeriesPoints, SortsMoveEveryColumnAndKeepEqualPointsInOrder)
{
    TTestSeries series(nullptr);
    const char* labels[] = {"b", "A", "a"};
    for (int i = 0; i < 3; ++i) series.AppendValue(i, labels[i]);
    std::map<String, const TZebPicture*> pictureOf;
    for (int i = 0; i < 3; ++i) pictureOf[labels[i]] = series.Pictures().EnsurePicture(i);
    series.Labels().SetIgnoreCase(true);
    series.Notices.clear();
    series.SortPointsByLabel(loAscending);
    EXPECT_EQ(series.GetLabelAt(0) + series.GetLabelAt(1) + series.GetLabelAt(2), "Aab");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(series.Pictures().PictureAt(i), pictureOf[series.GetLabelAt(i)]);
    EXPECT_EQ(std::count(series.Notices.begin(), series.Notices.end(), std::pair{3, 0}), 1) << "one bulk notice";

    TTestSeries byX(nullptr);
    byX.XValues()->SetOrder(loNone);
    const double xs[] = {3, 1, 3, 1};
    for (int i = 0; i < 4; ++i) byX.InsertXY(xs[i], i);
    byX.XValues()->SetOrder(loAscending);
    byX.XValues()->SortPoints();
    EXPECT_EQ(valuesOf(byX.YValues()), (std::vector<double>{1, 3, 0, 2}));
}

TEST_F(SeriesPoints, UpdateBlockSendsOneBulkNoticeAndOneEvent)
{
    TTestAxisPanel chart(nullptr);
    TEventRecorder events;
    chart.AddListener(&events);
    TTestSeries series(nullptr);
    series.SetParentChart(&chart);
    int added = 0;
    series.SetOnAfterAdd([&](TChartSeries*, int) { ++added; });
    series.Notices.clear();
    events.Kinds.clear();
    {
        TPointUpdateBlock outer(series);
        TPointUpdateBlock inner(series);
        for (int i = 0; i < 100; ++i) series.AppendValue(i);
    }
    EXPECT_EQ(added, 0);
    EXPECT_EQ(series.Notices, (std::vector<std::pair<int, int>>{{3, 0}}));
    EXPECT_EQ(events.Kinds, std::vector<int>{6});
    chart.RemoveListener(&events);
    series.SetParentChart(nullptr);
}

class SeriesSources : public ChartCoreSuite {};

TEST_F(SeriesSources, DependantFollowsItsSourcePerReactionSet)
{
    struct Case {
        const char* name;
        TSeriesReactions reactions;
        bool withFunction;
    };
    for (const Case& c : {Case{"all, copied", AllSeriesReactions, false}, Case{"modify only", {sraModify}, false},
                          Case{"all, function", AllSeriesReactions, true}}) {
        SCOPED_TRACE(c.name);
        TTestAxisPanel chart(nullptr);
        TComponent owner(nullptr);
        auto* a = new TTestSeries(&owner);
        auto* b = new TTestSeries(&owner);
        a->SetParentChart(&chart);
        b->SetParentChart(&chart);
        b->SetSourceReactions(c.reactions);
        if (c.withFunction) b->AttachFunction(new TTestAverage(&owner));
        b->SetDataSource(a);
        const auto expectFollows = [&] {
            if (c.withFunction) {
                ASSERT_EQ(b->Count(), a->Count() ? 1 : 0);
                if (a->Count()) EXPECT_DOUBLE_EQ(b->GetPointY(0), a->YValues()->Sum() / a->Count());
            } else {
                EXPECT_EQ(valuesOf(b->XValues()), valuesOf(a->XValues()));
                EXPECT_EQ(valuesOf(b->YValues()), valuesOf(a->YValues()));
            }
        };
        for (int i = 0; i < 5; ++i) {
            a->AppendValue(i * 2);
            a->YValues()->Highest();  // the next append marks the list modified again
        }
        if (c.reactions.Contains(sraAdd) || c.withFunction) expectFollows();
        a->InsertXY(1.5, 7);
        a->YValues()->Highest();
        a->InsertXY(2.5, 8);
        if (c.reactions.Contains(sraAdd) || c.withFunction) expectFollows();
        a->RemovePoint(1);
        a->RemovePoints(0, 2);
        a->SortPointsByLabel(loAscending);
        expectFollows();
        a->RemoveAllPoints();
        if (c.reactions.Contains(sraClear)) expectFollows();
        owner.DestroyComponents();
    }
}

TEST_F(SeriesSources, SelfAndCircularSourcesAreRefused)
{
    TTestAxisPanel chart(nullptr);
    TComponent owner(nullptr);
    auto* a = new TTestSeries(&owner);
    auto* b = new TTestSeries(&owner);
    auto* c = new TTestSeries(&owner);
    a->SetName("Series1");
    for (TTestSeries* s : {a, b, c}) s->SetParentChart(&chart);
    try {
        a->SetDataSource(a);
        FAIL();
    } catch (const ChartException& e) {
        EXPECT_STREQ(e.what(), "No valid DataSource: Series1");
    }
    b->SetDataSource(a);
    EXPECT_THROW(a->SetDataSource(b), ChartException);
    // Through a second source, and without a chart.
    c->DataSources().AddSource(a);
    c->DataSources().AddSource(b);
    c->SetParentChart(nullptr);
    a->SetParentChart(nullptr);
    try {
        a->DataSources().AddSource(c);
        FAIL();
    } catch (const ChartException& e) {
        EXPECT_STREQ(e.what(), "Circular Series dependences are not allowed");
    }
    EXPECT_FALSE(a->HasDataSources());
}

TEST_F(SeriesSources, DetailAggregatesSubSeries)
{
    TTestSeries owner(nullptr);
    auto* first = new TTestSeries(&owner);
    auto* second = new TTestSeries(&owner);
    first->SetTitle("A");
    second->SetTitle("B");
    first->AppendValue(2);
    first->AppendValue(4);
    second->AppendValue(6);
    owner.Detail().AppendSeries(first);
    owner.Detail().AppendSeries(second);
    owner.Detail().SetAggregate(daAverage);
    EXPECT_EQ(valuesOf(owner.YValues()), (std::vector<double>{3, 6}));
    EXPECT_EQ(owner.GetLabelAt(0), "A");
    EXPECT_EQ(owner.GetLabelAt(1), "B");
}

class Functions : public ChartCoreSuite {
protected:
    TComponent owner{nullptr};
    TTestSeries* source = new TTestSeries(&owner);
    TTestSeries* output = new TTestSeries(&owner);

    void fill(std::initializer_list<double> xs)
    {
        for (const double x : xs) source->InsertXY(x, x);
    }
    void fillCount(int n)
    {
        for (int i = 0; i < n; ++i) source->AppendValue(i);
    }
    void run(TZebFunction* f)
    {
        output->AttachFunction(f);
        output->SetDataSource(source);
    }
};

TEST_F(Functions, PeriodsByPointsAndRange)
{
    fillCount(10);
    auto* moving = new TTestMovingAverage(&owner);
    moving->SetPeriod(3);
    run(moving);
    ASSERT_EQ(output->Count(), 8);
    EXPECT_EQ(output->GetPointX(0), 2);

    auto* byPoints = new TTestAverage(&owner);
    byPoints->SetPeriod(4);
    output->AttachFunction(byPoints);
    EXPECT_EQ(output->Count(), 2);
}

TEST_F(Functions, RangePeriodsZeroPeriodAndErrors)
{
    fill({0, 3, 25});
    auto* f = new TTestAverage(&owner);
    f->SetPeriodStyle(psRange);
    f->SetPeriod(10);
    run(f);
    ASSERT_EQ(output->Count(), 3);
    EXPECT_EQ(output->GetPointY(1), 0);
    f->SetPeriod(0);
    ASSERT_EQ(output->Count(), 1);
    EXPECT_EQ(output->GetPointX(0), 12.5);
    output->SetSinglePointResult(false);
    f->RequestRecalc();
    EXPECT_EQ(valuesOf(output->XValues()), (std::vector<double>{0, 25}));
    try {
        f->SetPeriod(-1);
        FAIL();
    } catch (const ChartException& e) {
        EXPECT_STREQ(e.what(), "Function Period should be >= 0");
    }
    EXPECT_EQ(f->Period(), 0);
    EXPECT_THROW(f->SetPeriod(1e-9), ChartException) << "too many range periods";
    EXPECT_EQ(output->Count(), 0);
}

TEST_F(Functions, MendedPeriodsEnd)
{
    fillCount(10);
    auto* f = new TTestAverage(&owner);
    f->SetPeriod(0.3);
    run(f);
    EXPECT_EQ(output->Count(), 10) << "a period below one point counts as one";
    f->SetPeriod(1e300);
    EXPECT_EQ(output->Count(), 1) << "a huge period is cut to the point count";
    auto* moving = new TTestMovingAverage(&owner);
    moving->SetPeriod(0.2);
    output->AttachFunction(moving);
    EXPECT_EQ(output->Count(), 10);
}

TEST_F(Functions, SeveralSourcesByIndex)
{
    auto* other = new TTestSeries(&owner);
    for (int i = 0; i < 3; ++i) source->AppendValue(i);
    for (int i = 0; i < 5; ++i) other->AppendValue(i);
    output->AttachFunction(new TTestAverage(&owner));
    output->DataSources().AddSource(source);
    output->DataSources().AddSource(other);
    EXPECT_EQ(output->Count(), 5);
}

class PanelSeries : public ChartCoreSuite {};

TEST_F(PanelSeries, SettingsColoursAndAxesInUse)
{
    TTestAxisPanel chart(nullptr);
    chart.SetChart3DPercent(0);
    EXPECT_EQ(chart.Chart3DPercent(), 1);
    chart.SetChart3DPercent(250);
    EXPECT_EQ(chart.Chart3DPercent(), 100);

    TComponent owner(nullptr);
    for (int i = 0; i < 3; ++i) chart.NewSeries(TTestSeries::StaticClass());
    EXPECT_EQ(chart.GetSeriesAt(2)->GetFallbackName(), "Series3");
    for (int i = 0; i < 19; ++i) chart.Taken.insert(chart.PaletteColor(i));
    EXPECT_EQ(chart.PickFreeColor(true, nullptr), chart.PaletteColor(3));
    chart.DisposeAllSeries(nullptr);

    TTestAxisPanel pie(nullptr);
    auto* axisFree = new TTestSeries(&owner);
    auto* bound = new TTestSeries(&owner);
    axisFree->AxisFree = true;
    axisFree->SetParentChart(&pie);
    bound->SetParentChart(&pie);
    EXPECT_FALSE(pie.IsAxisInUse(pie.LeftAxis(), true));
    pie.ExchangeSeries(0, 1);
    EXPECT_EQ(pie.GetSeriesAt(0), bound);
    EXPECT_EQ(bound->ComponentIndex(), 0) << "component order follows";
    EXPECT_TRUE(pie.IsAxisInUse(pie.LeftAxis(), true));
}

TEST_F(PanelSeries, CleanLegendText)
{
    const std::pair<const char*, const char*> cases[] = {
        {"a\x06" "b", "a b"}, {"a\n\rb", "a\rb"}, {"a\r\nb", "a\nb"}, {"a\rb\nc", "a b c"}};
    for (const auto& [in, out] : cases) {
        String expected = out;
        std::replace(expected.begin(), expected.end(), '\r', ' ');
        std::replace(expected.begin(), expected.end(), '\n', ' ');
        EXPECT_EQ(CleanLegendText(in), expected) << in;
    }
}

class SeriesHover : public ChartCoreSuite {};

TEST_F(SeriesHover, EnterLeaveAndClicks)
{
    TTestSeries series(nullptr);
    series.AppendValue(0);
    series.AppendValue(0);
    EXPECT_FALSE(series.TrackHover(0, 0));
    EXPECT_EQ(series.HitTests, 0) << "no interest, no hit test";
    int enters = 0, leaves = 0;
    series.SetOnMouseEnter([&](TObject*) { ++enters; });
    series.SetOnMouseLeave([&](TObject*) { ++leaves; });
    EXPECT_TRUE(series.TrackHover(0, 0));
    series.TrackHover(1, 0);
    series.TrackHover(5, 5);
    series.TrackHover(5, 6);
    EXPECT_EQ(enters, 1);
    EXPECT_EQ(leaves, 1);

    int clicks = 0, doubles = 0;
    series.SetOnClick([&](TChartSeries*, int, TMouseButton, TShiftState, int, int) { ++clicks; });
    series.SetOnDblClick([&](TChartSeries*, int, TMouseButton, TShiftState, int, int) { ++doubles; });
    series.FirePointClick(0, mbLeft, TShiftState{ssDouble}, 0, 0);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(doubles, 1);
}

TEST_F(SeriesHover, HoveredSegments)
{
    TTestSeries series(nullptr);
    for (int i = 0; i < 4; ++i) series.AppendValue(0);
    series.Selected()->Hover()->SetVisible(true);
    series.SetHoverElement({hePrevious, heNext, heJoin});
    series.HitRadius = 0.1;
    series.TrackHover(1, 0);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(series.IsPointHovered(i), i == 1 || i == 2) << i;
    series.SetHoverElement({heCurrent});
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(series.IsPointHovered(i)) << i;
}

class ChartToolsTest : public ChartCoreSuite {};

TEST_F(ChartToolsTest, ToolsMoveBetweenChartsAndForgetFreedSeries)
{
    TTestAxisPanel a(nullptr), b(nullptr);
    TComponent owner(nullptr);
    auto* tool = new TTestSeriesTool(&owner);
    tool->SetParentChart(&a);
    EXPECT_EQ(a.Tools().Count(), 1);
    tool->SetParentChart(&b);
    EXPECT_EQ(a.Tools().Count(), 0);
    EXPECT_EQ(b.Tools().Count(), 1);
    auto* series = new TTestSeries(&owner);
    tool->SetSeries(series);
    series->Free();
    EXPECT_EQ(tool->Series(), nullptr);
    EXPECT_EQ(EditorFormClassNameOf(TTestSeriesTool::StaticClass()), "TSeriesToolEditor");
    TChartTools free;
    free.AddTool(new TTestSeriesTool(nullptr));
    free.Clear();
    EXPECT_EQ(free.Count(), 0);
}

// ---- axes binding, depth and copying between orientations ----

class SeriesAxes : public ChartCoreSuite {};

TEST_F(SeriesAxes, ChoicesResolveToTheChartsAxes)
{
    TTestAxisPanel chart(nullptr);
    TChartAxis* customH = chart.CustomAxes()->AddAxis();
    customH->SetHorizontal(true);
    TChartAxis* customV = chart.CustomAxes()->AddAxis();
    TChartAxis* bottom = chart.BottomAxis();
    TChartAxis* top = chart.TopAxis();
    TChartAxis* left = chart.LeftAxis();
    TChartAxis* right = chart.RightAxis();
    struct Case {
        THorizAxis horiz;
        TVertAxis vert;
        bool customs;  // custom axes given before the choice
        TChartAxis* wantH;
        TChartAxis* wantV;
        std::vector<TChartAxis*> bound;
    };
    const Case cases[] = {
        {aBottomAxis, aLeftAxis, false, bottom, left, {bottom, left}},
        {aTopAxis, aRightAxis, false, top, right, {top, right}},
        {aBothHorizAxis, aBothVertAxis, false, bottom, left, {bottom, top, left, right, customH, customV}},
        {aCustomHorizAxis, aCustomVertAxis, false, bottom, left, {bottom, left}},
        {aCustomHorizAxis, aCustomVertAxis, true, customH, customV, {customH, customV}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(THorizAxisNames[c.horiz] + String(" ") + TVertAxisNames[c.vert] + (c.customs ? " customs" : ""));
        TTestSeries series(nullptr);
        series.XValues()->SetName("X");
        series.SetParentChart(&chart);
        if (c.customs) {
            series.SetCustomHorizAxis(customH);
            series.SetCustomVertAxis(customV);
        } else {
            series.SetHorizAxis(c.horiz);
            series.SetVertAxis(c.vert);
        }
        EXPECT_EQ(series.GetHorizAxis(), c.wantH);
        EXPECT_EQ(series.GetVertAxis(), c.wantV);
        for (TChartAxis* axis : {bottom, top, left, right, customH, customV}) {
            const bool bound = std::find(c.bound.begin(), c.bound.end(), axis) != c.bound.end();
            EXPECT_EQ(series.IsBoundToAxis(axis), bound) << axis->Index();
            EXPECT_EQ(series.GetAxisValueList(axis),
                      !bound ? nullptr : axis->Horizontal() ? series.XValues() : series.YValues());
        }
        EXPECT_TRUE(series.IsBoundToAxis(chart.DepthAxis()));
        series.AxisFree = true;
        for (TChartAxis* axis : {bottom, left, static_cast<TChartAxis*>(chart.DepthAxis())})
            EXPECT_FALSE(series.IsBoundToAxis(axis)) << "a series free of axes is bound to none";
        series.AxisFree = false;
        series.SetParentChart(nullptr);
        EXPECT_EQ(series.GetHorizAxis(), nullptr);
        EXPECT_EQ(series.GetVertAxis(), nullptr);
    }

    TTestSeries series(nullptr);
    series.SetParentChart(&chart);
    series.SetCustomHorizAxis(customH);
    series.SetHorizAxis(aTopAxis);
    EXPECT_EQ(series.CustomHorizAxis(), nullptr) << "leaving the custom choice forgets the axis";
    series.SetCustomHorizAxis(customH);
    series.SetLoading();
    series.SetHorizAxis(aTopAxis);
    EXPECT_EQ(series.CustomHorizAxis(), customH) << "but not while loading";
    series.Loaded();
    series.SetParentChart(nullptr);
}

TEST_F(SeriesAxes, DepthRangeBySlotAndDepth)
{
    struct Case {
        int perSeries, slot, depth;
        int start, middle, end;
    };
    const Case cases[] = {
        {10, 0, -1, 0, 5, 10}, {10, 2, -1, 20, 25, 30}, {10, 1, 5, 10, 12, 15},
        {7, 1, -1, 7, 10, 14}, {0, 3, -1, 0, 0, 0},     {10, 0, 0, 0, 0, 0},
    };
    TTestAxisPanel chart(nullptr);
    TTestSeries series(nullptr);
    series.SetParentChart(&chart);
    for (const Case& c : cases) {
        chart.SetSeriesDepth3D(c.perSeries);
        series.SetZSlot(c.slot);
        series.SetDepth(c.depth);
        const TChartSeries::TDepthRange r = series.ComputeDepthRange();
        EXPECT_EQ(r.start, c.start) << c.perSeries << " " << c.slot << " " << c.depth;
        EXPECT_EQ(r.middle, c.middle) << c.perSeries << " " << c.slot << " " << c.depth;
        EXPECT_EQ(r.end, c.end) << c.perSeries << " " << c.slot << " " << c.depth;
    }
    chart.SetView3D(true);
    chart.ResetZSlots();
    series.ReserveZSlot();
    EXPECT_EQ(series.GetZSlot(), 0);
    series.ReserveZSlot();
    EXPECT_EQ(series.GetZSlot(), 1);
    chart.SetView3D(false);
    series.ReserveZSlot();
    EXPECT_EQ(series.GetZSlot(), 0) << "2-D: one slot";
    series.SetParentChart(nullptr);
}

TEST_F(SeriesAxes, SeriesSharingAZSlot)
{
    TTestAxisPanel chart(nullptr);
    TComponent owner(nullptr);
    TTestSeries* s[3];
    for (auto*& one : s) {
        one = new TTestSeries(&owner);
        one->SetParentChart(&chart);
    }
    chart.SetView3D(true);
    s[0]->SetZSlot(0);
    s[1]->SetZSlot(1);
    s[2]->SetZSlot(1);
    EXPECT_FALSE(s[0]->SharesZSlot());
    EXPECT_TRUE(s[1]->SharesZSlot());
    EXPECT_TRUE(s[1]->IsFirstInZSlot());
    EXPECT_FALSE(s[2]->IsFirstInZSlot());
    s[1]->SetActive(false);
    EXPECT_FALSE(s[2]->SharesZSlot()) << "an inactive series shares nothing";
    EXPECT_TRUE(s[2]->IsFirstInZSlot());
    chart.SetView3D(false);
    s[1]->SetActive(true);
    EXPECT_FALSE(s[1]->SharesZSlot()) << "2-D charts do not group by slot";
    owner.DestroyComponents();
}

TEST_F(SeriesAxes, AssignAcrossOrientationsCrossesXAndY)
{
    TTestSeries vertical(nullptr), horizontal(nullptr);
    horizontal.MakeHorizontal();
    vertical.XValues()->SetDateTime(true);
    vertical.XValues()->SetOrder(loDescending);
    vertical.YValues()->SetValueSource("Reading");
    for (int i = 0; i < 3; ++i) vertical.InsertXY(10 - i, i * i);
    horizontal.Assign(&vertical);
    EXPECT_TRUE(horizontal.YValues()->DateTime()) << "X settings go to the horizontal series' Y";
    EXPECT_EQ(horizontal.YValues()->Order(), loDescending);
    EXPECT_EQ(horizontal.XValues()->ValueSource(), "Reading");
    EXPECT_FALSE(horizontal.XValues()->DateTime());
    ASSERT_EQ(horizontal.Count(), 3);
    EXPECT_EQ(valuesOf(horizontal.YValues()), (std::vector<double>{10, 9, 8})) << "points cross too";
    EXPECT_EQ(valuesOf(horizontal.XValues()), (std::vector<double>{0, 1, 4}));

    TTestSeries same(nullptr);
    same.Assign(&vertical);
    EXPECT_TRUE(same.XValues()->DateTime());
    EXPECT_EQ(same.YValues()->ValueSource(), "Reading");
}

// ---- what the writer of the points asks ----

TEST_F(SeriesPoints, StoredDataTestsScanEveryPoint)
{
    TTestSeries series(nullptr);
    EXPECT_FALSE(XValuesNeedStoring(series));
    for (int i = 0; i < 3; ++i) series.AppendValue(i);
    EXPECT_FALSE(XValuesNeedStoring(series)) << "X 0, 1, 2";
    series.SetStoreXValues(false);
    series.SetPointX(0, 1);
    EXPECT_FALSE(XValuesNeedStoring(series)) << "storing X switched off";

    TTestSeries shifted(nullptr);
    for (int i = 1; i <= 3; ++i) shifted.InsertXY(i, 0);
    EXPECT_TRUE(XValuesNeedStoring(shifted));

    TTestSeries big(nullptr);
    for (int i = 0; i < 20'000; ++i) big.AppendValue(i);
    big.SetSeriesColor(clGreen);
    big.SetPointX(15'000, 15'000.5);
    EXPECT_TRUE(XValuesNeedStoring(big)) << "an X deep in the series";
    EXPECT_FALSE(HasOwnColors(big));
    big.SetPointColor(15'000, clGreen);
    EXPECT_FALSE(HasOwnColors(big)) << "the series colour is not an own colour";
    big.SetPointColor(15'000, clRed);
    EXPECT_TRUE(HasOwnColors(big)) << "a colour at point 15,000";
    EXPECT_FALSE(HasAnyLabel(big));
    big.SetLabelAt(150, "late");
    EXPECT_TRUE(HasAnyLabel(big)) << "a label after point 100";
    big.SetLabelAt(150, "");
    EXPECT_FALSE(HasAnyLabel(big));
}

// ---- data-source components ----


TEST_F(SeriesSources, SourceComponentActivation)
{
    TTestAxisPanel chart(nullptr);
    TComponent owner(nullptr);
    auto* series = new TTestSeries(&owner);
    series->SetParentChart(&chart);
    auto* source = new TTestSource(&owner);
    source->SetActive(true);
    EXPECT_TRUE(source->Active()) << "without a series Active is only stored";
    EXPECT_EQ(source->Loads, 0);
    source->SetSeries(series);
    EXPECT_FALSE(source->Active()) << "a new series closes the source first";
    EXPECT_EQ(source->Loads, 0);
    EXPECT_EQ(series->DataSource(), source);
    EXPECT_TRUE(source->IsSourceKindOf(series));
    source->SetActive(true);
    EXPECT_EQ(source->Loads, 1);
    EXPECT_EQ(series->Count(), 3);
    series->RefreshData();
    EXPECT_EQ(source->Loads, 2) << "a refresh loads an active source";
    source->SetActive(false);
    EXPECT_EQ(series->Count(), 0) << "switching off empties the series";

    // Another series takes the active source over; the old one lets it go.
    auto* other = new TTestSeries(&owner);
    other->SetParentChart(&chart);
    source->SetActive(true);
    other->SetDataSource(source);
    EXPECT_EQ(source->Series(), other);
    EXPECT_TRUE(source->Active()) << "reopened after the move";
    // Points the series holds as its own survive their source: freeing it does not switch it off.
    other->SetManualData(true);
    source->Free();
    EXPECT_EQ(other->DataSource(), nullptr);
    EXPECT_EQ(other->Count(), 3) << "freeing the source keeps the points";
    owner.DestroyComponents();
}

// ---- visuals ----

TEST_F(SeriesPoints, VisualsCopyTheTemplateAndFollowThePoints)
{
    TTestSeries series(nullptr);
    for (int i = 0; i < 4; ++i) series.AppendValue(i);
    TVisualsList& visuals = series.Visuals();
    EXPECT_EQ(visuals.VisualAt(2), nullptr);
    EXPECT_EQ(visuals.Count(), 0) << "no template: nothing stored";
    auto* model = new TSeriesVisual(nullptr);
    visuals.SetTemplate(model);
    model->SetEnabled(false);
    EXPECT_EQ(visuals.VisualAt(2), nullptr) << "the template's switch is off";
    model->SetEnabled(true);
    TSeriesVisual* second = visuals.VisualAt(2);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->Owner(), &series);
    EXPECT_EQ(visuals.VisualAt(2), second) << "made once";
    TSeriesVisual* first = visuals.VisualAt(0);
    series.SwapPoints(0, 2);
    EXPECT_EQ(visuals.VisualAt(0), second);
    EXPECT_EQ(visuals.VisualAt(2), first);
    series.RemovePoint(0);
    EXPECT_EQ(visuals.VisualAt(1), first) << "removing a point removes its visual";
    model->Free();
    EXPECT_EQ(visuals.Template(), nullptr) << "the freed template is forgotten";
    series.RemoveAllPoints();
    EXPECT_EQ(visuals.Count(), 0);
}

// ---- marks in the series' life ----

class SeriesMarksLife : public ChartCoreSuite {
protected:
    void SetUp() override
    {
        series->SetParentChart(&chart);
        for (int i = 0; i < 5; ++i) series->AddXY(i, i);
    }
    // A stored box and an item with its own text at each index, "t" and the index.
    void MarkEveryPoint()
    {
        TSeriesMarks& marks = series->Marks();
        for (int i = 0; i < series->Count(); ++i) {
            TSeriesMarkPosition p;
            p.LeftTop = {10 * i, 0};
            p.Width = p.Height = 8;
            marks.Positions().StoreAt(i, p);
            marks.Items().EnsureItem(i).SetText("t" + IntToStr(i));
        }
    }
    // The item text and box left of each slot; "-" for an empty one.
    std::vector<std::string> Slots() const
    {
        std::vector<std::string> out;
        const TSeriesMarks& marks = *series->MarksOrNull();
        for (int i = 0; i < marks.Positions().Count(); ++i) {
            const TMarksItem* item = marks.Items().ItemAt(i);
            const TSeriesMarkPosition* p = marks.Positions().PositionAt(i);
            out.push_back((item ? item->Text() : "-") + "@" + (p ? std::to_string(p->LeftTop.X) : "-"));
        }
        return out;
    }
    TTestAxisPanel chart{nullptr};
    TOwnedPtr<TTestSeries> series{new TTestSeries(nullptr)};
};

TEST_F(SeriesMarksLife, PointOperationsCarryTheirMarks)
{
    using V = std::vector<std::string>;
    struct Case {
        const char* name;
        std::function<void(TTestSeries&)> change;
        V slots;
    };
    const Case cases[] = {
        {"swap", [](TTestSeries& s) { s.SwapPoints(0, 4); }, V{"t4@40", "t1@10", "t2@20", "t3@30", "t0@0"}},
        {"remove one", [](TTestSeries& s) { s.RemovePoint(1); }, V{"t0@0", "t2@20", "t3@30", "t4@40"}},
        {"remove a run", [](TTestSeries& s) { s.RemovePoints(1, 2); }, V{"t0@0", "t3@30", "t4@40"}},
        {"clear", [](TTestSeries& s) { s.RemoveAllPoints(); }, V{}},
    };
    for (const Case& c : cases) {
        series->RemoveAllPoints();
        for (int i = 0; i < 5; ++i) series->AddXY(i, i);
        MarkEveryPoint();
        c.change(*series);
        EXPECT_EQ(Slots(), c.slots) << c.name;
    }
    EXPECT_EQ(series->Marks().Items().Count(), 0) << "items not loaded go with a clear";
}

TEST_F(SeriesMarksLife, AMarkUnderTheMouseIsHoveredWithoutEnteringTheSeries)
{
    series->Marks().SetVisible(true);  // the items made next take the marks' visibility
    MarkEveryPoint();
    series->Selected()->Hover()->SetVisible(true);
    series->HitRadius = 0.1;
    int enters = 0;
    series->SetOnMouseEnter([&](TObject*) { ++enters; });
    EXPECT_FALSE(series->TrackHover(24, 4));  // inside the box of point 2, on no point
    EXPECT_EQ(series->HoverPart(), 3);
    EXPECT_EQ(series->Selected()->HoverIndex(), 2);
    EXPECT_EQ(series->HoveredMarkIndex(), 2);
    EXPECT_EQ(enters, 0);
    series->Marks().SetVisible(false);
    series->TrackHover(24, 4);
    EXPECT_EQ(series->Selected()->HoverIndex(), -1) << "hidden marks are not hit";
}

TEST_F(SeriesMarksLife, MarksAreStoredCopiedAndAssignedWithTheirVisibility)
{
    EXPECT_FALSE(series->HasMarks());
    RegisterClass(TTestSeries::StaticClass());
    series->SetName("S");
    EXPECT_EQ(ComponentToText(series.get()).find("Marks."), String::npos) << "no marks made, none stored";
    series->Marks().SetVisible(true);
    series->Marks().SetDrawEvery(3);
    const String text = ComponentToText(series.get());
    EXPECT_NE(text.find("Marks.DrawEvery = 3"), String::npos) << text;
    TOwnedPtr<TTestSeries> loaded(new TTestSeries(nullptr));
    TextToComponent(text, loaded.get());
    EXPECT_TRUE(loaded->Marks().Visible());
    EXPECT_EQ(loaded->Marks().DrawEvery(), 3);
    UnRegisterClass(TTestSeries::StaticClass());

    TOwnedPtr<TTestSeries> copy(new TTestSeries(nullptr));
    copy->CopyAppearance(series.get());
    EXPECT_EQ(copy->Marks().DrawEvery(), 3);
    EXPECT_FALSE(copy->Marks().Visible()) << "the appearance keeps the marks' own visibility";
    copy->Assign(series.get());
    EXPECT_TRUE(copy->Marks().Visible()) << "assigning copies it";
}

// ---- hover over points and marks ----

TEST_F(SeriesHover, HoveredIndexesPerHoverElementSet)
{
    // (hover part, elements) -> the indexes IsPointHovered accepts, with the point or mark 2 hovered.
    struct Case {
        int part;
        THoverElements elements;
        std::vector<int> hovered;
    };
    const Case cases[] = {
        {1, {heCurrent}, {}},
        {1, {hePrevious, heJoin}, {2}},
        {1, {heNext, heJoin}, {3}},
        {1, {hePrevious, heNext, heJoin}, {2, 3}},
        {1, {hePrevious, heNext}, {}},
        {3, {heCurrent}, {2}},
        {3, {hePrevious, heNext, heJoin}, {}},
        {0, {heCurrent, hePrevious, heNext, heJoin}, {}},
    };
    TTestSeries series(nullptr);
    for (int i = 0; i < 5; ++i) series.AppendValue(0);
    series.Selected()->Hover()->SetVisible(true);
    series.Selected()->SetHoverIndex(2);
    for (const Case& c : cases) {
        series.SetHoverPart(c.part);
        series.SetHoverElement(c.elements);
        for (int i = 0; i < 5; ++i) {
            const bool want = std::find(c.hovered.begin(), c.hovered.end(), i) != c.hovered.end();
            EXPECT_EQ(series.IsPointHovered(i), want) << "part " << c.part << " point " << i;
        }
    }
    series.SetHoverPart(1);
    series.SetHoverElement({hePrevious, heJoin});
    series.Selected()->Hover()->SetVisible(false);
    EXPECT_FALSE(series.IsPointHovered(2)) << "nothing is hovered while the highlight is hidden";
}

TEST_F(SeriesHover, CursorHoverPenAndTheChartsOwnCursor)
{
    TTestAxisPanel chart(nullptr);
    TComponent owner(nullptr);
    auto* series = new TTestSeries(&owner);
    series->SetParentChart(&chart);
    series->AppendValue(0);
    series->AppendNull();
    series->SetCursor(crCross);
    EXPECT_TRUE(series->TrackHover(1, 0)) << "a cursor of its own makes the series claim the mouse";
    EXPECT_EQ(chart.Cursor(), crDefault) << "a null point keeps the chart's cursor";
    series->TrackHover(0, 0);
    EXPECT_EQ(chart.Cursor(), crCross);

    chart.Hover()->SetVisible(true);
    series->Selected()->Hover()->SetVisible(true);
    series->TrackHover(0, 0);
    EXPECT_TRUE(series->ApplyHoverPen(0));
    EXPECT_FALSE(series->ApplyHoverPen(1));
    chart.Hover()->SetVisible(false);
    EXPECT_FALSE(series->ApplyHoverPen(0)) << "the chart's hover switch is off";

    series->SetParentChart(nullptr);
    EXPECT_EQ(chart.Cursor(), chart.OwnCursor()) << "the chart shows its own cursor again";
    EXPECT_EQ(chart.Cursor(), crDefault);
}

// ---- legend settings, gallery hooks, samples, templates ----

TEST_F(PanelSeries, LegendSettingsMadeOnFirstUse)
{
    TTestAxisPanel chart(nullptr);
    TTestSeries series(nullptr);
    EXPECT_TRUE(series.ShowInLegend());
    EXPECT_FALSE(series.HasLegend());
    series.SetLegendTitle("");
    EXPECT_FALSE(series.HasLegend()) << "an empty title needs no settings";
    series.SetShowInLegend(false);
    ASSERT_TRUE(series.HasLegend());
    EXPECT_FALSE(series.Legend()->Visible());
    series.SetParentChart(&chart);
    EXPECT_EQ(series.Legend()->ParentPanel(), &chart);
    series.SetLegendTitle("Tilt X");
    EXPECT_EQ(chart.LegendSeriesTitle(0, false), "");
    series.SetShowInLegend(true);
    EXPECT_EQ(chart.LegendSeriesTitle(0, false), "Tilt X");

    TTestSeries copy(nullptr);
    copy.Assign(&series);
    EXPECT_EQ(copy.LegendTitle(), "Tilt X");
    series.SetLegend(nullptr);
    EXPECT_FALSE(series.HasLegend());
    EXPECT_TRUE(series.ShowInLegend());
    copy.Assign(&series);
    EXPECT_FALSE(copy.HasLegend()) << "assigning a series without legend settings frees them";
    series.SetParentChart(nullptr);
}

TEST_F(PanelSeries, GalleryHooksAndRememberedSampleCount)
{
    TTestAxisPanel chart(nullptr);
    TComponent owner(nullptr);
    auto* first = new TTestSeries(&owner);
    auto* second = new TTestSeries(&owner);
    first->SetParentChart(&chart);
    second->SetParentChart(&chart);
    std::vector<String> styles;
    first->ListGalleryStyles([&](const String& name) { styles.push_back(name); });
    EXPECT_EQ(styles, std::vector<String>{"Normal"});
    first->SetupGalleryPreview();
    second->SetupGalleryPreview();
    EXPECT_EQ(first->Count(), 4);
    EXPECT_TRUE(first->ColorEachPoint());
    EXPECT_EQ(first->SeriesColor(), chart.PaletteColor(0));
    EXPECT_EQ(second->SeriesColor(), chart.PaletteColor(3));
    EXPECT_FALSE(first->ManualData()) << "samples are never stored";

    first->FillWithSamples();
    EXPECT_EQ(first->Count(), first->DefaultSampleCount());
    first->SetSampleCount(7);
    first->FillWithSamples();
    EXPECT_EQ(first->Count(), 7);
    first->FillWithSamples(3);
    EXPECT_EQ(first->Count(), 3);
    owner.DestroyComponents();
}

TEST_F(PanelSeries, NewCustomAxesCopyTheTemplateChart)
{
    TTestAxisPanel model(nullptr), chart(nullptr);
    model.LeftAxis()->SetVisible(false);
    model.RightAxis()->Axis()->SetWidth(5);
    chart.SetTemplateChart(&model);
    TChartAxis* axis = chart.CustomAxes()->AddAxis();
    EXPECT_EQ(axis->Axis()->Width(), 5) << "the first visible vertical axis of the template";
    EXPECT_EQ(model.CustomAxes()->Count(), 0);

    TTestAxisPanel hidden(nullptr);
    for (TChartAxis* a : {hidden.LeftAxis(), hidden.RightAxis()}) a->SetVisible(false);
    chart.SetTemplateChart(&hidden);
    chart.CustomAxes()->AddAxis();
    EXPECT_EQ(hidden.CustomAxes()->Count(), 1) << "none visible: the template gets a custom axis";
    chart.SetTemplateChart(nullptr);
}

TEST_F(ChartToolsTest, AxisToolFollowsItsAxisChart)
{
    TTestAxisPanel a(nullptr), b(nullptr);
    TComponent owner(nullptr);
    auto* tool = new TTestAxisTool(&owner);
    tool->SetAxis(a.LeftAxis());
    EXPECT_EQ(tool->ParentChart(), &a);
    tool->SetAxis(b.BottomAxis());
    EXPECT_EQ(a.Tools().Count(), 0);
    EXPECT_EQ(b.Tools().IndexOf(tool), 0);
    tool->SetAxis(nullptr);
    EXPECT_EQ(tool->ParentChart(), nullptr);
    EXPECT_EQ(b.Tools().Count(), 0);
    tool->SetParentChart(&a);
    tool->Free();
    EXPECT_EQ(a.Tools().Count(), 0) << "a freed tool leaves its chart";
}
