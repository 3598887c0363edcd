#pragma once
// A serial device opened exclusively by path. Received bytes move into an
// input queue of our own, so "bytes arrived" is reported once per arrival and
// a full queue stops reading the device (the driver's flow control holds).
// Failing calls return false (or -1) and leave the error number in
// CommLastError() of the calling thread.
#include <cstdint>
#include <memory>

#include "platform/comm/CommEvent.h"
#include "platform/comm/CommState.h"
#include "platform/rtl/Types.h"

// Event bits of WaitEvent.
constexpr std::uint32_t EV_RXCHAR = 0x0001;
constexpr std::uint32_t EV_RXFLAG = 0x0002;
constexpr std::uint32_t EV_TXEMPTY = 0x0004;
constexpr std::uint32_t EV_CTS = 0x0008;
constexpr std::uint32_t EV_DSR = 0x0010;
constexpr std::uint32_t EV_RLSD = 0x0020;
constexpr std::uint32_t EV_BREAK = 0x0040;
constexpr std::uint32_t EV_ERR = 0x0080;
constexpr std::uint32_t EV_RING = 0x0100;
constexpr std::uint32_t EV_PERR = 0x0200;
constexpr std::uint32_t EV_RX80FULL = 0x0400;
constexpr std::uint32_t EV_EVENT1 = 0x0800;
constexpr std::uint32_t EV_EVENT2 = 0x1000;
// Not a selectable event: the device went away (hang-up, I/O error).
constexpr std::uint32_t EV_HANGUP = 0x80000000u;

// Line error flags of ClearError.
constexpr std::uint32_t CE_RXOVER = 0x0001;
constexpr std::uint32_t CE_OVERRUN = 0x0002;
constexpr std::uint32_t CE_RXPARITY = 0x0004;
constexpr std::uint32_t CE_FRAME = 0x0008;
constexpr std::uint32_t CE_BREAK = 0x0010;

// EscapeFunction codes.
constexpr int SETRTS = 3;
constexpr int CLRRTS = 4;
constexpr int SETDTR = 5;
constexpr int CLRDTR = 6;

struct TCommStat {
    std::uint32_t Flags = 0;
    std::uint32_t cbInQue = 0;
    std::uint32_t cbOutQue = 0;
};

int CommLastError();
void SetCommLastError(int error);
String SystemErrorText(int error);

class CommDevice {
public:
    CommDevice();
    ~CommDevice();
    CommDevice(const CommDevice&) = delete;
    CommDevice& operator=(const CommDevice&) = delete;

    // ENOENT for a missing device, EBUSY when another holder has it.
    bool Open(const String& path);
    // Drops what was received and not read.
    void Close();
    bool IsOpen() const;
    const String& Path() const;

    bool SetState(const TCommState& state);
    const TCommState& State() const;  // the last record accepted, also its fields Linux ignores
    // Capacity of the input queue; the output side is the driver's own.
    bool SetQueueSizes(std::uint32_t inQueue, std::uint32_t outQueue);
    bool SetEventMask(std::uint32_t mask);
    std::uint32_t EventMask() const;

    // Blocks until some monitored event (or EV_HANGUP) or cancel is signalled (returns 0).
    std::uint32_t WaitEvent(const CommEvent& cancel);

    // Takes up to count queued bytes after pulling what the device holds; never blocks.
    int Read(void* buffer, int count);
    // Bytes waiting in the input queue after pulling what the device holds.
    int InQueueCount();
    // Non-blocking write: bytes accepted (0 when the driver is full) or -1.
    int Write(const void* buffer, int count);

    enum class WaitResult { Ready, Cancelled, TimedOut, HungUp, Failed };
    // Waits until the device accepts data; cancel may be null.
    WaitResult WaitWritable(const CommEvent* cancel, std::uint32_t milliseconds);

    // Line error flags since the last call (then cleared) and the queue counts.
    bool ClearError(std::uint32_t& errors, TCommStat& status);
    bool EscapeFunction(int function);
    // False on a device without modem lines (a pseudo-terminal).
    bool HasModemLines() const;
    // False on a device without error counters (a pseudo-terminal): ClearError never finds any.
    bool ReportsLineErrors() const;
    bool HungUp() const;

private:
    struct Impl;
    std::unique_ptr<Impl> d_;
};
