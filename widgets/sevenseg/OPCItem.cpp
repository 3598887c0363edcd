#include "widgets/sevenseg/OPCItem.h"

#include "platform/classes/Assign.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Published.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Strings.h"
#include "widgets/sevenseg/OPCFunctions.h"

TV_PUBLISHED(TiOPCItem)
{
    Prop("PropertyName", &TiOPCItem::PropertyName, &TiOPCItem::SetPropertyName);
    Prop("ComputerName", &TiOPCItem::ComputerName, &TiOPCItem::SetComputerName);
    Prop("ServerName", &TiOPCItem::ServerName, &TiOPCItem::SetServerName);
    Prop("ItemName", &TiOPCItem::ItemName, &TiOPCItem::SetItemName);
    Prop("UpdateRate", &TiOPCItem::UpdateRate, &TiOPCItem::SetUpdateRate);
    Prop("AutoConnect", &TiOPCItem::AutoConnect, &TiOPCItem::SetAutoConnect);
    Prop("AutoError", &TiOPCItem::AutoError, &TiOPCItem::SetAutoError);
}

TV_PUBLISHED(TiOPCItemManager) {}

namespace {

// Runs a backend call whose failure the caller does not care about; a backend that raises counts
// as a failed call.
template <class F>
HRESULT Quietly(F&& call) noexcept
{
    try {
        return call();
    } catch (...) {
        return E_FAIL;
    }
}

}  // namespace

TiOPCItem::TiOPCItem(TiOPCItemManager* manager) : manager_(manager) {}

TiOPCItem::~TiOPCItem() { Disconnect(); }

void TiOPCItem::SetServerName(const String& value)
{
    serverName_ = value;
    if (active_) Connect();
}

void TiOPCItem::SetComputerName(const String& value)
{
    computerName_ = value;
    if (active_) Connect();
}

void TiOPCItem::SetItemName(const String& value)
{
    itemName_ = value;
    if (active_) Connect();
}

void TiOPCItem::SetUpdateRate(int value)
{
    updateRate_ = value;
    if (active_) Connect();
}

void TiOPCItem::SetAutoConnect(bool value)
{
    autoConnect_ = value;
    if (active_) Connect();
}

void TiOPCItem::SetAutoError(bool value)
{
    if (AssignIfChanged(autoError_, value) && value) UpdateErrorState();
}

void TiOPCItem::UpdateErrorState()
{
    if (active_ && manager_ && manager_->Owner) manager_->Owner->SetErrorActive(!QualityGood());
}

void TiOPCItem::Connect()
{
    if (autoError_) UpdateErrorState();
    if (server_) Disconnect();
    if (Trim(propertyName_).empty() || Trim(serverName_).empty() || Trim(itemName_).empty()) return;
    active_ = true;
    try {
        ConnectGuarded();
    } catch (...) {
        Disconnect();
        throw;
    }
}

