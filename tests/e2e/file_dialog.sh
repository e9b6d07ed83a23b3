#!/usr/bin/env bash
# "Load File" opens the file dialog over the viewer; a path typed into it is
# loaded, with its own counts and in the layout chosen before, and Cancel
# keeps the graph.
source "$(dirname "$0")/lib.sh"
viewer=$1
start_display

picked="$workdir/picked.rsf"
cp data/Graphs/jhotdraw-mini.rsf "$picked"
start_viewer_drawn "$viewer" data/Graphs/small.rsf

# The value of "# Splines", the value of "Tree Layout", and the picture's
# lower part right of the bar: the rings of the radial tree cross it, while
# the classic tree stays above the middle.
splines_text=100x16+195+165
layout_text=100x16+200+195
lower_picture=670x290+400+461
convert -size 1280x1024 xc:black "$workdir/black.png"
screenshot_changed "$workdir/black.png" "$lower_picture" "$workdir/radial.png" "the picture"
red=$(pixels_of red "$workdir/radial.png" "$lower_picture")
greater "$red" 1000 || fail "no rings in the radial picture's lower part ($red red pixels)"
click_at 250 203
click_at 260 250
screenshot_changed "$workdir/radial.png" "$lower_picture" "$workdir/small.png" "the picture"
red=$(pixels_of red "$workdir/small.png" "$lower_picture")
greater 10 "$red" || fail "\"Classic\" still shows rings ($red red pixels)"

load_in_dialog "$picked"
wait_for_console "Reading $picked ... done!"
# A frame drawn after loading: the dialog (undecorated at the screen's
# corner) no longer covers the bar's title, and "# Splines" has changed.
bar_title=250x14+65+82
for _ in $(seq 120); do
    screenshot "$workdir/loaded.png"
    greater 10 "$(differing_pixels "$workdir/small.png" "$workdir/loaded.png" "$bar_title")" &&
        greater "$(differing_pixels "$workdir/small.png" "$workdir/loaded.png" "$splines_text")" 10 &&
        break
    sleep 0.25
done
changed=$(differing_pixels "$workdir/small.png" "$workdir/loaded.png" "$splines_text")
greater "$changed" 10 || fail "\"# Splines\" kept its value after loading ($changed pixels)"
changed=$(differing_pixels "$workdir/small.png" "$workdir/loaded.png" "$layout_text")
greater 5 "$changed" || fail "loading changed the layout's text ($changed pixels)"
red=$(pixels_of red "$workdir/loaded.png" "$lower_picture")
greater 10 "$red" || fail "the loaded graph is not drawn as a classic tree ($red red pixels)"
# The tree is drawn above the leaf line and the curves, which follow the
# classic node positions, bundle below it.
upper_picture=670x289+400+119
red=$(pixels_of red "$workdir/loaded.png" "$upper_picture")
greater "$red" 1000 || fail "no classic tree after loading ($red red pixels)"
curves=$(pixels_of ramp "$workdir/loaded.png" "$lower_picture")
greater "$curves" 1000 || fail "no curves below the leaf line after loading ($curves pixels)"
curves=$(pixels_of ramp "$workdir/loaded.png" "$upper_picture")
greater 10 "$curves" || fail "curves above the leaf line after loading ($curves pixels)"

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
