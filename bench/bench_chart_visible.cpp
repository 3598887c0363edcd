// The visible run of a live series whose bottom axis shows the newest 300 points: found by the
// drawing loop's bisection, and by walking the points one by one as the oracle of the tests does.
// The first must not grow with what is stored.
#include <benchmark/benchmark.h>

#include "ChartBench.h"

#include <cstdlib>
#include <memory>

#include "chart/core/AxisPanel.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/EngineStartup.h"
#include "platform/forms/Forms.h"
#include "tests/chart/support/VisibleRangeWalk.h"

namespace {

// A chart 640 pixels wide with one series of state.range(0) points at X = 0, 1, 2 ..., the bottom
// axis on the newest 300.
struct LiveSeries {
    explicit LiveSeries(int points)
    {
        StartChartBench();
        chart->SetBounds(0, 0, 700, 400);
        chart->SetView3D(false);
        chart->SetChartRect({40, 10, 680, 380});
        chart->NormalizeChartRect();
        series->SetParentChart(chart.get());
        series->SetDrawBeyondLastVisible(true);
        series->XValues()->SetOrder(loAscending);
        for (int i = 0; i < points; ++i) {
            series->XValues()->AddInOrder(i);
            series->YValues()->InsertAt(i, i % 100);
        }
        TChartAxis& bottom = *chart->BottomAxis();
        bottom.ApplyRange(points - 300.5, points - 0.5);
        bottom.ComputePixelBounds();
        bottom.ComputeRange();
    }
    ~LiveSeries() { series->SetParentChart(nullptr); }
    std::unique_ptr<TBenchChart, TFreeDeleter> chart{new TBenchChart(nullptr)};
    std::unique_ptr<TChartSeries, TFreeDeleter> series{new TChartSeries(nullptr)};
};

void BM_FindVisibleRange(benchmark::State& state)
{
    LiveSeries live(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        live.series->FindVisibleRange();
        benchmark::DoNotOptimize(live.series->LastVisibleIndex());
    }
    state.counters["visible"] = live.series->LastVisibleIndex() - live.series->FirstVisibleIndex() + 1;
}
BENCHMARK(BM_FindVisibleRange)->Arg(300)->Arg(10000)->Arg(1000000)->Unit(benchmark::kNanosecond);

void BM_WalkVisibleRange(benchmark::State& state)
{
    LiveSeries live(static_cast<int>(state.range(0)));
    const TChartAxis& bottom = *live.chart->BottomAxis();
    const TRect& r = live.chart->ChartRect();
    const TChartValueList& x = *live.series->XValues();
    for (auto _ : state) {
        const TVisibleRange range = WalkVisibleRange({x.Values(), static_cast<size_t>(x.Count())},
                                                     bottom.PixelToValue(r.Left), bottom.PixelToValue(r.Right), true);
        benchmark::DoNotOptimize(range.Last);
    }
}
BENCHMARK(BM_WalkVisibleRange)->Arg(300)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace
