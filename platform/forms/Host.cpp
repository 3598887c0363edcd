// Host windows: painting of controls on the platform's widgets and routing of its input events.
#include <QPainter>
#include <QTextDocument>
#include <QToolTip>
#include <QWheelEvent>

#include "platform/forms/Forms.h"
#include "platform/forms/Forms_p.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/DeviceContext_p.h"

namespace tvforms {

int dispatchDepth = 0;

// The default and cancel buttons of a form answer Return and Escape (Buttons.cpp).
bool DialogKey(TWinControl* control, Word vk);

Word QtKeyToVK(int k)
{
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return static_cast<Word>('A' + (k - Qt::Key_A));
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return static_cast<Word>('0' + (k - Qt::Key_0));
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return static_cast<Word>(VK_F1 + (k - Qt::Key_F1));
    switch (k) {
    case Qt::Key_Backspace: return VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Shift: return VK_SHIFT;
    case Qt::Key_Control: return VK_CONTROL;
    case Qt::Key_Alt: return VK_MENU;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Space: return VK_SPACE;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return VK_END;
    case Qt::Key_Home: return VK_HOME;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    case Qt::Key_Minus: return 0xBD;
    case Qt::Key_Period: return 0xBE;
    case Qt::Key_Comma: return 0xBC;
    default: return 0;
    }
}

int VKToQtKey(Word vk)
{
    if (vk >= 'A' && vk <= 'Z') return Qt::Key_A + (vk - 'A');
    if (vk >= '0' && vk <= '9') return Qt::Key_0 + (vk - '0');
    if (vk >= VK_F1 && vk < VK_F1 + 24) return Qt::Key_F1 + (vk - VK_F1);
    switch (vk) {
    case VK_BACK: return Qt::Key_Backspace;
    case VK_TAB: return Qt::Key_Tab;
    case VK_RETURN: return Qt::Key_Return;
    case VK_SHIFT: return Qt::Key_Shift;
    case VK_CONTROL: return Qt::Key_Control;
    case VK_MENU: return Qt::Key_Alt;
    case VK_ESCAPE: return Qt::Key_Escape;
    case VK_SPACE: return Qt::Key_Space;
    case VK_PRIOR: return Qt::Key_PageUp;
    case VK_NEXT: return Qt::Key_PageDown;
    case VK_END: return Qt::Key_End;
    case VK_HOME: return Qt::Key_Home;
    case VK_LEFT: return Qt::Key_Left;
    case VK_UP: return Qt::Key_Up;
    case VK_RIGHT: return Qt::Key_Right;
    case VK_DOWN: return Qt::Key_Down;
    case VK_INSERT: return Qt::Key_Insert;
    case VK_DELETE: return Qt::Key_Delete;
    case 0xBD: return Qt::Key_Minus;
    case 0xBE: return Qt::Key_Period;
    case 0xBC: return Qt::Key_Comma;
    default: return Qt::Key_unknown;
    }
}

TShiftState ShiftFromQt(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons)
{
    TShiftState s;
    if (mods & Qt::ShiftModifier) s += ssShift;
    if (mods & Qt::ControlModifier) s += ssCtrl;
    if (mods & Qt::AltModifier) s += ssAlt;
    if (buttons & Qt::LeftButton) s += ssLeft;
    if (buttons & Qt::RightButton) s += ssRight;
    if (buttons & Qt::MiddleButton) s += ssMiddle;
    return s;
}

intptr MouseKeysFromQt(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons)
{
    intptr k = 0;
    if (mods & Qt::ShiftModifier) k |= MK_SHIFT;
    if (mods & Qt::ControlModifier) k |= MK_CONTROL;
    if (buttons & Qt::LeftButton) k |= MK_LBUTTON;
    if (buttons & Qt::RightButton) k |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) k |= MK_MBUTTON;
    return k;
}

QCursor CursorOf(TCursor cursor)
{
    auto* c = reinterpret_cast<QCursor*>(Screen->Cursors(cursor));
    return c ? *c : QCursor(Qt::ArrowCursor);
}

void SyncHintAndCursor(TWinControl* c)
{
    THostWindow* host = c->Host();
    if (!host || !host->widget) return;
    host->widget->setToolTip(c->ShowHint() ? QString::fromStdString(c->Hint()) : QString());
    if (c->Cursor() == crDefault)
        host->widget->unsetCursor();
    else
        host->widget->setCursor(CursorOf(c->Cursor()));
}

