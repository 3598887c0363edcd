#include "serial/VaComm.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>
#include <thread>

#include "platform/classes/Assign.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/comm/CommDevice.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/Format.h"
#include "platform/system/DeviceMap.h"
#include "serial/VaConst.h"
#include "serial/VaUtils.h"

namespace {

// Back-off after a failed device wait or write, so a broken device never spins a thread.
constexpr std::uint32_t RetryPauseMs = 50;
// Received bytes gather this long after the first of them before their event is raised, so one
// hand-off to the main thread carries what a fast line delivered meanwhile.
constexpr std::uint32_t GatherMs = 5;
// Bits a character takes on the line (start, 8 data, stop): a slow line or a small input queue
// shortens the gathering so that it never fills more than half the queue.
constexpr std::uint32_t BitsPerCharacter = 10;

void ReportException(TObject* sender)
{
    try {
        Application->HandleException(sender);
    } catch (...) {
    }
}

}  // namespace

std::uint32_t BaudrateValue(TVaBaudrate rate)
{
    static const std::uint32_t rates[] = {0,     110,   300,   600,   1200,  2400,   4800,   9600,
                                          14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};
    return rates[rate];
}

std::uint32_t CommEventBit(TVaCommEvent event)
{
    static const std::uint32_t bits[] = {EV_BREAK,   EV_CTS,    EV_DSR,  EV_ERR,      EV_RING,   EV_RLSD,  EV_RXCHAR,
                                         EV_TXEMPTY, EV_RXFLAG, EV_PERR, EV_RX80FULL, EV_EVENT1, EV_EVENT2};
    return bits[event];
}

TV_PUBLISHED(TVaCustomComm) {}

TV_PUBLISHED(TVaComm)
{
    using C = TVaComm;
    Prop("AutoOpen", &C::AutoOpen, &C::SetAutoOpen, false);
    PropEnum("Baudrate", &C::Baudrate, &C::SetBaudrate, br1200, TVaBaudrateNames);
    PropEnum("Parity", &C::Parity, &C::SetParity, paNone, TVaParityNames);
    PropEnum("Databits", &C::Databits, &C::SetDatabits, db8, TVaDatabitsNames);
    PropEnum("Stopbits", &C::Stopbits, &C::SetStopbits, sb1, TVaStopbitsNames);
    Prop("EventChars", &C::EventChars, &C::SetEventChars);
    Prop("FlowControl", &C::FlowControl, &C::SetFlowControl);
    PropSet("Options", &C::Options, &C::SetOptions, TVaCommOptions{}, TVaCommOptionNames);
    Prop("PortNum", &C::PortNum, &C::SetPortNum, 0);
    Prop("DeviceName", &C::DeviceName, &C::SetDeviceName, "\\\\.\\COM%d");
    PropSet("MonitorEvents", &C::MonitorEvents, &C::SetMonitorEvents, TVaCommEvents{ceError, ceRxChar, ceTxEmpty},
            TVaCommEventNames);
    Prop("Buffers", &C::Buffers, &C::SetBuffers);
    PropEnum("EventPriority", &C::EventPriority, &C::SetEventPriority, tpNormal, TThreadPriorityNames);
    PropEnum("WritePriority", &C::WritePriority, &C::SetWritePriority, tpHighest, TThreadPriorityNames);
    Prop("DirectWrite", &C::DirectWrite, &C::SetDirectWrite, false);
    Prop("UpdateDCB", &C::UpdateDCB, &C::SetUpdateDCB, true);
    Prop("UserBaudrate", &C::UserBaudrate, &C::SetUserBaudrate, 0);
    Prop("Display", &C::Display, &C::SetDisplay);
    Prop("OnOpen", &C::OnOpen, &C::SetOnOpen);
    Prop("OnClose", &C::OnClose, &C::SetOnClose);
    Prop("OnCts", &C::OnCts, &C::SetOnCts);
    Prop("OnDsr", &C::OnDsr, &C::SetOnDsr);
    Prop("OnRlsd", &C::OnRlsd, &C::SetOnRlsd);
    Prop("OnRing", &C::OnRing, &C::SetOnRing);
    Prop("OnBreak", &C::OnBreak, &C::SetOnBreak);
    Prop("OnRxFlag", &C::OnRxFlag, &C::SetOnRxFlag);
    Prop("OnTxEmpty", &C::OnTxEmpty, &C::SetOnTxEmpty);
    Prop("OnPErr", &C::OnPErr, &C::SetOnPErr);
    Prop("OnRx80Full", &C::OnRx80Full, &C::SetOnRx80Full);
    Prop("OnEvent1", &C::OnEvent1, &C::SetOnEvent1);
    Prop("OnEvent2", &C::OnEvent2, &C::SetOnEvent2);
    Prop("OnError", &C::OnError, &C::SetOnError);
    Prop("OnRxChar", &C::OnRxChar, &C::SetOnRxChar);
    Prop("OnRxBuf", &C::OnRxBuf, &C::SetOnRxBuf);
}

