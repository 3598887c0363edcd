// Test helpers: offscreen rendering and input through the platform's event path.
#include <QAbstractScrollArea>
#include <QApplication>
#include <QBackingStore>
#include <QEnterEvent>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QPaintEvent>
#include <QTextDocument>
#include <QToolTip>
#include <QWheelEvent>
#include <cstdio>

#include "platform/forms/Forms.h"
#include "platform/forms/Forms_p.h"
#include "platform/forms/TestKit.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/DeviceContext_p.h"
#include "platform/rtl/Tick.h"

namespace testkit {

namespace {

bool SameNameAscii(const String& a, const String& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

// The widget that receives a control's input and the control's client (0, 0) in it.
QWidget* InputWidget(TControl& control, QPoint& origin)
{
    if (auto* w = dynamic_cast<TWinControl*>(&control)) {
        w->HandleNeeded();
        TRect m = w->GetClientMargins();
        origin = QPoint(m.Left, m.Top);
        return w->Host()->widget;
    }
    TWinControl* parent = control.Parent();
    if (!parent) throw EInvalidOperation("Control " + control.Name() + " has no parent window");
    parent->HandleNeeded();
    TRect m = parent->GetClientMargins();
    origin = QPoint(m.Left + control.Left(), m.Top + control.Top());
    return parent->Host()->widget;
}

QPoint Where(TControl& control, int x, int y, QWidget*& widget)
{
    QPoint origin;
    widget = InputWidget(control, origin);
    // A scrolling view takes the pointer in its viewport, inside its frame.
    if (auto* area = qobject_cast<QAbstractScrollArea*>(widget); area && dynamic_cast<TWinControl*>(&control)) {
        origin -= area->viewport()->pos();
        widget = area->viewport();
    }
    if (x == Centre) x = control.ClientWidth() / 2;
    if (y == Centre) y = control.ClientHeight() / 2;
    return origin + QPoint(x, y);
}

Qt::MouseButton QtButton(TMouseButton b)
{
    return b == mbRight ? Qt::RightButton : b == mbMiddle ? Qt::MiddleButton : Qt::LeftButton;
}

Qt::KeyboardModifiers QtMods(TShiftState s)
{
    Qt::KeyboardModifiers m;
    if (s.Contains(ssShift)) m |= Qt::ShiftModifier;
    if (s.Contains(ssCtrl)) m |= Qt::ControlModifier;
    if (s.Contains(ssAlt)) m |= Qt::AltModifier;
    return m;
}

void SendMouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers mods)
{
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons, mods);
    QApplication::sendEvent(w, &e);
}

QImage Grab(TControl& control)
{
    tvforms::EnsureApp();
    QPoint origin;
    QWidget* w = InputWidget(control, origin);
    QImage full = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    if (dynamic_cast<TWinControl*>(&control)) return full;
    return full.copy(origin.x(), origin.y(), control.Width(), control.Height());
}

}  // namespace

bool RenderToPng(TControl& control, const String& fileName)
{
    return Grab(control).save(QString::fromStdString(fileName), "PNG");
}

void RenderToBitmap(TControl& control, TBitmap& bitmap)
{
    SetBitmapImage(bitmap, Grab(control).convertToFormat(QImage::Format_RGB888));
}

void ShownToBitmap(TWinControl& control, TBitmap& bitmap)
{
    tvforms::EnsureApp();
    QPoint origin;
    QWidget* window = InputWidget(control, origin)->window();
    QBackingStore* store = window->backingStore();
    QPaintDevice* device = store ? store->paintDevice() : nullptr;
    if (!device || device->devType() != QInternal::Image) throw EInvalidOperation("The window has no picture to read");
    SetBitmapImage(bitmap, static_cast<QImage*>(device)->convertToFormat(QImage::Format_RGB888));
}

TColor PixelAt(TControl& control, int x, int y)
{
    QImage img = Grab(control);
    QPoint p(x, y);
    if (auto* w = dynamic_cast<TWinControl*>(&control)) {
        TRect m = w->GetClientMargins();
        p += QPoint(m.Left, m.Top);
    }
    if (!img.valid(p)) throw EInvalidOperation("Pixel outside the control");
    return FromQColor(img.pixelColor(p));
}

TControl& FindControl(TComponent& root, const String& name)
{
    for (int i = 0; i < root.ComponentCount(); ++i) {
        TComponent* c = root.Components(i);
        if (auto* ctl = dynamic_cast<TControl*>(c); ctl && SameNameAscii(c->Name(), name)) return *ctl;
    }
    for (int i = 0; i < root.ComponentCount(); ++i) {
        TComponent* c = root.Components(i);
        if (c->ComponentCount() == 0) continue;
        try {
            return FindControl(*c, name);
        } catch (const EComponentError&) {
        }
    }
    throw EComponentError("Control " + name + " not found");
}

