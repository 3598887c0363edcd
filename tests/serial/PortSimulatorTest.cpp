#include <gtest/gtest.h>

#include "PortFixture.h"
#include "platform/system/ChildProcess.h"
#include "tools/SensorModel.h"

namespace {

class SimulatorPort : public ::testing::Test {
protected:
    void SetUp() override { TThread::SetMainThread(); }
    void TearDown() override
    {
        port.reset();
        sim.Stop();
    }

    void StartSimulator(std::vector<String> args)
    {
        args.insert(args.end(), {"--com", "COM7"});
        ASSERT_TRUE(sim.Start(SENSORSIM_PATH, args, {{"XDG_CONFIG_HOME", home.Dir()}}));
        String ready;
        ASSERT_TRUE(sim.ReadLine(ready, 5000));
        ASSERT_NE(ready.find(" COM7"), String::npos) << ready;
        port = TOwnedPtr<TVaComm>(new TVaComm(nullptr));
        port->SetPortNum(7);
        port->SetBaudrate(br256000);
        port->SetOnRxChar([this](TObject*, int) { received += port->ReceiveText(); });
    }

    ConfigHome home;
    TChildProcess sim;
    TOwnedPtr<TVaComm> port;
    String received;
};

TEST_F(SimulatorPort, FloodArrivesComplete)
{
    const int lines = 20000;
    StartSimulator({"--flood", "--stream", "--count", std::to_string(lines)});
    port->Open();
    ASSERT_TRUE(PumpUntil([&] { return std::count(received.begin(), received.end(), '\r') >= lines; }, 60000));
    SensorModel expected{SensorOptions{}};
    String all;
    for (int i = 0; i < lines; ++i) all += expected.NextDataLine();
    EXPECT_EQ(received, all);
}

TEST_F(SimulatorPort, CommandsRoundTrip)
{
    StartSimulator({"--id", "5"});
    port->Open();
    port->SendText("#QKV5302\r\n");
    port->SendText("#ID9\r\n");
    ASSERT_TRUE(PumpUntil([&] { return received == "OK\r"; }));
    received.clear();
    port->SendText("\xB9\x05");  // the poll now answers to ID 9
    ASSERT_TRUE(PumpUntil([&] { return !received.empty() && received.back() == '\r'; }));
}

// Also the ThreadSanitizer case: build with -DTV_TSAN=ON and run this test.
TEST_F(SimulatorPort, ThousandOpenCloseCyclesWhileDataStreams)
{
    StartSimulator({"--flood", "--stream"});
    int opens = 0, closes = 0;
    port->SetOnOpen([&](TObject*) { ++opens; });
    port->SetOnClose([&](TObject*) { ++closes; });
    std::vector<String> reported;
    Application->SetOnException([&](TObject*, Exception* e) { reported.push_back(e->Message()); });
    for (int cycle = 0; cycle < 1000; ++cycle) {
        const std::size_t before = received.size();
        port->Open();
        if (cycle % 10 == 0)
            ASSERT_TRUE(PumpUntil([&] { return received.size() > before; })) << cycle;
        else
            CheckSynchronize(0);
        if (cycle % 3 == 0) port->SendText("#INFO\r\n");
        port->Close();
    }
    Application->SetOnException(nullptr);
    EXPECT_EQ(opens, 1000);
    EXPECT_EQ(closes, 1000);
    EXPECT_TRUE(reported.empty()) << reported.front();
    EXPECT_GT(received.size(), 0u);
}

TEST_F(SimulatorPort, KilledSimulatorClosesThePort)
{
    StartSimulator({"--rate", "200", "--stream"});
    int closes = 0;
    port->SetOnClose([&](TObject*) { ++closes; });
    std::vector<String> reported;
    Application->SetOnException([&](TObject*, Exception* e) { reported.push_back(e->Message()); });
    port->Open();
    ASSERT_TRUE(PumpUntil([&] { return !received.empty(); }));
    sim.Stop();
    ASSERT_TRUE(PumpUntil([&] { return closes == 1; }));
    Application->SetOnException(nullptr);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0], "Connection to device \\\\.\\COM7 lost (5), Input/output error");
    // The simulator took its line out of the map.
    EXPECT_THROW(port->Open(), EVaCommError);
}

}  // namespace
