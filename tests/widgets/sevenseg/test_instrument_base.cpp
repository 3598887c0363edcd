#include <gtest/gtest.h>

#include <algorithm>

#include "FakeOPCServer.h"
#include "platform/classes/Filer.h"
#include "platform/classes/ObjectText.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/GraphicsObjects.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Streams.h"
#include "widgets/sevenseg/SevenSegmentDisplay.h"

using namespace fakeopc;

namespace {

TOwnedPtr<TiSevenSegmentAnalog> NewReadout()
{
    return TOwnedPtr<TiSevenSegmentAnalog>(new TiSevenSegmentAnalog(nullptr));
}

TEST(InstrumentBase, UpdateCollectsChanges)
{
    auto r = NewReadout();
    r->BeginUpdate();
    r->SetValue(1.0);
    r->SetBackGroundColor(clNavy);
    EXPECT_TRUE(r->Scheduler().ForegroundPending());
    EXPECT_TRUE(r->Scheduler().BackgroundPending());
    r->EndUpdate();
    EXPECT_FALSE(r->Scheduler().AnyPending());
}

TEST(InstrumentBase, FrameRateLimitHoldsAndFlushes)
{
    auto r = NewReadout();
    double now = 1000;
    r->SetRepaintClock([&] { return now; });
    r->SetAutoFrameRate(true);  // a background change: repaints at 1000
    r->SetValue(1.0);
    r->SetValue(2.0);
    EXPECT_TRUE(r->Scheduler().ForegroundPending());
    now += 17;
    testkit::Pump(60);
    EXPECT_FALSE(r->Scheduler().AnyPending());
    // Switching the limit off ends any update and shows what is pending.
    r->SetValue(3.0);
    r->SetAutoFrameRate(false);
    EXPECT_FALSE(r->Scheduler().AnyPending());
}

TEST(InstrumentBase, ErrorStateAndCentre)
{
    auto r = NewReadout();
    EXPECT_FALSE(r->ErrorActive());
    EXPECT_EQ(r->ErrorText(), "Error");
    EXPECT_EQ(r->ErrorFont()->Color(), clRed);
    EXPECT_TRUE(r->ErrorFont()->Style().Contains(fsBold));
    r->SetErrorActive(true);
    EXPECT_TRUE(r->ErrorActive());
    EXPECT_TRUE(r->BackgroundNeedsRedraw());
    EXPECT_EQ(r->GetCenterPoint(), (TPoint{42, 14}));
}

TEST(InstrumentBase, DesignModeHookHasTheLastWord)
{
    auto r = NewReadout();
    EXPECT_FALSE(r->IsDesigning());
    r->SetDesigningHook([](TObject*, bool& designing) { designing = true; });
    EXPECT_TRUE(r->IsDesigning());
    EXPECT_TRUE(r->OPCItems().IsDesigning());
}

TEST(InstrumentBase, TimerStartsOnlyWithADelayOrInterval)
{
    auto r = NewReadout();
    int ticks = 0;
    r->SetInternalTimerHook([&](TObject*) { ++ticks; });
    r->StartTimer(0, 0);
    EXPECT_FALSE(r->TimerRunning());
    r->StartTimer(30, 10);
    EXPECT_TRUE(r->TimerRunning());
    r->StartTimer(5, 5);  // already running: ignored
    testkit::Pump(300);
    EXPECT_GE(ticks, 3);  // the first after 30 ms, then every 10 ms
    r->StopTimer();
    EXPECT_FALSE(r->TimerRunning());
    const int stopped = ticks;
    testkit::Pump(50);
    EXPECT_EQ(ticks, stopped);
}

TEST(InstrumentBase, SetPropertyByName)
{
    auto r = NewReadout();
    struct Case {
        const char* name;
        TOPCVariant value;
        std::function<bool(TiSevenSegmentAnalog&)> check;
    };
    const Case cases[] = {
        {"precision", TOPCVariant("3"), [](auto& a) { return a.Precision() == 3; }},
        {"Precision", TOPCVariant(5), [](auto& a) { return a.Precision() == 5; }},
        {"Value", TOPCVariant(12.5), [](auto& a) { return a.Value() == 12.5; }},
        {"Value", TOPCVariant("-2.25"), [](auto& a) { return a.Value() == -2.25; }},
        {"ShowSign", TOPCVariant("false"), [](auto& a) { return !a.ShowSign(); }},
        {"ShowSign", TOPCVariant("yes"), [](auto& a) { return a.ShowSign(); }},
        {"ShowSign", TOPCVariant(false), [](auto& a) { return !a.ShowSign(); }},
        {"LeadingStyle", TOPCVariant("true"), [](auto& a) { return a.LeadingStyle() == ilsZeros; }},
        {"LeadingStyle", TOPCVariant("0"), [](auto& a) { return a.LeadingStyle() == ilsNone; }},
        {"Font.Color", TOPCVariant(255), [](auto& a) { return a.Font()->Color() == 255; }},
        {"Hint", TOPCVariant(1.5), [](auto& a) { return a.Hint() == "1.5"; }},
    };
    for (const auto& c : cases) {
        r->SetPropertyByName(r.get(), "", c.name, c.value);
        EXPECT_TRUE(c.check(*r)) << c.name << " = " << c.value.ToString();
    }
    EXPECT_THROW(r->SetPropertyByName(r.get(), "", "Precision", TOPCVariant("x")), EConvertError);
    EXPECT_THROW(r->SetPropertyByName(r.get(), "", "LeadingStyle", TOPCVariant("9")), EConvertError);
}

class OPCBinding : public ::testing::Test {
protected:
    OPCBinding()
    {
        item = readout->OPCItems().Add();
        item->SetPropertyName("Value");
        item->SetServerName("Demo.Server");
        item->SetItemName("Line1.X");
        readout->SetOnBeforeNewOPCData(TBeforeOPCNewDataEvent([this](int index, const TOPCVariant& data) {
            seen.push_back("before " + std::to_string(index) + " " + data.ToString());
        }));
        readout->SetOnNewOPCData(
            TIndexObjectEvent([this](int index) { seen.push_back("new " + std::to_string(index)); }));
    }

