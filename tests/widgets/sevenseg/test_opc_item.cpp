#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "FakeOPCServer.h"
#include "platform/classes/Filer.h"
#include "platform/rtl/Streams.h"
#include "widgets/sevenseg/OPCFunctions.h"
#include "widgets/sevenseg/OPCItem.h"

using namespace fakeopc;

namespace {

struct ErrorOwner : IOPCItemOwner {
    std::vector<bool> calls;
    void SetErrorActive(bool on) override { calls.push_back(on); }
};

class OPCItemTest : public ::testing::Test {
protected:
    OPCItemTest()
    {
        manager.Owner = &owner;
        manager.SetOnNewData([this](TiOPCItem* item) { received.push_back(item->Value().ToString()); });
    }

    TiOPCItem* BoundItem(const String& computer = "Local")
    {
        TiOPCItem* item = manager.Add();
        item->SetPropertyName("Value");
        item->SetServerName("Demo.Server");
        item->SetItemName("Line1.Tilt");
        item->SetComputerName(computer);
        return item;
    }

    bool Logged(const std::string& entry) const
    {
        return std::find(rt().log.begin(), rt().log.end(), entry) != rt().log.end();
    }
    bool LoggedPrefix(const std::string& prefix) const
    {
        return std::any_of(rt().log.begin(), rt().log.end(),
                           [&](const std::string& e) { return e.rfind(prefix, 0) == 0; });
    }
    Runtime& rt() const { return *scope.runtime; }

