#!/usr/bin/env bash
# Builds the fuzz targets of the chart files and the workbook readers with clang (libFuzzer with
# ASan/UBSan, in build/fuzz or $TV_FUZZ_BUILD), makes their seeds with the project's own writers
# (and the damaged workbooks of the tests) and runs one target for a bounded number of inputs.
# Exit status non-zero on a finding; the input that found it is left in the work folder.
# Usage: run.sh <chart_file|xls|xlsx> [runs] (default 5000). TV_FUZZ_WORK: folder to keep the
# corpus in (default: a temporary one); TV_FUZZ_JOBS: parallel compile jobs (default: all cores);
# TV_FUZZ_WORKERS: fuzzing processes (default 1).
set -euo pipefail
target=${1:?usage: run.sh <chart_file|xls|xlsx> [runs]}
runs=${2:-5000}
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/common.sh"
build=${TV_FUZZ_BUILD:-$root/build/fuzz}
if [ -n "${TV_FUZZ_WORK:-}" ]; then
    work=$TV_FUZZ_WORK
else
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
fi
case $target in chart_file | xls | xlsx) ;; *) echo "unknown target $target" >&2; exit 2 ;; esac

configure "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTV_FUZZ=ON -DTV_TESTS=OFF -DTV_BENCH=OFF
cmake --build "$build" -j "${TV_FUZZ_JOBS:-$JOBS}" --target "fuzz_$target" make_fuzz_seeds >/dev/null

mkdir -p "$work/corpus" "$work/seeds"
export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS=suppressions=$root/fuzz/lsan.supp
# Two frames of each allocation's stack, not thirty: the bookkeeping took a tenth of each run, and
# two still name the library the suppressions match. A finding replays with full stacks in the suite.
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=2}
"$build/fuzz/make_fuzz_seeds" "$target" "$work/seeds"
# The damaged workbooks of the reader's tests, some found by fuzzing.
if [ "$target" = xls ]; then cp "$root"/tests/platform/system/data/damaged/*.xls "$work/seeds/"; fi
cd "$work"
workers=${TV_FUZZ_WORKERS:-1}
# The entropic scheduler weighs every feature of every input: with the chart engine's hundreds of
# thousands of edges that took half of each run (profiled); the plain scheduler is thrice as fast.
flags="-entropic=0 -max_len=65536 -timeout=20 -rss_limit_mb=2048 -seed=1 -print_final_stats=1"
if [ "$workers" -gt 1 ]; then
    # Each worker runs its share of the inputs (libFuzzer counts runs per worker).
    exec "$build/fuzz/fuzz_$target" -runs=$((runs / workers)) -workers="$workers" -jobs="$workers" $flags corpus seeds
fi
exec "$build/fuzz/fuzz_$target" -runs="$runs" $flags corpus seeds
