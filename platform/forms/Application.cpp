// The application object: the platform's event loop driven as the class library's message loop.
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <cstdlib>
#include <cstdio>
#include <map>
#include <mutex>
#include <unordered_map>

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Assign.h"
#include "platform/classes/Published.h"
#include "platform/classes/Threads.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Forms_p.h"
#include "platform/forms/TestDriver_p.h"
#include "platform/graphics/GraphicsObjects.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"

namespace {

// Events of the layer on the platform queue.
const QEvent::Type PostedMessageType = static_cast<QEvent::Type>(QEvent::User + 0x464);
const QEvent::Type CallType = static_cast<QEvent::Type>(QEvent::User + 0x465);
const QEvent::Type WakeType = static_cast<QEvent::Type>(QEvent::User + 0x466);

struct PostedMessage : QEvent {
    PostedMessage(TControl* c, std::uint64_t id, const TMessage& m)
        : QEvent(PostedMessageType), control(c), serial(id), message(m)
    {
    }
    TControl* control;
    std::uint64_t serial;
    TMessage message;
};

struct PostedCall : QEvent {
    explicit PostedCall(std::function<void()> f) : QEvent(CallType), fn(std::move(f)) {}
    std::function<void()> fn;
};

// Live controls by address, with a serial so a message for a freed control whose address was
// reused is not delivered to the newcomer.
std::mutex liveMutex;
std::unordered_map<const TControl*, std::uint64_t> live;
std::uint64_t nextSerial = 1;

std::atomic<bool> wakePending{false};

class Dispatcher : public QObject {
public:
    bool event(QEvent* e) override
    {
        if (e->type() == PostedMessageType) {
            auto* pm = static_cast<PostedMessage*>(e);
            bool alive;
            {
                std::lock_guard<std::mutex> lock(liveMutex);
                auto it = live.find(pm->control);
                alive = it != live.end() && it->second == pm->serial;
            }
            if (alive) {
                TControl* c = pm->control;
                TMessage m = pm->message;
                tvforms::Guard(c, [&] { c->WndProc(m); });
            }
            return true;
        }
        if (e->type() == CallType) {
            auto* call = static_cast<PostedCall*>(e);
            tvforms::Guard(nullptr, [&] { call->fn(); });
            return true;
        }
        if (e->type() == WakeType) {
            wakePending = false;
            tvforms::Guard(nullptr, [] { CheckSynchronize(0); });
            return true;
        }
        return QObject::event(e);
    }
};

Dispatcher* dispatcher = nullptr;
int processDepth = 0;

void ReleaseGlobals();

}  // namespace

namespace tvforms {

QApplication& EnsureApp()
{
    if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
    if (QCoreApplication::instance())
        throw EInvalidOperation("The window layer needs its application object before any drawing");
    static int argc = 1;
    static char name[] = "tiltviewer";
    static char* argv[] = {name, nullptr};
    auto* app = new QApplication(argc, argv);  // until DoneApplication
    QApplication::setQuitOnLastWindowClosed(false);
    // A program that never calls DoneApplication: its application object and forms go at exit.
    static const bool registered = std::atexit(ReleaseGlobals) == 0;
    (void)registered;
    TThread::SetMainThread();
    OpenSynchronize();
    wakePending = false;
    dispatcher = new Dispatcher;
    SetSynchronizeWakeHook([] {
        if (!wakePending.exchange(true)) QCoreApplication::postEvent(dispatcher, new QEvent(WakeType));
    });
    SetSynchronizeExceptionHook([](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (...) {
            HandleCurrentException(nullptr);
        }
    });
    return *app;
}

bool IsOffscreen()
{
    EnsureApp();
    return QGuiApplication::platformName() == QLatin1String("offscreen") ||
           QGuiApplication::platformName() == QLatin1String("minimal");
}

void HandleCurrentException(TObject* sender) noexcept
{
    try {
        Application->HandleException(sender);
    } catch (...) {
        std::fputs("exception in the exception handler dropped\n", stderr);
    }
}

void RegisterLive(TControl* control)
{
    std::lock_guard<std::mutex> lock(liveMutex);
    live[control] = nextSerial++;
}

void UnregisterLive(TControl* control)
{
    std::lock_guard<std::mutex> lock(liveMutex);
    live.erase(control);
}

bool IsLive(const TControl* control)
{
    std::lock_guard<std::mutex> lock(liveMutex);
    return live.count(control) != 0;
}

void PostControlMessage(TControl* control, const TMessage& message)
{
    std::uint64_t serial;
    {
        std::lock_guard<std::mutex> lock(liveMutex);
        auto it = live.find(control);
        if (it == live.end()) return;
        serial = it->second;
    }
    if (!dispatcher) {
        if (!TThread::IsMainThread()) return;  // no loop yet: nobody would deliver it
        EnsureApp();
    }
    QCoreApplication::postEvent(dispatcher, new PostedMessage(control, serial, message));
}

void PostCall(std::function<void()> fn)
{
    EnsureApp();
    QCoreApplication::postEvent(dispatcher, new PostedCall(std::move(fn)));
}

}  // namespace tvforms

