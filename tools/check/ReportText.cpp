#include "tools/check/ReportText.h"

#include "base/Counted.h"

#include <algorithm>
#include <cstddef>
#include <span>

namespace {

// Relations listed under a rule at the most; the rest are counted.
constexpr std::size_t listedRelations = 10;

std::string relationText(const NamedRelation& relation) {
    return printable(relation.from) + " -> " + printable(relation.to);
}

// Up to listedRelations lines "  prefix a -> b", then "  ... and M more".
template <typename Item, typename Text>
std::string listed(std::span<const Item> items, Text&& text) {
    std::string lines;
    for (std::size_t i = 0; i < std::min(items.size(), listedRelations); ++i) {
        lines += "  " + text(items[i]) + "\n";
    }
    if (items.size() > listedRelations) {
        lines += "  ... and " + std::to_string(items.size() - listedRelations) + " more\n";
    }
    return lines;
}

// "V violations (E errors, W warnings)", or "V new violations (...)".
std::string violationsLine(int64_t errors, int64_t warnings, bool fresh = false) {
    return counted(errors + warnings, fresh ? "new violation" : "violation",
                   fresh ? "new violations" : "violations") +
           " (" + counted(errors, "error", "errors") + ", " +
           counted(warnings, "warning", "warnings") + ")";
}

std::string ruleText(const CheckReport& report, const RuleLine& line, bool compared) {
    std::string text = printable(report.rulesPath) + ":" + std::to_string(line.line) + ": " +
                       printable(line.text) + ": ";
    if (line.ignore) {
        return text + counted(line.count, "relation", "relations") + " left out\n";
    }
    text += counted(line.count, "violation", "violations");
    if (compared) {
        text += ", " + std::to_string(line.fresh.size()) + " new";
    }
    const std::vector<NamedRelation>& shown = compared ? line.fresh : line.relations;
    return text + "\n" + listed(std::span<const NamedRelation>(shown), relationText);
}

} // namespace

std::string reportText(const CheckReport& report) {
    std::string text = report.cutLine + "\n" + report.cyclesLine + "\n";
    if (!report.rulesChecked) {
        return text;
    }
    for (Error warning : report.warnings) {
        warning.reason = "warning: " + warning.reason;
        text += warning.describe() + "\n";
    }
    const bool compared = !report.baselinePath.empty();
    int64_t bySeverity[2] = {0, 0};
    int64_t freshBySeverity[2] = {0, 0};
    for (const RuleLine& line : report.rules) {
        text += ruleText(report, line, compared);
        if (!line.ignore) {
            bySeverity[line.severity == Severity::Warning] += line.count;
            freshBySeverity[line.severity == Severity::Warning] +=
                static_cast<int64_t>(line.fresh.size());
        }
    }
    text += "Rules: " + violationsLine(bySeverity[0], bySeverity[1]) + " in " +
            counted(report.relations, "relation", "relations") + "\n";
    if (compared) {
        text += "Baseline " + printable(report.baselinePath) + ": " +
                violationsLine(freshBySeverity[0], freshBySeverity[1], true) + ", " +
                std::to_string(report.fixed.size()) + " fixed\n";
        text +=
            listed(std::span<const NamedViolation>(report.fixed), [](const NamedViolation& fixed) {
                return printable(fixed.rule) + ": " + relationText(fixed.relation);
            });
    }
    return text;
}
