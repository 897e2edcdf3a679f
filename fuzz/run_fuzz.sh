#!/bin/sh
# Builds the fuzz targets in their own build directory and runs the reader's target for N seconds (default 60)
# with one worker. New inputs go to a working corpus in the build directory; the seeds in fuzz/corpus stay as
# they are. A crash leaves its input under the build directory's fuzz-artifacts/ and ends with a non-zero status.
set -eu

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NDLEMO_FUZZ_BUILD_DIR:-$root/build-fuzz}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DNDLEMO_FUZZ=ON -DNDLEMO_BUILD_GUI=OFF -DNDLEMO_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target fuzz_nacti -j1

mkdir -p "$build/fuzz-corpus" "$build/fuzz-artifacts"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export ASAN_OPTIONS=detect_leaks=1
exec "$build/bin/fuzz_nacti" -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
    -dict="$root/fuzz/nacti.dict" -artifact_prefix="$build/fuzz-artifacts/" -print_final_stats=1 \
    "$build/fuzz-corpus" "$root/fuzz/corpus"
