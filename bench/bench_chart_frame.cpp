// Whole chart frames as the live viewer draws them: two series drawing a segment per visible point,
// the bottom axis showing the newest 300 points, the left axis automatic. A frame must cost what is
// in view, not what is stored; appending a point and drawing a frame must stay flat as the run grows.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "chart/canvas/Canvas3D.h"
#include "chart/core/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/EngineStartup.h"
#include "chart/core/ValueList.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Bitmap.h"

namespace {

struct Setup {
    Setup()
    {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        Application->Initialize();
        StartChartEngine();
    }
};

constexpr int Width = 700, Height = 400, Newest = 300;

class TBenchChart : public TCustomAxisPanel {
public:
    using TCustomAxisPanel::TCustomAxisPanel;
};

// First index whose X is not left of low, and the first at or beyond high (kept, as lines reach
// the edge), by bisection over the ascending X values.
void BisectVisible(const TChartValueList& x, double low, double high, int& first, int& last)
{
    const double* begin = x.Values();
    const double* end = begin + x.Count();
    first = static_cast<int>(std::lower_bound(begin, end, low) - begin);
    if (first == x.Count()) {
        first = last = -1;
        return;
    }
    last = std::min(static_cast<int>(std::lower_bound(begin + first, end, high) - begin), x.Count() - 1);
}

// The walk of the drawing loop as specified: forward from the first point, then from there on.
void WalkVisible(const TChartValueList& x, double low, double high, int& first, int& last)
{
    const double* v = x.Values();
    const int count = x.Count();
    first = 0;
    while (first < count && v[first] < low) ++first;
    if (first == count) {
        first = last = -1;
        return;
    }
    last = first;
    while (last < count - 1 && v[last] < high) ++last;
}

// A segment to every visible point, drawn through the chart canvas. The visible range is found by
// bisection here until the series base finds it itself.
class TBenchSeries : public TChartSeries {
public:
    using TChartSeries::TChartSeries;
    void Append(double x, double y)
    {
        XValues()->AddInOrder(x);
        YValues()->InsertAt(YValues()->Count(), y);
    }
    void FindVisibleRange() override
    {
        const TChartAxis& axis = *GetHorizAxis();
        int first = -1, last = -1;
        if (Count() > 0) BisectVisible(*XValues(), axis.WorkingMinimum(), axis.WorkingMaximum(), first, last);
        SetVisibleRange(first, last);
    }
    void DrawVisiblePoints() override
    {
        TCanvas3D& canvas = *ParentChart()->Canvas3D();
        const TChartAxis& h = *GetHorizAxis();
        const TChartAxis& v = *GetVertAxis();
        canvas.MoveTo(h.ValueToPixel(XValues()->ValueAt(FirstVisibleIndex())),
                      v.ValueToPixel(YValues()->ValueAt(FirstVisibleIndex())));
        for (int i = FirstVisibleIndex() + 1; i <= LastVisibleIndex(); ++i)
            canvas.LineTo(h.ValueToPixel(XValues()->ValueAt(i)), v.ValueToPixel(YValues()->ValueAt(i)));
    }
};

double WaveX(int i) { return 60 * ((i % 200) / 100.0 - 1); }
double WaveY(int i) { return 40 * ((i % 300) / 150.0 - 1); }

// The chart of the live viewer with two series of points each, on the canvas of antialiased.
struct TFrameRig {
    TFrameRig(int points, bool antialiased) : target(Width, Height, pf24bit)
    {
        chart->SetBounds(0, 0, Width, Height);
        chart->SetView3D(false);
        chart->SetCanvasClassName(antialiased ? "TGDIPlusCanvas" : "TZebCanvas3D");
        for (TBenchSeries* s : {&x, &y}) s->SetParentChart(chart.get());
        for (int i = 0; i < points; ++i) Append();
        chart->BottomAxis()->SetAutomaticMinimum(false);
        Follow();
    }
    ~TFrameRig()
    {
        for (TBenchSeries* s : {&x, &y}) s->SetParentChart(nullptr);
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
    TBenchSeries x{nullptr}, y{nullptr};
    TBitmap target;
};

void BM_Frame(benchmark::State& state)
{
    static Setup setup;
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
    static Setup setup;
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

// The visible run of the newest 300 of 1,000,000 ascending X values.
void BM_VisibleRange(benchmark::State& state)
{
    const int count = 1000000;
    TChartValueList x;
    x.SetOrder(loAscending);
    for (int i = 0; i < count; ++i) x.AddInOrder(i);
    const bool bisect = state.range(0) == 0;
    int first = 0, last = 0;
    for (auto _ : state) {
        if (bisect)
            BisectVisible(x, count - Newest - 0.5, count - 0.5, first, last);
        else
            WalkVisible(x, count - Newest - 0.5, count - 0.5, first, last);
        benchmark::DoNotOptimize(first + last);
    }
}
BENCHMARK(BM_VisibleRange)->Arg(0)->Arg(1)->ArgName("linear")->Unit(benchmark::kNanosecond);

}  // namespace
