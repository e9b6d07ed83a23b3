#!/usr/bin/env bash
# hebview-render end to end: the default graph becomes a 2048 by 2048 PNG
# with the red tree and coloured curves on black, or an SVG, which needs no
# OpenGL and draws the same geometry; a bad option and a bad graph fail with
# a clear message and a non-zero status.
set -uo pipefail
tool=$1
workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

out=$("$tool" -o "$workdir/default.png" 2>&1) || fail "default render failed: $out"
[[ $out == *"Reading data/Graphs/jhotdraw-mini.rsf ... done!"* ]] || fail "no progress lines: $out"
[ "$(identify -format '%wx%h' "$workdir/default.png")" = 2048x2048 ] || fail "frame is not 2048x2048"
# Curves in ramp colours fill much of the disc; pure red marks the tree.
colours=$(convert "$workdir/default.png" -crop 1200x1200+424+424 +repage -sample 600x600 -fx '(r>0.2&&(g>0.2||b>0.2))?1:0' \
    -format '%[fx:mean]' info:)
awk -v v="$colours" 'BEGIN { exit !(v > 0.05) }' || fail "few curve pixels in the centre ($colours)"
red=$(convert "$workdir/default.png" -sample 1024x1024 -fx '(r>0.9&&g<0.1&&b<0.1)?1:0' -format '%[fx:mean]' info:)
awk -v v="$red" 'BEGIN { exit !(v > 0.005) }' || fail "no red tree ($red)"

"$tool" --splines off --tree off --layout classic -o "$workdir/tree.png" >/dev/null || fail "classic render failed"
others=$(convert "$workdir/tree.png" -sample 1024x1024 -fx '(r>0.9&&g<0.1&&b<0.1)||(r<0.1&&g<0.1&&b<0.1)?0:1' -format '%[fx:mean]' info:)
[ "$others" = 0 ] || fail "with both switches off only red and black may show ($others)"

out=$("$tool" --beta 7 2>&1) && fail "a bad option was accepted"
[[ $out == *"bad value '7' for --beta"* ]] || fail "unclear message for a bad option: $out"
out=$("$tool" "$workdir/missing.rsf" -o "$workdir/x.png" 2>&1) && fail "a missing graph was accepted"
[[ $out == *"missing.rsf: cannot open the file"* ]] || fail "unclear message for a missing graph: $out"
[ ! -e "$workdir/x.png" ] || fail "a picture was written for a missing graph"
# From a folder without data the ramps are found where the program comes
# from; a broken ramp in the working directory comes first, and the drawing
# cannot start: its message and status 1.
graph=$(pwd)/data/Graphs/small.rsf
mkdir -p "$workdir/elsewhere"
(cd "$workdir/elsewhere" && "$tool" -o "$workdir/elsewhere.png" "$graph" >/dev/null 2>&1) ||
    fail "run from another folder, the tool did not find its data"
mkdir -p "$workdir/data/textures"
: >"$workdir/data/textures/pal_0.png"
out=$(cd "$workdir" && "$tool" -o "$workdir/y.png" "$graph" 2>&1)
status=$?
[ "$status" = 1 ] || fail "a broken ramp gave status $status: $out"
[[ $out == *"data/textures/pal_0.png: Broken image: the file is empty"* ]] || fail "unclear message for a broken ramp: $out"
# The view options: names written in light grey, a node that is not there
# refused with status 2 before anything is drawn.
"$tool" --labels on --highlight AbstractFigure --search figure -o "$workdir/labels.png" >/dev/null ||
    fail "a render with labels and a highlight failed"
