#include "analysis/CycleGroups.h"
#include "analysis/DependencyMatrix.h"
#include "analysis/MatrixCsv.h"
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
#include <utility>
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
    for (const std::string& output : {options.jsonPath, options.matrixPath}) {
        if (!output.empty()) {
            if (const Status writable = checkWritable(output); !writable) {
                return writable.error();
            }
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

// The cut the options ask for and its bundles.
struct CutBundles {
    Cut cut;
    Bundles bundles;
};

Result<CutBundles> cutBundles(const CheckOptions& options, const CompoundGraph& graph) {
    const int32_t depth = options.settings.depth;
    const Result<std::vector<int32_t>> toggled =
        collapsedNodes(options.view, graph, options.graphPath, depth);
    if (!toggled) {
        return toggled.error();
    }
    Cut cut = cutOf(graph, depth, toggled.value());
    Bundles bundles = gatherBundles(graph, cut.shownAs);
    return CutBundles{std::move(cut), std::move(bundles)};
}

// The cut's line and the cycle groups at it.
CheckReport cycleReport(const CompoundGraph& graph, const CutBundles& at) {
    const CutSummary summary =
        summaryOf(at.cut, treeDepth(graph), at.bundles.bundleCount(), graph.edgeCount());
    return reportOf(graph, summary.line(), cycleGroupsOf(at.bundles, graph.nodeCount()));
}

Status writeMatrix(const CheckOptions& options, const CompoundGraph& graph, const CutBundles& at) {
    const DependencyMatrix matrix =
        dependencyMatrix(graph, at.cut.shownAs, at.bundles, options.settings.matrixOrder);
    return writeFileInPieces(options.matrixPath,
                             [&](const TextSink& sink) { writeMatrixCsv(graph, matrix, sink); });
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
    const Result<CutBundles> at = cutBundles(options, graph);
    if (!at) {
        return refuse(at.error());
    }
    CheckReport report = cycleReport(graph, at.value());
    if (const std::optional<RuleSet>& rules = inputs.value().rules) {
        addRules(report, graph, *rules, checkRules(*rules, graph));
    }
    if (const auto& baseline = inputs.value().baseline) {
        compareWithBaseline(report, options.baselinePath, *baseline);
    }
    std::cout << reportText(report) << std::flush;
    if (!options.jsonPath.empty()) {
        if (const Status written = writeFileText(options.jsonPath, reportJson(report)); !written) {
            return refuse(written.error());
        }
    }
    if (!options.matrixPath.empty()) {
        if (const Status written = writeMatrix(options, graph, at.value()); !written) {
            return refuse(written.error());
        }
    }
    return exitStatusOf(report);
}
