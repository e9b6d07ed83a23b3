#!/usr/bin/env bash
# Exploring small.rsf: hovering the leaf a1 highlights its relations and
# moving away lets go; Control+click collapses and expands a node; a click
# pins a1; the wheel zooms about the pointer;
# a rejected file shows its message on screen while the picture stays, until
# a load succeeds.
source "$(dirname "$0")/lib.sh"
viewer=$1
start_display

# Refused, with a message that quotes a token of 16,500 digits: shortened,
# it fits the banner.
bad="$workdir/long.rsf"
digits=$(head -c 16500 /dev/zero | tr '\0' 7)
printf 'HierarchyElements 2\nRoot 0\nPCR 0 %s\n' "$digits" >"$bad"
start_viewer "$viewer" data/Graphs/small.rsf
wait_for_console "Building Splines ... done!"
window=$(viewer_window)
for _ in $(seq 50); do
    title=$(xdotool getwindowname "$window")
    [ "$title" = "hebview — small.rsf" ] && break
    sleep 0.2
done
[ "$title" = "hebview — small.rsf" ] || fail "the window's title is '$title'"

# In the 1024 by 768 window at (50, 50) the radial layout, fitted right of
# the bar, puts the leaf a1 at (784, 149) and b1 at (784, 619); the curve of
# a1 -> b1 runs down through the middle.
a1_x=834
a1_y=199
curve_region=123x395+770+229
away_x=1000
away_y=780
convert -size 1280x1024 xc:black "$workdir/black.png"
xdotool mousemove "$away_x" "$away_y"
screenshot_changed "$workdir/black.png" "$curve_region" "$workdir/plain.png" "the picture"
sleep 1
screenshot "$workdir/plain.png"

# Waits until the region differs from the plain picture by more (or, with
# "back", by fewer) than the given number of pixels.
wait_for_difference() {
    local file=$1 region=$2 bound=$3 direction=${4:-more}
    local changed
    for _ in $(seq 60); do
        screenshot "$file"
        changed=$(differing_pixels "$workdir/plain.png" "$file" "$region")
        if [ "$direction" = more ]; then greater "$changed" "$bound" && return 0; else greater "$bound" "$changed" && return 0; fi
        sleep 0.25
    done
    echo "$changed"
    return 1
}

xdotool mousemove "$a1_x" "$a1_y"
changed=$(wait_for_difference "$workdir/hover.png" "$curve_region" 300) ||
    fail "hovering a1 did not change its curves ($changed pixels)"
orange=$(colour_fraction "$workdir/hover.png" "#E69F00" "$curve_region")
plain_orange=$(colour_fraction "$workdir/plain.png" "#E69F00" "$curve_region")
greater "$orange" "$plain_orange" || fail "no orange relation leaving a1 ($orange against $plain_orange)"
# The tree overlay (its links grey-blue in the window) dims under the
# highlight, whose curves are then the brightest thing drawn: the picture's
# lower left, clear of the tooltip.
picture=670x740+400+60
lower_left=330x300+400+434
overlay=$(colour_fraction "$workdir/plain.png" "rgb(57,57,72)" "$lower_left")
dimmed=$(colour_fraction "$workdir/hover.png" "rgb(57,57,72)" "$lower_left")
greater "$overlay" "$(awk -v d="$dimmed" 'BEGIN { print 2 * d }')" ||
    fail "the overlay did not dim under the highlight ($overlay, then $dimmed)"

xdotool mousemove "$away_x" "$away_y"
changed=$(wait_for_difference "$workdir/away.png" "$curve_region" 30 back) ||
    fail "moving away did not let the highlight go ($changed pixels)"

# Control+click on A, the parent of a1, a2 and a3 (at (844, 319) inside the
# rings), collapses it: A moves out onto the leaf circle at (922, 287), its
# leaves' curves gather there; Control+click on it there expands it again.
whole_picture=670x740+400+60
control_click_at 894 369
xdotool mousemove "$away_x" "$away_y"
changed=$(wait_for_difference "$workdir/collapsed.png" "$whole_picture" 1000) ||
    fail "Control+click did not collapse A ($changed pixels)"
# The nodes move for a while: the picture they settle in.
screenshot_settled "$workdir/collapsed.png" "$whole_picture"
# No curve ends at a1 any more: its relations end at A.
at_a1=24x24+$((a1_x - 12))+$((a1_y - 2))
before=$(pixels_of ramp "$workdir/plain.png" "$at_a1")
after=$(pixels_of ramp "$workdir/collapsed.png" "$at_a1")
greater "$before" 20 && greater 5 "$after" ||
    fail "curves still end at a1 once A is collapsed ($before, then $after pixels)"
control_click_at 972 337
xdotool mousemove "$away_x" "$away_y"
changed=$(wait_for_difference "$workdir/expanded.png" "$whole_picture" 30 back) ||
    fail "Control+click on the collapsed A did not expand it ($changed pixels)"

click_at "$a1_x" "$a1_y"
xdotool mousemove "$away_x" "$away_y"
sleep 1.5
screenshot "$workdir/pinned.png"
changed=$(differing_pixels "$workdir/plain.png" "$workdir/pinned.png" "$curve_region")
greater "$changed" 300 || fail "the click did not pin a1 ($changed pixels)"

