#!/usr/bin/env bash
# The matrix view of small.rsf: m shows the dependency matrix of the same
# cut, with its cells filled where relations are; hovering a row's name
# highlights its row's and column's cells in the curves' colours; m again
# brings the bundles back; "Save Matrix..." at the panel's end writes the
# matrix as CSV.
source "$(dirname "$0")/lib.sh"
viewer=$1
start_display
start_viewer_drawn "$viewer" data/Graphs/small.rsf

# The whole tree: nine rows, a1 a2 a3 B b1 b2 c1 c2 d (B for its own
# relation B -> b2). In the 1024 by 768 window at (50, 50), right of the
# panel and clear of the key in its corner, the cells span (479, 176) to
# (1025, 722), 60.67 pixels each: the row r, column c cell's top left
# corner lies near (479 + 60.67 c, 176 + 60.67 r). Regions below sit in a
# cell's upper left, clear of its count. Every cell holds one relation: the
# ramp's end colour.
cell() { echo "16x16+$((479 + 6067 * $2 / 100 + 8))+$((176 + 6067 * $1 / 100 + 8))"; }
ramp_end="rgb(255,140,0)"
away_x=1000
away_y=790
picture=620x620+440+150
convert -size 1280x1024 xc:black "$workdir/black.png"
xdotool mousemove "$away_x" "$away_y"
screenshot_changed "$workdir/black.png" "$picture" "$workdir/bundles.png" "the picture"

press_key m
screenshot_changed "$workdir/bundles.png" "$picture" "$workdir/matrix.png" "the view after m"
# a1 -> a2, a1 -> b1, b1 -> a1, c1 -> c2 and d -> c2 are filled; a2 -> a1
# and b2 -> b1 are not.
for filled in "0 1" "0 4" "4 0" "6 7" "8 7"; do
    share=$(colour_fraction "$workdir/matrix.png" "$ramp_end" "$(cell $filled)")
    greater "$share" 0.9 || fail "the cell ($filled) is not filled ($share)"
done
for empty in "1 0" "5 4"; do
    share=$(colour_fraction "$workdir/matrix.png" black "$(cell $empty)")
    greater "$share" 0.9 || fail "the cell ($empty) is not empty ($share)"
done

# Hovering a1's name: b1 -> a1 arrives at a1 (sky blue), the cell c1 -> c2,
# neither a1's row nor its column, dims.
xdotool mousemove 471 206
screenshot_changed "$workdir/matrix.png" "$(cell 4 0)" "$workdir/highlight.png" "the highlight"
share=$(colour_fraction "$workdir/highlight.png" "#56B4E9" "$(cell 4 0)")
greater "$share" 0.9 || fail "b1 -> a1 does not arrive in sky blue ($share)"
share=$(colour_fraction "$workdir/highlight.png" "$ramp_end" "$(cell 6 7)")
greater 0.1 "$share" || fail "c1 -> c2 is not dimmed ($share)"

xdotool mousemove "$away_x" "$away_y"
press_key m
screenshot_changed "$workdir/highlight.png" "$picture" "$workdir/back.png" "the view after m again"
changed=$(differing_pixels "$workdir/bundles.png" "$workdir/back.png" "$picture")
greater 200 "$changed" || fail "m again did not bring the bundles back ($changed pixels differ)"

# The panel scrolled to its end, where "Save Matrix..." lies at (218, 701).
xdotool mousemove 200 500
for _ in $(seq 15); do
    xdotool click 5
    sleep 0.1
done
sleep 0.5
click_at 218 701
save_as "Save Matrix" "$workdir/small.csv"
wait_for_console "Saved $workdir/small.csv" 30
cat >"$workdir/expected.csv" <<'CSV'
,A.a1,A.a2,A.a3,B,B.b1,B.b2,C.Cx.c1,C.Cx.c2,d
A.a1,0,1,0,0,1,0,0,0,0
A.a2,0,0,0,0,0,0,0,0,0
A.a3,0,0,0,0,0,1,0,0,0
B,0,0,0,0,0,1,0,0,0
B.b1,1,0,0,0,0,0,0,0,0
B.b2,0,0,0,0,0,0,0,0,0
C.Cx.c1,0,1,0,0,0,0,0,1,0
C.Cx.c2,0,0,0,0,0,0,0,0,0
d,0,0,0,0,0,0,0,1,0
CSV
tr -d '\r' <"$workdir/small.csv" | diff "$workdir/expected.csv" - >&2 || fail "the saved matrix differs"
echo "matrix: ok"
