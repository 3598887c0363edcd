#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "PortFixture.h"
#include "platform/comm/CommDevice.h"

namespace {

TEST_F(PortTest, OpenAndCloseRaiseTheirEvents)
{
    std::vector<String> events;
    port->SetOnOpen([&](TObject* s) { events.push_back(s == port.get() ? "open" : "?"); });
    port->SetOnClose([&](TObject* s) { events.push_back(s == port.get() ? "close" : "?"); });
    port->Open();
    EXPECT_TRUE(port->IsOpen());
    EXPECT_EQ(port->EventMask(), 0x81u);
    port->Close();
    port->Close();  // closed already: nothing
    EXPECT_FALSE(port->IsOpen());
    EXPECT_EQ(events, (std::vector<String>{"open", "close"}));
}

TEST_F(PortTest, RefusalsAndOpenFailures)
{
    struct Case {
        const char* name;
        std::function<void()> action;
        String message;
    };
    TOwnedPtr<TVaComm> other(new TVaComm(nullptr));
    port->Open();
    const Case cases[] = {
        {"open twice", [&] { port->Open(); }, "Can't perform this operation while port is open"},
        {"port number", [&] { port->SetPortNum(3); }, "Can't perform this operation while port is open"},
        {"device name", [&] { port->SetDeviceName("x"); }, "Can't perform this operation while port is open"},
        {"events", [&] { port->SetMonitorEvents({}); }, "Can't perform this operation while port is open"},
        {"direct", [&] { port->SetDirectWrite(true); }, "Can't perform this operation while port is open"},
        {"dcb flag", [&] { port->SetUpdateDCB(false); }, "Can't perform this operation while port is open"},
        {"read size", [&] { port->Buffers()->SetReadSize(100); }, "Can't perform this operation while port is open"},
        {"busy",
         [&] {
             other->SetPortNum(7);
             other->Open();
         },
         "Can't open specified device \\\\.\\COM7 (Error 16, Device or resource busy)"},
        {"missing",
         [&] {
             other->SetPortNum(98);
             other->Open();
         },
         "Specified device not found (\\\\.\\COM98)."},
        {"rate 0",
         [&] {
             port->SetUserBaudrate(0);
             port->SetBaudrate(brUser);
         },
         "Error writing dcb (22), Invalid argument"},
    };
    for (const Case& c : cases) {
        try {
            c.action();
            ADD_FAILURE() << c.name << " raised nothing";
        } catch (const EVaCommError& e) {
            EXPECT_EQ(e.Message(), c.message) << c.name;
        }
    }
    // The refused buffer size is kept for the next open.
    EXPECT_EQ(port->Buffers()->ReadSize(), 100);
    EXPECT_FALSE(other->IsOpen());
}

TEST_F(PortTest, FailedApplyStepLeavesThePortClosed)
{
    int opens = 0;
    port->SetOnOpen([&](TObject*) { ++opens; });
    port->Buffers()->SetReadSize(0);
    try {
        port->Open();
        ADD_FAILURE();
    } catch (const EVaCommError& e) {
        EXPECT_EQ(e.Message(), "Error initializing buffers (22), Invalid argument");
    }
    EXPECT_FALSE(port->IsOpen());
    EXPECT_EQ(opens, 0);
    port->Buffers()->SetReadSize(64);
    port->Open();  // the device was let go
    EXPECT_EQ(opens, 1);
}

TEST_F(PortTest, BytesBothWays)
{
    String received;
    std::vector<int> counts;
    port->SetOnRxChar([&](TObject*, int count) {
        counts.push_back(count);
        received += port->ReceiveText();
    });
    port->Open();
    port->SetRtsLine(true);  // no modem lines on a pseudo-terminal: accepted, no effect
    port->SetDtrLine(true);
    ASSERT_TRUE(pty.WriteAll("12.34 -5.67\r", 12));
    ASSERT_TRUE(PumpUntil([&] { return received.size() >= 12; }));
    EXPECT_EQ(received, "12.34 -5.67\r");
    ASSERT_FALSE(counts.empty());
    EXPECT_GE(counts[0], 1);  // what waited when the batch was handed over
    EXPECT_LE(counts[0], 12);
    EXPECT_TRUE(port->SendText("#READ\r\n"));
    EXPECT_EQ(FarEndReads(7), "#READ\r\n");
}

TEST_F(PortTest, UnreadBytesWaitForTheNextBatch)
{
    port->Open();
    ASSERT_TRUE(pty.WriteAll("abc", 3));
    PumpFor(100);  // a batch without a handler leaves the bytes where they are
    std::vector<int> counts;
    port->SetOnRxChar([&](TObject*, int count) {
        counts.push_back(count);
        port->ReceiveText();
    });
    ASSERT_TRUE(pty.WriteAll("de", 2));
    ASSERT_TRUE(PumpUntil([&] { return !counts.empty(); }));
    EXPECT_EQ(counts[0], 5);
}

TEST_F(PortTest, BurstInSmallPiecesArrivesWholeAndInOrder)
{
    // Pieces of one to three bytes, some back to back and some apart, so that receive events
    // gather several of them while others come alone. The last piece must come through without
    // any further byte behind it to push it out.
    String sent;
    for (int i = 0; sent.size() < 600; ++i) sent += std::to_string(i) + (i % 7 == 0 ? "\r" : " ");
    String received;
    port->SetOnRxChar([&](TObject*, int count) {
        const String text = port->ReceiveText();
        EXPECT_GE(static_cast<int>(text.size()), count);  // more may have come since the event
        received += text;
    });
    port->Open();
    std::thread writer([&] {
        for (std::size_t at = 0, piece = 1; at < sent.size(); at += piece, piece = piece % 3 + 1) {
            const std::size_t n = std::min(piece, sent.size() - at);
            ASSERT_TRUE(pty.WriteAll(sent.data() + at, static_cast<int>(n)));
            if (at % 5 == 0) std::this_thread::sleep_for(std::chrono::microseconds(300));
        }
    });
    const bool whole = PumpUntil([&] { return received.size() >= sent.size(); }, 20000);
    writer.join();
    EXPECT_TRUE(whole) << received.size() << " of " << sent.size() << " bytes";
    EXPECT_EQ(received, sent);
}

TEST_F(PortTest, CloseWhileBytesGatherHandsNothingToTheNextOpen)
{
    String received;
    port->SetOnRxChar([&](TObject*, int) { received += port->ReceiveText(); });
    for (int round = 0; round < 5; ++round) {
        port->Open();
        // The first byte starts a gathering; the rest come while it lasts, and the port closes
        // before the event is raised.
        ASSERT_TRUE(pty.WriteAll("o", 1));
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_TRUE(pty.WriteAll("ld", 2));
        port->Close();
        EXPECT_EQ(received, "") << round;
        port->Open();
        ASSERT_TRUE(pty.WriteAll("new", 3));
        ASSERT_TRUE(PumpUntil([&] { return received.size() >= 3; })) << round;
        PumpFor(20);
        EXPECT_EQ(received, "new") << round;
        port->Close();
        received.clear();
    }
}

TEST_F(PortTest, TxEmptyAfterEveryDrainedQueue)
{
    port->SetMonitorEvents({ceRxChar});  // not asked for, still raised by the write thread
    int empties = 0;
    port->SetOnTxEmpty([&](TObject*) { ++empties; });
    port->Open();
    for (int i = 1; i <= 3; ++i) {
        EXPECT_TRUE(port->SendText("#STOP\r\n"));
        ASSERT_TRUE(PumpUntil([&] { return empties == i; })) << i;
        EXPECT_EQ(FarEndReads(7), "#STOP\r\n");
    }
}

TEST_F(PortTest, FullQueueTimesOut)
{
    port->Buffers()->SetWriteTimeout(50);
    port->Open();
    const String exact(2048, 'x');
    EXPECT_EQ(port->SendBytes(exact.data(), 2048), 2048);  // exactly fills an empty queue
    const String tooBig(2049, 'y');
    try {
        port->SendBytes(tooBig.data(), 2049);
        ADD_FAILURE();
    } catch (const EVaCommError& e) {
        EXPECT_EQ(e.Message(), "Output buffer is full. Please check comm status.");
    }
    EXPECT_EQ(FarEndReads(2048).size(), 2048u);
}

TEST_F(PortTest, DirectWrite)
{
    port->SetDirectWrite(true);
    int empties = 0;
    port->SetOnTxEmpty([&](TObject*) { ++empties; });
    port->Open();
    EXPECT_EQ(port->EventMask(), 0x85u);
    EXPECT_EQ(port->SendBytes("\xBC\x05", 2), 2);
    EXPECT_EQ(FarEndReads(2), "\xBC\x05");
    EXPECT_TRUE(PumpUntil([&] { return empties > 0; }));
}

TEST_F(PortTest, HangUpClosesThePortAndReportsIt)
{
    int closes = 0;
    String data;
    port->SetOnClose([&](TObject*) { ++closes; });
    port->SetOnRxChar([&](TObject*, int) { data += port->ReceiveText(); });
    port->Open();
    ASSERT_TRUE(pty.WriteAll("1 2\r", 4));
    ASSERT_TRUE(PumpUntil([&] { return data.size() == 4; }));
    pty.Close();
    ASSERT_TRUE(PumpUntil([&] { return closes == 1; }));
    EXPECT_FALSE(port->IsOpen());
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0], "Connection to device \\\\.\\COM7 lost (5), Input/output error");
    PumpFor(100);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(reported.size(), 1u);
}

