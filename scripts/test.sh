#!/usr/bin/env bash
# Installs what is missing, checks the sources' layering and format, builds everything with warnings as
# errors and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
bash "$root/scripts/check-layers.sh"
# Every source as .clang-format lays it out.
(cd "$root" && find src tests bench fuzz -type f \( -name '*.h' -o -name '*.cpp' \) -print0 |
    xargs -0 clang-format --dry-run --Werror)
build="${NDLEMO_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNDLEMO_WERROR=ON
# Widget tests (and their listing at build time) run without a display.
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"
cmake --build "$build" -j"$(nproc)"
# A short fuzzing run of the batch reader (sanitizers on), which fails on any crash it finds;
# before the tests, so that their summary closes the output.
NDLEMO_FUZZ_BUILD_DIR="${NDLEMO_FUZZ_BUILD_DIR:-$root/build-fuzz}" bash "$root/fuzz/run_fuzz.sh" 60
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