// ---------------------------------------------------------------------------------------------
// Buffer and links

void TVaCommBuffer::Append(const void* bytes, int n)
{
    const int held = count_;
    std::memcpy(data_.data() + held, bytes, static_cast<std::size_t>(n));
    count_ = held + n;
}

void TVaCommBuffer::RemoveFront(int n)
{
    const int left = count_ - n;
    std::memmove(data_.data(), data_.data() + n, static_cast<std::size_t>(left));
    count_ = left;
}

TVaDataLink::~TVaDataLink()
{
    if (port_) port_->RemoveLink(this);
}

// ---------------------------------------------------------------------------------------------
// Threads

void TVaCommThread::RunOnMain(const std::function<void()>& call)
{
    Synchronize([this, &call] {
        if (Terminated()) return;  // a stopped port gets no more events
        ++dispatching_;
        try {
            call();
        } catch (...) {
            ReportException(port_);
        }
        --dispatching_;
    });
}

void TVaCommEventThread::Stop()
{
    Terminate();
    waitEvent_.Signal();
}

std::uint32_t TVaCustomComm::GatherTime() const
{
    const std::uint32_t rate = baudrate_ == brUser ? static_cast<std::uint32_t>(userBaudrate_)
                                                   : BaudrateValue(baudrate_);
    if (rate == 0) return GatherMs;
    const std::uint64_t halfQueueMs = static_cast<std::uint64_t>(buffers_->ReadSize()) / 2 * BitsPerCharacter * 1000 /
                                      rate;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(GatherMs, halfQueueMs));
}

void TVaCommEventThread::Execute()
{
    CommDevice& device = *port_->device_;
    while (!Terminated()) {
        const std::uint32_t mask = device.WaitEvent(waitEvent_.Handle());
        if (Terminated()) break;
        if (mask == 0) {
            waitEvent_.WaitFor(RetryPauseMs);
            continue;
        }
        // Stop ends the gathering at once (the wait event is signalled).
        if ((mask & EV_RXCHAR) && !(mask & EV_HANGUP) && gatherMs_ > 0) waitEvent_.WaitFor(gatherMs_);
        if (Terminated()) break;
        receivedMask_ = mask;
        RunOnMain([this] { DispatchEvents(); });
        if (mask & EV_HANGUP) break;  // nothing more comes from a device that went away
    }
}

void TVaCommEventThread::DispatchEvents()
{
    std::uint32_t mask = receivedMask_;
    port_->UpdateDisplay();
    if (mask & EV_RXCHAR) {
        port_->HandleRxChar();
        mask &= ~EV_RXCHAR;
    }
    // A handler that closed the port ends the batch.
    if (Terminated()) return;
    if (mask & ~EV_HANGUP) port_->HandleEvents(mask & ~EV_HANGUP);
    if ((mask & EV_HANGUP) && !Terminated()) port_->DeviceLost();
}

void TVaCommWriteThread::Stop()
{
    Terminate();
    closeEvent_.Signal();
}

bool TVaCommWriteThread::Enqueue(const void* bytes, int count)
{
    if (queue_.Count() + count > queue_.Capacity()) {
        TVaTimeout timeout;
        StartTimeout(timeout, static_cast<std::uint32_t>(port_->Buffers()->WriteTimeout()));
        while (queue_.Count() + count > queue_.Capacity()) {
            if (TimeoutExpired(timeout)) return false;
            std::this_thread::yield();
        }
    }
    std::lock_guard guard(*port_->writeLock_);
    queue_.Append(bytes, count);
    dataReady_.Signal();
    return true;
}

