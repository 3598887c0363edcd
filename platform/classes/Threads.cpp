#include "platform/classes/Threads.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <thread>

namespace {

std::atomic<std::thread::id> g_mainThread{std::this_thread::get_id()};

struct SyncRequest {
    TThread* thread = nullptr;
    TThreadMethod method;
    bool waiting = false;  // Synchronize (a worker waits) or Queue
    bool done = false;
    bool cancelled = false;
    std::exception_ptr error;
};

struct SyncQueue {
    std::mutex mutex;
    std::condition_variable queued;    // main thread: something to run / a thread finished
    std::condition_variable finished;  // workers: their request ran or was cancelled
    std::deque<std::shared_ptr<SyncRequest>> requests;
    std::function<void()> wakeHook;
    std::function<void(std::exception_ptr)> exceptionHook;
    bool closed = false;  // CloseSynchronize: nothing is served any more
};

SyncQueue& syncQueue()
{
    // Never destroyed: a worker may still wait in it while the program exits, and destroying its
    // condition variables under a waiter blocks the exit for good.
    static auto* q = new SyncQueue;
    return *q;
}

void wakeMain()
{
    SyncQueue& q = syncQueue();
    std::function<void()> hook;
    {
        std::lock_guard lock(q.mutex);
        hook = q.wakeHook;
    }
    q.queued.notify_all();
    if (hook) hook();
}

void reportQueuedException(std::exception_ptr e)
{
    SyncQueue& q = syncQueue();
    std::function<void(std::exception_ptr)> hook;
    {
        std::lock_guard lock(q.mutex);
        hook = q.exceptionHook;
    }
    if (hook) {
        try {
            hook(e);
        } catch (...) {
        }
        return;
    }
    try {
        std::rethrow_exception(e);
    } catch (const std::exception& ex) {
        std::fprintf(stderr, "Exception in a queued call: %s\n", ex.what());
    } catch (...) {
        std::fprintf(stderr, "Exception in a queued call\n");
    }
}

TThreadID idOf(std::thread::id id) { return static_cast<TThreadID>(std::hash<std::thread::id>{}(id)); }

}  // namespace

struct TThread::State {
    std::mutex mutex;
    std::condition_variable done;
    std::thread thread;
    std::atomic<bool> terminated{false};
    std::atomic<bool> cancelSync{false};  // a non-main thread waits for us: no more Synchronize
    bool started = false;
    bool finished = false;
    TThreadID id = 0;
};

TThread::TThread(bool createSuspended) : state_(std::make_shared<State>())
{
    if (!createSuspended) Start();
}

TThread::~TThread()
{
    TThread::BeforeDestruction();
    RemoveQueuedEvents(this);  // calls still queued would run on a freed thread
    if (state_->thread.joinable()) {
        if (state_->thread.get_id() == std::this_thread::get_id())
            state_->thread.detach();  // FreeOnTerminate: we are the worker ourselves
        else
            state_->thread.join();
    }
}

void TThread::BeforeDestruction()
{
    if (Started() && !Finished() && CurrentThreadID() != ThreadID()) {
        Terminate();
        WaitFor();
    }
}

void TThread::Start()
{
    std::lock_guard lock(state_->mutex);
    if (state_->started) throw EThread("Cannot call Start on a running or suspended thread");
    state_->started = true;
    state_->thread = std::thread([this] { run(); });
    state_->id = idOf(state_->thread.get_id());
}

void TThread::run()
{
    std::shared_ptr<State> state = state_;  // outlives `this` when we free ourselves
    try {
        Execute();
    } catch (...) {
        fatalException_ = std::current_exception();
    }
    try {
        DoTerminate();
    } catch (...) {
        if (!fatalException_) fatalException_ = std::current_exception();
    }
    const bool freeIt = freeOnTerminate_;
    {
        std::lock_guard lock(state->mutex);
        state->finished = true;
    }
    state->done.notify_all();
    wakeMain();
    if (freeIt) delete this;
}

void TThread::DoTerminate()
{
    if (onTerminate_) Synchronize([this] { onTerminate_(this); });
}

void TThread::Terminate() { state_->terminated = true; }
bool TThread::Terminated() const { return state_->terminated; }

bool TThread::Finished() const
{
    std::lock_guard lock(state_->mutex);
    return state_->finished;
}

bool TThread::Started() const
{
    std::lock_guard lock(state_->mutex);
    return state_->started;
}

TThreadID TThread::ThreadID() const
{
    std::lock_guard lock(state_->mutex);
    return state_->id;
}

