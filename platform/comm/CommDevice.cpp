#include "platform/comm/CommDevice.h"

#include <asm/termbits.h>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

thread_local int tlsLastError = 0;

constexpr std::uint32_t ModemEvents = EV_CTS | EV_DSR | EV_RLSD | EV_RING;
constexpr std::uint32_t CounterEvents = EV_ERR | EV_BREAK;
constexpr std::uint32_t ReceiveEvents = EV_RXCHAR | EV_RXFLAG | EV_RX80FULL;
// How often modem lines, error counters and the drained output queue are sampled.
constexpr int SampleMs = 10;

bool Fail(int error)
{
    tlsLastError = error;
    return false;
}

}  // namespace

int CommLastError() { return tlsLastError; }

void SetCommLastError(int error) { tlsLastError = error; }

String SystemErrorText(int error)
{
    char buffer[256];
    // The GNU variant may return a static string instead of filling the buffer.
    const char* text = strerror_r(error, buffer, sizeof buffer);
    return text ? String(text) : String();
}

struct CommDevice::Impl {
    int fd = -1;
    String path;
    TCommState state;
    std::atomic<std::uint32_t> mask{0};
    bool modemLines = false;
    bool counters = false;
    CommEvent wake;  // tells a waiting WaitEvent that the picture changed

    std::mutex lock;  // everything below
    std::vector<Byte> ring = std::vector<Byte>(4096);
    std::size_t head = 0;
    std::size_t count = 0;
    bool arrived = false;
    bool flagSeen = false;
    bool eightyReported = false;
    bool txPending = false;
    std::uint32_t errors = 0;
    std::uint32_t pendingEvents = 0;
    std::atomic<bool> hungUp{false};
    int lastModem = 0;
    serial_icounter_struct lastCount{};

    // Moves what the device holds into the queue; lock held.
    void Pull()
    {
        if (fd < 0) return;
        Byte chunk[4096];
        while (count < ring.size()) {
            const std::size_t room = std::min(ring.size() - count, sizeof chunk);
            const ssize_t n = read(fd, chunk, room);
            if (n < 0) {
                if (errno == EINTR) continue;
                if (errno != EAGAIN) hungUp = true;
                return;
            }
            if (n == 0) {  // VMIN 1 and non-blocking: 0 only after a hang-up
                hungUp = true;
                return;
            }
            const bool strip = state.Flags & dcbNull;
            const Byte evt = static_cast<Byte>(state.EvtChar);
            bool any = false;
            for (ssize_t i = 0; i < n; ++i) {
                const Byte b = chunk[i];
                if (strip && b == 0) continue;
                if (b == evt) flagSeen = true;
                ring[(head + count) % ring.size()] = b;
                ++count;
                any = true;
            }
            if (any) arrived = true;
        }
    }

    void SampleLines()
    {
        const std::uint32_t m = mask;
        if (modemLines && (m & ModemEvents)) {
            int bits = 0;
            if (ioctl(fd, TIOCMGET, &bits) == 0) {
                const int changed = bits ^ lastModem;
                lastModem = bits;
                if (changed & TIOCM_CTS) pendingEvents |= EV_CTS;
                if (changed & TIOCM_DSR) pendingEvents |= EV_DSR;
                if (changed & TIOCM_CAR) pendingEvents |= EV_RLSD;
                if ((changed & TIOCM_RNG) && !(bits & TIOCM_RNG)) pendingEvents |= EV_RING;  // end of a ring
            }
        }
        if (counters && (m & CounterEvents)) {
            serial_icounter_struct now{};
            if (ioctl(fd, TIOCGICOUNT, &now) == 0) {
                std::uint32_t e = 0;
                if (now.overrun != lastCount.overrun) e |= CE_OVERRUN;
                if (now.buf_overrun != lastCount.buf_overrun) e |= CE_RXOVER;
                if (now.parity != lastCount.parity) e |= CE_RXPARITY;
                if (now.frame != lastCount.frame) e |= CE_FRAME;
                if (now.brk != lastCount.brk) {
                    e |= CE_BREAK;
                    pendingEvents |= EV_BREAK;
                }
                if (e & (CE_OVERRUN | CE_RXOVER | CE_RXPARITY | CE_FRAME)) pendingEvents |= EV_ERR;
                errors |= e;
                lastCount = now;
            }
        }
        if (txPending && (m & EV_TXEMPTY)) {
            int out = 0;
            if (ioctl(fd, TIOCOUTQ, &out) != 0 || out == 0) {
                txPending = false;
                pendingEvents |= EV_TXEMPTY;
            }
        }
    }

    // Events that are ready without waiting; lock held.
    std::uint32_t Collect()
    {
        const std::uint32_t m = mask;
        std::uint32_t ev = pendingEvents & m;
        pendingEvents = 0;
        if (arrived) {
            arrived = false;
            if (count > 0) ev |= m & EV_RXCHAR;
        }
        if (flagSeen) {
            flagSeen = false;
            ev |= m & EV_RXFLAG;
        }
        if (count * 5 >= ring.size() * 4) {
            if (!eightyReported) ev |= m & EV_RX80FULL;
            eightyReported = true;
        } else {
            eightyReported = false;
        }
        if (hungUp) ev |= EV_HANGUP;
        return ev;
    }
};

