#pragma once
// The objects an OPC server calls back: shutdown request, 2.0 data callback, 1.0 stream sink.
// Each keeps the last value it took; the handler reads it during the call.
#include "platform/classes/MethodEvent.h"
#include "widgets/sevenseg/OPCInterfaces.h"

class TiOPCShutdownCallback;
class TiOPCDataCallback;
class TiOPCAdviseSink;
using TOPCShutdownEvent = TMethodEvent<void(TiOPCShutdownCallback& Sender)>;
using TOPCDataCallbackEvent = TMethodEvent<void(TiOPCDataCallback& Sender)>;
using TOPCAdviseSinkEvent = TMethodEvent<void(TiOPCAdviseSink& Sender)>;

class TiOPCShutdownCallback : public IOPCShutdown {
public:
    const TOPCShutdownEvent& OnShutdown() const { return onShutdown_; }
    void SetOnShutdown(TOPCShutdownEvent handler) { onShutdown_ = std::move(handler); }
    HRESULT ShutdownRequest(const String& reason) override;

private:
    TOPCShutdownEvent onShutdown_;
};

class TiOPCDataCallback : public IOPCDataCallback {
public:
    const TOPCDataCallbackEvent& OnData() const { return onData_; }
    void SetOnData(TOPCDataCallbackEvent handler) { onData_ = std::move(handler); }
    TOPCVariant Value;
    Word Quality = 0;
    TDateTime TimeStamp = 0.0;

    explicit TiOPCDataCallback(const TOPCTimeSource& time = TOPCTimeSource::System()) : time_(time) {}

    HRESULT OnDataChange(Cardinal transactionId, OPCHANDLE group, HRESULT masterQuality, HRESULT masterError,
                         const std::vector<TOPCItemState>& items) override;
    HRESULT OnReadComplete(Cardinal transactionId, OPCHANDLE group, HRESULT masterQuality, HRESULT masterError,
                           const std::vector<TOPCItemState>& items) override;
    HRESULT OnWriteComplete(Cardinal, OPCHANDLE, HRESULT, const std::vector<OPCHANDLE>&,
                            const std::vector<HRESULT>&) override
    {
        return S_OK;
    }
    HRESULT OnCancelComplete(Cardinal, OPCHANDLE) override { return S_OK; }

private:
    HRESULT TakeFirst(const std::vector<TOPCItemState>& items);
    TOPCDataCallbackEvent onData_;
    const TOPCTimeSource& time_;
};

class TiOPCAdviseSink : public IAdviseSink {
public:
    const TOPCAdviseSinkEvent& OnData() const { return onData_; }
    void SetOnData(TOPCAdviseSinkEvent handler) { onData_ = std::move(handler); }
    TOPCVariant Value;
    Word Quality = 0;
    TDateTime TimeStamp = 0.0;

    explicit TiOPCAdviseSink(const TOPCTimeSource& time = TOPCTimeSource::System()) : time_(time) {}

    // Streams in any format but the two data formats, and blocks that cannot be locked, are ignored.
    void OnDataChange(const TFormatEtc& format, const TStgMedium& medium) override;
    void OnViewChange(Cardinal, int) override {}
    void OnRename() override {}
    void OnSave() override {}
    void OnClose() override {}

private:
    TOPCAdviseSinkEvent onData_;
    const TOPCTimeSource& time_;
};
