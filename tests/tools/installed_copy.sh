#!/usr/bin/env bash
# An installed copy runs from any folder: `cmake --install` puts the programs
# in bin/ and what they read in share/hebview/, where they find it.
set -uo pipefail
build=$1
prefix=$(mktemp -d)
elsewhere=$(mktemp -d)
trap 'rm -rf "$prefix" "$elsewhere"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
for file in bin/hebview bin/hebview-render bin/hebview-convert share/hebview/config.txt \
    share/hebview/effectShader.cgfx share/hebview/data/textures/pal_0.png \
    share/hebview/data/Graphs/jhotdraw-mini.rsf; do
    [ -e "$prefix/$file" ] || fail "no $file in the installed copy"
done
cd "$elsewhere" || fail "no empty folder"
out=$("$prefix/bin/hebview-render" -o picture.png 2>&1) || fail "the installed renderer failed: $out"
[[ $out == *"Reading $prefix/share/hebview/data/Graphs/jhotdraw-mini.rsf ... done!"* ]] ||
    fail "the default graph was not found in the installed data: $out"
[ -s picture.png ] || fail "no picture written"
"$prefix/bin/hebview-convert" "$prefix/share/hebview/data/examples/imports.json" -o deps.rsf >/dev/null ||
    fail "the installed converter failed"
echo "installed copy: all checks passed"