void PaintWhole(TWinControl* c, TCanvas& canvas)
{
    HDC dc = canvas.Handle();
    TRect m = c->GetClientMargins();
    if (m.Left || m.Top || m.Right || m.Bottom) {
        c->Perform(WM_NCPAINT, reinterpret_cast<intptr>(&canvas), 0);
        canvas.Refresh();
    }
    int saved = dc->SaveDC();
    dc->OffsetViewportOrg(m.Left, m.Top);
    TRect cr = c->ClientRect();
    dc->IntersectClipRect(0, 0, cr.Width(), cr.Height());
    canvas.Refresh();
    c->Perform(WM_ERASEBKGND, reinterpret_cast<intptr>(&canvas), 0);
    canvas.Refresh();
    c->Perform(WM_PAINT, reinterpret_cast<intptr>(&canvas), 0);
    dc->RestoreDC(saved);
    canvas.Refresh();
}

void PaintControl(TWinControl* c, QWidget* widget, QPainter& painter, const QRect& area)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    auto dc = CreatePainterDC(painter, widget->size());
    if (area != widget->rect()) dc->IntersectClipRect(area.left(), area.top(), area.right() + 1, area.bottom() + 1);
    TControlCanvas canvas;
    canvas.SetHandle(dc.get());
    Guard(c, [&] { PaintWhole(c, canvas); });
    canvas.SetHandle(nullptr);
}

namespace {

Cardinal ClientMessage(Qt::MouseButton b, MouseKind kind)
{
    int base = b == Qt::RightButton ? 3 : b == Qt::MiddleButton ? 6 : 0;
    switch (kind) {
    case MouseKind::Press: return WM_LBUTTONDOWN + static_cast<Cardinal>(base);
    case MouseKind::Release: return WM_LBUTTONUP + static_cast<Cardinal>(base);
    case MouseKind::DoubleClick: return WM_LBUTTONDBLCLK + static_cast<Cardinal>(base);
    case MouseKind::Move: return WM_MOUSEMOVE;
    }
    return WM_MOUSEMOVE;
}

Cardinal FrameMessage(Qt::MouseButton b, MouseKind kind)
{
    if (kind == MouseKind::Move) return WM_NCMOUSEMOVE;
    return ClientMessage(b, kind) - WM_LBUTTONDOWN + WM_NCLBUTTONDOWN;
}

// Moves the "control under the pointer" of a host, sending leave and enter notifications.
void SetMouseControl(THostWindow* host, TControl* under)
{
    if (host->mouseControl == under) return;
    TControl* old = host->mouseControl;
    host->mouseControl = under;
    if (host->widget) {
        TControl* owner = under ? under : host->control;
        if (owner && owner != host->control && owner->Cursor() != crDefault)
            host->widget->setCursor(CursorOf(owner->Cursor()));
        else
            SyncHintAndCursor(host->control);
    }
    if (old && IsLive(old)) Guard(old, [&] { old->Perform(CM_MOUSELEAVE, 0, 0); });
    if (under && IsLive(under)) Guard(under, [&] { under->Perform(CM_MOUSEENTER, 0, 0); });
}

TControl* ControlUnder(TWinControl* c, TPoint client)
{
    TControl* child = c->ControlAtPos(client, false, false);
    return child ? child : c;
}

// A point of a control's client area in the client area of one of its parents.
TPoint ClientToAncestor(const TControl* control, const TControl* ancestor, TPoint p)
{
    for (; control && control != ancestor; control = control->Parent()) {
        if (auto* w = dynamic_cast<const TWinControl*>(control)) {
            const TRect m = w->GetClientMargins();
            p.X += m.Left;
            p.Y += m.Top;
        }
        p.X += control->Left();
        p.Y += control->Top();
    }
    return p;
}

bool IsWithin(const TControl* control, const TControl* ancestor)
{
    for (; control; control = control->Parent())
        if (control == ancestor) return true;
    return false;
}

// As the class library finds a hint: the nearest control from the one under the pointer up that
// shows hints, the nearest hint from there up (its part before '|'), then CM_HINTSHOW to it. A
// control under the pointer that shows no hints is asked too, so that it may offer a text of its
// own (a status panel's).
THintInfo HintFor(TControl* under, TPoint pos)
{
    THintInfo info;
    if (!Application->ShowHint()) return info;
    TControl* control = under;
    while (control && !control->ShowHint()) control = control->Parent();
    if (control) {
        for (TControl* c = control; c; c = c->Parent())
            if (!c->Hint().empty()) {
                info.HintStr = c->Hint().substr(0, c->Hint().find('|'));
                break;
            }
    } else {
        control = under;
    }
    info.HintControl = control;
    info.CursorPos = pos;
    if (control != under) {
        const TPoint inControl = ClientToAncestor(under, control, TPoint{0, 0});
        info.CursorPos = TPoint{pos.X + inControl.X, pos.Y + inControl.Y};
    }
    info.CursorRect = control->ClientRect();
    info.HideTimeout = Application->HintHidePause();
    if (control->Perform(CM_HINTSHOW, 0, reinterpret_cast<intptr>(&info)) != 0) info.HintStr.clear();
    return info;
}

QString HintText(const String& hint)
{
    QString text = QString::fromStdString(hint);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpacePre) : text;
}

}  // namespace