TEST_F(PortTest, HangUpWithoutEventThreadIsFoundByTheWriter)
{
    port->SetMonitorEvents({});
    int closes = 0;
    port->SetOnClose([&](TObject*) { ++closes; });
    port->Open();
    pty.Close();
    port->SendText("#READ\r\n");
    ASSERT_TRUE(PumpUntil([&] { return closes == 1; }));
    EXPECT_EQ(reported.size(), 1u);
}

TEST_F(PortTest, DirectWriteOnALostDevice)
{
    port->SetDirectWrite(true);
    port->SetMonitorEvents({});
    port->Open();
    pty.Close();
    try {
        port->SendText("x");
        ADD_FAILURE();
    } catch (const EVaCommError& e) {
        EXPECT_EQ(e.Message(), "Write error (5), Input/output error");
    }
}

TEST_F(PortTest, CloseFromInsideAHandler)
{
    int closes = 0;
    port->SetOnClose([&](TObject*) { ++closes; });
    port->SetOnRxChar([&](TObject*, int) { port->Close(); });
    port->Open();
    ASSERT_TRUE(pty.WriteAll("x", 1));
    ASSERT_TRUE(PumpUntil([&] { return closes == 1; }));
    EXPECT_FALSE(port->IsOpen());
    port->SetOnRxChar(nullptr);
    port->Open();  // the device is free again at once
    port->SetOnTxEmpty([&](TObject*) { port->Close(); });
    port->SendText("y");
    ASSERT_TRUE(PumpUntil([&] { return closes == 2; }));
}

