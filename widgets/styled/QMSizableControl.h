#pragma once
// A styled control with an optional status bar inside the bottom of its frame, carrying a text
// and a size grip that resizes the control from its bottom-right corner.
#include "widgets/styled/QMControl.h"

class TQMCustomSizableControl : public TQMCustomControl {
    TV_CLASS(TQMCustomSizableControl, TQMCustomControl)
public:
    explicit TQMCustomSizableControl(TComponent* owner);
    void Assign(TPersistent* source) override;

    bool ShowSizeGrip() const { return showSizeGrip_; }
    void SetShowSizeGrip(bool value);
    bool ShowStatusbar() const { return showStatusbar_; }
    void SetShowStatusbar(bool value);
    TColor StatusbarColor() const { return statusbarColor_; }
    void SetStatusbarColor(TColor value);
    const String& StatusbarText() const { return statusbarText_; }
    void SetStatusbarText(const String& value);

    void ShrinkForBorders(TRect& rect) const override;
    void PaintBorders(TCanvas* canvas) override;

protected:
    virtual void StatusbarChanged() {}
    int GetClientHitArea(TPoint p) const override;
    void WMNCHitTest(TMessage& message) override;
    void BoundsChanged() override;

private:
    bool showSizeGrip_ = true;
    bool showStatusbar_ = false;
    TColor statusbarColor_ = clBtnFace;
    String statusbarText_;
};
