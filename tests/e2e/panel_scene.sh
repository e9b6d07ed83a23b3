#!/usr/bin/env bash
# The panel's scene settings reach the picture: `l` hides the key, a
# treemap layout draws red rectangles, Beta 0 straightens the curves, "Show
# Splines" and "Show Tree" take the curves and the overlay away, and Escape
# ends the viewer quietly.
source "$(dirname "$0")/lib.sh"
viewer=$1
start_display

start_viewer_drawn "$viewer" data/Graphs/small.rsf

# The picture right of the bar, clear of the frame-rate text, fitted into
# the 674 by 768 pixels that the bar leaves of the window; its right edge
# (the frame's border) runs down x = 1051 to 1056. Two leaves of small.rsf
# lie straight above each other at x = 834.
picture=670x735+400+65
right_edge=16x350+1046+259
between_leaves=16x350+826+273
convert -size 1280x1024 xc:black "$workdir/black.png"
screenshot_changed "$workdir/black.png" "$picture" "$workdir/radial.png" "the picture"

curves=$(pixels_of ramp "$workdir/radial.png" "$picture")
greater "$curves" 1000 || fail "no ramp-coloured curves in the picture ($curves pixels)"
share=$(column_share_of red "$workdir/radial.png" "$right_edge")
greater 0.5 "$share" || fail "the radial picture has a red line down its edge (share $share)"
share=$(column_share_of ramp "$workdir/radial.png" "$between_leaves")
greater 0.3 "$share" || fail "a bundled curve runs straight between the leaves (share $share)"

# The key to the ramp sits in the window's bottom right corner; `l` hides
# it, and without it a treemap fills the whole picture.
key=120x40+950+765
shown=$(pixels_of ramp "$workdir/radial.png" "$key")
greater "$shown" 200 || fail "no key to the ramp in the corner ($shown pixels)"
press_key l
screenshot_changed "$workdir/radial.png" "$key" "$workdir/no-key.png" "the key"
hidden=$(pixels_of ramp "$workdir/no-key.png" "$key")
greater 10 "$hidden" || fail "l left the key in the corner ($hidden pixels)"

# "TreeMap - Squared": the root's rectangle borders the picture in red.
click_at 250 203
click_at 260 290
screenshot_changed "$workdir/no-key.png" "$picture" "$workdir/squared.png" "the picture"
share=$(column_share_of red "$workdir/squared.png" "$right_edge")
greater "$share" 0.95 || fail "no red rectangle along the treemap's edge (share $share)"
click_at 250 203
click_at 260 230
screenshot_changed "$workdir/squared.png" "$picture" "$workdir/radial-again.png" "the picture"

# Beta 0 draws each curve as the straight line between its ends; Beta 1
# brings the bundled picture back. (Where the ramp turns from magenta to
# orange its colour passes for the overlay's, hence less than all of a line.)
type_number 254 311 0
screenshot_changed "$workdir/radial-again.png" "$picture" "$workdir/straight.png" "the picture"
share=$(column_share_of ramp "$workdir/straight.png" "$between_leaves")
greater "$share" 0.7 || fail "no straight curve between the leaves with Beta 0 (share $share)"
type_number 254 311 1
screenshot_changed "$workdir/straight.png" "$picture" "$workdir/bundled.png" "the picture"
changed=$(differing_pixels "$workdir/no-key.png" "$workdir/bundled.png" "$picture")
greater 10 "$changed" || fail "Beta 1 did not bring the bundled curves back ($changed pixels)"

# "Show Splines" OFF: the red tree and its light-blue overlay remain, no
# curve colour does; with "Show Tree" OFF as well only red on black is left.
click_at 211 337
screenshot_changed "$workdir/bundled.png" "$picture" "$workdir/no-splines.png" "the picture"
curves=$(pixels_of ramp "$workdir/no-splines.png" "$picture")
greater 10 "$curves" || fail "curve colours remain with \"Show Splines\" OFF ($curves pixels)"
overlay=$(pixels_of not-red "$workdir/no-splines.png" "$picture")
greater "$overlay" 1000 || fail "the tree overlay went with the curves ($overlay pixels)"
click_at 211 229
screenshot_changed "$workdir/no-splines.png" "$picture" "$workdir/red-only.png" "the picture"
other=$(pixels_of not-red "$workdir/red-only.png" "$picture")
greater 10 "$other" || fail "more than red on black with both OFF ($other pixels)"
red=$(pixels_of red "$workdir/red-only.png" "$picture")
greater "$red" 1000 || fail "the red tree went as well ($red pixels)"

# Escape releases the effect and ends the viewer without a word more.
press_key Escape
status=$(viewer_status)
[ "$status" = 0 ] || fail "Escape ended the viewer with status $status"
expect_console "${effect_report}Reading data/Graphs/small.rsf ... done!
Building Tree Layouts ... done!
Building Splines ... done!
"
echo "panel_scene: ok"
