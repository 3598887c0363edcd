#pragma once
// Thin wrappers of the platform's event objects and critical sections.
#include <cstdint>
#include <memory>
#include <mutex>

#include "platform/classes/Object.h"

class CommEvent;

class TVaHandleObject : public TObject {
public:
    ~TVaHandleObject() override;
    // 0 signalled, 1 timed out, 2 abandoned, 3 failed (LastError then holds the error).
    // 0xFFFFFFFF waits without limit.
    int WaitFor(std::uint32_t milliseconds);
    int LastError() const { return lastError_; }
    CommEvent& Handle() const { return *handle_; }

protected:
    explicit TVaHandleObject(std::unique_ptr<CommEvent> handle);

private:
    std::unique_ptr<CommEvent> handle_;
    int lastError_ = 0;
};

class TVaEvent : public TVaHandleObject {
public:
    void Signal();
    void Reset();

protected:
    using TVaHandleObject::TVaHandleObject;
};

// Unnamed, manual reset, starts not signalled.
class TVaWaitEvent : public TVaEvent {
public:
    TVaWaitEvent();
};

class TVaCriticalSection : public TObject {
public:
    void Enter() { mutex_.lock(); }
    void Leave() { mutex_.unlock(); }
    void lock() { Enter(); }
    void unlock() { Leave(); }

private:
    std::recursive_mutex mutex_;
};
