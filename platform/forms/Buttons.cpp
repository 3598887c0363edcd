// Push button, check box and radio button (native widgets), and the dialog keys: Return and Escape
// click the default and cancel buttons.
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <vector>

#include "platform/classes/Published.h"
#include "platform/classes/Assign.h"
#include "platform/forms/Buttons.h"
#include "platform/forms/Forms.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/StdCtrls_p.h"

using tvforms::Q;
using tvforms::Wire;

namespace {
// Check and radio boxes answer a click anywhere in their window, as the platform's do.
class TvCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint& p) const override { return rect().contains(p); }
};

class TvRadioButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& p) const override { return rect().contains(p); }
};

void FindButtons(TWinControl* parent, std::vector<TButton*>& out)
{
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (auto* b = dynamic_cast<TButton*>(c)) out.push_back(b);
        if (auto* w = dynamic_cast<TWinControl*>(c)) FindButtons(w, out);
    }
}

}  // namespace

namespace tvforms {

bool DialogKey(TWinControl* control, Word vk)
{
    if (!IsLive(control)) return false;
    if (auto* memo = dynamic_cast<TMemo*>(control); memo && vk == VK_RETURN && memo->WantReturns()) return false;
    // A control that asks for every key keeps Return and Escape.
    if (control->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS) return false;
    if (auto* button = dynamic_cast<TButton*>(control); button && vk == VK_RETURN) {
        button->Click();
        return true;
    }
    TCustomForm* form = GetParentForm(control);
    if (!form) return false;
    std::vector<TButton*> buttons;
    FindButtons(form, buttons);
    for (TButton* b : buttons) {
        bool wanted = vk == VK_RETURN ? b->Default() : b->Cancel();
        if (wanted && b->Visible() && b->IsEnabledInTree()) {
            b->Click();
            return true;
        }
    }
    return false;
}

}  // namespace tvforms

// ---- TButton -----------------------------------------------------------------------------------

TV_PUBLISHED(TButtonControl) {}

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {}

TV_PUBLISHED(TButton)
{
    Prop("Caption", &TButton::Caption, &TButton::SetCaption);
    Prop("Default", &TButton::Default, &TButton::SetDefault, false);
    Prop("Cancel", &TButton::Cancel, &TButton::SetCancel, false);
    Prop("ModalResult", &TButton::ModalResult, &TButton::SetModalResult, 0);
    Prop("TabStop", &TButton::TabStop, &TButton::SetTabStop, true);
    PropColor("Color", &TButton::Color, &TButton::SetColor, clBtnFace).Stored(&TButton::IsColorStored);
    Prop("ParentColor", &TButton::ParentColor, &TButton::SetParentColor, false);
}

TButton::TButton(TComponent* owner) : TButtonControl(owner)
{
    SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
    SetTabStop(true);
    SetColor(clBtnFace);
    SetBounds(0, 0, 75, 25);
}

std::unique_ptr<THostWindow> TButton::CreateHostWindow() { return MakeHost<QPushButton>(this, true); }

void TButton::HostCreated()
{
    auto* b = HostWidgetAs<QPushButton>(this);
    b->setText(Q(Caption()));
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::StrongFocus);
    Wire(this, b, &QPushButton::clicked, [this](bool) { Click(); });
}

void TButton::Click()
{
    if (modalResult_ != 0)
        if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
    TButtonControl::Click();
}

void TButton::CMTextChanged(TMessage& m)
{
    if (auto* b = HostWidgetAs<QPushButton>(this)) b->setText(Q(Caption()));
    TButtonControl::CMTextChanged(m);
}

// ---- TCheckBox ---------------------------------------------------------------------------------

