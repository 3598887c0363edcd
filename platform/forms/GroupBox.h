#pragma once
// TCustomGroupBox and TGroupBox: a captioned frame around child controls.
#include "platform/forms/CustomControls.h"

class TCustomGroupBox : public TCustomControl {
    TV_CLASS(TCustomGroupBox, TCustomControl)
public:
    explicit TCustomGroupBox(TComponent* owner);

protected:
    void Paint() override;
    void AdjustClientRect(TRect& rect) override;
    void CMTextChanged(TMessage& message) override;
};

class TGroupBox : public TCustomGroupBox {
    TV_CLASS(TGroupBox, TCustomGroupBox)
public:
    using TCustomGroupBox::TCustomGroupBox;
};
