// The viewer window against the sensor simulator: how many lines per second it logs, shows on
// the readouts and moves the needles for, what processor time that takes, how many receive events
// and context switches, how often it paints, and whether a line gets lost (logged and plotted:
// both are counted). Then the log box alone: the cost of an appended line and the memory of a
// held one, with a thousand and a million lines held, and the chart's memory of a held reading.
// Run time per streaming case: BENCH_VIEWER_SECONDS (default 10).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "app/ChartUnits.h"
#include "app/MainWindow.h"
#include "chart/core/Chart.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "platform/classes/Threads.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/TestKit.h"
#include "platform/system/ChildProcess.h"
#include "serial/VaComm.h"
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

void SetUpApplication()
{
    TThread::SetMainThread();
    static const bool registered = [] {
        TvRegisterResources_viewer();
        RegisterViewerClasses();
        Application->Initialize();  // as the program block does
        StartChartUnits();
        return true;
    }();
    (void)registered;
}

// Context switches of the process so far, all its threads.
double ContextSwitches()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_nvcsw + u.ru_nivcsw);
}

// Bytes the program holds from the allocator, large blocks of their own included.
std::size_t HeapInUse()
{
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

// range(0): data lines per second, 0 for as fast as the line takes them.
void BM_ViewerStream(benchmark::State& state)
{
    SetUpApplication();
    const auto home = std::filesystem::temp_directory_path() /
                      ("tv-bench-viewer-" + std::to_string(std::time(nullptr)));
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
        std::int64_t events = 0;
        const TVaCommRxCharEvent received = w->VaComm1->OnRxChar();
        w->VaComm1->SetOnRxChar([&](TObject* sender, int count) {
            ++events;
            received(sender, count);
        });
        testkit::Click(*w, "btACStart");  // its own 100 ms wait already processes lines
        testkit::Pump(200);               // the stream settles
        const int startLines = w->Memo1->Lines()->Count();
        const int startPoints = w->Chart1->GetSeriesAt(0)->Count();
        const double startSwitches = ContextSwitches();
        const std::int64_t startEvents = events;
        const std::size_t heapBefore = HeapInUse();

        testkit::PaintPassCounter paints;
        const std::clock_t cpu0 = std::clock();
        const auto t0 = Clock::now();
        const auto end = t0 + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(RunSeconds()));
        // The program's own loop sleeps while nothing is pending; a timer bounds each sleep.
        TOwnedPtr<TTimer> tick(new TTimer(nullptr));
        tick->SetInterval(50);
        tick->SetOnTimer([](TObject*) {});
        tick->SetEnabled(true);
        double longestStep = 0;
        while (Clock::now() < end) {
            const auto p0 = Clock::now();
            Application->HandleMessage();
            longestStep = std::max(longestStep, std::chrono::duration<double>(Clock::now() - p0).count());
        }
        tick.reset();
        const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
        const double cpu = static_cast<double>(std::clock() - cpu0) / CLOCKS_PER_SEC;
        const int passes = paints.Passes();
        const int inWindow = w->Memo1->Lines()->Count();
        const int lines = inWindow - startLines;
        const int plotted = w->Chart1->GetSeriesAt(0)->Count() - startPoints;
        const double switches = ContextSwitches() - startSwitches;
        const std::int64_t eventCount = events - startEvents;
        const std::size_t heapAfter = HeapInUse();
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
        state.counters["cpu_share"] = cpu / seconds;  // of one core: the viewer process, all its threads
        state.counters["events_per_s"] = static_cast<double>(eventCount) / seconds;
        state.counters["switches_per_s"] = switches / seconds;  // context switches, all threads
        state.counters["lines_not_plotted"] = lines - plotted;
        state.counters["paints_per_s"] = passes / seconds;
        state.counters["longest_step_ms"] = longestStep * 1000;  // one message-loop step
        state.counters["lines_checked"] = inWindow;
        state.counters["lines_wrong_or_lost"] = static_cast<double>(bad);
        // Log box and chart together: every line stays in both.
        state.counters["heap_bytes_per_line"] =
            lines > 0 ? (static_cast<double>(heapAfter) - static_cast<double>(heapBefore)) / lines : 0;
        state.SetItemsProcessed(lines);
    }
    std::filesystem::remove_all(home);
}
BENCHMARK(BM_ViewerStream)->Arg(2100)->Arg(200)->Arg(0)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

