// Mouse and keyboard input of the controls: shift states, the mouse capture, and the dispatch of
// mouse, key and focus messages to the controls' handlers and events.
#include <QGuiApplication>
#include <cstdlib>

#include "platform/forms/ControlInput.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Forms_p.h"
#include "platform/forms/Menus.h"

namespace {
TControl* captureControl = nullptr;

// The one drag of the program: pending until the mouse passes the threshold.
struct TDragSession {
    TControl* source = nullptr;
    TPoint start;
    int threshold = 5;
    bool started = false;
    TControl* target = nullptr;
    bool accepted = false;
};
TDragSession drag;
TPoint lastMouse;  // screen point of the mouse message being dispatched

// The innermost control of source's form under the screen point, the form itself on no child.
TControl* controlAtScreen(const TControl& source, TPoint screen)
{
    TWinControl* w = GetParentForm(&source);
    if (!w || !PtInRect(w->ClientRect(), w->ScreenToClient(screen))) return nullptr;
    for (;;) {
        TControl* c = w->ControlAtPos(w->ScreenToClient(screen), false, true);
        if (!c) return w;
        auto* inner = dynamic_cast<TWinControl*>(c);
        if (!inner) return c;
        w = inner;
    }
}

void dragMoveTo(TPoint screen)
{
    if (!drag.started) {
        if (std::abs(screen.X - drag.start.X) < drag.threshold && std::abs(screen.Y - drag.start.Y) < drag.threshold)
            return;
        drag.started = true;
    }
    TControl* target = controlAtScreen(*drag.source, screen);
    if (target != drag.target && drag.target) {
        const TPoint p = drag.target->ScreenToClient(screen);
        bool ignored = false;
        drag.target->DragOver(drag.source, p.X, p.Y, dsDragLeave, ignored);
    }
    const TDragState state = target == drag.target ? dsDragMove : dsDragEnter;
    drag.target = target;
    drag.accepted = false;
    if (target) {
        const TPoint p = target->ScreenToClient(screen);
        target->DragOver(drag.source, p.X, p.Y, state, drag.accepted);
    }
}

}  // namespace

namespace tvforms {
void ForgetCapture(TControl* control)
{
    if (captureControl == control) captureControl = nullptr;
    if (drag.source == control) drag = TDragSession{};
    if (drag.target == control) drag.target = nullptr;
}
}  // namespace tvforms

TShiftState KeysToShiftState(intptr keys)
{
    TShiftState s;
    if (keys & MK_SHIFT) s += ssShift;
    if (keys & MK_CONTROL) s += ssCtrl;
    if (keys & MK_LBUTTON) s += ssLeft;
    if (keys & MK_RBUTTON) s += ssRight;
    if (keys & MK_MBUTTON) s += ssMiddle;
    if (QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier) s += ssAlt;
    return s;
}

TShiftState KeyDataToShiftState(intptr keyData)
{
    TShiftState s = GetShiftState() * TShiftState{ssShift, ssCtrl};
    if (keyData & (intptr{1} << 29)) s += ssAlt;
    return s;
}

TShiftState GetShiftState()
{
    tvforms::EnsureApp();
    return tvforms::ShiftFromQt(QGuiApplication::queryKeyboardModifiers(), QGuiApplication::mouseButtons());
}

TControl* GetCaptureControl() { return captureControl; }
void SetCaptureControl(TControl* control)
{
    TControl* old = captureControl;
    captureControl = control;
    // The control losing the mouse hears of it, with the new holder in LParam.
    if (old && old != control && tvforms::IsLive(old))
        tvforms::Guard(old, [&] { old->Perform(WM_CAPTURECHANGED, 0, reinterpret_cast<intptr>(control)); });
}

// ---- mouse -------------------------------------------------------------------------------------

// ---- drag and drop ----

void TControl::BeginDrag(bool immediate, int threshold)
{
    if (drag.source && drag.source != this) drag.source->EndDrag(false);
    drag = TDragSession{};
    drag.source = this;
    drag.start = lastMouse;
    drag.threshold = threshold < 0 ? 5 : threshold;
    SetMouseCapture(true);
    if (immediate) {
        drag.threshold = 0;
        dragMoveTo(lastMouse);
    }
}

bool TControl::Dragging() const { return drag.source == this; }

void TControl::EndDrag(bool drop)
{
    if (drag.source != this) return;
    const TDragSession ended = drag;
    drag = TDragSession{};
    SetMouseCapture(false);
    TControl* target = drop && ended.started && ended.accepted ? ended.target : nullptr;
    if (target) {
        const TPoint p = target->ScreenToClient(lastMouse);
        target->DragDrop(this, p.X, p.Y);
        if (!tvforms::IsLive(this)) return;
    }
    const TPoint p = target ? target->ScreenToClient(lastMouse) : ScreenToClient(lastMouse);
    DoEndDrag(target, p.X, p.Y);
}

