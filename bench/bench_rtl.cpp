// Axis labels and marks are formatted through these routines on every repaint: ns per call.
#include <benchmark/benchmark.h>

#include "platform/rtl/Convert.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Format.h"

namespace {

const double kValues[] = {0.0, 1.5, -12.345, 1234.5678, 0.00012, 99.995, -0.5, 123456.789};
constexpr std::size_t kCount = sizeof kValues / sizeof kValues[0];

void BM_FormatFloat(benchmark::State& state, const char* picture)
{
    const TFormatSettings fs = TFormatSettings::Invariant();
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatFloat(picture, kValues[i++ % kCount], fs));
    }
}
BENCHMARK_CAPTURE(BM_FormatFloat, axis, "##0.0#");
BENCHMARK_CAPTURE(BM_FormatFloat, thousands, "#,##0.###");
BENCHMARK_CAPTURE(BM_FormatFloat, exponent, "0e-0");
BENCHMARK_CAPTURE(BM_FormatFloat, sections, "0.00;(0.00);zero");

void BM_FloatToStr(benchmark::State& state)
{
    const TFormatSettings fs = TFormatSettings::Invariant();
    std::size_t i = 0;
    for (auto _ : state) benchmark::DoNotOptimize(FloatToStr(kValues[i++ % kCount], fs));
}
BENCHMARK(BM_FloatToStr);

void BM_Format(benchmark::State& state)
{
    const TFormatSettings fs = TFormatSettings::Invariant();
    std::size_t i = 0;
    for (auto _ : state) {
        const double v = kValues[i++ % kCount];
        benchmark::DoNotOptimize(Format("%s: %.2f (%d)", {"X", v, static_cast<int>(i)}, fs));
    }
}
BENCHMARK(BM_Format);

void BM_StrToFloat(benchmark::State& state)
{
    const TFormatSettings fs = TFormatSettings::Invariant();
    const String texts[] = {"1.5", " -12.345 ", "1234.5678", "1e-4", "99.995", "123456.789", "0", "3.14159265358979"};
    std::size_t i = 0;
    for (auto _ : state) {
        double v = 0;
        benchmark::DoNotOptimize(TryStrToFloat(texts[i++ % 8], v, fs));
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_StrToFloat);

}  // namespace
