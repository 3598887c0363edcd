// Oscillator and band indicators: their lines against hand computations, the edge cases of each
// (too few points, constant windows, zero averages), and the extra lines through a save and load.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "IndicatorFixture.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/ChartException.h"
#include "chart/core/SeriesTypes.h"
#include "chart/functions/FunctionUnits.h"
#include "chart/functions/OscillatorFunctions.h"
#include "chart/series/FastLineSeries.h"
#include "chart/series/VolumeSeries.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Streams.h"
#include "tests/support/StreamText.h"

namespace {

// Exponential moving average as the averaging unit computes it: one value per point.
std::vector<double> Ema(const std::vector<double>& v, double period)
{
    std::vector<double> out;
    const double a = 2 / (period + 1);
    for (size_t i = 0; i < v.size(); ++i) out.push_back(i == 0 ? v[0] : a * v[i] + (1 - a) * out.back());
    return out;
}

class Oscillators : public IndicatorTest {};

TEST_F(Oscillators, MacdLineSignalAndHistogram)
{
    const std::vector<double> v{10, 12, 11, 15, 14, 18, 17, 16, 20, 22};
    for (double y : v) source->AppendValue(y);
    auto* f = new TMACDFunction(&owner);
    f->SetPeriod2(3);
    f->SetPeriod3(2);
    f->SetPeriod(5);
    run(f);
    const std::vector<double> fast = Ema(v, 3), slow = Ema(v, 5);
    std::vector<double> macd;
    for (size_t i = 0; i < v.size(); ++i) macd.push_back(fast[i] - slow[i]);
    ExpectNear(ys(), macd);
    const std::vector<double> signal = Ema(macd, 2);
    ExpectNear(valuesOf(f->SignalSeries()->YValues()), signal);
    std::vector<double> histogram;
    for (size_t i = 0; i < v.size(); ++i) histogram.push_back(macd[i] - signal[i]);
    ExpectNear(valuesOf(f->HistogramSeries()->YValues()), histogram);
}

TEST_F(Oscillators, MacdOverOnePointLeavesAllThreeLinesEmpty)
{
    fillY({1, 2, 3});
    auto* f = run(new TMACDFunction(&owner));
    ASSERT_FALSE(f->SignalSeries()->Count() == 0);
    source->RemoveAllPoints();
    source->AppendValue(5);
    output->RefreshData();
    EXPECT_EQ(output->Count(), 0);
    EXPECT_EQ(f->SignalSeries()->Count(), 0);
    EXPECT_EQ(f->HistogramSeries()->Count(), 0);
}

TEST_F(Oscillators, WhiteMacdOutputTurnsBlue)
{
    fillY({1, 2, 3});
    output->SetSeriesColor(static_cast<TColor>(0xFFFFFF));
    run(new TMACDFunction(&owner));
    EXPECT_EQ(output->SeriesColor(), static_cast<TColor>(0xFF0000));
}

TEST_F(Oscillators, MacdPeriod2Rules)
{
    auto* f = new TMACDFunction(&owner);
    EXPECT_THROW(f->SetPeriod2(-1), ChartException);
    EXPECT_DOUBLE_EQ(f->Period2(), 12);
    f->SetPeriod2(0.5);
    EXPECT_DOUBLE_EQ(f->Period2(), 1);
    delete f;
}

TEST_F(Oscillators, BollingerBandsAroundTheAverage)
{
    const std::vector<double> v{2, 4, 4, 6, 9};
    for (double y : v) source->AppendValue(y);
    auto* f = new TBollingerFunction(&owner);
    f->SetPeriod(3);
    f->SetExponential(false);
    run(f);
    std::vector<double> upper, lower;
    for (int i = 3; i <= 5; ++i) {
        double sum = 0, squares = 0;
        for (int j = i - 3; j < i; ++j) sum += v[j], squares += v[j] * v[j];
        const double mean = sum / 3, s = std::sqrt((3 * squares - sum * sum) / 9);
        upper.push_back(mean + 2 * s);
        lower.push_back(mean - 2 * s);
    }
    EXPECT_EQ(xs(), (std::vector<double>{2, 3, 4}));
    EXPECT_EQ(valuesOf(f->LowBand()->XValues()), (std::vector<double>{2, 3, 4}));
    ExpectNear(ys(), upper);
    ExpectNear(valuesOf(f->LowBand()->YValues()), lower);
}

TEST_F(Oscillators, BollingerPointsWithoutAnAverageAreLeftOut)
{
    struct Case {
        const char* name;
        double period;
        bool exponential;
        std::vector<double> values;
        size_t points;
    };
    for (const Case& k : {Case{"exponential, 3 over 5", 3, true, {1, 2, 3, 4, 5}, 3},
                          Case{"period rounding to 0", 0.4, false, {1, 2, 3}, 0},
                          Case{"exponential over one point", 1, true, {7}, 0}}) {
        SCOPED_TRACE(k.name);
        TComponent local(nullptr);
        auto* src = new TTestSeries(&local);
        auto* out = new TTestSeries(&local);
        for (double y : k.values) src->AppendValue(y);
        auto* f = new TBollingerFunction(&local);
        f->SetPeriod(k.period);
        f->SetExponential(k.exponential);
        out->AttachFunction(f);
        out->SetDataSource(src);
        EXPECT_EQ(static_cast<size_t>(out->Count()), k.points);
        EXPECT_EQ(static_cast<size_t>(f->LowBand()->Count()), k.points);
    }
}

TEST_F(Oscillators, StochasticOfTheWindow)
{
    TOHLCSeries& src = ohlc({{5, 10, 2, 6}, {5, 12, 4, 8}, {5, 9, 3, 9}});
    auto* f = new TStochasticFunction(&owner);
    f->SetPeriod(2);
    runOn(src, f);
    // Windows 0..1 (low 2, high 12, close 8) and 1..2 (low 3, high 12, close 9).
    ExpectNear(ys(), {60, 100.0 * 6 / 9});

    TOHLCSeries& flat = ohlc({{5, 7, 7, 7}, {5, 7, 7, 7}});
    output->SetDataSource(&flat);
    ExpectNear(ys(), {0});
}

TEST_F(Oscillators, CommodityChannelIndex)
{
    TOHLCSeries& src = ohlc({{0, 3, 3, 3}, {0, 6, 6, 6}, {0, 9, 9, 9}, {0, 3, 3, 3}});
    auto* f = new TCCIFunction(&owner);
    f->SetPeriod(3);
    f->SetConstant(0);  // divides by 1
    runOn(src, f);
    // Windows 3, 6, 9 (mean 6, deviation 2) and 6, 9, 3 (mean 6, deviation 2).
    ExpectNear(ys(), {1.5, -1.5});
    EXPECT_EQ(xs(), (std::vector<double>{2, 3}));

    TOHLCSeries& constant = ohlc({{0, 6, 3, 9}, {0, 9, 3, 6}, {0, 3, 9, 6}});
    output->SetDataSource(&constant);
    EXPECT_EQ(output->Count(), 0) << "constant typical prices deviate by nothing";
}

TEST_F(Oscillators, VolumeOscillator)
{
    fillY({3, 0});
    auto* f = new TPVOFunction(&owner);
    f->SetPeriod(1);  // the fast average is the value itself
    run(f);
    ExpectNear(ys(), {0, 3 * (25.0 / 27) * 100});  // a fast average of 0 gives the slow one
    f->SetPercentage(false);
    ExpectNear(ys(), {0, (0 - 3 * (25.0 / 27)) * 100});

    source->RemoveAllPoints();
    source->AppendValue(4);
    output->RefreshData();
    EXPECT_EQ(output->Count(), 0);
}

TEST_F(Oscillators, RelativeVigorIndexAndItsSignal)
{
    TOHLCSeries& src = ohlc({{1, 4, 0, 3}, {3, 3, 1, 1}, {1, 5, 1, 5}, {5, 5, 5, 5}, {2, 6, 2, 4}});
    // Vigor: 0.5, -1, 1, 0 (high = low), 0.5.
    auto* f = new TRVIFunction(&owner);
    f->SetPeriod(2);
    runOn(src, f);
    ExpectNear(ys(), {-0.25, 0, 0.5, 0.25});
    ExpectNear(valuesOf(f->SignalSeries()->YValues()), {0.125, 0.125});

    f->SetPeriod(1);
    EXPECT_EQ(output->Count(), 0) << "Period 1 does nothing";
}

TEST_F(Oscillators, ExtraLinesStayOutOfTheLegendAndTheFileAndComeBackOnce)
{
    const std::initializer_list<const TMetaClass*> classes{
        &TFormRoot::StaticClass(), &TTestAxisPanel::StaticClass(),    &TTestSeries::StaticClass(),
        &TMACDFunction::StaticClass(),  &TBollingerFunction::StaticClass(), &TFastLineSeries::StaticClass(),
        &TVolumeSeries::StaticClass()};
    RegisterClasses(classes);
    TOwnedPtr<TFormRoot> root(new TFormRoot(nullptr));
    root->SetName("Root");
    auto* panel = new TTestAxisPanel(root.get());
    panel->SetName("Chart1");
    auto* src = new TTestSeries(root.get());
    src->SetName("Source");
    src->SetParentChart(panel);
    for (double y : {4.0, 6.0, 5.0, 8.0, 7.0, 9.0}) src->AppendValue(y);
    src->SetManualData(true);
    auto* macd = new TMACDFunction(root.get());
    addStoredOutput(*root, *src, "Macd", macd);
    auto* bands = new TBollingerFunction(root.get());
    bands->SetPeriod(3);
    addStoredOutput(*root, *src, "Bands", bands);
    ASSERT_EQ(panel->NumSeries(), 6) << "source, two outputs, signal, histogram, lower band";
    for (TChartSeries* extra : {static_cast<TChartSeries*>(macd->SignalSeries()),
                                static_cast<TChartSeries*>(macd->HistogramSeries()),
                                static_cast<TChartSeries*>(bands->LowBand())}) {
        EXPECT_FALSE(extra->ShowInLegend());
        EXPECT_TRUE(extra->Internal());
    }

    String text;
    TOwnedPtr<TFormRoot> back = storeAndRead(*root, {"Macd", "Bands"}, text);
    EXPECT_EQ(text.find("TFastLineSeries"), String::npos) << text;
    EXPECT_EQ(text.find("TVolumeSeries"), String::npos) << text;
    auto* chart2 = dynamic_cast<TTestAxisPanel*>(back->FindComponent("Chart1"));
    ASSERT_NE(chart2, nullptr);
    EXPECT_EQ(chart2->NumSeries(), 6);
    auto* macd2 = dynamic_cast<TMACDFunction*>(back->FindComponent("MacdFunction"));
    ASSERT_NE(macd2, nullptr);
    EXPECT_EQ(valuesOf(macd2->SignalSeries()->YValues()), valuesOf(macd->SignalSeries()->YValues()));
    UnRegisterClasses(classes);
}

TEST_F(Oscillators, FinancialEntriesInTheirOrder)
{
    StartFunctionUnits();
    std::vector<std::string> names;
    for (const auto& t : RegisteredSeriesTypes())
        if (t->FunctionClass && t->GalleryPageText() == "Financial") names.push_back(t->FunctionClass->ClassName());
    const std::vector<std::string> ours{"TMACDFunction",      "TMoneyFlowFunction", "TRVIFunction",
                                        "TAOFunction",        "TACFunction",        "TAlligatorFunction",
                                        "TGatorFunction",     "TStochasticFunction", "TBollingerFunction",
                                        "TCLVFunction",       "TPVOFunction",       "TCCIFunction"};
    std::vector<std::string> seen;
    for (const std::string& n : names)
        if (std::find(ours.begin(), ours.end(), n) != ours.end()) seen.push_back(n);
    EXPECT_EQ(seen, ours);
    StopFunctionUnits();
}

}  // namespace
