#include "analysis/CycleGroups.h"
#include "analysis/RuleCheck.h"
#include "analysis/RuleFile.h"
#include "bench/BenchData.h"
#include "io/GraphReading.h"
#include "model/Cut.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

// Ten rules of every kind, as bench/check_big_graph.sh gives them to
// hebview-check.
const char* const tenRulesPath = HEBVIEW_SOURCE_DIR "/bench/ten.rules";

CompoundGraph graphOf(benchmark::State& state, const SyntheticGraphParameters& parameters) {
    Result<CompoundGraph> graph = readGraph(syntheticGraphFile(parameters));
    if (!graph) {
        state.SkipWithError(graph.error().describe().c_str());
        return {};
    }
    return std::move(graph).value();
}

// The cycle groups and the bundles to cut at full depth, the bundles
// gathered as hebview-check gathers them.
void cycleGroups(benchmark::State& state, const SyntheticGraphParameters& parameters) {
    const CompoundGraph graph = graphOf(state, parameters);
    CycleGroups found;
    for (auto _ : state) {
        const Cut cut = cutOf(graph, 0);
        found = cycleGroupsOf(gatherBundles(graph, cut.shownAs), graph.nodeCount());
    }
    state.counters["groups"] = static_cast<double>(found.groups.size());
    state.counters["group_nodes"] = static_cast<double>(found.nodeCount());
    state.counters["inner_relations"] = static_cast<double>(found.innerRelations());
    state.counters["cut_relations"] = static_cast<double>(found.cutRelations());
    state.counters["peak_rss_MiB"] = peakResidentMiB();
}
BENCHMARK_CAPTURE(cycleGroups, relations_245210, debianSized())
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(cycleGroups, relations_20000000, twentyMillionRelations())
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(1);

void tenRulesChecked(benchmark::State& state, const SyntheticGraphParameters& parameters) {
    const CompoundGraph graph = graphOf(state, parameters);
    const Result<RuleSet> rules = rulefile::read(tenRulesPath);
    if (!rules) {
        state.SkipWithError(rules.error().describe().c_str());
        return;
    }
    int64_t violations = 0;
    for (auto _ : state) {
        const RuleFindings found = checkRules(rules.value(), graph);
        violations = found.violations(rules.value(), Severity::Error) +
                     found.violations(rules.value(), Severity::Warning);
    }
    state.counters["violations"] = static_cast<double>(violations);
}
BENCHMARK_CAPTURE(tenRulesChecked, relations_245210, debianSized())
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The reference of the same run: copying the graph's relations once.
void copyRelations(benchmark::State& state, const SyntheticGraphParameters& parameters) {
    const CompoundGraph graph = graphOf(state, parameters);
    std::vector<int32_t> copy(graph.source.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), graph.source.data(), copy.size() * sizeof(int32_t));
        benchmark::DoNotOptimize(copy.data());
    }
}
BENCHMARK_CAPTURE(copyRelations, relations_245210, debianSized())
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
