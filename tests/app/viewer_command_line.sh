#!/usr/bin/env bash
# The viewer's command line without a display: --help and --version answer,
# an unknown option prints the usage and exits 2, and a real start says that
# there is no display.
set -uo pipefail
viewer=$1
fail() { echo "FAIL: $*" >&2; exit 1; }
unset DISPLAY

out=$("$viewer" --help 2>&1) || fail "--help failed: $out"
[[ $out == "usage: hebview [options] [GRAPH]"* && $out == *"--spline-width 1-20"* ]] || fail "--help: $out"
out=$("$viewer" --version 2>&1) || fail "--version failed: $out"
[[ $out =~ ^hebview\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version: $out"
out=$("$viewer" --bogus 2>&1)
status=$?
[ "$status" = 2 ] && [[ $out == "hebview: unknown option --bogus"*"usage: hebview"* ]] ||
    fail "an unknown option gave status $status: $out"
out=$("$viewer" data/Graphs/small.rsf 2>&1)
status=$?
[ "$status" = 1 ] && [[ $out == *"no display to open a window on"* ]] ||
    fail "without a display: status $status: $out"
echo "viewer command line: all checks passed"
