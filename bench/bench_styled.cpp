// Planning the band fills and frames of the styled controls, per paint of a wide panel.
#include <benchmark/benchmark.h>

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
