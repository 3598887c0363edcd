#include "HeapCount.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {
std::int64_t liveBytes = 0;
std::int64_t peakBytes = 0;
constexpr std::size_t headerSize = alignof(std::max_align_t);
}  // namespace

std::int64_t HeapLiveBytes() { return liveBytes; }
std::int64_t HeapPeakBytes() { return peakBytes; }
void ResetHeapPeak() { peakBytes = liveBytes; }

void* operator new(std::size_t size)
{
    void* block = std::malloc(size + headerSize);
    if (!block) throw std::bad_alloc();
    *static_cast<std::size_t*>(block) = size;
    liveBytes += static_cast<std::int64_t>(size);
    peakBytes = std::max(peakBytes, liveBytes);
    return static_cast<char*>(block) + headerSize;
}

void operator delete(void* p) noexcept
{
    if (!p) return;
    void* block = static_cast<char*>(p) - headerSize;
    liveBytes -= static_cast<std::int64_t>(*static_cast<std::size_t*>(block));
    std::free(block);
}

void operator delete(void* p, std::size_t) noexcept { operator delete(p); }