grey=$(convert "$workdir/labels.png" -sample 1024x1024 -fx '(r>0.8&&g>0.8&&b>0.8)?1:0' -format '%[fx:mean]' info:)
awk -v v="$grey" 'BEGIN { exit !(v > 0.003) }' || fail "no labels written ($grey)"
out=$("$tool" --highlight NoSuchNode -o "$workdir/z.png" 2>&1)
status=$?
[ "$status" = 2 ] || fail "an unknown node gave status $status: $out"
[[ $out == *"no node named 'NoSuchNode' in data/Graphs/jhotdraw-mini.rsf"* ]] || fail "unclear message for an unknown node: $out"
[ ! -e "$workdir/z.png" ] || fail "a picture was written for an unknown node"
# Levels: the cut's line, by depth and by nodes collapsed; an unknown node
# to collapse is refused with status 2.
small=data/Graphs/small.rsf
out=$("$tool" --depth 2 -o "$workdir/depth.png" "$small" 2>&1) || fail "--depth 2 failed: $out"
grep -qxF "Depth 2 of 3: 7 bundles of 8 relations" <<<"$out" || fail "no depth line: $out"
# At depth 1 A and B run both ways: a1 -> b1 and a3 -> b2 against b1 -> a1.
out=$("$tool" --cycles on --depth 1 -o "$workdir/cycles.png" "$small" 2>&1) || fail "--cycles failed: $out"
grep -qxF "Cycles: 1 group of 2 nodes; 3 relations inside them, 1 to cut" <<<"$out" ||
    fail "no cycles line: $out"