void RouteHint(TWinControl* c, QWidget* widget, QHelpEvent* e)
{
    const TRect m = c->GetClientMargins();
    const TPoint client{e->pos().x() - m.Left, e->pos().y() - m.Top};
    TControl* child = c->ControlAtPos(client, true, false);
    TControl* under = child ? child : c;
    const TPoint pos = child ? TPoint{client.X - child->Left(), client.Y - child->Top()} : client;
    THintInfo info;
    Guard(c, [&] { info = HintFor(under, pos); });
    if (info.HintStr.empty() || !IsLive(c)) {
        QToolTip::hideText();
        e->ignore();
        return;
    }
    // The tooltip goes when the pointer leaves the hint's rectangle (the whole window when the
    // hint is a parent's beyond it).
    QRect area = widget->rect();
    if (IsWithin(info.HintControl, c)) {
        const TPoint topLeft = ClientToAncestor(info.HintControl, c, info.CursorRect.TopLeft());
        area = QRect(topLeft.X + m.Left, topLeft.Y + m.Top, info.CursorRect.Width(), info.CursorRect.Height());
    }
    QToolTip::showText(e->globalPos(), HintText(info.HintStr), widget, area, info.HideTimeout);
}

void RouteMouse(TWinControl* c, QWidget* widget, QMouseEvent* e, MouseKind kind)
{
    THostWindow* host = c->Host();
    if (!host) return;
    QPoint pos = e->position().toPoint();
    QPoint global = widget->mapToGlobal(pos);
    TRect m = c->GetClientMargins();
    TPoint client{pos.x() - m.Left, pos.y() - m.Top};
    intptr keys = MouseKeysFromQt(e->modifiers(), e->buttons());
    intptr screen = MakeLParam(global.x(), global.y());
    Qt::MouseButton button = e->button();

    auto frame = [&] {
        intptr ht = c->Perform(WM_NCHITTEST, 0, screen);
        if (!IsLive(c)) return;
        c->Perform(FrameMessage(button, kind), ht, screen);
    };
    auto send = [&](TControl* target) {
        TPoint p = client;
        if (target != c) {
            p.X -= target->Left();
            p.Y -= target->Top();
        }
        target->Perform(ClientMessage(button, kind), keys, MakeLParam(p.X, p.Y));
    };

    Guard(c, [&] {
        switch (kind) {
        case MouseKind::Press:
        case MouseKind::DoubleClick: {
            if (c->Perform(WM_NCHITTEST, 0, screen) != HTCLIENT) {
                host->ncCapture = true;
                if (IsLive(c)) frame();
                return;
            }
            TControl* target = ControlUnder(c, client);
            host->pressControl = target;
            send(target);
            return;
        }
        case MouseKind::Move: {
            if (host->ncCapture) {
                frame();
                return;
            }
            if (host->pressControl) {
                send(host->pressControl);
                return;
            }
            if (TControl* cap = GetCaptureControl(); cap && cap != c && cap->Parent() == c) {
                send(cap);
                return;
            }
            if (c->Perform(WM_NCHITTEST, 0, screen) != HTCLIENT) {
                if (IsLive(c)) frame();
                return;
            }
            TControl* target = ControlUnder(c, client);
            SetMouseControl(host, target);
            if (IsLive(c) && IsLive(target) && c->Host() == host) send(target);
            return;
        }
        case MouseKind::Release: {
            if (host->ncCapture) {
                host->ncCapture = false;
                frame();
                return;
            }
            TControl* target = host->pressControl ? host->pressControl : c;
            if (TControl* cap = GetCaptureControl(); cap && cap->Parent() == c) target = cap;
            host->pressControl = nullptr;
            send(target);
            return;
        }
        }
    });
}