void MouseDown(TControl& control, TMouseButton button, int x, int y, TShiftState shift)
{
    QWidget* w;
    QPoint p = Where(control, x, y, w);
    SendMouse(w, QEvent::MouseButtonPress, p, QtButton(button), QtButton(button), QtMods(shift));
}

void MouseUp(TControl& control, TMouseButton button, int x, int y, TShiftState shift)
{
    QWidget* w;
    QPoint p = Where(control, x, y, w);
    SendMouse(w, QEvent::MouseButtonRelease, p, QtButton(button), Qt::NoButton, QtMods(shift));
}

void MouseMove(TControl& control, int x, int y, TShiftState shift)
{
    QWidget* w;
    QPoint p = Where(control, x, y, w);
    Qt::MouseButtons buttons;
    if (shift.Contains(ssLeft)) buttons |= Qt::LeftButton;
    if (shift.Contains(ssRight)) buttons |= Qt::RightButton;
    SendMouse(w, QEvent::MouseMove, p, Qt::NoButton, buttons, QtMods(shift));
}

bool MouseWheel(TControl& control, int delta, int x, int y, TShiftState shift)
{
    QWidget* w;
    QPoint p = Where(control, x, y, w);
    Qt::MouseButtons buttons;
    if (shift.Contains(ssLeft)) buttons |= Qt::LeftButton;
    if (shift.Contains(ssRight)) buttons |= Qt::RightButton;
    QWheelEvent e(QPointF(p), QPointF(w->mapToGlobal(p)), QPoint(), QPoint(0, delta), buttons, QtMods(shift),
                  Qt::NoScrollPhase, false);
    e.setAccepted(false);
    QApplication::sendEvent(w, &e);
    return e.isAccepted();
}

void Click(TControl& control, int x, int y)
{
    QWidget* w;
    QPoint p = Where(control, x, y, w);
    QPointer<QWidget> guard(w);
    SendMouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, {});
    if (guard) SendMouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, {});
}

void PostClick(TControl& control, int x, int y)
{
    QWidget* w;
    QPoint p = Where(control, x, y, w);
    QPoint g = w->mapToGlobal(p);
    QApplication::postEvent(
        w, new QMouseEvent(QEvent::MouseButtonPress, QPointF(p), QPointF(g), Qt::LeftButton, Qt::LeftButton, {}));
    QApplication::postEvent(
        w, new QMouseEvent(QEvent::MouseButtonRelease, QPointF(p), QPointF(g), Qt::LeftButton, Qt::NoButton, {}));
}

void DblClick(TControl& control, int x, int y)
{
    QWidget* w;
    QPoint p = Where(control, x, y, w);
    QPointer<QWidget> guard(w);
    SendMouse(w, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton, {});
    if (guard) SendMouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, {});
    if (guard) SendMouse(w, QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton, {});
    if (guard) SendMouse(w, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton, {});
}

void Click(TComponent& root, const String& name) { Click(FindControl(root, name)); }

namespace {
void SendKey(QWidget* w, int key, Qt::KeyboardModifiers mods, const QString& text)
{
    QPointer<QWidget> guard(w);
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(w, &press);
    if (!guard) return;
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(w, &release);
}
}  // namespace

void KeyPress(TWinControl& control, Word key, TShiftState shift)
{
    control.HandleNeeded();
    QWidget* w = control.Host()->widget;
    QString text;
    if (key >= 'A' && key <= 'Z')
        text = QString(QChar(shift.Contains(ssShift) ? key : key - 'A' + 'a'));
    else if ((key >= '0' && key <= '9') || key == VK_SPACE)
        text = QString(QChar(key));
    else if (key == VK_RETURN)
        text = QStringLiteral("\r");
    else if (key == VK_BACK)
        text = QStringLiteral("\b");
    else if (key == VK_ESCAPE)
        text = QString(QChar(0x1B));
    else if (key == VK_TAB)
        text = QStringLiteral("\t");
    if (shift.Contains(ssCtrl)) text.clear();
    SendKey(w, tvforms::VKToQtKey(key), QtMods(shift), text);
}

