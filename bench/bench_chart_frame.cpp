// Whole chart frames as the live viewer draws them: two series drawing a segment per visible point,
// the bottom axis showing the newest 300 points, the left axis automatic. A frame must cost what is
// in view, not what is stored; appending a point and drawing a frame must stay flat as the run grows.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "BenchSeries.h"
#include "ChartBench.h"
#include "chart/core/ChartAxis.h"
#include "platform/graphics/Bitmap.h"

namespace {

constexpr int Width = 700, Height = 400, Newest = 300;

double WaveX(int i) { return 60 * ((i % 200) / 100.0 - 1); }
double WaveY(int i) { return 40 * ((i % 300) / 150.0 - 1); }

// The chart of the live viewer with two series of points each, on the canvas of antialiased.
struct TFrameRig {
    TFrameRig(int points, bool antialiased) : target(Width, Height, pf24bit)
    {
        chart->SetBounds(0, 0, Width, Height);
        chart->SetView3D(false);
        chart->SetCanvasClassName(antialiased ? "TGDIPlusCanvas" : "TZebCanvas3D");
        for (TBenchLineSeries* s : {&x, &y}) s->SetParentChart(chart.get());
        for (int i = 0; i < points; ++i) Append();
        chart->BottomAxis()->SetAutomaticMinimum(false);
        Follow();
    }
    ~TFrameRig()
    {
        for (TBenchLineSeries* s : {&x, &y}) s->SetParentChart(nullptr);
    }
    void Append()
    {
        const int i = x.Count();
        x.Append(i, WaveX(i));
        y.Append(i, WaveY(i));
    }
    // The bottom axis shows the newest points, as the main window moves it.
    void Follow()
    {
        TChartAxis& bottom = *chart->BottomAxis();
        bottom.ComputeRange();
        bottom.SetMinimum(std::max(0, x.Count() - Newest));
    }
    void Frame() { chart->RenderTo(target.Canvas(), {0, 0, Width, Height}); }

    std::unique_ptr<TBenchChart, TFreeDeleter> chart{new TBenchChart(nullptr)};
    TBenchLineSeries x{nullptr}, y{nullptr};
    TBitmap target;
};

void BM_Frame(benchmark::State& state)
{
    StartChartBench();
    TFrameRig rig(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) rig.Frame();
    state.counters["visible"] = rig.x.LastVisibleIndex() - rig.x.FirstVisibleIndex() + 1;
}
BENCHMARK(BM_Frame)
    ->ArgsProduct({{300, 10000, 1000000}, {0, 1}})
    ->ArgNames({"stored", "antialiased"})
    ->Unit(benchmark::kMicrosecond);

// One point appended to each series, then a frame, with state.range(0) points stored before.
void BM_AppendThenFrame(benchmark::State& state)
{
    StartChartBench();
    TFrameRig rig(static_cast<int>(state.range(0)), false);
    for (auto _ : state) {
        rig.Append();
        rig.Follow();
        rig.Frame();
    }
}
BENCHMARK(BM_AppendThenFrame)
    ->Arg(1000)
    ->Arg(100000)
    ->Arg(999000)
    ->ArgName("stored")
    ->Iterations(1000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
