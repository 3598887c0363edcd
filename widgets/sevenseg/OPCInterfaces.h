#pragma once
// The component-object and OPC Data Access calls the item binding makes, as abstract interfaces.
// A backend (the platform's component-object runtime, or an in-process server in tests) implements
// them; references are shared pointers, a missing interface is a null pointer.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rtl/Types.h"
#include "widgets/sevenseg/OPCStream.h"
#include "widgets/sevenseg/OPCVariant.h"

using HRESULT = std::int32_t;
using OPCHANDLE = std::uint32_t;

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057);
constexpr HRESULT CO_E_CLASSSTRING = static_cast<HRESULT>(0x800401F3);
constexpr HRESULT CONNECT_E_NOCONNECTION = static_cast<HRESULT>(0x80040200);
constexpr HRESULT OPC_E_INVALIDHANDLE = static_cast<HRESULT>(0xC0040001);
constexpr HRESULT OPC_E_UNKNOWNITEMID = static_cast<HRESULT>(0xC0040007);
constexpr HRESULT OPC_E_BADRIGHTS = static_cast<HRESULT>(0xC0040006);

inline bool Succeeded(HRESULT hr) { return hr >= 0; }
inline bool Failed(HRESULT hr) { return hr < 0; }

struct TOPCGuid {
    std::uint32_t D1 = 0;
    std::uint16_t D2 = 0;
    std::uint16_t D3 = 0;
    std::uint8_t D4[8] = {};
    bool operator==(const TOPCGuid&) const = default;
};

extern const TOPCGuid IID_IOPCShutdown;
extern const TOPCGuid IID_IOPCDataCallback;
extern const TOPCGuid IID_IAdviseSink;
extern const TOPCGuid IID_IOPCServerList;
extern const TOPCGuid CLSID_OPCServerList;
extern const TOPCGuid CATID_OPCDAServer10;
extern const TOPCGuid CATID_OPCDAServer20;

// Base of every object a server may call back.
class IOPCSink {
public:
    virtual ~IOPCSink() = default;
};

class IOPCShutdown : public IOPCSink {
public:
    virtual HRESULT ShutdownRequest(const String& reason) = 0;
};

// One entry of a 2.0 data change: client handle, value, quality, time stamp (UTC FILETIME), error.
struct TOPCItemState {
    OPCHANDLE ClientHandle = 0;
    TOPCVariant Value;
    Word Quality = 0;
    TFileTime TimeStamp;
    HRESULT Error = S_OK;
};

class IOPCDataCallback : public IOPCSink {
public:
    virtual HRESULT OnDataChange(Cardinal transactionId, OPCHANDLE group, HRESULT masterQuality, HRESULT masterError,
                                 const std::vector<TOPCItemState>& items) = 0;
    virtual HRESULT OnReadComplete(Cardinal transactionId, OPCHANDLE group, HRESULT masterQuality, HRESULT masterError,
                                   const std::vector<TOPCItemState>& items) = 0;
    virtual HRESULT OnWriteComplete(Cardinal transactionId, OPCHANDLE group, HRESULT masterError,
                                    const std::vector<OPCHANDLE>& clientHandles,
                                    const std::vector<HRESULT>& errors) = 0;
    virtual HRESULT OnCancelComplete(Cardinal transactionId, OPCHANDLE group) = 0;
};

// Stream description and storage medium of a 1.0 data change.
constexpr Cardinal DVASPECT_CONTENT = 1;
constexpr Cardinal TYMED_HGLOBAL = 1;
constexpr Cardinal ADVF_PRIMEFIRST = 2;

struct TFormatEtc {
    Cardinal ClipFormat = 0;
    Cardinal Aspect = DVASPECT_CONTENT;
    int Index = -1;
    Cardinal Tymed = TYMED_HGLOBAL;
};

// A global memory block; a block that cannot be locked yields no address.
class IGlobalMemory {
public:
    virtual ~IGlobalMemory() = default;
    virtual const Byte* Lock() = 0;
    virtual void Unlock() = 0;
    virtual std::size_t Size() const = 0;
};

struct TStgMedium {
    Cardinal Tymed = TYMED_HGLOBAL;
    IGlobalMemory* HGlobal = nullptr;  // belongs to the caller
};

class IAdviseSink : public IOPCSink {
public:
    virtual void OnDataChange(const TFormatEtc& format, const TStgMedium& medium) = 0;
    virtual void OnViewChange(Cardinal aspect, int index) = 0;
    virtual void OnRename() = 0;
    virtual void OnSave() = 0;
    virtual void OnClose() = 0;
};

