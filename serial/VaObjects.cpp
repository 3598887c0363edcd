#include "serial/VaObjects.h"

#include "platform/comm/CommEvent.h"

TVaHandleObject::TVaHandleObject(std::unique_ptr<CommEvent> handle) : handle_(std::move(handle)) {}

TVaHandleObject::~TVaHandleObject() = default;

int TVaHandleObject::WaitFor(std::uint32_t milliseconds)
{
    const int r = handle_->WaitFor(milliseconds);
    if (r == 3) lastError_ = handle_->LastError();
    return r;
}

void TVaEvent::Signal() { Handle().Signal(); }

void TVaEvent::Reset() { Handle().Reset(); }

TVaWaitEvent::TVaWaitEvent() : TVaEvent(std::make_unique<CommEvent>()) {}
