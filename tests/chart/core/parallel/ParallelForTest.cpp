#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "chart/core/ParallelFor.h"

namespace {

// How often each index of a range was called (from any thread).
class CallCounts {
public:
    CallCounts(int first, int last) : first_(first), counts_(static_cast<std::size_t>(last - first + 1)) {}
    void Call(int index) { ++counts_.at(static_cast<std::size_t>(index - first_)); }
    std::vector<int> Counts() const
    {
        std::vector<int> result;
        for (const auto& count : counts_) result.push_back(count.load());
        return result;
    }

private:
    int first_;
    std::vector<std::atomic<int>> counts_;
};

}  // namespace

TEST(ParallelFor, EveryIndexOnceWhateverTheWorkers)
{
    struct Case {
        int first, last, threads;
    };
    const Case cases[] = {
        {0, 2, 8},     // fewer indexes than workers
        {5, 9, 1},     // in the calling thread
        {5, 9, 2},     //
        {5, 9, 5},     //
        {5, 9, 8},     //
        {-3, 200, 4},  // many indexes per worker
        {7, 7, 3},     // a single index
    };
    for (const Case& c : cases) {
        CallCounts calls(c.first, c.last);
        TZebCPU::ForEachIndex(c.first, c.last, c.threads, [&](int index) { calls.Call(index); });
        EXPECT_EQ(calls.Counts(), std::vector<int>(static_cast<std::size_t>(c.last - c.first + 1), 1))
            << c.first << ".." << c.last << " on " << c.threads;
    }
}

TEST(ParallelFor, OneThreadRunsInOrderInTheCaller)
{
    std::vector<int> order;
    const auto caller = std::this_thread::get_id();
    bool elsewhere = false;
    TZebCPU::ForEachIndex(5, 9, 1, [&](int index) {
        order.push_back(index);
        elsewhere = elsewhere || std::this_thread::get_id() != caller;
    });
    EXPECT_EQ(order, (std::vector<int>{5, 6, 7, 8, 9}));
    EXPECT_FALSE(elsewhere);
}

TEST(ParallelFor, NothingForALastIndexBelowTheFirst)
{
    for (int threads : {1, 4}) {
        int calls = 0;
        TZebCPU::ForEachIndex(9, 5, threads, [&](int) { ++calls; });
        EXPECT_EQ(calls, 0);
    }
}

TEST(ParallelFor, WorkersRunAtTheSameTime)
{
    // Each call waits for the other: done only when two workers run side by side.
    std::mutex lock;
    std::condition_variable arrived;
    int present = 0;
    bool together = true;
    TZebCPU::ForEachIndex(0, 1, 2, [&](int) {
        std::unique_lock guard(lock);
        ++present;
        arrived.notify_all();
        if (!arrived.wait_for(guard, std::chrono::seconds(10), [&] { return present == 2; })) together = false;
    });
    EXPECT_TRUE(together);
}

TEST(ParallelFor, AFailureReachesTheCallerAfterEveryWorkerEnded)
{
    CallCounts calls(0, 99);
    std::atomic<bool> slowDone{false};
    const auto run = [&] {
        TZebCPU::ForEachIndex(0, 99, 4, [&](int index) {
            calls.Call(index);
            if (index == 4) throw std::runtime_error("index 4 failed");
            if (index == 1) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                slowDone = true;
            }
        });
    };
    try {
        run();
        ADD_FAILURE() << "the failure was swallowed";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "index 4 failed");
    }
    EXPECT_TRUE(slowDone);  // the caller waited for the slow worker
    // The failed worker stopped; the others took its remaining indexes.
    EXPECT_EQ(calls.Counts(), std::vector<int>(100, 1));

    // In the calling thread the failure ends the loop at once.
    int last = -1;
    EXPECT_THROW(TZebCPU::ForEachIndex(0, 9, 1,
                                       [&](int index) {
                                           last = index;
                                           if (index == 3) throw std::runtime_error("stop");
                                       }),
                 std::runtime_error);
    EXPECT_EQ(last, 3);
}

TEST(ParallelFor, WorkersMaySynchronizeWithTheWaitingMainThread)
{
    TThread::SetMainThread();
    std::atomic<int> onMain{0};
    const auto main = std::this_thread::get_id();
    TZebCPU::ForEachIndex(0, 7, 3, [&](int) {
        TThread::Synchronize(nullptr, [&] {
            if (std::this_thread::get_id() == main) ++onMain;
        });
    });
    EXPECT_EQ(onMain, 8);
}

TEST(ParallelFor, ProcessorsAndMemory)
{
    EXPECT_GE(TZebCPU::ProcessorCount(), 1);
    EXPECT_GT(TZebCPU::AllocatedMemory(), 0);
}
