// The smoothing function's interpolating solve as its source grows (time and peak heap), beside
// the dense elimination it replaced, and a series' stored "Data" of a million points written and
// read back.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "ChartBench.h"
#include "HeapCount.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/ZebSpline.h"
#include "platform/rtl/Streams.h"
#include "tests/chart/support/DenseSplineSolve.h"

namespace {

class TBenchSeries : public TChartSeries {
public:
    using TChartSeries::TChartSeries;
};

void fillSource(TChartSeries& series, int n)
{
    TPointUpdateBlock block(series);
    for (int i = 0; i < n; ++i) series.InsertXY(i, std::sin(i * 0.01) * 100 + (i % 13));
}

// The whole smoothing of a source of state.range(0) points: spline, solve, 601 samples.
void BM_SmoothingInterpolate(benchmark::State& state)
{
    StartChartBench();
    const int n = static_cast<int>(state.range(0));
    TBenchChart chart(nullptr);
    TBenchSeries source(nullptr), output(nullptr);
    source.SetParentChart(&chart);
    output.SetParentChart(&chart);
    fillSource(source, n);
    auto* function = new TSmoothingFunction(nullptr);
    output.AttachFunction(function);
    std::int64_t peak = 0;
    for (auto _ : state) {
        const std::int64_t before = HeapLiveBytes();
        ResetHeapPeak();
        function->RecomputeFrom(&source);
        peak = std::max(peak, HeapPeakBytes() - before);
        benchmark::DoNotOptimize(output.Count());
    }
    state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
    state.SetComplexityN(n);
}
BENCHMARK(BM_SmoothingInterpolate)->Arg(1'000)->Arg(20'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Complexity();

// The dense elimination of the same 1,000-point system.
void BM_SmoothingDenseSolve(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    std::vector<T2DPoint> vertices(static_cast<size_t>(n) + 1);
    for (int i = 1; i <= n; ++i) vertices[static_cast<size_t>(i)] = {double(i), std::sin(i * 0.01) * 100 + (i % 13)};
    std::int64_t peak = 0;
    for (auto _ : state) {
        const std::int64_t before = HeapLiveBytes();
        ResetHeapPeak();
        benchmark::DoNotOptimize(DenseSplineSolve(vertices, n));
        peak = std::max(peak, HeapPeakBytes() - before);
    }
    state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
}
BENCHMARK(BM_SmoothingDenseSolve)->Arg(1'000)->Unit(benchmark::kMillisecond);

constexpr int DataPoints = 1'000'000;

void BM_WriteData(benchmark::State& state)
{
    StartChartBench();
    TBenchSeries series(nullptr);
    fillSource(series, DataPoints);
    for (auto _ : state) {
        TMemoryStream stream;
        series.WriteDataBinary(stream);
        benchmark::DoNotOptimize(stream.Size());
    }
}
BENCHMARK(BM_WriteData)->Unit(benchmark::kMillisecond);

void BM_ReadData(benchmark::State& state)
{
    StartChartBench();
    TBenchSeries written(nullptr), read(nullptr);
    fillSource(written, DataPoints);
    TMemoryStream stream;
    written.WriteDataBinary(stream);
    for (auto _ : state) {
        stream.SetPosition(0);
        read.ReadDataBinary(stream);
        benchmark::DoNotOptimize(read.Count());
    }
}
BENCHMARK(BM_ReadData)->Unit(benchmark::kMillisecond);

}  // namespace
