// Mouse moves over a 10,000-point line chart with a cross-hair that follows the mouse and a
// colour line: the cursor drawn with the inverting pen over the kept picture, and the full
// repaint of every move; both canvases.
#include <benchmark/benchmark.h>

#include "ChartBench.h"

#include <cmath>

#include "chart/canvas/Canvas3D.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartAxis.h"
#include "chart/series/LineSeries.h"
#include "chart/tools/ColorLineTool.h"
#include "chart/tools/CursorTool.h"
#include "platform/forms/Forms.h"
#include "platform/forms/TestKit.h"

namespace {

// range(0): 0 the GDI-style canvas, 1 the antialiased one; range(1): 1 a full repaint per move.
void BM_CursorMouseMoves(benchmark::State& state)
{
    StartChartBench();
    TOwnedPtr<TForm> form(new TForm(nullptr));
    form->SetBounds(0, 0, 820, 620);
    auto* chart = new TChart(form.get());
    chart->SetParent(form.get());
    chart->SetBounds(0, 0, 800, 600);
    chart->SetView3D(false);
    chart->SetCanvasClassName(state.range(0) == 0 ? "TZebCanvas3D" : "TGDIPlusCanvas");
    auto* series = new TLineSeries(form.get());
    for (int i = 0; i < 10000; ++i) series->InsertXY(i, std::sin(i * 0.01) * 100 + i % 7);
    series->SetParentChart(chart);
    auto* cursor = new TCursorTool(form.get());
    cursor->SetFollowMouse(true);
    cursor->SetFullRepaint(state.range(1) == 1);
    cursor->SetParentChart(chart);
    auto* line = new TColorLineTool(form.get());
    line->SetParentChart(chart);
    line->SetAxis(chart->BottomAxis());
    line->SetValue(5000);
    form->Show();
    testkit::Pump();
    chart->Repaint();
    const TRect plot = chart->ChartRect();
    int step = 0;
    for (auto _ : state) {
        const int x = plot.Left + 10 + step % (plot.Width() - 20), y = plot.Top + 10 + (step * 3) % (plot.Height() - 20);
        ++step;
        testkit::MouseMove(*chart, x, y);
        chart->Update();
    }
    state.SetItemsProcessed(state.iterations());
    state.SetLabel(String(chart->Canvas3D()->ClassName()) + (state.range(1) ? " full repaint" : " inverted"));
}
BENCHMARK(BM_CursorMouseMoves)->Args({0, 0})->Args({0, 1})->Args({1, 0})->Args({1, 1})->Unit(benchmark::kMillisecond);

}  // namespace

