#!/usr/bin/env bash
# Installs what is missing, builds the programs and lays out (or upgrades) the installation directory DIR with
# `cmake --install`: the programs beside their settings and work directories, and a desktop entry.
# An upgrade replaces the programs only; settings, packages and work files stay.
# Usage: install.sh [--system-entry | --no-entry] DIR
#   (default) the desktop entry for the user; --system-entry: for every user (as root); --no-entry: none
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
usage() {
    echo "usage: $0 [--system-entry | --no-entry] DIR" >&2
    exit 2
}
entry=user
case "${1:-}" in
--system-entry) entry=system; shift ;;
--no-entry) entry=none; shift ;;
-*) usage ;;
esac
[ $# -eq 1 ] && [ -n "$1" ] || usage
mkdir -p -- "$1"
dir=$(cd -- "$1" && pwd)

bash "$root/scripts/install-deps.sh"
build="${NDLEMO_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)" --target ndlemo-programs
NDLEMO_DESKTOP_ENTRY=$entry cmake --install "$build" --prefix "$dir"
