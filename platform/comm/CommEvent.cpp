#include "platform/comm/CommEvent.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <vector>

namespace {

// Milliseconds left of a wait that started at start; -1 for no limit.
int Remaining(std::uint32_t milliseconds, std::chrono::steady_clock::time_point start)
{
    if (milliseconds == CommEvent::Infinite) return -1;
    const auto spent =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    return spent >= milliseconds ? 0 : static_cast<int>(milliseconds - spent);
}

}  // namespace

CommEvent::CommEvent() : fd_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    if (fd_ < 0) lastError_ = errno;
}

CommEvent::~CommEvent()
{
    if (fd_ >= 0) close(fd_);
}

void CommEvent::Signal()
{
    const std::uint64_t one = 1;
    // A full counter is still signalled, so EAGAIN needs no handling.
    [[maybe_unused]] auto n = write(fd_, &one, sizeof one);
}

void CommEvent::Reset()
{
    std::uint64_t value;
    [[maybe_unused]] auto n = read(fd_, &value, sizeof value);
}

bool CommEvent::IsSignalled() const { return WaitFor(0) == 0; }

int CommEvent::WaitFor(std::uint32_t milliseconds) const
{
    const int r = WaitForAnyEvent({this}, milliseconds);
    if (r == 0) return 0;
    if (r == -1) return 1;
    lastError_ = errno;
    return 3;
}

int WaitForAnyEvent(std::initializer_list<const CommEvent*> events, std::uint32_t milliseconds)
{
    std::vector<pollfd> fds;
    for (const CommEvent* e : events) fds.push_back({e->Handle(), POLLIN, 0});
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        const int r = poll(fds.data(), fds.size(), Remaining(milliseconds, start));
        if (r < 0) {
            if (errno == EINTR) continue;
            return -2;
        }
        if (r == 0) return -1;
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].revents & POLLIN) return static_cast<int>(i);
            if (fds[i].revents & (POLLERR | POLLNVAL)) {
                errno = EBADF;
                return -2;
            }
        }
    }
}
