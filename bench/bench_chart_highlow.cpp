// Frames of a high-low band of 100,000 points over a 697-pixel plot, filled and with both lines,
// and the band's interpolation over all pixel columns by bisection beside the linear search that
// unordered X values keep.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "ChartBench.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/core/ChartAxis.h"
#include "chart/series/HighLowSeries.h"
#include "platform/graphics/Bitmap.h"

namespace {

constexpr int Width = 697, Height = 377;

struct THighLowRig {
    explicit THighLowRig(int points) : target(Width, Height, pf24bit)
    {
        chart->SetBounds(0, 0, Width, Height);
        chart->SetView3D(false);
        series.SetParentChart(chart.get());
        series.HighBrush()->SetStyle(bsSolid);
        series.LowBrush()->SetStyle(bsSolid);
        for (int i = 0; i < points; ++i) {
            const double high = 500 + 300 * std::sin(i / 5000.0) + (i % 17);
            series.AppendHighLow(i, high, high - 100 + 150 * std::cos(i / 3000.0));
        }
    }
    ~THighLowRig() { series.SetParentChart(nullptr); }
    void Frame() { chart->RenderTo(target.Canvas(), {0, 0, Width, Height}); }

    std::unique_ptr<TBenchChart, TFreeDeleter> chart{new TBenchChart(nullptr)};
    THighLowSeries series{nullptr};
    TBitmap target;
};

void BM_HighLowFrame(benchmark::State& state)
{
    StartChartBench();
    THighLowRig rig(static_cast<int>(state.range(0)));
    for (auto _ : state) rig.Frame();
    state.counters["polygons"] = rig.series.Polygons().Count();
}
BENCHMARK(BM_HighLowFrame)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One value per pixel column across the whole X range, as the band fill asks.
void BM_HighLowColumns(benchmark::State& state)
{
    StartChartBench();
    THighLowRig rig(static_cast<int>(state.range(0)));
    const bool bisection = state.range(1) != 0;
    const double last = rig.series.XValues()->LastEntry();
    for (auto _ : state) {
        double sum = 0;
        for (int px = 0; px < Width; ++px) sum += rig.series.InterpolateBy(true, last * px / Width, bisection);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(BM_HighLowColumns)->Args({100000, 1})->Args({100000, 0})->Unit(benchmark::kMillisecond);

}  // namespace
