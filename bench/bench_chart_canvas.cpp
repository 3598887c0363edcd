// Bitmap work the chart canvas does on paints: transparent sections, blurred shadows, smooth
// resampling of pictures, and measuring an HTML title.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "../tests/chart/support/RecordingCanvas.h"
#include "chart/canvas/BitmapRoutines.h"
#include "chart/canvas/Blend.h"
#include "chart/canvas/HtmlText.h"
#include "chart/canvas/ZebFont.h"
#include "platform/graphics/Canvas.h"

namespace {

std::unique_ptr<TBitmap> picture(int w, int h, TPixelFormat format = pf24bit)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    auto b = std::make_unique<TBitmap>(w, h, format);
    auto rows = BitmapScanLines24(*b);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w * 3; ++x) rows[static_cast<std::size_t>(y)][x] = static_cast<Byte>(x * 7 + y * 13);
    if (format != pf24bit) b->SetPixelFormat(format);
    return b;
}

// A transparent section over a whole chart: the captured background mixed back at 50 %.
void BM_BlendBitmaps697x377(benchmark::State& state)
{
    auto source = picture(697, 377);
    auto destination = picture(697, 377);
    for (auto _ : state) {
        BlendBitmaps(*source, *destination, {0, 0}, nullptr, 50);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BlendBitmaps697x377)->Unit(benchmark::kMicrosecond);

// The blurred shadow of a 200 x 100 box multiplied into a chart-sized buffer.
void BM_BlurredShadow200x100(benchmark::State& state)
{
    auto buffer = picture(697, 377, pf32bit);
    TBitmap shadow(200, 100, pf24bit);
    shadow.Canvas()->Brush()->SetColor(clWhite);
    shadow.Canvas()->FillRect({0, 0, 200, 100});
    shadow.Canvas()->Brush()->SetColor(clSilver);
    shadow.Canvas()->FillRect({2, 2, 198, 98});
    for (auto _ : state) {
        BlurShadowInto(shadow, buffer.get(), {100, 100}, 4, 0);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_BlurredShadow200x100)->Unit(benchmark::kMicrosecond);

void BM_Resample1000x800To697x377(benchmark::State& state)
{
    const bool low = state.range(0) != 0;
    auto source = picture(1000, 800);
    TBitmap destination(697, 377, pf24bit);
    for (auto _ : state) {
        ResampleBitmapQuality(*source, destination, low);
        benchmark::ClobberMemory();
    }
    state.SetLabel(low ? "triangle" : "Lanczos-3");
}
BENCHMARK(BM_Resample1000x800To697x377)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_MeasureThreeLineHtmlTitle(benchmark::State& state)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    TRecordingCanvas canvas(400, 200);
    TZebFont font;
    font.SetSize(12);
    canvas.UseFont(font);
    const String title =
        "<B>Tilt sensor</B> <FONT COLOR=#C00000>X</FONT> and <I>Y</I><BR>"
        "Readings of <U>the last</U> 300 samples<BR><SMALL>degrees &amp; time</SMALL>";
    for (auto _ : state) benchmark::DoNotOptimize(MeasureHtmlText(canvas, title));
}
BENCHMARK(BM_MeasureThreeLineHtmlTitle)->Unit(benchmark::kMicrosecond);

}  // namespace
