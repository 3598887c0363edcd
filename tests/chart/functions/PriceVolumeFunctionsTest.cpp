// Price-volume and trend indicators: close location values with and without volumes, money flow
// and its styles, the bar colours of the oscillators, the alligator's shifted lines, and the
// extra lines through a save and load.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "IndicatorFixture.h"
#include "chart/functions/PriceVolumeFunctions.h"
#include "chart/series/FastLineSeries.h"
#include "chart/series/HistogramSeries.h"
#include "chart/series/LineSeries.h"
#include "chart/series/VolumeSeries.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Streams.h"
#include "tests/support/StreamText.h"

namespace {

constexpr TColor Red = static_cast<TColor>(0x0000FF);
constexpr TColor Green = static_cast<TColor>(0x008000);

class PriceVolume : public IndicatorTest {
protected:
    // n days whose median price is median(i).
    TOHLCSeries& days(int n, double (*median)(int))
    {
        auto* s = new TOHLCSeries(&owner);
        for (int i = 0; i < n; ++i) s->AppendOHLC(String(), clAutomatic, i, median(i), median(i) + 1, median(i) - 1, median(i));
        return *s;
    }
    std::vector<TColor> colours(const TChartSeries& s) const
    {
        std::vector<TColor> out;
        for (int i = 0; i < s.Count(); ++i) out.push_back(s.GetPointColor(i));
        return out;
    }
};

double Rising(int i) { return 10 + i; }
double Wavy(int i) { return 50 + 10 * std::sin(i / 4.0) + (i % 3); }

TEST_F(PriceVolume, CloseLocationValue)
{
    // clv: (2 - 0) - (4 - 2) = 0; high = low gives 1; (4 - 0 - 0) / 4 = 1; (0 - 4) / 4 = -1.
    TOHLCSeries& src = ohlc({{1, 4, 0, 2}, {3, 3, 3, 3}, {0, 4, 0, 4}, {2, 4, 0, 0}});
    struct Case {
        const char* name;
        bool accumulate, volume;
        std::vector<double> expected;
    };
    for (const Case& k : {Case{"plain", false, false, {0, 1, 1, -1}}, Case{"accumulated", true, false, {0, 1, 2, 1}},
                          Case{"by volume, shorter volume series", false, true, {0, 20, 30, -1}},
                          Case{"by volume, accumulated", true, true, {0, 20, 50, 49}}}) {
        SCOPED_TRACE(k.name);
        TComponent local(nullptr);
        auto* out = new TTestSeries(&local);
        auto* volume = new TTestSeries(&local);
        for (double v : {10.0, 20.0, 30.0}) volume->AppendValue(v);
        auto* f = new TCLVFunction(&local);
        f->SetAccumulate(k.accumulate);
        if (k.volume) f->SetVolume(volume);
        out->AttachFunction(f);
        out->SetDataSource(&src);
        ExpectNear(valuesOf(out->YValues()), k.expected);
    }
}

TEST_F(PriceVolume, VolumeSeriesFreedLeavesTheFunction)
{
    auto* volume = new TTestSeries(&owner);
    auto* f = new TCLVFunction(&owner);
    f->SetVolume(volume);
    volume->Free();
    EXPECT_EQ(f->Volume(), nullptr);
    delete f;
}

TEST_F(PriceVolume, MoneyFlowNeedsVolumes)
{
    TOHLCSeries& src = ohlc({{1, 4, 0, 2}, {0, 4, 0, 4}});
    auto* f = new TMoneyFlowFunction(&owner);
    output->AttachFunction(f);
    output->AppendValue(7);
    f->RecomputeFrom(&src);
    EXPECT_EQ(ys(), std::vector<double>{7}) << "no volume: the output stays as it was";
}

TEST_F(PriceVolume, MoneyFlowAndItsStyles)
{
    // clv 0, -1, 1 with volumes 10, 20 (the third point has none).
    TOHLCSeries& src = ohlc({{1, 4, 0, 2}, {2, 4, 0, 0}, {0, 4, 0, 4}});
    auto* volume = new TTestSeries(&owner);
    volume->AppendValue(10);
    volume->AppendValue(20);
    auto* f = new TMoneyFlowFunction(&owner);
    f->SetPeriod(1);
    f->SetVolume(volume);
    runOn(src, f);
    // i = 0: 0 / 10; i = 1: (0 - 20) / 30; i = 2: (-20 + 1) / 20.
    ExpectNear(ys(), {0, -20.0 / 30, -19.0 / 20});
    EXPECT_TRUE(output->Active());

    for (const TCMFStyle style : {cmfArea, cmfVolume, cmfHistogram}) {
        SCOPED_TRACE(TCMFStyleNames[style]);
        f->SetUpColor(Green);
        f->SetCMFStyle(style);
        TChartSeries* chosen = style == cmfArea     ? static_cast<TChartSeries*>(f->Area())
                               : style == cmfVolume ? static_cast<TChartSeries*>(f->VolumeLine())
                                                    : static_cast<TChartSeries*>(f->Histogram());
        EXPECT_FALSE(output->Active());
        for (TChartSeries* s : {static_cast<TChartSeries*>(f->Area()), static_cast<TChartSeries*>(f->VolumeLine()),
                                static_cast<TChartSeries*>(f->Histogram())})
            EXPECT_EQ(s->Active(), s == chosen);
        ExpectNear(valuesOf(chosen->YValues()), ys());
        EXPECT_EQ(colours(*chosen), (std::vector<TColor>{Green, Red, Red}));
        f->SetUpColor(clBlue);
        EXPECT_EQ(colours(*chosen), (std::vector<TColor>{clBlue, Red, Red}));
    }
    f->SetCMFStyle(cmfLine);
    EXPECT_TRUE(output->Active());
    EXPECT_FALSE(f->Histogram()->Active());
}

TEST_F(PriceVolume, AwesomeOscillatorNeeds34PointsAndColoursByDirection)
{
    auto* f = runOn(days(33, Rising), new TAOFunction(&owner));
    EXPECT_EQ(output->Count(), 0);
    EXPECT_EQ(output->SeriesColor(), Green);

    output->SetDataSource(&days(34, Rising));
    ASSERT_EQ(output->Count(), 1);
    EXPECT_EQ(xs(), std::vector<double>{33});
    // Rising by 1 a day: the 5-day mean of days 29..33 less the 34-day mean of days 0..33.
    ExpectNear(ys(), {(10 + 31) - (10 + 16.5)});

    // Falling prices: the second bar is lower, so both bars are red.
    output->SetDataSource(&days(35, [](int i) { return 100.0 - i * i * 0.05; }));
    ASSERT_EQ(output->Count(), 2);
    EXPECT_EQ(colours(*output), (std::vector<TColor>{Red, Red}));
    (void)f;
}

TEST_F(PriceVolume, AcceleratorNeedsFiveOscillatorBars)
{
    runOn(days(38, Wavy), new TACFunction(&owner));
    EXPECT_EQ(output->Count(), 1) << "AO bars at days 33..37, their 5-day mean at 37";
    output->SetDataSource(&days(37, Wavy));
    EXPECT_EQ(output->Count(), 0);
}

TEST_F(PriceVolume, AlligatorLinesShiftedForward)
{
    auto* f = runOn(days(12, Rising), new TAlligatorFunction(&owner));
    EXPECT_EQ(output->Count(), 0);
    EXPECT_EQ(output->SeriesColor(), static_cast<TColor>(0xFF0000));

    output->SetDataSource(&days(13, Rising));
    EXPECT_EQ(xs(), std::vector<double>{12 + 8});
    ExpectNear(ys(), {10 + 6});  // the first smoothed value is the simple mean
    EXPECT_EQ(f->Teeth()->Count(), 6);
    EXPECT_DOUBLE_EQ(f->Teeth()->XValues()->ValueAt(0), 7 + 5);
    EXPECT_EQ(f->Lips()->Count(), 9);
    EXPECT_DOUBLE_EQ(f->Lips()->XValues()->ValueAt(0), 4 + 3);
}

TEST_F(PriceVolume, GatorPairsTheAlligatorLines)
{
    auto* f = runOn(days(15, Wavy), new TGatorFunction(&owner));
    ASSERT_EQ(output->Count(), 3);
    ASSERT_EQ(f->LowerHistogram()->Count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_GE(output->YValues()->ValueAt(i), 0);
        EXPECT_LE(f->LowerHistogram()->YValues()->ValueAt(i), 0);
    }
    output->SetDataSource(&days(12, Wavy));
    EXPECT_EQ(output->Count(), 0);
    EXPECT_EQ(f->LowerHistogram()->Count(), 0);
}

TEST_F(PriceVolume, ExtraLinesComeBackOnceAfterASaveAndLoad)
{
    const std::initializer_list<const TMetaClass*> classes{
        &TFormRoot::StaticClass(),   &TTestAxisPanel::StaticClass(),     &TTestSeries::StaticClass(),
        &TOHLCSeries::StaticClass(),        &TMoneyFlowFunction::StaticClass(), &TAlligatorFunction::StaticClass(),
        &TGatorFunction::StaticClass(),     &TFastLineSeries::StaticClass(),    &TVolumeSeries::StaticClass(),
        &TAreaSeries::StaticClass(),        &THistogramSeries::StaticClass()};
    RegisterClasses(classes);
    TOwnedPtr<TFormRoot> root(new TFormRoot(nullptr));
    root->SetName("Root");
    auto* panel = new TTestAxisPanel(root.get());
    panel->SetName("Chart1");
    auto* prices = new TOHLCSeries(root.get());
    prices->SetName("Prices");
    prices->SetParentChart(panel);
    for (int i = 0; i < 20; ++i) prices->AppendOHLC(String(), clAutomatic, i, Wavy(i), Wavy(i) + 2, Wavy(i) - 2, Wavy(i) + 1);
    prices->SetManualData(true);
    auto* volumes = new TTestSeries(root.get());
    volumes->SetName("Volumes");
    for (int i = 0; i < 20; ++i) volumes->AppendValue(100 + i);
    volumes->SetManualData(true);
    auto* flow = new TMoneyFlowFunction(root.get());
    flow->SetVolume(volumes);
    addStoredOutput(*root, *prices, "Flow", flow);
    addStoredOutput(*root, *prices, "Alligator", new TAlligatorFunction(root.get()));
    addStoredOutput(*root, *prices, "Gator", new TGatorFunction(root.get()));
    const int before = panel->NumSeries();
    ASSERT_EQ(before, 4 + 2 + 1) << "prices, outputs, teeth and lips, lower histogram (a money flow line draws itself)";

    String text;
    TOwnedPtr<TFormRoot> back = storeAndRead(*root, {"Flow", "Alligator", "Gator"}, text);
    for (const char* extra : {"TFastLineSeries", "TVolumeSeries", "TAreaSeries", "THistogramSeries"})
        EXPECT_EQ(text.find(extra), String::npos) << extra;
    auto* chart2 = dynamic_cast<TTestAxisPanel*>(back->FindComponent("Chart1"));
    ASSERT_NE(chart2, nullptr);
    EXPECT_EQ(chart2->NumSeries(), before);
    auto* flow2 = dynamic_cast<TMoneyFlowFunction*>(back->FindComponent("FlowFunction"));
    ASSERT_NE(flow2, nullptr);
    EXPECT_EQ(flow2->Volume(), back->FindComponent("Volumes"));
    UnRegisterClasses(classes);
}

}  // namespace
