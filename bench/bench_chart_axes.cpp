// Value lists and axes as the main window uses them: values appended in order without end, the
// range read after every append, and the sliding bottom axis converting values to pixels. Cost
// per point must not grow with what is stored.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "BenchSeries.h"
#include "ChartBench.h"
#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/ZebFont.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/AxisPens.h"
#include "chart/core/ChartSeries.h"
#include "platform/graphics/Bitmap.h"
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

// The bottom axis' range and 100 conversions, as one frame of the sliding chart needs.
void BM_SlidingAxisFrame(benchmark::State& state)
{
    StartChartBench();
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

// The main window's two axes for one frame: ranges from two series of state.range(0) points each,
// layout, labels, ticks and grid, drawn on the canvas class of state.range(1) (0: GDI-style,
// 1: antialiased) into a 697 x 377 bitmap.
void BM_MainWindowAxes(benchmark::State& state)
{
    StartChartBench();
    const auto points = static_cast<int>(state.range(0));
    std::unique_ptr<TBenchChart, TFreeDeleter> chart(new TBenchChart(nullptr));
    chart->SetBounds(0, 0, 697, 377);
    chart->SetView3D(false);
    chart->SetCanvasClassName(state.range(1) == 0 ? "TZebCanvas3D" : "TGDIPlusCanvas");
    TBenchSeries x(nullptr), y(nullptr);
    x.SetParentChart(chart.get());
    y.SetParentChart(chart.get());
    for (int i = 0; i < points; ++i) {
        x.Append(i, 60 * ((i % 200) / 100.0 - 1));
        y.Append(i, 40 * ((i % 300) / 150.0 - 1));
    }
    TChartAxis& left = *chart->LeftAxis();
    TChartAxis& bottom = *chart->BottomAxis();
    for (TChartAxis* axis : {&left, &bottom}) {
        axis->LabelsFont()->SetColor(clWhite);
        axis->Axis()->SetWidth(1);
    }
    left.ApplyRange(-90, 90);
    bottom.SetAutomaticMinimum(false);
    bottom.ComputeRange();
    if (bottom.Maximum() > 100) bottom.SetMinimum(bottom.Maximum() - 100);
    TBitmap target(697, 377, pf24bit);
    TCanvas3D& canvas = *chart->Canvas3D();
    const TRect bounds{0, 0, 697, 377};
    for (auto _ : state) {
        canvas.PrepareView(target.Canvas(), chart->View3DOptions(), clBlack, false, bounds);
        TRect r{20, 15, 677, 362};
        for (TChartAxis* axis : {&left, &bottom}) {
            axis->ComputeRange();
            axis->CalcRect(r, true);
        }
        chart->SetChartRect(r);
        chart->NormalizeChartRect();
        for (TChartAxis* axis : {&left, &bottom}) {
            axis->ComputePixelBounds();
            axis->ComputeRange();
        }
        for (TChartAxis* axis : {&left, &bottom}) axis->Draw(true);
        benchmark::DoNotOptimize(bottom.TickPositions().data());
    }
    x.SetParentChart(nullptr);
    y.SetParentChart(nullptr);
}
BENCHMARK(BM_MainWindowAxes)
    ->ArgsProduct({{300, 1000000}, {0, 1}})
    ->ArgNames({"points", "antialiased"})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
