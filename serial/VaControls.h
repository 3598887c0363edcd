#pragma once
// Graphic-control base of the serial component's visual parts.
#include "platform/forms/Controls.h"

class TVaGraphicControl : public TGraphicControl {
    TV_CLASS(TVaGraphicControl, TGraphicControl)
public:
    explicit TVaGraphicControl(TComponent* owner);

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate()
    {
        if (updateCount_ > 0) --updateCount_;
    }
    int UpdateCount() const { return updateCount_; }

    const TNotifyEvent& OnFontChanged() const { return onFontChanged_; }
    void SetOnFontChanged(TNotifyEvent handler) { onFontChanged_ = std::move(handler); }
    const TNotifyEvent& OnTextChanged() const { return onTextChanged_; }
    void SetOnTextChanged(TNotifyEvent handler) { onTextChanged_ = std::move(handler); }
    // OnMouseEnter / OnMouseLeave are the control's own (TControl).

protected:
    // Repaints unless loading or inside BeginUpdate/EndUpdate.
    virtual void RepaintOnChange();
    // With AutoSize and Align none/top/bottom/left/right: re-applies the bounds.
    virtual void AdjustSize();
    virtual void AdjustBounds();
    virtual void MouseEntered();
    virtual void MouseLeft();
    virtual void FontChanged();
    virtual void TextChanged();

    void CMMouseEnter(TMessage& message) override;
    void CMMouseLeave(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;
    void CMTextChanged(TMessage& message) override;

private:
    void reapplyBounds();
    int updateCount_ = 0;
    TNotifyEvent onFontChanged_;
    TNotifyEvent onTextChanged_;
};

class TVaCustomComm;

// A status display that a port feeds on every event batch. No concrete display exists.
class TVaDisplay : public TVaGraphicControl {
    TV_CLASS(TVaDisplay, TVaGraphicControl)
public:
    explicit TVaDisplay(TComponent* owner) : TVaGraphicControl(owner) {}
    virtual void UpdateDisplay(TVaCustomComm* port) = 0;
};
