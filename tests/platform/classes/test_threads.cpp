// Threads, Synchronize/Queue onto the main thread, events and critical sections.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include "platform/classes/SyncObjs.h"
#include "platform/classes/Threads.h"

namespace {

using namespace std::chrono_literals;

// The main-thread side of a message loop: runs queued calls until `done` or a deadline.
template <class Pred>
bool pumpUntil(Pred done, std::chrono::milliseconds limit = 5000ms)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        CheckSynchronize(5);
    }
    return true;
}

// Waits without serving the main-thread queue.
template <class Pred>
bool waitUntil(Pred done, std::chrono::milliseconds limit = 5000ms)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

class TLambdaThread : public TThread {
public:
    explicit TLambdaThread(std::function<void(TLambdaThread&)> body, bool suspended = false)
        : TThread(true), body_(std::move(body))
    {
        if (!suspended) Start();
    }
    using TThread::Terminated;

protected:
    void Execute() override { body_(*this); }

private:
    std::function<void(TLambdaThread&)> body_;
};

}  // namespace

TEST(Thread, SynchronizeRunsOnTheMainThreadAndBlocksTheWorker)
{
    TThread::SetMainThread();
    std::atomic<int> stage{0};
    bool ranOnMain = false;
    TOwnedPtr<TLambdaThread> t(new TLambdaThread([&](TLambdaThread& self) {
        stage = 1;
        const bool ran = self.Synchronize([&] {
            ranOnMain = TThread::IsMainThread();
            std::this_thread::sleep_for(20ms);
        });
        stage = ran ? 2 : -1;
    }));
    ASSERT_TRUE(waitUntil([&] { return stage == 1; }));
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(stage, 1) << "the worker must wait until the main thread ran the call";
    ASSERT_TRUE(pumpUntil([&] { return stage == 2; }));
    EXPECT_TRUE(ranOnMain);
    t->WaitFor();
}

TEST(Thread, SynchronizeIsServedInsideABusyMessageLoop)
{
    TThread::SetMainThread();
    std::atomic<bool> woke{false};
    SetSynchronizeWakeHook([&] { woke = true; });
    int counter = 0;
    TOwnedPtr<TLambdaThread> t(new TLambdaThread([&](TLambdaThread& self) {
        for (int i = 0; i < 50; ++i) self.Synchronize([&] { ++counter; });
    }));
    // A busy wait that pumps messages: the pattern of ProcessMessages loops.
    ASSERT_TRUE(pumpUntil([&] { return t->Finished(); }));
    EXPECT_EQ(counter, 50);
    EXPECT_TRUE(woke);
    SetSynchronizeWakeHook(nullptr);
    t->WaitFor();
}

TEST(Thread, WaitForOnTheMainThreadServesAPendingSynchronize)
{
    TThread::SetMainThread();
    bool ran = false;
    std::atomic<bool> calling{false};
    TOwnedPtr<TLambdaThread> t(new TLambdaThread([&](TLambdaThread& self) {
        while (!self.Terminated()) {
            calling = true;
            self.Synchronize([&] { ran = true; });
            std::this_thread::sleep_for(1ms);
        }
    }));
    // Terminate only once the worker is calling in, however slowly it starts.
    while (!calling) std::this_thread::sleep_for(1ms);
    t->Terminate();
    t->WaitFor();  // would deadlock if it did not run the worker's pending call
    EXPECT_TRUE(ran);
}