void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept)
{
    accept = false;
    if (!onDragOver_) return;
    accept = true;
    onDragOver_(this, source, x, y, state, accept);
}

void TControl::DragDrop(TObject* source, int x, int y)
{
    if (onDragDrop_) onDragDrop_(this, source, x, y);
}

void TControl::DoEndDrag(TObject* target, int x, int y)
{
    if (onEndDrag_) onEndDrag_(this, target, x, y);
}

bool TControl::MouseCapture() const { return captureControl == this; }

void TControl::SetMouseCapture(bool value)
{
    if (value)
        SetCaptureControl(this);
    else if (captureControl == this)
        SetCaptureControl(nullptr);
}

void TControl::CMMouseEnter(TMessage& m)
{
    if (m.LParam == 0 && onMouseEnter_) onMouseEnter_(this);
}

void TControl::CMMouseLeave(TMessage& m)
{
    if (m.LParam == 0 && onMouseLeave_) onMouseLeave_(this);
}

void TControl::WMMouseMove(TMessage& m)
{
    lastMouse = ClientToScreen(Point(LParamX(m.LParam), LParamY(m.LParam)));
    if (drag.source == this) dragMoveTo(lastMouse);
    if (!tvforms::IsLive(this) || controlStyle_.Contains(csNoStdEvents)) return;
    MouseMove(KeysToShiftState(m.WParam), LParamX(m.LParam), LParamY(m.LParam));
}

void TControl::WMMouseButton(TMessage& m)
{
    int x = LParamX(m.LParam), y = LParamY(m.LParam);
    TShiftState shift = KeysToShiftState(m.WParam);
    lastMouse = ClientToScreen(Point(x, y));
    TMouseButton button = mbLeft;
    bool down = false, dbl = false;
    switch (m.Msg) {
    case WM_LBUTTONDOWN: down = true; break;
    case WM_LBUTTONDBLCLK: down = dbl = true; break;
    case WM_RBUTTONDOWN:
        button = mbRight;
        down = true;
        break;
    case WM_RBUTTONDBLCLK:
        button = mbRight;
        down = dbl = true;
        break;
    case WM_MBUTTONDOWN:
        button = mbMiddle;
        down = true;
        break;
    case WM_MBUTTONDBLCLK:
        button = mbMiddle;
        down = dbl = true;
        break;
    case WM_RBUTTONUP: button = mbRight; break;
    case WM_MBUTTONUP: button = mbMiddle; break;
    default: break;
    }
    if (down) {
        if (button == mbLeft) {
            if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
            if (controlStyle_.Contains(csClickEvents)) controlState_ += csClicked;
        }
        if (dbl) {
            shift += ssDouble;
            if (button == mbLeft && controlStyle_.Contains(csDoubleClicks)) DblClick();
        }
        if (!controlStyle_.Contains(csNoStdEvents)) MouseDown(button, shift, x, y);
        if (button == mbLeft && !dbl && tvforms::IsLive(this) && dragMode_ == dmAutomatic && !Dragging())
            BeginDrag(false);
        return;
    }
    if (button == mbLeft && Dragging()) {
        dragMoveTo(lastMouse);
        EndDrag(true);
        if (!tvforms::IsLive(this)) return;
    }
    if (button == mbLeft) {
        if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(false);
        if (controlState_.Contains(csClicked)) {
            controlState_ -= csClicked;
            if (PtInRect(ClientRect(), Point(x, y))) Click();
        }
    }
    if (!tvforms::IsLive(this)) return;
    if (!controlStyle_.Contains(csNoStdEvents)) MouseUp(button, shift, x, y);
    // Releasing the right button asks for the context menu where it was released.
    if (button == mbRight && tvforms::IsLive(this)) Perform(WM_CONTEXTMENU, 0, m.LParam);
}

void TControl::WMContextMenu(TMessage& m)
{
    const TPoint at{LParamX(m.LParam), LParamY(m.LParam)};
    bool handled = false;
    DoContextPopup(at, handled);
    m.Result = handled ? 1 : 0;
    if (handled || !tvforms::IsLive(this)) return;
    // Left to the control: its pop-up menu opens there.
    auto* menu = dynamic_cast<TPopupMenu*>(popupMenu_);
    if (menu && menu->AutoPopup()) {
        menu->SetPopupComponent(this);
        const TPoint screen = ClientToScreen(at);
        menu->Popup(screen.X, screen.Y);
        m.Result = 1;
    }
}

