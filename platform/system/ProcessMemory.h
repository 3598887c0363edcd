#pragma once
// What the running process holds in memory.
#include <cstdint>

// Bytes of the process's data segment, its heap among it; 0 when the system does not tell.
std::int64_t ProcessDataBytes();