CommDevice::CommDevice() : d_(std::make_unique<Impl>()) {}

CommDevice::~CommDevice() { Close(); }

bool CommDevice::Open(const String& path)
{
    if (d_->fd >= 0) return Fail(EBUSY);
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return Fail(errno);
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int e = errno == EWOULDBLOCK ? EBUSY : errno;
        close(fd);
        return Fail(e);
    }
    termios2 tio{};
    if (ioctl(fd, TCGETS2, &tio) != 0) {
        const int e = errno;
        close(fd);
        return Fail(e);
    }
    Impl& d = *d_;
    d.fd = fd;
    d.path = path;
    int bits = 0;
    d.modemLines = ioctl(fd, TIOCMGET, &bits) == 0;
    d.lastModem = bits;
    d.counters = ioctl(fd, TIOCGICOUNT, &d.lastCount) == 0;
    std::lock_guard guard(d.lock);
    d.head = d.count = 0;
    d.arrived = d.flagSeen = d.eightyReported = d.txPending = false;
    d.errors = d.pendingEvents = 0;
    d.hungUp = false;
    d.wake.Reset();
    return true;
}

void CommDevice::Close()
{
    if (d_->fd < 0) return;
    // What arrived while open and was not taken goes with this holder, as the queue does.
    ioctl(d_->fd, TCFLSH, TCIFLUSH);
    close(d_->fd);  // also drops the lock
    d_->fd = -1;
    d_->path.clear();
}

bool CommDevice::IsOpen() const { return d_->fd >= 0; }

const String& CommDevice::Path() const { return d_->path; }

bool CommDevice::SetState(const TCommState& state)
{
    if (d_->fd < 0) return Fail(EBADF);
    const TCommTermios t = CommStateToTermios(state);
    if (t.error) return Fail(t.error);
    termios2 tio{};
    if (ioctl(d_->fd, TCGETS2, &tio) != 0) return Fail(errno);
    tio.c_iflag = t.iflag;
    tio.c_oflag = t.oflag;
    tio.c_cflag = t.cflag;
    tio.c_lflag = t.lflag;
    tio.c_cc[VSTART] = t.vstart;
    tio.c_cc[VSTOP] = t.vstop;
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    tio.c_ispeed = t.speed;
    tio.c_ospeed = t.speed;
    if (ioctl(d_->fd, TCSETS2, &tio) != 0) return Fail(errno);
    if (d_->modemLines) {
        const int dtr = TIOCM_DTR;
        const int rts = TIOCM_RTS;
        ioctl(d_->fd, t.raiseDtr ? TIOCMBIS : TIOCMBIC, &dtr);
        if (!(t.cflag & CRTSCTS)) ioctl(d_->fd, t.raiseRts ? TIOCMBIS : TIOCMBIC, &rts);
    }
    std::lock_guard guard(d_->lock);
    d_->state = state;
    return true;
}

const TCommState& CommDevice::State() const { return d_->state; }

bool CommDevice::SetQueueSizes(std::uint32_t inQueue, std::uint32_t /*outQueue*/)
{
    if (d_->fd < 0) return Fail(EBADF);
    if (inQueue == 0) return Fail(EINVAL);
    std::lock_guard guard(d_->lock);
    std::vector<Byte> ring(inQueue);
    std::size_t kept = std::min<std::size_t>(d_->count, inQueue);
    for (std::size_t i = 0; i < kept; ++i) ring[i] = d_->ring[(d_->head + i) % d_->ring.size()];
    d_->ring.swap(ring);
    d_->head = 0;
    d_->count = kept;
    d_->wake.Signal();
    return true;
}

bool CommDevice::SetEventMask(std::uint32_t mask)
{
    if (d_->fd < 0) return Fail(EBADF);
    d_->mask = mask;
    d_->wake.Signal();
    return true;
}

std::uint32_t CommDevice::EventMask() const { return d_->mask; }

std::uint32_t CommDevice::WaitEvent(const CommEvent& cancel)
{
    Impl& d = *d_;
    for (;;) {
        bool wantRead;
        int timeout = -1;
        {
            std::lock_guard guard(d.lock);
            if (d.fd < 0) {
                tlsLastError = EBADF;
                return EV_HANGUP;
            }
            d.SampleLines();
            if (const std::uint32_t ev = d.Collect()) return ev;
            const std::uint32_t m = d.mask;
            wantRead = (m & ReceiveEvents) && d.count < d.ring.size();
            if ((d.modemLines && (m & ModemEvents)) || (d.counters && (m & CounterEvents)) ||
                (d.txPending && (m & EV_TXEMPTY)))
                timeout = SampleMs;
        }
        pollfd fds[3] = {{cancel.Handle(), POLLIN, 0},
                         {d.wake.Handle(), POLLIN, 0},
                         {d.fd, static_cast<short>(wantRead ? POLLIN : 0), 0}};
        const int r = poll(fds, 3, timeout);
        if (r < 0 && errno != EINTR) {
            tlsLastError = errno;
            return 0;
        }
        if (fds[0].revents & POLLIN) return 0;
        if (fds[1].revents & POLLIN) d.wake.Reset();
        if (fds[2].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL)) {
            std::lock_guard guard(d.lock);
            d.Pull();
            if (fds[2].revents & (POLLHUP | POLLERR | POLLNVAL)) d.hungUp = true;
        }
    }
}

