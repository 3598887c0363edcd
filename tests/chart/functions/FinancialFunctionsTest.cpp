// Financial functions over candle sources: on-balance volume, SAR, ADX with its two lines, ATR,
// RSI and compression by points and by calendar periods; the financial units' registration.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "FunctionFixture.h"
#include "chart/core/SeriesTypes.h"
#include "chart/functions/CompressFunction.h"
#include "chart/functions/FinancialFunctions.h"
#include "chart/functions/FinancialUnits.h"
#include "chart/series/CandleSeries.h"
#include "chart/series/FastLineSeries.h"
#include "chart/series/VolumeSeries.h"
#include "platform/rtl/Strings.h"
#include "platform/rtl/DateTime.h"

namespace {

struct Bar {
    double open, high, low, close;
};

class FinancialTest : public ChartCoreSuite {
protected:
    TComponent owner{nullptr};
    TCandleSeries* source = new TCandleSeries(&owner);
    TTestSeries* output = new TTestSeries(&owner);

    void bars(const std::vector<Bar>& list, double firstDate = 0)
    {
        double date = firstDate;
        for (const Bar& b : list) source->AppendCandle(String(), clAutomatic, date++, b.open, b.high, b.low, b.close);
    }
    // n bars that wander up and down.
    void wave(int n)
    {
        for (int i = 0; i < n; ++i) {
            const double mid = 50 + 10 * std::sin(i * 0.7) + i * 0.3;
            source->AppendCandle(String(), clAutomatic, i, mid - 1, mid + 2 + (i % 3), mid - 2 - (i % 2), mid + 1);
        }
    }
    template <class F>
    F* run(F* f, TChartSeries* out = nullptr)
    {
        out = out ? out : output;
        out->AttachFunction(f);
        out->SetDataSource(source);
        return f;
    }
    std::vector<double> ys(const TChartSeries* s = nullptr) const { return valuesOf((s ? s : output)->YValues()); }
    std::vector<double> xs(const TChartSeries* s = nullptr) const { return valuesOf((s ? s : output)->XValues()); }
};

TEST_F(FinancialTest, FinancialFunctionsTakeOnlyOHLCSources)
{
    TOBVFunction f(nullptr);
    TTestSeries line(nullptr);
    EXPECT_FALSE(f.AcceptsSource(&line));
    EXPECT_TRUE(f.AcceptsSource(source));
    TRSIFunction rsi(nullptr);
    EXPECT_FALSE(rsi.AcceptsSource(&line));
    EXPECT_EQ(rsi.PreferredSeriesClass(), &TCandleSeries::StaticClass());
}

TEST_F(FinancialTest, OnBalanceVolumeAddsUpDaysAndStopsAtTheLastVolume)
{
    bars({{1, 3, 0, 2}, {2, 3, 0, 1}, {1, 3, 0, 2}, {1, 3, 0, 2}});
    auto* volume = new TVolumeSeries(&owner);
    for (double v : {10.0, 4.0, 6.0}) volume->AppendValue(v);
    auto* f = run(new TOBVFunction(&owner));
    EXPECT_TRUE(ys().empty());  // no volume series yet
    f->SetVolume(volume);
    EXPECT_EQ(ys(), (std::vector<double>{10, 6, 12}));
    EXPECT_EQ(xs(), (std::vector<double>{0, 1, 2}));
    volume->Free();
    EXPECT_EQ(f->Volume(), nullptr);
}

TEST_F(FinancialTest, SARStartsAtTheThirdPoint)
{
    struct Case {
        int points;
        size_t expected;
    };
    for (const Case k : {Case{2, 0}, Case{3, 1}, Case{6, 4}}) {
        SCOPED_TRACE(k.points);
        source->RemoveAllPoints();
        for (int i = 0; i < k.points; ++i) source->AppendCandle(String(), clAutomatic, i, 10 + i, 12 + i, 9 + i, 11 + i);
        if (!output->FunctionObject()) run(new TSARFunction(&owner));
        output->RefreshData();
        ASSERT_EQ(ys().size(), k.expected);
        if (k.expected > 0) {
            EXPECT_EQ(xs().front(), 2);
        }
    }
    // S[1] = H[1] = 13 lies above L[2] = 11: the first stop reverses to short at the high H[0].
    EXPECT_DOUBLE_EQ(ys().front(), 12);
}

TEST_F(FinancialTest, ADXNeedsTwicePeriodPointsAndFillsItsTwoLines)
{
    struct Case {
        const char* name;
        double period;
        int points;
        size_t adx, lines;
    };
    for (const Case& k : {Case{"27 points", 14, 27, 0, 0}, Case{"28 points", 14, 28, 2, 14}, Case{"period 1", 1, 40, 0, 0},
                          Case{"period 3 over 10", 3, 10, 6, 7}}) {
        SCOPED_TRACE(k.name);
        source->RemoveAllPoints();
        wave(k.points);
        auto* f = new TADXFunction(&owner);
        f->SetPeriod(k.period);
        run(f);
        EXPECT_EQ(ys().size(), k.adx);
        EXPECT_EQ(f->UpLine()->Count(), static_cast<int>(k.lines));
        EXPECT_EQ(f->DownLine()->Count(), static_cast<int>(k.lines));
        if (k.adx > 0) {
            EXPECT_EQ(xs().front(), 2 * k.period - 2);
            for (double v : ys()) EXPECT_TRUE(v >= 0 && v <= 100) << v;
            EXPECT_EQ(f->UpLine()->XValues()->ValueAt(0), k.period);
        }
        output->AttachFunction(nullptr);
    }
}

TEST_F(FinancialTest, ADXLinesAreRedAndGreenAndTheirPensAssign)
{
    TADXFunction f(nullptr);
    EXPECT_EQ(f.DownLine()->SeriesColor(), clRed);
    EXPECT_EQ(f.UpLine()->SeriesColor(), clGreen);
    EXPECT_TRUE(f.UpLine()->Internal());
    TZebPen pen;
    pen.SetWidth(3);
    f.SetUpLinePen(&pen);
    EXPECT_EQ(f.UpLinePen()->Width(), 3);
    EXPECT_NE(f.UpLinePen(), &pen);
}

TEST_F(FinancialTest, ATRFirstPointIsTheMeanTrueRange)
{
    wave(14);
    double sum = 0;
    for (int i = 0; i < 14; ++i) sum += TrueRange(*source, i);
    run(new TATRFunction(&owner));
    ASSERT_EQ(ys().size(), 1u);
    EXPECT_DOUBLE_EQ(ys()[0], sum / 14);
    EXPECT_EQ(xs()[0], 13);
    source->AppendCandle(String(), clAutomatic, 14, 50, 60, 40, 55);
    output->RefreshData();
    ASSERT_EQ(ys().size(), 2u);
    EXPECT_DOUBLE_EQ(ys()[1], (13 * sum / 14 + TrueRange(*source, 14)) / 14);
}

TEST_F(FinancialTest, RSIStyles)
{
    struct Case {
        const char* name;
        TRSIStyle style;
        std::vector<Bar> bars;
        double expected;
    };
    const Case cases[] = {
        {"closes never fall", rsiClose, {{1, 2, 0, 1}, {1, 3, 0, 2}, {1, 3, 0, 2}, {1, 4, 0, 3}}, 100},
        {"a rise and a fall", rsiClose, {{1, 9, 0, 4}, {1, 9, 0, 6}, {1, 9, 0, 5}, {1, 9, 0, 7}}, 100 - 100 / (4.0 + 1)},
        // The closes themselves: up closes 4 and 7 against the down close 5.
        {"open-close sums closes", rsiOpenClose, {{1, 9, 0, 4}, {9, 9, 0, 5}, {1, 9, 0, 7}}, 100 - 100 / (11.0 / 5 + 1)},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        source->RemoveAllPoints();
        bars(k.bars);
        auto* f = new TRSIFunction(&owner);
        f->SetStyle(k.style);
        f->SetPeriod(static_cast<double>(k.bars.size()));
        run(f);
        ASSERT_EQ(ys().size(), 1u);
        EXPECT_NEAR(ys()[0], k.expected, 1e-9);
        output->AttachFunction(nullptr);
    }
}

TEST_F(FinancialTest, CompressionKeysIncludeTheEnclosingPeriod)
{
    const TDateTime friday = EncodeDate(2024, 3, 1), monday = EncodeDate(2024, 3, 4);
    struct Case {
        const char* name;
        TCompressionPeriod period;
        TDateTime a, b;
        bool sameBar;
    };
    const Case cases[] = {
        {"Friday, Monday", ocWeek, friday, monday, false},
        {"Monday, Tuesday", ocWeek, monday, monday + 1.5, true},
        {"Monday, next Monday", ocWeek, monday, monday + 7, false},
        {"Sunday ends the week", ocWeek, monday, monday + 6.9, true},
        {"January, next January", ocMonth, EncodeDate(2023, 1, 5), EncodeDate(2024, 1, 5), false},
        {"one quarter", ocQuarter, EncodeDate(2024, 1, 5), EncodeDate(2024, 3, 30), true},
        {"10:05, 11:05", ocHour, monday + EncodeTime(10, 5, 0, 0), monday + EncodeTime(11, 5, 0, 0), false},
        {"10:05, next day 10:05", ocHour, monday + EncodeTime(10, 5, 0, 0), monday + 1 + EncodeTime(10, 5, 0, 0), false},
        {"10:05, 10:55", ocHour, monday + EncodeTime(10, 5, 0, 0), monday + EncodeTime(10, 55, 0, 0), true},
        {"half hours", ocHalfHour, monday + EncodeTime(10, 29, 0, 0), monday + EncodeTime(10, 31, 0, 0), false},
        {"ten seconds", ocTenSecond, monday + EncodeTime(10, 0, 11, 0), monday + EncodeTime(10, 0, 19, 0), true},
        {"a year", ocYear, EncodeDate(2024, 1, 1), EncodeDate(2024, 12, 31), true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(CompressionKey(k.period, k.a) == CompressionKey(k.period, k.b), k.sameBar);
    }
}

TEST_F(FinancialTest, CompressionMakesBarsByWeekOrByPoints)
{
    const TDateTime monday = EncodeDate(2024, 3, 4);
    // Mon, Tue, Fri | Mon, Wed | next-but-one Mon
    for (double d : {0.0, 1.0, 4.0, 7.0, 9.0, 21.0}) {
        const double v = 10 + d;
        source->AppendCandle(String("d") + IntToStr(static_cast<int>(d)), clAutomatic, monday + d, v, v + 2, v - 3, v + 1);
    }
    auto* bars = new TCandleSeries(&owner);
    auto* f = run(new TCompressFunction(&owner), bars);
    ASSERT_EQ(bars->Count(), 3);
    EXPECT_EQ(valuesOf(bars->OpenValues()), (std::vector<double>{10, 17, 31}));
    EXPECT_EQ(valuesOf(bars->HighValues()), (std::vector<double>{16, 21, 33}));
    EXPECT_EQ(valuesOf(bars->LowValues()), (std::vector<double>{7, 14, 28}));
    EXPECT_EQ(valuesOf(bars->CloseValues()), (std::vector<double>{15, 20, 32}));
    EXPECT_EQ(bars->DateValues()->ValueAt(0), monday + 4);  // the last point's date
    EXPECT_EQ(bars->GetLabelAt(1), String("d9"));

    f->SetPeriod(5);
    ASSERT_EQ(bars->Count(), 2);
    EXPECT_EQ(bars->OpenValues()->ValueAt(1), 31);
    EXPECT_EQ(bars->HighValues()->ValueAt(0), 21);
}

TEST_F(FinancialTest, SampleChartsOfTheGallery)
{
    StartFinancialUnits();
    auto* chart = new TTestAxisPanel(&owner);
    source->SetParentChart(chart);
    source->FillWithSamples(20);

    // On-balance volume: a volume series and the output line join the candles.
    auto* obv = new TOBVFunction(&owner);
    obv->SetupSampleChart(chart);
    ASSERT_EQ(chart->NumSeries(), 3);
    auto* volume = dynamic_cast<TVolumeSeries*>(chart->GetSeriesAt(1));
    ASSERT_NE(volume, nullptr);
    EXPECT_EQ(volume->Count(), 20);
    EXPECT_EQ(volume->Title(), String("Volume"));
    EXPECT_EQ(obv->Volume(), volume);
    TChartSeries* line = chart->GetSeriesAt(2);
    EXPECT_EQ(line->FunctionObject(), obv);
    EXPECT_EQ(line->Count(), 20);
    EXPECT_EQ(volume->VertAxis(), line->VertAxis());

    // Compression: the second series makes way for candles on the right axis.
    auto* compress = new TCompressFunction(&owner);
    compress->SetupSampleChart(chart);
    auto* bars = dynamic_cast<TCandleSeries*>(compress->OutputSeries());
    ASSERT_NE(bars, nullptr);
    EXPECT_EQ(bars->VertAxis(), aRightAxis);
    EXPECT_EQ(bars->DataSource(), source);
    EXPECT_GT(bars->Count(), 0);
    EXPECT_EQ(chart->LeftAxis()->EndPosition(), 50);
    EXPECT_EQ(chart->RightAxis()->StartPosition(), 50);

    // RSI: a 0 .. 100 percent pane.
    auto* out = new TFastLineSeries(&owner);
    out->SetParentChart(chart);
    while (chart->NumSeries() > 2) chart->GetSeriesAt(1)->Free();
    ASSERT_EQ(chart->GetSeriesAt(1), out);
    auto* rsi = new TRSIFunction(&owner);
    rsi->SetupSampleChart(chart);
    EXPECT_EQ(rsi->Period(), 10);
    EXPECT_EQ(out->VertAxis(), aRightAxis);
    EXPECT_EQ(chart->RightAxis()->AxisValuesFormat(), String("0%"));
    EXPECT_EQ(chart->RightAxis()->Maximum(), 100);
    StopFinancialUnits();
}

TEST(FinancialUnits, RegisterInOrderAndNameTheSampleClasses)
{
    StartChartEngine();
    TFinancialFunction probe(nullptr);
    EXPECT_EQ(probe.PreferredSeriesClass(), nullptr);
    StartFinancialUnits();
    StartFinancialUnits();  // counted
    std::vector<std::string> names;
    for (const auto& t : RegisteredSeriesTypes())
        if (t->GalleryPageText() == "Financial")
            names.push_back((t->FunctionClass ? t->FunctionClass : t->SeriesClass)->ClassName() + std::string(":") +
                            t->GetFlatDescription());
    EXPECT_EQ(names, (std::vector<std::string>{"TOBVFunction:On Balance Volume", "TSARFunction:SAR",
                                               "TPointFigureSeries:Point & Figure", "TCandleSeries:Candle",
                                               "TVolumeSeries:Volume", "TDarvasSeries:Darvas", "TADXFunction:ADX",
                                               "TATRFunction:ATR", "TRSIFunction:R.S.I.",
                                               "TCompressFunction:Compression"}));
    EXPECT_EQ(probe.PreferredSeriesClass(), &TCandleSeries::StaticClass());
    EXPECT_EQ(FinancialVolumeSeriesClass, &TVolumeSeries::StaticClass());
    EXPECT_EQ(EditorFormClassNameOfFunction(TADXFunction::StaticClass()), String("TADXFuncEditor"));
    EXPECT_EQ(EditorFormClassNameOfFunction(TATRFunction::StaticClass()), String("TZebFunctionEditor"));
    StopFinancialUnits();
    StopFinancialUnits();
    int left = 0;
    for (const auto& t : RegisteredSeriesTypes()) left += t->GalleryPageText() == "Financial";
    EXPECT_EQ(left, 0);
    EXPECT_EQ(FinancialSampleSeriesClass, nullptr);
    EXPECT_TRUE(TxtSARFunction.empty());
    StopChartEngine();
}

}  // namespace
