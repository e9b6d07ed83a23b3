#!/usr/bin/env bash
# The viewer's command line without a display: --help and --version answer,
# --help lists every drawing and view option of hebview-render's, an unknown
# option prints the usage and exits 2, and a real start says that there is
# no display.
set -uo pipefail
viewer=$1
render=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
unset DISPLAY

out=$("$viewer" --help 2>&1) || fail "--help failed: $out"
[[ $out == "usage: hebview [options] [GRAPH]"* && $out == *"--spline-width 1-20"* ]] || fail "--help: $out"
# The options of a --help text, one per line. Those of the output file, and
# the separator of names, are hebview-render's alone.
optionsOf() { sed -n 's/^  \(--*[a-z-]*\) .*/\1/p' | sort; }
missing=$(comm -23 <("$render" --help | optionsOf) <("$viewer" --help | optionsOf) |
    grep -vxE -- '-o|--size|--background|--timings|--separator')
[ -z "$missing" ] || fail "hebview --help lacks options of hebview-render:" $missing
out=$("$viewer" --version 2>&1) || fail "--version failed: $out"
[[ $out =~ ^hebview\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version: $out"
out=$("$viewer" --bogus 2>&1)
status=$?
[ "$status" = 2 ] && [[ $out == "hebview: unknown option --bogus"*"usage: hebview"* ]] ||
    fail "an unknown option gave status $status: $out"
out=$("$viewer" --highlight a.b --search b --zoom 2 --center 0.5,-0.5 data/Graphs/small.rsf 2>&1)
status=$?
[ "$status" = 1 ] && [[ $out == *"no display to open a window on"* ]] ||
    fail "without a display: status $status: $out"
echo "viewer command line: all checks passed"
