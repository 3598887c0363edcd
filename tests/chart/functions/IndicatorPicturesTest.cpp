// Sample charts of the indicators with extra lines, as the gallery sets them up (prices as
// candles, the function's line as the second series), compared with committed images that
// someone has looked at.
#include <gtest/gtest.h>

#include <functional>

#include "FunctionFixture.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartTitles.h"
#include "chart/functions/OscillatorFunctions.h"
#include "chart/functions/PriceVolumeFunctions.h"
#include "chart/series/CandleSeries.h"
#include "chart/series/FastLineSeries.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Random.h"
#include "platform/rtl/StringList.h"
#include "tests/support/Golden.h"

namespace {

class IndicatorPictures : public ChartCoreSuite {};

void ExpectSamplePicture(const char* name, const std::function<TZebFunction*(TComponent&)>& make)
{
    TOwnedPtr<TComponent> root(new TComponent(nullptr));
    auto* chart = new TChart(root.get());
    chart->SetBounds(0, 0, 480, 300);
    chart->SetColorPaletteIndex(0);
    chart->SetView3D(false);
    chart->Title()->Lines()->Clear();
    chart->Title()->Lines()->Add(name);
    RandSeed = 2029;  // the sample prices are the seeded generator's
    auto* prices = new TCandleSeries(root.get());
    prices->SetParentChart(chart);
    prices->XValues()->SetDateTime(false);  // sample dates would be today's
    prices->FillWithSamples(60);
    auto* line = new TFastLineSeries(root.get());
    line->SetParentChart(chart);
    make(*root)->SetupSampleChart(chart);
    TBitmap picture;
    testkit::RenderToBitmap(*chart, picture);
    testsupport::ExpectMatchesGolden(picture, TV_SOURCE_DIR "/tests/chart/functions/golden", name);
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
