// The live path of the main window: one point per reading appended to each of two series of a
// chart with auto-repaint on, a million readings long. An append must cost the same at the end
// as at the start and hold little more than its two values.
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <vector>

#include "ChartBench.h"
#include "HeapCount.h"
#include "chart/core/ChartSeries.h"

namespace {

constexpr int Readings = 1'000'000;
constexpr int Window = 100'000;

using Clock = std::chrono::steady_clock;

double nsPerAppend(Clock::duration d, int appends)
{
    return static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(d).count()) / appends;
}

struct TAppendTimes {
    double first = 0, last = 0;  // ns per append over the first and the last Window readings
};

// Runs appendReading(i) for every reading, two appends each.
template <class F>
TAppendTimes timeReadings(F appendReading)
{
    TAppendTimes t;
    Clock::time_point start = Clock::now();
    for (int i = 0; i < Readings; ++i) {
        if (i == Window) t.first = nsPerAppend(Clock::now() - start, 2 * Window);
        if (i == Readings - Window) start = Clock::now();
        appendReading(i);
    }
    t.last = nsPerAppend(Clock::now() - start, 2 * Window);
    return t;
}

void report(benchmark::State& state, const TAppendTimes& t, double bytesPerPoint)
{
    state.SetItemsProcessed(state.iterations() * 2 * Readings);
    state.counters["first_ns"] = t.first;
    state.counters["last_ns"] = t.last;
    state.counters["last_vs_first"] = t.last / t.first;
    state.counters["bytes_per_point"] = bytesPerPoint;
}

// A sensor-like reading: slow swing with a little noise.
double reading(int i, int axis) { return 40.0 * ((i + axis * 77) % 300) / 150.0 - 40.0 + (i % 7) * 0.01; }

// state.range(0): 0 plain, 1 the first series feeds a copying series, 2 both series' X and Y
// ranges read after every append (a frame's axis query).
void BM_AppendTwoSeries(benchmark::State& state)
{
    StartChartBench();
    const auto mode = state.range(0);
    TAppendTimes times;
    double bytesPerPoint = 0;
    for (auto _ : state) {
        std::unique_ptr<TBenchChart, TFreeDeleter> chart(new TBenchChart(nullptr));
        chart->SetAutoRepaint(true);
        std::unique_ptr<TComponent, TFreeDeleter> owner(new TComponent(nullptr));
        auto* x = new TThemedSeries(owner.get());
        auto* y = new TThemedSeries(owner.get());
        x->SetParentChart(chart.get());
        y->SetParentChart(chart.get());
        if (mode == 1) {
            auto* copy = new TThemedSeries(owner.get());
            copy->SetParentChart(chart.get());
            copy->SetDataSource(x);
        }
        const std::int64_t empty = HeapLiveBytes();
        double sink = 0;
        times = timeReadings([&](int i) {
            x->AppendValue(reading(i, 0));
            y->AppendValue(reading(i, 1));
            if (mode == 2)
                for (TChartSeries* s : {x, y})
                    sink += s->XValues()->Lowest() + s->XValues()->Highest() + s->YValues()->Lowest() +
                            s->YValues()->Highest();
        });
        benchmark::DoNotOptimize(sink);
        // The two plotted series' points (a copying series holds its own on top).
        bytesPerPoint = static_cast<double>(HeapLiveBytes() - empty) / (2.0 * Readings);
    }
    report(state, times, bytesPerPoint);
}
BENCHMARK(BM_AppendTwoSeries)->Arg(0)->Arg(1)->Arg(2)->Iterations(3)->Unit(benchmark::kMillisecond);

// The same readings into two std::vector<double>: the floor of an append.
void BM_AppendTwoVectors(benchmark::State& state)
{
    TAppendTimes times;
    double bytesPerPoint = 0;
    for (auto _ : state) {
        const std::int64_t empty = HeapLiveBytes();
        std::vector<double> x, y;
        times = timeReadings([&](int i) {
            x.push_back(reading(i, 0));
            y.push_back(reading(i, 1));
        });
        benchmark::DoNotOptimize(x.data());
        benchmark::DoNotOptimize(y.data());
        bytesPerPoint = static_cast<double>(HeapLiveBytes() - empty) / (2.0 * Readings);
    }
    report(state, times, bytesPerPoint);
}
BENCHMARK(BM_AppendTwoVectors)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
