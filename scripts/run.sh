#!/usr/bin/env bash
# Installs what is missing, builds, and starts the viewer on the default graph.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh >/dev/null
if ! xdpyinfo >/dev/null 2>&1; then
    echo "hebview: no display to open a window on (DISPLAY='${DISPLAY:-}'); run it on a desktop" >&2
    exit 1
fi
exec build/hebview "$@"
