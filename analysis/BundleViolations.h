#pragma once

#include "analysis/RuleCheck.h"
#include "analysis/RuleFile.h"
#include "bundling/Bundles.h"
#include "graph/CompoundGraph.h"

#include <cstdint>
#include <span>
#include <vector>

// The rules' violations as a cut draws them: for each rule that can be
// broken (ignore lines cannot), the bundles carrying relations that break
// it. A relation inside a collapsed node lies in no bundle, but still
// counts: the counts never depend on the cut.
struct RuleOnBundles {
    // Into RuleSet::rules.
    int32_t rule = 0;
    // The bundles, in bundle order, and how many of each one's relations
    // break the rule.
    std::vector<int32_t> bundles;
    std::vector<uint32_t> relations;
    // Every relation that breaks the rule, drawn or not.
    int64_t violations = 0;
};

// In file order. shownAs as Cut::shownAs (empty: every node shown as
// itself); the bundles must be the cut's.
std::vector<RuleOnBundles> violationsOnBundles(const RuleSet& rules, const RuleFindings& found,
                                               const CompoundGraph& graph, const Bundles& bundles,
                                               std::span<const int32_t> shownAs);
