#pragma once
// The serial-port component: line settings as properties, an event thread that
// hands each batch of device events to the main thread, and a write thread that
// drains an output queue. Every event handler runs on the main thread.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/classes/Threads.h"
#include "serial/VaClasses.h"
#include "serial/VaControls.h"
#include "serial/VaObjects.h"
#include "serial/VaPrst.h"
#include "serial/VaTypes.h"

class CommDevice;
struct TCommState;

using TVaCommErrorEvent = TMethodEvent<void(TObject* Sender, int Errors)>;
using TVaCommRxCharEvent = TMethodEvent<void(TObject* Sender, int Count)>;
using TVaCommRxBufEvent = TMethodEvent<void(TObject* Sender, const void* Data, int Count)>;

class TVaCustomComm;

// A byte block of fixed capacity; the count is read without the lock while a writer waits for room.
class TVaCommBuffer : public TObject {
public:
    explicit TVaCommBuffer(int capacity) : data_(capacity > 0 ? static_cast<std::size_t>(capacity) : 0) {}
    void Append(const void* bytes, int n);
    void RemoveFront(int n);
    int Count() const { return count_; }
    int Capacity() const { return static_cast<int>(data_.size()); }
    const Byte* Data() const { return data_.data(); }

private:
    std::vector<Byte> data_;
    std::atomic<int> count_{0};
};

// Something attached to a port that takes its event masks and received blocks.
class TVaDataLink {
public:
    virtual ~TVaDataLink();
    bool Active = true;
    TVaCustomComm* Port() const { return port_; }
    virtual void EventsReceived(std::uint32_t mask) = 0;
    virtual void DataReceived(const void* data, int count) = 0;

private:
    friend class TVaCustomComm;
    TVaCustomComm* port_ = nullptr;
};

// Worker of a port that runs part of its work on the main thread.
class TVaCommThread : public TThread {
public:
    explicit TVaCommThread(TVaCustomComm* port) : TThread(true), port_(port) {}
    // True while a call of this thread runs on the main thread.
    bool Dispatching() const { return dispatching_ > 0; }

protected:
    // Runs call on the main thread and waits; skipped after a stop. Exceptions go to the
    // application's exception handling.
    void RunOnMain(const std::function<void()>& call);
    TVaCustomComm* port_;

private:
    std::atomic<int> dispatching_{0};
};

class TVaCommEventThread : public TVaCommThread {
public:
    // Received bytes gather gatherMs milliseconds before their event (0: none).
    TVaCommEventThread(TVaCustomComm* port, std::uint32_t gatherMs) : TVaCommThread(port), gatherMs_(gatherMs) {}
    // Sets the terminate flag and ends the device wait; does not wait for the thread.
    void Stop();

protected:
    void Execute() override;

private:
    void DispatchEvents();
    const std::uint32_t gatherMs_;
    std::uint32_t receivedMask_ = 0;
    TVaWaitEvent waitEvent_;
};

class TVaCommWriteThread : public TVaCommThread {
public:
    TVaCommWriteThread(TVaCustomComm* port, int capacity, bool reportsHangUp)
        : TVaCommThread(port), queue_(capacity), reportsHangUp_(reportsHangUp)
    {
    }
    void Stop();
    // Main thread: false when the bytes do not fit within Buffers.WriteTimeout ms.
    bool Enqueue(const void* bytes, int count);
    int QueuedCount() const { return queue_.Count(); }

protected:
    void Execute() override;

private:
    void AfterWrite(int n);
    TVaCommBuffer queue_;
    TVaWaitEvent dataReady_;
    TVaWaitEvent closeEvent_;
    bool reportsHangUp_;  // no event thread watches the device
};

class TVaCustomComm : public TVaComponent {
    TV_CLASS(TVaCustomComm, TVaComponent)
public:
    explicit TVaCustomComm(TComponent* owner);
    ~TVaCustomComm() override;
    void BeforeDestruction() override;
    void Loaded() override;

    void Open();
    void Close();
    bool IsOpen() const;
    void CheckClosed() const;
    void SetDtrLine(bool on);
    void SetRtsLine(bool on);

    // Closed port: 0, nothing raised.
    int SendBytes(const void* buffer, int count);
    bool SendText(const AnsiString& text);
    int ReceiveBytes(void* buffer, int count);
    AnsiString ReceiveText();
    int InQueueCount();
    // errors: line error flags (CE_*); inQueue/outQueue: queue counts.
    void GetStatistics(std::uint32_t& errors, std::uint32_t& inQueue, std::uint32_t& outQueue);
    bool CheckLineErrors();