void TVaCommWriteThread::Execute()
{
    CommDevice& device = *port_->device_;
    while (!Terminated()) {
        const int which = WaitForAnyEvent({&closeEvent_.Handle(), &dataReady_.Handle()}, CommEvent::Infinite);
        if (which != 1) {
            Terminate();
            break;
        }
        const Byte* data;
        int count;
        {
            std::lock_guard guard(*port_->writeLock_);
            count = queue_.Count();
            data = queue_.Data();
            if (count == 0) {
                dataReady_.Reset();
                continue;
            }
        }
        // Only this thread removes bytes, and appends go behind them: data stays valid unlocked.
        const int written = device.Write(data, count);
        if (written > 0) {
            AfterWrite(written);
            continue;
        }
        if (written == 0) {
            const auto r = device.WaitWritable(&closeEvent_.Handle(), CommEvent::Infinite);
            if (r == CommDevice::WaitResult::Cancelled) break;
            if (r == CommDevice::WaitResult::Ready) continue;
        }
        if (device.HungUp()) {
            // The event thread reports a lost device; without one, this thread does.
            if (reportsHangUp_) {
                RunOnMain([this] { port_->DeviceLost(); });
                reportsHangUp_ = false;
            }
        } else {
            RunOnMain([this] { port_->HandleEvents(EV_ERR); });
        }
        closeEvent_.WaitFor(RetryPauseMs);  // the bytes stay queued and go out on the next pass
    }
}

void TVaCommWriteThread::AfterWrite(int n)
{
    bool empty;
    {
        std::lock_guard guard(*port_->writeLock_);
        queue_.RemoveFront(n);
        empty = queue_.Count() == 0;
        if (empty)
            dataReady_.Reset();
        else
            dataReady_.Signal();
    }
    if (empty) RunOnMain([this] { port_->HandleEvents(EV_TXEMPTY); });
}

// ---------------------------------------------------------------------------------------------
// The port

TVaCustomComm::TVaCustomComm(TComponent* owner)
    : TVaComponent(owner),
      device_(std::make_unique<CommDevice>()),
      buffers_(new TVaBuffers),
      flowControl_(new TVaFlowControl),
      eventChars_(new TVaEventChars)
{
    buffers_->SetOnChange(TNotifyEvent(this, &TVaCustomComm::BuffersChanged));
    eventChars_->SetOnChange(TNotifyEvent(this, &TVaCustomComm::GroupChanged));
    flowControl_->SetOnChange(TNotifyEvent(this, &TVaCustomComm::GroupChanged));
    writeLock_.reset(new TVaCriticalSection);
    readLock_.reset(new TVaCriticalSection);
}

TVaCustomComm::~TVaCustomComm()
{
    // BeforeDestruction closed the port; this covers a port deleted without Free.
    try {
        Close();
    } catch (...) {
    }
    ReapThreads(true);
    RemoveAllLinks();
}

void TVaCustomComm::BeforeDestruction()
{
    inherited::BeforeDestruction();  // marks csDestroying: no OnClose now
    Close();
    ReapThreads(true);
    RemoveAllLinks();
}

void TVaCustomComm::Loaded()
{
    inherited::Loaded();
    if (!IsDesigning() && autoOpen_) Open();
}

bool TVaCustomComm::IsOpen() const { return device_->IsOpen(); }

void TVaCustomComm::CheckClosed() const
{
    if (IsOpen()) throw EVaCommError(sPortOpen);
}

void TVaCustomComm::RaiseCommError(const char* text) const
{
    const int error = CommLastError();
    throw EVaCommError(Format(text, {error, SystemErrorText(error)}));
}

void TVaCustomComm::CheckCommResult(bool ok, const char* text) const
{
    if (!ok) RaiseCommError(text);
}

String TVaCustomComm::FormattedDeviceName() const { return Format(deviceName_, {portNum_}); }

String TVaCustomComm::DeviceFileName() const { return Format("\\\\.\\" + deviceName_, {portNum_}); }

