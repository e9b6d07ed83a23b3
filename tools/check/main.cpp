#include "analysis/CycleGroups.h"
#include "analysis/RuleCheck.h"
#include "analysis/RuleFile.h"
#include "bundling/Bundles.h"
#include "io/FileText.h"
#include "io/GraphReading.h"
#include "model/Cut.h"
#include "model/NamedNodes.h"
#include "tools/check/CheckOptions.h"
#include "tools/check/CheckReport.h"
#include "tools/check/ReportJson.h"
#include "tools/check/ReportText.h"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

// hebview-check: a graph's cycle groups at a cut and its architecture
// rules, for people and for continuous integration.
namespace {

// Bad options, or a graph, rules or baseline file that cannot be read.
constexpr int refusedStatus = 2;

int refuse(const Error& error) {
    std::cerr << "hebview-check: " << error.describe() << '\n';
    return refusedStatus;
}

// What the files hold, each read before any work is done.
struct Inputs {
    CompoundGraph graph;
    std::optional<RuleSet> rules;
    std::optional<std::vector<NamedViolation>> baseline;
};

Result<Inputs> readInputs(const CheckOptions& options) {
    Inputs inputs;
    if (!options.rulesPath.empty()) {
        Result<RuleSet> rules = rulefile::read(options.rulesPath);
        if (!rules) {
            return rules.error();
        }
        inputs.rules = std::move(rules).value();
    }
    if (!options.baselinePath.empty()) {
        Result<std::vector<NamedViolation>> baseline = readBaseline(options.baselinePath);
        if (!baseline) {
            return baseline.error();
        }
        inputs.baseline = std::move(baseline).value();
    }
    if (!options.jsonPath.empty()) {
        if (const Status writable = checkWritable(options.jsonPath); !writable) {
            return writable.error();
        }
    }
    GraphReadOptions reading;
    reading.separator = options.separator;
    reading.dotNames = options.view.dotNames;
    Result<CompoundGraph> graph = readGraph(options.graphPath, reading);
    if (!graph) {
        return graph.error();
    }
    inputs.graph = std::move(graph).value();
    return inputs;
}

// The cut the options ask for, its line, and the cycle groups at it.
Result<CheckReport> cycleReport(const CheckOptions& options, const CompoundGraph& graph) {
    const int32_t depth = options.settings.depth;
    const Result<std::vector<int32_t>> toggled =
        collapsedNodes(options.view, graph, options.graphPath, depth);
    if (!toggled) {
        return toggled.error();
    }
    const Cut cut = cutOf(graph, depth, toggled.value());
    const Bundles bundles = gatherBundles(graph, cut.shownAs);
    const CutSummary summary =
        summaryOf(cut, treeDepth(graph), bundles.bundleCount(), graph.edgeCount());
    return reportOf(graph, summary.line(), cycleGroupsOf(bundles, graph.nodeCount()));
}

} // namespace

int main(int argc, char** argv) {
    const Result<CheckOptions> parsed = parseCheckOptions({argv + 1, argv + argc});
    if (!parsed) {
        std::cerr << "hebview-check: " << parsed.error().describe()
                  << "\n(see hebview-check --help)\n";
        return refusedStatus;
    }
    const CheckOptions& options = parsed.value();
    if (options.helpWanted) {
        std::cout << checkOptionsHelp();
        return 0;
    }
    Result<Inputs> inputs = readInputs(options);
    if (!inputs) {
        return refuse(inputs.error());
    }
    const CompoundGraph& graph = inputs.value().graph;
    Result<CheckReport> report = cycleReport(options, graph);
    if (!report) {
        return refuse(report.error());
    }
    if (const std::optional<RuleSet>& rules = inputs.value().rules) {
        addRules(report.value(), graph, *rules, checkRules(*rules, graph));
    }
    if (const auto& baseline = inputs.value().baseline) {
        compareWithBaseline(report.value(), options.baselinePath, *baseline);
    }
    std::cout << reportText(report.value()) << std::flush;
    if (!options.jsonPath.empty()) {
        if (const Status written = writeFileText(options.jsonPath, reportJson(report.value()));
            !written) {
            return refuse(written.error());
        }
    }
    return exitStatusOf(report.value());
}
