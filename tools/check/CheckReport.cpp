#include "tools/check/CheckReport.h"

#include "analysis/NodePaths.h"

#include <algorithm>
#include <cstddef>
#include <map>

namespace {

NamedRelation namedRelation(const CompoundGraph& graph, int32_t from, int32_t to) {
    return {nodePath(graph, from), nodePath(graph, to)};
}

} // namespace

CheckReport reportOf(const CompoundGraph& graph, const std::string& cutLine,
                     const CycleGroups& cycles) {
    CheckReport report;
    report.cutLine = cutLine;
    report.cyclesLine = cycles.line();
    report.relations = graph.edgeCount();
    for (const CycleGroup& group : cycles.groups) {
        NamedGroup& named = report.groups.emplace_back();
        named.relations = group.relations;
        for (const int32_t node : group.nodes) {
            named.nodes.push_back(nodePath(graph, node));
        }
    }
    for (const BundleToCut& bundle : cycles.toCut) {
        report.toCut.push_back({namedRelation(graph, bundle.from, bundle.to), bundle.relations});
    }
    return report;
}

void addRules(CheckReport& report, const CompoundGraph& graph, const RuleSet& rules,
              const RuleFindings& findings) {
    report.rulesChecked = true;
    report.rulesPath = rules.path;
    report.warnings = findings.warnings;
    for (std::size_t r = 0; r < rules.rules.size(); ++r) {
        const Rule& rule = rules.rules[r];
        RuleLine& line = report.rules.emplace_back();
        line.line = rule.line;
        line.text = rule.text;
        line.ignore = rule.kind == Rule::Kind::Ignore;
        line.severity = rule.severity;
        line.count = static_cast<int64_t>(findings.relations[r].size());
        if (line.ignore) {
            continue;
        }
        for (const int32_t relation : findings.relations[r]) {
            const auto e = static_cast<std::size_t>(relation);
            line.relations.push_back(namedRelation(graph, graph.source[e], graph.target[e]));
        }
    }
}

void compareWithBaseline(CheckReport& report, const std::string& baselinePath,
                         const std::vector<NamedViolation>& baseline) {
    report.baselinePath = baselinePath;
    // How often the baseline has each violation, used up as they are found again.
    std::map<NamedViolation, int64_t> earlier;
    for (const NamedViolation& violation : baseline) {
        ++earlier[violation];
    }
    for (RuleLine& line : report.rules) {
        for (const NamedRelation& relation : line.relations) {
            const auto found = earlier.find({line.text, relation});
            if (found != earlier.end() && found->second > 0) {
                --found->second;
            } else {
                line.fresh.push_back(relation);
            }
        }
    }
    for (const NamedViolation& violation : baseline) {
        auto& left = earlier[violation];
        if (left > 0) {
            --left;
            report.fixed.push_back(violation);
        }
    }
}

int exitStatusOf(const CheckReport& report) {
    const bool compared = !report.baselinePath.empty();
    const bool broken =
        std::any_of(report.rules.begin(), report.rules.end(), [&](const RuleLine& line) {
            return !line.ignore && line.severity == Severity::Error &&
                   !(compared ? line.fresh : line.relations).empty();
        });
    return broken ? 1 : 0;
}