TV_PUBLISHED(TCheckBox)
{
    Prop("Caption", &TCheckBox::Caption, &TCheckBox::SetCaption);
    Prop("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked).Stored(false);
    PropEnum("State", &TCheckBox::State, &TCheckBox::SetState, cbUnchecked, TCheckBoxStateNames);
    Prop("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed, false);
    PropEnum("Alignment", &TCheckBox::Alignment, &TCheckBox::SetAlignment, taRightJustify, TAlignmentNames);
    Prop("TabStop", &TCheckBox::TabStop, &TCheckBox::SetTabStop, true);
}

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner)
{
    SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
    SetTabStop(true);
    SetBounds(0, 0, 97, 17);
}

std::unique_ptr<THostWindow> TCheckBox::CreateHostWindow() { return MakeHost<TvCheckBox>(this, true); }

void TCheckBox::HostCreated()
{
    auto* w = HostWidgetAs<QCheckBox>(this);
    if (!w) return;
    w->setText(Q(Caption()));
    w->setTristate(allowGrayed_);
    w->setCheckState(state_ == cbChecked ? Qt::Checked : state_ == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
    w->setFocusPolicy(Qt::StrongFocus);
    Wire(this, w, &QCheckBox::clicked, [this](bool) { Toggle(); });
}

void TCheckBox::Toggle()
{
    switch (state_) {
    case cbUnchecked: SetState(allowGrayed_ ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
    // The widget toggled itself; it shows our state whatever the handler did.
    if (tvforms::IsLive(this))
        if (auto* w = HostWidgetAs<QCheckBox>(this)) {
            QSignalBlocker block(w);
            w->setCheckState(state_ == cbChecked  ? Qt::Checked
                             : state_ == cbGrayed ? Qt::PartiallyChecked
                                                  : Qt::Unchecked);
        }
}

void TCheckBox::SetState(TCheckBoxState value)
{
    if (!AssignIfChanged(state_, value)) return;
    if (auto* w = HostWidgetAs<QCheckBox>(this)) {
        QSignalBlocker block(w);
        if (value == cbGrayed) w->setTristate(true);
        w->setCheckState(value == cbChecked ? Qt::Checked : value == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
    }
    Click();
}

void TCheckBox::CMTextChanged(TMessage& m)
{
    if (auto* w = HostWidgetAs<QCheckBox>(this)) w->setText(Q(Caption()));
    TButtonControl::CMTextChanged(m);
}

// ---- TRadioButton ------------------------------------------------------------------------------

TV_PUBLISHED(TRadioButton)
{
    Prop("Caption", &TRadioButton::Caption, &TRadioButton::SetCaption);
    Prop("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked, false);
    PropEnum("Alignment", &TRadioButton::Alignment, &TRadioButton::SetAlignment, taRightJustify, TAlignmentNames);
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner)
{
    SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 113, 17);
}

std::unique_ptr<THostWindow> TRadioButton::CreateHostWindow() { return MakeHost<TvRadioButton>(this, true); }

void TRadioButton::HostCreated()
{
    auto* w = HostWidgetAs<QRadioButton>(this);
    if (!w) return;
    w->setAutoExclusive(false);
    w->setText(Q(Caption()));
    w->setChecked(checked_);
    w->setFocusPolicy(Qt::StrongFocus);
    Wire(this, w, &QRadioButton::clicked, [this](bool) {
        if (checked_) {
            auto* rw = HostWidgetAs<QRadioButton>(this);
            QSignalBlocker block(rw);
            rw->setChecked(true);
            return;
        }
        SetChecked(true);
    });
}

void TRadioButton::SetChecked(bool value)
{
    if (!AssignIfChanged(checked_, value)) return;
    SetTabStop(value);
    if (auto* w = HostWidgetAs<QRadioButton>(this)) {
        QSignalBlocker block(w);
        w->setChecked(value);
    }
    if (!value) return;
    if (TWinControl* p = Parent())
        for (int i = 0; i < p->ControlCount(); ++i)
            if (auto* r = dynamic_cast<TRadioButton*>(p->Controls(i)); r && r != this) r->SetChecked(false);
    Click();
}

void TRadioButton::CMTextChanged(TMessage& m)
{
    if (auto* w = HostWidgetAs<QRadioButton>(this)) w->setText(Q(Caption()));
    TButtonControl::CMTextChanged(m);
}
