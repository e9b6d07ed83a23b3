#!/usr/bin/env bash
# Configures and builds hebview in build/ (optimised): the targets named, or
# everything, tests included. With --progress the build shows how far it has
# come on one line, and its full output only when it fails.
set -euo pipefail
cd "$(dirname "$0")/.."
progress=false
if [ "${1:-}" = --progress ]; then
    progress=true
    shift
fi
targets=()
for target in "$@"; do
    targets+=(--target "$target")
done
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
if ! $progress; then
    cmake --build build "${targets[@]}"
    exit 0
fi
log=$(mktemp)
trap 'rm -f "$log"' EXIT
# Ninja numbers its steps "[done/total]"; each one rewrites the line. Its
# step 0, re-checking the sources, is no building.
if ! cmake --build build "${targets[@]}" 2>&1 | tee "$log" |
    awk -F'[][/]' '/^\[[0-9]+\/[0-9]+\]/ && $2 > 0 { printf "\rBuilding: %d of %d steps", $2, $3; shown = 1; fflush() }
                   /^ninja: no work to do/ { idle = 1 }
                   END { if (shown) print ""; else if (idle) print "Building: up to date" }'; then
    cat "$log" >&2
    exit 1
fi
