// Window layer: appending log lines to a memo (the receive log takes thousands per second),
// dispatching messages, and the processor time of a wait that keeps serving messages.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <ctime>

#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"
#include "platform/rtl/Tick.h"

namespace {

// Headless unless a platform is chosen.
const bool headless = [] { return setenv("QT_QPA_PLATFORM", "offscreen", 0) == 0; }();

void BM_MemoAppendLines(benchmark::State& state)
{
    TOwnedPtr<TForm> form(new TForm(nullptr));
    auto* memo = new TMemo(form.get());
    memo->SetParent(form.get());
    memo->SetBounds(0, 0, 209, 393);
    memo->SetScrollBars(ssBoth);
    form->Show();
    int n = 0;
    for (auto _ : state) {
        memo->Lines()->Add("12.345 -6.789");
        if (++n % 1000 == 0) Application->ProcessMessages();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MemoAppendLines)->Iterations(20000);

void BM_PerformUserMessage(benchmark::State& state)
{
    TOwnedPtr<TForm> form(new TForm(nullptr));
    for (auto _ : state) benchmark::DoNotOptimize(form->Perform(0x464, 1, 0));
}
BENCHMARK(BM_PerformUserMessage);

// A 200 ms wait that serves messages (a timer ticks every 20 ms meanwhile), as the viewer's command
// waits do. range(0): 1 sleeps between messages (WaitMessage), 0 spins on ProcessMessages.
// cpu_per_wall: processor time per second waited; ticks_per_s: the timer kept being served.
void BM_WaitServingMessages(benchmark::State& state)
{
    const bool sleeps = state.range(0) != 0;
    TOwnedPtr<TForm> form(new TForm(nullptr));
    auto* timer = new TTimer(form.get());
    int ticks = 0;
    timer->SetInterval(20);
    timer->SetOnTimer([&](TObject*) { ++ticks; });
    constexpr Cardinal waitMs = 200;
    double cpu = 0;
    double wall = 0;
    for (auto _ : state) {
        const std::clock_t cpu0 = std::clock();
        const auto wall0 = std::chrono::steady_clock::now();
        const Cardinal start = GetTickCount();
        for (;;) {
            Application->ProcessMessages();
            const Cardinal elapsed = GetTickCount() - start;
            if (elapsed > waitMs) break;
            if (sleeps) Application->WaitMessage(static_cast<int>(waitMs - elapsed + 1));
        }
        cpu += static_cast<double>(std::clock() - cpu0) / CLOCKS_PER_SEC;
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    }
    state.counters["cpu_per_wall"] = cpu / wall;
    state.counters["ticks_per_s"] = ticks / wall;
}
BENCHMARK(BM_WaitServingMessages)->Arg(1)->Arg(0)->Iterations(10)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