class IConnectionPoint {
public:
    virtual ~IConnectionPoint() = default;
    virtual HRESULT Advise(std::shared_ptr<IOPCSink> sink, Cardinal& cookie) = 0;
    virtual HRESULT Unadvise(Cardinal cookie) = 0;
};

class IConnectionPointContainer {
public:
    virtual ~IConnectionPointContainer() = default;
    virtual HRESULT FindConnectionPoint(const TOPCGuid& iid, IConnectionPoint*& point) = 0;
};

class IDataObject {
public:
    virtual ~IDataObject() = default;
    virtual HRESULT DAdvise(const TFormatEtc& format, Cardinal advf, std::shared_ptr<IAdviseSink> sink,
                            Cardinal& connection) = 0;
    virtual HRESULT DUnadvise(Cardinal connection) = 0;
};

class IOPCSyncIO {
public:
    virtual ~IOPCSyncIO() = default;
    virtual HRESULT Write(const std::vector<OPCHANDLE>& serverHandles, const std::vector<TOPCVariant>& values,
                          std::vector<HRESULT>& errors) = 0;
};

struct TOPCItemDef {
    String AccessPath;
    String ItemID;
    bool Active = true;
    OPCHANDLE ClientHandle = 0;
    TVarType RequestedDataType = varEmpty;
};

struct TOPCItemResult {
    OPCHANDLE ServerHandle = 0;
    TVarType CanonicalDataType = varEmpty;
    Cardinal AccessRights = 0;
};

// A group of a server; the other interfaces of the group object are reached through it
// (null when the group does not implement them).
class IOPCItemMgt {
public:
    virtual ~IOPCItemMgt() = default;
    virtual HRESULT AddItems(const std::vector<TOPCItemDef>& items, std::vector<TOPCItemResult>& results,
                             std::vector<HRESULT>& errors) = 0;
    virtual HRESULT RemoveItems(const std::vector<OPCHANDLE>& serverHandles, std::vector<HRESULT>& errors) = 0;
    virtual IDataObject* DataObject() { return nullptr; }
    virtual IConnectionPointContainer* ConnectionPoints() { return nullptr; }
    virtual IOPCSyncIO* SyncIO() { return nullptr; }
};

class IOPCServer {
public:
    virtual ~IOPCServer() = default;
    virtual HRESULT AddGroup(const String& name, bool active, Cardinal requestedUpdateRate, OPCHANDLE clientGroup,
                             float percentDeadband, Cardinal localeId, OPCHANDLE& serverGroup,
                             Cardinal& revisedUpdateRate, std::shared_ptr<IOPCItemMgt>& group) = 0;
    virtual HRESULT RemoveGroup(OPCHANDLE serverGroup, bool force) = 0;
    virtual IConnectionPointContainer* ConnectionPoints() { return nullptr; }
};

class IOPCServerList {
public:
    virtual ~IOPCServerList() = default;
    virtual HRESULT CLSIDFromProgID(const String& progId, TOPCGuid& clsid) = 0;
    // Class identifiers of the servers that implement every category asked for, one per call of the
    // enumeration in the component-object form; here the whole list at once.
    virtual HRESULT EnumClassesOfCategories(const std::vector<TOPCGuid>& implemented,
                                            const std::vector<TOPCGuid>& required, std::vector<TOPCGuid>& classes) = 0;
    virtual HRESULT GetClassDetails(const TOPCGuid& clsid, String& progId, String& userType) = 0;
};

// The component-object runtime: registry look-ups and object creation. Creation failures raise
// Exception with the runtime's message.
class IOPCRuntime {
public:
    virtual ~IOPCRuntime() = default;
    virtual HRESULT CLSIDFromProgID(const String& progId, TOPCGuid& clsid) = 0;
    virtual std::shared_ptr<IOPCServer> CreateLocalServer(const TOPCGuid& clsid) = 0;
    virtual std::shared_ptr<IOPCServer> CreateRemoteServer(const String& computer, const TOPCGuid& clsid) = 0;
    // Null when the browser object gives no IOPCServerList.
    virtual std::shared_ptr<IOPCServerList> CreateServerList(const String& computer) = 0;
    virtual void MessageBeep() {}
};

// The runtime the binding uses: the platform's unless replaced (tests put an in-process one in).
IOPCRuntime& OPCRuntime();
// Replaces the runtime; null restores the platform's. Returns the previous replacement.
std::shared_ptr<IOPCRuntime> SetOPCRuntime(std::shared_ptr<IOPCRuntime> runtime);
