#pragma once
// Base of the chart's small settings objects that call their owner back directly after every
// effective change (gradients, shadows, corners, float points).
#include "platform/classes/MethodEvent.h"
#include "platform/classes/Persistent.h"

class TZebPersistent : public TPersistent {
    TV_CLASS(TZebPersistent, TPersistent)
public:
    explicit TZebPersistent(TNotifyEvent onChange = {}) : onChange_(std::move(onChange)) {}

    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }

protected:
    void Changed()
    {
        if (onChange_) onChange_(this);
    }

private:
    TNotifyEvent onChange_;
};