void TVaCustomComm::OpenDevice()
{
    const String path = ResolveSerialDevice(DeviceFileName());
    if (path.empty() || !device_->Open(path)) {
        const int error = path.empty() ? ENOENT : CommLastError();
        if (error == ENOENT) throw EVaCommError(Format(sDeviceNotFound, {FormattedDeviceName()}));
        throw EVaCommError(
            Format(String(sCantOpenDevice) + sOpenErrorDetail, {FormattedDeviceName(), error, SystemErrorText(error)}));
    }
}

void TVaCustomComm::Open()
{
    CheckClosed();
    ReapThreads(false);
    OpenDevice();
    try {
        ApplyCommState();
        ApplyBufferSizes();
        ApplyTimeouts();
        ApplyEventMask();
        StartThreads();
    } catch (...) {
        StopThreads();
        CloseDevice();
        throw;
    }
    FireOpen();
}

void TVaCustomComm::Close()
{
    if (!IsOpen() || closing_) return;
    closing_ = true;
    try {
        std::lock_guard guard(*readLock_);
        StopThreads();
    } catch (...) {
        CloseDevice();
        closing_ = false;
        throw;
    }
    CloseDevice();
    closing_ = false;
    FireClose();
}

void TVaCustomComm::CloseDevice() { device_->Close(); }

void TVaCustomComm::FireOpen()
{
    try {
        if (onOpen_) onOpen_(this);
    } catch (...) {
        ReportException(this);
    }
}

void TVaCustomComm::FireClose()
{
    if (!IsDestroying() && onClose_) onClose_(this);
}

TCommState TVaCustomComm::BuildCommState() const
{
    TCommState s;  // all zero, the length member included
    s.BaudRate = baudrate_ == brUser ? static_cast<std::uint32_t>(userBaudrate_) : BaudrateValue(baudrate_);
    std::uint32_t f = dcbBinary;
    const TVaFlowControl& fc = *flowControl_;
    if (fc.OutCtsFlow()) f |= dcbOutxCtsFlow;
    if (fc.OutDsrFlow()) f |= dcbOutxDsrFlow;
    static const std::uint32_t dtr[] = {0, dcbDtrControlEnable, dcbDtrControlHandshake};
    f |= dtr[fc.ControlDtr()];
    if (fc.DsrSensitivity()) f |= dcbDsrSensitivity;
    if (fc.TxContinueOnXoff()) f |= dcbTXContinueOnXoff;
    if (fc.XonXoffOut()) f |= dcbOutX;
    if (fc.XonXoffIn()) f |= dcbInX;
    if (options_.Contains(coErrorChar)) f |= dcbErrorChar;
    if (options_.Contains(coNullStrip)) f |= dcbNull;
    static const std::uint32_t rts[] = {0, dcbRtsControlEnable, dcbRtsControlHandshake, dcbRtsControlToggle};
    f |= rts[fc.ControlRts()];
    if (options_.Contains(coParityCheck)) f |= dcbParity;
    s.Flags = f;
    s.XonLim = static_cast<std::uint16_t>(buffers_->XonLimit());
    s.XoffLim = static_cast<std::uint16_t>(buffers_->XoffLimit());
    s.ByteSize = static_cast<std::uint8_t>(4 + databits_);
    s.Parity = static_cast<std::uint8_t>(parity_);
    s.StopBits = static_cast<std::uint8_t>(stopbits_);
    s.XonChar = eventChars_->XonChar();
    s.XoffChar = eventChars_->XoffChar();
    s.ErrorChar = eventChars_->ErrorChar();
    s.EofChar = eventChars_->EofChar();
    s.EvtChar = eventChars_->EventChar();
    return s;
}

void TVaCustomComm::ApplyCommState()
{
    if (!IsOpen() || !updateDCB_) return;
    CheckCommResult(device_->SetState(BuildCommState()), sWriteDcb);
}

void TVaCustomComm::ApplyBufferSizes()
{
    if (!IsOpen()) return;
    const bool ok = buffers_->ReadSize() > 0 && buffers_->WriteSize() > 0 &&
                    device_->SetQueueSizes(static_cast<std::uint32_t>(buffers_->ReadSize()),
                                           static_cast<std::uint32_t>(buffers_->WriteSize()));
    if (!ok && CommLastError() == 0) SetCommLastError(EINVAL);
    if (!ok && buffers_->ReadSize() <= 0) SetCommLastError(EINVAL);
    CheckCommResult(ok, sInitBuffers);
}

