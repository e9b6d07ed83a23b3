#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds, and runs every
# test: unit, render and end-to-end tests on the optimised build, then the
# unit tests again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then short fuzzing runs of the parsers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/check-format.sh
scripts/build.sh
ctest --test-dir build --output-on-failure -j2

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DHEBVIEW_SANITIZE=ON \
    -DHEBVIEW_BENCH=OFF >/dev/null
cmake --build build-sanitize --target hebview_core_tests hebview_unit_tests hebview-rampgen \
    hebview-convert hebview-check
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-sanitize -L unit --output-on-failure -j2
# Short fuzzing runs of the graph readers and the effect file reader, each
# seeded with a real file.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DHEBVIEW_FUZZ=ON >/dev/null
cmake --build build-fuzz
corpus=$(mktemp -d)
trap 'rm -rf "$corpus"' EXIT
cp data/Graphs/small.rsf "$corpus/"
build-fuzz/tests/fuzz/fuzz_graph_file -max_total_time=15 -max_len=4096 \
    -dict=tests/fuzz/graph.dict "$corpus" 2>&1 | tail -n 1
# The readers of the other formats and of architecture rules, each seeded
# with its example file (and its words, where a dictionary lists them).
for target in json:imports.json edgelist:go-mod-graph.txt graphml:modules.graphml dot:deps.dot \
    rule_file:jhotdraw.rules; do
    seeds=$(mktemp -d)
    cp "data/examples/${target#*:}" "$seeds/"
    words=()
    [ -e "tests/fuzz/${target%%:*}.dict" ] && words=(-dict="tests/fuzz/${target%%:*}.dict")
    build-fuzz/tests/fuzz/fuzz_${target%%:*} -max_total_time=8 -max_len=4096 "${words[@]}" "$seeds" 2>&1 |
        tail -n 1
    rm -rf "$seeds"
done
effects=$(mktemp -d)
trap 'rm -rf "$corpus" "$effects"' EXIT
cp effectShader.cgfx "$effects/"
build-fuzz/tests/fuzz/fuzz_effect_file -max_total_time=10 -max_len=4096 "$effects" 2>&1 | tail -n 1
echo "All tests passed."
