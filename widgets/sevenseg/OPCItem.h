#pragma once
// Binding of one property of an instrument control to one item of an OPC Data Access server, and
// the list of such bindings a control owns (stored with it as "OPCItems").
#include <memory>
#include <vector>

#include "platform/classes/Persistent.h"
#include "widgets/sevenseg/OPCCallbacks.h"
#include "widgets/sevenseg/OPCInterfaces.h"

class TReader;
class TWriter;
class TiOPCItemManager;
class TiOPCItem;

using TOPCGetDesigningEvent = TMethodEvent<void(TiOPCItemManager& Sender, bool& Designing)>;
using TOPCNewDataEvent = TMethodEvent<void(TiOPCItem* Item)>;
using TOPCGetDataTypeEvent = TMethodEvent<void(const String& PropertyName, TVarType& DataType)>;

// What a binding needs of the control that owns it.
class IOPCItemOwner {
public:
    virtual ~IOPCItemOwner() = default;
    virtual void SetErrorActive(bool on) = 0;
};

class TiOPCItem : public TPersistent {
    TV_CLASS(TiOPCItem, TPersistent)
public:
    explicit TiOPCItem(TiOPCItemManager* manager = nullptr);
    ~TiOPCItem() override;

    const String& PropertyName() const { return propertyName_; }
    void SetPropertyName(const String& value) { propertyName_ = value; }
    const String& ServerName() const { return serverName_; }
    void SetServerName(const String& value);
    const String& ComputerName() const { return computerName_; }
    void SetComputerName(const String& value);
    const String& ItemName() const { return itemName_; }
    void SetItemName(const String& value);
    int UpdateRate() const { return updateRate_; }
    void SetUpdateRate(int value);
    bool AutoConnect() const { return autoConnect_; }
    void SetAutoConnect(bool value);
    bool AutoError() const { return autoError_; }
    void SetAutoError(bool value);

    // (Re)connects; raises on failure, after which the item is disconnected and inactive.
    void Connect();
    // Undoes everything Connect built; never raises.
    void Disconnect() noexcept;
    // After the item's settings were read from a stored description: connects when asked to,
    // swallowing every failure.
    void Loaded();
    // Synchronous write; nothing when inactive; raises on failure.
    void WriteValue(const TOPCVariant& value);
    bool QualityGood() const { return (quality_ & 0xC0) == 0xC0; }
    void UpdateErrorState();

    bool Active() const { return active_; }
    const TOPCVariant& Value() const { return value_; }
    Word Quality() const { return quality_; }
    TDateTime TimeStamp() const { return timeStamp_; }
    TVarType CanonicalType() const { return canonicalType_; }
    TiOPCItemManager* Manager() const { return manager_; }
    void SetManager(TiOPCItemManager* manager) { manager_ = manager; }

    // Connection state, for diagnostics.
    bool HasServer() const { return static_cast<bool>(server_); }
    bool HasGroup() const { return static_cast<bool>(group_); }
    OPCHANDLE GroupHandle() const { return groupHandle_; }
    OPCHANDLE ItemHandle() const { return itemHandle_; }
    Cardinal StreamConnection() const { return streamConnection_; }
    Cardinal DataCallbackCookie() const { return dataCallbackCookie_; }
    Cardinal ShutdownCookie() const { return shutdownCookie_; }

private:
    friend class TiOPCItemManager;  // reads the stored settings without reconnecting on each
    void ConnectGuarded();
    void HandleShutdown();
    void TakeData(const TOPCVariant& value, Word quality, TDateTime timeStamp);
    void ForgetCallbacks();

    String propertyName_;
    String serverName_;
    String computerName_ = "Local";
    String itemName_;
    bool autoConnect_ = true;
    int updateRate_ = 500;
    bool active_ = false;
    std::shared_ptr<IOPCServer> server_;
    std::shared_ptr<IOPCItemMgt> group_;
    OPCHANDLE groupHandle_ = 0;
    OPCHANDLE itemHandle_ = 0;
    TVarType canonicalType_ = varEmpty;
    // The server holds the callback objects; the item only watches them, and silences them when it
    // lets go so a late call from the server never reaches a freed item.
    std::weak_ptr<TiOPCAdviseSink> adviseSink_;
    Cardinal streamConnection_ = 0;
    std::weak_ptr<TiOPCDataCallback> dataCallback_;
    Cardinal dataCallbackCookie_ = 0;
    std::weak_ptr<TiOPCShutdownCallback> shutdownCallback_;
    Cardinal shutdownCookie_ = 0;
    TOPCVariant value_;
    TDateTime timeStamp_ = 0.0;
    Word quality_ = 0;
    TiOPCItemManager* manager_ = nullptr;
    bool autoError_ = false;
};

class TiOPCItemManager : public TObject {
    TV_CLASS(TiOPCItemManager, TObject)
public:
    TiOPCItemManager() = default;
    ~TiOPCItemManager() override;

    const TOPCGetDesigningEvent& OnGetDesigning() const { return onGetDesigning_; }
    void SetOnGetDesigning(TOPCGetDesigningEvent handler) { onGetDesigning_ = std::move(handler); }
    const TOPCNewDataEvent& OnNewData() const { return onNewData_; }
    void SetOnNewData(TOPCNewDataEvent handler) { onNewData_ = std::move(handler); }
    const TOPCGetDataTypeEvent& OnGetDataType() const { return onGetDataType_; }
    void SetOnGetDataType(TOPCGetDataTypeEvent handler) { onGetDataType_ = std::move(handler); }
    IOPCItemOwner* Owner = nullptr;

    // A new, unconnected item at the end of the list.
    TiOPCItem* Add();
    void Clear();
    int Count() const { return static_cast<int>(items_.size()); }
    TiOPCItem* Items(int index) const;  // EListError for an index out of range
    int IndexOf(const TiOPCItem* item) const;
    bool HasItems() const { return !items_.empty(); }
    bool IsDesigning();

    // The stored form: a collection of the items' published properties.
    void WriteData(TWriter& writer);
    void ReadData(TReader& reader);

private:
    std::vector<TiOPCItem*> items_;  // owned
    TOPCGetDesigningEvent onGetDesigning_;
    TOPCNewDataEvent onNewData_;
    TOPCGetDataTypeEvent onGetDataType_;
};
