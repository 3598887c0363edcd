// The main window's chart as a whole: TChart on the antialiased canvas at its stored size, with
// its title, bottom legend and walls, beside the same chart without legend and title, and with a
// bottom legend of values. A frame must cost what is in view: 1,000,000 stored points within 10 %
// of 300.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

#include "BenchSeries.h"
#include "ChartBench.h"
#include "chart/canvas/Gradient.h"
#include "chart/canvas/ZebBrush.h"
#include "chart/canvas/ZebFont.h"
#include "chart/canvas/ZebPen.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartTitles.h"
#include "chart/core/ChartWalls.h"
#include "chart/core/Legend.h"
#include "platform/graphics/Bitmap.h"

namespace {

constexpr int Width = 697, Height = 377, Newest = 300;

enum TSurroundings { sNone, sMainWindow, sValueLegend };

struct TChartRig {
    TChartRig(int points, TSurroundings surroundings) : target(Width, Height, pf24bit)
    {
        TChart& c = *chart;
        c.SetBounds(0, 0, Width, Height);
        c.SetView3D(false);
        c.SetCanvasClassName("TGDIPlusCanvas");
        c.SetColor(clSilver);
        c.Gradient()->SetVisible(true);
        c.BackWall()->SetTransparent(false);
        c.BackWall()->SetColor(clWhite);
        c.BackWall()->Pen()->SetColor(clSilver);
        x.SetTitle("X-Value");
        y.SetTitle("Y-Value");
        for (TBenchLineSeries* s : {&x, &y}) s->SetParentChart(&c);
        for (int i = 0; i < points; ++i) {
            x.Append(i, 60 * ((i % 200) / 100.0 - 1));
            y.Append(i, 40 * ((i % 300) / 150.0 - 1));
        }
        TChartLegend& legend = *c.Legend();
        legend.SetVisible(surroundings != sNone);
        if (surroundings != sNone) {
            c.Title()->Lines()->Add("Tilt");
            c.Title()->Font()->SetStyle(TFontStyles{fsBold});
            c.Title()->SetAutoSize(false);
            legend.SetAlignment(laBottom);
            legend.SetTopPos(0);
            legend.SetFontSeriesColor(true);
            legend.Brush()->Gradient()->SetStartColor(static_cast<TColor>(10814240));
            legend.Brush()->Gradient()->SetEndColor(static_cast<TColor>(16744576));
            legend.Brush()->Gradient()->SetVisible(true);
            legend.SetLegendStyle(surroundings == sValueLegend ? lsValues : lsSeries);
        }
        TChartAxis& bottom = *c.BottomAxis();
        bottom.SetAutomaticMinimum(false);
        bottom.ComputeRange();
        bottom.SetMinimum(std::max(0, points - Newest));
    }
    ~TChartRig()
    {
        for (TBenchLineSeries* s : {&x, &y}) s->SetParentChart(nullptr);
    }
    void Frame() { chart->RenderTo(target.Canvas(), {0, 0, Width, Height}); }

    std::unique_ptr<TChart, TFreeDeleter> chart{new TChart(nullptr)};
    TBenchLineSeries x{nullptr}, y{nullptr};
    TBitmap target;
};

void BM_ChartFrame(benchmark::State& state)
{
    StartChartBench();
    TChartRig rig(static_cast<int>(state.range(0)), static_cast<TSurroundings>(state.range(1)));
    for (auto _ : state) rig.Frame();
    state.counters["legendItems"] = rig.chart->Legend()->MeasuredCount();
}
BENCHMARK(BM_ChartFrame)
    ->ArgsProduct({{300, 1000000}, {sNone, sMainWindow, sValueLegend}})
    ->ArgNames({"stored", "surroundings"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
