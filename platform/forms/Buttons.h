#pragma once
// Buttons: push button, check box and radio button. TCheckBox/TRadioButton OnClick fires on user
// clicks and when Checked is changed in code.
#include <iterator>

#include "platform/forms/WinControl.h"

class TButtonControl : public TWinControl {
    TV_CLASS(TButtonControl, TWinControl)
public:
    explicit TButtonControl(TComponent* owner);
};

class TButton : public TButtonControl {
    TV_CLASS(TButton, TButtonControl)
public:
    explicit TButton(TComponent* owner);

    bool Default() const { return default_; }
    void SetDefault(bool value) { default_ = value; }
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }
    // Clicks as the user would: OnClick, then the form's ModalResult when set.
    void Click() override;

protected:
    std::unique_ptr<THostWindow> CreateHostWindow() override;
    void HostCreated() override;
    void CMTextChanged(TMessage& message) override;

private:
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = 0;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
inline constexpr const char* TCheckBoxStateNames[] = {"cbUnchecked", "cbChecked", "cbGrayed"};
static_assert(std::size(TCheckBoxStateNames) == cbGrayed + 1);

class TCheckBox : public TButtonControl {
    TV_CLASS(TCheckBox, TButtonControl)
public:
    explicit TCheckBox(TComponent* owner);

    // Changing it in code fires OnClick, as a click does.
    bool Checked() const { return state_ == cbChecked; }
    void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return state_; }
    void SetState(TCheckBoxState value);
    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool value) { allowGrayed_ = value; }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { alignment_ = value; }
    // The user's click: toggles, which fires OnClick.
    void Toggle();

protected:
    std::unique_ptr<THostWindow> CreateHostWindow() override;
    void HostCreated() override;
    void CMTextChanged(TMessage& message) override;

private:
    TCheckBoxState state_ = cbUnchecked;
    bool allowGrayed_ = false;
    TAlignment alignment_ = taRightJustify;
};

class TRadioButton : public TButtonControl {
    TV_CLASS(TRadioButton, TButtonControl)
public:
    explicit TRadioButton(TComponent* owner);

    // Checking one unchecks its siblings; changing it in code fires OnClick when it becomes checked.
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { alignment_ = value; }

protected:
    std::unique_ptr<THostWindow> CreateHostWindow() override;
    void HostCreated() override;
    void CMTextChanged(TMessage& message) override;

private:
    bool checked_ = false;
    TAlignment alignment_ = taRightJustify;
};
