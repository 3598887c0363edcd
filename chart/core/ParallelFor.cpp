#include "chart/core/ParallelFor.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/system/ProcessMemory.h"

namespace {

class TParallel;

// One run of ForEachIndex on workers: the shared index counter, the workers, the live count and
// the first failure.
class TParallelGroup {
public:
    TParallelGroup(int first, int last) : counter_(first), last_(last) {}

    void Run(int workerCount, const TZebIndexProc& proc, TThreadPriority priority);

    // Runs the indexes of one worker: its first one, then the next free ones of the range.
    void Work(int firstIndex, const TZebIndexProc& proc);

private:
    // 64 bits, so that stepping past a last index of INT_MAX cannot wrap around.
    std::atomic<std::int64_t> counter_;
    const std::int64_t last_;
    std::vector<TOwnedPtr<TParallel>> workers_;
    std::atomic<int> live_{0};
    std::mutex errorLock_;
    std::exception_ptr firstError_;
};

class TParallel : public TThread {
public:
    TParallel(TParallelGroup& group, int number, int firstIndex, const TZebIndexProc& proc)
        : TThread(true), proc_(proc), index_(firstIndex), number_(number), group_(group)
    {
    }

    int Number() const { return number_; }

protected:
    void Execute() override { group_.Work(index_, proc_); }

private:
    const TZebIndexProc& proc_;
    int index_;
    int number_;
    TParallelGroup& group_;
};

void TParallelGroup::Work(int firstIndex, const TZebIndexProc& proc)
{
    try {
        if (firstIndex <= last_) proc(firstIndex);
        for (std::int64_t index = ++counter_; index <= last_; index = ++counter_) proc(static_cast<int>(index));
    } catch (...) {
        // This worker ends; the others take the remaining indexes. The caller gets the first failure.
        std::lock_guard lock(errorLock_);
        if (!firstError_) firstError_ = std::current_exception();
    }
    --live_;
}

void TParallelGroup::Run(int workerCount, const TZebIndexProc& proc, TThreadPriority priority)
{
    const std::int64_t first = counter_;
    workers_.reserve(static_cast<std::size_t>(workerCount));
    for (int i = 0; i < workerCount; ++i) {
        workers_.emplace_back(new TParallel(*this, i, static_cast<int>(first + i), proc));
        workers_.back()->SetPriority(priority);
    }
    live_ = workerCount;
    counter_ = first + workerCount - 1;
    std::exception_ptr startError;
    for (auto& worker : workers_) {
        try {
            worker->Start();
        } catch (...) {
            startError = std::current_exception();
            break;
        }
    }
    // The workers are freed only after every one of them has returned from its last step. WaitFor
    // sleeps, and on the GUI thread it serves the workers' Synchronize calls meanwhile.
    for (auto& worker : workers_)
        if (worker->Started()) worker->WaitFor();
    workers_.clear();
    if (startError) std::rethrow_exception(startError);
    if (firstError_) std::rethrow_exception(firstError_);
}

}  // namespace

int TZebCPU::ProcessorCount() { return std::max(1u, std::thread::hardware_concurrency()); }

std::int64_t TZebCPU::AllocatedMemory() { return ProcessDataBytes(); }

void TZebCPU::ForEachIndex(int first, int last, int threadCount, const TZebIndexProc& proc, TThreadPriority priority)
{
    if (last < first) return;
    if (threadCount <= 1) {
        for (std::int64_t index = first; index <= last; ++index) proc(static_cast<int>(index));
        return;
    }
    const std::int64_t indexes = static_cast<std::int64_t>(last) - first + 1;
    TParallelGroup group(first, last);
    group.Run(static_cast<int>(std::min<std::int64_t>(threadCount, indexes)), proc, priority);
}
