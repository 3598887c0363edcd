#pragma once
// A manual-reset event that a serial device wait can also watch: it stays
// signalled until Reset. Waits return 0 signalled, 1 timed out, 3 failed.
#include <cstdint>
#include <initializer_list>

class CommEvent {
public:
    static constexpr std::uint32_t Infinite = 0xFFFFFFFFu;

    CommEvent();  // not signalled
    ~CommEvent();
    CommEvent(const CommEvent&) = delete;
    CommEvent& operator=(const CommEvent&) = delete;

    bool Valid() const { return fd_ >= 0; }
    void Signal();
    void Reset();
    bool IsSignalled() const;
    int WaitFor(std::uint32_t milliseconds) const;
    int LastError() const { return lastError_; }
    int Handle() const { return fd_; }

private:
    int fd_ = -1;
    mutable int lastError_ = 0;
};

// Waits for the first signalled event of the list: its index, -1 on time-out, -2 on failure.
int WaitForAnyEvent(std::initializer_list<const CommEvent*> events, std::uint32_t milliseconds);
