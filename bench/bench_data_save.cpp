// "Data Save" of the main window's chart: the export dialog's Data page saving two series of a
// million points each, as comma-separated text and as a workbook, the save dialog answered in
// code. Time, the peak of the counted heap during the save (the chart itself excluded) and how much
// the data segment grew.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "ChartBench.h"
#include "HeapCount.h"
#include "chart/core/Chart.h"
#include "chart/editor/ExportForm.h"
#include "chart/io/ExcelSource.h"
#include "chart/series/LineSeries.h"
#include "chart/series/StandardSeriesUnit.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/RadioGroup.h"
#include "platform/system/ProcessMemory.h"

namespace {

void saveData(benchmark::State& state, bool workbook)
{
    StartChartBench();
    static const bool units = (StartStandardSeriesUnits(), StartExcelSourceUnit(), true);
    (void)units;
    const int n = static_cast<int>(state.range(0));
    TOwnedPtr<TComponent> root(new TComponent(nullptr));
    auto* chart = new TChart(root.get());
    chart->SetBounds(0, 0, 697, 376);
    for (int k = 0; k < 2; ++k) {
        auto* series = new TLineSeries(root.get());
        series->SetParentChart(chart);
        std::vector<double> values(static_cast<std::size_t>(n));
        for (int i = 0; i < n; ++i)
            values[static_cast<std::size_t>(i)] = std::round(std::sin(i * 0.001) * 4500) / 100 + k;
        series->AppendValues(values);
    }
    const std::string file = (std::filesystem::temp_directory_path() /
                              (workbook ? "tv_bench_datasave.xlsx" : "tv_bench_datasave.csv"))
                                 .string();
    TDialogHandler old = SetDialogHandler([&](const TDialogRequest& r) {
        if (r.Kind != dkSaveDialog) return IDYES;
        *r.Value = file;
        *r.FilterIndex = workbook ? 9 : 3;
        return IDOK;
    });
    TOwnedPtr<TZebExportForm> dialog(new TZebExportForm(root.get()));
    dialog->SetChart(chart);
    dialog->Show();
    dialog->PageControl1->SetActivePage(dialog->TabData);
    if (workbook) {
        dialog->RGText->SetItemIndex(3);
        dialog->RGExcelVers->SetItemIndex(1);
    }
    std::int64_t peak = 0, grown = 0;
    for (auto _ : state) {
        const std::int64_t before = HeapLiveBytes();
        const std::int64_t data = ProcessDataBytes();
        ResetHeapPeak();
        dialog->BSave->Click();
        peak = std::max(peak, HeapPeakBytes() - before);
        // The workbook library allocates outside the counted heap: the data segment shows it.
        grown = std::max(grown, ProcessDataBytes() - data);
    }
    SetDialogHandler(old);
    state.counters["peak_MB"] = static_cast<double>(peak) / 1e6;
    state.counters["data_grown_MB"] = static_cast<double>(grown) / 1e6;
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
    std::filesystem::remove(file);
}

void BM_DataSaveCsv(benchmark::State& state) { saveData(state, false); }
void BM_DataSaveWorkbook(benchmark::State& state) { saveData(state, true); }

}  // namespace

BENCHMARK(BM_DataSaveCsv)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_DataSaveWorkbook)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(2);
