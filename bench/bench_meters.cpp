// Cost of one reading on the main window's 180-degree meter: a value change repaints only the needle
// over the cached face; compare with a full repaint of the same meter.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "platform/forms/Forms.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "widgets/meters/DB180Meter.h"

namespace {

// Windows are offscreen here, as in the tests.
const bool offscreen = (setenv("QT_QPA_PLATFORM", "offscreen", 0), true);

struct MainWindowMeter {
    TOwnedPtr<TForm> form{new TForm(nullptr)};
    TVnDB180Meter* meter = new TVnDB180Meter(form.get());

    MainWindowMeter()
    {
        form->SetBounds(0, 0, 280, 180);
        meter->SetAutoSize(false);
        meter->SetBounds(8, 8, 249, 145);
        meter->SignalSettings()->SetDigitalFrom(-1500);
        meter->SignalSettings()->SetDigitalTo(1500);
        meter->SignalSettings()->SetValueFrom(-90);
        meter->SignalSettings()->SetValueTo(90);
        meter->SignalSettings()->SetValueUnit("X axis[Deg]");
        meter->SignalSettings()->SetValueFormat("##0.0#");
        meter->ScaleSettings()->SetSteps(12);
        meter->ScaleSettings()->SetSubSteps(3);
        meter->SectorSettings()->SetWidthOffset(5);
        meter->SetOptions({opOverflow, opLimit, opSector, opUnit});
        meter->SetLimitLower(-90);
        meter->SetLimitUpper(90);
        meter->Loaded();
        form->Show();
        testkit::Pump();
    }
};

// A reading: the value changes and the window paints what that invalidated.
void BM_MeterNeedleUpdate(benchmark::State& state)
{
    MainWindowMeter w;
    float v = -80;
    for (auto _ : state) {
        w.meter->SetValue(v);
        testkit::Pump();
        v = v >= 80 ? -80 : v + 0.7f;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MeterNeedleUpdate)->Unit(benchmark::kMicrosecond);

// The same meter painted whole each time (bevels, scale, sectors, unit and needle).
void BM_MeterFullRepaint(benchmark::State& state)
{
    MainWindowMeter w;
    float v = -80;
    for (auto _ : state) {
        w.meter->SetValue(v);
        w.meter->Invalidate();
        testkit::Pump();
        v = v >= 80 ? -80 : v + 0.7f;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MeterFullRepaint)->Unit(benchmark::kMicrosecond);

// Only the drawing of the needle area into a bitmap, without the window.
void BM_MeterRedrawNeedle(benchmark::State& state)
{
    MainWindowMeter w;
    TBitmap bitmap(249, 145);
    float v = -80;
    for (auto _ : state) {
        w.meter->SetValue(v);
        w.meter->RedrawNeedle(*bitmap.Canvas());
        v = v >= 80 ? -80 : v + 0.7f;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MeterRedrawNeedle)->Unit(benchmark::kMicrosecond);

}  // namespace
