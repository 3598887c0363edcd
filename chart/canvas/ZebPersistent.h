#pragma once
// Base of the chart's small settings objects that call their owner back directly after every
// effective change (gradients, shadows, corners, float points, the 3-D view).
#include <utility>

#include "platform/classes/Assign.h"
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
    // Store value and call the owner back only when it differs.
    template <class T, class V>
    void Change(T& field, V&& value)
    {
        if (AssignIfChanged(field, std::forward<V>(value))) Changed();
    }

private:
    TNotifyEvent onChange_;
};
