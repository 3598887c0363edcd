// Planning the band fills and frames of the styled controls, per paint of a wide panel.
#include <benchmark/benchmark.h>

#include "platform/graphics/Bitmap.h"
#include "widgets/styled/QMCommon.h"
#include "widgets/styled/QMGeometry.h"

static void BM_PlanGradientWidePanel(benchmark::State& state)
{
    const TRect r{0, 0, static_cast<int>(state.range(0)), 65};
    for (auto _ : state) benchmark::DoNotOptimize(qm::PlanGradient(r, qmgLeftToRight, 0x202020, 0x800000));
}
BENCHMARK(BM_PlanGradientWidePanel)->Arg(64)->Arg(931)->Arg(4096);

static void BM_ShadedRings(benchmark::State& state)
{
    const TRect r{0, 0, 931, 65};
    for (auto _ : state)
        for (int s = 0; s < QMControlBorderCount; ++s)
            benchmark::DoNotOptimize(qm::ShadedBorderRings(r, 0x808080, QMAllEdges, TQMControlBorder(s)));
}
BENCHMARK(BM_ShadedRings);

static void BM_TiledPicture(benchmark::State& state)
{
    const TRect r{0, 0, 1920, 1080};
    for (auto _ : state) benchmark::DoNotOptimize(qm::PicturePlacements(r, 16, 16, qmpoTiled));
}
BENCHMARK(BM_TiledPicture);

// The top bar's background as the panel paints it: a band fill across 931 x 65 pixels.
static void BM_FillGradientTopBar(benchmark::State& state)
{
    TBitmap bmp(931, 65);
    TCanvas* canvas = bmp.Canvas();
    for (auto _ : state) FillGradient(canvas, {0, 0, 931, 65}, qmgLeftToRight, cl3DDkShadow, clNavy);
}
BENCHMARK(BM_FillGradientTopBar);
