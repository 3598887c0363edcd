#pragma once
// Worker threads with Synchronize/Queue onto the main thread.
//
// The main thread is the one that first touched this module (or called SetMainThread). The window
// layer calls CheckSynchronize() from its message loop and ProcessMessages, and installs a wake
// hook so a queued call gets the loop's attention.
#include <exception>
#include <functional>
#include <iterator>
#include <memory>

#include "platform/classes/MethodEvent.h"
#include "platform/classes/Object.h"
#include "platform/rtl/Exceptions.h"

using TThreadMethod = std::function<void()>;
using TThreadID = std::uint64_t;

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };
inline constexpr const char* TThreadPriorityNames[] = {"tpIdle",   "tpLowest",  "tpLower",       "tpNormal",
                                                       "tpHigher", "tpHighest", "tpTimeCritical"};
static_assert(std::size(TThreadPriorityNames) == tpTimeCritical + 1);

class TThread : public TObject {
public:
    // Suspended: nothing runs until Start().
    explicit TThread(bool createSuspended = false);
    // Stops the thread (Terminate + WaitFor) if it still runs, and drops its queued calls; prefer
    // Free() so the stop happens while the derived object is whole.
    ~TThread() override;
    void BeforeDestruction() override;

    void Start();  // EThread "Thread already started" (raised again for a running thread)
    void Resume() { Start(); }
    void Terminate();  // sets Terminated; Execute is expected to poll it
    bool Terminated() const;
    // Blocks until Execute has returned; returns ReturnValue. On the main thread, pending
    // Synchronize/Queue calls keep being served while waiting; from another thread, this thread's
    // pending Synchronize is cancelled instead (it returns false in the worker).
    int WaitFor();
    bool Finished() const;
    bool Started() const;
    bool Suspended() const { return !Started(); }

    bool FreeOnTerminate() const { return freeOnTerminate_; }
    void SetFreeOnTerminate(bool value) { freeOnTerminate_ = value; }
    // Stored only: scheduling priorities need privileges the program does not have.
    TThreadPriority Priority() const { return priority_; }
    void SetPriority(TThreadPriority value) { priority_ = value; }
    TThreadID ThreadID() const;
    int ReturnValue() const { return returnValue_; }
    void SetReturnValue(int value) { returnValue_ = value; }
    // The exception that ended Execute (null when it returned normally).
    std::exception_ptr FatalException() const { return fatalException_; }
    // Called on the main thread after Execute returned (sender: the thread).
    const TNotifyEvent& OnTerminate() const { return onTerminate_; }
    void SetOnTerminate(TNotifyEvent handler) { onTerminate_ = std::move(handler); }

    // Runs method on the main thread and waits for it. Returns false when the call was cancelled
    // (RemoveQueuedEvents / WaitFor from another thread) and did not run. An exception thrown
    // by the method is raised again in the caller. On the main thread the method runs at once.
    static bool Synchronize(TThread* thread, const TThreadMethod& method);
    bool Synchronize(const TThreadMethod& method) { return Synchronize(this, method); }
    // Runs method on the main thread later, without waiting (at once on the main thread). Calls
    // queued for a thread are dropped when it is freed; queue for nullptr to outlive it.
    static void Queue(TThread* thread, const TThreadMethod& method);
    void Queue(const TThreadMethod& method) { Queue(this, method); }
    // Cancels this thread's queued calls and its pending Synchronize.
    static void RemoveQueuedEvents(TThread* thread);

    static TThreadID CurrentThreadID();
    static bool IsMainThread();
    // Tells the module which thread is the main one (the one running the message loop).
    static void SetMainThread();

protected:
    virtual void Execute() = 0;
    // Runs on the main thread after Execute; default fires OnTerminate.
    virtual void DoTerminate();

private:
    struct State;
    void run();
    std::shared_ptr<State> state_;
    bool freeOnTerminate_ = false;
    TNotifyEvent onTerminate_;
    TThreadPriority priority_ = tpNormal;
    int returnValue_ = 0;
    std::exception_ptr fatalException_;
};

// Runs pending Synchronize/Queue calls. timeoutMs: how long to wait for one when none is pending.
// Call only from the main thread. Returns true when at least one call ran. Exceptions from queued
// calls go to the exception hook (never out of this function); a Synchronize call's exception goes
// back to its worker.
bool CheckSynchronize(int timeoutMs = 0);
// Called (from any thread) whenever a call is queued for the main thread.
void SetSynchronizeWakeHook(std::function<void()> hook);
// Receives exceptions thrown by Queue'd calls; default: dropped after logging to stderr.
void SetSynchronizeExceptionHook(std::function<void(std::exception_ptr)> hook);
// The end of the main thread's service (the program ends): every pending Synchronize is cancelled
// (false in its worker) and queued calls are dropped; later ones are refused at once, so no worker
// waits for a main thread that no longer serves it. OpenSynchronize serves again.
void CloseSynchronize();
void OpenSynchronize();
