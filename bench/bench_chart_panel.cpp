// The chart panel at the main window's size and look with an empty chart: a whole render pass,
// the background alone (a pass that leaves the window untouched), and a repaint from a valid
// off-screen buffer.
#include <benchmark/benchmark.h>

#include "ChartBench.h"

#include <cstdlib>
#include <memory>

#include "chart/canvas/Canvas3D.h"
#include "chart/canvas/Gradient.h"
#include "chart/core/EngineStartup.h"
#include "chart/core/ZebPanelExtended.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {

// A chart without axes or series: only the panel background, as the chart draws it.
class TEmptyChart : public TCustomZebPanelExtended {
public:
    using TCustomZebPanelExtended::TCustomZebPanelExtended;
    void DrawChart(const TRect& rect) override
    {
        if (!Canvas3D()->IsTrue3D()) PaintPanelBackground(rect);
    }
};

std::unique_ptr<TEmptyChart, TFreeDeleter> MainWindowChart(const char* canvasClass)
{
    StartChartBench();
    std::unique_ptr<TEmptyChart, TFreeDeleter> chart(new TEmptyChart(nullptr));
    chart->SetCanvasClassName(canvasClass);
    chart->SetBounds(0, 0, 697, 377);
    chart->SetColor(clSilver);
    chart->SetView3D(false);
    TZebGradient& g = *chart->Gradient();
    g.SetDirection(gdBottomTop);
    g.SetStartColor(clBlack);
    g.SetMidColor(clNavy);
    g.SetEndColor(clBlack);
    g.SetBalance(74);
    g.SetVisible(true);
    return chart;
}

const char* CanvasClass(const benchmark::State& state)
{
    return state.range(0) == 0 ? "TZebCanvas3D" : "TGDIPlusCanvas";
}

void SetLabel(benchmark::State& state, TEmptyChart& chart) { state.SetLabel(chart.Canvas3D()->ClassName()); }

// Invalidate and paint: prepare, background, copy of the buffer to the window.
void BM_FullRenderPass(benchmark::State& state)
{
    auto chart = MainWindowChart(CanvasClass(state));
    TBitmap window(697, 377, pf32bit);
    for (auto _ : state) {
        chart->Invalidate();
        chart->PaintTo(*window.Canvas(), 0, 0);
    }
    SetLabel(state, *chart);
}
BENCHMARK(BM_FullRenderPass)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The pass without the copy to the window: preparing the canvas and the background.
void BM_BackgroundPass(benchmark::State& state)
{
    auto chart = MainWindowChart(CanvasClass(state));
    TBitmap window(697, 377, pf32bit);
    chart->SetMeasuringPass(true);
    for (auto _ : state) chart->RenderTo(window.Canvas(), chart->GetPanelRect());
    SetLabel(state, *chart);
}
BENCHMARK(BM_BackgroundPass)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// A paint with nothing changed: one copy of the buffer.
void BM_RepaintFromValidBuffer(benchmark::State& state)
{
    auto chart = MainWindowChart(CanvasClass(state));
    TBitmap window(697, 377, pf32bit);
    chart->PaintTo(*window.Canvas(), 0, 0);
    for (auto _ : state) chart->PaintTo(*window.Canvas(), 0, 0);
    SetLabel(state, *chart);
}
BENCHMARK(BM_RepaintFromValidBuffer)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// The copy alone: the canvas's buffer onto a bitmap of the window's size.
void BM_BufferCopy(benchmark::State& state)
{
    auto chart = MainWindowChart(CanvasClass(state));
    TBitmap window(697, 377, pf32bit);
    chart->RenderTo(window.Canvas(), chart->GetPanelRect());
    TCanvas3D& canvas = *chart->Canvas3D();
    canvas.BindCanvas(window.Canvas());
    for (auto _ : state) canvas.RepaintFromBuffer();
    SetLabel(state, *chart);
}
BENCHMARK(BM_BufferCopy)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
