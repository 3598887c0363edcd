#!/bin/sh
# Builds the component-stream fuzz target with clang (libFuzzer + ASan/UBSan) and runs it for a
# bounded number of inputs, seeded with the test fixtures. Exit status non-zero on a finding.
# Usage: run.sh [runs]   (default 20000). TV_FUZZ_WORK: directory to keep the build and corpus.
set -eu
runs=${1:-20000}
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ -n "${TV_FUZZ_WORK:-}" ]; then
    work=$TV_FUZZ_WORK
else
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
fi
mkdir -p "$work/corpus" "$work/obj"
cp "$root"/tests/platform/classes/data/sample.bin "$root"/tests/platform/classes/data/sample.txt "$work/corpus/"
flags="-std=c++20 -O1 -g -fsanitize=fuzzer-no-link,address,undefined -I$root"
jobs=$(nproc 2>/dev/null || echo 4)
# Compile in parallel; the object name is the source path with '/' turned into '_'.
for src in "$root"/platform/classes/*.cpp "$root"/platform/rtl/*.cpp \
           "$root"/tests/platform/classes/SampleClasses.cpp "$root"/fuzz/classes/fuzz_streams.cpp; do
    echo "$src"
done | xargs -P "$jobs" -I{} sh -c 'o=$(echo "{}" | tr "/" "_"); clang++ '"$flags"' -c "{}" -o "'"$work"'/obj/$o.o"'
clang++ -fsanitize=fuzzer,address,undefined "$work"/obj/*.o -lpthread -o "$work/fuzz_streams"
cd "$work"
./fuzz_streams -runs="$runs" -max_len=4096 -timeout=10 -rss_limit_mb=2048 -seed=1 corpus
