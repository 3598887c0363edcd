// Drawing through the GDI-style device context on a 1000 x 600 bitmap; times are per frame.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "platform/graphics/Bitmap.h"

namespace {

struct Frame {
    Frame() : bmp(1000, 600, pf32bit) { dc = bmp.Canvas()->Handle(); }
    TBitmap bmp;
    HDC dc;
};

// One polyline of 1,000,000 segments: a noisy trace sweeping across the bitmap.
void BM_Polyline1MSegments(benchmark::State& state)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Frame f;
    std::vector<TPoint> pts(1000001);
    std::mt19937 rng(42);
    std::uniform_int_distribution<int> jitter(-3, 3);
    int y = 300;
    for (size_t i = 0; i < pts.size(); ++i) {
        y = std::clamp(y + jitter(rng), 0, 599);
        pts[i] = {static_cast<int>(i % 2000 < 1000 ? i % 1000 : 999 - i % 1000), y};
    }
    f.dc->SelectPen(TLogPen{PS_SOLID, 1, clNavy, {}});
    for (auto _ : state) {
        f.dc->Polyline(pts.data(), static_cast<int>(pts.size()));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_Polyline1MSegments)->Unit(benchmark::kMillisecond);

// 100,000 filled rectangles with a one-pixel frame.
void BM_FilledRectangles100k(benchmark::State& state)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    Frame f;
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> x(0, 980), y(0, 580), s(2, 20);
    std::vector<TRect> rects(100000);
    for (auto& r : rects) r = Bounds(x(rng), y(rng), s(rng), s(rng));
    f.dc->SelectPen(TLogPen{PS_SOLID, 1, clBlack, {}});
    f.dc->SelectBrush(TLogBrush{BS_SOLID, clYellow, 0, nullptr});
    for (auto _ : state) {
        for (const auto& r : rects) f.dc->Rectangle(r.Left, r.Top, r.Right, r.Bottom);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 100000);
}
BENCHMARK(BM_FilledRectangles100k)->Unit(benchmark::kMillisecond);

}  // namespace
