#!/usr/bin/env bash
# The viewer opens its window on the default graph, prints the three progress
# lines and draws the frame-rate text; a path argument replaces the default;
# a missing file leaves an empty scene and says so.
source "$(dirname "$0")/lib.sh"
viewer=$1
start_display

start_viewer "$viewer"
wait_for_console "Building Splines ... done!"
viewer_window >/dev/null
sleep 1
screenshot "$workdir/default.png"
expect_console "${effect_report}Reading data/Graphs/jhotdraw-mini.rsf ... done!
Building Tree Layouts ... done!
Building Splines ... done!
"
# The white "FPS" text sits 50 pixels above the bottom left of the window,
# 1024x768 as config.txt sets it, placed at (50, 50).
white=$(colour_fraction "$workdir/default.png" white 120x40+95+743)
greater "$white" 0.02 || fail "no frame-rate text in the window (white fraction $white)"
kill "$viewer_pid"; wait "$viewer_pid" 2>/dev/null || true

start_viewer "$viewer" data/Graphs/small.rsf
wait_for_console "Building Splines ... done!"
expect_console "${effect_report}Reading data/Graphs/small.rsf ... done!
Building Tree Layouts ... done!
Building Splines ... done!
"
kill "$viewer_pid"; wait "$viewer_pid" 2>/dev/null || true

start_viewer "$viewer" data/Graphs/missing.rsf
wait_for_console "data/Graphs/missing.rsf: cannot open the file (No such file or directory)"
viewer_window >/dev/null
kill -0 "$viewer_pid" || fail "the viewer ended after a missing file"
expect_console "${effect_report}Reading data/Graphs/missing.rsf ... failed!
data/Graphs/missing.rsf: cannot open the file (No such file or directory)
"
echo "startup: ok"
