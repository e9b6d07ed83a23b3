#!/usr/bin/env bash
# Installs what is missing, builds, and starts the viewer on the default graph.
# Without a display it draws the same picture headless into a PNG instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh >/dev/null
if ! xdpyinfo >/dev/null 2>&1; then
    picture=build/hebview.png
    echo "hebview: no display to open a window on (DISPLAY='${DISPLAY:-}'); drawing the default graph into $picture instead"
    build/tools/hebview-render -o "$picture" "$@"
    echo "hebview: the picture is $(pwd)/$picture"
    exit 0
fi
exec build/hebview "$@"
