#!/usr/bin/env bash
# A synthetic graph of 2,000,000 nodes and 20,000,000 relations read, cut at
# its readable depth and drawn by hebview-render: the time of each stage
# (--timings), the line that says where the cut is, and the peak memory.
# Run from the repository root after a build:
#   bench/levels_big_graph.sh [build] [output.png|output.svg]
set -euo pipefail
build=${1:-build}
output=${2:-bench-data/levels-big-graph.png}
graph=bench-data/synthetic-2000000-6-13-20000000-70-1.rsf
mkdir -p bench-data
[ -e "$graph" ] || "$build/tools/hebview-graphgen" --nodes 2000000 --depth 6 --fan-out 13 \
    --relations 20000000 --locality 0.7 --seed 1 -o "$graph"
/usr/bin/time -f "peak memory: %M KiB, wall time: %e s" \
    "$build/tools/hebview-render" --timings on --blend density -o "$output" "$graph"
