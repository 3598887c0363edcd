#pragma once
// An in-process OPC Data Access server behind the binding's backend interfaces. Every call is
// logged; each refusal the binding must cope with can be switched on.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/Exceptions.h"
#include "widgets/sevenseg/OPCInterfaces.h"

namespace fakeopc {

using Log = std::vector<std::string>;

class Points : public IConnectionPointContainer {
public:
    Points(Log& log, std::string owner) : log_(log), owner_(std::move(owner)) {}

    struct Point : IConnectionPoint {
        Points* outer = nullptr;
        std::string name;
        std::map<Cardinal, std::shared_ptr<IOPCSink>> sinks;
        HRESULT Advise(std::shared_ptr<IOPCSink> sink, Cardinal& cookie) override
        {
            outer->log_.push_back(outer->owner_ + ".Advise " + name);
            if (outer->refuseAdvise) return CONNECT_E_NOCONNECTION;
            cookie = outer->nextCookie_++;
            sinks[cookie] = std::move(sink);
            return S_OK;
        }
        HRESULT Unadvise(Cardinal cookie) override
        {
            outer->log_.push_back(outer->owner_ + ".Unadvise " + name);
            if (!outer->keepSinks) sinks.erase(cookie);
            return S_OK;
        }
    };

    void Offer(const TOPCGuid& iid, const std::string& name)
    {
        auto& p = points_[Key(iid)];
        p.outer = this;
        p.name = name;
    }
    HRESULT FindConnectionPoint(const TOPCGuid& iid, IConnectionPoint*& point) override
    {
        auto it = points_.find(Key(iid));
        point = it == points_.end() ? nullptr : &it->second;
        return point ? S_OK : CONNECT_E_NOCONNECTION;
    }
    template <class T>
    std::vector<std::shared_ptr<T>> Sinks(const TOPCGuid& iid)
    {
        std::vector<std::shared_ptr<T>> out;
        auto it = points_.find(Key(iid));
        if (it != points_.end())
            for (auto& [cookie, sink] : it->second.sinks) out.push_back(std::dynamic_pointer_cast<T>(sink));
        return out;
    }

    bool refuseAdvise = false;
    bool keepSinks = false;  // a server that keeps calling after Unadvise

private:
    static std::uint32_t Key(const TOPCGuid& g) { return g.D1; }
    Log& log_;
    std::string owner_;
    std::map<std::uint32_t, Point> points_;
    Cardinal nextCookie_ = 100;
};

class Block : public IGlobalMemory {
public:
    explicit Block(std::vector<Byte> b) : bytes_(std::move(b)) {}
    const Byte* Lock() override { return bytes_.data(); }
    void Unlock() override {}
    std::size_t Size() const override { return bytes_.size(); }

private:
    std::vector<Byte> bytes_;
};

class Group : public IOPCItemMgt, public IDataObject, public IOPCSyncIO {
public:
    Group(Log& log, bool callbacks) : log_(log), points_(log, "Group")
    {
        if (callbacks) points_.Offer(IID_IOPCDataCallback, "IOPCDataCallback");
    }

    HRESULT AddItems(const std::vector<TOPCItemDef>& items, std::vector<TOPCItemResult>& results,
                     std::vector<HRESULT>& errors) override
    {
        const auto& d = items.at(0);
        log_.push_back("AddItems " + d.ItemID + " type=" + std::to_string(d.RequestedDataType) +
                       " active=" + std::to_string(d.Active) + " path='" + d.AccessPath + "'");
        results.assign(1, TOPCItemResult{555, varDouble, 3});
        errors.assign(1, itemError);
        return S_OK;
    }
    HRESULT RemoveItems(const std::vector<OPCHANDLE>& handles, std::vector<HRESULT>& errors) override
    {
        log_.push_back("RemoveItems " + std::to_string(handles.at(0)));
        errors.assign(1, S_OK);
        return S_OK;
    }
    IDataObject* DataObject() override { return streams ? this : nullptr; }
    IConnectionPointContainer* ConnectionPoints() override { return &points_; }
    IOPCSyncIO* SyncIO() override { return syncIO ? this : nullptr; }

