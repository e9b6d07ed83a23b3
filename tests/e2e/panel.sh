#!/usr/bin/env bash
# The "Settings" bar is drawn at its place over the picture, its layout list
# sets the layout, a number field being typed in keeps Escape to itself, the
# search keeps its text after Escape, Tab hides and shows the bar, and
# Escape outside the fields still ends the viewer.
source "$(dirname "$0")/lib.sh"
viewer=$1
start_display

start_viewer_drawn "$viewer" data/Graphs/small.rsf
sleep 1
screenshot "$workdir/start.png"

# The window's inside begins at (50, 50) and the bar 10 right and 30 down
# from there: translucent dark grey (50, 50, 50 at alpha 150 over black)
# where it has no text, black left of and above it.
grey=$(region_mean "$workdir/start.png" 60x8+240+140)
awk -v g="$grey" 'BEGIN { exit !(g > 0.09 && g < 0.14) }' || fail "no dark grey bar at its place (mean $grey)"
outside=$(region_mean "$workdir/start.png" 8x300+51+85)
above=$(region_mean "$workdir/start.png" 270x25+60+52)
greater 0.02 "$outside" || fail "the bar begins left of its place (mean $outside)"
greater 0.02 "$above" || fail "the bar begins above its place (mean $above)"

# "Tree Layout" shows "Radial"; its list opens below it, and choosing
# "TreeMap - Squared" (the fourth value) and then "Radial" (the first) shows
# each in turn.
layout_text=100x16+200+195
click_at 250 203
click_at 260 290
screenshot "$workdir/squared.png"
changed=$(differing_pixels "$workdir/start.png" "$workdir/squared.png" "$layout_text")
greater "$changed" 30 || fail "choosing a layout did not change its text ($changed pixels)"
click_at 250 203
click_at 260 230
screenshot "$workdir/radial.png"
changed=$(differing_pixels "$workdir/start.png" "$workdir/radial.png" "$layout_text")
greater 5 "$changed" || fail "choosing Radial again did not bring its text back ($changed pixels)"

# The arrow keys move the number under the pointer by its step: "Line
# Width" from 3 to 5 and back.
line_width=100x16+200+247
xdotool mousemove 254 255
sleep 0.5
screenshot "$workdir/hovered.png"
press_key Right
press_key Right
screenshot "$workdir/wider.png"
changed=$(differing_pixels "$workdir/hovered.png" "$workdir/wider.png" "$line_width")
greater "$changed" 10 || fail "the arrow keys did not change \"Line Width\" ($changed pixels)"
press_key Left
press_key Left
screenshot "$workdir/narrower.png"
changed=$(differing_pixels "$workdir/hovered.png" "$workdir/narrower.png" "$line_width")
greater 5 "$changed" || fail "\"Line Width\" did not step back ($changed pixels)"

# ctrl+click on "Beta" types a number in; Escape then only ends the typing.
xdotool mousemove 254 311
sleep 0.2
xdotool keydown ctrl mousedown 1
sleep 0.15
xdotool mouseup 1 keyup ctrl
sleep 0.3
press_key Escape
sleep 1
kill -0 "$viewer_pid" 2>/dev/null || fail "Escape in the panel's number field ended the viewer"

# "/" starts a search; Escape ends the typing and keeps the text.
search_field=170x16+200+545
screenshot "$workdir/unsearched.png"
press_key slash
xdotool type --delay 150 a1
sleep 0.3
press_key Escape
sleep 0.5
screenshot "$workdir/searched.png"
changed=$(differing_pixels "$workdir/unsearched.png" "$workdir/searched.png" "$search_field")
greater "$changed" 10 || fail "Escape threw away the search's text ($changed pixels)"

# Tab hides the bar, the picture taking the whole window, and shows it again.
press_key Tab
sleep 0.5
screenshot "$workdir/hidden.png"
grey=$(region_mean "$workdir/hidden.png" 60x8+240+140)
greater 0.02 "$grey" || fail "Tab did not hide the bar (mean $grey)"
press_key Tab
sleep 0.5
screenshot "$workdir/shown.png"
grey=$(region_mean "$workdir/shown.png" 60x8+240+140)
greater "$grey" 0.09 || fail "Tab did not show the bar again (mean $grey)"

press_key Escape
status=$(viewer_status)
[ "$status" = 0 ] || fail "Escape ended the viewer with status $status"
echo "panel: ok"