void TVaCustomComm::ApplyTimeouts()
{
    // Reads return at once with what is queued and writes have no total time-out:
    // the device layer works that way already, so there is nothing to write.
}

void TVaCustomComm::ApplyEventMask()
{
    std::uint32_t mask = 0;
    for (int e = ceBreak; e <= ceEvent2; ++e)
        if (monitorEvents_.Contains(static_cast<TVaCommEvent>(e))) mask |= CommEventBit(static_cast<TVaCommEvent>(e));
    if (!directWrite_) mask &= ~EV_TXEMPTY;  // the write thread reports an empty queue itself
    eventMask_ = mask;
    if (IsOpen()) CheckCommResult(device_->SetEventMask(mask), sSetEventMask);
}

void TVaCustomComm::StartThreads()
{
    if (eventMask_ != 0) {
        eventThread_ = new TVaCommEventThread(this, GatherTime());
        eventThread_->SetPriority(eventPriority_);
        eventThread_->Start();
    }
    if (!directWrite_) {
        writeThread_ = new TVaCommWriteThread(this, buffers_->WriteSize(), eventThread_ == nullptr);
        writeThread_->SetPriority(writePriority_);
        writeThread_->Start();
    }
}

void TVaCustomComm::FinishThread(TVaCommThread* thread)
{
    if (!thread) return;
    if (thread->Dispatching()) {
        // Close came from inside this thread's own call on the main thread: it cannot be
        // waited for here. It touches nothing of the port after that call; it is joined later.
        stopped_.push_back(thread);
        return;
    }
    // Waiting on the main thread serves pending calls; they see the stop and do nothing.
    thread->WaitFor();
    thread->Free();
}

void TVaCustomComm::ReapThreads(bool final)
{
    std::vector<TVaCommThread*> keep;
    for (TVaCommThread* thread : std::exchange(stopped_, {})) {
        if (!thread->Dispatching()) {
            thread->WaitFor();
            thread->Free();
        } else if (final) {
            thread->SetFreeOnTerminate(true);  // the port goes from inside that very call
        } else {
            keep.push_back(thread);
        }
    }
    stopped_.insert(stopped_.end(), keep.begin(), keep.end());
}

void TVaCustomComm::StopThreads()
{
    TVaCommEventThread* events = eventThread_;
    TVaCommWriteThread* writes = writeThread_;
    eventThread_ = nullptr;
    writeThread_ = nullptr;
    if (events) events->Stop();
    if (writes) writes->Stop();
    FinishThread(events);
    FinishThread(writes);
    ReapThreads(false);
}

void TVaCustomComm::DeviceLost()
{
    if (!IsOpen()) return;
    const String name = FormattedDeviceName();
    Close();
    throw EVaCommError(Format(sDeviceLost, {name, EIO, SystemErrorText(EIO)}));
}

void TVaCustomComm::SetDtrLine(bool on)
{
    if (flowControl_->ControlDtr() == dtrHandshake) throw EVaCommError(sDtrHandshake);
    if (IsOpen()) CheckCommResult(device_->EscapeFunction(on ? SETDTR : CLRDTR), sCommFunction);
}

void TVaCustomComm::SetRtsLine(bool on)
{
    if (flowControl_->ControlRts() == rtsHandshake || flowControl_->ControlRts() == rtsToggle)
        throw EVaCommError(sRtsHandshake);
    if (IsOpen()) CheckCommResult(device_->EscapeFunction(on ? SETRTS : CLRRTS), sCommFunction);
}

// ---------------------------------------------------------------------------------------------
// Reading and writing

int TVaCustomComm::SendBytes(const void* buffer, int count)
{
    if (!IsOpen() || count <= 0) return 0;
    if (!directWrite_) {
        if (!writeThread_ || !writeThread_->Enqueue(buffer, count)) throw EVaCommError(sOutputFull);
        return count;
    }
    std::lock_guard guard(*writeLock_);
    TVaTimeout timeout;
    StartTimeout(timeout, static_cast<std::uint32_t>(buffers_->WriteTimeout()));
    const char* p = static_cast<const char*>(buffer);
    int done = 0;
    while (done < count) {
        const int n = device_->Write(p + done, count - done);
        if (n < 0) RaiseCommError(sWriteError);
        done += n;
        if (done == count || TimeoutExpired(timeout)) break;
        if (n == 0 && device_->WaitWritable(nullptr, RetryPauseMs) == CommDevice::WaitResult::Failed)
            RaiseCommError(sWriteError);
    }
    return done;  // what went out within the time-out; nothing completes later
}

