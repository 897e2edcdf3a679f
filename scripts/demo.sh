#!/usr/bin/env bash
# Installs what is missing, builds the program, lays out a ready demo installation and starts it there.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/install-deps.sh"
build="${NDLEMO_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)" --target ndlemo-programs gen_batches
demo="${NDLEMO_DEMO_DIR:-$root/demo}"
bash "$root/scripts/make-demo.sh" "$build/bin" "$demo"
exec "$demo/NdLemo"