void RouteWheel(TWinControl* c, QWidget* widget, QWheelEvent* e)
{
    QPoint global = widget->mapToGlobal(e->position().toPoint());
    intptr keys = MouseKeysFromQt(e->modifiers(), e->buttons());
    int delta = e->angleDelta().y();
    intptr wparam = (static_cast<intptr>(static_cast<std::uint16_t>(static_cast<std::int16_t>(delta))) << 16) | keys;
    intptr handled = 0;
    Guard(c, [&] { handled = c->Perform(WM_MOUSEWHEEL, wparam, MakeLParam(global.x(), global.y())); });
    e->setAccepted(handled != 0);
}

void RouteEnter(TWinControl* c, QPoint pos)
{
    THostWindow* host = c->Host();
    if (!host) return;
    TRect m = c->GetClientMargins();
    SetMouseControl(host, ControlUnder(c, TPoint{pos.x() - m.Left, pos.y() - m.Top}));
}

void RouteLeave(TWinControl* c)
{
    if (THostWindow* host = c->Host()) SetMouseControl(host, nullptr);
}

bool RouteKeyDown(TWinControl* c, QKeyEvent* e, QString* text)
{
    Word vk = QtKeyToVK(e->key());
    bool alt = e->modifiers() & Qt::AltModifier;
    intptr data = 1 | (alt ? (intptr{1} << 29) : 0) | (e->isAutoRepeat() ? (intptr{1} << 30) : 0);
    bool pass = true;
    Guard(c, [&] {
        if (vk != 0) {
            TMessage m{alt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, data, 0};
            c->WndProc(m);
            if (m.Result != 0 || !IsLive(c)) {
                pass = false;
                return;
            }
        }
        if (!text->isEmpty() && !(e->modifiers() & Qt::ControlModifier)) {
            QChar ch = text->at(0);
            if (ch.unicode() < 0x80) {
                TMessage m{WM_CHAR, static_cast<intptr>(ch.unicode()), data, 0};
                c->WndProc(m);
                if (m.Result != 0 || !IsLive(c)) {
                    pass = false;
                    return;
                }
                if (m.WParam != static_cast<intptr>(ch.unicode()))
                    *text = QString(QChar(static_cast<ushort>(m.WParam & 0xFF)));
            }
        }
        if ((vk == VK_RETURN || vk == VK_ESCAPE) && DialogKey(c, vk)) pass = false;
    });
    return pass && IsLive(c);
}

void RouteKeyUp(TWinControl* c, QKeyEvent* e)
{
    Word vk = QtKeyToVK(e->key());
    if (vk == 0) return;
    bool alt = e->modifiers() & Qt::AltModifier;
    intptr data = 1 | (alt ? (intptr{1} << 29) : 0) | (intptr{1} << 30) | (intptr{1} << 31);
    Guard(c, [&] { c->Perform(alt ? WM_SYSKEYUP : WM_KEYUP, vk, data); });
}

void RouteFocus(TWinControl* c, bool in)
{
    Guard(c, [&] { c->Perform(in ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0); });
}

}  // namespace tvforms

THostWindow::THostWindow(TWinControl* c, QWidget* w) : control(c), widget(w) {}

THostWindow::~THostWindow()
{
    if (!widget) return;
    if (auto* link = dynamic_cast<THostLink*>(widget.data())) link->Detach();
    if (tvforms::dispatchDepth > 0) {
        widget->hide();
        widget->deleteLater();
    } else {
        delete widget.data();
    }
}

void TControlAccess::DetachHost(TWinControl* c) { c->host_.reset(); }

// ---- hints shown on request ----

void TApplication::ActivateHint(TControl* control, TPoint screenPos)
{
    if (!control || !showHint_) return;
    const String text = control->Hint().substr(0, control->Hint().find('|'));
    activeHint_ = text;
    if (text.empty()) {
        CancelHint();
        return;
    }
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, ToQColor(hintColor_));
    palette.setColor(QPalette::ToolTipText, ToQColor(Screen->HintFont()->Color()));
    QToolTip::setPalette(palette);
    QToolTip::setFont(ToQFont(*Screen->HintFont()));
    QToolTip::showText(QPoint(screenPos.X, screenPos.Y), tvforms::HintText(text), nullptr, QRect(), hintHidePause_);
}

void TApplication::CancelHint()
{
    activeHint_.clear();
    QToolTip::hideText();
}
