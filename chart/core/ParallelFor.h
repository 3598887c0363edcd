#pragma once
// Spreads the indexes of a loop over worker threads and waits for them (the clustering tool's
// distance computations, the axis panel's series). Chart drawing stays on the GUI thread.
#include <cstdint>
#include <functional>

#include "platform/classes/Threads.h"

// Called once per index; concurrently for different indexes on several workers, so it must only
// touch data of its own index.
using TZebIndexProc = std::function<void(int index)>;

class TZebCPU {
public:
    TZebCPU() = delete;

    // The processors this process may run on.
    static int ProcessorCount();
    // Bytes the process has allocated on its heap.
    static std::int64_t AllocatedMemory();
    // Calls proc for every index from first to last (none when last < first) and returns when the
    // last call has finished. A threadCount of 1 or less runs the calls in the calling thread in
    // ascending order; a larger count hands them to that many workers (at most one per index). The caller sleeps while
    // it waits (on the GUI thread it keeps serving the workers' Synchronize calls); the first exception a call raised
    // is raised again in the caller once every worker has ended, the other workers taking the remaining indexes
    // meanwhile.
    static void ForEachIndex(int first, int last, int threadCount, const TZebIndexProc& proc,
                             TThreadPriority priority = tpNormal);
};
