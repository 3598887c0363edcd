#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/comm/CommDevice.h"
#include "platform/comm/PseudoTerminal.h"

namespace {

using namespace std::chrono_literals;

TEST(CommEvent, ManualReset)
{
    CommEvent e;
    ASSERT_TRUE(e.Valid());
    EXPECT_EQ(e.WaitFor(0), 1);
    e.Signal();
    e.Signal();
    EXPECT_EQ(e.WaitFor(0), 0);
    EXPECT_EQ(e.WaitFor(0), 0);  // stays signalled
    e.Reset();
    EXPECT_EQ(e.WaitFor(0), 1);
    EXPECT_EQ(e.WaitFor(20), 1);
}

TEST(CommEvent, WaitForAnyGivesTheSignalledOne)
{
    CommEvent a, b;
    EXPECT_EQ(WaitForAnyEvent({&a, &b}, 0), -1);
    std::thread t([&] {
        std::this_thread::sleep_for(20ms);
        b.Signal();
    });
    EXPECT_EQ(WaitForAnyEvent({&a, &b}, CommEvent::Infinite), 1);
    t.join();
}

class CommDeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.Open());
        ASSERT_TRUE(dev.Open(pty.DevicePath()));
        TCommState s;
        s.BaudRate = 115200;
        s.ByteSize = 8;
        s.Flags = dcbBinary;
        ASSERT_TRUE(dev.SetState(s));
        ASSERT_TRUE(dev.SetEventMask(EV_RXCHAR | EV_ERR));
    }

    // WaitEvent with a cancel after the given time; 0 means it was cancelled.
    std::uint32_t WaitWithin(std::chrono::milliseconds limit)
    {
        CommEvent cancel, done;
        std::thread t([&] {
            done.WaitFor(static_cast<std::uint32_t>(limit.count()));
            cancel.Signal();
        });
        const std::uint32_t ev = dev.WaitEvent(cancel);
        done.Signal();
        t.join();
        return ev;
    }

    PseudoTerminal pty;
    CommDevice dev;
};

TEST_F(CommDeviceTest, MissingAndBusyDevices)
{
    CommDevice other;
    EXPECT_FALSE(other.Open("/dev/no-such-serial-device"));
    EXPECT_EQ(CommLastError(), ENOENT);
    EXPECT_FALSE(other.Open(pty.DevicePath()));
    EXPECT_EQ(CommLastError(), EBUSY);
    dev.Close();
    EXPECT_TRUE(other.Open(pty.DevicePath()));  // free again once closed
}

TEST_F(CommDeviceTest, RefusedSettingsLeaveTheDeviceAlone)
{
    TCommState s;
    s.BaudRate = 0;
    s.ByteSize = 8;
    EXPECT_FALSE(dev.SetState(s));
    EXPECT_EQ(CommLastError(), EINVAL);
    s.BaudRate = 256000;  // not a standard rate: goes through the custom-rate path
    EXPECT_TRUE(dev.SetState(s));
    EXPECT_EQ(dev.State().BaudRate, 256000u);
}

TEST_F(CommDeviceTest, ReceivedEventOncePerArrival)
{
    ASSERT_TRUE(pty.WriteAll("abc", 3));
    EXPECT_EQ(WaitWithin(2s), EV_RXCHAR);
    // The bytes stay unread: no second event until new ones come.
    EXPECT_EQ(WaitWithin(100ms), 0u);
    ASSERT_TRUE(pty.WriteAll("de", 2));
    EXPECT_EQ(WaitWithin(2s), EV_RXCHAR);
    EXPECT_EQ(dev.InQueueCount(), 5);
    char buffer[8] = {};
    EXPECT_EQ(dev.Read(buffer, 8), 5);
    EXPECT_STREQ(buffer, "abcde");
    EXPECT_EQ(dev.InQueueCount(), 0);
}

