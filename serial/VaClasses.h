#pragma once
// Base of the option groups (change notifications with batching) and of the port.
#include "platform/classes/Component.h"
#include "platform/classes/MethodEvent.h"

class TVaPersistent : public TPersistent {
    TV_CLASS(TVaPersistent, TPersistent)
public:
    void BeginUpdate();
    // Counts down (never below 0), then Changed.
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }
    // Assigned by the owning port.
    const TNotifyEvent& OnChange() const { return onChange_; }
    void SetOnChange(TNotifyEvent handler) { onChange_ = std::move(handler); }

protected:
    // OnChange(this) unless an update is under way.
    void Changed();

private:
    int updateCount_ = 0;
    TNotifyEvent onChange_;
};

class TVaComponent : public TComponent {
    TV_CLASS(TVaComponent, TComponent)
public:
    explicit TVaComponent(TComponent* owner) : TComponent(owner) {}
};