TEST(Thread, WaitForOnTheMainThreadSeesTheEndWhateverRunsBeforeIt)
{
    // WaitFor sleeps until the worker ends or calls in: an end or a call it misses hangs it here.
    TThread::SetMainThread();
    const struct {
        const char* what;
        int synchronizes;
        int queues;
    } cases[] = {
        {"ends at once", 0, 0},
        {"one Synchronize, then ends", 1, 0},
        {"several Synchronize calls", 5, 0},
        {"queues and ends", 0, 2},
        {"both", 3, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (int round = 0; round < 200; ++round) {
            std::vector<int> order;
            TOwnedPtr<TLambdaThread> t(new TLambdaThread([&](TLambdaThread& self) {
                for (int i = 0; i < c.queues; ++i) self.Queue([&order, i] { order.push_back(100 + i); });
                for (int i = 0; i < c.synchronizes; ++i) self.Synchronize([&order, i] { order.push_back(i); });
                self.SetReturnValue(round);
            }));
            ASSERT_EQ(t->WaitFor(), round);
            // Every Synchronize ran inside the wait, after the calls queued before it.
            std::vector<int> synced;
            for (int v : order)
                if (v < 100) synced.push_back(v);
            ASSERT_EQ(static_cast<int>(synced.size()), c.synchronizes);
            for (int i = 0; i < c.synchronizes; ++i) ASSERT_EQ(synced[i], i);
            if (c.synchronizes > 0) {
                ASSERT_EQ(static_cast<int>(order.size()), c.synchronizes + c.queues);
            }
            CheckSynchronize();  // queued calls still pending run now, while their captures live
        }
    }
}

TEST(Thread, WaitForFromAnotherThreadCancelsThePendingSynchronize)
{
    TThread::SetMainThread();
    std::atomic<int> result{0};
    auto* worker = new TLambdaThread([&](TLambdaThread& self) {
        const bool ran = self.Synchronize([] {});
        result = ran ? 1 : 2;
    });
    // The main thread is busy elsewhere (not pumping): a controller thread stops the worker.
    std::thread controller([&] {
        std::this_thread::sleep_for(20ms);
        worker->Terminate();
        worker->WaitFor();
    });
    controller.join();
    EXPECT_EQ(result, 2) << "the call was cancelled, not run";
    worker->Free();
}

// The main thread stops serving (the program ends) while a worker waits in Synchronize: the worker
// is let go, and nothing it asks for later runs or makes it wait, until serving starts again.
TEST(Thread, CloseSynchronizeReleasesAWaitingWorkerAndRefusesLaterCalls)
{
    TThread::SetMainThread();
    std::atomic<int> ran{0};
    std::atomic<bool> waiting{false};
    std::vector<bool> answers;
    auto* worker = new TLambdaThread([&](TLambdaThread&) {
        waiting = true;
        answers.push_back(TThread::Synchronize(nullptr, [&] { ++ran; }));
        answers.push_back(TThread::Synchronize(nullptr, [&] { ++ran; }));
        TThread::Queue(nullptr, [&] { ++ran; });
    });
    ASSERT_TRUE(waitUntil([&] { return waiting.load(); }));
    std::this_thread::sleep_for(20ms);  // into its wait
    CloseSynchronize();
    struct Reopen {
        ~Reopen() { OpenSynchronize(); }  // also when an assertion ends the test early
    } reopen;
    ASSERT_TRUE(waitUntil([&] { return worker->Finished(); })) << "the worker still waits";
    worker->WaitFor();
    CheckSynchronize();
    EXPECT_EQ(answers, (std::vector<bool>{false, false}));
    EXPECT_EQ(ran, 0);
    worker->Free();

    OpenSynchronize();
    auto* again = new TLambdaThread([&](TLambdaThread& self) { answers.push_back(self.Synchronize([&] { ++ran; })); });
    ASSERT_TRUE(pumpUntil([&] { return again->Finished(); }));
    again->WaitFor();
    EXPECT_EQ(answers.back(), true);
    EXPECT_EQ(ran, 1);
    again->Free();
}

TEST(Thread, RemoveQueuedEventsCancelsQueuedAndPendingCalls)
{
    TThread::SetMainThread();
    std::atomic<bool> queuedOnly{false};
    int queuedRan = 0;
    std::atomic<int> syncResult{0};
    TOwnedPtr<TLambdaThread> t(new TLambdaThread([&](TLambdaThread& self) {
        self.Queue([&] { ++queuedRan; });
        queuedOnly = true;
        syncResult = self.Synchronize([] {}) ? 1 : 2;
    }));
    ASSERT_TRUE(waitUntil([&] { return queuedOnly.load(); }));
    std::this_thread::sleep_for(20ms);
    TThread::RemoveQueuedEvents(t.get());
    ASSERT_TRUE(pumpUntil([&] { return syncResult != 0; }));
    EXPECT_EQ(syncResult, 2);
    EXPECT_EQ(queuedRan, 0);
    t->WaitFor();
}

TEST(Thread, ExceptionsInSynchronizedCallsGoBackToTheWorker)
{
    TThread::SetMainThread();
    std::atomic<bool> caught{false};
    TOwnedPtr<TLambdaThread> t(new TLambdaThread([&](TLambdaThread& self) {
        try {
            self.Synchronize([] { throw EInvalidOperation("boom"); });
        } catch (const EInvalidOperation& e) {
            caught = e.Message() == "boom";
        }
    }));
    ASSERT_TRUE(pumpUntil([&] { return t->Finished(); }));
    t->WaitFor();
    EXPECT_TRUE(caught);
}

TEST(Thread, ExceptionsInQueuedCallsGoToTheHookNotThroughTheLoop)
{
    TThread::SetMainThread();
    std::vector<String> reported;
    SetSynchronizeExceptionHook([&](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const Exception& ex) {
            reported.push_back(ex.Message());
        }
    });
    TOwnedPtr<TLambdaThread> t(
        new TLambdaThread([&](TLambdaThread& self) { self.Queue([] { throw EInvalidOperation("queued boom"); }); }));
    t->WaitFor();
    EXPECT_NO_THROW(CheckSynchronize(0));
    SetSynchronizeExceptionHook(nullptr);
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_EQ(reported[0], "queued boom");
}

