#pragma once
// What the fuzz targets share: a finding aborts with its reason, so that libFuzzer keeps the input.
#include <cstdio>
#include <cstdlib>

namespace tv_fuzz {

[[noreturn]] inline void Finding(const char* what, const char* detail)
{
    std::fprintf(stderr, "fuzz finding: %s: %s\n", what, detail);
    std::abort();
}

}  // namespace tv_fuzz
