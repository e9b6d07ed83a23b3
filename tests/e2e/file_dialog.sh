#!/usr/bin/env bash
# "Load File" opens the file dialog over the viewer; a path typed into it is
# loaded, and Cancel keeps the graph.
source "$(dirname "$0")/lib.sh"
viewer=$1
start_display

picked="$workdir/picked.rsf"
cp data/Graphs/small.rsf "$picked"
start_viewer "$viewer" data/Graphs/small.rsf
wait_for_console "Building Splines ... done!"
viewer_window >/dev/null
sleep 1

# Waits for the dialog and gives it the keyboard.
open_dialog() {
    click_at 188 121
    local dialog
    dialog=$(timeout 20 xdotool search --sync --onlyvisible --name '^Load File$' | head -n1) ||
        fail "no file dialog; console: $(cat "$workdir/console")"
    xdotool mousemove 5 5 windowfocus --sync "$dialog"
    sleep 0.5
}

open_dialog
xdotool key ctrl+l
sleep 0.3
xdotool type --delay 20 "$picked"
sleep 0.3
xdotool key Return
wait_for_console "Reading $picked ... done!"
wait_for_console "Building Splines ... done!"
sleep 0.5

lines=$(wc -l <"$workdir/console")
open_dialog
xdotool key Escape
sleep 2
kill -0 "$viewer_pid" 2>/dev/null || fail "the viewer ended after Cancel"
[ "$(wc -l <"$workdir/console")" = "$lines" ] || fail "Cancel changed something: $(cat "$workdir/console")"
expect_console "${effect_report}Reading data/Graphs/small.rsf ... done!
Building Tree Layouts ... done!
Building Splines ... done!
Reading $picked ... done!
Building Tree Layouts ... done!
Building Splines ... done!
"
echo "file_dialog: ok"