# The relation to cut is the one dashed curve; broken rules take a warm
# colour (an error) and a cool one (a warning); a bad rules file is refused.
"$tool" --cycles on --depth 1 -o "$workdir/cycles.svg" "$small" >/dev/null 2>&1 || fail "--cycles SVG failed"
[ "$(grep -c 'stroke-dasharray' "$workdir/cycles.svg")" = 1 ] || fail "not one dashed curve to cut"
printf 'forbid A -> B\nforbid B -> A warn\n' >"$workdir/arch.rules"
"$tool" --rules "$workdir/arch.rules" -o "$workdir/rules.svg" "$small" >/dev/null 2>&1 || fail "--rules failed"
for colour in cc3311:2 33bbee:1; do
    [ "$(grep -c "stroke=\"#${colour%%:*}\"" "$workdir/rules.svg")" = "${colour#*:}" ] ||
        fail "not ${colour#*:} curves in #${colour%%:*}"
done
printf 'forbid A => B\n' >"$workdir/bad.rules"
out=$("$tool" --rules "$workdir/bad.rules" -o "$workdir/bad.png" "$small" 2>&1)
status=$?
[ "$status" = 2 ] && [[ $out == *"bad.rules:1:"* ]] || fail "a bad rules file gave status $status: $out"
out=$("$tool" --collapse A --collapse root.C -o "$workdir/custom.png" "$small" 2>&1) ||
    fail "--collapse failed: $out"
grep -qxF "Custom cut: 6 bundles of 8 relations" <<<"$out" || fail "no custom cut line: $out"
out=$("$tool" --collapse NoSuchNode -o "$workdir/none.png" "$small" 2>&1)
status=$?
[ "$status" = 2 ] && [[ $out == *"no node named 'NoSuchNode'"* ]] ||
    fail "an unknown node to collapse gave status $status: $out"
# Comparing two versions: the summary line, and an SVG (written without
# OpenGL) with a group of curves per kind, the changes in their colours;
# with the kept relations off, their group is empty.
older=data/Graphs/jhotdraw-mini.rsf
newer=data/Graphs/jhotdraw-mini-next.rsf
out=$("$tool" --compare "$older" -o "$workdir/compared.svg" "$newer" 2>&1) || fail "--compare failed: $out"
grep -qxF "Compared: 13 added, 16 removed, 1625 kept relations; 3 added, 4 removed nodes" <<<"$out" ||
    fail "no comparison line: $out"
kindCurves() { sed -n "/^<g id=\"$1\">/,/^<\/g>$/p" "$2" | grep -v '^<g id=' | grep -c '^<g[ >]'; }
for expected in kept:1625 removed:16 added:13; do
    kind=${expected%%:*}
    [ "$(kindCurves "$kind" "$workdir/compared.svg")" = "${expected#*:}" ] ||
        fail "$(kindCurves "$kind" "$workdir/compared.svg") curves in the SVG's $kind group, not ${expected#*:}"
done
for colour in added:009e73 removed:882255; do
    strokes=$(sed -n "/^<g id=\"${colour%%:*}\">/,/^<\/g>$/p" "$workdir/compared.svg" | grep -o 'stroke="#[0-9a-f]*"' | sort -u)
    [ "$strokes" = "stroke=\"#${colour#*:}\"" ] || fail "the ${colour%%:*} curves are drawn in $strokes"
done
"$tool" --compare "$older" --kept off -o "$workdir/changes.svg" "$newer" >/dev/null || fail "--kept off failed"
[ "$(kindCurves kept "$workdir/changes.svg")" = 0 ] || fail "kept curves drawn with --kept off"
# Exports: the SVG parses and renders, and holds a group per relation; the
# PNG takes its size and background; any other extension is refused before
# anything is read.
# An SVG needs no OpenGL: with no EGL driver to be found it is still
# written, while a PNG fails with status 1.
no_gl=(env __EGL_VENDOR_LIBRARY_FILENAMES=/nonexistent EGL_PLATFORM=surfaceless DISPLAY=)
"${no_gl[@]}" "$tool" -o "$workdir/figure.svg" --labels on >/dev/null ||
    fail "the SVG export failed without OpenGL"
out=$("${no_gl[@]}" "$tool" -o "$workdir/nogl.png" 2>&1)
status=$?
[ "$status" = 1 ] && [[ $out == *"no OpenGL context"* ]] || fail "a PNG without OpenGL gave status $status: $out"
# Its classic tree, which no mirror maps onto itself, lies where the PNG
# draws it: the red pixels of each, a few pixels apart at most.
"${no_gl[@]}" "$tool" --layout classic --splines off --tree off -o "$workdir/tree.svg" >/dev/null || fail "tree SVG failed"
"$tool" --layout classic --splines off --tree off -o "$workdir/tree-gl.png" >/dev/null || fail "tree PNG failed"
rsvg-convert -w 2048 -h 2048 "$workdir/tree.svg" -o "$workdir/tree-svg.png" || fail "tree SVG does not render"
# Only the red tree is drawn on black: its red channel tells it.
red_mask() { convert "$1" -alpha off -channel R -separate -threshold 50% "$2"; }
red_mask "$workdir/tree-gl.png" "$workdir/gl-red.png"
red_mask "$workdir/tree-svg.png" "$workdir/svg-red.png"
for pair in gl-red:svg-red svg-red:gl-red; do
    near=$(convert "$workdir/${pair%%:*}.png" \( "$workdir/${pair#*:}.png" -morphology Dilate Disk:3 \) \
        -compose Multiply -composite -format '%[fx:mean]' info:)
    all=$(convert "$workdir/${pair%%:*}.png" -format '%[fx:mean]' info:)
    awk -v n="$near" -v a="$all" 'BEGIN { exit !(a > 0.001 && n > 0.95 * a) }' ||
        fail "the SVG's tree and the PNG's lie apart (${pair%%:*}: $near of $all near the other)"
done
rsvg-convert -w 256 "$workdir/figure.svg" -o "$workdir/figure-svg.png" || fail "the SVG does not render"
relations=$(grep -c '^R ' data/Graphs/jhotdraw-mini.rsf)
groups=$(sed -n '/<g id="curves"/,/^<\/g>/p' "$workdir/figure.svg" | grep -v 'id="curves"' | grep -c '^<g')
[ "$groups" = "$relations" ] || fail "$groups curve groups for $relations relations"
lit=$(convert "$workdir/figure-svg.png" -fx '(r>0.2||g>0.2||b>0.2)?1:0' -format '%[fx:mean]' info:)
awk -v v="$lit" 'BEGIN { exit !(v > 0.05) }' || fail "the rendered SVG is nearly empty ($lit)"
# Coloured by group with the key: the key sits in the bottom right corner
# of the PNG and of the SVG, which parses and renders, with the orange of
# the biggest group ("draw" in jhotdraw at depth 2) first; the picture
# shrinks to leave it room.
for picture in groups.png groups.svg; do
    "$tool" data/Graphs/jhotdraw.rsf --color-by source --group-depth 2 --legend on --size 1024 \
        -o "$workdir/$picture" >/dev/null || fail "colouring by group into $picture failed"
done
grep -q '<text x="[0-9.]*" y="[0-9.]*">draw</text>' "$workdir/groups.svg" ||
    fail "the SVG's key does not name the biggest group"
rsvg-convert -w 1024 -h 1024 "$workdir/groups.svg" -o "$workdir/groups-svg.png" ||
    fail "the SVG with its key does not render"
orange() {
    convert "$1" -crop "$2" +repage -alpha off -fuzz 10% -fill black +opaque "#E69F00" \
        -fill white -opaque "#E69F00" -format '%[fx:mean]' info:
}
for picture in groups.png groups-svg.png; do
    key=$(orange "$workdir/$picture" 150x300+874+724)
    awk -v v="$key" 'BEGIN { exit !(v > 0.001) }' || fail "no key in the corner of $picture ($key)"
done
"$tool" -o "$workdir/small.png" --size 512 --background white >/dev/null || fail "--size 512 failed"
[ "$(identify -format '%wx%h' "$workdir/small.png")" = 512x512 ] || fail "--size 512 gave another size"
[ "$(convert "$workdir/small.png" -format '%[pixel:p{2,2}]' info:)" = "srgb(255,255,255)" ] ||
    fail "a white background is not white"
"$tool" -o "$workdir/clear.png" --size 256 --background transparent >/dev/null || fail "transparent failed"
[ "$(convert "$workdir/clear.png" -format '%[fx:p{2,2}.a]' info:)" = 0 ] || fail "the corner is not transparent"
opaque=$(convert "$workdir/clear.png" -alpha extract -format '%[fx:mean]' info:)
awk -v v="$opaque" 'BEGIN { exit !(v > 0.05) }' || fail "nothing is drawn on the transparent picture ($opaque)"
# A PNG whose writing fails half way, at a file size limit here, leaves the
# old picture whole and no temporary file.
printf old >"$workdir/kept.png"
out=$( (trap '' XFSZ; ulimit -f 1; "$tool" -o "$workdir/kept.png" --size 256) 2>&1) &&
    fail "a write past the file size limit succeeded"
[[ $out == *"kept.png: cannot write the file (File too large)"* ]] || fail "unclear message for a failed write: $out"
[ "$(cat "$workdir/kept.png")" = old ] || fail "a failed write changed the old picture"
! compgen -G "$workdir/.kept.png.*" >/dev/null || fail "a temporary file was left"
out=$("$tool" -o "$workdir/figure.jpg" 2>&1)
status=$?
[ "$status" = 2 ] && [[ $out == *"the output must be a .png or an .svg file"* ]] && [[ $out != *Reading* ]] ||
    fail "a .jpg output gave status $status: $out"
# An output that cannot be written is found out before any reading.
out=$("$tool" -o "$workdir/no/such/folder/x.png" 2>&1)
status=$?
[ "$status" = 1 ] && [[ $out == *"x.png: cannot write the file (No such file or directory)"* ]] &&
    [[ $out != *Reading* ]] || fail "an unwritable output gave status $status: $out"
# Under an address-space cap the memory budget is the cap's, not the
# machine's: 999,000 curves (about 1.6 GB) are refused with the amounts
# under a 1 GB cap, where they would otherwise run out and abort.
awk 'BEGIN { print "HierarchyElements 1001"; print "Root 0";
             for (i = 1; i <= 1000; i++) print "PCR 0 " i;
             for (i = 1; i <= 1000; i++) for (j = 1; j <= 1000; j++) if (i != j) print "R " i " " j }' \
    >"$workdir/big.rsf"
