// Pictures of the financial series compared with committed images that someone has looked at: the
// four candle styles in 2-D and 3-D, volumes, point and figure, and Darvas boxes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>

#include "ChartPicture.h"
#include "chart/core/EngineStartup.h"
#include "chart/core/Legend.h"
#include "chart/series/CandleSeries.h"
#include "chart/series/DarvasSeries.h"
#include "chart/series/PointFigureSeries.h"
#include "chart/series/VolumeSeries.h"

namespace {

// 30 days of prices that rise, fall and rise again.
template <class S>
S* AddPrices(TChart& chart, TComponent& root, int count = 30)
{
    auto* s = new S(&root);
    s->SetParentChart(&chart);
    for (int i = 0; i < count; ++i) {
        const double mid = 50 + 15 * std::sin(i / 5.0) + (i % 4) - 1.5;
        const double open = mid + ((i * 7) % 5 - 2), close = mid - ((i * 3) % 5 - 2);
        s->AppendOHLC(String(), clAutomatic, 45000 + i, open, std::max(open, close) + 1 + i % 3,
                      std::min(open, close) - 1 - (i + 1) % 3, close);
    }
    return s;
}

struct CandleCase {
    const char* name;
    TCandleStyle style;
};

// The engine's texts name the legend items.
class CandlePictures : public ::testing::TestWithParam<std::tuple<CandleCase, bool>> {
public:
    static void SetUpTestSuite() { StartChartEngine(); }
    static void TearDownTestSuite() { StopChartEngine(); }
};

class FinancialPictures : public ::testing::Test {
public:
    static void SetUpTestSuite() { StartChartEngine(); }
    static void TearDownTestSuite() { StopChartEngine(); }
};

TEST_P(CandlePictures, Draw)
{
    const CandleCase k = std::get<0>(GetParam());
    const bool view3D = std::get<1>(GetParam());
    const std::string name = std::string(k.name) + (view3D ? "_3d" : "");
    const TCandleStyle style = k.style;
    ExpectChartPicture(name.c_str(), view3D, "TZebCanvas3D", [style](TChart& chart, TComponent& root) {
        auto* s = AddPrices<TCandleSeries>(chart, root);
        s->SetCandleStyle(style);
        s->SetDownCloseColor(clRed);
        s->SetUpCloseColor(clLime);
        chart.Legend()->SetVisible(false);
    });
}

INSTANTIATE_TEST_SUITE_P(Styles, CandlePictures,
                         ::testing::Combine(::testing::Values(CandleCase{"candles_stick", csCandleStick},
                                                              CandleCase{"candles_bar", csCandleBar},
                                                              CandleCase{"candles_open_close", csOpenClose},
                                                              CandleCase{"candles_line", csLine}),
                                            ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "_3d" : "");
                         });

TEST_F(FinancialPictures, VolumesPointFigureAndDarvas)
{
    ExpectChartPicture("volume", false, "TZebCanvas3D", [](TChart& chart, TComponent& root) {
        auto* s = new TVolumeSeries(&root);
        s->SetParentChart(&chart);
        s->SetSeriesColor(clNavy);
        for (int i = 0; i < 40; ++i) s->InsertXY(i, 20 + 15 * std::sin(i / 3.0) + (i * 7) % 9);
        auto* o = new TVolumeSeries(&root);
        o->SetParentChart(&chart);
        o->SetSeriesColor(clRed);
        o->SetUseYOrigin(true);
        o->SetYOrigin(25);
        for (int i = 0; i < 40; ++i) o->InsertXY(i + 0.5, 25 + 10 * std::cos(i / 4.0));
    });
    ExpectChartPicture("point_figure", false, "TZebCanvas3D", [](TChart& chart, TComponent& root) {
        auto* s = AddPrices<TPointFigureSeries>(chart, root, 60);
        s->SetBoxSize(2);
        s->SetReversalAmount(2);
    });
    ExpectChartPicture("darvas", false, "TZebCanvas3D", [](TChart& chart, TComponent& root) {
        AddPrices<TDarvasSeries>(chart, root, 40);
        chart.Legend()->SetVisible(false);
    });
}

}  // namespace
