#pragma once
// TSizeConstraints: the smallest and largest size a control takes when its bounds change; 0 is
// no limit. A maximum below the minimum pulls the minimum down with it, and a minimum above the
// maximum pushes the maximum up.
#include <utility>

#include "platform/classes/MethodEvent.h"
#include "platform/classes/Persistent.h"

class TSizeConstraints : public TPersistent {
    TV_CLASS(TSizeConstraints, TPersistent)
public:
    explicit TSizeConstraints(TNotifyEvent onChange = {}) : onChange_(std::move(onChange)) {}
    void Assign(TPersistent* source) override;

    int MaxHeight() const { return maxHeight_; }
    void SetMaxHeight(int value);
    int MaxWidth() const { return maxWidth_; }
    void SetMaxWidth(int value);
    int MinHeight() const { return minHeight_; }
    void SetMinHeight(int value);
    int MinWidth() const { return minWidth_; }
    void SetMinWidth(int value);

private:
    void changed();

    TNotifyEvent onChange_;
    int maxHeight_ = 0;
    int maxWidth_ = 0;
    int minHeight_ = 0;
    int minWidth_ = 0;
};