out=$( (ulimit -v 1000000; "$tool" -o "$workdir/big.svg" "$workdir/big.rsf") 2>&1)
status=$?
[ "$status" = 1 ] && [[ $out == *"showing 999000 "*" MiB of memory; this machine has "*" MiB available"* ]] ||
    fail "999,000 curves under a 1 GB cap gave status $status: $out"
available=$(sed -n 's/.*this machine has \([0-9]*\) MiB available.*/\1/p' <<<"$out")
[ "$available" -lt 977 ] || fail "the budget under a 1 GB cap was $available MiB"
# The matrix view of top {A {a1, a2}, B {b1}} at depth 1: A -> B holds 2
# relations (a1 -> b1, a2 -> b1), B -> A and A's diagonal (a1 -> a2) 1 each,
# B's diagonal none. Whatever room the names take (at most 0.8 of the
# square's side of 2), the cells are at least 0.6 wide and the scene points
# (0.9, 0.1), (-0.1, -0.9), (-0.1, 0.15) and (0.9, -0.9) lie off their
# middles in the cells A -> B, B -> A, A -> A and B -> B: in a 512 frame of
# the square from -1.01 to 1.01, the pixels below. Counts sit on the density scale's log ramp: the largest at
# its end, 1 of 2 at log 2 / log 3 (of the default ramp, pal_2.png). PNG
# and SVG alike.
printf 'HierarchyElements 6\nRoot 0\nH 0 top\nH 1 A\nH 2 a1\nH 3 a2\nH 4 B\nH 5 b1\n' >"$workdir/two.rsf"
printf 'PCR 0 1\nPCR 1 2\nPCR 1 3\nPCR 0 4\nPCR 4 5\nR 2 5\nR 3 5\nR 5 2\nR 2 3\n' >>"$workdir/two.rsf"
ramp=data/textures/pal_2.png
last=$(($(identify -format %w "$ramp") - 1))
texel() { convert "$ramp" -format "%[pixel:p{$1,0}]" info:; }
most=$(texel "$last")
one=$(texel "$(awk -v w="$last" 'BEGIN { printf "%d", log(2) / log(3) * w + 0.5 }')")
pixel() { convert "$1" -alpha off -format "%[pixel:p{$2}]" info:; }
"$tool" --view matrix --depth 1 --size 512 -o "$workdir/matrix.png" "$workdir/two.rsf" >/dev/null ||
    fail "the matrix as PNG failed"