void TiOPCItem::ConnectGuarded()
{
    const String computer = OPCNormalizeComputerName(computerName_);
    try {
        if (!computer.empty()) {
            std::shared_ptr<IOPCServerList> browser;  // lives for this call only
            const TOPCGuid clsid = OPCRemoteProgIDToCLSID(computer, serverName_, browser);
            server_ = OPCRuntime().CreateRemoteServer(computer, clsid);
        } else {
            TOPCGuid clsid;
            if (Failed(OPCRuntime().CLSIDFromProgID(serverName_, clsid)))
                throw Exception("Unable to convert ProgID to CLSID");
            server_ = OPCRuntime().CreateLocalServer(clsid);
        }
    } catch (const Exception& e) {
        throw Exception("Exception : Failed to Connect to Server - " + e.Message());
    }
    if (!server_) throw Exception("Failed to Connect to Server");

    // A server without shutdown notification is accepted.
    auto shutdown = std::make_shared<TiOPCShutdownCallback>();
    shutdown->SetOnShutdown([this](TiOPCShutdownCallback&) { HandleShutdown(); });
    if (Succeeded(OPCAdviseShutdown(server_, shutdown, shutdownCookie_)))
        shutdownCallback_ = shutdown;
    else
        shutdownCookie_ = 0;

    if (Failed(OPCAddGroup(server_, "", -1, static_cast<Cardinal>(updateRate_), groupHandle_, group_)))
        throw Exception("Failed to Add Group");

    TVarType requested = varEmpty;
    if (manager_ && manager_->OnGetDataType()) manager_->OnGetDataType()(propertyName_, requested);
    if (Failed(OPCAddItem(group_, itemName_, 0, requested, itemHandle_, canonicalType_)))
        throw Exception("Failed to Add Item");

    auto callback = std::make_shared<TiOPCDataCallback>();
    callback->SetOnData([this](TiOPCDataCallback& s) { TakeData(s.Value, s.Quality, s.TimeStamp); });
    if (Succeeded(OPCAdviseDataCallback(group_, callback, dataCallbackCookie_)))
        dataCallback_ = callback;
    else
        dataCallbackCookie_ = 0;

    if (dataCallbackCookie_ == 0) {
        // The group has no 2.0 callback: subscribe to the 1.0 stream. Without either the item
        // stays connected and can still write.
        auto sink = std::make_shared<TiOPCAdviseSink>();
        sink->SetOnData([this](TiOPCAdviseSink& s) { TakeData(s.Value, s.Quality, s.TimeStamp); });
        if (Succeeded(OPCAdviseStream(group_, sink, streamConnection_))) adviseSink_ = sink;
    }
}

void TiOPCItem::ForgetCallbacks()
{
    if (auto sink = adviseSink_.lock()) sink->SetOnData(nullptr);
    if (auto callback = dataCallback_.lock()) callback->SetOnData(nullptr);
    if (auto shutdown = shutdownCallback_.lock()) shutdown->SetOnShutdown(nullptr);
    adviseSink_.reset();
    dataCallback_.reset();
    shutdownCallback_.reset();
}

void TiOPCItem::Disconnect() noexcept
{
    active_ = false;
    if (streamConnection_) {
        Quietly([&] { return OPCUnadviseStream(group_, streamConnection_); });
        streamConnection_ = 0;
        if (auto sink = adviseSink_.lock()) sink->SetOnData(nullptr);
        adviseSink_.reset();
    }
    if (dataCallbackCookie_) {
        Quietly([&] { return OPCUnadviseDataCallback(group_, dataCallbackCookie_); });
        dataCallbackCookie_ = 0;
        if (auto callback = dataCallback_.lock()) callback->SetOnData(nullptr);
        dataCallback_.reset();
    }
    if (itemHandle_) {
        Quietly([&] { return OPCRemoveItem(group_, itemHandle_); });
        itemHandle_ = 0;
    }
    if (server_) {
        if (shutdownCookie_) {
            Quietly([&] { return OPCUnadviseShutdown(server_, shutdownCookie_); });
            shutdownCookie_ = 0;
        }
        if (groupHandle_) {
            Quietly([&] { return server_->RemoveGroup(groupHandle_, false); });
            groupHandle_ = 0;
        }
        group_.reset();
        server_.reset();
    }
    ForgetCallbacks();
}

void TiOPCItem::HandleShutdown()
{
    if (group_) {
        if (streamConnection_) Quietly([&] { return OPCUnadviseStream(group_, streamConnection_); });
        if (dataCallbackCookie_) Quietly([&] { return OPCUnadviseDataCallback(group_, dataCallbackCookie_); });
        if (itemHandle_) Quietly([&] { return OPCRemoveItem(group_, itemHandle_); });
    }
    streamConnection_ = 0;
    dataCallbackCookie_ = 0;
    itemHandle_ = 0;
    groupHandle_ = 0;
    shutdownCookie_ = 0;
    ForgetCallbacks();
    group_.reset();
    // The server reference and Active stay: the next Disconnect releases the server.
}

void TiOPCItem::TakeData(const TOPCVariant& value, Word quality, TDateTime timeStamp)
{
    if (!active_) return;
    value_ = value;
    quality_ = quality;
    timeStamp_ = timeStamp;
    if (autoError_) UpdateErrorState();
    if (manager_ && manager_->OnNewData()) manager_->OnNewData()(this);
}