void TControl::DoContextPopup(TPoint mousePos, bool& handled)
{
    if (onContextPopup_) onContextPopup_(this, mousePos, handled);
}

void TControl::WMMouseWheel(TMessage& m)
{
    int delta = static_cast<std::int16_t>((m.WParam >> 16) & 0xFFFF);
    TShiftState shift = KeysToShiftState(m.WParam & 0xFFFF);
    TPoint pos{LParamX(m.LParam), LParamY(m.LParam)};
    if (DoMouseWheel(shift, delta, pos)) {
        m.Result = 1;
        return;
    }
    if (parent_) m.Result = parent_->Perform(WM_MOUSEWHEEL, m.WParam, m.LParam);
}

bool TControl::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos)
{
    bool handled = false;
    if (onMouseWheel_) onMouseWheel_(this, shift, wheelDelta, mousePos, handled);
    if (handled) return true;
    constexpr int notch = 120;
    wheelAccumulator_ += wheelDelta;
    while (wheelAccumulator_ >= notch || wheelAccumulator_ <= -notch) {
        const bool down = wheelAccumulator_ < 0;
        wheelAccumulator_ += down ? notch : -notch;
        handled = down ? DoMouseWheelDown(shift, mousePos) : DoMouseWheelUp(shift, mousePos);
    }
    return handled;
}

bool TControl::DoMouseWheelDown(TShiftState shift, TPoint mousePos)
{
    bool handled = false;
    if (onMouseWheelDown_) onMouseWheelDown_(this, shift, mousePos, handled);
    return handled;
}

bool TControl::DoMouseWheelUp(TShiftState shift, TPoint mousePos)
{
    bool handled = false;
    if (onMouseWheelUp_) onMouseWheelUp_(this, shift, mousePos, handled);
    return handled;
}

void TControl::Click()
{
    if (onClick_) onClick_(this);
}

void TControl::DblClick()
{
    if (onDblClick_) onDblClick_(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (onMouseDown_) onMouseDown_(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y)
{
    if (onMouseMove_) onMouseMove_(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (onMouseUp_) onMouseUp_(this, button, shift, x, y);
}

// ---- keys and focus ----------------------------------------------------------------------------

void TWinControl::WMKey(TMessage& m)
{
    TShiftState shift = KeyDataToShiftState(m.LParam);
    if (m.Msg == WM_CHAR) {
        char key = static_cast<char>(m.WParam);
        TCustomForm* form = GetParentForm(this);
        if (form && form != this && form->KeyPreview()) {
            static_cast<TWinControl*>(form)->KeyPress(key);
            if (key == 0) {
                m.Result = 1;
                return;
            }
        }
        KeyPress(key);
        m.WParam = static_cast<unsigned char>(key);
        m.Result = key == 0 ? 1 : 0;
        return;
    }
    Word key = static_cast<Word>(m.WParam);
    bool down = m.Msg == WM_KEYDOWN || m.Msg == WM_SYSKEYDOWN;
    TCustomForm* form = GetParentForm(this);
    if (form && form != this && form->KeyPreview()) {
        if (down)
            static_cast<TWinControl*>(form)->KeyDown(key, shift);
        else
            static_cast<TWinControl*>(form)->KeyUp(key, shift);
        if (key == 0) {
            m.Result = 1;
            return;
        }
    }
    if (down)
        KeyDown(key, shift);
    else
        KeyUp(key, shift);
    m.WParam = key;
    m.Result = key == 0 ? 1 : 0;
}

void TWinControl::KeyDown(Word& key, TShiftState shift)
{
    if (onKeyDown_) onKeyDown_(this, key, shift);
}

void TWinControl::KeyUp(Word& key, TShiftState shift)
{
    if (onKeyUp_) onKeyUp_(this, key, shift);
}

void TWinControl::KeyPress(char& key)
{
    if (onKeyPress_) onKeyPress_(this, key);
}

void TWinControl::DoEnter()
{
    if (onEnter_) onEnter_(this);
}

void TWinControl::DoExit()
{
    if (onExit_) onExit_(this);
}

void TWinControl::WMSetFocus(TMessage&)
{
    TCustomForm* form = GetParentForm(this);
    if (form && form != this) {
        form->SetActiveControl(this);
        // Every control of the form learns which one has the focus now.
        form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<intptr>(this));
    }
    if (tvforms::IsLive(this)) Perform(CM_ENTER, 0, 0);
}

void TWinControl::WMKillFocus(TMessage&) { Perform(CM_EXIT, 0, 0); }
