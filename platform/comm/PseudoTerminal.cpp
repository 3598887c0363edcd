#include "platform/comm/PseudoTerminal.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

PseudoTerminal::~PseudoTerminal() { Close(); }

bool PseudoTerminal::Open()
{
    Close();
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0) return false;
    char name[128];
    if (grantpt(master_) != 0 || unlockpt(master_) != 0 || ptsname_r(master_, name, sizeof name) != 0) {
        Close();
        return false;
    }
    path_ = name;
    slave_ = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slave_ < 0) {
        Close();
        return false;
    }
    termios tio{};
    tcgetattr(slave_, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave_, TCSANOW, &tio);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    return true;
}

void PseudoTerminal::Close()
{
    if (slave_ >= 0) close(slave_);
    if (master_ >= 0) close(master_);
    slave_ = master_ = -1;
    path_.clear();
}

int PseudoTerminal::Read(void* buffer, int count)
{
    for (;;) {
        const ssize_t n = read(master_, buffer, static_cast<std::size_t>(count));
        if (n >= 0) return static_cast<int>(n);
        if (errno == EINTR) continue;
        return errno == EAGAIN ? 0 : -1;
    }
}

int PseudoTerminal::Write(const void* buffer, int count)
{
    for (;;) {
        const ssize_t n = write(master_, buffer, static_cast<std::size_t>(count));
        if (n >= 0) return static_cast<int>(n);
        if (errno == EINTR) continue;
        return errno == EAGAIN ? 0 : -1;
    }
}

bool PseudoTerminal::WriteAll(const void* buffer, int count)
{
    const char* p = static_cast<const char*>(buffer);
    while (count > 0) {
        const int n = Write(p, count);
        if (n < 0) return false;
        if (n == 0 && !WaitWritable(1000)) continue;
        p += n;
        count -= n;
    }
    return true;
}

static bool WaitFd(int fd, short events, int milliseconds)
{
    pollfd p{fd, events, 0};
    for (;;) {
        const int r = poll(&p, 1, milliseconds);
        if (r < 0 && errno == EINTR) continue;
        return r > 0;
    }
}

bool PseudoTerminal::WaitReadable(int milliseconds) { return WaitFd(master_, POLLIN, milliseconds); }

bool PseudoTerminal::WaitWritable(int milliseconds) { return WaitFd(master_, POLLOUT, milliseconds); }

String PseudoTerminal::ReadFor(int milliseconds, std::size_t count)
{
    String text;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        char chunk[4096];
        const int n = Read(chunk, sizeof chunk);
        if (n > 0) text.append(chunk, static_cast<std::size_t>(n));
        if (count > 0 && text.size() >= count) return text;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
        if (left <= 0) return text;
        if (n <= 0) WaitReadable(static_cast<int>(left));
    }
}