    void AddLink(TVaDataLink* link);
    void RemoveLink(TVaDataLink* link);
    void RemoveAllLinks();
    int LinkCount() const { return static_cast<int>(links_.size()); }
    bool LinksEnabled() const { return linksEnabled_; }
    void SetLinksEnabled(bool value) { linksEnabled_ = value; }

    String FormattedDeviceName() const;
    String DeviceFileName() const;
    std::uint32_t EventMask() const { return eventMask_; }
    // The settings record the properties give (what ApplyCommState writes).
    TCommState BuildCommState() const;

    // ---- properties ----
    bool AutoOpen() const { return autoOpen_; }
    void SetAutoOpen(bool value) { autoOpen_ = value; }
    TVaBaudrate Baudrate() const { return baudrate_; }
    void SetBaudrate(TVaBaudrate value);
    TVaParity Parity() const { return parity_; }
    void SetParity(TVaParity value);
    TVaDatabits Databits() const { return databits_; }
    void SetDatabits(TVaDatabits value);
    TVaStopbits Stopbits() const { return stopbits_; }
    void SetStopbits(TVaStopbits value);
    TVaEventChars* EventChars() const { return eventChars_.get(); }
    void SetEventChars(TVaEventChars* value) { eventChars_->Assign(value); }
    TVaFlowControl* FlowControl() const { return flowControl_.get(); }
    void SetFlowControl(TVaFlowControl* value) { flowControl_->Assign(value); }
    TVaCommOptions Options() const { return options_; }
    void SetOptions(TVaCommOptions value);
    TVaPortInt PortNum() const { return portNum_; }
    void SetPortNum(TVaPortInt value);
    const String& DeviceName() const { return deviceName_; }
    void SetDeviceName(const String& value);
    TVaCommEvents MonitorEvents() const { return monitorEvents_; }
    void SetMonitorEvents(TVaCommEvents value);
    TVaBuffers* Buffers() const { return buffers_.get(); }
    void SetBuffers(TVaBuffers* value);
    TThreadPriority EventPriority() const { return eventPriority_; }
    void SetEventPriority(TThreadPriority value);
    TThreadPriority WritePriority() const { return writePriority_; }
    void SetWritePriority(TThreadPriority value);
    bool DirectWrite() const { return directWrite_; }
    void SetDirectWrite(bool value);
    bool UpdateDCB() const { return updateDCB_; }
    void SetUpdateDCB(bool value);
    std::int32_t UserBaudrate() const { return userBaudrate_; }
    void SetUserBaudrate(std::int32_t value);
    TVaDisplay* Display() const { return display_; }
    void SetDisplay(TVaDisplay* value);

    // ---- events ----
    const TNotifyEvent& OnOpen() const { return onOpen_; }
    void SetOnOpen(TNotifyEvent handler) { onOpen_ = std::move(handler); }
    const TNotifyEvent& OnClose() const { return onClose_; }
    void SetOnClose(TNotifyEvent handler) { onClose_ = std::move(handler); }
    const TNotifyEvent& OnCts() const { return onCts_; }
    void SetOnCts(TNotifyEvent handler) { onCts_ = std::move(handler); }
    const TNotifyEvent& OnDsr() const { return onDsr_; }
    void SetOnDsr(TNotifyEvent handler) { onDsr_ = std::move(handler); }
    const TNotifyEvent& OnRlsd() const { return onRlsd_; }
    void SetOnRlsd(TNotifyEvent handler) { onRlsd_ = std::move(handler); }
    const TNotifyEvent& OnRing() const { return onRing_; }
    void SetOnRing(TNotifyEvent handler) { onRing_ = std::move(handler); }
    const TNotifyEvent& OnBreak() const { return onBreak_; }
    void SetOnBreak(TNotifyEvent handler) { onBreak_ = std::move(handler); }
    const TNotifyEvent& OnRxFlag() const { return onRxFlag_; }
    void SetOnRxFlag(TNotifyEvent handler) { onRxFlag_ = std::move(handler); }
    const TNotifyEvent& OnTxEmpty() const { return onTxEmpty_; }
    void SetOnTxEmpty(TNotifyEvent handler) { onTxEmpty_ = std::move(handler); }
    const TNotifyEvent& OnPErr() const { return onPErr_; }
    void SetOnPErr(TNotifyEvent handler) { onPErr_ = std::move(handler); }
    const TNotifyEvent& OnRx80Full() const { return onRx80Full_; }
    void SetOnRx80Full(TNotifyEvent handler) { onRx80Full_ = std::move(handler); }
    const TNotifyEvent& OnEvent1() const { return onEvent1_; }
    void SetOnEvent1(TNotifyEvent handler) { onEvent1_ = std::move(handler); }
    const TNotifyEvent& OnEvent2() const { return onEvent2_; }
    void SetOnEvent2(TNotifyEvent handler) { onEvent2_ = std::move(handler); }
    const TVaCommErrorEvent& OnError() const { return onError_; }
    void SetOnError(TVaCommErrorEvent handler) { onError_ = std::move(handler); }
    const TVaCommRxCharEvent& OnRxChar() const { return onRxChar_; }
    void SetOnRxChar(TVaCommRxCharEvent handler) { onRxChar_ = std::move(handler); }
    const TVaCommRxBufEvent& OnRxBuf() const { return onRxBuf_; }
    void SetOnRxBuf(TVaCommRxBufEvent handler) { onRxBuf_ = std::move(handler); }

protected:
    virtual void OpenDevice();
    virtual void StartThreads();
    virtual void HandleRxChar();
    virtual void HandleEvents(std::uint32_t mask);
    virtual void NotifyLinks(std::uint32_t mask);
    virtual void DeliverToLinks(const void* data, int count);
    void Notification(TComponent* component, TOperation operation) override;