int CommDevice::Read(void* buffer, int count)
{
    if (d_->fd < 0) {
        tlsLastError = EBADF;
        return -1;
    }
    Impl& d = *d_;
    std::lock_guard guard(d.lock);
    const bool wasFull = d.count == d.ring.size();
    d.Pull();
    const std::size_t n = std::min<std::size_t>(d.count, count > 0 ? static_cast<std::size_t>(count) : 0);
    Byte* out = static_cast<Byte*>(buffer);
    const std::size_t first = std::min(n, d.ring.size() - d.head);
    std::memcpy(out, d.ring.data() + d.head, first);
    std::memcpy(out + first, d.ring.data(), n - first);
    d.head = (d.head + n) % d.ring.size();
    d.count -= n;
    if (wasFull && n > 0) d.wake.Signal();  // the event wait may read the device again
    return static_cast<int>(n);
}

int CommDevice::InQueueCount()
{
    if (d_->fd < 0) return 0;
    std::lock_guard guard(d_->lock);
    d_->Pull();
    return static_cast<int>(d_->count);
}

int CommDevice::Write(const void* buffer, int count)
{
    if (d_->fd < 0) {
        tlsLastError = EBADF;
        return -1;
    }
    for (;;) {
        const ssize_t n = write(d_->fd, buffer, static_cast<std::size_t>(count));
        if (n >= 0) {
            if (n > 0 && (d_->mask & EV_TXEMPTY)) {
                std::lock_guard guard(d_->lock);
                d_->txPending = true;
                d_->wake.Signal();
            }
            return static_cast<int>(n);
        }
        if (errno == EINTR) continue;
        if (errno == EAGAIN) return 0;
        tlsLastError = errno;
        if (errno == EIO || errno == ENXIO || errno == ENODEV) d_->hungUp = true;
        return -1;
    }
}

CommDevice::WaitResult CommDevice::WaitWritable(const CommEvent* cancel, std::uint32_t milliseconds)
{
    if (d_->fd < 0) {
        tlsLastError = EBADF;
        return WaitResult::Failed;
    }
    pollfd fds[2] = {{d_->fd, POLLOUT, 0}, {cancel ? cancel->Handle() : -1, POLLIN, 0}};
    const int timeout = milliseconds == CommEvent::Infinite
                            ? -1
                            : static_cast<int>(std::min<std::uint32_t>(milliseconds, 0x7FFFFFFF));
    for (;;) {
        const int r = poll(fds, cancel ? 2 : 1, timeout);
        if (r < 0) {
            if (errno == EINTR) continue;
            tlsLastError = errno;
            return WaitResult::Failed;
        }
        if (r == 0) return WaitResult::TimedOut;
        if (cancel && (fds[1].revents & POLLIN)) return WaitResult::Cancelled;
        if (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
            d_->hungUp = true;
            tlsLastError = EIO;
            return WaitResult::HungUp;
        }
        return WaitResult::Ready;
    }
}

bool CommDevice::ClearError(std::uint32_t& errors, TCommStat& status)
{
    errors = 0;
    status = {};
    if (d_->fd < 0) return Fail(EBADF);
    std::lock_guard guard(d_->lock);
    d_->Pull();
    d_->SampleLines();
    errors = d_->errors;
    d_->errors = 0;
    status.cbInQue = static_cast<std::uint32_t>(d_->count);
    int out = 0;
    if (ioctl(d_->fd, TIOCOUTQ, &out) == 0 && out > 0) status.cbOutQue = static_cast<std::uint32_t>(out);
    return true;
}

bool CommDevice::EscapeFunction(int function)
{
    if (d_->fd < 0) return Fail(EBADF);
    int bit = 0;
    unsigned long request = 0;
    switch (function) {
    case SETRTS:
        bit = TIOCM_RTS;
        request = TIOCMBIS;
        break;
    case CLRRTS:
        bit = TIOCM_RTS;
        request = TIOCMBIC;
        break;
    case SETDTR:
        bit = TIOCM_DTR;
        request = TIOCMBIS;
        break;
    case CLRDTR:
        bit = TIOCM_DTR;
        request = TIOCMBIC;
        break;
    default: return Fail(EINVAL);
    }
    if (!d_->modemLines) return true;  // nothing to drive on a device without modem lines
    if (ioctl(d_->fd, request, &bit) != 0) return Fail(errno);
    return true;
}

bool CommDevice::HasModemLines() const { return d_->modemLines; }

bool CommDevice::ReportsLineErrors() const { return d_->counters; }

bool CommDevice::HungUp() const { return d_->hungUp; }
