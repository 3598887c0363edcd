// The program's end as a user meets it: the real viewer, started as a process against the
// simulated sensor, closed by its close box and by EXIT with the port closed, open, and while lines
// stream, many times. Every run must end by itself with status 0 and leave the port free at once.
// The program is driven through its test hook (a FIFO named by TV_TEST_DRIVER): clicks arrive as
// mouse input does, and "close" closes the window the way the window system does.
// TV_EXIT_RUNS=n runs each case n times in a row (scripts/close-under-load).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

#include "app/UserSet.h"
#include "platform/comm/CommDevice.h"
#include "platform/system/ChildProcess.h"
#include "tests/app/SensorDevice.h"

namespace {

namespace fs = std::filesystem;

// Generous: it only tells a hang from a slow machine.
constexpr int WatchdogMs = 30000;
// Longer for the start: a sanitizer build reading the font configuration on a machine loaded
// several times over its cores has been seen to take more than 30 s before its window is up.
constexpr int StartWatchdogMs = 120000;

enum TEnding { enCloseBox, enExitButton };
enum TPortState { psClosed, psOpen, psStreaming };

struct ExitCase {
    const char* name;
    TEnding ending;
    TPortState port;
    int runs;
};

const ExitCase exitCases[] = {
    {"CloseBoxPortClosed", enCloseBox, psClosed, 1},        {"CloseBoxPortOpen", enCloseBox, psOpen, 2},
    {"CloseBoxWhileStreaming", enCloseBox, psStreaming, 6}, {"ExitButtonPortClosed", enExitButton, psClosed, 1},
    {"ExitButtonPortOpen", enExitButton, psOpen, 2},        {"ExitButtonWhileStreaming", enExitButton, psStreaming, 6},
};

void PrintTo(const ExitCase& c, std::ostream* out) { *out << c.name; }

int RunsOf(const ExitCase& c)
{
    const char* runs = std::getenv("TV_EXIT_RUNS");
    const int n = runs ? std::atoi(runs) : 0;
    return n > 0 ? n : c.runs;
}

class ProgramExit : public ::testing::TestWithParam<ExitCase> {
protected:
    void SetUp() override
    {
        // Unique: other checkouts may run the same test at the same time.
        String pattern = (fs::temp_directory_path() / (String("viewer-exit-") + GetParam().name + "-XXXXXX")).string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        fs::create_directories(root_ / "program");
        fs::create_directories(root_ / "config");
        // The program keeps its settings beside itself: each test has its own copy.
        program_ = root_ / "program" / "tiltviewer";
        std::error_code linked;
        fs::create_hard_link(TILTVIEWER_PATH, program_, linked);
        if (linked) fs::copy_file(TILTVIEWER_PATH, program_);
        TUserSet settings = TUserSet::Defaults();
        settings.Set(TUserSet::fPortNo, "COM7");
        WriteUserSet(UserSetPath((root_ / "program").string()), settings);
        // The device map the simulated sensor enters its port in, and the program reads.
        setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
        // Leaks inside system libraries are not the program's (the test binaries skip them too).
        std::ofstream(root_ / "lsan.supp") << "leak:libfontconfig\nleak:libQt6\nleak:libdbus\nleak:libglib\n"
                                              "leak:libgobject\nleak:libX11\nleak:libxcb\n";
    }

    void TearDown() override
    {
        if (driver_ >= 0) ::close(driver_);
        if (!root_.empty()) fs::remove_all(root_);
    }

