// Cost of one reading on a seven-segment readout: the layout of the cells and the segment shapes,
// and the whole off-screen paint of the main window's readout.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "platform/graphics/Bitmap.h"
#include "widgets/sevenseg/ReadoutLayout.h"
#include "widgets/sevenseg/SevenSegmentDisplay.h"

namespace {

// Windows are offscreen here, as in the tests.
const bool offscreen = (setenv("QT_QPA_PLATFORM", "offscreen", 0), true);

ReadoutSettings MainReadout()
{
    ReadoutSettings s;
    s.Width = 145;
    s.Height = 49;
    s.SegmentMargin = 10;
    s.DigitCount = 5;
    return s;
}

void BM_ReadoutLayoutAndShapes(benchmark::State& state)
{
    const ReadoutSettings s = MainReadout();
    double v = -12.5;
    for (auto _ : state) {
        std::size_t points = 0;
        for (const ReadoutCell& c : AnalogReadoutCells(s, v))
            for (const SegShape& shape : CharacterShapes({c.Width, c.Height, 0, 1, 1}, c.Value, CellStyle{}))
                points += shape.Points.size();
        benchmark::DoNotOptimize(points);
        v += 0.01;
    }
}
BENCHMARK(BM_ReadoutLayoutAndShapes);

void BM_ReadoutPaint(benchmark::State& state)
{
    TOwnedPtr<TiSevenSegmentAnalog> readout(new TiSevenSegmentAnalog(nullptr));
    readout->SetAutoSize(false);
    readout->SetBounds(0, 0, 145, 49);
    readout->SetDigitCount(5);
    readout->SetSegmentMargin(10);
    readout->SetSegmentColor(0x00FF00);
    TBitmap bitmap(145, 49);
    double v = -12.5;
    for (auto _ : state) {
        readout->SetValue(v);
        readout->PaintTo(*bitmap.Canvas());
        v += 0.01;
    }
}
BENCHMARK(BM_ReadoutPaint);

}  // namespace
