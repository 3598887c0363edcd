#pragma once
// Heap bytes of the process, counted by replaced global allocation functions (HeapCount.cpp,
// linked into the benchmarks that read them).
#include <cstdint>

std::int64_t HeapLiveBytes();
// The most live bytes since the last reset.
std::int64_t HeapPeakBytes();
void ResetHeapPeak();
