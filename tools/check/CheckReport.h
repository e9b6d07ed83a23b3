#pragma once

#include "analysis/CycleGroups.h"
#include "analysis/RuleCheck.h"
#include "analysis/RuleFile.h"
#include "graph/CompoundGraph.h"

#include <cstdint>
#include <string>
#include <vector>

// A relation named by the paths of its ends (see nodePath).
struct NamedRelation {
    std::string from;
    std::string to;

    auto operator<=>(const NamedRelation&) const = default;
};

// A relation that broke a rule, as a report names it: a baseline's entry.
struct NamedViolation {
    std::string rule;
    NamedRelation relation;

    auto operator<=>(const NamedViolation&) const = default;
};

// What hebview-check says about a rules file's line.
struct RuleLine {
    int line = 0;
    std::string text;
    bool ignore = false;
    Severity severity = Severity::Error;
    // The relations that break the rule; for an ignore line, only their count.
    std::vector<NamedRelation> relations;
    int64_t count = 0;
    // With a baseline: the relations that break the rule and that it lacks.
    std::vector<NamedRelation> fresh;
};

struct NamedGroup {
    std::vector<std::string> nodes;
    int64_t relations = 0;
};

struct NamedBundle {
    NamedRelation ends;
    int64_t relations = 0;
};

// Everything hebview-check reports, nodes named by their paths, so that the
// text and the JSON say the same.
struct CheckReport {
    std::string cutLine;
    std::string cyclesLine;
    std::vector<NamedGroup> groups;
    std::vector<NamedBundle> toCut;
    // Present with a rules file.
    bool rulesChecked = false;
    std::string rulesPath;
    std::vector<Error> warnings;
    std::vector<RuleLine> rules;
    // All the graph's relations.
    int64_t relations = 0;
    // Present with a baseline: its path, and the violations it has that
    // are gone.
    std::string baselinePath;
    std::vector<NamedViolation> fixed;
};

CheckReport reportOf(const CompoundGraph& graph, const std::string& cutLine,
                     const CycleGroups& cycles);
// The rules' findings added to the report.
void addRules(CheckReport& report, const CompoundGraph& graph, const RuleSet& rules,
              const RuleFindings& findings);
// The violations compared with an earlier report's: each rule's fresh ones
// (by the rule's text and the ends' paths, a repeat counted as often as it
// comes) and those the earlier report had that are gone.
void compareWithBaseline(CheckReport& report, const std::string& baselinePath,
                         const std::vector<NamedViolation>& baseline);

// 1 when an error rule is broken (with a baseline: by a relation it lacks), else 0.
int exitStatusOf(const CheckReport& report);
