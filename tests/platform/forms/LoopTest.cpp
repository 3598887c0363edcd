// The message loop: re-entrant ProcessMessages, busy waits, timers, Synchronize of worker threads.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>

#include "platform/classes/Threads.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/ExtCtrls.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Messages.h"
#include "platform/forms/StdCtrls.h"
#include "platform/forms/TestKit.h"
#include "platform/rtl/Tick.h"

namespace {

// The busy wait of the program: pump messages until ms have passed.
void WaitMs(Cardinal ms)
{
    Cardinal start = GetTickCount();
    while (TicksSince(start, GetTickCount()) <= ms) Application->ProcessMessages();
}

// Pumps until cond holds (or a generous limit passes, so a broken loop fails instead of hanging).
bool PumpUntil(const std::function<bool()>& cond)
{
    Cardinal start = GetTickCount();
    while (!cond()) {
        if (TicksSince(start, GetTickCount()) > 5000) return false;
        Application->ProcessMessages();
    }
    return true;
}

struct LoopFixture : ::testing::Test {
    TOwnedPtr<TForm> form{new TForm(nullptr)};
    std::vector<String> log;
    TButton* first = nullptr;
    TButton* second = nullptr;
    void SetUp() override
    {
        form->SetBounds(0, 0, 300, 200);
        first = new TButton(form.get());
        first->SetParent(form.get());
        second = new TButton(form.get());
        second->SetParent(form.get());
        second->SetTop(40);
        form->Show();
    }
};

TEST_F(LoopFixture, ASecondClickRunsToItsEndInsideTheFirstHandlersWait)
{
    first->SetOnClick([&](TObject*) {
        log.push_back("first begins");
        testkit::PostClick(*second);
        WaitMs(50);
        log.push_back("first ends");
    });
    second->SetOnClick([&](TObject*) {
        log.push_back("second begins");
        WaitMs(10);
        log.push_back("second ends");
    });
    testkit::Click(*first);
    EXPECT_EQ(log, (std::vector<String>{"first begins", "second begins", "second ends", "first ends"}));
}

TEST_F(LoopFixture, PaintsHappenDuringABusyWait)
{
    struct Counter : TCustomControl {
        using TCustomControl::TCustomControl;
        int paints = 0;
        void Paint() override { ++paints; }
    };
    auto* c = new Counter(form.get());
    c->SetParent(form.get());
    c->SetBounds(100, 100, 20, 20);
    WaitMs(20);
    int before = c->paints;
    c->Invalidate();
    WaitMs(20);
    EXPECT_GT(c->paints, before);
}

TEST_F(LoopFixture, TimerFiresInsideProcessMessagesAndStopsWhenDisabled)
{
    auto* t = new TTimer(form.get());
    int ticks = 0;
    t->SetInterval(5);
    t->SetOnTimer([&](TObject*) { ++ticks; });
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }));
    t->SetEnabled(false);
    int frozen = ticks;
    WaitMs(30);
    EXPECT_EQ(ticks, frozen);
}

TEST_F(LoopFixture, TimerWithoutHandlerOrIntervalDoesNothingAndAnExceptionIsReported)
{
    std::vector<String> reported;
    TExceptionEvent saved = Application->OnException();
    Application->SetOnException([&](TObject*, Exception* e) { reported.push_back(e->Message()); });
    auto* t = new TTimer(form.get());
    t->SetInterval(0);
    int ticks = 0;
    t->SetOnTimer([&](TObject*) {
        ++ticks;
        t->SetEnabled(false);
        throw Exception("tick failed");
    });
    WaitMs(20);
    EXPECT_EQ(ticks, 0);
    t->SetInterval(5);
    EXPECT_TRUE(PumpUntil([&] { return !reported.empty(); }));
    WaitMs(20);
    Application->SetOnException(saved);
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(reported, std::vector<String>{"tick failed"});
}

TEST_F(LoopFixture, ATimerMayFreeItselfInItsHandler)
{
    auto* t = new TTimer(form.get());
    bool fired = false;
    t->SetInterval(1);
    t->SetOnTimer([&](TObject*) {
        fired = true;
        t->Free();
    });
    EXPECT_TRUE(PumpUntil([&] { return fired; }));
    WaitMs(10);
    EXPECT_EQ(form->ComponentCount(), 2);  // the two buttons
}

