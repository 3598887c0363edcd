#include <gtest/gtest.h>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/TypeInfo.h"
#include "platform/comm/CommDevice.h"
#include "platform/comm/CommState.h"
#include "serial/VaComm.h"
#include "serial/VaConst.h"

namespace {

// Opens up the protected steps of the port.
class OrderPort : public TVaComm {
public:
    explicit OrderPort(TComponent* owner) : TVaComm(owner) {}
    using TVaCustomComm::ApplyEventMask;
    using TVaCustomComm::HandleEvents;
};

TOwnedPtr<TVaComm> NewPort() { return TOwnedPtr<TVaComm>(new TVaComm(nullptr)); }

TEST(VaCommSettings, DefaultRecordAndMask)
{
    auto port = NewPort();
    const TCommState s = port->BuildCommState();
    EXPECT_EQ(s.DCBlength, 0u);
    EXPECT_EQ(s.BaudRate, 1200u);
    EXPECT_EQ(s.Flags, 0x0001u);
    EXPECT_EQ(s.ByteSize, 8);
    EXPECT_EQ(s.Parity, 0);
    EXPECT_EQ(s.StopBits, 0);
    EXPECT_EQ(s.XonLim, 1024);
    EXPECT_EQ(s.XoffLim, 1024);
    EXPECT_EQ(s.XonChar, 17);
    EXPECT_EQ(s.XoffChar, 19);
    EXPECT_EQ(s.ErrorChar | s.EofChar | s.EvtChar, 0);
    EXPECT_EQ(port->FormattedDeviceName(), "\\\\.\\COM0");
    port->SetPortNum(3);
    EXPECT_EQ(port->FormattedDeviceName(), "\\\\.\\COM3");
    EXPECT_EQ(port->DeviceFileName(), "\\\\.\\\\\\.\\COM3");
}

TEST(VaCommSettings, FlagsOfEveryOption)
{
    struct Case {
        const char* name;
        std::function<void(TVaComm&)> set;
        std::uint32_t flags;
    };
    const Case cases[] = {
        {"cts", [](TVaComm& p) { p.FlowControl()->SetOutCtsFlow(true); }, 0x0005},
        {"dsr", [](TVaComm& p) { p.FlowControl()->SetOutDsrFlow(true); }, 0x0009},
        {"dtr on", [](TVaComm& p) { p.FlowControl()->SetControlDtr(dtrEnabled); }, 0x0011},
        {"dtr hs", [](TVaComm& p) { p.FlowControl()->SetControlDtr(dtrHandshake); }, 0x0021},
        {"dsr sens", [](TVaComm& p) { p.FlowControl()->SetDsrSensitivity(true); }, 0x0041},
        {"tx cont", [](TVaComm& p) { p.FlowControl()->SetTxContinueOnXoff(true); }, 0x0081},
        {"xon out", [](TVaComm& p) { p.FlowControl()->SetXonXoffOut(true); }, 0x0101},
        {"xon in", [](TVaComm& p) { p.FlowControl()->SetXonXoffIn(true); }, 0x0201},
        {"err char", [](TVaComm& p) { p.SetOptions({coErrorChar}); }, 0x0401},
        {"null", [](TVaComm& p) { p.SetOptions({coNullStrip}); }, 0x0801},
        {"rts on", [](TVaComm& p) { p.FlowControl()->SetControlRts(rtsEnabled); }, 0x1001},
        {"rts hs", [](TVaComm& p) { p.FlowControl()->SetControlRts(rtsHandshake); }, 0x2001},
        {"rts toggle", [](TVaComm& p) { p.FlowControl()->SetControlRts(rtsToggle); }, 0x3001},
        {"parity chk", [](TVaComm& p) { p.SetOptions({coParityCheck}); }, 0x0003},
        {"all options",
         [](TVaComm& p) {
             p.SetOptions({coErrorChar, coNullStrip, coParityCheck});
         },
         0x0C03},
    };
    for (const Case& c : cases) {
        auto port = NewPort();
        c.set(*port);
        EXPECT_EQ(port->BuildCommState().Flags, c.flags) << c.name;
    }
}

TEST(VaCommSettings, FramingAndRates)
{
    auto port = NewPort();
    const std::pair<TVaBaudrate, std::uint32_t> rates[] = {
        {br110, 110},     {br300, 300},     {br600, 600},       {br1200, 1200},     {br2400, 2400},
        {br4800, 4800},   {br9600, 9600},   {br14400, 14400},   {br19200, 19200},   {br38400, 38400},
        {br56000, 56000}, {br57600, 57600}, {br115200, 115200}, {br128000, 128000}, {br256000, 256000},
    };
    for (const auto& [rate, value] : rates) {
        port->SetBaudrate(rate);
        EXPECT_EQ(port->BuildCommState().BaudRate, value) << value;
    }
    port->SetDatabits(db5);
    port->SetParity(paSpace);
    port->SetStopbits(sb15);
    port->Buffers()->SetXonLimit(10);
    port->Buffers()->SetXoffLimit(20);
    port->EventChars()->SetEventChar('\r');
    port->EventChars()->SetErrorChar('?');
    port->EventChars()->SetEofChar(26);
    const TCommState s = port->BuildCommState();
    EXPECT_EQ(s.ByteSize, 5);
    EXPECT_EQ(s.Parity, 4);
    EXPECT_EQ(s.StopBits, 1);
    EXPECT_EQ(s.XonLim, 10);
    EXPECT_EQ(s.XoffLim, 20);
    EXPECT_EQ(s.EvtChar, '\r');
    EXPECT_EQ(s.ErrorChar, '?');
    EXPECT_EQ(s.EofChar, 26);
}

TEST(VaCommSettings, UserRate)
{
    auto port = NewPort();
    port->SetUserBaudrate(31250);
    EXPECT_EQ(port->Baudrate(), brUser);
    EXPECT_EQ(port->BuildCommState().BaudRate, 31250u);
    port->SetBaudrate(br9600);
    EXPECT_EQ(port->UserBaudrate(), 0);
    port->SetBaudrate(brUser);  // back to the user rate, which is 0 now
    EXPECT_EQ(port->BuildCommState().BaudRate, 0u);
}

TEST(VaCommSettings, EventMask)
{
    struct Case {
        TVaCommEvents events;
        bool direct;
        std::uint32_t mask;
    };
    const Case cases[] = {
        {{ceError, ceRxChar, ceTxEmpty}, false, 0x81},
        {{ceError, ceRxChar, ceTxEmpty}, true, 0x85},
        {{}, false, 0},
        {{ceTxEmpty}, false, 0},
        {{ceBreak, ceCts, ceDsr, ceError, ceRing, ceRlsd, ceRxChar, ceTxEmpty, ceRxFlag, cePErr, ceRx80Full, ceEvent1,
          ceEvent2},
         true,
         0x1FFF},
        {{ceCts, ceRing, ceRxFlag}, false, 0x10A},
    };
    for (const Case& c : cases) {
        OrderPort port(nullptr);
        port.SetMonitorEvents(c.events);
        port.SetDirectWrite(c.direct);
        port.ApplyEventMask();  // stored also while closed
        EXPECT_EQ(port.EventMask(), c.mask) << c.events.Mask();
    }
}

TEST(VaCommSettings, ClosedPortOperations)
{
    auto port = NewPort();
    int closes = 0;
    port->SetOnClose([&](TObject*) { ++closes; });
    char buffer[4];
    EXPECT_EQ(port->SendBytes("abc", 3), 0);
    EXPECT_FALSE(port->SendText("abc"));
    EXPECT_TRUE(port->SendText(""));
    EXPECT_EQ(port->ReceiveBytes(buffer, 4), 0);
    EXPECT_EQ(port->ReceiveText(), "");
    EXPECT_EQ(port->InQueueCount(), 0);
    port->Close();
    EXPECT_EQ(closes, 0);
    EXPECT_NO_THROW(port->SetDtrLine(true));
    EXPECT_NO_THROW(port->SetRtsLine(false));
}

TEST(VaCommSettings, HandshakeRefusesLineUpdates)
{
    struct Case {
        TVaControlDtr dtr;
        TVaControlRts rts;
        bool dtrRefused, rtsRefused;
    };
    const Case cases[] = {
        {dtrHandshake, rtsEnabled, true, false},
        {dtrEnabled, rtsHandshake, false, true},
        {dtrDisabled, rtsToggle, false, true},
    };
    for (const Case& c : cases) {
        auto port = NewPort();
        port->FlowControl()->SetControlDtr(c.dtr);
        port->FlowControl()->SetControlRts(c.rts);
        try {
            port->SetDtrLine(true);
            EXPECT_FALSE(c.dtrRefused);
        } catch (const EVaCommError& e) {
            EXPECT_TRUE(c.dtrRefused);
            EXPECT_EQ(e.Message(), "DTR line updates not allowed when flowcontrol is set to Handshake.");
        }
        try {
            port->SetRtsLine(true);
            EXPECT_FALSE(c.rtsRefused);
        } catch (const EVaCommError& e) {
            EXPECT_TRUE(c.rtsRefused);
            EXPECT_EQ(e.Message(), "RTS line updates not allowed when flowcontrol is set to Handshake or Toggle.");
        }
    }
}

TEST(VaCommSettings, PublishedDefaults)
{
    const TMetaClass& meta = TVaComm::StaticClass();
    const std::pair<const char*, Int64> ordinals[] = {
        {"AutoOpen", 0},
        {"Baudrate", br1200},
        {"Parity", paNone},
        {"Databits", db8},
        {"Stopbits", sb1},
        {"PortNum", 0},
        {"EventPriority", tpNormal},
        {"WritePriority", tpHighest},
        {"DirectWrite", 0},
        {"UpdateDCB", 1},
        {"UserBaudrate", 0},
        {"MonitorEvents", static_cast<Int64>(TVaCommEvents{ceError, ceRxChar, ceTxEmpty}.Mask())},
    };
    for (const auto& [name, def] : ordinals) {
        const TPropInfo* p = meta.FindProperty(name);
        ASSERT_NE(p, nullptr) << name;
        EXPECT_TRUE(p->HasDefault) << name;
        EXPECT_EQ(p->DefaultOrd, def) << name;
    }
    EXPECT_EQ(meta.FindProperty("DeviceName")->DefaultStr, "\\\\.\\COM%d");
    for (const char* event :
         {"OnOpen", "OnClose", "OnCts", "OnDsr", "OnRlsd", "OnRing", "OnBreak", "OnRxFlag", "OnTxEmpty", "OnPErr",
          "OnRx80Full", "OnEvent1", "OnEvent2", "OnError", "OnRxChar", "OnRxBuf"})
        EXPECT_NE(meta.FindProperty(event), nullptr) << event;
    for (const char* group : {"Buffers", "FlowControl", "EventChars", "Display"})
        EXPECT_NE(meta.FindProperty(group), nullptr) << group;
    EXPECT_EQ(GetClass("TVaComm"), &meta);  // stored descriptions can name it
}


TEST(VaCommDispatch, EventOrder)
{
    OrderPort port(nullptr);
    std::vector<String> order;
    auto record = [&](const char* name) { return [&order, name](TObject*) { order.push_back(name); }; };
    port.SetOnRxFlag(record("RxFlag"));
    port.SetOnCts(record("Cts"));
    port.SetOnDsr(record("Dsr"));
    port.SetOnRing(record("Ring"));
    port.SetOnRlsd(record("Rlsd"));
    port.SetOnTxEmpty(record("TxEmpty"));
    port.SetOnBreak(record("Break"));
    port.SetOnPErr(record("PErr"));
    port.SetOnRx80Full(record("Rx80Full"));
    port.SetOnEvent1(record("Event1"));
    port.SetOnEvent2(record("Event2"));
    port.SetOnError([&](TObject*, int) { order.push_back("Error"); });  // closed port: no error flags
    port.HandleEvents(0x1FFE);
    const std::vector<String> expected = {"RxFlag", "Cts",  "Dsr",      "Ring",   "Rlsd",  "TxEmpty",
                                          "Break",  "PErr", "Rx80Full", "Event1", "Event2"};
    EXPECT_EQ(order, expected);
    order.clear();
    port.HandleEvents(EV_CTS | EV_BREAK);
    EXPECT_EQ(order, (std::vector<String>{"Cts", "Break"}));
}

struct RecordingLink : TVaDataLink {
    std::vector<std::uint32_t> masks;
    String data;
    void EventsReceived(std::uint32_t mask) override { masks.push_back(mask); }
    void DataReceived(const void* d, int count) override { data.append(static_cast<const char*>(d), count); }
};

TEST(VaCommDispatch, LinksTakeMasksAndDetach)
{
    OrderPort port(nullptr);
    RecordingLink a, b;
    b.Active = false;
    port.AddLink(&a);
    port.AddLink(&b);
    EXPECT_EQ(a.Port(), &port);
    port.HandleEvents(EV_CTS);
    EXPECT_EQ(a.masks, std::vector<std::uint32_t>{EV_CTS});
    EXPECT_TRUE(b.masks.empty());
    port.SetLinksEnabled(false);
    port.HandleEvents(EV_DSR);
    EXPECT_EQ(a.masks.size(), 1u);
    port.RemoveAllLinks();
    EXPECT_EQ(port.LinkCount(), 0);
    EXPECT_EQ(a.Port(), nullptr);
    {
        RecordingLink gone;
        port.AddLink(&gone);
    }  // a link that goes detaches itself
    EXPECT_EQ(port.LinkCount(), 0);
}

TEST(VaCommSettings, TextFormRoundTrip)
{
    auto port = NewPort();
    port->SetName("VaComm1");
    port->SetBaudrate(br9600);
    port->SetMonitorEvents({ceRxChar, ceCts});
    port->FlowControl()->SetControlRts(rtsHandshake);
    port->EventChars()->SetEofChar(26);
    port->Buffers()->SetReadSize(512);
    const String text = ComponentToText(port.get());
    EXPECT_NE(text.find("Baudrate = br9600"), String::npos) << text;
    EXPECT_EQ(text.find("Parity"), String::npos) << text;  // defaults are not stored
    auto copy = NewPort();
    TextToComponent(text, copy.get());
    EXPECT_EQ(copy->Baudrate(), br9600);
    EXPECT_EQ(copy->MonitorEvents(), (TVaCommEvents{ceRxChar, ceCts}));
    EXPECT_EQ(copy->FlowControl()->ControlRts(), rtsHandshake);
    EXPECT_EQ(copy->EventChars()->EofChar(), 26);
    EXPECT_EQ(copy->Buffers()->ReadSize(), 512);
    EXPECT_EQ(copy->DeviceName(), "\\\\.\\COM%d");
}

}  // namespace
