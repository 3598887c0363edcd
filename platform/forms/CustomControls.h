#pragma once
// Controls that paint themselves: TGraphicControl (on its parent's surface) and TCustomControl (an
// owner-drawn windowed control).
#include "platform/forms/WinControl.h"

// A windowless control: the parent's window paints it (after the parent's own Paint, in z-order)
// with a canvas moved to the control's Left/Top and clipped to its size, so the parent shows through.
class TGraphicControl : public TControl {
    TV_CLASS(TGraphicControl, TControl)
public:
    explicit TGraphicControl(TComponent* owner);
    ~TGraphicControl() override;
    // Valid during Paint (bound to the parent's surface); outside Paint it draws nowhere.
    TCanvas* Canvas() const { return canvas_; }

protected:
    virtual void Paint() {}
    void WndProc(TMessage& message) override;

    friend class TWinControl;

private:
    TCanvas* canvas_ = nullptr;  // owned
};

// An owner-drawn windowed control: Canvas is bound to the window during Paint.
class TCustomControl : public TWinControl {
    TV_CLASS(TCustomControl, TWinControl)
public:
    explicit TCustomControl(TComponent* owner);
    ~TCustomControl() override;
    TCanvas* Canvas() const { return canvas_; }

protected:
    virtual void Paint() {}
    void PaintWindow(TCanvas& canvas) override;

private:
    TCanvas* canvas_ = nullptr;  // owned
};
