// Chart animations: the frame of a series animation on four bar series of 5,000 points each, and
// of a transform animation on the legend, on an 800 x 600 chart of the default (antialiased)
// canvas, flat (second argument 0) and in 3-D (1); one frame is one step of the animation and one paint. 60 frames a second leaves 16.7 ms.
// Last, the jitter of the shared 1 ms animation timer: the spread of the gaps between its ticks
// while the event loop runs.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "ChartBench.h"
#include "chart/animation/AnimationUnits.h"
#include "chart/animation/ChartAnimations.h"
#include "chart/animation/ZebAnimate.h"
#include "chart/animation/ZebAnimations.h"
#include "chart/core/Chart.h"
#include "chart/core/SeriesMarks.h"
#include "chart/series/BarSeries.h"
#include "chart/series/StandardSeriesUnit.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Tick.h"

namespace {

constexpr int Width = 800, Height = 600;

void StartAnimationBench()
{
    static const bool started = [] {
        StartChartBench();
        StartStandardSeriesUnits();
        StartAnimationUnits();
        return true;
    }();
    (void)started;
}

struct TAnimatedBars {
    TAnimatedBars(int points, bool view3D) : target(Width, Height, pf24bit)
    {
        chart->SetBounds(0, 0, Width, Height);
        chart->SetView3D(view3D);
        for (int s = 0; s < 4; ++s) {
            auto* series = new TBarSeries(chart.get());
            series->SetParentChart(chart.get());
            series->Marks().SetVisible(false);
            for (int i = 0; i < points; ++i) series->AppendMainValue(100 + (i * 37 + s * 11) % 900);
        }
    }
    template <class A>
    A* Add()
    {
        auto* a = new A(player.get());
        player->Animations().AddAnimation(a);
        a->SetChart(chart.get());
        return a;
    }
    void Frame() { chart->RenderTo(target.Canvas(), {0, 0, Width, Height}); }

    std::unique_ptr<TChart, TFreeDeleter> chart{new TChart(nullptr)};
    TOwnedPtr<TZebAnimate> player{new TZebAnimate(nullptr)};
    TBitmap target;
};

// One step of each animation, then a paint; the fraction walks from 0 to 1 and back.
template <class Step>
void RunFrames(benchmark::State& state, TAnimatedBars& rig, Step step)
{
    int n = 0;
    for (auto _ : state) {
        const int k = n++ % 120;
        step(static_cast<float>(k < 60 ? k : 120 - k) / 60.0f);
        rig.Frame();
    }
}

void BM_SeriesAnimationFrame(benchmark::State& state)
{
    StartAnimationBench();
    TAnimatedBars rig(static_cast<int>(state.range(0)), state.range(1) != 0);
    rig.Frame();
    auto* grow = rig.Add<TSeriesAnimation>();
    grow->Prepare();
    RunFrames(state, rig, [grow](float f) { grow->ApplyFraction(f); });
    grow->Finish();
}
BENCHMARK(BM_SeriesAnimationFrame)->ArgsProduct({{5000}, {0, 1}})->Unit(benchmark::kMillisecond);

// The bars alone, for what the animation adds to a frame.
void BM_StillFrame(benchmark::State& state)
{
    StartAnimationBench();
    TAnimatedBars rig(static_cast<int>(state.range(0)), state.range(1) != 0);
    RunFrames(state, rig, [](float) {});
}
BENCHMARK(BM_StillFrame)->ArgsProduct({{500, 5000}, {0, 1}})->Unit(benchmark::kMillisecond);

void BM_LegendTransformFrame(benchmark::State& state)
{
    StartAnimationBench();
    TAnimatedBars rig(static_cast<int>(state.range(0)), state.range(1) != 0);
    rig.Frame();  // the legend has its bounds
    auto* slide = rig.Add<TTransformAnimation>();
    slide->SetTarget(cpLegend);
    slide->SetFade(tfIn);
    slide->SetZoomStyle(tzIn);
    slide->Prepare();
    RunFrames(state, rig, [slide](float f) { slide->ApplyFraction(f); });
    slide->Finish();
}
BENCHMARK(BM_LegendTransformFrame)->ArgsProduct({{5000}, {0, 1}})->Unit(benchmark::kMillisecond);

// Gaps between the ticks of the 1 ms timer over half a second of the event loop, in microseconds:
// median, 99th percentile and the largest.
void BM_TimerJitter(benchmark::State& state)
{
    StartAnimationBench();
    using Clock = std::chrono::steady_clock;
    std::vector<double> gaps;
    for (auto _ : state) {
        gaps.clear();
        Clock::time_point last{};
        const int id = 0;
        AnimationTimer().AddEvent(1, true, &id, [&] {
            const Clock::time_point now = Clock::now();
            if (last != Clock::time_point{})
                gaps.push_back(std::chrono::duration<double, std::micro>(now - last).count());
            last = now;
        });
        const std::uint64_t end = GetTickCount64() + 500;
        while (GetTickCount64() < end) Application->WaitMessage(5), Application->ProcessMessages();
        AnimationTimer().RemoveEvent(&id);
        AnimationTimer().TickTimers();  // compacts the removed entry; the timer stops
    }
    std::sort(gaps.begin(), gaps.end());
    if (gaps.empty()) return;
    state.counters["ticks"] = static_cast<double>(gaps.size());
    state.counters["median_us"] = gaps[gaps.size() / 2];
    state.counters["p99_us"] = gaps[gaps.size() * 99 / 100];
    state.counters["max_us"] = gaps.back();
}
BENCHMARK(BM_TimerJitter)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
