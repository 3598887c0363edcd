#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "platform/comm/CommDevice.h"
#include "platform/system/ChildProcess.h"
#include "platform/system/DeviceMap.h"
#include "tools/SensorModel.h"

namespace {

class Simulator : public ::testing::Test {
protected:
    void SetUp() override
    {
        String pattern = (std::filesystem::temp_directory_path() / "tv-sim-XXXXXX").string();
        dir = mkdtemp(pattern.data());
        mapFile = dir + "/serialcomm.map";
    }
    void TearDown() override
    {
        sim.Stop();
        std::filesystem::remove_all(dir);
    }

    // Starts the simulator and opens its device; the port name it registered goes to port.
    void Start(std::vector<String> args)
    {
        args.insert(args.end(), {"--map-file", mapFile});
        ASSERT_TRUE(sim.Start(SENSORSIM_PATH, args, {{"XDG_CONFIG_HOME", dir}}));
        String ready;
        ASSERT_TRUE(sim.ReadLine(ready, 5000));
        const std::size_t blank = ready.find(' ');
        ASSERT_NE(blank, String::npos) << ready;
        device = ready.substr(0, blank);
        port = ready.substr(blank + 1);
        ASSERT_TRUE(dev.Open(device)) << device;
        TCommState s;
        s.BaudRate = 115200;
        s.ByteSize = 8;
        s.Flags = dcbBinary;
        ASSERT_TRUE(dev.SetState(s));
        ASSERT_TRUE(dev.SetEventMask(EV_RXCHAR));
    }

    // Everything received until the text holds count bytes or the time is up.
    String Receive(std::size_t count, int ms = 3000)
    {
        String got;
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
        while (got.size() < count && std::chrono::steady_clock::now() < end) {
            char chunk[1024];
            const int n = dev.Read(chunk, sizeof chunk);
            if (n > 0)
                got.append(chunk, static_cast<std::size_t>(n));
            else if (dev.HungUp())
                break;
            else
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return got;
    }

    void Send(const String& text)
    {
        ASSERT_EQ(dev.Write(text.data(), static_cast<int>(text.size())), static_cast<int>(text.size()));
    }

    String dir, mapFile, device, port;
    TChildProcess sim;
    CommDevice dev;
};

TEST_F(Simulator, RegistersItsPortAndRemovesItAtTheEnd)
{
    Start({"--com", "COM7"});
    EXPECT_EQ(port, "COM7");
    EXPECT_EQ(ResolveSerialDevice("\\\\.\\COM7", SerialDeviceMap(mapFile, dir + "/nosys")), device);
    EXPECT_EQ(sim.Stop(), 0);
    EXPECT_TRUE(ReadSerialMapFile(mapFile).empty());
}

// Runs the simulator with the test's map file to its end; its status, and all it wrote.
int RunToEnd(const String& mapFile, std::vector<String> args, String& output)
{
    args.insert(args.begin(), {"-c", "exec \"$0\" \"$@\" 2>&1", SENSORSIM_PATH});
    args.insert(args.end(), {"--map-file", mapFile});
    TChildProcess run;
    if (!run.Start("sh", args)) return -1;
    for (String line; run.ReadLine(line, 5000);) output += line + "\n";
    return run.Wait(5000);
}

TEST_F(Simulator, HelpIsNoError)
{
    String usage;
    EXPECT_EQ(RunToEnd(mapFile, {"--help"}, usage), 0);
    EXPECT_EQ(usage.rfind("usage: sensorsim", 0), 0u) << usage;
    String refusal;
    EXPECT_EQ(RunToEnd(mapFile, {"--rate"}, refusal), 2);
    EXPECT_EQ(refusal, usage);
}

// A second simulator does not take the first one's name: asked for it, it refuses and names the
// first one's pseudo-terminal; without a name it takes the next free one.
TEST_F(Simulator, SecondSimulatorLeavesTheFirstOnesName)
{
    Start({});
    EXPECT_EQ(port, "COM1");
    String refusal;
    EXPECT_EQ(RunToEnd(mapFile, {"--com", "COM1"}, refusal), 1);
    EXPECT_NE(refusal.find("COM1 is taken by " + device), String::npos) << refusal;
    EXPECT_EQ(ResolveSerialDevice("COM1", SerialDeviceMap(mapFile, dir + "/nosys")), device);

    TChildProcess second;
    ASSERT_TRUE(second.Start(SENSORSIM_PATH, {"--map-file", mapFile}));
    String ready;
    ASSERT_TRUE(second.ReadLine(ready, 5000));
    EXPECT_EQ(ready.substr(ready.find(' ') + 1), "COM2");
    EXPECT_EQ(second.Stop(), 0);
    EXPECT_EQ(ResolveSerialDevice("COM1", SerialDeviceMap(mapFile, dir + "/nosys")), device);
}

TEST_F(Simulator, AnswersCommandsAndStreams)
{
    Start({"--rate", "200", "--id", "12"});
    EXPECT_EQ(port, "COM1");
    Send("#SAVE\r\n");
    EXPECT_EQ(Receive(3), "OK\r");
    Send("\xBC\x05");
    const String polled = Receive(100, 500);
    ASSERT_FALSE(polled.empty());
    EXPECT_EQ(polled.find('\r'), polled.size() - 1) << polled;  // exactly one line
    Send("#READ\r\n");
    const String stream = Receive(400);
    EXPECT_GE(std::count(stream.begin(), stream.end(), '\r'), 20);
    Send("#STOP\r\n");
    Receive(100000, 300);  // drain what was under way
    EXPECT_EQ(Receive(1, 300), "");
}

TEST_F(Simulator, SplitFramedStreamStaysIntact)
{
    Start({"--stream", "--rate", "500", "--frame", "--split", "--count", "30"});
    const String got = Receive(100000, 2000);
    EXPECT_EQ(std::count(got.begin(), got.end(), '$'), 30);
    std::size_t pos = 0;
    while ((pos = got.find('\x02', pos)) != String::npos) {
        const std::size_t etb = got.find('\x17', pos);
        ASSERT_NE(etb, String::npos);
        ASSERT_GE(etb, pos + 3);
        EXPECT_EQ(got.substr(etb - 2, 2), BlockCheck(got.substr(pos + 1, etb - pos - 3)));
        EXPECT_EQ(got.substr(etb + 1, 1), "$");
        pos = etb;
    }
}

TEST_F(Simulator, HangsUpAfterTheGivenLines)
{
    // Streaming starts on command: a simulator streaming from its start could hang up before a
    // slow test opens the line at all.
    Start({"--rate", "500", "--hangup-after", "5", "--com", "COM9"});
    Send("#READ\r\n");
    const String got = Receive(1000000, 3000);
    EXPECT_EQ(std::count(got.begin(), got.end(), '\r'), 5);
    EXPECT_TRUE(dev.HungUp());
    EXPECT_EQ(sim.Wait(3000), 0);
    EXPECT_TRUE(ReadSerialMapFile(mapFile).empty());
}

}  // namespace
