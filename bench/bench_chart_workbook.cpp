// A series written as a new .xlsx workbook and read back, as the point count grows. peak_MB counts
// the exporter's own heap; the workbook library allocates outside it, so the whole process's peak
// is read beside (/usr/bin/time -v, one argument at a time): it should not grow with the rows,
// since the writer sends each row out as the next begins.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "ChartBench.h"
#include "HeapCount.h"
#include "chart/core/ChartSeries.h"
#include "chart/io/ExcelExport.h"
#include "chart/io/ExcelSource.h"
#include "platform/system/Workbook.h"

namespace {

class TBenchSeries : public TChartSeries {
public:
    using TChartSeries::TChartSeries;
};

std::string BenchFile() { return "/tmp/tv_bench_workbook_" + std::to_string(getpid()) + ".xlsx"; }

// A chart with one series of n points.
struct TBenchBook {
    explicit TBenchBook(int n)
    {
        series.SetParentChart(&chart);
        std::vector<double> ys(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i) ys[static_cast<std::size_t>(i)] = std::sin(i * 0.01) * 100;
        series.AppendValues(ys);
    }
    bool started = (StartChartBench(), true);  // before the chart: the window layer comes first
    TBenchChart chart{nullptr};
    TBenchSeries series{nullptr};
};

void BM_WorkbookExport(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    TBenchBook book(n);
    std::int64_t peak = 0;
    for (auto _ : state) {
        const std::int64_t before = HeapLiveBytes();
        ResetHeapPeak();
        TZebExcelExport excel(&book.chart, &book.series);
        excel.SetIncludeHeader(true);
        excel.SetIncludeIndex(true);
        excel.SetFileName(BenchFile());
        excel.Export();
        peak = std::max(peak, HeapPeakBytes() - before);
    }
    std::remove(BenchFile().c_str());
    state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
    state.SetComplexityN(n);
}
BENCHMARK(BM_WorkbookExport)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1)->Complexity();

// The source reading one column of the same workbook back into a series.
void BM_WorkbookSource(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    TBenchBook book(n);
    TZebExcelExport excel(&book.chart, &book.series);
    excel.SetFileName(BenchFile());
    excel.Export();
    TZebExcelSource source(nullptr);
    source.SetSeries(&book.series);
    source.SetFileName(BenchFile());
    source.SetWorkSheet("1");
    source.SetRangeFrom("A1");
    source.SetRangeTo(ExcelColumnName(1) + std::to_string(n));
    for (auto _ : state) {
        source.LoadSource();
        benchmark::DoNotOptimize(book.series.Count());
    }
    std::remove(BenchFile().c_str());
    state.SetComplexityN(n);
}
BENCHMARK(BM_WorkbookSource)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(1)->Complexity();

}  // namespace