void TypeText(TWinControl& control, const String& text)
{
    control.HandleNeeded();
    QWidget* w = control.Host()->widget;
    for (QChar ch : QString::fromStdString(text)) {
        int key = Qt::Key_unknown;
        Qt::KeyboardModifiers mods;
        if (ch.isLetter() && ch.unicode() < 0x80) {
            key = Qt::Key_A + (ch.toUpper().unicode() - 'A');
            if (ch.isUpper()) mods |= Qt::ShiftModifier;
        } else if (ch.isDigit() && ch.unicode() < 0x80) {
            key = Qt::Key_0 + (ch.unicode() - '0');
        } else if (ch == QLatin1Char(' ')) {
            key = Qt::Key_Space;
        } else if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n')) {
            key = Qt::Key_Return;
        } else if (ch == QLatin1Char('-')) {
            key = Qt::Key_Minus;
        } else if (ch == QLatin1Char('.')) {
            key = Qt::Key_Period;
        }
        SendKey(w, key, mods, QString(ch == QLatin1Char('\n') ? QLatin1Char('\r') : ch));
    }
}

void TypeText(TComponent& root, const String& name, const String& text)
{
    auto* w = dynamic_cast<TWinControl*>(&FindControl(root, name));
    if (!w) throw EInvalidOperation("Control " + name + " takes no keys");
    TypeText(*w, text);
}

void MouseEnter(TControl& control)
{
    if (!dynamic_cast<TWinControl*>(&control)) {
        MouseMove(control, control.Width() / 2, control.Height() / 2);
        return;
    }
    QWidget* w;
    QPoint at = Where(control, Centre, Centre, w);
    QEnterEvent e{QPointF(at), QPointF(at), QPointF(w->mapToGlobal(at))};
    QApplication::sendEvent(w, &e);
}

void MouseLeave(TControl& control)
{
    QPoint origin;
    QWidget* w = InputWidget(control, origin);
    QEvent e(QEvent::Leave);
    QApplication::sendEvent(w, &e);
}

void Pump(unsigned ms)
{
    Cardinal start = GetTickCount();
    do {
        Application->ProcessMessages();
    } while (TicksSince(start, GetTickCount()) < ms);
}

String HintAt(TControl& control, int x, int y)
{
    // The last tooltip fades out first.
    QToolTip::hideText();
    const Cardinal start = GetTickCount();
    while (QToolTip::isVisible() && TicksSince(start, GetTickCount()) < 2000) Pump(10);
    MouseMove(control, x, y);
    // What the platform sends once the pointer has rested (it does so for real input only).
    QWidget* w;
    const QPoint p = Where(control, x, y, w);
    QHelpEvent rest(QEvent::ToolTip, p, w->mapToGlobal(p));
    QApplication::sendEvent(w, &rest);
    if (!QToolTip::isVisible()) return {};
    const QString shown = QToolTip::text();
    if (!Qt::mightBeRichText(shown)) return shown.toStdString();
    QTextDocument text;
    text.setHtml(shown);
    return text.toPlainText().toStdString();
}

void ResizeWindow(TCustomForm& form, int clientWidth, int clientHeight)
{
    if (!form.Host() || !form.Host()->widget || !form.Host()->widget->isVisible())
        throw EInvalidOperation("Form " + form.Name() + " has no window on the screen");
    form.Host()->widget->resize(clientWidth, clientHeight);
    Pump();
}

TBorderIcons WindowButtons(TCustomForm& form)
{
    form.HandleNeeded();
    const Qt::WindowFlags flags = form.Host()->widget->windowFlags();
    TBorderIcons icons;
    if (flags & Qt::WindowSystemMenuHint) icons += biSystemMenu;
    if (flags & Qt::WindowMinimizeButtonHint) icons += biMinimize;
    if (flags & Qt::WindowMaximizeButtonHint) icons += biMaximize;
    if (flags & Qt::WindowContextHelpButtonHint) icons += biHelp;
    return icons;
}

// A window's pass starts with the update request the platform sends it.
struct PaintPassCounter::Impl : QObject {
    int passes = 0;
    bool eventFilter(QObject* target, QEvent* event) override
    {
        if (event->type() == QEvent::UpdateRequest && target->isWidgetType() &&
            static_cast<QWidget*>(target)->isWindow())
            ++passes;
        if (getenv("PAINTLOG") && event->type() == QEvent::Paint && passes < 60) {
            auto* pe = static_cast<QPaintEvent*>(event);
            fprintf(stderr, "pass %d paint %s %d,%d %dx%d\n", passes, target->metaObject()->className(), pe->rect().x(),
                    pe->rect().y(), pe->rect().width(), pe->rect().height());
        }
        return false;
    }
};

PaintPassCounter::PaintPassCounter() : impl_(std::make_unique<Impl>())
{
    tvforms::EnsureApp().installEventFilter(impl_.get());
}

PaintPassCounter::~PaintPassCounter() { QCoreApplication::instance()->removeEventFilter(impl_.get()); }

int PaintPassCounter::Passes() const { return impl_->passes; }

}  // namespace testkit
