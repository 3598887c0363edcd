// Forms: top-level windows, modal and modeless, built in code or from a stored description.
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>

#include "platform/classes/Assign.h"
#include "platform/classes/Filer.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Published.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Forms_p.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Resources.h"

namespace {

TModalHandler modalHandler;

// The top-level window of a form: its close box asks the form.
class TFormWidget : public THostWidget<QWidget> {
public:
    explicit TFormWidget(TCustomForm* form) : THostWidget<QWidget>(form), form_(form) {}
    void Detach() override
    {
        THostWidget<QWidget>::Detach();
        form_ = nullptr;
    }

protected:
    void closeEvent(QCloseEvent* e) override
    {
        e->ignore();
        if (!form_) return;
        TCustomForm* form = form_;
        tvforms::DispatchScope scope(host->dispatchDepth);
        tvforms::Guard(form, [&] { form->CloseFromWindow(); });
    }
    // The window system sized or moved the window (the user at its border, maximizing): the form
    // takes the new bounds, so its anchors and alignment follow and its face covers the new area.
    void resizeEvent(QResizeEvent* e) override
    {
        THostWidget<QWidget>::resizeEvent(e);
        followWindow();
    }
    void moveEvent(QMoveEvent* e) override
    {
        THostWidget<QWidget>::moveEvent(e);
        followWindow();
    }

private:
    void followWindow()
    {
        if (!form_ || !isWindow()) return;
        TCustomForm* form = form_;
        const QRect client = geometry();
        tvforms::DispatchScope scope(host->dispatchDepth);
        tvforms::Guard(form, [&] {
            form->WindowPlaced(Rect(client.x(), client.y(), client.x() + client.width(), client.y() + client.height()));
        });
    }

    TCustomForm* form_;
};

// The title-bar buttons of the border icons. As in the class library, the minimize and maximize
// buttons need the system menu and a single or sizeable border, and the help button shows only
// on a dialog frame or without both of them.
Qt::WindowFlags WindowButtonHints(TBorderIcons icons, TFormBorderStyle style)
{
    Qt::WindowFlags flags = Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (!icons.Contains(biSystemMenu)) return flags;
    flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    const bool framed = style == bsSingle || style == bsSizeable;
    const bool minimize = framed && icons.Contains(biMinimize);
    const bool maximize = framed && icons.Contains(biMaximize);
    if (minimize) flags |= Qt::WindowMinimizeButtonHint;
    if (maximize) flags |= Qt::WindowMaximizeButtonHint;
    if (icons.Contains(biHelp) && (style == bsDialog || (!minimize && !maximize)))
        flags |= Qt::WindowContextHelpButtonHint;
    return flags;
}

constexpr Qt::WindowFlags ButtonHintMask = Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                           Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                                           Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint;

class TFormHost : public THostWindow {
public:
    using THostWindow::THostWindow;
};

}  // namespace

TModalHandler SetModalHandler(TModalHandler handler)
{
    TModalHandler old = std::move(modalHandler);
    modalHandler = std::move(handler);
    return old;
}

TV_PUBLISHED(TCustomForm)
{
    Prop("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption);
    Prop("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth).Stored(false);
    Prop("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight).Stored(false);
    PropSet("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons,
            (TBorderIcons{biSystemMenu, biMinimize, biMaximize}), TBorderIconNames);
    PropEnum("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle, bsSizeable, TFormBorderStyleNames);
    PropEnum("Position", &TCustomForm::Position, &TCustomForm::SetPosition, poDesigned, TPositionNames);
    PropEnum("WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState, wsNormal, TWindowStateNames);
    PropEnum("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle, fsNormal, TFormStyleNames);
    Prop("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview, false);
    // A form starts hidden and without a parent to take its colour from.
    Prop("Visible", &TCustomForm::Visible, &TCustomForm::SetVisible, false);
    PropColor("Color", &TCustomForm::Color, &TCustomForm::SetColor, clBtnFace).Stored(&TCustomForm::IsColorStored);
    Prop("ParentColor", &TCustomForm::ParentColor, &TCustomForm::SetParentColor, false);
    Prop("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
    Prop("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch);
    Prop("TextHeight", &TCustomForm::TextHeight, &TCustomForm::SetTextHeight);
    Prop("OldCreateOrder", &TCustomForm::OldCreateOrder, &TCustomForm::SetOldCreateOrder);
    Prop("OnCreate", &TCustomForm::OnCreate, &TCustomForm::SetOnCreate);
    Prop("OnDestroy", &TCustomForm::OnDestroy, &TCustomForm::SetOnDestroy);
    Prop("OnShow", &TCustomForm::OnShow, &TCustomForm::SetOnShow);
    Prop("OnHide", &TCustomForm::OnHide, &TCustomForm::SetOnHide);
    Prop("OnActivate", &TCustomForm::OnActivate, &TCustomForm::SetOnActivate);
    Prop("OnDeactivate", &TCustomForm::OnDeactivate, &TCustomForm::SetOnDeactivate);
    Prop("OnPaint", &TCustomForm::OnPaint, &TCustomForm::SetOnPaint);
    Prop("OnClose", &TCustomForm::OnClose, &TCustomForm::SetOnClose);
    Prop("OnCloseQuery", &TCustomForm::OnCloseQuery, &TCustomForm::SetOnCloseQuery);
}

TV_PUBLISHED(TForm) {}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner)
{
    canvas_ = new TControlCanvas(this);
    SetVisibleState(false);
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    SetColor(clBtnFace);
    SetBounds(0, 0, 320, 240);
    Screen->AddForm(this);
}

TCustomForm::~TCustomForm()
{
    Screen->RemoveForm(this);
    TObject::Free(canvas_);
}

void TCustomForm::BeforeDestruction()
{
    if (onDestroy_) tvforms::Guard(this, [&] { onDestroy_(this); });
    Screen->RemoveForm(this);
    Application->FormDestroying(this);
    TWinControl::BeforeDestruction();
}

std::unique_ptr<THostWindow> TCustomForm::CreateHostWindow()
{
    tvforms::EnsureApp();
    auto* widget = new TFormWidget(this);
    auto host = std::make_unique<TFormHost>(this, widget);
    widget->host = host.get();
    return host;
}

void TCustomForm::HostCreated()
{
    Host()->widget->setWindowTitle(QString::fromStdString(Caption()));
    applyWindowButtons();
}

void TCustomForm::applyWindowButtons()
{
    if (!Host() || !Host()->widget) return;
    QWidget* w = Host()->widget;
    const Qt::WindowFlags flags = (w->windowFlags() & ~ButtonHintMask) | WindowButtonHints(borderIcons_, borderStyle_);
    if (flags == w->windowFlags()) return;
    // New hints hide a shown window, and keep its frame where it was: it comes back as it was,
    // its client area where the form has it.
    const bool shown = w->isVisible();
    const QRect client = w->geometry();
    w->setWindowFlags(flags);
    w->setGeometry(client);
    if (shown) w->show();
}

void TCustomForm::SetBorderIcons(TBorderIcons value)
{
    if (AssignIfChanged(borderIcons_, value)) applyWindowButtons();
}

void TCustomForm::WindowPlaced(const TRect& client)
{
    const TSize f = FrameSize();
    SetBounds(client.Left - f.cx / 2, client.Top - (f.cy - f.cx / 2), client.Width() + f.cx, client.Height() + f.cy);
}

void TCustomForm::InitFromText(const String& text)
{
    TStringStream input(text);
    TMemoryStream binary;
    ObjectTextToBinary(input, binary);
    binary.SetPosition(0);
    InitFromBinary(binary);
}

void TCustomForm::InitFromBinary(TStream& stream)
{
    RegisterStandardClasses();
    // A description that says Visible = True shows the form after OnCreate, not while reading.
    initializing_ = true;
    try {
        TReader reader(stream);
        reader.ReadRootComponent(this);
        Realign();
        DoCreate();
    } catch (...) {
        initializing_ = false;
        throw;
    }
    initializing_ = false;
    if (Visible()) VisibleChanged();
}

void TCustomForm::InitFromResource(const String& resourceName)
{
    TResourceStream stream(resourceName);
    if (TestStreamFormat(stream) == sofText) {
        TMemoryStream binary;
        ObjectTextToBinary(stream, binary);
        binary.SetPosition(0);
        InitFromBinary(binary);
    } else {
        InitFromBinary(stream);
    }
}

void TCustomForm::GetChildren(const TGetChildProc& proc, TComponent* root)
{
    TWinControl::GetChildren(proc, root);
    if (root == this)
        for (int i = 0; i < ComponentCount(); ++i) {
            TComponent* c = Components(i);
            if (!c->HasParent()) proc(c);
        }
}

void TCustomForm::DoCreate()
{
    if (onCreate_) tvforms::Guard(this, [&] { onCreate_(this); });
}

void TCustomForm::DoShow()
{
    if (onShow_) onShow_(this);
}

void TCustomForm::DoHide()
{
    if (onHide_) onHide_(this);
}

void TCustomForm::DoClose(TCloseAction& action)
{
    if (onClose_) onClose_(this, action);
}

TSize TCustomForm::FrameSize() const
{
    switch (borderStyle_) {
    case bsNone: return {0, 0};
    case bsToolWindow:
    case bsSizeToolWin: return {16, 34};
    default: return {16, 39};
    }
}

TRect TCustomForm::GetClientRect() const
{
    TSize f = FrameSize();
    return Rect(0, 0, std::max(0, Width() - f.cx), std::max(0, Height() - f.cy));
}

TPoint TCustomForm::ClientOrigin() const
{
    TSize f = FrameSize();
    return {Left() + f.cx / 2, Top() + f.cy - f.cx / 2};
}

void TCustomForm::SetClientWidth(int value) { SetWidth(value + FrameSize().cx); }

void TCustomForm::SetClientHeight(int value) { SetHeight(value + FrameSize().cy); }

void TCustomForm::SetBorderStyle(TFormBorderStyle value)
{
    if (borderStyle_ == value) return;
    // The client area keeps its size; the outer size follows the frame.
    TRect cr = ClientRect();
    borderStyle_ = value;
    TSize f = FrameSize();
    SetBounds(Left(), Top(), cr.Width() + f.cx, cr.Height() + f.cy);
    BoundsChanged();
    applyWindowButtons();
}

void TCustomForm::BoundsChanged() { TWinControl::BoundsChanged(); }

void TCustomForm::placeOnScreen()
{
    switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
        SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
        break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
        TCustomForm* ref = position_ == poOwnerFormCenter ? dynamic_cast<TCustomForm*>(Owner()) : nullptr;
        if (!ref) ref = Application->MainForm();
        if (ref && ref != this)
            SetBounds(ref->Left() + (ref->Width() - Width()) / 2, ref->Top() + (ref->Height() - Height()) / 2, Width(),
                      Height());
        else
            SetBounds((Screen->Width() - Width()) / 2, (Screen->Height() - Height()) / 2, Width(), Height());
        break;
    }
    default: break;
    }
}

void TCustomForm::Show()
{
    SetVisible(true);
    if (Host() && Host()->widget && !tvforms::IsOffscreen()) Host()->widget->raise();
}

void TCustomForm::VisibleChanged()
{
    if (initializing_) return;
    HandleNeeded();
    QWidget* w = Host()->widget;
    if (Visible()) {
        if (!shownOnce_) {
            shownOnce_ = true;
            placeOnScreen();
        }
        DoShow();
        if (!Visible() || !Host()) return;
        w->setVisible(true);
        Screen->SetActiveForm(this);
        if (onActivate_) onActivate_(this);
        if (activeControl_ && activeControl_->Host() && activeControl_->Host()->widget)
            activeControl_->Host()->widget->setFocus(Qt::OtherFocusReason);
    } else {
        DoHide();
        if (Host() && Host()->widget) Host()->widget->setVisible(false);
        if (Screen->ActiveForm() == this) Screen->SetActiveForm(nullptr);
    }
}

int TCustomForm::ShowModal()
{
    if (Visible() || inModal_) throw EInvalidOperation("Cannot make a visible window modal");
    modalResult_ = mrNone;
    inModal_ = true;
    Application->EnterModal();
    struct Leave {
        TCustomForm* f;
        ~Leave()
        {
            f->inModal_ = false;
            Application->LeaveModal();
        }
    } leave{this};
    if (modalHandler) {
        int result = modalHandler(*this);
        if (modalResult_ == mrNone) modalResult_ = result;
        return modalResult_;
    }
    HandleNeeded();
    Host()->widget->setWindowModality(Qt::ApplicationModal);
    Show();
    while (true) {
        Application->HandleMessage();
        if (Application->Terminated())
            modalResult_ = mrCancel;
        else if (modalResult_ != mrNone) {
            // Closing may be refused (CloseQuery, caNone): then the loop goes on.
            bool can = CloseQuery();
            TCloseAction action = caHide;
            if (can) DoClose(action);
            if (!can || action == caNone) modalResult_ = mrNone;
        }
        if (modalResult_ != mrNone) break;
    }
    int result = modalResult_;
    Hide();
    if (Host() && Host()->widget) Host()->widget->setWindowModality(Qt::NonModal);
    return result;
}

bool TCustomForm::CloseQuery()
{
    bool can = true;
    if (onCloseQuery_) onCloseQuery_(this, can);
    return can;
}

void TCustomForm::Close()
{
    if (inModal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery()) return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone) return;
    if (Application->MainForm() == this) {
        Hide();
        Application->Terminate();
    } else if (action == caHide || action == caMinimize) {
        Hide();
    } else {
        Hide();
        Release();
    }
}

// The window's close button asks as a WM_CLOSE, so forms that handle the message see it.
void TCustomForm::CloseFromWindow() { Perform(WM_CLOSE, 0, 0); }

void TCustomForm::Release() { PostMessage(CM_RELEASE, 0, 0); }

void TCustomForm::WndProc(TMessage& m)
{
    if (m.Msg == CM_RELEASE) {
        Free();
        return;
    }
    if (m.Msg == WM_CLOSE) {
        Close();
        return;
    }
    if (m.Msg == CM_TEXTCHANGED && Host() && Host()->widget)
        Host()->widget->setWindowTitle(QString::fromStdString(Caption()));
    TWinControl::WndProc(m);
}

void TCustomForm::SetActiveControl(TWinControl* control)
{
    if (activeControl_ == control) return;
    if (activeControl_) activeControl_->RemoveFreeNotification(this);
    activeControl_ = control;
    if (control) control->FreeNotification(this);
}

bool TCustomForm::Active() const { return Screen->ActiveForm() == this; }

void TCustomForm::Notification(TComponent* component, TOperation operation)
{
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == activeControl_) activeControl_ = nullptr;
}

void TCustomForm::PaintWindow(TCanvas& canvas)
{
    if (!onPaint_) return;
    canvas_->SetHandle(canvas.Handle());
    canvas_->Refresh();
    static_cast<TControlCanvas*>(canvas_)->ReadyHandle();
    try {
        onPaint_(this);
    } catch (...) {
        canvas_->SetHandle(nullptr);
        throw;
    }
    canvas_->SetHandle(nullptr);
    canvas.Refresh();
}

void TCustomForm::KeyDown(Word& key, TShiftState shift) { TWinControl::KeyDown(key, shift); }
