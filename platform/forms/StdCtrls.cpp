// Standard controls on the platform's native widgets (button, edit, memo, combo box, check box,
// radio button, scroll bar) and the owner-drawn label and group box.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Forms_p.h"
#include "platform/forms/LogView_p.h"
#include "platform/forms/StdCtrls.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {

constexpr const char* TAlignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};
constexpr const char* TTextLayoutNames[] = {"tlTop", "tlCenter", "tlBottom"};
constexpr const char* TScrollStyleNames[] = {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};
constexpr const char* TEditCharCaseNames[] = {"ecNormal", "ecUpperCase", "ecLowerCase"};
constexpr const char* TComboBoxStyleNames[] = {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"};
constexpr const char* TCheckBoxStateNames[] = {"cbUnchecked", "cbChecked", "cbGrayed"};
constexpr const char* TScrollBarKindNames[] = {"sbHorizontal", "sbVertical"};
constexpr const char* TBorderStyleNames[] = {"bsNone", "bsSingle"};

QString Q(const String& s) { return QString::fromStdString(s); }
String S(const QString& s) { return s.toStdString(); }

// A canvas for measuring text outside painting.
TCanvas& MeasureCanvas()
{
    static TBitmap* bitmap = [] {
        auto* b = new TBitmap;  // kept for the program's life
        b->SetSize(1, 1);
        return b;
    }();
    return *bitmap->Canvas();
}

// Connects a widget signal to a handler of a control, with the exception barrier and a check
// that the control still lives.
template <class Sender, class Signal, class F>
void Wire(TControl* control, Sender* sender, Signal signal, F f)
{
    QObject::connect(sender, signal, sender, [control, f](auto... args) {
        if (!tvforms::IsLive(control)) return;
        tvforms::DispatchScope scope(tvforms::dispatchDepth);
        tvforms::Guard(control, [&] { f(args...); });
    });
}

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

// ---- TLabel ------------------------------------------------------------------------------------

TV_PUBLISHED(TLabel)
{
    Prop("Caption", &TLabel::Caption, &TLabel::SetCaption);
    PropEnum("Alignment", &TLabel::Alignment, &TLabel::SetAlignment, taLeftJustify, TAlignmentNames);
    Prop("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize, true);
    PropEnum("Layout", &TLabel::Layout, &TLabel::SetLayout, tlTop, TTextLayoutNames);
    Prop("Transparent", &TLabel::Transparent, &TLabel::SetTransparent, false);
    Prop("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap, false);
    Prop("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar, true);
    Prop("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
}

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner)
{
    SetControlStyle(ControlStyle() + csReplicatable);
    SetBounds(0, 0, 65, 17);
    SetAutoSize(true);
}

void TLabel::SetAlignment(TAlignment value)
{
    if (alignment_ == value) return;
    alignment_ = value;
    Invalidate();
}

void TLabel::SetLayout(TTextLayout value)
{
    if (layout_ == value) return;
    layout_ = value;
    Invalidate();
}

void TLabel::SetTransparent(bool value)
{
    if (transparent_ == value) return;
    transparent_ = value;
    SetControlStyle(value ? ControlStyle() - csOpaque : ControlStyle() + csOpaque);
    Invalidate();
}

void TLabel::SetWordWrap(bool value)
{
    if (wordWrap_ == value) return;
    wordWrap_ = value;
    AdjustSize();
    Invalidate();
}

void TLabel::SetShowAccelChar(bool value)
{
    if (showAccelChar_ == value) return;
    showAccelChar_ = value;
    AdjustSize();
    Invalidate();
}

void TLabel::SetAutoSize(bool value)
{
    TControl::SetAutoSize(value);
    Invalidate();
}

namespace {
unsigned AlignFlags(TAlignment a)
{
    if (a == taRightJustify) return DT_RIGHT;
    if (a == taCenter) return DT_CENTER;
    return DT_LEFT;
}
}  // namespace

bool TLabel::CanAutoSize(int& newWidth, int& newHeight)
{
    TCanvas& c = MeasureCanvas();
    c.SetFont(Font());
    String text = Caption();
    if (text.empty() || (showAccelChar_ && text == "&")) text += ' ';
    TRect r = Rect(0, 0, wordWrap_ ? Width() : 0, 0);
    unsigned flags = DT_EXPANDTABS | DT_CALCRECT | (wordWrap_ ? unsigned(DT_WORDBREAK) : 0u) | (showAccelChar_ ? 0u : unsigned(DT_NOPREFIX));
    DrawText(tvforms::Ready(c), text, r, flags);
    newWidth = r.Width();
    newHeight = r.Height();
    return true;
}

void TLabel::Paint()
{
    TCanvas& c = *Canvas();
    TRect r = ClientRect();
    if (!transparent_) {
        c.Brush()->SetColor(Color());
        c.Brush()->SetStyle(bsSolid);
        c.FillRect(r);
    }
    c.Brush()->SetStyle(bsClear);
    c.SetFont(Font());
    String text = Caption();
    unsigned flags = DT_EXPANDTABS | AlignFlags(alignment_) | (wordWrap_ ? unsigned(DT_WORDBREAK) : 0u) |
                     (showAccelChar_ ? 0u : unsigned(DT_NOPREFIX));
    if (layout_ != tlTop) {
        TRect calc = r;
        DrawText(tvforms::Ready(c), text.empty() ? String(" ") : text, calc, flags | DT_CALCRECT);
        int offset = layout_ == tlBottom ? r.Height() - calc.Height() : (r.Height() - calc.Height()) / 2;
        r.Top += offset;
    }
    if (!Enabled()) {
        TRect shadow = r;
        OffsetRect(shadow, 1, 1);
        c.Font()->SetColor(clBtnHighlight);
        DrawText(tvforms::Ready(c), text, shadow, flags);
        c.Font()->SetColor(clBtnShadow);
        DrawText(tvforms::Ready(c), text, r, flags);
    } else {
        DrawText(tvforms::Ready(c), text, r, flags);
    }
}

void TLabel::CMTextChanged(TMessage& m)
{
    TGraphicControl::CMTextChanged(m);
    AdjustSize();
    Invalidate();
}

void TLabel::CMFontChanged(TMessage& m)
{
    TGraphicControl::CMFontChanged(m);
    AdjustSize();
}

void TLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustSize();
}

void TLabel::Notification(TComponent* component, TOperation operation)
{
    TGraphicControl::Notification(component, operation);
    if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
}

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

// ---- TCustomEdit / TEdit -----------------------------------------------------------------------

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
    for (char& ch : r) ch = c == ecUpperCase ? static_cast<char>(std::toupper(static_cast<unsigned char>(ch)))
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
    if (charCase_ == value) return;
    charCase_ = value;
    if (value != ecNormal) SetText(ApplyCase(Text(), value));
}

void TCustomEdit::SetPasswordChar(char value)
{
    passwordChar_ = value;
    if (auto* e = HostWidgetAs<QLineEdit>(this)) e->setEchoMode(value ? QLineEdit::Password : QLineEdit::Normal);
}

int TCustomEdit::SelStart() const
{
    if (auto* e = HostWidgetAs<QLineEdit>(this)) return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
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

// ---- TMemo -------------------------------------------------------------------------------------

namespace {
// The view of a memo shown as a log; nullptr while it has none or the platform's text edit.
TvLogView* LogViewOf(const TMemo* memo)
{
    THostWindow* host = memo->Host();
    return host ? dynamic_cast<TvLogView*>(host->widget.data()) : nullptr;
}

// Lines of text ('\r\n', '\r' and '\n' all break), the last one kept even when empty.
std::vector<String> SplitKeepingLast(const String& text)
{
    std::vector<String> out(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    return out;
}
}  // namespace

// The memo's lines, kept in a compact store. A memo whose lines do not wrap shows them through the
// log view, which draws straight from the store. A wrapping memo mirrors them into the platform's
// text edit: appending adds one block to the widget's document, and a user edit marks the store
// stale, to be read back on the next access.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TMemo* memo) : memo_(memo) {}

    int Count() const override
    {
        sync();
        return store_.Count();
    }
    String Get(int index) const override
    {
        sync();
        check(index, false);
        return String(store_.Line(index));
    }
    void Put(int index, const String& s) override
    {
        sync();
        check(index, false);
        store_.Put(index, s);
        if (auto* v = view()) v->Replaced(index);
        changed();
    }
    void Insert(int index, const String& s) override
    {
        sync();
        check(index, true);
        if (index == store_.Count()) {
            Add(s);
            return;
        }
        store_.Insert(index, s);
        if (auto* v = view()) v->Inserted(index);
        changed();
    }
    int Add(const String& s) override
    {
        sync();
        // Text with line breaks becomes several lines, as in the platform's edit.
        if (s.find_first_of("\r\n") != String::npos) {
            std::vector<String> parts = split(s);
            if (parts.empty()) parts.push_back(String());
            for (const auto& p : parts) store_.Add(p);
            if (auto* v = view()) v->Appended();
            changed();
            return store_.Count() - 1;
        }
        store_.Add(s);
        if (auto* v = view()) {
            v->Appended();
        } else if (auto* w = HostWidgetAs<QPlainTextEdit>(memo_)) {
            // Lines added in one burst reach the widget in one append from the message loop:
            // appending one at a time costs a layout each.
            pending_ << Q(s);
            if (!flushQueued_) {
                flushQueued_ = true;
                QTimer::singleShot(0, w, [this, alive = std::weak_ptr<int>(alive_)] {
                    if (!alive.expired()) flush();
                });
            }
        }
        notify();
        return store_.Count() - 1;
    }
    void Delete(int index) override
    {
        sync();
        check(index, false);
        store_.Delete(index);
        if (auto* v = view()) v->Deleted(index);
        changed();
    }
    void Clear() override
    {
        stale_ = false;
        if (store_.Count() == 0) return;
        store_.Clear();
        if (auto* v = view()) v->Reset();
        changed();
    }

    void SetAll(const String& text)
    {
        stale_ = false;
        store_.Clear();
        for (const auto& line : split(text)) store_.Add(line);
        if (auto* v = view()) v->Reset();
        changed();
    }
    String Joined() const
    {
        sync();
        String r;
        r.reserve(store_.TextSize() + 2 * static_cast<std::size_t>(store_.Count()));
        for (int i = 0; i < store_.Count(); ++i) {
            if (i) r += "\r\n";
            r += store_.Line(i);
        }
        return r;
    }
    // Puts every line into a wrapping memo's widget.
    void PushAll()
    {
        pending_.clear();
        if (auto* w = HostWidgetAs<QPlainTextEdit>(memo_)) {
            QSignalBlocker block(w);
            QStringList list;
            list.reserve(store_.Count());
            for (int i = 0; i < store_.Count(); ++i) {
                const std::string_view line = store_.Line(i);
                list << QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
            }
            w->setPlainText(list.join(QLatin1Char('\n')));
        }
    }
    void MarkStale() { stale_ = true; }
    void FlushPending() const { flush(); }
    // Brings the store up to date with a wrapping memo's widget, before the widget goes.
    void ReadBack() const { sync(); }
    const TLineStore& Store() const { return store_; }

    // The user replaced the text from..to of the log view with text: the store takes the change
    // and the view is told; answers where the new text ends. Change events are the caller's.
    TvLogView::TPos UserReplace(TvLogView::TPos from, TvLogView::TPos to, const String& text)
    {
        auto part = [&](TvLogView::TPos p, bool head) {
            if (store_.Count() == 0) return String();
            const std::string_view line = store_.Line(p.line);
            const auto at = static_cast<std::size_t>(p.col);
            return String(head ? line.substr(0, at) : line.substr(at));
        };
        const String tail = part(to, false);
        const std::vector<String> pieces = SplitKeepingLast(part(from, true) + text + tail);
        TvLogView* v = view();
        if (store_.Count() == 0) {
            for (const auto& p : pieces) store_.Add(p);
            if (v) v->Appended();
        } else {
            for (int i = to.line; i > from.line; --i) {
                store_.Delete(i);
                if (v) v->Deleted(i);
            }
            store_.Put(from.line, pieces[0]);
            if (v) v->Replaced(from.line);
            for (std::size_t k = 1; k < pieces.size(); ++k) {
                const int index = from.line + static_cast<int>(k);
                store_.Insert(index, pieces[k]);
                if (v) v->Inserted(index);
            }
        }
        return {from.line + static_cast<int>(pieces.size()) - 1, static_cast<int>(pieces.back().size() - tail.size())};
    }

protected:
    void SetUpdateState(bool updating) override
    {
        if (!updating && pendingChange_) {
            pendingChange_ = false;
            if (!memo_->IsLoading()) memo_->Change();
        }
    }

private:
    TvLogView* view() const { return LogViewOf(memo_); }
    static std::vector<String> split(const String& text)
    {
        std::vector<String> out;
        String cur;
        for (size_t i = 0; i < text.size(); ++i) {
            char ch = text[i];
            if (ch == '\r' || ch == '\n') {
                out.push_back(cur);
                cur.clear();
                if (ch == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            } else {
                cur += ch;
            }
        }
        if (!cur.empty()) out.push_back(cur);
        return out;
    }
    void check(int index, bool allowEnd) const
    {
        int n = store_.Count();
        if (index < 0 || index > n || (!allowEnd && index == n))
            throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
    }
    // Hands the lines added since the last flush to a wrapping memo's widget.
    void flush() const
    {
        flushQueued_ = false;
        if (pending_.isEmpty()) return;
        if (auto* w = HostWidgetAs<QPlainTextEdit>(memo_)) {
            QSignalBlocker block(w);
            const QString text = pending_.join(QLatin1Char('\n'));
            if (w->document()->isEmpty() && store_.Count() == pending_.size())
                w->setPlainText(text);
            else
                w->appendPlainText(text);
        }
        pending_.clear();
    }
    // Reads a wrapping memo's lines back from its widget after the user edited them.
    void sync() const
    {
        if (!stale_) return;
        flush();
        stale_ = false;
        store_.Clear();
        if (auto* w = HostWidgetAs<QPlainTextEdit>(memo_)) {
            const QTextDocument* doc = w->document();
            if (doc->isEmpty()) return;
            for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) store_.Add(S(b.text()));
            // A trailing empty line is the end of the last line's break.
            if (store_.Count() > 0 && store_.Line(store_.Count() - 1).empty()) store_.Delete(store_.Count() - 1);
        }
    }
    void changed()
    {
        PushAll();
        notify();
    }
    void notify()
    {
        if (UpdateCount() > 0) {
            pendingChange_ = true;
            return;
        }
        if (!memo_->IsLoading()) memo_->Change();
    }

    TMemo* memo_;
    mutable TLineStore store_;
    mutable QStringList pending_;
    mutable bool flushQueued_ = false;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
    mutable bool stale_ = false;
    bool pendingChange_ = false;
};

TV_PUBLISHED(TMemo)
{
    Prop("Lines", &TMemo::Lines, &TMemo::SetLines);
    PropEnum("ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars, ssNone, TScrollStyleNames);
    Prop("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap, true);
    Prop("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns, true);
    Prop("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs, false);
    PropEnum("Alignment", &TMemo::Alignment, &TMemo::SetAlignment, taLeftJustify, TAlignmentNames);
}

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(this))
{
    SetBounds(Left(), Top(), 185, 89);
}

TMemo::~TMemo()
{
    // The view may outlive the memo by a moment (deleted later when an event of it runs).
    if (auto* v = LogViewOf(this)) {
        v->SetStore(nullptr);
        v->SetEditing({}, {});
    }
}

TStrings* TMemo::Lines() const { return lines_.get(); }

void TMemo::SetLines(TStrings* value)
{
    if (value) lines_->SetAll(value->Text());
}

namespace {
// Hands a memo's batched lines to its widget before the user acts on the widget.
class MemoInputFilter : public QObject {
public:
    MemoInputFilter(QObject* parent, std::function<void()> flush) : QObject(parent), flush_(std::move(flush)) {}
    bool eventFilter(QObject*, QEvent* e) override
    {
        switch (e->type()) {
        case QEvent::KeyPress:
        case QEvent::InputMethod:
        case QEvent::FocusIn:
        case QEvent::MouseButtonPress: flush_(); break;
        default: break;
        }
        return false;
    }

private:
    std::function<void()> flush_;
};
}  // namespace

bool TMemo::wraps() const { return wordWrap_ && scrollBars_ != ssHorizontal && scrollBars_ != ssBoth; }

std::unique_ptr<THostWindow> TMemo::CreateHostWindow()
{
    if (!wraps()) return MakeHost<TvLogView>(this, true);
    return MakeHost<QPlainTextEdit>(this, true);
}

void TMemo::HostCreated()
{
    if (auto* v = LogViewOf(this)) {
        v->SetStore(&lines_->Store());
        v->SetEditing([this] { return ReadOnly(); },
                      [this](TvLogView::TPos from, TvLogView::TPos to, const String& text) {
                          TvLogView::TPos end = from;
                          tvforms::DispatchScope scope(tvforms::dispatchDepth);
                          tvforms::Guard(this, [&] {
                              end = lines_->UserReplace(from, to, text);
                              SetModified(true);
                              Change();
                          });
                          return end;
                      });
        v->setFocusPolicy(Qt::StrongFocus);
        SetScrollBars(scrollBars_);
        return;
    }
    auto* w = HostWidgetAs<QPlainTextEdit>(this);
    if (!w) return;
    w->setReadOnly(ReadOnly());
    w->setFocusPolicy(Qt::StrongFocus);
    SetScrollBars(scrollBars_);
    SetWordWrap(wordWrap_);
    lines_->PushAll();
    auto* filter = new MemoInputFilter(w, [this] { lines_->FlushPending(); });
    w->installEventFilter(filter);
    w->viewport()->installEventFilter(filter);
    Wire(this, w, &QPlainTextEdit::textChanged, [this] {
        lines_->MarkStale();
        SetModified(true);
        Change();
    });
}

String TMemo::GetText() const { return lines_->Joined(); }

void TMemo::SetTextValue(const String& value) { lines_->SetAll(value); }

// Wrapping or not picks the widget: a memo that changes between the two gets a new one.
void TMemo::hostKindChanged()
{
    if (!HandleAllocated() || (LogViewOf(this) != nullptr) == !wraps()) return;
    lines_->ReadBack();
    TControlAccess::DetachHost(this);
    HandleNeeded();
}

void TMemo::SetScrollBars(TScrollStyle value)
{
    scrollBars_ = value;
    hostKindChanged();
    bool h = value == ssHorizontal || value == ssBoth;
    bool v = value == ssVertical || value == ssBoth;
    if (auto* view = HostWidgetAs<QAbstractScrollArea>(this)) {
        view->setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(v ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    }
}

void TMemo::SetWordWrap(bool value)
{
    wordWrap_ = value;
    hostKindChanged();
    if (auto* w = HostWidgetAs<QPlainTextEdit>(this)) w->setLineWrapMode(QPlainTextEdit::WidgetWidth);
}

// ---- TComboBox ---------------------------------------------------------------------------------

class TComboItems : public TStringList {
public:
    explicit TComboItems(TComboBox* combo) : combo_(combo) {}
    void Put(int index, const String& s) override { TStringList::Put(index, s); changed(); }
    void Insert(int index, const String& s) override { TStringList::Insert(index, s); changed(); }
    void InsertObject(int index, const String& s, TObject* o) override { TStringList::InsertObject(index, s, o); changed(); }
    int Add(const String& s) override { int i = TStringList::Add(s); changed(); return i; }
    int AddObject(const String& s, TObject* o) override { int i = TStringList::AddObject(s, o); changed(); return i; }
    void Delete(int index) override { TStringList::Delete(index); changed(); }
    void Clear() override { TStringList::Clear(); changed(); }
    void Exchange(int a, int b) override { TStringList::Exchange(a, b); changed(); }
    void Assign(const TStrings& other) override
    {
        BeginUpdate();
        TStringList::Assign(other);
        EndUpdate();
    }

protected:
    void SetUpdateState(bool updating) override
    {
        if (!updating) combo_->itemsChanged();
    }

private:
    void changed()
    {
        if (UpdateCount() == 0) combo_->itemsChanged();
    }
    TComboBox* combo_;
};

TV_PUBLISHED(TComboBox)
{
    PropEnum("Style", &TComboBox::Style, &TComboBox::SetStyle, csDropDown, TComboBoxStyleNames);
    Prop("Items", &TComboBox::Items, &TComboBox::SetItems);
    Prop("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex, -1);
    Prop("Text", &TComboBox::Text, &TComboBox::SetText);
    Prop("DropDownCount", &TComboBox::DropDownCount, &TComboBox::SetDropDownCount, 8);
    Prop("MaxLength", &TComboBox::MaxLength, &TComboBox::SetMaxLength, 0);
    Prop("Sorted", &TComboBox::Sorted, &TComboBox::SetSorted, false);
    Prop("ItemHeight", &TComboBox::ItemHeight, &TComboBox::SetItemHeight, 13);
    Prop("TabStop", &TComboBox::TabStop, &TComboBox::SetTabStop, true);
    PropColor("Color", &TComboBox::Color, &TComboBox::SetColor, clWindow).Stored(&TComboBox::IsColorStored);
    Prop("ParentColor", &TComboBox::ParentColor, &TComboBox::SetParentColor, false);
    Prop("OnChange", &TComboBox::OnChange, &TComboBox::SetOnChange);
    Prop("OnSelect", &TComboBox::OnSelect, &TComboBox::SetOnSelect);
    Prop("OnDropDown", &TComboBox::OnDropDown, &TComboBox::SetOnDropDown);
}

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner), items_(std::make_unique<TComboItems>(this))
{
    SetControlStyle(TControlStyle{csSetCaption, csDoubleClicks});
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 145, 21);
}

TComboBox::~TComboBox() = default;

TStrings* TComboBox::Items() const { return items_.get(); }

void TComboBox::SetItems(TStrings* value)
{
    if (value) items_->Assign(*value);
}

void TComboBox::SetStyle(TComboBoxStyle value)
{
    if (style_ == value) return;
    style_ = value;
    if (style_ == csDropDownList && itemIndex_ < 0) value_.clear();
    pushToHost();
}

void TComboBox::SetSorted(bool value)
{
    sorted_ = value;
    items_->SetSorted(value);
}

void TComboBox::SetItemIndex(int value)
{
    if (value < -1 || value >= items_->Count()) value = -1;
    itemIndex_ = value;
    value_ = value >= 0 ? items_->Get(value) : String();
    pushToHost();
}

void TComboBox::Clear()
{
    items_->Clear();
    SetItemIndex(-1);
}

String TComboBox::GetText() const { return value_; }

void TComboBox::SetTextValue(const String& value)
{
    int index = items_->IndexOf(value);
    if (style_ == csDropDownList) {
        itemIndex_ = index;
        value_ = index >= 0 ? items_->Get(index) : String();
    } else {
        value_ = value;
        itemIndex_ = index;
    }
    pushToHost();
}

void TComboBox::itemsChanged()
{
    // The edit text stays; the selection follows it.
    if (style_ == csDropDownList) {
        if (itemIndex_ >= items_->Count()) itemIndex_ = -1;
        value_ = itemIndex_ >= 0 ? items_->Get(itemIndex_) : String();
    } else {
        itemIndex_ = items_->IndexOf(value_);
    }
    pushToHost();
}

std::unique_ptr<THostWindow> TComboBox::CreateHostWindow() { return MakeHost<QComboBox>(this, true); }

void TComboBox::HostCreated()
{
    auto* w = HostWidgetAs<QComboBox>(this);
    if (!w) return;
    w->setFocusPolicy(Qt::StrongFocus);
    w->setInsertPolicy(QComboBox::NoInsert);
    Wire(this, w, qOverload<int>(&QComboBox::activated), [this](int index) { UserSelected(index); });
    pushToHost();
}

void TComboBox::pushToHost()
{
    auto* w = HostWidgetAs<QComboBox>(this);
    if (!w) return;
    QSignalBlocker block(w);
    bool editable = style_ != csDropDownList;
    if (w->isEditable() != editable) w->setEditable(editable);
    if (editable && w->lineEdit() && w->lineEdit()->property("tvWired").isNull()) {
        QLineEdit* e = w->lineEdit();
        e->setProperty("tvWired", true);
        Wire(this, e, &QLineEdit::textEdited, [this](const QString& text) { UserEdited(S(text)); });
    }
    w->clear();
    QStringList list;
    for (int i = 0; i < items_->Count(); ++i) list << Q(items_->Get(i));
    w->addItems(list);
    w->setCurrentIndex(itemIndex_);
    if (editable && w->lineEdit()) {
        QSignalBlocker blockEdit(w->lineEdit());
        w->lineEdit()->setText(Q(value_));
    }
}

void TComboBox::UserEdited(const String& text)
{
    value_ = text;
    itemIndex_ = items_->IndexOf(text);
    Change();
}

void TComboBox::UserSelected(int index)
{
    if (index < 0 || index >= items_->Count()) return;
    itemIndex_ = index;
    value_ = items_->Get(index);
    pushToHost();
    Click();
    if (!tvforms::IsLive(this)) return;
    Select();
}

void TComboBox::Change()
{
    if (onChange_) onChange_(this);
}

void TComboBox::Select()
{
    if (onSelect_)
        onSelect_(this);
    else
        Change();
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
            w->setCheckState(state_ == cbChecked ? Qt::Checked : state_ == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
        }
}

void TCheckBox::SetState(TCheckBoxState value)
{
    if (state_ == value) return;
    state_ = value;
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
    if (checked_ == value) return;
    checked_ = value;
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

// ---- TGroupBox ---------------------------------------------------------------------------------

TV_PUBLISHED(TCustomGroupBox) { Prop("Caption", &TCustomGroupBox::Caption, &TCustomGroupBox::SetCaption); }
TV_PUBLISHED(TGroupBox) {}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner)
{
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                                  csReplicatable});
    SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::AdjustClientRect(TRect& rect)
{
    TCanvas& c = MeasureCanvas();
    c.SetFont(Font());
    rect.Top += c.TextHeight("0");
    InflateRect(rect, -2, -2);
}

void TCustomGroupBox::Paint()
{
    TCanvas& c = *Canvas();
    c.SetFont(Font());
    int h = c.TextHeight("0");
    TRect r = ClientRect();
    c.Brush()->SetColor(Color());
    c.Brush()->SetStyle(bsSolid);
    TRect frame = Rect(0, h / 2 - 1, r.Right, r.Bottom);
    DrawEdge(tvforms::Ready(c), frame, EDGE_ETCHED, BF_RECT);
    String text = Caption();
    if (!text.empty()) {
        TRect tr = Rect(8, 0, 0, h);
        DrawText(tvforms::Ready(c), text, tr, DT_CALCRECT | DT_SINGLELINE);
        tr.Right += 2;
        c.FillRect(Rect(tr.Left - 1, tr.Top, tr.Right + 1, tr.Bottom));
        c.Brush()->SetStyle(bsClear);
        TRect draw = Rect(tr.Left + 1, tr.Top, tr.Right, tr.Bottom);
        DrawText(tvforms::Ready(c), text, draw, DT_SINGLELINE | DT_LEFT);
    }
}

void TCustomGroupBox::CMTextChanged(TMessage& m)
{
    TCustomControl::CMTextChanged(m);
    Invalidate();
}

// ---- TScrollBar --------------------------------------------------------------------------------

TV_PUBLISHED(TScrollBar)
{
    PropEnum("Kind", &TScrollBar::Kind, &TScrollBar::SetKind, sbHorizontal, TScrollBarKindNames);
    Prop("Min", &TScrollBar::Min, &TScrollBar::SetMin, 0);
    Prop("Max", &TScrollBar::Max, &TScrollBar::SetMax, 100);
    Prop("Position", &TScrollBar::Position, &TScrollBar::SetPosition, 0);
    Prop("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange, 1);
    Prop("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange, 1);
    Prop("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize, 0);
    Prop("TabStop", &TScrollBar::TabStop, &TScrollBar::SetTabStop, true);
    Prop("OnChange", &TScrollBar::OnChange, &TScrollBar::SetOnChange);
    Prop("OnScroll", &TScrollBar::OnScroll, &TScrollBar::SetOnScroll);
}

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner)
{
    SetTabStop(true);
    SetBounds(0, 0, 121, 17);
}

void TScrollBar::SetKind(TScrollBarKind value)
{
    if (kind_ == value) return;
    kind_ = value;
    if (!IsLoading()) SetBounds(Left(), Top(), Height(), Width());
    if (auto* w = HostWidgetAs<QScrollBar>(this)) w->setOrientation(value == sbHorizontal ? Qt::Horizontal : Qt::Vertical);
}

void TScrollBar::SetPageSize(int value)
{
    pageSize_ = std::max(0, value);
    HostCreated();
}

void TScrollBar::SetParams(int position, int min, int max)
{
    if (max < min) throw EInvalidOperation("Scroll bar property out of range");
    position = std::clamp(position, min, max);
    min_ = min;
    max_ = max;
    bool changed = position != position_;
    position_ = position;
    if (auto* w = HostWidgetAs<QScrollBar>(this)) {
        QSignalBlocker block(w);
        w->setRange(min_, std::max(min_, max_ - std::max(0, pageSize_ - 1)));
        w->setValue(position_);
    }
    if (changed) Change();
}

std::unique_ptr<THostWindow> TScrollBar::CreateHostWindow()
{
    return MakeHost<QScrollBar>(this, true, kind_ == sbHorizontal ? Qt::Horizontal : Qt::Vertical);
}

void TScrollBar::HostCreated()
{
    auto* w = HostWidgetAs<QScrollBar>(this);
    if (!w) return;
    {
        QSignalBlocker block(w);
        w->setRange(min_, std::max(min_, max_ - std::max(0, pageSize_ - 1)));
        w->setPageStep(std::max(1, pageSize_ > 0 ? pageSize_ : largeChange_));
        w->setSingleStep(smallChange_);
        w->setValue(position_);
    }
    if (w->property("tvWired").isNull()) {
        w->setProperty("tvWired", true);
        Wire(this, w, &QScrollBar::valueChanged, [this](int v) { UserScrolled(scPosition, v); });
    }
}

void TScrollBar::UserScrolled(TScrollCode code, int position)
{
    int pos = position;
    if (onScroll_) onScroll_(this, code, pos);
    if (!tvforms::IsLive(this)) return;
    SetPosition(pos);
}

void TScrollBar::Change()
{
    if (onChange_) onChange_(this);
}

void RegisterStdControls()
{
    RegisterFormClasses();
    RegisterClasses({&TLabel::StaticClass(), &TButton::StaticClass(), &TEdit::StaticClass(), &TMemo::StaticClass(),
                     &TComboBox::StaticClass(), &TCheckBox::StaticClass(), &TRadioButton::StaticClass(),
                     &TGroupBox::StaticClass(), &TScrollBar::StaticClass()});
}