    RuntimeScope scope;
    TOwnedPtr<TiSevenSegmentAnalog> readout = NewReadout();
    TiOPCItem* item = nullptr;
    std::vector<std::string> seen;
};

TEST_F(OPCBinding, GoodValueReachesTheProperty)
{
    item->Connect();
    scope.runtime->server->lastGroup->SendCallback(TOPCVariant(12.5), 0xC0);
    EXPECT_EQ(readout->Value(), 12.5);
    EXPECT_EQ(seen, (std::vector<std::string>{"before 0 12.5", "new 0"}));
    EXPECT_FALSE(readout->FromOPC());
    // Nothing went back to the server.
    for (const auto& e : scope.runtime->log) EXPECT_NE(e.rfind("Write", 0), 0u) << e;
}

TEST_F(OPCBinding, BadQualityKeepsTheValueButRaisesBothEvents)
{
    item->SetAutoError(true);
    item->Connect();
    scope.runtime->server->lastGroup->SendCallback(TOPCVariant(99.0), 0x00);
    EXPECT_EQ(readout->Value(), 0.0);
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_TRUE(readout->ErrorActive());
    scope.runtime->server->lastGroup->SendCallback(TOPCVariant(98.0), 0xC0);
    EXPECT_FALSE(readout->ErrorActive());
    EXPECT_EQ(readout->Value(), 98.0);
}

TEST_F(OPCBinding, ValueThatDoesNotConvertLeavesTheFlagClear)
{
    item->SetPropertyName("Precision");
    item->Connect();
    EXPECT_THROW(scope.runtime->server->lastGroup->SendCallback(TOPCVariant("many"), 0xC0), EConvertError);
    EXPECT_FALSE(readout->FromOPC());
}

TEST_F(OPCBinding, OutputGoesToTheFirstActiveItemOfTheProperty)
{
    EXPECT_FALSE(readout->OPCOutput("Value", TOPCVariant(1.0)));  // not connected
    item->Connect();
    EXPECT_TRUE(readout->OPCOutput("value", TOPCVariant(4.5)));
    EXPECT_NE(std::find(scope.runtime->log.begin(), scope.runtime->log.end(), "Write 555 4.5"),
              scope.runtime->log.end());
    EXPECT_FALSE(readout->OPCOutput("Precision", TOPCVariant(1)));
}

// The control's stored description carries its bindings as "OPCItems".
TEST_F(OPCBinding, StoredDescriptionRoundTripOfTwoItems)
{
    RegisterSevenSegmentClasses();
    TiOPCItem* second = readout->OPCItems().Add();
    second->SetPropertyName("Precision");
    second->SetServerName("Demo.Server");
    second->SetItemName("Line1.Decimals");
    second->SetAutoConnect(false);
    readout->SetName("ssXValue");
    readout->SetValue(3.25);

    TMemoryStream stream;
    WriteComponentToStream(stream, readout.get());
    stream.SetPosition(0);
    TOwnedPtr<TComponent> copy(ReadComponentFromStream(stream, nullptr));
    auto* r = dynamic_cast<TiSevenSegmentAnalog*>(copy.get());
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Value(), 3.25);
    ASSERT_EQ(r->OPCItems().Count(), 2);
    EXPECT_EQ(r->OPCItems().Items(0)->ItemName(), "Line1.X");
    EXPECT_EQ(r->OPCItems().Items(1)->PropertyName(), "Precision");
    EXPECT_TRUE(r->OPCItems().Items(0)->Active());   // connected on load
    EXPECT_FALSE(r->OPCItems().Items(1)->Active());  // AutoConnect off

