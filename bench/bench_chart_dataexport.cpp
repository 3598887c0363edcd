// Series data exports of two series of a million points each written to a file, per format: time,
// rows per second and the peak heap, which stays flat because the rows reach the file in pieces.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "ChartBench.h"
#include "HeapCount.h"
#include "chart/io/SeriesDataExport.h"
#include "chart/series/LineSeries.h"

namespace {

using TMake = std::function<std::unique_ptr<TSeriesData>(TCustomAxisPanel*)>;

// Two line series of n points, as the main window's chart holds them.
void fillChart(TBenchChart& chart, int n)
{
    for (int k = 0; k < 2; ++k) {
        auto* series = new TLineSeries(&chart);
        series->SetParentChart(&chart);
        std::vector<double> values(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) values[static_cast<std::size_t>(i)] = std::sin(i * 0.001) * 45 + k;
        series->AppendValues(values);
    }
}

void exportToFile(benchmark::State& state, const TMake& make)
{
    StartChartBench();
    const int n = static_cast<int>(state.range(0));
    TBenchChart chart(nullptr);
    fillChart(chart, n);
    const std::string file = (std::filesystem::temp_directory_path() / "tv_bench_dataexport.out").string();
    std::int64_t peak = 0;
    for (auto _ : state) {
        std::unique_ptr<TSeriesData> exporter = make(&chart);
        const std::int64_t before = HeapLiveBytes();
        ResetHeapPeak();
        exporter->WriteToFile(file);
        peak = std::max(peak, HeapPeakBytes() - before);
    }
    state.counters["rows_per_s"] = benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
    std::filesystem::remove(file);
}

void BM_ExportText(benchmark::State& state)
{
    exportToFile(state, [](TCustomAxisPanel* c) { return std::make_unique<TSeriesDataText>(c); });
}
void BM_ExportXML(benchmark::State& state)
{
    exportToFile(state, [](TCustomAxisPanel* c) { return std::make_unique<TSeriesDataXML>(c); });
}
void BM_ExportHTML(benchmark::State& state)
{
    exportToFile(state, [](TCustomAxisPanel* c) { return std::make_unique<TSeriesDataHTML>(c); });
}
void BM_ExportJSON(benchmark::State& state)
{
    exportToFile(state, [](TCustomAxisPanel* c) { return std::make_unique<TSeriesDataJSON>(c); });
}

}  // namespace

BENCHMARK(BM_ExportText)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportXML)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportHTML)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportJSON)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
