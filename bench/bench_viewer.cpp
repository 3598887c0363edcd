// The viewer window against the sensor simulator: how many lines per second it logs, shows on
// the readouts and moves the needles for, what processor time that takes, and whether a line
// gets lost. Run time per case: BENCH_VIEWER_SECONDS (default 10).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "app/MainWindow.h"
#include "platform/classes/Threads.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/TestKit.h"
#include "platform/system/ChildProcess.h"
#include "tools/SensorModel.h"

void TvRegisterResources_viewer();

namespace {

const bool headless = [] { return setenv("QT_QPA_PLATFORM", "offscreen", 0) == 0; }();

double RunSeconds()
{
    const char* text = std::getenv("BENCH_VIEWER_SECONDS");
    const double s = text ? std::atof(text) : 0;
    return s > 0 ? s : 10;
}

using Clock = std::chrono::steady_clock;

// range(0): data lines per second, 0 for as fast as the line takes them.
void BM_ViewerStream(benchmark::State& state)
{
    TThread::SetMainThread();
    static const bool registered = [] {
        TvRegisterResources_viewer();
        RegisterViewerClasses();
        Application->Initialize();  // as the program block does
        return true;
    }();
    (void)registered;
    const auto home = std::filesystem::temp_directory_path() / ("tv-bench-viewer-" + std::to_string(std::time(nullptr)));
    std::filesystem::create_directories(home / "program");
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    TfKAVRO_IN_D_485_Viewer::SetSettingsFolder((home / "program").string());
    const int rate = static_cast<int>(state.range(0));

    for (auto _ : state) {
        TChildProcess sim;
        std::vector<String> args{"--com", "COM7", "--seed", "1"};
        if (rate > 0) {
            args.insert(args.end(), {"--rate", std::to_string(rate)});
        } else {
            args.push_back("--flood");
        }
        if (!sim.Start(SENSORSIM_PATH, args, {{"XDG_CONFIG_HOME", home.string()}})) {
            state.SkipWithError("simulator did not start");
            break;
        }
        String ready;
        sim.ReadLine(ready, 5000);

        TOwnedPtr<TfKAVRO_IN_D_485_Viewer> w(new TfKAVRO_IN_D_485_Viewer(nullptr));
        w->Show();
        testkit::Pump(50);
        w->ePortNo->SetText("COM7");
        w->cbBaudrate->SetText("256000");
        testkit::Click(*w, "btConnect");
        if (!w->PortOpened()) {
            state.SkipWithError("port did not open");
            break;
        }
        testkit::Click(*w, "btACStart");  // its own 100 ms wait already processes lines
        const int startLines = w->Memo1->Lines()->Count();

        const std::clock_t cpu0 = std::clock();
        const auto t0 = Clock::now();
        const auto end = t0 + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(RunSeconds()));
        // The program's own loop sleeps while nothing is pending; a timer bounds each sleep.
        TOwnedPtr<TTimer> tick(new TTimer(nullptr));
        tick->SetInterval(50);
        tick->SetOnTimer([](TObject*) {});
        tick->SetEnabled(true);
        double longestPump = 0;
        while (Clock::now() < end) {
            const auto p0 = Clock::now();
            Application->HandleMessage();
            longestPump = std::max(longestPump, std::chrono::duration<double>(Clock::now() - p0).count());
        }
        tick.reset();
        const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
        const double cpu = static_cast<double>(std::clock() - cpu0) / CLOCKS_PER_SEC;
        const int inWindow = w->Memo1->Lines()->Count();
        const int lines = inWindow - startLines;
        state.SetIterationTime(seconds);

        // Stop, take in what is still on the way, then compare the log with what was sent. Stop
        // empties the receive buffer, which may cut the line under way: only lines logged before
        // it count.
        testkit::Click(*w, "btACStop");
        int count = w->Memo1->Lines()->Count();
        for (int quiet = 0; quiet < 3;) {
            testkit::Pump(100);
            const int now = w->Memo1->Lines()->Count();
            quiet = now == count ? quiet + 1 : 0;
            count = now;
        }
        const String log = w->Memo1->Lines()->Text();
        SensorOptions options;
        options.rate = rate > 0 ? rate : 20;
        SensorModel model(options);
        std::size_t at = 0;
        std::int64_t bad = 0;
        for (int i = 0; i < inWindow; ++i) {
            const std::size_t eol = log.find('\n', at);
            String line = log.substr(at, eol - at);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            at = eol == String::npos ? log.size() : eol + 1;
            if (line + "\r" != model.NextDataLine()) ++bad;
        }
        testkit::Click(*w, "btConnect");
        w.reset();
        sim.Stop();

        state.counters["lines_per_s"] = lines / seconds;
        state.counters["cpu_s"] = cpu;  // the viewer process, all threads
        state.counters["cpu_share"] = cpu / seconds;
        state.counters["longest_pump_ms"] = longestPump * 1000;
        state.counters["lines_checked"] = inWindow;
        state.counters["lines_wrong_or_lost"] = static_cast<double>(bad);
        state.SetItemsProcessed(lines);
    }
    std::filesystem::remove_all(home);
}
BENCHMARK(BM_ViewerStream)->Arg(0)->Arg(2100)->Arg(200)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
