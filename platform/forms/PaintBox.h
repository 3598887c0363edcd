#pragma once
// TPaintBox: a windowless area its OnPaint draws on Canvas.
#include "platform/forms/CustomControls.h"

class TPaintBox : public TGraphicControl {
    TV_CLASS(TPaintBox, TGraphicControl)
public:
    explicit TPaintBox(TComponent* owner);
    const TNotifyEvent& OnPaint() const { return onPaint_; }
    void SetOnPaint(const TNotifyEvent& e) { onPaint_ = e; }

protected:
    void Paint() override;

private:
    TNotifyEvent onPaint_;
};

void RegisterPaintBoxes();