// ---- TApplication ------------------------------------------------------------------------------

TV_PUBLISHED(TApplication) {}

TApplication::TApplication(TComponent* owner) : TComponent(owner)
{
    tvforms::EnsureApp();
    title_ = ChangeFileExt(ExtractFileName(ExeName()), "");
}

TApplication::~TApplication() = default;

void TApplication::Initialize() { tvforms::EnsureApp(); }

void TApplication::formCreated(TCustomForm* form)
{
    if (!mainForm_ && form) {
        mainForm_ = form;
        FreeNotification(form);
    }
}

void TApplication::CreateForm(const TMetaClass& formClass, TCustomForm** reference)
{
    TComponent* c = formClass.CreateComponent(this);
    auto* form = dynamic_cast<TCustomForm*>(c);
    if (!form) {
        c->Free();
        throw EInvalidOperation("Class " + formClass.ClassName() + " is not a form");
    }
    if (reference) *reference = form;
    formCreated(form);
}

void TApplication::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == mainForm_) mainForm_ = nullptr;
}

void TApplication::FormDestroying(TCustomForm* form)
{
    if (form == mainForm_) mainForm_ = nullptr;
    // Handlers of a form that goes must not be called afterwards.
    auto boundTo = [form](const TMethod& m) {
        if (!m.Data) return false;
        if (m.Data == form) return true;
        auto* c = dynamic_cast<TComponent*>(m.Data);
        return c && c->Owner() == form;
    };
    if (boundTo(onException_.Method())) onException_ = nullptr;
    if (boundTo(onIdle_.Method())) onIdle_ = nullptr;
}

void TApplication::Run()
{
    tvforms::EnsureApp();
    if (mainForm_) mainForm_->Show();
    tvforms::StartTestDriver();
    while (!terminated_) HandleMessage();
}

void TApplication::Terminate()
{
    terminated_ = true;
    if (dispatcher) QCoreApplication::postEvent(dispatcher, new QEvent(WakeType));
}

void TApplication::ProcessMessages()
{
    tvforms::EnsureApp();
    ++processDepth;
    try {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        tvforms::Guard(this, [] { CheckSynchronize(0); });
    } catch (...) {
        --processDepth;
        tvforms::HandleCurrentException(this);
        return;
    }
    --processDepth;
    if (processDepth == 0) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TApplication::HandleMessage()
{
    tvforms::EnsureApp();
    ++processDepth;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    tvforms::Guard(this, [] { CheckSynchronize(0); });
    --processDepth;
    if (processDepth == 0) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (onIdle_) tvforms::Guard(this, [&] { onIdle_(this); });
    }
}

