#!/usr/bin/env bash
# Lays out a demo installation: the program with its settings in upload mode and the directories they name.
# Usage: make-demo.sh BIN_DIR DEMO_DIR
set -euo pipefail
bin=$1
demo=$2
mkdir -p "$demo"
cp -f "$bin/NdLemo" "$bin/ndlemo-check" "$demo/"