"$tool" --view matrix --depth 1 --size 512 -o "$workdir/matrix.svg" "$workdir/two.rsf" >/dev/null ||
    fail "the matrix as SVG failed"
rsvg-convert -w 512 -h 512 "$workdir/matrix.svg" -o "$workdir/matrix-svg.png" || fail "the matrix SVG does not render"
# The matrix writes its names in its own bands: "Show Labels" changes nothing.
"$tool" --view matrix --depth 1 --size 512 --labels on -o "$workdir/matrix-labels.png" "$workdir/two.rsf" \
    >/dev/null || fail "the matrix with labels failed"
[ "$(compare -metric AE "$workdir/matrix.png" "$workdir/matrix-labels.png" null: 2>&1)" = 0 ] ||
    fail "labels on changed the matrix"
for picture in matrix matrix-svg; do
    for check in "484,230:$most:A -> B" "230,484:$one:B -> A" "484,484:srgb(0,0,0):B -> B" \
        "230,218:$one:A -> A"; do
        IFS=: read -r place wanted what <<<"$check"
        got=$(pixel "$workdir/$picture.png" "$place")
        [ "$got" = "$wanted" ] || fail "$picture: the cell $what at $place is $got, not $wanted"
    done
done
help=$("$tool" --help) || fail "--help failed"
[[ $help == *"--spacing 0-0.05"*"(default 0.0100)"* ]] || fail "--help lacks the defaults: $help"
echo "hebview-render: all checks passed"