    RuntimeScope scope;
    ErrorOwner owner;
    TiOPCItemManager manager;
    std::vector<std::string> received;
};

std::string ConnectError(TiOPCItem* item)
{
    try {
        item->Connect();
    } catch (const Exception& e) {
        return e.Message();
    }
    return "";
}

std::string WriteError(TiOPCItem* item, const TOPCVariant& v)
{
    try {
        item->WriteValue(v);
    } catch (const Exception& e) {
        return e.Message();
    }
    return "";
}

TEST_F(OPCItemTest, MissingNamesNeverConnect)
{
    for (int missing = 0; missing < 3; ++missing) {
        TiOPCItem* item = BoundItem();
        if (missing == 0) item->SetPropertyName("  ");
        if (missing == 1) item->SetServerName("");
        if (missing == 2) item->SetItemName(" ");
        item->Connect();
        EXPECT_FALSE(item->Active());
        item->WriteValue(TOPCVariant(1.0));  // returns quietly
    }
    EXPECT_TRUE(rt().log.empty());
}

TEST_F(OPCItemTest, ConnectOrderWithTheDataCallback)
{
    TiOPCItem* item = BoundItem();
    item->Connect();
    const Log expected = {
        "CLSIDFromProgID Demo.Server",
        "CreateLocalServer 4660",
        "Server.Advise IOPCShutdown",
        "AddGroup '' active=1 rate=500",
        "AddItems Line1.Tilt type=0 active=1 path=''",
        "Group.Advise IOPCDataCallback",
    };
    EXPECT_EQ(rt().log, expected);
    EXPECT_TRUE(item->Active());
    EXPECT_EQ(item->GroupHandle(), 42u);
    EXPECT_EQ(item->ItemHandle(), 555u);
    EXPECT_EQ(item->CanonicalType(), varDouble);
    EXPECT_NE(item->DataCallbackCookie(), 0u);
    EXPECT_EQ(item->StreamConnection(), 0u);

    rt().server->lastGroup->SendCallback(TOPCVariant(12.5), 0xC0);
    EXPECT_EQ(received, std::vector<std::string>{"12.5"});
    EXPECT_EQ(item->Quality(), 0xC0);
    EXPECT_TRUE(item->QualityGood());
}

TEST_F(OPCItemTest, GroupWithoutCallbackFallsBackToTheStream)
{
    rt().groupCallbacks = false;
    TiOPCItem* item = BoundItem();
    item->Connect();
    EXPECT_TRUE(Logged("DAdvise format=" + std::to_string(OPCStreamFormatDataTime()) + " advf=2 tymed=1 aspect=1"));
    EXPECT_EQ(item->DataCallbackCookie(), 0u);
    EXPECT_EQ(item->StreamConnection(), 7u);

    // A one-item stream in the time form: header, item header, a double.
    std::vector<Byte> s(20 + 20 + 16, 0);
    s[4] = 1;
    s[24] = 40;    // value offset
    s[28] = 0xD8;  // quality
    const double v = -3.25;
    std::memcpy(&s[48], &v, 8);
    s[40] = varDouble;
    rt().server->lastGroup->SendStream(s, OPCStreamFormatDataTime());
    EXPECT_EQ(received, std::vector<std::string>{"-3.25"});
    EXPECT_EQ(item->Quality(), 0xD8);
    EXPECT_EQ(item->TimeStamp(), 0.0);
}

TEST_F(OPCItemTest, NoSubscriptionStillConnectsAndWrites)
{
    rt().groupCallbacks = false;
    rt().groupStreams = false;
    TiOPCItem* item = BoundItem();
    item->Connect();
    EXPECT_TRUE(item->Active());
    EXPECT_EQ(WriteError(item, TOPCVariant(2.0)), "");
    EXPECT_TRUE(Logged("Write 555 2"));
}

TEST_F(OPCItemTest, ServerWithoutShutdownNotificationIsAccepted)
{
    rt().shutdownPoint = false;
    TiOPCItem* item = BoundItem();
    item->Connect();
    EXPECT_TRUE(item->Active());
    EXPECT_EQ(item->ShutdownCookie(), 0u);
    item->Disconnect();
    EXPECT_FALSE(LoggedPrefix("Server.Unadvise"));
}

TEST_F(OPCItemTest, LocalComputerNamesSkipTheServerBrowser)
{
    for (const String name : {"local", "  LOCAL ", "", "Local"}) {
        rt().log.clear();
        TiOPCItem* item = BoundItem(name);
        item->Connect();
        EXPECT_TRUE(item->Active()) << name;
        EXPECT_FALSE(LoggedPrefix("CreateServerList")) << name;
        EXPECT_TRUE(LoggedPrefix("CreateLocalServer")) << name;
    }
}

TEST_F(OPCItemTest, RemoteServerResolvedThroughTheBrowser)
{
    rt().registry.clear();
    rt().serverList = std::make_shared<ServerList>(rt().log);
    rt().serverList->catalogue["Other.Server"] = {TOPCGuid{0x77}, true};
    rt().serverList->catalogue["Demo.Server"] = {TOPCGuid{0x99}, false};  // a DA 1.0 server
    TiOPCItem* item = BoundItem(" plant7 ");
    item->Connect();
    const Log expected = {
        "CLSIDFromProgID Demo.Server",
        "CreateServerList plant7",
        "List.CLSIDFromProgID Demo.Server",
        "List.Enum DA2",
        "List.Enum DA1",
        "CreateRemoteServer plant7 153",
    };
    EXPECT_EQ(Log(rt().log.begin(), rt().log.begin() + 6), expected);
    EXPECT_TRUE(item->Active());
}

TEST_F(OPCItemTest, BrowserAnswerWithAZeroClassBeeps)
{
    rt().registry.clear();
    rt().serverList = std::make_shared<ServerList>(rt().log);
    rt().serverList->known["Demo.Server"] = TOPCGuid{0};
    TiOPCItem* item = BoundItem("plant7");
    item->Connect();
    EXPECT_TRUE(Logged("Beep"));
    EXPECT_TRUE(Logged("CreateRemoteServer plant7 0"));
}

TEST_F(OPCItemTest, ConnectFailuresLeaveTheItemDisconnected)
{
    struct Case {
        const char* name;
        std::function<void(Runtime&)> arrange;
        String computer;
        std::string message;
    };
    const Case cases[] = {
        {"creation raises", [](Runtime& r) { r.createError = "Class not registered"; }, "Local",
         "Exception : Failed to Connect to Server - Class not registered"},
        {"unknown ProgID", [](Runtime& r) { r.registry.clear(); }, "",
         "Exception : Failed to Connect to Server - Unable to convert ProgID to CLSID"},
        {"no server interface", [](Runtime& r) { r.noServer = true; }, "Local", "Failed to Connect to Server"},
        {"no browser", [](Runtime& r) { r.registry.clear(); }, "plant7",
         "Exception : Failed to Connect to Server - Unable to Create IOPCServerList Object"},
        {"browser raises",
         [](Runtime& r) {
             r.registry.clear();
             r.serverListError = "Access is denied";
         },
         "plant7",
         "Exception : Failed to Connect to Server - Unable to Create IOPCServerList Object : Access is denied"},
        {"browser does not know it",
         [](Runtime& r) {
             r.registry.clear();
             r.serverList = std::make_shared<ServerList>(r.log);
         },
         "plant7", "Exception : Failed to Connect to Server - Unable to convert ProgID to CLSID"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RuntimeScope fresh;
        c.arrange(*fresh.runtime);
        TiOPCItemManager m;
        TiOPCItem* item = m.Add();
        item->SetPropertyName("Value");
        item->SetServerName("Demo.Server");
        item->SetItemName("X");
        item->SetComputerName(c.computer);
        EXPECT_EQ(ConnectError(item), c.message);
        EXPECT_FALSE(item->Active());
        EXPECT_FALSE(item->HasServer());
    }
}

TEST_F(OPCItemTest, AddGroupAndAddItemFailuresRaiseAndUndo)
{
    struct Case {
        HRESULT groupResult, itemResult;
        std::string message;
        bool removesGroup;
    };
    for (const Case& c : {Case{E_FAIL, S_OK, "Failed to Add Group", false},
                          Case{S_OK, OPC_E_UNKNOWNITEMID, "Failed to Add Item", true}}) {
        SCOPED_TRACE(c.message);
        rt().log.clear();
        rt().addGroupResult = c.groupResult;
        rt().itemError = c.itemResult;
        TiOPCItem* item = BoundItem();
        EXPECT_EQ(ConnectError(item), c.message);
        EXPECT_FALSE(item->Active());
        EXPECT_FALSE(item->HasServer());
        EXPECT_FALSE(item->HasGroup());
        EXPECT_TRUE(Logged("Server.Unadvise IOPCShutdown"));
        EXPECT_EQ(Logged("RemoveGroup 42 force=0"), c.removesGroup);
        EXPECT_FALSE(LoggedPrefix("RemoveItems"));
    }
}

TEST_F(OPCItemTest, ShutdownRequestLetsGoOfTheGroup)
{
    TiOPCItem* item = BoundItem();
    item->Connect();
    rt().log.clear();
    rt().server->RequestShutdown();
    const Log expected = {"Group.Unadvise IOPCDataCallback", "RemoveItems 555"};
    EXPECT_EQ(rt().log, expected);
    EXPECT_TRUE(item->Active());
    EXPECT_TRUE(item->HasServer());
    EXPECT_FALSE(item->HasGroup());
    EXPECT_EQ(WriteError(item, TOPCVariant(1.0)), "Data Write Failure - Not Connected to Group");

    rt().log.clear();
    item->Disconnect();
    EXPECT_TRUE(rt().log.empty());  // no RemoveGroup, no shutdown unadvise
    EXPECT_FALSE(item->HasServer());
}

TEST_F(OPCItemTest, DisconnectUndoesEverythingInOrder)
{
    rt().groupCallbacks = false;
    TiOPCItem* item = BoundItem();
    item->Connect();
    rt().log.clear();
    item->Disconnect();
    const Log expected = {"DUnadvise 7", "RemoveItems 555", "Server.Unadvise IOPCShutdown", "RemoveGroup 42 force=0"};
    EXPECT_EQ(rt().log, expected);
    EXPECT_FALSE(item->Active());
    EXPECT_EQ(item->ItemHandle(), 0u);
    EXPECT_EQ(item->GroupHandle(), 0u);
}

TEST_F(OPCItemTest, LateCallsFromTheServerReachNoOne)
{
    TiOPCItem* item = BoundItem();
    item->Connect();
    auto group = rt().server->lastGroup;
    group->ConnectionPointsOf().keepSinks = true;  // a server that ignores the unadvise
    item->Disconnect();
    group->SendCallback(TOPCVariant(9.0), 0xC0);
    EXPECT_TRUE(received.empty());
    manager.Clear();  // the item is gone; the server still holds the callback
    group->SendCallback(TOPCVariant(9.5), 0xC0);
    EXPECT_TRUE(received.empty());
}

TEST_F(OPCItemTest, QualityDrivesTheOwnersErrorState)
{
    TiOPCItem* item = BoundItem();
    item->SetAutoError(true);  // inactive yet: no effect
    EXPECT_TRUE(owner.calls.empty());
    item->Connect();
    owner.calls.clear();
    struct Case {
        Word quality;
        bool good;
    };
    for (const Case c :
         {Case{0x00C0, true}, Case{0x00D8, true}, Case{0x0040, false}, Case{0x0000, false}, Case{0x0080, false}}) {
        rt().server->lastGroup->SendCallback(TOPCVariant(1.0), c.quality);
        EXPECT_EQ(item->QualityGood(), c.good) << c.quality;
        ASSERT_FALSE(owner.calls.empty());
        EXPECT_EQ(owner.calls.back(), !c.good) << c.quality;
    }
    // Without AutoError the quality is only recorded.
    item->SetAutoError(false);
    owner.calls.clear();
    rt().server->lastGroup->SendCallback(TOPCVariant(1.0), 0);
    EXPECT_TRUE(owner.calls.empty());
}

TEST_F(OPCItemTest, WriteFailures)
{
    TiOPCItem* item = BoundItem();
    item->Connect();
    auto group = rt().server->lastGroup;
    EXPECT_EQ(WriteError(item, TOPCVariant("on")), "");
    EXPECT_TRUE(Logged("Write 555 on"));
    group->writeError = OPC_E_BADRIGHTS;
    EXPECT_EQ(WriteError(item, TOPCVariant(1.0)), "Data Write Failure");
    group->writeError = S_OK;
    group->writeCallResult = E_FAIL;
    EXPECT_EQ(WriteError(item, TOPCVariant(1.0)), "Data Write Failure");
    group->writeCallResult = S_OK;
    group->syncIO = false;
    EXPECT_EQ(WriteError(item, TOPCVariant(1.0)), "Data Write Failure");
}

TEST_F(OPCItemTest, ConnectionSettersReconnectOnlyWhileActive)
{
    TiOPCItem* item = BoundItem();
    item->SetUpdateRate(250);  // inactive: just stored
    EXPECT_TRUE(rt().log.empty());
    item->Connect();
    rt().log.clear();
    item->SetUpdateRate(100);
    EXPECT_TRUE(Logged("RemoveGroup 42 force=0"));
    EXPECT_TRUE(Logged("AddGroup '' active=1 rate=100"));
    EXPECT_TRUE(item->Active());
    rt().log.clear();
    item->SetPropertyName("Precision");
    EXPECT_TRUE(rt().log.empty());
    for (auto set :
         {+[](TiOPCItem* i) { i->SetServerName("Demo.Server"); }, +[](TiOPCItem* i) { i->SetComputerName("local"); },
          +[](TiOPCItem* i) { i->SetItemName("Line1.Tilt"); }, +[](TiOPCItem* i) { i->SetAutoConnect(false); }}) {
        rt().log.clear();
        set(item);
        EXPECT_TRUE(LoggedPrefix("AddGroup"));
    }
}

TEST_F(OPCItemTest, RequestedTypeComesFromTheOwner)
{
    manager.SetOnGetDataType([](const String& name, TVarType& type) {
        EXPECT_EQ(name, "Value");
        EXPECT_EQ(type, varEmpty);
        type = varDouble;
    });
    BoundItem()->Connect();
    EXPECT_TRUE(Logged("AddItems Line1.Tilt type=5 active=1 path=''"));
}

TEST(OPCPlatformRuntime, EveryConnectFails)
{
    TiOPCItemManager m;
    TiOPCItem* item = m.Add();
    item->SetPropertyName("Value");
    item->SetServerName("Vendor.OPC.1");
    item->SetItemName("Tag");
    EXPECT_EQ(ConnectError(item), "Exception : Failed to Connect to Server - Unable to convert ProgID to CLSID");
    item->SetComputerName("plant7");
    EXPECT_EQ(ConnectError(item), "Exception : Failed to Connect to Server - Unable to Create IOPCServerList Object");
    EXPECT_FALSE(item->Active());
}

TEST(OPCFunctions, NullInterfacesGiveEFail)
{
    OPCHANDLE handle = 99;
    TVarType type = varEmpty;
    EXPECT_EQ(OPCAddItem(nullptr, "x", 0, varEmpty, handle, type), E_FAIL);
    EXPECT_EQ(handle, 0u);
    std::shared_ptr<IOPCItemMgt> group;
    EXPECT_EQ(OPCAddGroup(nullptr, "", -1, 500, handle, group), E_FAIL);
    Cardinal cookie = 5;
    EXPECT_EQ(OPCAdviseStream(nullptr, nullptr, cookie), E_FAIL);
    EXPECT_EQ(cookie, 0u);
    EXPECT_EQ(OPCRemoveItem(nullptr, 1), E_FAIL);
    EXPECT_EQ(OPCUnadviseStream(nullptr, 1), E_FAIL);
    EXPECT_EQ(OPCAdviseDataCallback(nullptr, nullptr, cookie), E_FAIL);
    EXPECT_EQ(OPCUnadviseDataCallback(nullptr, 1), E_FAIL);
    EXPECT_EQ(OPCAdviseShutdown(nullptr, nullptr, cookie), E_FAIL);
    EXPECT_EQ(OPCUnadviseShutdown(nullptr, 1), E_FAIL);
    EXPECT_EQ(OPCWriteValue(nullptr, 1, TOPCVariant(1.0)), E_FAIL);
}

TEST(OPCFunctions, NormalizeComputerName)
{
    const std::pair<String, String> cases[] = {
        {" local ", ""}, {"Local", ""}, {"LOCAL", ""}, {"", ""}, {"  plant7 ", "plant7"}, {"localhost", "localhost"},
    };
    for (const auto& [in, out] : cases) EXPECT_EQ(OPCNormalizeComputerName(in), out) << in;
}

TEST(OPCItemManager, ListAccess)
{
    TiOPCItemManager m;
    EXPECT_FALSE(m.HasItems());
    TiOPCItem* a = m.Add();
    TiOPCItem* b = m.Add();
    EXPECT_EQ(m.Count(), 2);
    EXPECT_EQ(m.Items(1), b);
    EXPECT_EQ(m.IndexOf(a), 0);
    EXPECT_EQ(m.IndexOf(nullptr), -1);
    EXPECT_EQ(a->Manager(), &m);
    EXPECT_THROW(m.Items(2), EListError);
    m.Clear();
    EXPECT_FALSE(m.HasItems());
}

// The stored form travels inside a component stream; here it is written and read on its own.
std::vector<Byte> Stored(TiOPCItemManager& m)
{
    TMemoryStream stream;
    {
        TWriter writer(stream);
        m.WriteData(writer);
    }
    return std::vector<Byte>(stream.Memory(), stream.Memory() + stream.Size());
}

void Restore(TiOPCItemManager& m, const std::vector<Byte>& bytes)
{
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
    stream.SetPosition(0);
    TReader reader(stream);
    m.ReadData(reader);
}

TEST_F(OPCItemTest, StoredItemsRoundTripAndConnect)
{
    TiOPCItem* a = BoundItem();
    a->SetUpdateRate(250);
    a->SetAutoError(true);
    TiOPCItem* b = manager.Add();
    b->SetPropertyName("Precision");
    b->SetServerName("Demo.Server");
    b->SetItemName("Line1.Decimals");
    b->SetComputerName("");
    b->SetAutoConnect(false);
    const auto bytes = Stored(manager);

    TiOPCItemManager copy;
    copy.Owner = &owner;
    Restore(copy, bytes);
    ASSERT_EQ(copy.Count(), 2);
    const TiOPCItem* ra = copy.Items(0);
    const TiOPCItem* rb = copy.Items(1);
    EXPECT_EQ(ra->PropertyName(), "Value");
    EXPECT_EQ(ra->ServerName(), "Demo.Server");
    EXPECT_EQ(ra->ItemName(), "Line1.Tilt");
    EXPECT_EQ(ra->ComputerName(), "Local");
    EXPECT_EQ(ra->UpdateRate(), 250);
    EXPECT_TRUE(ra->AutoConnect());
    EXPECT_TRUE(ra->AutoError());
    EXPECT_EQ(rb->PropertyName(), "Precision");
    EXPECT_EQ(rb->ComputerName(), "");
    EXPECT_FALSE(rb->AutoConnect());
    EXPECT_FALSE(rb->AutoError());
    // The first connects (AutoConnect), the second stays idle.
    EXPECT_TRUE(ra->Active());
    EXPECT_FALSE(rb->Active());
    EXPECT_EQ(ra->Manager(), &copy);

    // Reading again replaces the items.
    Restore(copy, bytes);
    EXPECT_EQ(copy.Count(), 2);
}

TEST_F(OPCItemTest, StoredItemsDoNotConnectWhileDesigning)
{
    BoundItem();
    const auto bytes = Stored(manager);
    TiOPCItemManager copy;
    copy.SetOnGetDesigning([](TiOPCItemManager&, bool& designing) { designing = true; });
    rt().log.clear();
    Restore(copy, bytes);
    ASSERT_EQ(copy.Count(), 1);
    EXPECT_FALSE(copy.Items(0)->Active());
    EXPECT_TRUE(rt().log.empty());
}

TEST_F(OPCItemTest, StoredItemThatCannotConnectIsKeptInactive)
{
    BoundItem();
    const auto bytes = Stored(manager);
    rt().createError = "Server busy";
    TiOPCItemManager copy;
    EXPECT_NO_THROW(Restore(copy, bytes));
    ASSERT_EQ(copy.Count(), 1);
    EXPECT_FALSE(copy.Items(0)->Active());
}

TEST(OPCItemManager, AnythingButACollectionLeavesItEmpty)
{
    TMemoryStream stream;
    {
        TWriter writer(stream);
        writer.WriteInteger(5);
        writer.WriteString("after");
    }
    stream.SetPosition(0);
    TReader reader(stream);
    TiOPCItemManager m;
    m.Add();
    m.ReadData(reader);
    EXPECT_FALSE(m.HasItems());
    EXPECT_EQ(reader.ReadString(), "after");  // the odd value was consumed, nothing more
}

TEST(OPCItemManager, UnknownStoredPropertyIsAClearError)
{
    TMemoryStream stream;
    {
        TWriter writer(stream);
        writer.WriteValue(vaCollection);
        writer.WriteListBegin();
        writer.WriteStr("PropertyName");
        writer.WriteString("Value");
        writer.WriteStr("Colour");
        writer.WriteInteger(3);
        writer.WriteListEnd();
        writer.WriteListEnd();
    }
    stream.SetPosition(0);
    TReader reader(stream);
    TiOPCItemManager m;
    try {
        m.ReadData(reader);
        ADD_FAILURE() << "read an unknown property";
    } catch (const EReadError& e) {
        EXPECT_NE(e.Message().find("Colour"), String::npos) << e.Message();
    }

    // A reader that skips unknown properties reads the rest.
    stream.SetPosition(0);
    TReader lenient(stream);
    lenient.SetOnError([](TReader&, const String&, bool& handled) { handled = true; });
    m.ReadData(lenient);
    ASSERT_EQ(m.Count(), 1);
    EXPECT_EQ(m.Items(0)->PropertyName(), "Value");
}

}  // namespace
