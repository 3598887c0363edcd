// Financial functions over a million candles (minutes to hours): ms per recalculation.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <type_traits>

#include "ChartBench.h"
#include "chart/functions/CompressFunction.h"
#include "chart/functions/FinancialFunctions.h"
#include "chart/series/CandleSeries.h"
#include "chart/series/VolumeSeries.h"

namespace {
constexpr int SourcePoints = 1'000'000;

// A million one-minute candles, their volumes, and an output fed by the candles.
struct TFinancialRig {
    TComponent owner{nullptr};
    TCandleSeries* source = new TCandleSeries(&owner);
    TVolumeSeries* volume = new TVolumeSeries(&owner);
    TChartSeries* output;

    explicit TFinancialRig(TChartSeries* out) : output(out)
    {
        const TPointUpdateBlock block(*source), volumes(*volume);
        for (int i = 0; i < SourcePoints; ++i) {
            const double date = 45000 + i / 1440.0;
            const double mid = 100 + std::sin(i * 1e-4) * 20 + std::sin(i * 0.37);
            const double open = mid + std::sin(i * 1.3), close = mid - std::sin(i * 0.7);
            source->AppendCandle(String(), clAutomatic, date, open, std::max(open, close) + 0.5,
                                 std::min(open, close) - 0.5, close);
            volume->InsertXY(date, 1000 + i % 500);
        }
    }
    void Attach(TZebFunction* f)
    {
        output->AttachFunction(f);
        output->SetDataSource(source);
    }
};

void run(benchmark::State& state, TFinancialRig& rig)
{
    for (auto _ : state) {
        rig.output->RefreshData();
        benchmark::DoNotOptimize(rig.output->Count());
    }
    state.counters["output points"] = rig.output->Count();
}

template <class F>
void BM_Function(benchmark::State& state)
{
    StartChartBench();
    TComponent holder(nullptr);
    TFinancialRig rig(new TThemedSeries(&holder));
    auto* f = new F(&rig.owner);
    if constexpr (std::is_same_v<F, TOBVFunction>) f->SetVolume(rig.volume);
    rig.Attach(f);
    run(state, rig);
}
BENCHMARK(BM_Function<TOBVFunction>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Function<TATRFunction>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Function<TADXFunction>)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Function<TRSIFunction>)->Unit(benchmark::kMillisecond);

// Minutes into hour bars, by date.
void BM_CompressByHour(benchmark::State& state)
{
    StartChartBench();
    TComponent holder(nullptr);
    TFinancialRig rig(new TCandleSeries(&holder));
    auto* f = new TCompressFunction(&rig.owner);
    f->SetCompress(ocHour);
    rig.Attach(f);
    run(state, rig);
}
BENCHMARK(BM_CompressByHour)->Unit(benchmark::kMillisecond);

}  // namespace


