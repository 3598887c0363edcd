#include "widgets/sevenseg/OPCFunctions.h"

#include <map>
#include <mutex>

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/Strings.h"

const TOPCGuid IID_IOPCShutdown{0xF31DFDE1, 0x07B6, 0x11D2, {0xB2, 0xD8, 0x00, 0x60, 0x08, 0x3B, 0xA1, 0xFB}};
const TOPCGuid IID_IOPCDataCallback{0x39C13A70, 0x011E, 0x11D0, {0x96, 0x75, 0x00, 0x20, 0xAF, 0xD8, 0xAD, 0xB3}};
const TOPCGuid IID_IAdviseSink{0x0000010F, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
const TOPCGuid IID_IOPCServerList{0x13486D50, 0x4821, 0x11D2, {0xA4, 0x94, 0x3C, 0xB3, 0x06, 0xC1, 0x00, 0x00}};
const TOPCGuid CLSID_OPCServerList{0x13486D51, 0x4821, 0x11D2, {0xA4, 0x94, 0x3C, 0xB3, 0x06, 0xC1, 0x00, 0x00}};
const TOPCGuid CATID_OPCDAServer10{0x63D5F430, 0xCFE4, 0x11D1, {0xB2, 0xC8, 0x00, 0x60, 0x08, 0x3B, 0xA1, 0xFB}};
const TOPCGuid CATID_OPCDAServer20{0x63D5F432, 0xCFE4, 0x11D1, {0xB2, 0xC8, 0x00, 0x60, 0x08, 0x3B, 0xA1, 0xFB}};

Cardinal RegisterClipboardFormat(const String& name)
{
    static std::mutex lock;
    static std::map<String, Cardinal> formats;  // names compare without case, as the platform's do
    const std::lock_guard guard(lock);
    const String key = UpperCase(name);
    auto it = formats.find(key);
    if (it != formats.end()) return it->second;
    const Cardinal id = 0xC000 + static_cast<Cardinal>(formats.size());
    formats.emplace(key, id);
    return id;
}

namespace {

struct StreamFormats {
    Cardinal data, dataTime, writeComplete;
};

const StreamFormats& Formats()
{
    static const StreamFormats formats{RegisterClipboardFormat("OPCSTMFORMATDATA"),
                                       RegisterClipboardFormat("OPCSTMFORMATDATATIME"),
                                       RegisterClipboardFormat("OPCSTMFORMATWRITECOMPLETE")};
    return formats;
}

IConnectionPoint* FindPoint(IConnectionPointContainer* container, const TOPCGuid& iid, HRESULT& hr)
{
    IConnectionPoint* point = nullptr;
    hr = container->FindConnectionPoint(iid, point);
    return Succeeded(hr) ? point : nullptr;
}

HRESULT AdviseOn(IConnectionPointContainer* container, const TOPCGuid& iid, std::shared_ptr<IOPCSink> sink,
                 Cardinal& cookie)
{
    if (!container) return E_FAIL;
    HRESULT hr;
    if (IConnectionPoint* point = FindPoint(container, iid, hr)) hr = point->Advise(std::move(sink), cookie);
    return hr;
}

HRESULT UnadviseOn(IConnectionPointContainer* container, const TOPCGuid& iid, Cardinal cookie)
{
    if (!container) return E_FAIL;
    HRESULT hr;
    if (IConnectionPoint* point = FindPoint(container, iid, hr)) hr = point->Unadvise(cookie);
    return hr;
}

}  // namespace

Cardinal OPCStreamFormatData() { return Formats().data; }
Cardinal OPCStreamFormatDataTime() { return Formats().dataTime; }
Cardinal OPCStreamFormatWriteComplete() { return Formats().writeComplete; }

HRESULT OPCAddGroup(const std::shared_ptr<IOPCServer>& server, const String& name, int active, Cardinal updateRate,
                    OPCHANDLE& serverGroup, std::shared_ptr<IOPCItemMgt>& group)
{
    serverGroup = 0;
    group.reset();
    if (!server) return E_FAIL;
    Cardinal revised = 0;
    const HRESULT hr = server->AddGroup(name, active != 0, updateRate, 0, 0.0f, 0, serverGroup, revised, group);
    if (Failed(hr)) group.reset();
    return hr;
}

HRESULT OPCAddItem(const std::shared_ptr<IOPCItemMgt>& group, const String& itemId, OPCHANDLE clientHandle,
                   TVarType requestedType, OPCHANDLE& serverItem, TVarType& canonicalType)
{
    serverItem = 0;
    if (!group) return E_FAIL;
    std::vector<TOPCItemResult> results;
    std::vector<HRESULT> errors;
    HRESULT hr = group->AddItems({TOPCItemDef{"", itemId, true, clientHandle, requestedType}}, results, errors);
    if (Succeeded(hr)) {
        hr = errors.empty() ? E_FAIL : errors.front();
        if (Succeeded(hr) && !results.empty()) {
            serverItem = results.front().ServerHandle;
            canonicalType = results.front().CanonicalDataType;
        }
    }
    return hr;
}

HRESULT OPCRemoveItem(const std::shared_ptr<IOPCItemMgt>& group, OPCHANDLE serverItem)
{
    if (!group) return E_FAIL;
    std::vector<HRESULT> errors;
    HRESULT hr = group->RemoveItems({serverItem}, errors);
    if (Succeeded(hr)) hr = errors.empty() ? E_FAIL : errors.front();
    return hr;
}

HRESULT OPCAdviseStream(const std::shared_ptr<IOPCItemMgt>& group, std::shared_ptr<IAdviseSink> sink,
                        Cardinal& connection)
{
    connection = 0;
    IDataObject* data = group ? group->DataObject() : nullptr;
    if (!data) return E_FAIL;
    TFormatEtc format;
    format.ClipFormat = OPCStreamFormatDataTime();
    const HRESULT hr = data->DAdvise(format, ADVF_PRIMEFIRST, std::move(sink), connection);
    if (Failed(hr)) connection = 0;
    return hr;
}

HRESULT OPCUnadviseStream(const std::shared_ptr<IOPCItemMgt>& group, Cardinal connection)
{
    IDataObject* data = group ? group->DataObject() : nullptr;
    return data ? data->DUnadvise(connection) : E_FAIL;
}

HRESULT OPCAdviseDataCallback(const std::shared_ptr<IOPCItemMgt>& group, std::shared_ptr<IOPCDataCallback> callback,
                              Cardinal& cookie)
{
    return AdviseOn(group ? group->ConnectionPoints() : nullptr, IID_IOPCDataCallback, std::move(callback), cookie);
}

HRESULT OPCUnadviseDataCallback(const std::shared_ptr<IOPCItemMgt>& group, Cardinal cookie)
{
    return UnadviseOn(group ? group->ConnectionPoints() : nullptr, IID_IOPCDataCallback, cookie);
}

HRESULT OPCAdviseShutdown(const std::shared_ptr<IOPCServer>& server, std::shared_ptr<IOPCShutdown> callback,
                          Cardinal& cookie)
{
    return AdviseOn(server ? server->ConnectionPoints() : nullptr, IID_IOPCShutdown, std::move(callback), cookie);
}

HRESULT OPCUnadviseShutdown(const std::shared_ptr<IOPCServer>& server, Cardinal cookie)
{
    return UnadviseOn(server ? server->ConnectionPoints() : nullptr, IID_IOPCShutdown, cookie);
}

HRESULT OPCWriteValue(const std::shared_ptr<IOPCItemMgt>& group, OPCHANDLE serverItem, const TOPCVariant& value)
{
    IOPCSyncIO* io = group ? group->SyncIO() : nullptr;
    if (!io) return E_FAIL;
    std::vector<HRESULT> errors;
    HRESULT hr = io->Write({serverItem}, {value}, errors);
    if (Succeeded(hr)) hr = errors.empty() ? E_FAIL : errors.front();
    return hr;
}

String OPCNormalizeComputerName(const String& computerName)
{
    String name = Trim(computerName);
    if (UpperCase(name) == "LOCAL") name.clear();
    return name;
}

std::shared_ptr<IOPCServerList> OPCCreateServerList(const String& computerName)
{
    std::shared_ptr<IOPCServerList> list;
    try {
        list = OPCRuntime().CreateServerList(OPCNormalizeComputerName(computerName));
    } catch (const Exception& e) {
        throw Exception("Unable to Create IOPCServerList Object : " + e.Message());
    }
    if (!list) throw Exception("Unable to Create IOPCServerList Object");
    return list;
}

TOPCGuid OPCRemoteProgIDToCLSID(const String& computerName, const String& progId,
                                std::shared_ptr<IOPCServerList>& serverList)
{
    TOPCGuid clsid;
    if (Succeeded(OPCRuntime().CLSIDFromProgID(progId, clsid))) return clsid;
    if (!serverList) serverList = OPCCreateServerList(computerName);
    if (Succeeded(serverList->CLSIDFromProgID(progId, clsid))) {
        if (clsid.D1 == 0) OPCRuntime().MessageBeep();
        return clsid;
    }
    for (const TOPCGuid& category : {CATID_OPCDAServer20, CATID_OPCDAServer10}) {
        std::vector<TOPCGuid> classes;
        if (Failed(serverList->EnumClassesOfCategories({category}, {}, classes))) continue;
        for (const TOPCGuid& candidate : classes) {
            String name, userType;
            if (Succeeded(serverList->GetClassDetails(candidate, name, userType)) && name == progId) return candidate;
        }
    }
    throw Exception("Unable to convert ProgID to CLSID");
}
