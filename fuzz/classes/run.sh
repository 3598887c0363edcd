#!/bin/sh
# Builds the component-stream fuzz target with clang (libFuzzer + ASan/UBSan) and runs it for a
# bounded number of inputs, seeded with the test fixtures.
# Usage: run.sh [runs]   (default 20000)
set -eu
runs=${1:-20000}
root=$(cd "$(dirname "$0")/../.." && pwd)
work=${TV_FUZZ_WORK:-$(mktemp -d)}
mkdir -p "$work/corpus"
cp "$root"/tests/platform/classes/data/sample.bin "$root"/tests/platform/classes/data/sample.txt "$work/corpus/"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -I"$root" \
    "$root"/fuzz/classes/fuzz_streams.cpp \
    "$root"/platform/classes/*.cpp "$root"/platform/rtl/*.cpp \
    "$root"/tests/platform/classes/SampleClasses.cpp \
    -lpthread -o "$work/fuzz_streams"
"$work/fuzz_streams" -runs="$runs" -max_len=4096 -timeout=10 -rss_limit_mb=1024 -seed=1 "$work/corpus"