class Worker : public TThread {
public:
    explicit Worker(std::function<void()> call) : TThread(true), call_(std::move(call)) {}
    std::atomic<bool> synced{false};

protected:
    void Execute() override
    {
        Synchronize([this] { call_(); });
        synced = true;
    }

private:
    std::function<void()> call_;
};

TEST_F(LoopFixture, AWorkersSynchronizeRunsInsideABusyWait)
{
    std::vector<String> order;
    TOwnedPtr<Worker> w(new Worker([&] { order.push_back("synchronized"); }));
    first->SetOnClick([&](TObject*) {
        order.push_back("wait begins");
        w->Start();
        Cardinal start = GetTickCount();
        while (!w->synced && TicksSince(start, GetTickCount()) < 5000) Application->ProcessMessages();
        order.push_back("wait ends");
    });
    testkit::Click(*first);
    w->WaitFor();
    EXPECT_EQ(order, (std::vector<String>{"wait begins", "synchronized", "wait ends"}));
}

TEST_F(LoopFixture, HandleMessageWakesForASynchronizeCall)
{
    bool ran = false;
    TOwnedPtr<Worker> w(new Worker([&] { ran = true; }));
    w->Start();
    Cardinal start = GetTickCount();
    while (!w->synced && TicksSince(start, GetTickCount()) < 5000) Application->HandleMessage();
    w->WaitFor();
    EXPECT_TRUE(ran);
}

