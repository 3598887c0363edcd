// Calculation functions over a million source points: ms per recalculation of the output.
#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "ChartBench.h"
#include "chart/core/ChartSeries.h"
#include "chart/functions/DownSampling.h"
#include "chart/functions/HistogramFunction.h"
#include "chart/functions/MovingAverages.h"

namespace {
constexpr int SourcePoints = 1'000'000;

// A source of a million points (a slow wave with a fast ripple) and an output fed by it.
struct TFunctionRig {
    TComponent owner{nullptr};
    TThemedSeries* source = new TThemedSeries(&owner);
    TThemedSeries* output = new TThemedSeries(&owner);

    TFunctionRig()
    {
        std::vector<double> x(SourcePoints), y(SourcePoints);
        for (int i = 0; i < SourcePoints; ++i) {
            x[static_cast<size_t>(i)] = i;
            y[static_cast<size_t>(i)] = std::sin(i * 1e-4) * 1000 + std::sin(i * 0.37) * 5;
        }
        source->AppendXYValues(x, y);
    }
    void Attach(TZebFunction* f)
    {
        output->AttachFunction(f);
        output->SetDataSource(source);
    }
};

void run(benchmark::State& state, TFunctionRig& rig)
{
    for (auto _ : state) {
        rig.output->RefreshData();
        benchmark::DoNotOptimize(rig.output->Count());
    }
    state.counters["output points"] = rig.output->Count();
}

void BM_DownSamplingMinMaxFirstLast(benchmark::State& state)
{
    StartChartBench();
    TFunctionRig rig;
    auto* f = new TDownSamplingFunction(&rig.owner);
    f->SetDownSampleMethod(dsMinMaxFirstLast);
    f->SetDisplayedPointCount(1000);
    rig.Attach(f);
    run(state, rig);
}
BENCHMARK(BM_DownSamplingMinMaxFirstLast)->Unit(benchmark::kMillisecond);

void BM_DownSamplingDouglasPeucker(benchmark::State& state)
{
    StartChartBench();
    TFunctionRig rig;
    auto* f = new TDownSamplingFunction(&rig.owner);
    f->SetTolerance(10);  // above the ripple: the wave in a few hundred points
    rig.Attach(f);
    run(state, rig);
}
BENCHMARK(BM_DownSamplingDouglasPeucker)->Unit(benchmark::kMillisecond);

void BM_MovingAverage100(benchmark::State& state)
{
    StartChartBench();
    TFunctionRig rig;
    auto* f = new TMovingAverageFunction(&rig.owner);
    f->SetPeriod(100);
    rig.Attach(f);
    run(state, rig);
}
BENCHMARK(BM_MovingAverage100)->Unit(benchmark::kMillisecond);

void BM_ExpMovingAverage(benchmark::State& state)
{
    StartChartBench();
    TFunctionRig rig;
    rig.Attach(new TExpMovAveFunction(&rig.owner));
    run(state, rig);
}
BENCHMARK(BM_ExpMovingAverage)->Unit(benchmark::kMillisecond);

void BM_HistogramFunction(benchmark::State& state)
{
    StartChartBench();
    TFunctionRig rig;
    rig.Attach(new THistogramFunction(&rig.owner));
    run(state, rig);
}
BENCHMARK(BM_HistogramFunction)->Unit(benchmark::kMillisecond);
}  // namespace
