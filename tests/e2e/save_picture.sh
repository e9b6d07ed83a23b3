#!/usr/bin/env bash
# Saving the picture: Control+S and the "Save Picture" button each ask for a
# name in the save dialog and write the picture on screen as a 2048 by 2048
# PNG and, beside it, as an SVG that renders.
source "$(dirname "$0")/lib.sh"
viewer=$1
start_display

start_viewer "$viewer" data/Graphs/small.rsf
wait_for_console "Building Splines ... done!"
window=$(viewer_window)
sleep 2

check_saved() {
    local base=$1
    wait_for_console "Saved $base.png and $base.svg" 30
    [ "$(identify -format '%wx%h' "$base.png")" = 2048x2048 ] || fail "$base.png is not 2048x2048"
    rsvg-convert -w 256 "$base.svg" -o "$workdir/rendered.png" || fail "$base.svg does not render"
    greater "$(convert "$base.png" -sample 512x512 -fx '(r>0.2||g>0.2||b>0.2)?1:0' -format '%[fx:mean]' info:)" 0.01 ||
        fail "$base.png is nearly empty"
}

xdotool mousemove 700 400
sleep 0.3
xdotool keydown ctrl keydown s
sleep 0.15
xdotool keyup s keyup ctrl
save_as "Save Picture" "$workdir/by-key.png"
check_saved "$workdir/by-key"

# The button is the bar's last row.
click_at 195 579
save_as "Save Picture" "$workdir/by-button"
check_saved "$workdir/by-button"

# The closed dialog leaves the keyboard nowhere: give it back to the viewer.
xdotool mousemove 700 400 windowfocus --sync "$window"
press_key Escape
status=$(viewer_status)
[ "$status" = 0 ] || fail "Escape ended the viewer with status $status: $(cat "$workdir/console")"
echo "save picture: all checks passed"