    // Data on the restored binding reaches the restored control.
    scope.runtime->server->lastGroup->SendCallback(TOPCVariant(7.0), 0xC0);
    EXPECT_EQ(r->Value(), 7.0);
}

TEST(InstrumentBase, NoItemsNoStoredBinding)
{
    RegisterSevenSegmentClasses();
    auto r = NewReadout();
    r->SetName("plain");
    TMemoryStream stream;
    WriteComponentToStream(stream, r.get());
    const String bytes(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
    EXPECT_EQ(bytes.find("OPCItems"), String::npos);
    EXPECT_NE(bytes.find("TiSevenSegmentAnalog"), String::npos);
}

TEST_F(OPCBinding, TextFormOfTheBinding)
{
    RegisterSevenSegmentClasses();
    item->SetUpdateRate(250);
    readout->SetName("ssYValue");
    const String text = ComponentToText(readout.get());
    EXPECT_NE(text.find("OPCItems = <"), String::npos) << text;
    EXPECT_NE(text.find("PropertyName = 'Value'"), String::npos) << text;
    EXPECT_NE(text.find("UpdateRate = 250"), String::npos) << text;
    EXPECT_NE(text.find("AutoError = False"), String::npos) << text;

    TOwnedPtr<TComponent> copy(TextToComponent(text, nullptr));
    auto* r = dynamic_cast<TiSevenSegmentAnalog*>(copy.get());
    ASSERT_NE(r, nullptr);
    ASSERT_EQ(r->OPCItems().Count(), 1);
    EXPECT_EQ(r->OPCItems().Items(0)->UpdateRate(), 250);
    EXPECT_EQ(r->OPCItems().Items(0)->ServerName(), "Demo.Server");
}

TEST(InstrumentBase, MovingATransparentControlAsksForANewCapture)
{
    auto r = NewReadout();
    r->SetTransparent(true);
    EXPECT_TRUE(r->CapturePending());
    r->SetTransparent(false);
    EXPECT_FALSE(r->CapturePending() && r->Transparent());
    r->SetTransparent(true);
    r->SetBounds(30, 40, r->Width(), r->Height());
    EXPECT_TRUE(r->CapturePending());
}

TEST(InstrumentBase, ControlsAreCreatedByClassName)
{
    RegisterSevenSegmentClasses();
    TOwnedPtr<TComponent> made(
        TextToComponent("object Arrow: TiSevenSegmentCharacter\n"
                        "  Value = sscUpArrow\n"
                        "  SegmentColor = clRed\n"
                        "  BorderStyle = ibsLowered\n"
                        "end\n",
                        nullptr));
    auto* c = dynamic_cast<TiSevenSegmentCharacter*>(made.get());
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->Value(), sscUpArrow);
    EXPECT_EQ(c->SegmentColor(), clRed);
    EXPECT_EQ(c->BorderStyle(), ibsLowered);
    // Written back with the names of the enumerations, defaults left out.
    const String text = ComponentToText(c);
    EXPECT_NE(text.find("Value = sscUpArrow"), String::npos) << text;
    EXPECT_EQ(text.find("ShowOffSegments"), String::npos) << text;
}

}  // namespace