# Two wheel steps up at a1: the picture grows by 1.5625 about the pointer,
# so a1 and its white mark stay under it while the rest moves away.
mark=24x24+$((a1_x - 12))+$((a1_y - 12))
xdotool mousemove "$a1_x" "$a1_y"
sleep 0.3
xdotool click 4
sleep 0.2
xdotool click 4
xdotool mousemove "$away_x" "$away_y"
sleep 2
screenshot "$workdir/zoomed.png"
changed=$(differing_pixels "$workdir/pinned.png" "$workdir/zoomed.png" "$picture")
greater "$changed" 20000 || fail "the wheel did not zoom ($changed pixels)"
white=$(colour_fraction "$workdir/zoomed.png" white "$mark")
greater "$white" 0.05 || fail "a1's mark left the pointer when zooming ($white)"

load_in_dialog "$bad"
wait_for_console "$bad:3: node id ${digits:0:80}... (16500 bytes) is out of range 0..1"
# The banner sits at the top of the picture, clear of the bar, once the
# dialog has gone from over it.
for _ in $(seq 50); do
    sleep 0.2
    screenshot "$workdir/rejected.png"
    banner=$(colour_fraction "$workdir/rejected.png" "#991414" 500x40+487+60)
    greater "$banner" 0.1 && break
done
greater "$banner" 0.1 || fail "no red message banner at the top of the picture ($banner)"
changed=$(differing_pixels "$workdir/zoomed.png" "$workdir/rejected.png" 330x24+60+55)
greater 20 "$changed" || fail "the message banner reaches over the bar ($changed pixels)"
lower=670x300+400+450
changed=$(differing_pixels "$workdir/zoomed.png" "$workdir/rejected.png" "$lower")
greater 200 "$changed" || fail "the picture changed when the file was rejected ($changed pixels)"

# A load that succeeds takes the refused file's message away.
load_in_dialog "$PWD/data/Graphs/small.rsf"
wait_for_console "Reading $PWD/data/Graphs/small.rsf ... done!"
sleep 2
screenshot "$workdir/reloaded.png"
banner=$(colour_fraction "$workdir/reloaded.png" "#991414" 500x40+487+60)
before=$(colour_fraction "$workdir/zoomed.png" "#991414" 500x40+487+60)
greater "$(awk -v b="$before" 'BEGIN { print b + 0.01 }')" "$banner" ||
    fail "the message stayed after a load succeeded ($banner)"

# Keys go to the window under the pointer once the dialog has gone.
xdotool mousemove "$away_x" "$away_y"
press_key Escape
status=$(viewer_status)
[ "$status" = 0 ] || fail "Escape ended the viewer with status $status: $(cat "$workdir/console")"

# The command line's depth and collapsed nodes hold for its graph: at depth
# 1, as with A collapsed, no curve ends at a1 once the picture is drawn.
for asked in "--depth 1" "--collapse A"; do
    # shellcheck disable=SC2086 # the option and its value, split
    start_viewer_drawn "$viewer" $asked data/Graphs/small.rsf
    xdotool mousemove "$away_x" "$away_y"
    screenshot_changed "$workdir/black.png" "$curve_region" "$workdir/asked.png" "the picture"
    for _ in $(seq 60); do
        after=$(pixels_of ramp "$workdir/asked.png" "$at_a1")
        greater 5 "$after" && break
        sleep 0.5
        screenshot "$workdir/asked.png"
    done
    greater 5 "$after" || fail "curves still end at a1 with $asked ($after pixels)"
    press_key Escape
    status=$(viewer_status)
    [ "$status" = 0 ] || fail "Escape ended the viewer with status $status"
done
start_viewer "$viewer" --collapse nosuchnode data/Graphs/small.rsf
wait_for_console "no node named 'nosuchnode' in data/Graphs/small.rsf"
press_key Escape
viewer_status >/dev/null

# With labels on, a cut that hides the widest name (a leaf of A) keeps the
# picture's size: the room for names is the graph's, not the cut's.
named="$workdir/named.rsf"
printf 'HierarchyElements 7\nRoot 0\nPCR 0 1\nPCR 0 2\nPCR 1 3\nPCR 1 4\nPCR 2 5\nPCR 2 6\n' >"$named"
printf 'H 0 r\nH 1 A\nH 2 B\nH 3 a_leaf_whose_name_is_the_longest_by_far\nH 4 a2\nH 5 b1\nH 6 b2\n' >>"$named"
printf 'R 3 5\nR 4 6\nR 5 4\n' >>"$named"
start_viewer_drawn "$viewer" --labels on "$named"
xdotool mousemove "$away_x" "$away_y"
screenshot_changed "$workdir/black.png" "$picture" "$workdir/whole.png" "the labelled picture"
press_key bracketleft
screenshot_changed "$workdir/whole.png" "$picture" "$workdir/shallow.png" "the picture at depth 1"
red_box() {
    pixel_mask red "$1" "$picture"
    convert "$workdir/mask.png" -trim -format '%w %h' info:
}
[ "$(red_box "$workdir/whole.png")" = "$(red_box "$workdir/shallow.png")" ] ||
    fail "the tree's size changed with the cut: $(red_box "$workdir/whole.png"), then $(red_box "$workdir/shallow.png")"
press_key Escape
viewer_status >/dev/null
echo "explore: ok"
