#!/usr/bin/env bash
# Cycles and rules in the picture: started with --cycles on, --depth 1 and
# --rules, the viewer prints the cycles line and draws the relation to cut
# dashed over its group's curve, the group's nodes ringed and the relation
# that breaks the rule in the first error colour; "y" takes the cycles away
# and leaves the rule's colour.
source "$(dirname "$0")/lib.sh"
viewer=$1
start_display

picture=675x760+396+55
# How many separate runs of a colour the region holds: a dashed curve is
# many, a whole one is one.
runs_of() {
    convert "$2" -crop "$picture" +repage -alpha off -fuzz 15% -fill black +opaque "$1" \
        -fill white -opaque "$1" "$workdir/runs.png"
    convert "$workdir/runs.png" -define connected-components:verbose=true \
        -define connected-components:area-threshold=2 -connected-components 8 null: |
        tail -n +2 | grep -c 'gray(255)' || true
}
# How many pixels of the region are near a colour: nearer than the tree's
# red is to #cc3311.
amount_of() {
    convert "$2" -crop "$picture" +repage -alpha off -fuzz 8% -fill black +opaque "$1" \
        -fill white -opaque "$1" -format '%[fx:round(mean*w*h)]' info:
}

printf 'forbid C -> A   # C.Cx.c1 -> A.a2\n' >"$workdir/arch.rules"
xdotool mousemove 5 5
start_viewer_drawn "$viewer" --cycles on --depth 1 --rules "$workdir/arch.rules" data/Graphs/small.rsf
wait_for_console "Cycles: 1 group of 2 nodes; 3 relations inside them, 1 to cut"
screenshot_settled "$workdir/shown.png" "$picture"
# The colours this picture gives: the cut in cyan, the group in Okabe-Ito's
# bluish green, the broken error rule in #cc3311.
dashes=$(runs_of '#00ffff' "$workdir/shown.png")
[ "$dashes" -ge 6 ] || fail "the relation to cut is not dashed ($dashes cyan runs)"
group=$(amount_of '#009e73' "$workdir/shown.png")
greater "$group" 300 || fail "no group colour in the picture ($group pixels)"
broken=$(amount_of '#cc3311' "$workdir/shown.png")
greater "$broken" 200 || fail "no broken rule's colour in the picture ($broken pixels)"

xdotool mousemove 700 400
press_key y
screenshot_changed "$workdir/shown.png" "$picture" "$workdir/off.png" "the picture after y"
dashes=$(runs_of '#00ffff' "$workdir/off.png")
[ "$dashes" -le 1 ] || fail "cycles still drawn after y ($dashes cyan runs)"
broken=$(amount_of '#cc3311' "$workdir/off.png")
greater "$broken" 200 || fail "the broken rule lost its colour with the cycles ($broken pixels)"
