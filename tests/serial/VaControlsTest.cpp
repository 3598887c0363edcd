#include <gtest/gtest.h>

#include "PortFixture.h"
#include "platform/forms/Messages.h"
#include "serial/VaControls.h"

namespace {

class CountingDisplay : public TVaDisplay {
public:
    explicit CountingDisplay(TComponent* owner) : TVaDisplay(owner) {}
    void UpdateDisplay(TVaCustomComm* port) override
    {
        lastPort = port;
        ++updates;
    }
    TVaCustomComm* lastPort = nullptr;
    int updates = 0;
};

TEST(VaGraphicControl, NotificationsFireTheirEventsOnce)
{
    TOwnedPtr<CountingDisplay> display(new CountingDisplay(nullptr));
    std::vector<String> fired;
    display->SetOnMouseEnter([&](TObject*) { fired.push_back("enter"); });
    display->SetOnMouseLeave([&](TObject*) { fired.push_back("leave"); });
    display->SetOnFontChanged([&](TObject*) { fired.push_back("font"); });
    display->SetOnTextChanged([&](TObject*) { fired.push_back("text"); });
    display->Perform(CM_MOUSEENTER);
    display->Perform(CM_MOUSELEAVE);
    display->Perform(CM_FONTCHANGED);
    display->Perform(CM_TEXTCHANGED);
    EXPECT_EQ(fired, (std::vector<String>{"enter", "leave", "font", "text"}));
    display->BeginUpdate();
    display->EndUpdate();
    display->EndUpdate();  // never below 0
    EXPECT_EQ(display->UpdateCount(), 0);
}

TEST_F(PortTest, DisplayFollowsEveryBatchAndLetsGo)
{
    auto* display = new CountingDisplay(nullptr);
    port->SetDisplay(display);
    port->SetOnRxChar([&](TObject*, int) { port->ReceiveText(); });
    port->Open();
    ASSERT_TRUE(pty.WriteAll("x", 1));
    ASSERT_TRUE(PumpUntil([&] { return display->updates > 0; }));
    EXPECT_EQ(display->lastPort, port.get());
    display->Free();
    EXPECT_EQ(port->Display(), nullptr);
    ASSERT_TRUE(pty.WriteAll("y", 1));
    PumpFor(100);  // a batch without a display
}

struct BlockLink : TVaDataLink {
    String data;
    std::vector<String>* order;
    explicit BlockLink(std::vector<String>* o) : order(o) {}
    void EventsReceived(std::uint32_t) override {}
    void DataReceived(const void* d, int count) override
    {
        data.append(static_cast<const char*>(d), count);
        order->push_back("link");
    }
};

TEST_F(PortTest, LinksTakeTheBytesBeforeOnRxBuf)
{
    std::vector<String> order;
    BlockLink link(&order);
    String viaEvent;
    port->AddLink(&link);
    port->SetOnRxChar([&](TObject*, int) { order.push_back("rxchar"); });  // not called while a link takes bytes
    port->SetOnRxBuf([&](TObject*, const void* d, int count) {
        viaEvent.append(static_cast<const char*>(d), count);
        order.push_back("rxbuf");
    });
    port->Open();
    ASSERT_TRUE(pty.WriteAll("abc", 3));
    ASSERT_TRUE(PumpUntil([&] { return viaEvent.size() == 3; }));
    EXPECT_EQ(link.data, "abc");
    EXPECT_EQ(order, (std::vector<String>{"link", "rxbuf"}));
    port->Close();
    port->RemoveLink(&link);
}

}  // namespace
