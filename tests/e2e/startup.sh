#!/usr/bin/env bash
# The README's first command, scripts/run.sh, opens the viewer's window on the
# default graph; the viewer prints the three progress lines and draws the
# frame-rate text; a path argument replaces the default; a graph loaded with
# "Load File" is drawn as a viewer started on it draws it; a missing file
# leaves an empty scene and says so; --compare shows two versions' changes.
source "$(dirname "$0")/lib.sh"
viewer=$1
start_display

# The picture right of the panel, clear of the frame-rate and progress texts,
# of the 1024x768 window that config.txt sets, placed at (50, 50).
picture=675x760+396+55
xdotool mousemove 5 5
start_viewer scripts/run.sh
wait_for_console "Building Splines ... done!" 300
viewer_window >/dev/null
screenshot_settled "$workdir/default.png" "$picture"
tail -n 5 "$workdir/console" >"$workdir/run-console"
diff <(printf '%s' "${effect_report}Reading data/Graphs/jhotdraw-mini.rsf ... done!
Building Tree Layouts ... done!
Building Splines ... done!
") "$workdir/run-console" >&2 || fail "scripts/run.sh: the console differs from the expected text"
# Everything is built before the tests run.
grep -qxF "Building: up to date" "$workdir/console" ||
    fail "scripts/run.sh with nothing to build did not say so: $(head -n 5 "$workdir/console")"
red=$(pixels_of red "$workdir/default.png" "$picture")
greater "$red" 1000 || fail "scripts/run.sh: no radial tree in the window ($red red pixels)"
# The white "FPS" text sits 50 pixels above the bottom left of the window.
white=$(colour_fraction "$workdir/default.png" white 120x40+95+743)
greater "$white" 0.02 || fail "no frame-rate text in the window (white fraction $white)"
kill "$viewer_pid"; wait "$viewer_pid" 2>/dev/null || true

start_viewer "$viewer" data/Graphs/small.rsf
wait_for_console "Building Splines ... done!"
viewer_window >/dev/null
screenshot_settled "$workdir/small.png" "$picture"
# Nothing changed since the start-up load: the loaded graph's curves must
# still be drawn, not the last graph's.
load_in_dialog "$PWD/data/Graphs/jhotdraw-mini.rsf"
wait_for_console "Reading $PWD/data/Graphs/jhotdraw-mini.rsf ... done!"
screenshot_changed "$workdir/small.png" "$picture" "$workdir/loaded.png" "the picture after loading"
screenshot_settled "$workdir/loaded.png" "$picture"
changed=$(differing_pixels "$workdir/default.png" "$workdir/loaded.png" "$picture")
greater 50 "$changed" ||
    fail "after loading, the picture is not that of a viewer started on the graph ($changed pixels differ)"
expect_console "${effect_report}Reading data/Graphs/small.rsf ... done!
Building Tree Layouts ... done!
Building Splines ... done!
Reading $PWD/data/Graphs/jhotdraw-mini.rsf ... done!
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

# Two versions compared from the command line: both reading lines, then the
# summary, and the changes in bluish green and vermillion.
start_viewer "$viewer" --compare data/Graphs/jhotdraw-mini.rsf data/Graphs/jhotdraw-mini-next.rsf
wait_for_console "Compared: 13 added, 16 removed, 1625 kept relations; 3 added, 4 removed nodes"
viewer_window >/dev/null
screenshot_settled "$workdir/compared.png" "$picture"
expect_console "${effect_report}Reading data/Graphs/jhotdraw-mini.rsf ... done!
Reading data/Graphs/jhotdraw-mini-next.rsf ... done!
Building Tree Layouts ... done!
Building Splines ... done!
Compared: 13 added, 16 removed, 1625 kept relations; 3 added, 4 removed nodes
"
for colour in '#009E73' '#882255'; do
    share=$(colour_fraction "$workdir/compared.png" "$colour" "$picture")
    greater "$share" 0.003 || fail "--compare: few curves in $colour ($share)"
done
kill "$viewer_pid"; wait "$viewer_pid" 2>/dev/null || true

# Without a display, scripts/run.sh draws the picture headless instead.
headless=$(DISPLAY= scripts/run.sh 2>&1) || fail "scripts/run.sh without a display: $headless"
grep -qxF "hebview: the picture is $PWD/build/hebview.png" <<<"$headless" ||
    fail "scripts/run.sh without a display named no picture: $headless"
echo "startup: ok"