void TiOPCItem::WriteValue(const TOPCVariant& value)
{
    if (!active_) return;
    if (!server_) throw Exception("Data Write Failure - Not Connected to Server");
    if (!group_) throw Exception("Data Write Failure - Not Connected to Group");
    if (!itemHandle_) throw Exception("Data Write Failure - Not Connected to Item");
    if (Failed(Quietly([&] { return OPCWriteValue(group_, itemHandle_, value); })))
        throw Exception("Data Write Failure");
}

void TiOPCItem::Loaded()
{
    try {
        if (autoError_) UpdateErrorState();
        if (autoConnect_ && !(manager_ && manager_->IsDesigning())) Connect();
    } catch (...) {
        // A window being created cannot report it; the item just stays inactive.
    }
}

// ---------------------------------------------------------------------------------------------

TiOPCItemManager::~TiOPCItemManager() { Clear(); }

TiOPCItem* TiOPCItemManager::Add()
{
    auto* item = new TiOPCItem(this);
    items_.push_back(item);
    return item;
}

void TiOPCItemManager::Clear()
{
    while (!items_.empty()) {
        TiOPCItem* first = items_.front();
        items_.erase(items_.begin());
        TObject::Free(first);
    }
}

TiOPCItem* TiOPCItemManager::Items(int index) const
{
    if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + IntToStr(index) + ")");
    return items_[static_cast<size_t>(index)];
}

int TiOPCItemManager::IndexOf(const TiOPCItem* item) const
{
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i] == item) return static_cast<int>(i);
    return -1;
}

bool TiOPCItemManager::IsDesigning()
{
    bool designing = false;
    if (onGetDesigning_) onGetDesigning_(*this, designing);
    return designing;
}

void TiOPCItemManager::WriteData(TWriter& writer)
{
    writer.WriteValue(vaCollection);
    for (TiOPCItem* item : items_) {
        writer.WriteListBegin();
        // Every property, empty texts included: none has a default.
        writer.WriteStr("PropertyName");
        writer.WriteString(item->PropertyName());
        writer.WriteStr("ComputerName");
        writer.WriteString(item->ComputerName());
        writer.WriteStr("ServerName");
        writer.WriteString(item->ServerName());
        writer.WriteStr("ItemName");
        writer.WriteString(item->ItemName());
        writer.WriteStr("UpdateRate");
        writer.WriteInteger(item->UpdateRate());
        writer.WriteStr("AutoConnect");
        writer.WriteBoolean(item->AutoConnect());
        writer.WriteStr("AutoError");
        writer.WriteBoolean(item->AutoError());
        writer.WriteListEnd();
    }
    writer.WriteListEnd();
}

void TiOPCItemManager::ReadData(TReader& reader)
{
    Clear();
    if (reader.NextValue() != vaCollection) {
        reader.SkipValue();
        return;
    }
    reader.ReadValue();
    while (!reader.EndOfList()) {
        TiOPCItem* item = Add();
        reader.ReadListBegin();
        while (!reader.EndOfList()) {
            const String name = reader.ReadStr();
            // Setters are bypassed so that a half-read item never tries to connect.
            if (SameText(name, "PropertyName"))
                item->propertyName_ = reader.ReadString();
            else if (SameText(name, "ComputerName"))
                item->computerName_ = reader.ReadString();
            else if (SameText(name, "ServerName"))
                item->serverName_ = reader.ReadString();
            else if (SameText(name, "ItemName"))
                item->itemName_ = reader.ReadString();
            else if (SameText(name, "UpdateRate"))
                item->updateRate_ = reader.ReadInteger();
            else if (SameText(name, "AutoConnect"))
                item->autoConnect_ = reader.ReadBoolean();
            else if (SameText(name, "AutoError"))
                item->autoError_ = reader.ReadBoolean();
            else if (reader.Error("Property " + name + " does not exist"))
                reader.SkipValue();
            else
                throw EReadError("Error reading OPCItems: Property " + name + " does not exist");
        }
        reader.ReadListEnd();
        item->Loaded();
    }
    reader.ReadListEnd();
}
