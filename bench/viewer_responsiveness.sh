#!/usr/bin/env bash
# The longest stall of the viewer's event loop while a graph the size of
# Debian's packages (65,113 nodes, 245,210 relations) loads, its layout
# switches from radial to classic and "Beta" steps down twice, all while
# frames are being drawn. Run from the repository root after a build:
#   bench/viewer_responsiveness.sh [build]
source "$(dirname "$0")/../tests/e2e/lib.sh"
build=${1:-build}
graph=bench-data/debian-sized.rsf
mkdir -p bench-data
[ -e "$graph" ] || "$build/tools/hebview-graphgen" --nodes 65113 --depth 4 --fan-out 16 \
    --relations 245210 --locality 0.5 --seed 2 -o "$graph"
start_display
HEBVIEW_STALL_REPORT=1 start_viewer "$build/app/hebview" "$graph"
wait_for_console "Building Splines ... done!" 120
viewer_window >/dev/null
sleep 2
# "Tree Layout": open its list, take "Classic", the second entry.
click_at 250 203
click_at 260 246
# "Beta" under the pointer, two steps down.
xdotool mousemove 254 311
sleep 0.5
press_key Left
press_key Left
sleep 5
press_key Escape
viewer_status >/dev/null
grep "Longest stall" "$workdir/console"