int TThread::WaitFor()
{
    if (!Started()) throw EThread("Cannot wait for a thread that was never started");
    if (CurrentThreadID() == ThreadID()) throw EThread("A thread can not wait for itself");
    if (IsMainThread()) {
        // Serve the worker's Synchronize calls while it finishes. run() sets finished before it
        // wakes the main thread under the queue's lock, so neither wake-up can be missed.
        SyncQueue& q = syncQueue();
        for (;;) {
            {
                std::unique_lock lock(q.mutex);
                q.queued.wait(lock, [&] { return !q.requests.empty() || Finished(); });
            }
            if (Finished()) break;
            CheckSynchronize();
        }
    } else {
        state_->cancelSync = true;
        RemoveQueuedEvents(this);
        std::unique_lock lock(state_->mutex);
        state_->done.wait(lock, [this] { return state_->finished; });
    }
    if (state_->thread.joinable()) state_->thread.join();
    return returnValue_;
}

TThreadID TThread::CurrentThreadID() { return idOf(std::this_thread::get_id()); }
bool TThread::IsMainThread() { return std::this_thread::get_id() == g_mainThread.load(); }
void TThread::SetMainThread() { g_mainThread = std::this_thread::get_id(); }

bool TThread::Synchronize(TThread* thread, const TThreadMethod& method)
{
    if (IsMainThread()) {
        method();
        return true;
    }
    if (thread && thread->state_->cancelSync) return false;
    auto req = std::make_shared<SyncRequest>();
    req->thread = thread;
    req->method = method;
    req->waiting = true;
    SyncQueue& q = syncQueue();
    {
        std::lock_guard lock(q.mutex);
        if (q.closed) return false;
        q.requests.push_back(req);
    }
    wakeMain();
    std::exception_ptr error;
    bool done = false;
    {
        std::unique_lock lock(q.mutex);
        q.finished.wait(lock, [&] { return req->done || req->cancelled; });
        error = std::move(req->error);  // ours alone: the main thread may drop req meanwhile
        done = req->done;
    }
    if (error) std::rethrow_exception(error);
    return done;
}

void TThread::Queue(TThread* thread, const TThreadMethod& method)
{
    if (IsMainThread()) {
        method();
        return;
    }
    auto req = std::make_shared<SyncRequest>();
    req->thread = thread;
    req->method = method;
    SyncQueue& q = syncQueue();
    {
        std::lock_guard lock(q.mutex);
        if (q.closed) return;
        q.requests.push_back(req);
    }
    wakeMain();
}

void TThread::RemoveQueuedEvents(TThread* thread)
{
    SyncQueue& q = syncQueue();
    {
        std::lock_guard lock(q.mutex);
        for (auto it = q.requests.begin(); it != q.requests.end();) {
            if ((*it)->thread == thread) {
                (*it)->cancelled = true;
                it = q.requests.erase(it);
            } else {
                ++it;
            }
        }
    }
    q.finished.notify_all();
}

bool CheckSynchronize(int timeoutMs)
{
    if (!TThread::IsMainThread()) return false;
    SyncQueue& q = syncQueue();
    size_t count = 0;
    {
        std::unique_lock lock(q.mutex);
        if (q.requests.empty() && timeoutMs > 0)
            q.queued.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return !q.requests.empty(); });
        count = q.requests.size();
    }
    bool ran = false;
    // Only what was pending on entry: a call that queues another does not keep us here.
    for (size_t i = 0; i < count; ++i) {
        std::shared_ptr<SyncRequest> req;
        {
            std::lock_guard lock(q.mutex);
            if (q.requests.empty()) break;
            req = q.requests.front();
            q.requests.pop_front();
        }
        ran = true;
        std::exception_ptr error;
        try {
            req->method();
        } catch (...) {
            error = std::current_exception();
        }
        if (req->waiting) {
            {
                std::lock_guard lock(q.mutex);
                req->error = std::move(error);
                req->done = true;
            }
            q.finished.notify_all();
        } else if (error) {
            reportQueuedException(error);
        }
    }
    return ran;
}

void SetSynchronizeWakeHook(std::function<void()> hook)
{
    SyncQueue& q = syncQueue();
    std::lock_guard lock(q.mutex);
    q.wakeHook = std::move(hook);
}

void SetSynchronizeExceptionHook(std::function<void(std::exception_ptr)> hook)
{
    SyncQueue& q = syncQueue();
    std::lock_guard lock(q.mutex);
    q.exceptionHook = std::move(hook);
}

void CloseSynchronize()
{
    SyncQueue& q = syncQueue();
    {
        std::lock_guard lock(q.mutex);
        q.closed = true;
        for (auto& req : q.requests) req->cancelled = true;
        q.requests.clear();
    }
    q.finished.notify_all();
}

void OpenSynchronize()
{
    SyncQueue& q = syncQueue();
    std::lock_guard lock(q.mutex);
    q.closed = false;
}