    // Starts the program with a fresh command FIFO and waits until its window is up; "" then, else
    // what went wrong.
    String StartProgram(TChildProcess& viewer, int run)
    {
        const fs::path fifo = root_ / ("driver-" + std::to_string(run));
        if (::mkfifo(fifo.c_str(), 0600) != 0) return "no command FIFO";
        if (driver_ >= 0) ::close(driver_);
        driver_ = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        if (driver_ < 0) return "the command FIFO does not open";
        const String suppressions = "suppressions=" + (root_ / "lsan.supp").string() + ":print_suppressions=0";
        if (!viewer.Start(program_.string(), {},
                          {{"TV_TEST_DRIVER", fifo.string()},
                           {"XDG_CONFIG_HOME", (root_ / "config").string()},
                           {"LSAN_OPTIONS", suppressions}}))
            return "the program does not start";
        String line;
        if (viewer.ReadLine(line, StartWatchdogMs)) return line == "ready" ? "" : "it said " + line;
        const int status = viewer.Wait(1000);
        if (!viewer.Running()) return "it ended with status " + std::to_string(status) + " (-1: by a signal)";
        return "no window after " + std::to_string(StartWatchdogMs / 1000) + " s; its threads:\n" + Stacks(viewer.Pid());
    }

    // The threads of a running program as the debugger sees them (when there is one).
    static String Stacks(int pid)
    {
        const String command = "timeout 120 gdb -p " + std::to_string(pid) +
                               " -batch -ex 'thread apply all bt 12' 2>/dev/null | grep -E '^(Thread|#)'";
        String out;
        std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
        char buf[4096];
        for (size_t n; pipe && (n = fread(buf, 1, sizeof buf, pipe.get())) > 0;) out.append(buf, n);
        return out.empty() ? "(no debugger)" : out;
    }

    // Sends a command and waits for the program's answer.
    void Command(TChildProcess& viewer, const String& command, const String& answer)
    {
        const String text = command + "\n";
        ASSERT_EQ(::write(driver_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
        String line;
        ASSERT_TRUE(viewer.ReadLine(line, WatchdogMs)) << "no answer to " << command;
        ASSERT_EQ(line, answer);
    }

    void RunOnce(int run)
    {
        const ExitCase& c = GetParam();
        SensorOptions options;
        options.rate = 300;
        SensorDevice device(options);
        ASSERT_TRUE(device.Start("COM7"));
        TChildProcess viewer;
        const String started = StartProgram(viewer, run);
        ASSERT_EQ(started, "") << "the program did not come up";

        if (c.port != psClosed) {
            Command(viewer, "click btConnect", "clicked btConnect");
            CommDevice probe;
            EXPECT_FALSE(probe.Open(device.DevicePath())) << "the program did not open the port";
        }
        if (c.port == psStreaming) {
            Command(viewer, "click btACStart", "clicked btACStart");
            const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(WatchdogMs);
            while (device.DataLineCount() < 60 && std::chrono::steady_clock::now() < end)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            EXPECT_GE(device.DataLineCount(), 60u) << "the sensor does not stream";
        }
        if (c.ending == enCloseBox)
            Command(viewer, "close", "closing");
        else
            Command(viewer, "click btClose", "clicked btClose");

        const int status = viewer.Wait(WatchdogMs);
        if (viewer.Running()) {
            const String stacks = Stacks(viewer.Pid());
            viewer.Stop(1000);
            FAIL() << "the program hung at its end; its threads:\n" << stacks;
        }
        EXPECT_EQ(status, 0) << "the program did not end cleanly";
        CommDevice again;
        EXPECT_TRUE(again.Open(device.DevicePath())) << "the port is still held";
    }

    fs::path root_;
    fs::path program_;
    int driver_ = -1;
};

TEST_P(ProgramExit, EndsWithStatusZeroAndFreesThePort)
{
    const int runs = RunsOf(GetParam());
    for (int run = 0; run < runs; ++run) {
        SCOPED_TRACE("run " + std::to_string(run + 1));
        RunOnce(run);
        if (HasFailure()) break;
    }
}

INSTANTIATE_TEST_SUITE_P(Viewer, ProgramExit, ::testing::ValuesIn(exitCases),
                         [](const ::testing::TestParamInfo<ExitCase>& info) { return String(info.param.name); });

}  // namespace
