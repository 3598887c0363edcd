// Frames of a surface on an 800 x 600 antialiased chart: grids from 50 x 50 to 500 x 500 cells
// drawn in loop order (every cell in row order) and in sorted order (cells sorted by depth), at a
// rotation where both apply. The cost of a frame must grow with the cells drawn: about four times
// per doubled side.
#include <benchmark/benchmark.h>

#include <memory>

#include "ChartBench.h"
#include "chart/canvas/View3DOptions.h"
#include "chart/core/Chart.h"
#include "chart/series_ext/grid3d/SurfaceSeries.h"
#include "platform/graphics/Bitmap.h"

namespace {

constexpr int Width = 800, Height = 600;

struct TSurfaceRig {
    TSurfaceRig(int side, bool sorted) : target(Width, Height, pf24bit)
    {
        chart->SetBounds(0, 0, Width, Height);
        chart->SetCanvasClassName("TGDIPlusCanvas");
        chart->SetView3D(true);
        chart->View3DOptions()->SetOrthogonal(false);
        chart->View3DOptions()->SetRotation(345);
        chart->View3DOptions()->SetElevation(340);
        chart->View3DOptions()->SetPerspective(0);
        series.SetParentChart(chart.get());
        series.SetHideCells(sorted);
        series.SampleMode = true;
        series.BuildGrid(side, side);
    }
    ~TSurfaceRig() { series.SetParentChart(nullptr); }
    void Frame() { chart->RenderTo(target.Canvas(), {0, 0, Width, Height}); }

    std::unique_ptr<TChart, TFreeDeleter> chart{new TChart(nullptr)};
    TSurfaceSeries series{nullptr};
    TBitmap target;
};

// range(0): cells per side; range(1): 1 sorted order, 0 loop order.
void BM_SurfaceFrame(benchmark::State& state)
{
    StartChartBench();
    TSurfaceRig rig(static_cast<int>(state.range(0)), state.range(1) != 0);
    for (auto _ : state) rig.Frame();
    state.counters["sorted"] = rig.series.LastDrawSorted();
}
BENCHMARK(BM_SurfaceFrame)
    ->ArgsProduct({{50, 100, 200, 500}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