bool TVaCustomComm::SendText(const AnsiString& text)
{
    if (text.empty()) return true;
    return SendBytes(text.data(), static_cast<int>(text.size())) == static_cast<int>(text.size());
}

int TVaCustomComm::ReceiveBytes(void* buffer, int count)
{
    if (!IsOpen() || count <= 0) return 0;
    std::lock_guard guard(*readLock_);
    const int n = device_->Read(buffer, count);
    if (n < 0) RaiseCommError(sReadError);
    return n;
}

AnsiString TVaCustomComm::ReceiveText()
{
    const int n = InQueueCount();
    if (n <= 0) return {};
    AnsiString text(static_cast<std::size_t>(n), '\0');
    text.resize(static_cast<std::size_t>(ReceiveBytes(text.data(), n)));
    return text;
}

void TVaCustomComm::GetStatistics(std::uint32_t& errors, std::uint32_t& inQueue, std::uint32_t& outQueue)
{
    std::lock_guard guard(*readLock_);
    errors = inQueue = outQueue = 0;
    if (!IsOpen()) return;
    TCommStat stat;
    CheckCommResult(device_->ClearError(errors, stat), sStatistics);
    inQueue = stat.cbInQue;
    outQueue = stat.cbOutQue;
}

int TVaCustomComm::InQueueCount()
{
    if (!device_->ReportsLineErrors()) {
        // Nothing to clear on a device without error counters: the count alone will do.
        std::lock_guard guard(*readLock_);
        return device_->InQueueCount();
    }
    std::uint32_t errors, inQueue, outQueue;
    GetStatistics(errors, inQueue, outQueue);
    return static_cast<int>(inQueue);
}

bool TVaCustomComm::CheckLineErrors()
{
    std::uint32_t errors, inQueue, outQueue;
    GetStatistics(errors, inQueue, outQueue);
    if (errors != 0 && onError_) {
        try {
            onError_(this, static_cast<int>(errors));
        } catch (...) {
            ReportException(this);
        }
    }
    return errors != 0;
}

// ---------------------------------------------------------------------------------------------
// Dispatch

void TVaCustomComm::UpdateDisplay()
{
    if (display_) display_->UpdateDisplay(this);
}

void TVaCustomComm::HandleRxChar()
{
    const int n = InQueueCount();
    if (n <= 0) return;
    if (!links_.empty()) {
        std::vector<Byte> block(static_cast<std::size_t>(n));
        const int got = ReceiveBytes(block.data(), n);
        DeliverToLinks(block.data(), got);
    } else if (onRxChar_) {
        onRxChar_(this, n);
    }
}

void TVaCustomComm::HandleEvents(std::uint32_t mask)
{
    if (mask & EV_ERR) CheckLineErrors();
    if (!links_.empty()) NotifyLinks(mask);
    struct Step {
        std::uint32_t bit;
        TNotifyEvent TVaCustomComm::*event;
    };
    static const Step steps[] = {
        {EV_RXFLAG, &TVaCustomComm::onRxFlag_},     {EV_CTS, &TVaCustomComm::onCts_},
        {EV_DSR, &TVaCustomComm::onDsr_},           {EV_RING, &TVaCustomComm::onRing_},
        {EV_RLSD, &TVaCustomComm::onRlsd_},         {EV_TXEMPTY, &TVaCustomComm::onTxEmpty_},
        {EV_BREAK, &TVaCustomComm::onBreak_},       {EV_PERR, &TVaCustomComm::onPErr_},
        {EV_RX80FULL, &TVaCustomComm::onRx80Full_}, {EV_EVENT1, &TVaCustomComm::onEvent1_},
        {EV_EVENT2, &TVaCustomComm::onEvent2_},
    };
    for (const Step& s : steps)
        if ((mask & s.bit) && this->*s.event) (this->*s.event)(this);
}

