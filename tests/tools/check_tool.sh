#!/usr/bin/env bash
# hebview-check end to end on a graph worked by hand: top {A {a1, a2},
# B {b1, b2}} with a1 -> b1, b2 -> a2 and a1 -> a2. The leaves make no
# cycle; at depth 1, A and B do. The exit status says whether an error rule
# is broken (with a baseline, by a new relation), 2 for bad input.
set -uo pipefail
tool=$1
workdir=$(mktemp -d)
trap 'rm -rf "$workdir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

graph() {
    printf 'HierarchyElements 7\nRoot 0\n'
    printf 'H 0 top\nH 1 A\nH 2 a1\nH 3 a2\nH 4 B\nH 5 b1\nH 6 b2\n'
    printf 'PCR 0 1\nPCR 1 2\nPCR 1 3\nPCR 0 4\nPCR 4 5\nPCR 4 6\n'
    for relation in "$@"; do
        printf 'R %s\n' "$relation"
    done
}
graph '2 5' '6 3' '2 3' >"$workdir/small.rsf"
rules=$workdir/arch.rules
printf '# the small graph'"'"'s layers\nlayer a A\nlayer b B\nlayers a > b\nforbid A -> B warn "b is optional"  # kept\n' >"$rules"

out=$("$tool" "$workdir/small.rsf")
[ $? -eq 0 ] || fail "no rules, yet status $?"
[ "$out" = "Depth 2 of 2: 3 bundles of 3 relations
Cycles: 0 groups of 0 nodes; 0 relations inside them, 0 to cut" ] || fail "whole tree: $out"

out=$("$tool" --rules "$rules" "$workdir/small.rsf")
[ $? -eq 1 ] || fail "a broken error rule must give status 1"
[ "$out" = "Depth 2 of 2: 3 bundles of 3 relations
Cycles: 0 groups of 0 nodes; 0 relations inside them, 0 to cut
$rules:4: layers a > b: 1 violation
  B.b2 -> A.a2
$rules:5: forbid A -> B warn \"b is optional\": 1 violation
  A.a1 -> B.b1
Rules: 2 violations (1 error, 1 warning) in 3 relations" ] || fail "rules: $out"

out=$("$tool" --depth 1 --rules "$rules" --json "$workdir/report.json" "$workdir/small.rsf")
[ $? -eq 1 ] || fail "depth 1 with rules: status"
[[ $out == "Depth 1 of 2: 2 bundles of 3 relations
Cycles: 1 group of 2 nodes; 2 relations inside them, 1 to cut
"* ]] || fail "depth 1: $out"
cat >"$workdir/expected.json" <<JSON
{
  "cut": "Depth 1 of 2: 2 bundles of 3 relations",
  "cycles": {
    "groups": [
      {
        "nodes": [
          "A",
          "B"
        ],
        "relations": 2
      }
    ],
    "cut": [
      {
        "from": "B",
        "to": "A",
        "relations": 1
      }
    ]
  },
  "rules": [
    {
      "line": 4,
      "rule": "layers a > b",
      "severity": "error",
      "violations": 1,
      "relations": [
        {
          "from": "B.b2",
          "to": "A.a2"
        }
      ]
    },
    {
      "line": 5,
      "rule": "forbid A -> B warn \"b is optional\"",
      "severity": "warning",
      "violations": 1,
      "relations": [
        {
          "from": "A.a1",
          "to": "B.b1"
        }
      ]
    }
  ],
  "warnings": []
}
JSON
diff "$workdir/expected.json" "$workdir/report.json" >&2 || fail "the JSON report differs"

# Nodes to collapse are named as the viewer names them: by path, with the
# root's name or without.
out=$("$tool" --collapse top.A --collapse B "$workdir/small.rsf")
[ "$out" = "Custom cut: 2 bundles of 3 relations
Cycles: 1 group of 2 nodes; 2 relations inside them, 1 to cut" ] || fail "collapsed: $out"
out=$("$tool" --collapse A "$workdir/small.rsf" | tail -n 1)
[ "$out" = "Cycles: 0 groups of 0 nodes; 0 relations inside them, 0 to cut" ] || fail "A alone: $out"

# A warning alone never fails.
printf 'forbid A -> B warn\n' >"$workdir/warn.rules"
"$tool" --rules "$workdir/warn.rules" "$workdir/small.rsf" >/dev/null || fail "a warning failed the check"

# The baseline: what it has does not fail; a new violation does; one fixed
# since is listed.
out=$("$tool" --rules "$rules" --baseline "$workdir/report.json" "$workdir/small.rsf")
[ $? -eq 0 ] || fail "violations in the baseline failed the check: $out"
[[ $out == *"$rules:4: layers a > b: 1 violation, 0 new
"*"Baseline $workdir/report.json: 0 new violations (0 errors, 0 warnings), 0 fixed" ]] ||
    fail "baseline, nothing new: $out"
graph '2 5' '6 3' '2 3' '5 2' >"$workdir/more.rsf"
out=$("$tool" --rules "$rules" --baseline "$workdir/report.json" "$workdir/more.rsf")
[ $? -eq 1 ] || fail "a new violation passed the check"
[[ $out == *"$rules:4: layers a > b: 2 violations, 1 new
  B.b1 -> A.a1
"*"Baseline $workdir/report.json: 1 new violation (1 error, 0 warnings), 0 fixed" ]] ||
    fail "baseline, one new: $out"
graph '2 5' '2 3' >"$workdir/fixed.rsf"
out=$("$tool" --rules "$rules" --baseline "$workdir/report.json" "$workdir/fixed.rsf")
[ $? -eq 0 ] || fail "a fixed violation failed the check"
[[ $out == *"Baseline $workdir/report.json: 0 new violations (0 errors, 0 warnings), 1 fixed
  layers a > b: B.b2 -> A.a2" ]] || fail "baseline, one fixed: $out"

# The matrix at depth 1: A's diagonal holds a1 -> a2, A -> B and B -> A one
# each. With the whole tree partitioned, a2 comes before a1, which uses it.
out=$("$tool" --depth 1 --matrix "$workdir/matrix.csv" "$workdir/small.rsf")
[ $? -eq 0 ] || fail "--matrix: status"
[ "$(cat "$workdir/matrix.csv")" = $',A,B\r\nA,1,1\r\nB,1,0\r' ] ||
    fail "matrix at depth 1: $(cat -A "$workdir/matrix.csv")"
"$tool" --matrix "$workdir/parts.csv" --matrix-order partitioned "$workdir/small.rsf" >/dev/null ||
    fail "--matrix-order partitioned: status"
[ "$(head -n 1 "$workdir/parts.csv")" = $',A.a2,A.a1,B.b1,B.b2\r' ] ||
    fail "partitioned matrix: $(cat -A "$workdir/parts.csv")"
out=$("$tool" --matrix "$workdir/none/matrix.csv" "$workdir/small.rsf" 2>&1)
[ $? -eq 2 ] && [[ $out != *Cycles* ]] && [[ $out == *"none/matrix.csv"* ]] ||
    fail "an unwritable matrix file must be refused before the work: $out"
out=$("$tool" --matrix-order sideways "$workdir/small.rsf" 2>&1)
[ $? -eq 2 ] && [[ $out == *"bad value 'sideways' for --matrix-order (NAME|0-1)"* ]] ||
    fail "bad matrix order: $out"

# Bad input: status 2 and where the fault is.
printf 'layer a A\nforbid a => B\n' >"$workdir/arrow.rules"
out=$("$tool" --rules "$workdir/arrow.rules" "$workdir/small.rsf" 2>&1)
[ $? -eq 2 ] && [[ $out == *"arrow.rules:2:10: expected '->' between FROM and TO, found '=>'"* ]] ||
    fail "bad rules: $out"
printf '{"rules": [\n  nope]}\n' >"$workdir/bad.json"
out=$("$tool" --rules "$rules" --baseline "$workdir/bad.json" "$workdir/small.rsf" 2>&1)
[ $? -eq 2 ] && [[ $out == *"bad.json:2:4: syntax error while parsing value"* ]] || fail "bad baseline: $out"
out=$("$tool" "$workdir/missing.rsf" 2>&1)
[ $? -eq 2 ] && [[ $out == *"missing.rsf: cannot open the file"* ]] || fail "missing graph: $out"
out=$("$tool" --collapse C "$workdir/small.rsf" 2>&1)
[ $? -eq 2 ] && [[ $out == *"no node named 'C'"* ]] || fail "unknown node: $out"
out=$("$tool" --colour red "$workdir/small.rsf" 2>&1)
[ $? -eq 2 ] && [[ $out == *"unknown option --colour"* ]] || fail "unknown option: $out"
out=$("$tool" 2>&1)
[ $? -eq 2 ] && [[ $out == *"a graph file is needed"* ]] || fail "no graph: $out"
# A DOT file: clusters A {x "a1", y "a2"} and B {z "b1"}, x -> z -> y. At
# depth 1, A and B form one group; the rule names the labels' paths.
printf 'digraph { subgraph cluster_A { x [label="a1"]; y [label="a2"] }\n' >"$workdir/deps.dot"
printf '  subgraph cluster_B { z [label="b1"] }\n  x -> z; z -> y }\n' >>"$workdir/deps.dot"
printf 'forbid B -> A\n' >"$workdir/dot.rules"
out=$("$tool" --dot-names label --depth 1 --rules "$workdir/dot.rules" "$workdir/deps.dot")
[ $? -eq 1 ] && [[ $out == *"Cycles: 1 group of 2 nodes; 2 relations inside them, 1 to cut"* ]] &&
    [[ $out == *$'\n  B.b1 -> A.a2\n'* ]] || fail "a DOT file by its labels: $out"
out=$("$tool" --help) || fail "--help failed"
for option in --rules --depth --collapse --separator --dot-names --json --baseline --matrix \
    --matrix-order; do
    [[ $out == *"  $option "* ]] || fail "--help lacks $option"
done
echo "check tool: all checks passed"
