#pragma once

#include "analysis/RuleFile.h"
#include "base/Error.h"
#include "graph/CompoundGraph.h"

#include <cstdint>
#include <vector>

// What the rules find in a graph. Rules count relations, the leaves' own,
// whatever the cut; the relations an ignore line covers are left out of
// every other rule.
struct RuleFindings {
    // Per rule, in file order, the relations that break it, or for an
    // ignore line those it leaves out; each in relation order.
    std::vector<std::vector<int32_t>> relations;
    // A pattern that matches no node, a layer that holds none: where the
    // file has it and what is wrong, so that a rule that can never fire is
    // seen.
    std::vector<Error> warnings;

    // The relations that break rules of that severity, a relation counted
    // once for each rule it breaks.
    int64_t violations(const RuleSet& rules, Severity severity) const;
};

// A relation end is in a pattern's nodes when it or one of its ancestors
// matches. A node belongs to the layer of the nearest of itself and its
// ancestors that a layer line names, the first such line where several
// name one node. For independent and acyclic, an end stands for its highest
// ancestor-or-self that the pattern matches.
RuleFindings checkRules(const RuleSet& rules, const CompoundGraph& graph);
