#!/usr/bin/env bash
# The CPU time the viewer takes over 10 s with nothing changing, once
# jhotdraw is drawn: an idle viewer should rest. Run from the repository root
# after a build:   bench/viewer_idle_cpu.sh [build]
source "$(dirname "$0")/../tests/e2e/lib.sh"
build=${1:-build}
start_display
start_viewer "$build/app/hebview" data/Graphs/jhotdraw.rsf
wait_for_console "Building Splines ... done!" 60
viewer_window >/dev/null
sleep 5
ticks() { awk '{ print $14 + $15 }' "/proc/$viewer_pid/stat"; }
before=$(ticks)
sleep 10
after=$(ticks)
hertz=$(getconf CLK_TCK)
awk -v t=$((after - before)) -v hz="$hertz" \
    'BEGIN { printf "Idle viewer: %.1f%% of one core over 10 s\n", 100 * t / hz / 10 }'
