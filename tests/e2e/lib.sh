# Shared steps of the end-to-end tests: a private virtual display, the viewer
# started on it, console and screenshot checks. Sourced by each test.
set -euo pipefail

workdir=$(mktemp -d)
viewer_pid=""
xvfb_pid=""

cleanup() {
    [ -n "$viewer_pid" ] && kill "$viewer_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$workdir"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts Xvfb on the first free display and exports DISPLAY. Without
# -noreset the server resets whenever its last client leaves, and a viewer
# connecting in that moment finds no display.
start_display() {
    local size=${1:-1280x1024x24}
    Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp -noreset 3>"$workdir/display" \
        2>"$workdir/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$workdir/display" ] && break
        sleep 0.1
    done
    [ -s "$workdir/display" ] || fail "Xvfb did not start: $(cat "$workdir/xvfb.log")"
    export DISPLAY=":$(head -n1 "$workdir/display")"
    export GSETTINGS_BACKEND=memory
    display_windows=$(xdotool search --onlyvisible --maxdepth 1 --name '' 2>/dev/null || true)
}

# Starts the viewer with the given arguments; its console goes to $workdir/console.
start_viewer() {
    "$@" >"$workdir/console" 2>&1 &
    viewer_pid=$!
}

# Starts the viewer with the given arguments and waits for its window and
# its first graph's curves.
start_viewer_drawn() {
    start_viewer "$@"
    wait_for_console "Building Splines ... done!"
    viewer_window >/dev/null
}

# Waits until the console holds the line, or fails after the timeout.
wait_for_console() {
    local line=$1 seconds=${2:-60}
    for _ in $(seq $((seconds * 10))); do
        grep -qxF -- "$line" "$workdir/console" && return 0
        kill -0 "$viewer_pid" 2>/dev/null || fail "viewer ended before printing '$line': $(cat "$workdir/console")"
        sleep 0.1
    done
    fail "no '$line' within ${seconds}s; console: $(cat "$workdir/console")"
}

# The shader effect's report opens every console: the first technique needs
# GLSL 4.60, which llvmpipe lacks.
effect_report="Technique BundledCurvesGlsl460 did not validate.  Skipping.
Use technique BundledCurvesGlsl120.
"

expect_console() {
    local expected=$1
    diff <(printf '%s' "$expected") "$workdir/console" >&2 || fail "console differs from the expected text"
}

# The id of the viewer's window: the first visible top-level window that the
# display did not have before (the window library sets no process id on it).
viewer_window() {
    for _ in $(seq 100); do
        local id
        for id in $(xdotool search --onlyvisible --maxdepth 1 --name '' 2>/dev/null || true); do
            grep -qxF "$id" <<<"$display_windows" || { echo "$id"; return 0; }
        done
        sleep 0.1
    done
    fail "no viewer window"
}

screenshot() {
    import -window root "$1"
}

# Takes screenshots into the file until the region (WxH+X+Y) differs from
# the same region of the earlier image, or fails saying what did not change.
# llvmpipe may take a while to draw.
screenshot_changed() {
    local earlier=$1 region=$2 file=$3 what=$4
    for _ in $(seq 120); do
        screenshot "$file"
        if greater "$(differing_pixels "$earlier" "$file" "$region")" 10; then
            # The first change may be a picture still being drawn or moved.
            screenshot_settled "$file" "$region"
            return 0
        fi
        sleep 0.25
    done
    fail "$what did not change within 30s"
}

# Takes screenshots into the file until the region (WxH+X+Y) is the same in
# two of them in a row: the picture is drawn a part at a time.
screenshot_settled() {
    local file=$1 region=$2
    screenshot "$file"
    for _ in $(seq 120); do
        sleep 0.5
        screenshot "$workdir/settling.png"
        [ "$(differing_pixels "$file" "$workdir/settling.png" "$region")" = 0 ] && return 0
        mv "$workdir/settling.png" "$file"
    done
    fail "the picture did not settle within 60s"
}

# Fraction of pixels in the region (WxH+X+Y, or the whole image) that are
# close to the given colour.
colour_fraction() {
    local image=$1 colour=$2 region=${3:-}
    local crop=()
    [ -n "$region" ] && crop=(-crop "$region" +repage)
    convert "$image" "${crop[@]}" -alpha off -fuzz 20% -fill black +opaque "$colour" \
        -fill white -opaque "$colour" -colorspace gray -format '%[fx:mean]' info:
}

# True when the first number is larger than the second.
greater() {
    awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'
}

