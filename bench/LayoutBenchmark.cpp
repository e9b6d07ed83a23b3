#include "bench/BenchData.h"
#include "layout/TreeLayoutData.h"
#include "model/Scene.h"

#include <benchmark/benchmark.h>

#include <fstream>

namespace {

// 100,000 nodes from the generator, hierarchy only.
const std::string& hierarchyFile() {
    static const std::string path = syntheticGraphFile(millionRelationsNodesWith(0));
    return path;
}

// 100,001 nodes: the root, two hubs, and 50,000 and 49,998 leaves under them.
const std::string& wideFile() {
    static const std::string path = [] {
        const std::string file = "bench-data/wide-50000.rsf";
        std::ofstream out(file);
        const int nodes = 100001;
        out << "HierarchyElements " << nodes << "\nRoot 0\nPCR 0 1\nPCR 0 2\n";
        for (int i = 3; i < nodes; ++i) {
            out << "PCR " << (i < 50003 ? 1 : 2) << ' ' << i << '\n';
        }
        return file;
    }();
    return path;
}

// Spans, levels and the treemap's mirror of the hierarchy.
void buildLayouts(benchmark::State& state) {
    auto scene = loadQuietly(hierarchyFile());
    for (auto _ : state) {
        scene->buildLayouts();
    }
    state.counters["nodes"] = static_cast<double>(scene->graph().nodeCount());
}
BENCHMARK(buildLayouts)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A layout switch as the viewer makes it: positions, then the curves (of
// which these graphs have none) sampled and mixed again.
void setLayout(benchmark::State& state, const std::string& path) {
    auto scene = loadQuietly(path);
    switchLayouts(state, *scene);
    state.SetLabel(treeLayoutLabels[state.range(0)]);
}
BENCHMARK_CAPTURE(setLayout, hierarchy, hierarchyFile())
    ->DenseRange(0, 4)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(setLayout, wide, wideFile())
    ->DenseRange(2, 4)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