// The main window's log box holding range(0) lines; each iteration appends the lines of one
// frame at 2,100 lines a second and lets the window catch up (scroll range, paint).
void BM_LogAppend(benchmark::State& state)
{
    SetUpApplication();
    const int held = static_cast<int>(state.range(0));
    constexpr int PerFrame = 84;
    const String line = "12.345 -6.789";  // a reading as the sensor sends it
    TOwnedPtr<TForm> form(new TForm(nullptr));
    form->SetBounds(0, 0, 300, 420);
    auto* memo = new TMemo(form.get());
    memo->SetParent(form.get());
    memo->SetBounds(8, 8, 209, 393);
    memo->SetScrollBars(ssBoth);
    form->Show();
    testkit::Pump(20);
    const std::size_t before = HeapInUse();
    for (int i = 0; i < held; ++i) {
        memo->Lines()->Add(line);
        if (i % 10000 == 0) Application->ProcessMessages();
    }
    Application->ProcessMessages();
    const std::size_t after = HeapInUse();

    for (auto _ : state) {
        for (int i = 0; i < PerFrame; ++i) memo->Lines()->Add(line);
        Application->ProcessMessages();
    }
    state.SetItemsProcessed(state.iterations() * PerFrame);
    state.counters["bytes_per_line"] = static_cast<double>(after - before) / held;
    state.counters["text_bytes_per_line"] = static_cast<double>(line.size());
    state.counters["time_per_line"] = benchmark::Counter(static_cast<double>(state.iterations() * PerFrame),
                                                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_LogAppend)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// The main window's chart holding range(0) readings (one point in each of its two series); each
// iteration appends the readings of one frame at 2,100 lines a second and lets the chart repaint.
void BM_ChartHeldReadings(benchmark::State& state)
{
    SetUpApplication();
    const int held = static_cast<int>(state.range(0));
    constexpr int PerFrame = 84;
    TOwnedPtr<TfKAVRO_IN_D_485_Viewer> w(new TfKAVRO_IN_D_485_Viewer(nullptr));
    w->Show();
    testkit::Pump(20);
    TChartSeries& x = *w->Chart1->GetSeriesAt(0);
    TChartSeries& y = *w->Chart1->GetSeriesAt(1);
    const std::size_t before = HeapInUse();
    for (int i = 0; i < held; ++i) {
        x.AppendValue(12.345);
        y.AppendValue(-6.789);
    }
    Application->ProcessMessages();
    const std::size_t after = HeapInUse();

    // As the feed does: the bottom axis keeps the view size's newest samples in view.
    TChartAxis& bottom = *w->Chart1->BottomAxis();
    const int view = w->ViewDataQuantity();
    for (auto _ : state) {
        for (int i = 0; i < PerFrame; ++i) {
            x.AppendValue(12.345);
            y.AppendValue(-6.789);
            const double maximum = bottom.Maximum();
            bottom.SetAutomaticMinimum(false);
            if (view < maximum) bottom.SetMinimum(maximum - view);
        }
        Application->ProcessMessages();
    }
    state.SetItemsProcessed(state.iterations() * PerFrame);
    state.counters["bytes_per_point"] = static_cast<double>(after - before) / (2.0 * held);
    state.counters["time_per_reading"] = benchmark::Counter(static_cast<double>(state.iterations() * PerFrame),
                                                            benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_ChartHeldReadings)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace
