#pragma once
// Layer-private: the Qt side of the window layer. Include only from platform/forms/*.cpp.
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <utility>

#include "platform/forms/Controls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Messages.h"
#include "platform/forms/VirtualKeys.h"
#include "platform/graphics/Canvas.h"

class TWinControl;
class QPainter;

namespace tvforms {

// The application object of the platform, made on first need (on the calling thread, which
// becomes the main thread).
QApplication& EnsureApp();
bool IsOffscreen();

// Hands the exception being handled to Application->HandleException; never throws.
void HandleCurrentException(TObject* sender) noexcept;

// Runs f; any exception goes to the application's handler (the barrier around user code called
// from the platform's event loop).
template <class F>
void Guard(TObject* sender, F&& f) noexcept
{
    try {
        std::forward<F>(f)();
    } catch (...) {
        HandleCurrentException(sender);
    }
}

// Controls alive on the main thread, for messages posted to them.
void RegisterLive(TControl* control);
void UnregisterLive(TControl* control);
bool IsLive(const TControl* control);
// Queued delivery through the platform's event queue (thread-safe).
void PostControlMessage(TControl* control, const TMessage& message);
// Runs a function from the event loop later (main thread).
void PostCall(std::function<void()> fn);

// Clears a mouse capture held by a control that goes away (no WM_CAPTURECHANGED to it).
void ForgetCapture(TControl* control);

// The platform cursor of a cursor number (Screen->Cursors).
QCursor CursorOf(TCursor cursor);
// Shows a windowed control's hint and cursor on its window.
void SyncHintAndCursor(TWinControl* control);

// Key codes and modifiers.
Word QtKeyToVK(int qtKey);
int VKToQtKey(Word vk);
TShiftState ShiftFromQt(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons);
intptr MouseKeysFromQt(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons);

// Depth of event dispatch into controls; host windows are deleted later while it is not 0
// (a handler may free the control whose event is running).
extern int dispatchDepth;
struct DispatchScope {
    explicit DispatchScope(int&) { ++dispatchDepth; }
    ~DispatchScope() { --dispatchDepth; }
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;
};

// Runs a platform dialog with the modal level raised, as ShowModal does.
template <class F>
auto RunModal(F f)
{
    Application->EnterModal();
    struct Leave {
        ~Leave() { Application->LeaveModal(); }
    } leave;
    DispatchScope scope(dispatchDepth);
    return f();
}

// The window painting of a control: frame, background, Paint, windowless children. Only what
// meets area (widget coordinates) is painted: a lamp's toggle leaves its neighbours alone.
void PaintControl(TWinControl* control, QWidget* widget, QPainter& painter, const QRect& area);
// Frame, background, client painting and windowless children onto canvas (window coordinates).
void PaintWhole(TWinControl* control, TCanvas& canvas);

// Routing of the platform's input to a control (widget coordinates = window coordinates).
enum class MouseKind { Press, Release, Move, DoubleClick };
void RouteMouse(TWinControl* control, QWidget* widget, QMouseEvent* event, MouseKind kind);
void RouteWheel(TWinControl* control, QWidget* widget, QWheelEvent* event);
void RouteEnter(TWinControl* control, QPoint pos);
// The hint of the control under the pointer, windowless ones included, as a tooltip.
void RouteHint(TWinControl* control, QWidget* widget, QHelpEvent* event);
void RouteLeave(TWinControl* control);
// Returns false when the key was consumed (set to 0 by a handler); replacement text in *text.
bool RouteKeyDown(TWinControl* control, QKeyEvent* event, QString* text);
void RouteKeyUp(TWinControl* control, QKeyEvent* event);
void RouteFocus(TWinControl* control, bool in);

}  // namespace tvforms

// The canvas of a control: calls made straight on its device (DrawText, DrawEdge) see the pen,
// brush and font of the canvas.
class TControlCanvas : public TCanvas {
public:
    explicit TControlCanvas(TControl* control = nullptr) : control_(control) {}
    ~TControlCanvas() override;
    HDC ReadyHandle()
    {
        RequiredState(TCanvasState{csHandleValid, csPenValid, csBrushValid, csFontValid});
        return Handle();
    }

protected:
    // Drawing outside painting: the platform has no window surface to draw on then, so it goes to
    // a scratch surface and the control is repainted in full from the message loop.
    void CreateHandle() override;

private:
    TControl* control_;
    std::unique_ptr<TDeviceContext> scratch_;
};

namespace tvforms {
// The device of a canvas with its pen, brush and font selected.
inline HDC Ready(TCanvas& canvas)
{
    if (auto* c = dynamic_cast<TControlCanvas*>(&canvas)) return c->ReadyHandle();
    canvas.TextExtent(" ");
    return canvas.Handle();
}
}  // namespace tvforms

// The platform window behind a TWinControl. Native controls subclass the widget; the host keeps
// the link to its control and the state of input routing.
struct THostWindow {
    THostWindow(TWinControl* control, QWidget* widget);
    virtual ~THostWindow();
    THostWindow(const THostWindow&) = delete;
    THostWindow& operator=(const THostWindow&) = delete;

    QWidget* Widget() const { return widget; }

    TWinControl* control;
    QPointer<QWidget> widget;
    int dispatchDepth = 0;
    bool nativePaint = false;          // the widget draws itself (edit, button ...)
    TControl* mouseControl = nullptr;  // windowless child under the pointer
    TControl* pressControl = nullptr;  // windowless child holding the press
    bool ncCapture = false;            // a press started in the frame
};

// A widget of class Base that routes its events to the control. Base is QWidget for owner-drawn
// controls and a native widget class for the standard ones.
struct THostLink {
    virtual ~THostLink() = default;
    virtual void Detach() = 0;
};

template <class Base>
class THostWidget : public Base, public THostLink {
public:
    template <class... A>
    explicit THostWidget(TWinControl* control, A&&... args) : Base(std::forward<A>(args)...), control_(control)
    {
    }
    void Detach() override
    {
        control_ = nullptr;
        host = nullptr;
    }
    THostWindow* host = nullptr;

protected:
    bool live() const { return control_ != nullptr && host != nullptr; }

    void paintEvent(QPaintEvent* e) override
    {
        if (!live() || host->nativePaint) {
            Base::paintEvent(e);
            return;
        }
        tvforms::DispatchScope scope(host->dispatchDepth);
        QPainter painter(this);
        tvforms::PaintControl(control_, this, painter, e->rect());
    }
    bool event(QEvent* e) override
    {
        // A control that asks for Tab gets it as a key instead of a focus move.
        if (e->type() == QEvent::KeyPress && live()) {
            auto* k = static_cast<QKeyEvent*>(e);
            if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) &&
                (control_->Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTTAB)) {
                keyPressEvent(k);
                return true;
            }
        }
        if (e->type() != QEvent::ToolTip || !live()) return Base::event(e);
        tvforms::DispatchScope scope(host->dispatchDepth);
        tvforms::RouteHint(control_, this, static_cast<QHelpEvent*>(e));
        return true;
    }
    void mousePressEvent(QMouseEvent* e) override { mouse(e, tvforms::MouseKind::Press); }
    void mouseReleaseEvent(QMouseEvent* e) override { mouse(e, tvforms::MouseKind::Release); }
    void mouseMoveEvent(QMouseEvent* e) override { mouse(e, tvforms::MouseKind::Move); }
    void mouseDoubleClickEvent(QMouseEvent* e) override { mouse(e, tvforms::MouseKind::DoubleClick); }
    void wheelEvent(QWheelEvent* e) override
    {
        if (!live()) return Base::wheelEvent(e);
        QPointer<QWidget> self(this);
        {
            tvforms::DispatchScope scope(host->dispatchDepth);
            tvforms::RouteWheel(control_, this, e);
        }
        if (self && live() && !e->isAccepted() && host->nativePaint) Base::wheelEvent(e);
    }
    void enterEvent(QEnterEvent* e) override
    {
        if (live()) {
            tvforms::DispatchScope scope(host->dispatchDepth);
            tvforms::RouteEnter(control_, e->position().toPoint());
        }
        Base::enterEvent(e);
    }
    void leaveEvent(QEvent* e) override
    {
        if (live()) {
            tvforms::DispatchScope scope(host->dispatchDepth);
            tvforms::RouteLeave(control_);
        }
        Base::leaveEvent(e);
    }
    void keyPressEvent(QKeyEvent* e) override
    {
        if (!live()) return Base::keyPressEvent(e);
        QPointer<QWidget> self(this);
        QString text = e->text();
        bool pass;
        {
            tvforms::DispatchScope scope(host->dispatchDepth);
            pass = tvforms::RouteKeyDown(control_, e, &text);
        }
        if (!self || !live()) return;
        if (!pass) {
            e->accept();
            return;
        }
        if (text != e->text()) {
            QKeyEvent changed(e->type(), e->key(), e->modifiers(), text, e->isAutoRepeat(), ushort(e->count()));
            Base::keyPressEvent(&changed);
            e->setAccepted(changed.isAccepted());
        } else {
            Base::keyPressEvent(e);
        }
    }
    void keyReleaseEvent(QKeyEvent* e) override
    {
        if (live()) {
            QPointer<QWidget> self(this);
            {
                tvforms::DispatchScope scope(host->dispatchDepth);
                tvforms::RouteKeyUp(control_, e);
            }
            if (!self) return;
        }
        Base::keyReleaseEvent(e);
    }
    void focusInEvent(QFocusEvent* e) override
    {
        Base::focusInEvent(e);
        if (live()) {
            tvforms::DispatchScope scope(host->dispatchDepth);
            tvforms::RouteFocus(control_, true);
        }
    }
    void focusOutEvent(QFocusEvent* e) override
    {
        Base::focusOutEvent(e);
        if (live()) {
            tvforms::DispatchScope scope(host->dispatchDepth);
            tvforms::RouteFocus(control_, false);
        }
    }

    void mouse(QMouseEvent* e, tvforms::MouseKind kind)
    {
        if (!live()) {
            forward(e, kind);
            return;
        }
        QPointer<QWidget> self(this);
        {
            tvforms::DispatchScope scope(host->dispatchDepth);
            tvforms::RouteMouse(control_, this, e, kind);
        }
        if (self && live() && host->nativePaint) forward(e, kind);
    }
    void forward(QMouseEvent* e, tvforms::MouseKind kind)
    {
        switch (kind) {
        case tvforms::MouseKind::Press: Base::mousePressEvent(e); break;
        case tvforms::MouseKind::Release: Base::mouseReleaseEvent(e); break;
        case tvforms::MouseKind::Move: Base::mouseMoveEvent(e); break;
        case tvforms::MouseKind::DoubleClick: Base::mouseDoubleClickEvent(e); break;
        }
    }

    TWinControl* control_;
};

// Makes a host of widget class W (constructed with args) for control.
template <class W, class... A>
std::unique_ptr<THostWindow> MakeHost(TWinControl* control, bool nativePaint, A&&... args)
{
    tvforms::EnsureApp();
    auto* widget = new THostWidget<W>(control, std::forward<A>(args)...);
    auto host = std::make_unique<THostWindow>(control, widget);
    widget->host = host.get();
    host->nativePaint = nativePaint;
    return host;
}

// The host widget of a control as W (nullptr when it has none or another class).
template <class W>
W* HostWidgetAs(const TWinControl* control)
{
    THostWindow* host = control->Host();
    return host ? qobject_cast<W*>(host->widget.data()) : nullptr;
}

// Access to protected members of the control classes from the routing code.
struct TControlAccess {
    static void PaintWindowOf(TWinControl* c, TCanvas& canvas) { c->PaintWindow(canvas); }
    static void PaintNonClientOf(TWinControl* c, TCanvas& canvas) { c->PaintNonClient(canvas); }
    static void PaintControlsOf(TWinControl* c, TCanvas& canvas) { c->PaintControls(canvas, nullptr); }
    static void HostCreatedOf(TWinControl* c) { c->HostCreated(); }
    static void DetachHost(TWinControl* c);
};
