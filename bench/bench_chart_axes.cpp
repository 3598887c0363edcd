// Value lists and axes as the main window uses them: values appended in order without end, the
// range read after every append, and the sliding bottom axis converting values to pixels. Cost
// per point must not grow with what is stored.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/EngineStartup.h"
#include "chart/core/ValueList.h"
#include "platform/forms/Forms.h"

namespace {

// Appends state.range(0) values in order, reading Highest and Lowest after each. "moved" counts
// the bytes copied when the storage grew.
void BM_AppendInOrder(benchmark::State& state)
{
    const auto points = static_cast<int>(state.range(0));
    double moved = 0;
    for (auto _ : state) {
        TChartValueList list;
        list.SetOrder(loAscending);
        const double* storage = list.Values();
        moved = 0;
        for (int i = 0; i < points; ++i) {
            list.AddInOrder(i);
            benchmark::DoNotOptimize(list.Highest() + list.Lowest());
            if (list.Values() != storage) {
                moved += static_cast<double>(i) * sizeof(double);
                storage = list.Values();
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * points);
    state.counters["moved_bytes"] = moved;
    state.counters["moved_per_point"] = moved / points;
}
BENCHMARK(BM_AppendInOrder)->RangeMultiplier(10)->Range(1000, 10000000)->Unit(benchmark::kMillisecond);

struct Setup {
    Setup()
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        Application->Initialize();
        StartChartEngine();
    }
};

class TBenchChart : public TCustomAxisPanel {
public:
    using TCustomAxisPanel::TCustomAxisPanel;
};

// The bottom axis' range and 100 conversions, as one frame of the sliding chart needs.
void BM_SlidingAxisFrame(benchmark::State& state)
{
    static Setup setup;
    std::unique_ptr<TBenchChart, TFreeDeleter> chart(new TBenchChart(nullptr));
    TChartAxis& bottom = *chart->BottomAxis();
    bottom.SetPixelBounds(40, 680);
    double first = 0;
    for (auto _ : state) {
        bottom.ApplyRange(first, first + 100);
        bottom.ComputeRange();
        int sum = 0;
        for (int i = 0; i <= 100; ++i) sum += bottom.ValueToPixel(first + i);
        benchmark::DoNotOptimize(sum);
        first += 1;
    }
}
BENCHMARK(BM_SlidingAxisFrame);

}  // namespace
