#pragma once
// Synchronisation objects: events and (recursive) critical sections.
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "platform/rtl/Types.h"

enum TWaitResult { wrSignaled = 0, wrTimeout = 1, wrAbandoned = 2, wrError = 3 };
constexpr Cardinal INFINITE = 0xFFFFFFFFu;  // -1: wait without limit

class TEvent {
public:
    // Manual reset: stays signalled until ResetEvent. Auto reset: one waiter takes the signal.
    explicit TEvent(bool manualReset = true, bool initialState = false);
    ~TEvent();
    TEvent(const TEvent&) = delete;
    TEvent& operator=(const TEvent&) = delete;

    void SetEvent();
    void ResetEvent();
    // Milliseconds; INFINITE waits for ever. Waiters still blocked when Abandon() is called get
    // wrAbandoned (and so does every later wait).
    TWaitResult WaitFor(Cardinal timeoutMs = INFINITE);
    void Abandon();
    bool IsSet() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable cond_;
    bool manualReset_;
    bool signalled_;
    bool abandoned_ = false;
};

// A manual-reset event that starts not signalled.
class TSimpleEvent : public TEvent {
public:
    TSimpleEvent() : TEvent(true, false) {}
};

// Recursive, like the platform's: the owning thread may enter again.
class TCriticalSection {
public:
    void Enter() { mutex_.lock(); }
    void Leave() { mutex_.unlock(); }
    bool TryEnter() { return mutex_.try_lock(); }
    void Acquire() { Enter(); }
    void Release() { Leave(); }
    // BasicLockable, for std::lock_guard / std::scoped_lock.
    void lock() { Enter(); }
    void unlock() { Leave(); }
    bool try_lock() { return TryEnter(); }

private:
    std::recursive_mutex mutex_;
};

// Enter on construction, Leave on destruction.
class TCriticalSectionGuard {
public:
    explicit TCriticalSectionGuard(TCriticalSection& cs) : cs_(cs) { cs_.Enter(); }
    ~TCriticalSectionGuard() { cs_.Leave(); }
    TCriticalSectionGuard(const TCriticalSectionGuard&) = delete;
    TCriticalSectionGuard& operator=(const TCriticalSectionGuard&) = delete;

private:
    TCriticalSection& cs_;
};
