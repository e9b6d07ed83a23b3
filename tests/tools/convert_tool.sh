#!/usr/bin/env bash
# hebview-convert end to end: each example format becomes a line-format file
# with the same counts; a wrong output name, an unknown option and a bad
# input fail with a clear message, the right status and no file written.
set -uo pipefail
tool=$1
workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

for example in imports.json:26:36 go-mod-graph.txt:33:22 dependencies.csv:16:14 modules.graphml:15:14 \
    deps.dot:14:9; do
    IFS=: read -r file nodes relations <<<"$example"
    out=$("$tool" "data/examples/$file" -o "$workdir/$file.rsf" 2>&1) || fail "$file: $out"
    [ "$out" = "Wrote $workdir/$file.rsf ($nodes nodes, $relations relations)" ] || fail "$file: $out"
    [ "$(head -n 1 "$workdir/$file.rsf")" = "HierarchyElements $nodes" ] || fail "$file: no header"
    [ "$(grep -c '^R ' "$workdir/$file.rsf")" = "$relations" ] || fail "$file: relation lines"
done
# DOT nodes named by their IDs, or by their labels where asked.
grep -qx 'H [0-9]* src/lib/http/client.js' "$workdir/deps.dot.rsf" || fail "deps.dot: names by ID"
out=$("$tool" data/examples/deps.dot --dot-names label -o "$workdir/labels.rsf" 2>&1) || fail "$out"
grep -qx 'H [0-9]* client.js' "$workdir/labels.rsf" || fail "deps.dot: names by label"
printf 'digraph {\n  a ->\n}\n' >"$workdir/bad.dot"
out=$("$tool" "$workdir/bad.dot" -o "$workdir/bad.rsf" 2>&1)
[ $? -eq 1 ] && [[ $out == *"bad.dot:3:1: expected a node or a subgraph after \"->\""* ]] ||
    fail "bad DOT input: $out"
# The line format converts to itself, line for line in content.
"$tool" data/Graphs/small.rsf -o "$workdir/small.rsf" >/dev/null || fail "rsf to rsf"

out=$("$tool" data/examples/imports.json -o "$workdir/x.json" 2>&1)
[ $? -eq 2 ] && [[ $out == *"the output must be a .rsf file"* ]] || fail "wrong output name: $out"
out=$("$tool" data/examples/imports.json --colour red -o "$workdir/x.rsf" 2>&1)
[ $? -eq 2 ] && [[ $out == *"unknown option --colour"* ]] || fail "unknown option: $out"
printf '[{"name": "a"},\n {"name": 3}]' >"$workdir/bad.json"
out=$("$tool" "$workdir/bad.json" -o "$workdir/bad.rsf" 2>&1)
[ $? -eq 1 ] && [[ $out == *"bad.json:2:"*"\"name\" is not a string"* ]] || fail "bad input: $out"
[ ! -e "$workdir/bad.rsf" ] || fail "a file was written for a bad input"
"$tool" --help | grep -q "usage: hebview-convert" || fail "no usage text"
echo "convert tool: all checks passed"