TEST_F(PortTest, CloseWhileADispatchIsPending)
{
    port->SetOnRxChar([&](TObject*, int) { ADD_FAILURE() << "dispatch after Close"; });
    port->Open();
    ASSERT_TRUE(pty.WriteAll("abc", 3));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the event thread now waits for us
    port->Close();
    PumpFor(50);
}

TEST_F(PortTest, WithoutUpdateDcbTheSettingsAreNeverWritten)
{
    port->SetUpdateDCB(false);
    port->SetUserBaudrate(0);  // would be refused if it were written
    port->Open();
    port->SetParity(paEven);
    EXPECT_TRUE(port->IsOpen());
}

TEST_F(PortTest, AutoOpenAtLoaded)
{
    port->SetAutoOpen(true);
    port->Loaded();
    EXPECT_TRUE(port->IsOpen());
    TOwnedPtr<TVaComm> designed(new TVaComm(nullptr));
    designed->SetDesigning(true);
    designed->SetAutoOpen(true);
    designed->SetPortNum(7);
    designed->Loaded();  // never while being designed
    EXPECT_FALSE(designed->IsOpen());
}

TEST_F(PortTest, UserRateOnTheDevice)
{
    port->SetUserBaudrate(250000);
    port->Open();
    EXPECT_EQ(port->Baudrate(), brUser);
    port->SetBaudrate(br9600);  // applies at once on an open port
    EXPECT_EQ(port->UserBaudrate(), 0);
}

}  // namespace
