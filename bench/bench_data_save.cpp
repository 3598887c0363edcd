// "Data Save" of the main window's chart: the export dialog's Data page saving two series of a
// million points each, as comma-separated text and as a workbook, the save dialog answered in
// code. Time, the peak of the counted heap during the save (the chart itself excluded) and how much
// the data segment grew. Beside each save, the plain loop that writes the same thing: the text
// with std::to_chars (15 significant digits) into a buffered file, which must give the same bytes;
// the workbook through the workbook library's constant-memory writer, cell by cell.
#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
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

// The values of series k (0 or 1) as the saves below hold them.
std::vector<double> seriesValues(int n, int k)
{
    std::vector<double> values(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) values[static_cast<std::size_t>(i)] = std::round(std::sin(i * 0.001) * 4500) / 100 + k;
    return values;
}

std::string tempFile(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

// What "Data Save" writes as comma-separated text, in a plain loop.
void writePlainCsv(const std::vector<double>& a, const std::vector<double>& b, const std::string& file)
{
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::fopen(file.c_str(), "wb"), &std::fclose);
    static char buffer[1 << 16];
    std::setvbuf(out.get(), buffer, _IOFBF, sizeof buffer);
    std::fputs("Series1,Series2\r\n", out.get());
    char row[64];
    for (std::size_t i = 0; i < a.size(); ++i) {
        char* p = std::to_chars(row, row + 30, a[i], std::chars_format::general, 15).ptr;
        *p++ = ',';
        p = std::to_chars(p, p + 30, b[i], std::chars_format::general, 15).ptr;
        *p++ = '\r';
        *p++ = '\n';
        std::fwrite(row, 1, static_cast<std::size_t>(p - row), out.get());
    }
    std::fputs("\r\n", out.get());
}

// The same cells through the workbook library's constant-memory writer.
void writePlainWorkbook(const std::vector<double>& a, const std::vector<double>& b, const std::string& file)
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(file.c_str(), &options);
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, nullptr);
    worksheet_write_string(sheet, 0, 0, "Series1", nullptr);
    worksheet_write_string(sheet, 0, 1, "Series2", nullptr);
    for (std::size_t i = 0; i < a.size(); ++i) {
        worksheet_write_number(sheet, static_cast<lxw_row_t>(i + 1), 0, a[i], nullptr);
        worksheet_write_number(sheet, static_cast<lxw_row_t>(i + 1), 1, b[i], nullptr);
    }
    workbook_close(workbook);
}

std::string fileBytes(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

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
        series->AppendValues(seriesValues(n, k));
    }
    const std::string file = tempFile(workbook ? "tv_bench_datasave.xlsx" : "tv_bench_datasave.csv");
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
    if (!workbook) {
        const std::string plain = tempFile("tv_bench_datasave_plain.csv");
        writePlainCsv(seriesValues(n, 0), seriesValues(n, 1), plain);
        if (fileBytes(plain) != fileBytes(file)) state.SkipWithError("the save and the plain loop wrote different bytes");
        std::filesystem::remove(plain);
    }
    std::filesystem::remove(file);
}

void plainLoop(benchmark::State& state, bool workbook)
{
    const int n = static_cast<int>(state.range(0));
    const std::vector<double> a = seriesValues(n, 0), b = seriesValues(n, 1);
    const std::string file = tempFile(workbook ? "tv_bench_plain.xlsx" : "tv_bench_plain.csv");
    for (auto _ : state) {
        if (workbook)
            writePlainWorkbook(a, b, file);
        else
            writePlainCsv(a, b, file);
    }
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(file)) / 1e6;
    std::filesystem::remove(file);
}

void BM_DataSaveCsv(benchmark::State& state) { saveData(state, false); }
void BM_DataSaveWorkbook(benchmark::State& state) { saveData(state, true); }
void BM_PlainLoopCsv(benchmark::State& state) { plainLoop(state, false); }
void BM_PlainLoopWorkbook(benchmark::State& state) { plainLoop(state, true); }

}  // namespace

BENCHMARK(BM_DataSaveCsv)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_PlainLoopCsv)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_DataSaveWorkbook)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_PlainLoopWorkbook)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->Iterations(2);