void TVaCustomComm::NotifyLinks(std::uint32_t mask)
{
    if (!linksEnabled_) return;
    for (TVaDataLink* link : std::vector<TVaDataLink*>(links_))
        if (link->Active) link->EventsReceived(mask);
}

void TVaCustomComm::DeliverToLinks(const void* data, int count)
{
    if (!linksEnabled_) return;
    for (TVaDataLink* link : std::vector<TVaDataLink*>(links_))
        if (link->Active) link->DataReceived(data, count);
    if (onRxBuf_) onRxBuf_(this, data, count);
}

void TVaCustomComm::AddLink(TVaDataLink* link)
{
    if (!link || link->port_ == this) return;
    if (link->port_) link->port_->RemoveLink(link);
    link->port_ = this;
    links_.push_back(link);
}

void TVaCustomComm::RemoveLink(TVaDataLink* link)
{
    link->port_ = nullptr;
    std::erase(links_, link);
}

void TVaCustomComm::RemoveAllLinks()
{
    while (!links_.empty()) RemoveLink(links_.back());
}

// ---------------------------------------------------------------------------------------------
// Properties

void TVaCustomComm::SetBaudrate(TVaBaudrate value)
{
    if (!AssignIfChanged(baudrate_, value)) return;
    if (value != brUser) userBaudrate_ = 0;
    ApplyCommState();
}

void TVaCustomComm::SetUserBaudrate(std::int32_t value)
{
    if (!AssignIfChanged(userBaudrate_, value)) return;
    baudrate_ = brUser;
    ApplyCommState();
}

void TVaCustomComm::SetParity(TVaParity value)
{
    if (AssignIfChanged(parity_, value)) ApplyCommState();
}

void TVaCustomComm::SetDatabits(TVaDatabits value)
{
    if (AssignIfChanged(databits_, value)) ApplyCommState();
}

void TVaCustomComm::SetStopbits(TVaStopbits value)
{
    if (AssignIfChanged(stopbits_, value)) ApplyCommState();
}

void TVaCustomComm::SetOptions(TVaCommOptions value)
{
    if (AssignIfChanged(options_, value)) ApplyCommState();
}

void TVaCustomComm::SetPortNum(TVaPortInt value)
{
    CheckClosed();
    portNum_ = value;
}

void TVaCustomComm::SetDeviceName(const String& value)
{
    CheckClosed();
    deviceName_ = value;
}

void TVaCustomComm::SetMonitorEvents(TVaCommEvents value)
{
    CheckClosed();
    monitorEvents_ = value;
}

void TVaCustomComm::SetBuffers(TVaBuffers* value)
{
    CheckClosed();
    buffers_->Assign(value);
}

void TVaCustomComm::SetEventPriority(TThreadPriority value)
{
    if (!AssignIfChanged(eventPriority_, value)) return;
    if (eventThread_) eventThread_->SetPriority(value);
}

void TVaCustomComm::SetWritePriority(TThreadPriority value)
{
    if (!AssignIfChanged(writePriority_, value)) return;
    if (writeThread_) writeThread_->SetPriority(value);
}

void TVaCustomComm::SetDirectWrite(bool value)
{
    CheckClosed();
    directWrite_ = value;
}

void TVaCustomComm::SetUpdateDCB(bool value)
{
    CheckClosed();
    updateDCB_ = value;
}

void TVaCustomComm::SetDisplay(TVaDisplay* value)
{
    if (display_) display_->RemoveFreeNotification(this);
    display_ = value;
    if (display_) display_->FreeNotification(this);
}

void TVaCustomComm::Notification(TComponent* component, TOperation operation)
{
    inherited::Notification(component, operation);
    if (operation == opRemove && component == display_) display_ = nullptr;
}

void TVaCustomComm::BuffersChanged(TObject*)
{
    CheckClosed();
    ApplyBufferSizes();
    ApplyCommState();
}

void TVaCustomComm::GroupChanged(TObject*) { ApplyCommState(); }

void RegisterSerialClasses() { RegisterClass(TVaComm::StaticClass()); }

namespace {
const bool registered = (RegisterSerialClasses(), true);
}  // namespace