TEST_F(CommDeviceTest, FullQueueStopsReadingAndLosesNothing)
{
    ASSERT_TRUE(dev.SetQueueSizes(16, 16));
    String sent;
    for (int i = 0; i < 100; ++i) sent += static_cast<char>('A' + i % 26);
    ASSERT_TRUE(pty.WriteAll(sent.data(), static_cast<int>(sent.size())));
    EXPECT_EQ(WaitWithin(2s), EV_RXCHAR);
    EXPECT_EQ(dev.InQueueCount(), 16);
    String got;
    while (got.size() < sent.size()) {
        char chunk[7];
        const int n = dev.Read(chunk, sizeof chunk);
        ASSERT_GT(n, 0);
        got.append(chunk, static_cast<std::size_t>(n));
    }
    EXPECT_EQ(got, sent);
}

TEST_F(CommDeviceTest, NullStripAndEventCharacter)
{
    TCommState s = dev.State();
    s.Flags |= dcbNull;
    s.EvtChar = '\r';
    ASSERT_TRUE(dev.SetState(s));
    ASSERT_TRUE(dev.SetEventMask(EV_RXCHAR | EV_RXFLAG));
    ASSERT_TRUE(pty.WriteAll("a\0b", 3));
    EXPECT_EQ(WaitWithin(2s), EV_RXCHAR);
    ASSERT_TRUE(pty.WriteAll("c\r", 2));
    EXPECT_EQ(WaitWithin(2s), EV_RXCHAR | EV_RXFLAG);
    char buffer[8] = {};
    EXPECT_EQ(dev.Read(buffer, 8), 4);
    EXPECT_STREQ(buffer, "abc\r");
}

TEST_F(CommDeviceTest, WritesReachTheFarEnd)
{
    EXPECT_EQ(dev.Write("#READ\r\n", 7), 7);
    EXPECT_EQ(pty.ReadFor(2000, 7), "#READ\r\n");
    EXPECT_EQ(dev.WaitWritable(nullptr, 1000), CommDevice::WaitResult::Ready);
}

TEST_F(CommDeviceTest, PseudoTerminalHasNoModemLines)
{
    EXPECT_FALSE(dev.HasModemLines());
    for (int f : {SETDTR, CLRDTR, SETRTS, CLRRTS}) EXPECT_TRUE(dev.EscapeFunction(f)) << f;
    EXPECT_FALSE(dev.EscapeFunction(99));
    std::uint32_t errors = 1;
    TCommStat stat;
    ASSERT_TRUE(pty.WriteAll("xyz", 3));
    std::this_thread::sleep_for(20ms);
    EXPECT_TRUE(dev.ClearError(errors, stat));
    EXPECT_EQ(errors, 0u);
    EXPECT_EQ(stat.cbInQue, 3u);
    // Watching modem lines on a device without them must not wake anybody.
    ASSERT_TRUE(dev.SetEventMask(EV_CTS | EV_DSR | EV_RING | EV_RLSD));
    EXPECT_EQ(WaitWithin(100ms), 0u);
}

TEST_F(CommDeviceTest, HangUpEndsTheWaitWithoutSpinning)
{
    ASSERT_TRUE(pty.WriteAll("12", 2));
    EXPECT_EQ(WaitWithin(2s), EV_RXCHAR);
    pty.Close();
    EXPECT_EQ(WaitWithin(2s) & EV_HANGUP, EV_HANGUP);
    EXPECT_TRUE(dev.HungUp());
    EXPECT_LT(dev.Write("x", 1), 1);
    EXPECT_EQ(dev.WaitWritable(nullptr, 1000), CommDevice::WaitResult::HungUp);
}

TEST_F(CommDeviceTest, CancelledWaits)
{
    CommEvent cancel;
    cancel.Signal();
    EXPECT_EQ(dev.WaitEvent(cancel), 0u);
    // Fill the driver until it refuses more, then a cancelled wait for room returns at once.
    char block[4096] = {};
    while (dev.Write(block, sizeof block) > 0) {
    }
    EXPECT_EQ(dev.WaitWritable(&cancel, CommEvent::Infinite), CommDevice::WaitResult::Cancelled);
}

}  // namespace
