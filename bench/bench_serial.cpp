// The port's receive path at full speed: the simulator floods 1,000,000 data
// lines through a pseudo-terminal and the main thread takes every byte through
// OnRxChar/ReceiveText. Reports lines/s, bytes/s and CPU time; a lost or
// changed byte fails the run.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "platform/classes/Threads.h"
#include "platform/system/ChildProcess.h"
#include "serial/VaComm.h"
#include "tools/SensorModel.h"

namespace {

constexpr int Lines = 1000000;

void BM_SerialFloodReceive(benchmark::State& state)
{
    TThread::SetMainThread();
    String pattern = (std::filesystem::temp_directory_path() / "tv-bench-XXXXXX").string();
    const String home = mkdtemp(pattern.data());
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);

    // What must arrive: the simulator's lines are deterministic for a seed.
    SensorModel model{SensorOptions{}};
    std::uint64_t expectedBytes = 0, expectedSum = 0;
    for (int i = 0; i < Lines; ++i)
        for (unsigned char c : model.NextDataLine()) {
            ++expectedBytes;
            expectedSum = expectedSum * 31 + c;
        }

    for (auto _ : state) {
        TChildProcess sim;
        if (!sim.Start(SENSORSIM_PATH, {"--com", "COM7", "--flood", "--stream", "--count", std::to_string(Lines)},
                       {{"XDG_CONFIG_HOME", home}})) {
            state.SkipWithError("simulator did not start");
            break;
        }
        String ready;
        sim.ReadLine(ready, 5000);
        TOwnedPtr<TVaComm> port(new TVaComm(nullptr));
        port->SetPortNum(7);
        port->SetBaudrate(br256000);
        port->Buffers()->SetReadSize(65536);
        std::uint64_t bytes = 0, sum = 0, lines = 0;
        port->SetOnRxChar([&](TObject*, int) {
            for (unsigned char c : port->ReceiveText()) {
                ++bytes;
                sum = sum * 31 + c;
                lines += c == '\r';
            }
        });
        const std::clock_t cpu0 = std::clock();
        const auto t0 = std::chrono::steady_clock::now();
        port->Open();
        const auto limit = t0 + std::chrono::seconds(300);
        while (lines < Lines && std::chrono::steady_clock::now() < limit) CheckSynchronize(10);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        const double cpu = static_cast<double>(std::clock() - cpu0) / CLOCKS_PER_SEC;
        port->Close();
        state.SetIterationTime(seconds);
        if (bytes != expectedBytes || sum != expectedSum) {
            state.SkipWithError("bytes lost or changed");
            break;
        }
        state.counters["lines_per_s"] = static_cast<double>(lines) / seconds;
        state.counters["MB_per_s"] = static_cast<double>(bytes) / seconds / 1e6;
        state.counters["cpu_s"] = cpu;  // this process, all threads
        state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    }
    std::filesystem::remove_all(home);
}

}  // namespace

BENCHMARK(BM_SerialFloodReceive)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