    HRESULT DAdvise(const TFormatEtc& format, Cardinal advf, std::shared_ptr<IAdviseSink> sink,
                    Cardinal& connection) override
    {
        log_.push_back("DAdvise format=" + std::to_string(format.ClipFormat) + " advf=" + std::to_string(advf) +
                       " tymed=" + std::to_string(format.Tymed) + " aspect=" + std::to_string(format.Aspect));
        streamFormat = format;
        connection = 7;
        streamSink = std::move(sink);
        return S_OK;
    }
    HRESULT DUnadvise(Cardinal connection) override
    {
        log_.push_back("DUnadvise " + std::to_string(connection));
        if (!points_.keepSinks) streamSink.reset();
        return S_OK;
    }
    HRESULT Write(const std::vector<OPCHANDLE>& handles, const std::vector<TOPCVariant>& values,
                  std::vector<HRESULT>& errors) override
    {
        log_.push_back("Write " + std::to_string(handles.at(0)) + " " + values.at(0).ToString());
        errors.assign(1, writeError);
        return writeCallResult;
    }

    // What the server sends.
    void SendCallback(const TOPCVariant& value, Word quality, TFileTime time = {})
    {
        for (auto& cb : points_.Sinks<IOPCDataCallback>(IID_IOPCDataCallback))
            cb->OnDataChange(1, 2, S_OK, S_OK, {TOPCItemState{0, value, quality, time, S_OK}});
    }
    void SendStream(std::vector<Byte> bytes, Cardinal format)
    {
        if (!streamSink) return;
        Block block(std::move(bytes));
        TFormatEtc f;
        f.ClipFormat = format;
        streamSink->OnDataChange(f, TStgMedium{TYMED_HGLOBAL, &block});
    }

    Points& ConnectionPointsOf() { return points_; }

    bool streams = true;
    bool syncIO = true;
    HRESULT itemError = S_OK;
    HRESULT writeError = S_OK;
    HRESULT writeCallResult = S_OK;
    TFormatEtc streamFormat;
    std::shared_ptr<IAdviseSink> streamSink;

private:
    Log& log_;
    Points points_;
};

class Server : public IOPCServer {
public:
    explicit Server(Log& log) : log_(log), points_(log, "Server") {}

    HRESULT AddGroup(const String& name, bool active, Cardinal rate, OPCHANDLE, float, Cardinal, OPCHANDLE& handle,
                     Cardinal& revised, std::shared_ptr<IOPCItemMgt>& group) override
    {
        log_.push_back("AddGroup '" + name + "' active=" + std::to_string(active) + " rate=" + std::to_string(rate));
        if (Failed(addGroupResult)) return addGroupResult;
        handle = 42;
        revised = rate;
        lastGroup = std::make_shared<Group>(log_, groupCallbacks);
        lastGroup->streams = groupStreams;
        lastGroup->itemError = itemError;
        group = lastGroup;
        return S_OK;
    }
    HRESULT RemoveGroup(OPCHANDLE handle, bool force) override
    {
        log_.push_back("RemoveGroup " + std::to_string(handle) + " force=" + std::to_string(force));
        return S_OK;
    }
    IConnectionPointContainer* ConnectionPoints() override { return shutdownPoint ? &points_ : nullptr; }

    void OfferShutdown() { points_.Offer(IID_IOPCShutdown, "IOPCShutdown"); }
    void RequestShutdown()
    {
        for (auto& cb : points_.Sinks<IOPCShutdown>(IID_IOPCShutdown)) cb->ShutdownRequest("maintenance");
    }

