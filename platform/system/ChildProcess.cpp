#include "platform/system/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

TChildProcess::~TChildProcess() { Stop(); }

bool TChildProcess::Start(const String& program, const std::vector<String>& args,
                          const std::vector<std::pair<String, String>>& env)
{
    if (pid_ > 0) return false;
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) return false;
    std::vector<String> argStore{program};
    argStore.insert(argStore.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (String& a : argStore) argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t parent = getpid();
    const pid_t pid = fork();
    if (pid < 0) {
        close(pipeFds[0]);
        close(pipeFds[1]);
        return false;
    }
    if (pid == 0) {
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) _exit(127);
        dup2(pipeFds[1], STDOUT_FILENO);
        for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
        execvp(program.c_str(), argv.data());
        _exit(127);
    }
    close(pipeFds[1]);
    pid_ = pid;
    out_ = pipeFds[0];
    status_ = -1;
    buffer_.clear();
    return true;
}

bool TChildProcess::ReadLine(String& line, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const std::size_t nl = buffer_.find('\n');
        if (nl != String::npos) {
            line = buffer_.substr(0, nl);
            buffer_.erase(0, nl + 1);
            return true;
        }
        if (out_ < 0) return false;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
        if (left <= 0) return false;
        pollfd p{out_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0) continue;
        char chunk[512];
        const ssize_t n = read(out_, chunk, sizeof chunk);
        if (n <= 0) {
            if (n < 0 && errno == EINTR) continue;
            close(out_);
            out_ = -1;
            continue;
        }
        buffer_.append(chunk, static_cast<std::size_t>(n));
    }
}

bool TChildProcess::Running()
{
    if (pid_ <= 0) return false;
    int status = 0;
    const pid_t r = waitpid(pid_, &status, WNOHANG);
    if (r == pid_) {
        status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        pid_ = -1;
        return false;
    }
    return true;
}

int TChildProcess::Wait(int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Running()) {
        if (std::chrono::steady_clock::now() >= end) return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return status_;
}

int TChildProcess::Stop(int timeoutMs)
{
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        if (Wait(timeoutMs) == -1 && pid_ > 0) {
            kill(pid_, SIGKILL);
            int status = 0;
            waitpid(pid_, &status, 0);
            pid_ = -1;
            status_ = -1;
        }
    }
    if (out_ >= 0) {
        close(out_);
        out_ = -1;
    }
    return status_;
}

void TChildProcess::Detach()
{
    if (out_ >= 0) {
        close(out_);
        out_ = -1;
    }
    if (pid_ > 0) {
        std::thread([pid = pid_] {
            int status = 0;
            waitpid(pid, &status, 0);
        }).detach();
        pid_ = -1;
    }
}