# Dear ImGui sees a press and its release only in different frames, so each
# is held for a while.
click_at() {
    xdotool mousemove "$1" "$2"
    sleep 0.2
    xdotool mousedown 1
    sleep 0.15
    xdotool mouseup 1
    sleep 0.3
}

# Presses and releases a key (xdotool's name) in the window under the pointer.
press_key() {
    xdotool keydown "$1"
    sleep 0.15
    xdotool keyup "$1"
    sleep 0.3
}

# Clicks "Load File", waits for the dialog and gives it the keyboard.
open_dialog() {
    click_at 188 121
    local dialog
    dialog=$(timeout 20 xdotool search --sync --onlyvisible --name '^Load File$' | head -n1) ||
        fail "no file dialog; console: $(cat "$workdir/console")"
    xdotool mousemove 5 5 windowfocus --sync "$dialog"
    sleep 0.5
}

# Types a path into the file dialog and chooses it.
load_in_dialog() {
    open_dialog
    xdotool key ctrl+l
    sleep 0.3
    xdotool type --delay 20 "$1"
    sleep 0.3
    xdotool key Return
}

# Types the name into the save dialog of that title once it shows.
save_as() {
    local title=$1 name=$2 dialog
    dialog=$(timeout 20 xdotool search --sync --onlyvisible --name "^$title\$" | head -n1) ||
        fail "no $title dialog; console: $(cat "$workdir/console")"
    xdotool mousemove 5 5 windowfocus --sync "$dialog"
    sleep 0.5
    xdotool key ctrl+a
    xdotool type --delay 20 "$name"
    sleep 0.3
    xdotool key Return
}

# Mean brightness, 0 to 1, of a region (WxH+X+Y) of an image.
region_mean() {
    convert "$1" -crop "$2" +repage -colorspace gray -format '%[fx:mean]' info:
}

# Waits for the viewer to end and prints its exit status.
viewer_status() {
    local status=0
    wait "$viewer_pid" || status=$?
    viewer_pid=""
    echo "$status"
}

# How many pixels of a region (WxH+X+Y) differ between two images.
differing_pixels() {
    local region=$3
    convert "$1" -crop "$region" +repage "$workdir/first-region.png"
    convert "$2" -crop "$region" +repage "$workdir/second-region.png"
    compare -metric AE -fuzz 10% "$workdir/first-region.png" "$workdir/second-region.png" \
        null: 2>&1 || true
}

# The picture's pixels, sorted by what drew them, as a black and white image
# of a region (WxH+X+Y), white where the kind is:
#   ramp     curve colours. The red tree, the translucent overlay ((0.8, 0.8,
#            1) at half alpha) and their blends with black keep green at 0.8
#            of blue; the curves' blue, magenta and orange do not.
#   not-red  any green or blue: neither black nor red.
#   red      pure red.
pixel_mask() {
    local kind=$1 image=$2 region=$3 ops
    case $kind in
    ramp) ops=(-color-matrix '0 1 -0.8  0 -1 0.8  0 0 0' -channel RG -threshold 6% +channel
               -separate -delete 2 -evaluate-sequence max) ;;
    not-red) ops=(-channel GB -separate +channel -evaluate-sequence max -threshold 6%) ;;
    red) ops=(-fx 'r > 0.5 && g < 0.1 && b < 0.1') ;;
    *) fail "unknown pixel kind $kind" ;;
    esac
    convert "$image" -crop "$region" +repage -alpha off "${ops[@]}" "$workdir/mask.png"
}

# How many pixels of the region are of the kind.
pixels_of() {
    pixel_mask "$@"
    convert "$workdir/mask.png" -format '%[fx:round(mean*w*h)]' info:
}

# The largest share of the kind in any one column of the region: near 1
# where a vertical line of it runs through the whole region.
column_share_of() {
    pixel_mask "$@"
    convert "$workdir/mask.png" -scale "${3%%x*}x1!" -format '%[fx:maxima]' info:
}

# A click with ctrl held, each held for a while as click_at does.
control_click_at() {
    xdotool mousemove "$1" "$2"
    sleep 0.2
    xdotool keydown ctrl mousedown 1
    sleep 0.15
    xdotool mouseup 1 keyup ctrl
    sleep 0.3
}

# Clicks the number field with ctrl held, which opens it for typing, types
# the text and ends with Return.
type_number() {
    control_click_at "$1" "$2"
    xdotool type --delay 50 "$3"
    sleep 0.2
    press_key Return
}