    bool shutdownPoint = true;
    bool groupCallbacks = true;
    bool groupStreams = true;
    HRESULT addGroupResult = S_OK;
    HRESULT itemError = S_OK;
    std::shared_ptr<Group> lastGroup;

private:
    Log& log_;
    Points points_;
};

class ServerList : public IOPCServerList {
public:
    explicit ServerList(Log& log) : log_(log) {}
    HRESULT CLSIDFromProgID(const String& progId, TOPCGuid& clsid) override
    {
        log_.push_back("List.CLSIDFromProgID " + progId);
        auto it = known.find(progId);
        if (it == known.end()) return CO_E_CLASSSTRING;
        clsid = it->second;
        return S_OK;
    }
    HRESULT EnumClassesOfCategories(const std::vector<TOPCGuid>& impl, const std::vector<TOPCGuid>&,
                                    std::vector<TOPCGuid>& classes) override
    {
        const bool v2 = impl.at(0) == CATID_OPCDAServer20;
        log_.push_back(std::string("List.Enum ") + (v2 ? "DA2" : "DA1"));
        for (auto& [id, entry] : catalogue)
            if (entry.second == v2) classes.push_back(entry.first);
        return S_OK;
    }
    HRESULT GetClassDetails(const TOPCGuid& clsid, String& progId, String& userType) override
    {
        for (auto& [id, entry] : catalogue)
            if (entry.first == clsid) {
                progId = id;
                userType = "server";
                return S_OK;
            }
        return E_FAIL;
    }

    std::map<String, TOPCGuid> known;                       // answered by CLSIDFromProgID
    std::map<String, std::pair<TOPCGuid, bool>> catalogue;  // ProgID -> (class, is DA 2.0)

private:
    Log& log_;
};

class Runtime : public IOPCRuntime {
public:
    HRESULT CLSIDFromProgID(const String& progId, TOPCGuid& clsid) override
    {
        log.push_back("CLSIDFromProgID " + progId);
        auto it = registry.find(progId);
        if (it == registry.end()) return CO_E_CLASSSTRING;
        clsid = it->second;
        return S_OK;
    }
    std::shared_ptr<IOPCServer> CreateLocalServer(const TOPCGuid& clsid) override
    {
        log.push_back("CreateLocalServer " + std::to_string(clsid.D1));
        return Create();
    }
    std::shared_ptr<IOPCServer> CreateRemoteServer(const String& computer, const TOPCGuid& clsid) override
    {
        log.push_back("CreateRemoteServer " + computer + " " + std::to_string(clsid.D1));
        return Create();
    }
    std::shared_ptr<IOPCServerList> CreateServerList(const String& computer) override
    {
        log.push_back("CreateServerList " + computer);
        if (!serverListError.empty()) throw Exception(serverListError);
        return serverList;
    }
    void MessageBeep() override { log.push_back("Beep"); }

    std::shared_ptr<Server> Create()
    {
        if (!createError.empty()) throw Exception(createError);
        if (noServer) return nullptr;
        server = std::make_shared<Server>(log);
        server->shutdownPoint = shutdownPoint;
        server->groupCallbacks = groupCallbacks;
        server->groupStreams = groupStreams;
        server->addGroupResult = addGroupResult;
        server->itemError = itemError;
        server->OfferShutdown();
        return server;
    }

    Log log;
    std::map<String, TOPCGuid> registry{{"Demo.Server", TOPCGuid{0x1234}}};
    std::shared_ptr<ServerList> serverList;
    std::string serverListError;
    std::string createError;
    bool noServer = false;
    bool shutdownPoint = true;
    bool groupCallbacks = true;
    bool groupStreams = true;
    HRESULT addGroupResult = S_OK;
    HRESULT itemError = S_OK;
    std::shared_ptr<Server> server;
};

// Installs a runtime for the lifetime of a test.
class RuntimeScope {
public:
    RuntimeScope() : runtime(std::make_shared<Runtime>()) { SetOPCRuntime(runtime); }
    ~RuntimeScope() { SetOPCRuntime(nullptr); }
    std::shared_ptr<Runtime> runtime;
};

}  // namespace fakeopc
