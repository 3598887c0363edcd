#include "platform/classes/SyncObjs.h"

#include <chrono>

TEvent::TEvent(bool manualReset, bool initialState) : manualReset_(manualReset), signalled_(initialState) {}

TEvent::~TEvent() { Abandon(); }

void TEvent::SetEvent()
{
    {
        std::lock_guard lock(mutex_);
        signalled_ = true;
    }
    if (manualReset_)
        cond_.notify_all();
    else
        cond_.notify_one();
}

void TEvent::ResetEvent()
{
    std::lock_guard lock(mutex_);
    signalled_ = false;
}

void TEvent::Abandon()
{
    {
        std::lock_guard lock(mutex_);
        abandoned_ = true;
    }
    cond_.notify_all();
}

bool TEvent::IsSet() const
{
    std::lock_guard lock(mutex_);
    return signalled_;
}

TWaitResult TEvent::WaitFor(Cardinal timeoutMs)
{
    std::unique_lock lock(mutex_);
    auto ready = [this] { return signalled_ || abandoned_; };
    if (timeoutMs == INFINITE) {
        cond_.wait(lock, ready);
    } else if (!cond_.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready)) {
        return wrTimeout;
    }
    if (signalled_) {
        if (!manualReset_) signalled_ = false;
        return wrSignaled;
    }
    return wrAbandoned;
}
