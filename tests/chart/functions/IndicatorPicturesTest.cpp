// Sample charts of the indicators with extra lines, as the gallery sets them up (prices as
// candles, the function's line as the second series), and the ADX pane chart, compared with
// committed images that someone has looked at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "FunctionFixture.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartTitles.h"
#include "chart/functions/FinancialFunctions.h"
#include "chart/functions/OscillatorFunctions.h"
#include "chart/functions/PriceVolumeFunctions.h"
#include "chart/series/CandleSeries.h"
#include "chart/series/FastLineSeries.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Random.h"
#include "platform/rtl/StringList.h"
#include "tests/chart/series/ChartPicture.h"
#include "tests/support/Golden.h"

namespace {

class IndicatorPictures : public ChartCoreSuite {};

constexpr const char* GoldenFolder = TV_SOURCE_DIR "/tests/chart/functions/golden";

void ExpectSamplePicture(const char* name, const std::function<TZebFunction*(TComponent&)>& make)
{
    ExpectChartPicture(
        name, false, "TGDIPlusCanvas",
        [&](TChart& chart, TComponent& root) {
            RandSeed = 2029;  // the sample prices are the seeded generator's
            auto* prices = new TCandleSeries(&root);
            prices->SetParentChart(&chart);
            prices->XValues()->SetDateTime(false);  // sample dates would be today's
            prices->FillWithSamples(60);
            auto* line = new TFastLineSeries(&root);
            line->SetParentChart(&chart);
            make(root)->SetupSampleChart(&chart);
        },
        GoldenFolder);
}

// Candles above, the index with its +DI and -DI lines in the pane below.
TEST_F(IndicatorPictures, ADXSampleChart)
{
    ExpectChartPicture(
        "adx_sample", false, "TGDIPlusCanvas",
        [](TChart& chart, TComponent& root) {
            auto* candles = new TCandleSeries(&root);
            candles->SetParentChart(&chart);
            for (int i = 0; i < 60; ++i) {
                const double mid = 50 + 15 * std::sin(i / 7.0) + 0.2 * i;
                const double open = mid + ((i * 7) % 5 - 2), close = mid - ((i * 3) % 5 - 2);
                candles->AppendCandle(String(), clAutomatic, 45000 + i, open, std::max(open, close) + 1 + i % 3,
                                      std::min(open, close) - 1 - (i + 1) % 3, close);
            }
            auto* adx = new TFastLineSeries(&root);
            adx->SetParentChart(&chart);
            adx->SetSeriesColor(clNavy);
            auto* f = new TADXFunction(&root);
            f->SetupSampleChart(&chart);
            ASSERT_EQ(adx->FunctionObject(), f);
            ASSERT_GT(adx->Count(), 0);
            EXPECT_EQ(chart.NumSeries(), 4);
        },
        GoldenFolder);
}

TEST_F(IndicatorPictures, Macd)
{
    ExpectSamplePicture("macd", [](TComponent& root) { return new TMACDFunction(&root); });
}

TEST_F(IndicatorPictures, Bollinger)
{
    ExpectSamplePicture("bollinger", [](TComponent& root) { return new TBollingerFunction(&root); });
}

TEST_F(IndicatorPictures, Alligator)
{
    ExpectSamplePicture("alligator", [](TComponent& root) { return new TAlligatorFunction(&root); });
}

TEST_F(IndicatorPictures, AwesomeOscillator)
{
    ExpectSamplePicture("awesome_oscillator", [](TComponent& root) { return new TAOFunction(&root); });
}

TEST_F(IndicatorPictures, MoneyFlow)
{
    ExpectSamplePicture("money_flow", [](TComponent& root) {
        auto* f = new TMoneyFlowFunction(&root);
        f->SetCMFStyle(cmfHistogram);
        return f;
    });
}

}  // namespace
