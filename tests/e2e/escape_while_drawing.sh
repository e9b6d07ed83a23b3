#!/usr/bin/env bash
# On a graph large enough that a frame takes seconds to draw, the window
# stays live: Escape pressed while the frame is being drawn ends the viewer
# within a second. Its picture, 60,000 curves, carries advice.
source "$(dirname "$0")/lib.sh"
viewer=$1
graphgen=$2
graph="$workdir/large.rsf"
"$graphgen" --nodes 20000 --depth 4 --fan-out 12 --relations 60000 --seed 3 -o "$graph" >/dev/null
start_display
# All 60,000 curves (not the readable depth's fewer bundles), so that the
# frame takes seconds.
start_viewer "$viewer" --depth 4 "$graph"
wait_for_console "Building Splines ... done!"
xdotool mousemove 600 600
# The progress line "Drawing NN%" above the FPS text, in light blue, looked
# for until it shows; so many curves drawn opaque over the tree get the
# advice, in a slate blue banner at the top of the picture.
for attempt in $(seq 30); do
    sleep 0.1
    screenshot "$workdir/drawing.png"
    blue=$(colour_fraction "$workdir/drawing.png" "rgb(102,178,255)" 160x24+95+718)
    advice=$(colour_fraction "$workdir/drawing.png" "rgb(39,58,92)" 500x40+487+75)
    greater "$blue" 0.01 && greater "$advice" 0.3 && break
done
greater "$blue" 0.01 || fail "no drawing progress shown while the frame is drawn ($blue)"
greater "$advice" 0.3 || fail "no advice banner over 60,000 curves ($advice)"
pressed=$(date +%s%N)
press_key Escape
status=$(viewer_status)
elapsed=$(( ($(date +%s%N) - pressed) / 1000000 ))
[ "$status" = 0 ] || fail "Escape ended the viewer with status $status"
# press_key holds the key 150 ms and then waits 300 ms.
[ "$elapsed" -lt 1450 ] || fail "the viewer took ${elapsed} ms to end after Escape"
echo "escape_while_drawing: ok (${elapsed} ms including the key press)"
