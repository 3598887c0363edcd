#pragma once
// TLabel: a caption drawn on its parent's surface (alignment, layout, word wrap, accelerator char).
#include "platform/forms/CustomControls.h"

class TLabel : public TGraphicControl {
    TV_CLASS(TLabel, TGraphicControl)
public:
    explicit TLabel(TComponent* owner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* value) { focusControl_ = value; }
    void SetAutoSize(bool value) override;

protected:
    void Paint() override;
    bool CanAutoSize(int& newWidth, int& newHeight) override;
    void CMTextChanged(TMessage& message) override;
    void CMFontChanged(TMessage& message) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool transparent_ = false;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    TWinControl* focusControl_ = nullptr;
};