    void ApplyCommState();
    void ApplyBufferSizes();
    void ApplyTimeouts();
    void ApplyEventMask();
    void StopThreads();
    void CloseDevice();
    void FireOpen();
    void FireClose();
    void UpdateDisplay();
    // The device went away: close (OnClose) and raise the loss as EVaCommError.
    void DeviceLost();
    // Raises text completed with the last system error of this thread.
    [[noreturn]] void RaiseCommError(const char* text) const;
    void CheckCommResult(bool ok, const char* text) const;

private:
    friend class TVaCommEventThread;
    friend class TVaCommWriteThread;

    // Milliseconds received bytes gather before their event: a few, less on a line that would fill
    // half the input queue sooner.
    std::uint32_t GatherTime() const;
    void BuffersChanged(TObject* sender);
    void GroupChanged(TObject* sender);
    void FinishThread(TVaCommThread* thread);
    // Joins stopped threads whose own call on the main thread has returned since.
    void ReapThreads(bool final);

    std::unique_ptr<CommDevice> device_;  // closed while not open
    TOwnedPtr<TVaCriticalSection> writeLock_;
    TOwnedPtr<TVaCriticalSection> readLock_;
    TVaCommEventThread* eventThread_ = nullptr;
    TVaCommWriteThread* writeThread_ = nullptr;
    std::uint32_t eventMask_ = 0;
    bool autoOpen_ = false;
    TVaPortInt portNum_ = 0;
    String deviceName_ = "\\\\.\\COM%d";
    TVaCommEvents monitorEvents_{ceError, ceRxChar, ceTxEmpty};
    TOwnedPtr<TVaBuffers> buffers_;
    TThreadPriority eventPriority_ = tpNormal;
    TThreadPriority writePriority_ = tpHighest;
    bool directWrite_ = false;
    bool linksEnabled_ = true;
    std::vector<TVaDataLink*> links_;
    TVaBaudrate baudrate_ = br1200;
    TVaParity parity_ = paNone;
    TVaDatabits databits_ = db8;
    TVaStopbits stopbits_ = sb1;
    TVaCommOptions options_;
    TOwnedPtr<TVaFlowControl> flowControl_;
    TOwnedPtr<TVaEventChars> eventChars_;
    bool updateDCB_ = true;
    std::int32_t userBaudrate_ = 0;
    TVaDisplay* display_ = nullptr;
    bool closing_ = false;
    TNotifyEvent onOpen_, onClose_, onCts_, onDsr_, onRlsd_, onRing_, onBreak_, onRxFlag_, onTxEmpty_, onPErr_,
        onRx80Full_, onEvent1_, onEvent2_;
    TVaCommErrorEvent onError_;
    TVaCommRxCharEvent onRxChar_;
    TVaCommRxBufEvent onRxBuf_;
    std::vector<TVaCommThread*> stopped_;  // stopped while their call ran on the main thread
};

// Publishes the properties and events of TVaCustomComm.
class TVaComm : public TVaCustomComm {
    TV_CLASS(TVaComm, TVaCustomComm)
public:
    explicit TVaComm(TComponent* owner) : TVaCustomComm(owner) {}
};

// Registers TVaComm for stored descriptions (also done at start-up).
void RegisterSerialClasses();
