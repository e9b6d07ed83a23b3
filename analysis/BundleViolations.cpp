#include "analysis/BundleViolations.h"

#include <map>
#include <unordered_map>

namespace {

uint64_t pairKey(int32_t from, int32_t to) {
    return (static_cast<uint64_t>(static_cast<uint32_t>(from)) << 32) | static_cast<uint32_t>(to);
}

} // namespace

std::vector<RuleOnBundles> violationsOnBundles(const RuleSet& rules, const RuleFindings& found,
                                               const CompoundGraph& graph, const Bundles& bundles,
                                               std::span<const int32_t> shownAs) {
    std::vector<RuleOnBundles> onBundles;
    // In a comparison a pair has a bundle per kind: the first takes them.
    std::unordered_map<uint64_t, int32_t> bundleOf;
    for (int32_t b = bundles.bundleCount() - 1; b >= 0; --b) {
        bundleOf[pairKey(bundles.source[static_cast<std::size_t>(b)],
                         bundles.target[static_cast<std::size_t>(b)])] = b;
    }
    const auto shown = [&shownAs](int32_t node) {
        return shownAs.empty() ? node : shownAs[static_cast<std::size_t>(node)];
    };
    for (std::size_t r = 0; r < rules.rules.size() && r < found.relations.size(); ++r) {
        if (rules.rules[r].kind == Rule::Kind::Ignore) {
            continue;
        }
        std::map<int32_t, uint32_t> perBundle;
        for (const int32_t relation : found.relations[r]) {
            const auto e = static_cast<std::size_t>(relation);
            const auto bundle =
                bundleOf.find(pairKey(shown(graph.source[e]), shown(graph.target[e])));
            if (bundle != bundleOf.end()) {
                ++perBundle[bundle->second];
            }
        }
        RuleOnBundles rule;
        rule.rule = static_cast<int32_t>(r);
        rule.violations = static_cast<int64_t>(found.relations[r].size());
        for (const auto& [bundle, relations] : perBundle) {
            rule.bundles.push_back(bundle);
            rule.relations.push_back(relations);
        }
        onBundles.push_back(std::move(rule));
    }
    return onBundles;
}
