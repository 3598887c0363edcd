// The ADX sample chart: candles above, the index with its +DI and -DI lines in the pane below.
#include <gtest/gtest.h>

#include <cmath>

#include "chart/core/Chart.h"
#include "chart/core/ChartTitles.h"
#include "chart/core/EngineStartup.h"
#include "chart/functions/FinancialFunctions.h"
#include "chart/series/CandleSeries.h"
#include "chart/series/FastLineSeries.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/StringList.h"
#include "tests/support/Golden.h"

namespace {

class FinancialPictures : public ::testing::Test {
public:
    static void SetUpTestSuite() { StartChartEngine(); }
    static void TearDownTestSuite() { StopChartEngine(); }
};

TEST_F(FinancialPictures, ADXSampleChart)
{
    TOwnedPtr<TComponent> root(new TComponent(nullptr));
    auto* chart = new TChart(root.get());
    chart->SetBounds(0, 0, 480, 300);
    chart->SetColorPaletteIndex(0);
    chart->SetView3D(false);
    chart->Title()->Lines()->Clear();
    chart->Title()->Lines()->Add("adx_sample");
    auto* candles = new TCandleSeries(root.get());
    candles->SetParentChart(chart);
    for (int i = 0; i < 60; ++i) {
        const double mid = 50 + 15 * std::sin(i / 7.0) + 0.2 * i;
        const double open = mid + ((i * 7) % 5 - 2), close = mid - ((i * 3) % 5 - 2);
        candles->AppendCandle(String(), clAutomatic, 45000 + i, open, std::max(open, close) + 1 + i % 3,
                              std::min(open, close) - 1 - (i + 1) % 3, close);
    }
    auto* adx = new TFastLineSeries(root.get());
    adx->SetParentChart(chart);
    adx->SetSeriesColor(clNavy);
    auto* f = new TADXFunction(root.get());
    f->SetupSampleChart(chart);
    ASSERT_EQ(adx->FunctionObject(), f);
    ASSERT_GT(adx->Count(), 0);
    EXPECT_EQ(chart->NumSeries(), 4);
    TBitmap picture;
    testkit::RenderToBitmap(*chart, picture);
    testsupport::ExpectMatchesGolden(picture, TV_SOURCE_DIR "/tests/chart/functions/golden", "adx_sample");
}

}  // namespace