// A wait between two ProcessMessages sleeps until something comes, and what came has run when it
// returns. The deadline is far beyond every case: a return before it was woken by the message.
TEST_F(LoopFixture, WaitMessageWakesForEachKindOfMessageAndRunsIt)
{
    constexpr Cardinal Deadline = 20000;
    bool done = false;
    TOwnedPtr<Worker> worker(new Worker([&] { done = true; }));
    TOwnedPtr<TForm> other(new TForm(nullptr));
    other->Show();
    const struct {
        const char* name;
        std::function<void()> arrange;
    } cases[] = {
        {"timer",
         [&] {
             auto* t = new TTimer(form.get());
             t->SetInterval(30);
             t->SetOnTimer([&, t](TObject*) {
                 done = true;
                 t->SetEnabled(false);
             });
         }},
        {"posted click",
         [&] {
             first->SetOnClick([&](TObject*) { done = true; });
             testkit::PostClick(*first);
         }},
        {"posted close",
         [&] {
             other->SetOnClose([&](TObject*, TCloseAction&) { done = true; });
             other->PostMessage(WM_CLOSE);
         }},
        {"Synchronize of a worker", [&] { worker->Start(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testkit::Pump(20);  // nothing left over from before
        done = false;
        c.arrange();
        const Cardinal start = GetTickCount();
        while (!done && TicksSince(start, GetTickCount()) < Deadline)
            Application->WaitMessage(static_cast<int>(Deadline - TicksSince(start, GetTickCount())));
        EXPECT_TRUE(done);
        EXPECT_LT(TicksSince(start, GetTickCount()), Deadline) << "slept through the message";
    }
    worker->WaitFor();
}

TEST_F(LoopFixture, WaitMessageWithNothingToDoSleepsUntilItsTimeOut)
{
    testkit::Pump(20);
    for (Cardinal ms : {0u, 1u, 40u, 150u}) {
        SCOPED_TRACE(ms);
        const Cardinal start = GetTickCount();
        Application->WaitMessage(static_cast<int>(ms));
        const Cardinal slept = TicksSince(start, GetTickCount());
        EXPECT_GE(slept + 1, ms);  // the tick count may lag the timer by its last millisecond
        EXPECT_LT(slept, ms + 5000) << "did not end at its time-out";
    }
}

TEST_F(LoopFixture, ReleasedFormGoesOnlyAfterTheRunningHandler)
{
    auto* other = new TForm(nullptr);
    auto* b = new TButton(other);
    b->SetParent(other);
    other->Show();
    bool stillThere = false;
    b->SetOnClick([&](TObject*) {
        other->Release();
        stillThere = other->ControlCount() == 1 && b->Parent() == other;
    });
    int before = Screen->FormCount();
    testkit::Click(*b);
    EXPECT_TRUE(stillThere);
    EXPECT_EQ(Screen->FormCount(), before);
    Application->ProcessMessages();
    EXPECT_EQ(Screen->FormCount(), before - 1);
}

TEST_F(LoopFixture, HandlersMayFreeTheirOwnControlOrItsParent)
{
    first->SetOnClick([&](TObject*) { first->Free(); });
    testkit::Click(*first);
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(100, 100, 80, 80);
    auto* shape = new TShape(form.get());
    shape->SetParent(panel);
    shape->SetOnMouseDown([&](TObject*, TMouseButton, TShiftState, int, int) { panel->Free(); });
    shape->SetOnMouseEnter([&](TObject*) { log.push_back("enter"); });
    testkit::MouseDown(*shape);
    Application->ProcessMessages();
    EXPECT_EQ(form->ControlCount(), 1);  // the second button
    EXPECT_EQ(form->ComponentCount(), 1);
}

TEST_F(LoopFixture, WmCloseClosesTheFormAsCloseDoes)
{
    const struct {
        const char* name;
        bool posted;
        bool canClose;
    } cases[] = {
        {"performed", false, true},
        {"posted", true, true},
        {"performed, refused by OnCloseQuery", false, false},
        {"posted, refused by OnCloseQuery", true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TOwnedPtr<TForm> other(new TForm(nullptr));
        ASSERT_NE(Application->MainForm(), other.get());
        other->Show();
        std::vector<String> events;
        other->SetOnCloseQuery([&](TObject*, bool& can) {
            events.push_back("query");
            can = c.canClose;
        });
        other->SetOnClose([&](TObject*, TCloseAction&) { events.push_back("close"); });
        if (c.posted) {
            other->PostMessage(WM_CLOSE);
            EXPECT_TRUE(events.empty()) << "ran before the loop";
            Application->ProcessMessages();
        } else {
            other->Perform(WM_CLOSE);
        }
        const std::vector<String> expected = c.canClose ? std::vector<String>{"query", "close"}
                                                        : std::vector<String>{"query"};
        EXPECT_EQ(events, expected);
        EXPECT_EQ(other->Visible(), !c.canClose);
    }
}

TEST_F(LoopFixture, AHandlerMayFreeItsOwnForm)
{
    auto* other = new TForm(nullptr);
    auto* b = new TButton(other);
    b->SetParent(other);
    other->Show();
    int before = Screen->FormCount();
    b->SetOnClick([&](TObject*) { other->Free(); });
    testkit::Click(*b);
    EXPECT_EQ(Screen->FormCount(), before - 1);
    Application->ProcessMessages();
}

}  // namespace

namespace {

TEST(ApplicationForms, FirstCreatedFormIsTheMainFormAndTheApplicationOwnsThem)
{
    TForm* first = nullptr;
    TForm* second = nullptr;
    TCustomForm* saved = Application->MainForm();
    ASSERT_EQ(saved, nullptr);
    Application->CreateForm(first);
    Application->CreateForm(second);
    EXPECT_EQ(Application->MainForm(), first);
    EXPECT_EQ(first->Owner(), static_cast<TComponent*>(Application));
    EXPECT_EQ(second->Owner(), static_cast<TComponent*>(Application));
    first->Free();
    EXPECT_EQ(Application->MainForm(), nullptr);
    EXPECT_FALSE(Application->Terminated());
    second->Free();
}

}  // namespace

namespace {

struct HandlerForm : TForm {
    explicit HandlerForm(TComponent* owner) : TForm(owner) {}
    int seen = 0;
    void ShowError(TObject*, Exception*) { ++seen; }
};

TEST(ApplicationForms, AFreedFormsExceptionHandlerIsNoLongerCalled)
{
    auto* form = new HandlerForm(nullptr);
    TExceptionEvent saved = Application->OnException();
    Application->SetOnException(TExceptionEvent(form, &HandlerForm::ShowError, "ShowError"));
    Exception e("x");
    Application->HandleException(nullptr, e);
    EXPECT_EQ(form->seen, 1);
    form->Free();
    EXPECT_FALSE(Application->OnException().Assigned());
    std::vector<TDialogRequest> boxes;
    TDialogHandler old = SetDialogHandler([&](const TDialogRequest& r) {
        boxes.push_back(r);
        return IDOK;
    });
    Application->HandleException(nullptr, e);  // the default report now
    SetDialogHandler(old);
    Application->SetOnException(saved);
    EXPECT_EQ(boxes.size(), 1u);
}

}  // namespace