void TApplication::WaitMessage(int timeoutMs)
{
    tvforms::EnsureApp();
    if (timeoutMs <= 0) return;
    // The deadline is a timer event of its own, so the platform's wait ends on time at the latest.
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    deadline.start(timeoutMs);
    ++processDepth;
    try {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
        // Some event dispatchers deliver the posted events that woke them only on the next pass.
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        tvforms::Guard(this, [] { CheckSynchronize(0); });
    } catch (...) {
        --processDepth;
        tvforms::HandleCurrentException(this);
        return;
    }
    --processDepth;
    if (processDepth == 0) QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void TApplication::HandleException(TObject* sender)
{
    try {
        throw;
    } catch (const EAbort&) {
    } catch (Exception& e) {
        report(sender, e);
    } catch (const std::exception& e) {
        Exception wrapped(e.what());
        report(sender, wrapped);
    } catch (...) {
        Exception wrapped("Unknown exception");
        report(sender, wrapped);
    }
}

void TApplication::HandleException(TObject* sender, const std::exception& e)
{
    if (dynamic_cast<const EAbort*>(&e)) return;
    if (auto* ex = dynamic_cast<const Exception*>(&e)) {
        Exception copy(ex->Message());
        report(sender, copy);
        return;
    }
    Exception wrapped(e.what());
    report(sender, wrapped);
}

void TApplication::report(TObject* sender, Exception& e)
{
    if (handlingException_ > 0) {
        // An error while reporting an error: no second box.
        std::fprintf(stderr, "%s\n", e.Message().c_str());
        return;
    }
    ++handlingException_;
    try {
        if (onException_)
            onException_(sender, &e);
        else
            ShowException(&e);
    } catch (...) {
        // The handler's own failure is dropped: the report must not throw into the event loop.
    }
    --handlingException_;
}

void TApplication::ShowException(Exception* e)
{
    String msg = e ? e->Message() : String();
    if (!msg.empty() && msg.back() != '.') msg += '.';
    MessageBox(msg, title_, MB_OK | MB_ICONSTOP);
}

String TApplication::ExeName() const
{
    tvforms::EnsureApp();
    return QCoreApplication::applicationFilePath().toStdString();
}

// ---- TScreen ----------------------------------------------------------------------------------

TV_PUBLISHED(TScreen) {}

TScreen::TScreen(TComponent* owner) : TComponent(owner) { tvforms::EnsureApp(); }

TScreen::~TScreen()
{
    for (auto& [index, handle] : cursors_) delete reinterpret_cast<QCursor*>(handle);
}

int TScreen::Width() const
{
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() : 1024;
}

int TScreen::Height() const
{
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? s->geometry().height() : 768;
}

TPoint TScreen::CursorPos() const
{
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

void TScreen::SetCursorPos(TPoint value) { QCursor::setPos(value.X, value.Y); }

int TScreen::PhysicalWidthMM() const
{
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? qRound(s->physicalSize().width()) : 0;
}

int TScreen::PhysicalHeightMM() const
{
    QScreen* s = QGuiApplication::primaryScreen();
    return s ? qRound(s->physicalSize().height()) : 0;
}

namespace {

Qt::CursorShape StandardShape(TCursor c)
{
    switch (c) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait: return Qt::WaitCursor;
    case crDrag:
    case crMultiDrag: return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
    }
}

}  // namespace

HCURSOR TScreen::Cursors(int index) const
{
    for (auto& [i, handle] : cursors_)
        if (i == index) return handle;
    if (index <= 0 && index >= crSizeAll) {
        // Standard cursors are made on first request and kept.
        auto* self = const_cast<TScreen*>(this);
        auto* cursor = new QCursor(StandardShape(index));
        self->cursors_.emplace_back(index, reinterpret_cast<HCURSOR>(cursor));
        return reinterpret_cast<HCURSOR>(cursor);
    }
    return Cursors(crDefault);
}

void TScreen::SetCursors(int index, HCURSOR cursor)
{
    for (auto it = cursors_.begin(); it != cursors_.end(); ++it) {
        if (it->first == index) {
            if (it->second != cursor) delete reinterpret_cast<QCursor*>(it->second);
            if (cursor)
                it->second = cursor;
            else
                cursors_.erase(it);
            return;
        }
    }
    if (cursor) cursors_.emplace_back(index, cursor);
}

TFont* TScreen::HintFont()
{
    if (!hintFont_) hintFont_ = std::make_unique<TFont>();
    return hintFont_.get();
}

void TScreen::SetCursor(TCursor value)
{
    if (!AssignIfChanged(cursor_, value)) return;
    while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
    if (value != crDefault) {
        auto* c = reinterpret_cast<QCursor*>(Cursors(value));
        if (c) QGuiApplication::setOverrideCursor(*c);
    }
}

TCustomForm* TScreen::Forms(int index) const
{
    if (index < 0 || index >= FormCount()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return forms_[static_cast<size_t>(index)];
}

TWinControl* TScreen::ActiveControl() const { return activeForm_ ? activeForm_->ActiveControl() : nullptr; }

void TScreen::AddForm(TCustomForm* form) { forms_.push_back(form); }

void TScreen::RemoveForm(TCustomForm* form)
{
    std::erase(forms_, form);
    if (activeForm_ == form) activeForm_ = nullptr;
}

void TScreen::SetActiveForm(TCustomForm* form) { activeForm_ = form; }

HCURSOR LoadCursorFromImage(const std::vector<std::uint32_t>& argb, int width, int height, int hotX, int hotY)
{
    tvforms::EnsureApp();
    if (width <= 0 || height <= 0 || argb.size() < static_cast<size_t>(width) * static_cast<size_t>(height))
        throw EInvalidOperation("Invalid cursor image");
    QImage img(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) img.setPixel(x, y, argb[static_cast<size_t>(y * width + x)]);
    return reinterpret_cast<HCURSOR>(new QCursor(QPixmap::fromImage(img), hotX, hotY));
}

// ---- the global objects -----------------------------------------------------------------------

namespace {
// Never destroyed as statics: ReleaseGlobals (run at exit) frees what they hold, and may run after
// static destructors of objects made later than its registration.
TOwnedPtr<TApplication>& applicationHolder()
{
    static auto* app = new TOwnedPtr<TApplication>;
    return *app;
}
TOwnedPtr<TScreen>& screenHolder()
{
    static auto* screen = new TOwnedPtr<TScreen>;
    return *screen;
}
}  // namespace

namespace {

// Frees what a holder holds while the holder still names it: code run by the destruction (a form
// telling the application it goes) reaches the object being freed, not a new one.
template <class T>
void FreeHeld(TOwnedPtr<T>& holder)
{
    if (!holder) return;
    holder->Free();
    (void)holder.release();
}

void ReleaseGlobals()
{
    FreeHeld(applicationHolder());
    FreeHeld(screenHolder());
}

}  // namespace

void DoneApplication()
{
    if (!QCoreApplication::instance()) {
        ReleaseGlobals();
        return;
    }
    tvforms::StopTestDriver();
    // Forms nobody owns first, newest first: they may use the forms the application owns.
    if (TOwnedPtr<TScreen>& screen = screenHolder(); screen) {
        for (bool found = true; found;) {
            found = false;
            for (int i = screen->FormCount(); i-- > 0;) {
                TCustomForm* form = screen->Forms(i);
                if (!form->Owner() && !form->IsDestroying()) {
                    form->Free();
                    found = true;
                    break;
                }
            }
        }
    }
    // The application's forms and components, newest first. A port closing here waits for its
    // threads on this thread, which serves their pending Synchronize calls meanwhile.
    ReleaseGlobals();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    // Workers of objects nobody freed get no answer from here on.
    CloseSynchronize();
    SetSynchronizeWakeHook({});
    SetSynchronizeExceptionHook({});
    delete dispatcher;
    dispatcher = nullptr;
    delete QCoreApplication::instance();
}

TApplication* TApplicationRef::operator->() const
{
    auto& app = applicationHolder();
    if (!app) app.reset(new TApplication(nullptr));
    return app.get();
}

TScreen* TScreenRef::operator->() const
{
    auto& screen = screenHolder();
    if (!screen) screen.reset(new TScreen(nullptr));
    return screen.get();
}

const TApplicationRef Application;
const TScreenRef Screen;
