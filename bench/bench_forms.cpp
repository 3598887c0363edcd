// Window layer: appending log lines to a memo (the receive log takes thousands per second) and
// dispatching messages.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"

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

}  // namespace
