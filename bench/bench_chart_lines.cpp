// Frames of the main window's chart with its two line series (2-pixel pens): 1,000,000 points
// stored with the newest 300 in view, and 100,000 all in view, on both canvases; and the cost of
// one appended reading (a point to each series and the bottom axis slid) as the run grows.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "ChartBench.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/ChartAxis.h"
#include "chart/series/LineSeries.h"
#include "platform/graphics/Bitmap.h"

namespace {

constexpr int Width = 697, Height = 377;

double WaveX(int i) { return 900 * ((i % 200) / 100.0 - 1) + 500; }
double WaveY(int i) { return 700 * ((i % 300) / 150.0 - 1) + 500; }

struct TLinesRig {
    TLinesRig(int points, int inView, bool antialiased) : view(inView), target(Width, Height, pf24bit)
    {
        chart->SetBounds(0, 0, Width, Height);
        chart->SetView3D(false);
        chart->SetCanvasClassName(antialiased ? "TGDIPlusCanvas" : "TZebCanvas3D");
        for (TLineSeries* s : {&x, &y}) {
            s->SetParentChart(chart.get());
            s->LinePen()->SetWidth(2);
        }
        x.SetSeriesColor(static_cast<TColor>(0x8000FF));
        y.SetSeriesColor(static_cast<TColor>(4259584));
        for (int i = 0; i < points; ++i) Append();
        TChartAxis& left = *chart->LeftAxis();
        left.SetAutomatic(false);
        left.ApplyRange(-1000, 2000);
        chart->BottomAxis()->SetAutomatic(false);
        Follow();
    }
    ~TLinesRig()
    {
        for (TLineSeries* s : {&x, &y}) s->SetParentChart(nullptr);
    }
    void Append()
    {
        const int i = x.Count();
        x.AppendValue(WaveX(i));
        y.AppendValue(WaveY(i));
    }
    // The bottom axis shows the newest points, as the main window slides it.
    void Follow()
    {
        const int count = x.Count();
        chart->BottomAxis()->ApplyRange(std::max(0, count - view), std::max(count, view));
    }
    void Frame() { chart->RenderTo(target.Canvas(), {0, 0, Width, Height}); }

    int view;
    std::unique_ptr<TBenchChart, TFreeDeleter> chart{new TBenchChart(nullptr)};
    TLineSeries x{nullptr}, y{nullptr};
    TBitmap target;
};

void BM_LinesFrame(benchmark::State& state)
{
    StartChartBench();
    const int stored = static_cast<int>(state.range(0));
    const int view = static_cast<int>(state.range(1));
    TLinesRig rig(stored, view, state.range(2) != 0);
    for (auto _ : state) rig.Frame();
    state.counters["visible"] = rig.x.LastVisibleIndex() - rig.x.FirstVisibleIndex() + 1;
}
BENCHMARK(BM_LinesFrame)
    ->Args({1000000, 300, 0})
    ->Args({1000000, 300, 1})
    ->Args({10000, 300, 0})
    ->Args({100000, 300, 0})
    ->Args({100000, 100000, 0})
    ->Args({100000, 100000, 1})
    ->ArgNames({"stored", "view", "antialiased"})
    ->Unit(benchmark::kMicrosecond);

// One reading: a point appended to each series and the bottom axis slid, no frame.
void BM_LinesAppend(benchmark::State& state)
{
    StartChartBench();
    TLinesRig rig(static_cast<int>(state.range(0)), 300, false);
    for (auto _ : state) {
        rig.Append();
        rig.Follow();
    }
}
BENCHMARK(BM_LinesAppend)->Arg(1000)->Arg(1000000)->ArgName("stored")->Iterations(20000)->Unit(benchmark::kNanosecond);

}  // namespace
