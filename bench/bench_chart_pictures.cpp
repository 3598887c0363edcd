// Pictures of the main window's chart (697 x 377, two line series of 300 points): a bitmap and an
// enhanced metafile export into memory, and one video frame added to an AVI file, uncompressed and
// as Motion JPEG (bytes counted are the frame's 32-bit pixels).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <string>

#include "ChartBench.h"
#include "chart/core/Chart.h"
#include "chart/io/AviFile.h"
#include "chart/io/ZebBmpOptions.h"
#include "chart/io/ZebEmfOptions.h"
#include "chart/series/LineSeries.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Streams.h"

namespace {

constexpr int Width = 697, Height = 377;

struct TPictureRig {
    TPictureRig()
    {
        StartChartBench();
        chart->SetBounds(0, 0, Width, Height);
        chart->SetView3D(false);
        for (TLineSeries* s : {&x, &y}) s->SetParentChart(chart.get());
        for (int i = 0; i < 300; ++i) {
            x.AppendValue(500 + 400 * std::sin(i / 20.0));
            y.AppendValue(500 + 300 * std::cos(i / 15.0));
        }
    }
    ~TPictureRig()
    {
        for (TLineSeries* s : {&x, &y}) s->SetParentChart(nullptr);
    }
    std::unique_ptr<TChart, TFreeDeleter> chart{new TChart(nullptr)};
    TLineSeries x{nullptr}, y{nullptr};
};

template <class F>
void ExportInto(benchmark::State& state)
{
    TPictureRig rig;
    F format;
    format.SetPanel(rig.chart.get());
    format.GetOptionsForm(true);
    for (auto _ : state) {
        TMemoryStream stream;
        format.WriteToStream(stream);
        benchmark::DoNotOptimize(stream.Memory());
    }
}

void BM_ExportBmp(benchmark::State& state) { ExportInto<TBMPExportFormat>(state); }
BENCHMARK(BM_ExportBmp)->Unit(benchmark::kMillisecond);

void BM_ExportEmf(benchmark::State& state) { ExportInto<TEMFExportFormat>(state); }
BENCHMARK(BM_ExportEmf)->Unit(benchmark::kMillisecond);

// One frame of the drawn chart into the file (0: uncompressed, 1: Motion JPEG at quality 8000).
void BM_VideoFrame(benchmark::State& state)
{
    TPictureRig rig;
    std::unique_ptr<TBitmap> frame(rig.chart->MakeBitmap(rig.chart->Color(), {0, 0, Width, Height}, pf32bit));
    const std::string file = "/tmp/tv_bench_video_" + std::to_string(state.range(0)) + ".avi";
    {
        TAviWriter writer(file, Width, Height, 50, state.range(0) ? FourCC("MJPG") : 0, 8000);
        for (auto _ : state) writer.AddFrame(*frame);
        writer.Close();
    }
    std::remove(file.c_str());
    state.SetBytesProcessed(state.iterations() * Width * Height * 4);
}
BENCHMARK(BM_VideoFrame)->Arg(0)->Arg(1)->ArgName("mjpg")->Iterations(100)->Unit(benchmark::kMillisecond);

}  // namespace
