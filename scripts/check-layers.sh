#!/usr/bin/env bash
# Checks the layering of the sources by their #include lines:
# - outside a ui/ folder no file includes a Qt Widgets (or Print Support) header; the program entry
#   src/main.cpp, which wires the window, is the one exception;
# - src/platform includes nothing of ours but itself, src/support nothing but itself and src/platform;
# - src/batch includes nothing from src/invoice, src/transfer, src/reports or src/app.
# Prints every offending include and fails when there is one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

qt_headers=$(find /usr/include -maxdepth 3 -type d \( -name QtWidgets -o -name QtPrintSupport \) 2>/dev/null | head -2)
if [ -z "$qt_headers" ]; then
    echo "check-layers: no Qt Widgets headers found (is qt6-base-dev installed?)" >&2
    exit 1
fi
widget_names=$(find $qt_headers -maxdepth 1 -type f -printf '%f\n' | sort -u)

failed=0
report() {
    echo "$1: $2" >&2
    failed=1
}

while IFS= read -r -d '' file; do
    case "$file" in
    */ui/* | src/main.cpp) ;;
    *)
        while IFS= read -r hit; do
            header=$(sed -E 's/^[0-9]+:[[:space:]]*#[[:space:]]*include[[:space:]]*<([^>]+)>.*/\1/' <<<"$hit")
            base=${header##*/}
            if [[ "$header" == QtWidgets/* || "$header" == QtPrintSupport/* ]] || grep -qxF "$base" <<<"$widget_names"; then
                report "$file:${hit%%:*}" "includes the Qt Widgets header <$header> outside a ui/ folder"
            fi
        done < <(grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<Q' "$file" || true)
        ;;
    esac
done < <(find src tests bench fuzz -type f \( -name '*.h' -o -name '*.cpp' \) -print0)

# A folder and the folders of ours it must not include.
check_folder() {
    local folder=$1
    shift
    local pattern
    pattern=$(printf '|%s/' "$@")
    pattern="^[[:space:]]*#[[:space:]]*include[[:space:]]*\"(${pattern:1})"
    while IFS= read -r hit; do
        report "${hit%%:[[:space:]]#*}" "includes ${hit#*#include } from a folder above src/$folder"
    done < <(grep -rnE "$pattern" "src/$folder" --include='*.h' --include='*.cpp' | sed -E 's/^([^:]+:[0-9]+):/\1: /' || true)
}
check_folder platform support batch invoice transfer reports app tools
check_folder support batch invoice transfer reports app tools
check_folder batch invoice transfer reports app tools

if [ "$failed" -ne 0 ]; then
    echo "check-layers: the includes above break the layering" >&2
    exit 1
fi
echo "check-layers: ok"
