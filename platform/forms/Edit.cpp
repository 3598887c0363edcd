// TCustomEdit and TEdit on the native line edit.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <algorithm>
#include <cctype>

#include "platform/classes/Published.h"
#include "platform/classes/Assign.h"
#include "platform/forms/Edit.h"
#include "platform/forms/StdCtrls_p.h"

using tvforms::Q;
using tvforms::S;
using tvforms::Wire;

TV_PUBLISHED(TCustomEdit)
{
    Prop("Text", &TCustomEdit::Text, &TCustomEdit::SetText);
    Prop("AutoSize", &TCustomEdit::AutoSize, &TCustomEdit::SetAutoSize, true);
    Prop("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength, 0);
    Prop("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly, false);
    PropEnum("CharCase", &TCustomEdit::CharCase, &TCustomEdit::SetCharCase, ecNormal, TEditCharCaseNames);
    Prop("PasswordChar", &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar, 0);
    Prop("AutoSelect", &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect, true);
    PropEnum("BorderStyle", &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle, bsSingle, TBorderStyleNames);
    Prop("HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection, true);
    Prop("TabStop", &TCustomEdit::TabStop, &TCustomEdit::SetTabStop, true);
    PropColor("Color", &TCustomEdit::Color, &TCustomEdit::SetColor, clWindow).Stored(&TCustomEdit::IsColorStored);
    Prop("ParentColor", &TCustomEdit::ParentColor, &TCustomEdit::SetParentColor, false);
    Prop("OnChange", &TCustomEdit::OnChange, &TCustomEdit::SetOnChange);
}

TV_PUBLISHED(TEdit) {}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner)
{
    SetControlStyle(TControlStyle{csClickEvents, csSetCaption, csDoubleClicks});
    SetTabStop(true);
    SetColor(clWindow);
    SetParentColor(false);  // the colour is already the window colour, so SetColor left the flag on
    SetBounds(0, 0, 121, 21);
    TControl::SetAutoSize(true);
}

TCustomEdit::~TCustomEdit() = default;

std::unique_ptr<THostWindow> TCustomEdit::CreateHostWindow() { return MakeHost<QLineEdit>(this, true); }

void TCustomEdit::HostCreated()
{
    auto* e = HostWidgetAs<QLineEdit>(this);
    if (!e) return;
    e->setText(Q(value_));
    e->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
    e->setReadOnly(readOnly_);
    e->setEchoMode(passwordChar_ ? QLineEdit::Password : QLineEdit::Normal);
    e->setFocusPolicy(Qt::StrongFocus);
    Wire(this, e, &QLineEdit::textEdited, [this](const QString& text) { UserEdited(S(text)); });
}

String TCustomEdit::GetText() const { return value_; }

namespace {
String ApplyCase(const String& s, TEditCharCase c)
{
    if (c == ecNormal) return s;
    String r = s;
    for (char& ch : r)
        ch = c == ecUpperCase ? static_cast<char>(std::toupper(static_cast<unsigned char>(ch)))
                              : static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return r;
}
}  // namespace

void TCustomEdit::SetTextValue(const String& value)
{
    value_ = ApplyCase(value, charCase_);
    if (auto* e = HostWidgetAs<QLineEdit>(this)) {
        QSignalBlocker block(e);
        e->setText(Q(value_));
    }
    // The edit reports its own change, as the platform's edit does on a new text.
    if (!IsLoading()) Change();
}

void TCustomEdit::UserEdited(const String& text)
{
    String v = ApplyCase(text, charCase_);
    if (v != text)
        if (auto* e = HostWidgetAs<QLineEdit>(this)) {
            QSignalBlocker block(e);
            int pos = e->cursorPosition();
            e->setText(Q(v));
            e->setCursorPosition(pos);
        }
    value_ = v;
    modified_ = true;
    Change();
}

void TCustomEdit::Change()
{
    if (onChange_) onChange_(this);
}

void TCustomEdit::CMTextChanged(TMessage& m) { TWinControl::CMTextChanged(m); }

void TCustomEdit::SetMaxLength(int value)
{
    maxLength_ = std::max(0, value);
    if (auto* e = HostWidgetAs<QLineEdit>(this)) e->setMaxLength(maxLength_ > 0 ? maxLength_ : 32767);
}

void TCustomEdit::SetReadOnly(bool value)
{
    readOnly_ = value;
    if (auto* e = HostWidgetAs<QLineEdit>(this)) e->setReadOnly(value);
    if (auto* m = HostWidgetAs<QPlainTextEdit>(this)) m->setReadOnly(value);
}

void TCustomEdit::SetCharCase(TEditCharCase value)
{
    if (AssignIfChanged(charCase_, value) && value != ecNormal) SetText(ApplyCase(Text(), value));
}

void TCustomEdit::SetPasswordChar(char value)
{
    passwordChar_ = value;
    if (auto* e = HostWidgetAs<QLineEdit>(this)) e->setEchoMode(value ? QLineEdit::Password : QLineEdit::Normal);
}

int TCustomEdit::SelStart() const
{
    if (auto* e = HostWidgetAs<QLineEdit>(this))
        return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
    return 0;
}

void TCustomEdit::SetSelStart(int value)
{
    if (auto* e = HostWidgetAs<QLineEdit>(this)) e->setCursorPosition(value);
}

int TCustomEdit::SelLength() const
{
    if (auto* e = HostWidgetAs<QLineEdit>(this)) return static_cast<int>(e->selectedText().size());
    return 0;
}

void TCustomEdit::SetSelLength(int value)
{
    if (auto* e = HostWidgetAs<QLineEdit>(this)) e->setSelection(SelStart(), value);
}

String TCustomEdit::SelText() const
{
    if (auto* e = HostWidgetAs<QLineEdit>(this)) return S(e->selectedText());
    return {};
}

void TCustomEdit::SelectAll()
{
    if (auto* e = HostWidgetAs<QLineEdit>(this)) e->selectAll();
}