TEST(Thread, FatalExceptionReturnValueAndOnTerminate)
{
    TThread::SetMainThread();
    TOwnedPtr<TLambdaThread> t(new TLambdaThread(
        [](TLambdaThread& self) {
            self.SetReturnValue(42);
            throw EInvalidOperation("worker failed");
        },
        true));
    EXPECT_TRUE(t->Suspended());
    TObject* terminatedSender = nullptr;
    bool onMain = false;
    t->SetOnTerminate([&](TObject* sender) {
        terminatedSender = sender;
        onMain = TThread::IsMainThread();
    });
    t->Start();
    EXPECT_THROW(t->Start(), EThread);
    EXPECT_EQ(t->WaitFor(), 42);
    EXPECT_EQ(terminatedSender, t.get());
    EXPECT_TRUE(onMain);
    ASSERT_TRUE(t->FatalException());
    EXPECT_THROW(std::rethrow_exception(t->FatalException()), EInvalidOperation);
}

TEST(Thread, FreeOnTerminateFreesTheThreadItself)
{
    TThread::SetMainThread();
    static std::atomic<bool> destroyed{false};
    struct TSelfFreeing : TThread {
        TSelfFreeing() : TThread(true) { SetFreeOnTerminate(true); }
        ~TSelfFreeing() override { destroyed = true; }
        void Execute() override {}
    };
    (new TSelfFreeing)->Start();
    EXPECT_TRUE(pumpUntil([] { return destroyed.load(); }));
}

TEST(Thread, FreeStopsARunningThreadWhileItIsWhole)
{
    TThread::SetMainThread();
    std::atomic<int> loops{0};
    auto* t = new TLambdaThread([&](TLambdaThread& self) {
        while (!self.Terminated()) {
            ++loops;
            std::this_thread::sleep_for(1ms);
        }
    });
    // Free only once the worker runs, however slowly it starts.
    while (loops.load() == 0)
        std::this_thread::sleep_for(1ms);
    t->Free();  // Terminate + WaitFor before the derived part goes
}

TEST(Thread, SynchronizeFromTheMainThreadRunsAtOnce)
{
    TThread::SetMainThread();
    int n = 0;
    EXPECT_TRUE(TThread::Synchronize(nullptr, [&] { ++n; }));
    TThread::Queue(nullptr, [&] { ++n; });
    EXPECT_EQ(n, 2);
}

TEST(Event, ManualAndAutoResetWithTimeouts)
{
    TEvent manual(true, false);
    EXPECT_EQ(manual.WaitFor(0), wrTimeout);
    EXPECT_EQ(manual.WaitFor(10), wrTimeout);
    manual.SetEvent();
    EXPECT_EQ(manual.WaitFor(0), wrSignaled);
    EXPECT_EQ(manual.WaitFor(INFINITE), wrSignaled) << "manual reset stays signalled";
    manual.ResetEvent();
    EXPECT_EQ(manual.WaitFor(0), wrTimeout);

    TEvent automatic(false, true);
    EXPECT_EQ(automatic.WaitFor(0), wrSignaled);
    EXPECT_EQ(automatic.WaitFor(0), wrTimeout) << "auto reset hands the signal to one waiter";

    TEvent crossThread(false, false);
    std::thread setter([&] {
        std::this_thread::sleep_for(10ms);
        crossThread.SetEvent();
    });
    EXPECT_EQ(crossThread.WaitFor(INFINITE), wrSignaled);
    setter.join();
    EXPECT_EQ(static_cast<Cardinal>(-1), INFINITE);
}

TEST(Event, AbandonReleasesWaiters)
{
    TEvent e(true, false);
    std::atomic<int> result{-1};
    std::thread waiter([&] { result = e.WaitFor(INFINITE); });
    std::this_thread::sleep_for(10ms);
    e.Abandon();
    waiter.join();
    EXPECT_EQ(result, wrAbandoned);
}

TEST(CriticalSection, IsRecursiveAndExcludesOtherThreads)
{
    TCriticalSection cs;
    int shared = 0;
    {
        TCriticalSectionGuard outer(cs);
        TCriticalSectionGuard inner(cs);  // the owner may enter again
        shared = 1;
    }
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 10000; ++i) {
                std::lock_guard lock(cs);
                ++shared;
            }
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(shared, 40001);
    cs.Enter();
    std::thread other([&] { EXPECT_FALSE(cs.TryEnter()); });
    other.join();
    cs.Leave();
}

TEST(Thread, QueuedCallsOfAFreedThreadAreDroppedUnlessQueuedForNoThread)
{
    TThread::SetMainThread();
    int own = 0, detached = 0;
    auto* t = new TLambdaThread([&](TLambdaThread& self) {
        self.Queue([&] { ++own; });
        TThread::Queue(nullptr, [&] { ++detached; });
    });
    ASSERT_TRUE(waitUntil([&] { return t->Finished(); }));
    t->Free();
    CheckSynchronize(0);
    EXPECT_EQ(own, 0);
    EXPECT_EQ(detached, 1);
}
