#include "bench/BenchData.h"
#include "graph/Graph.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

namespace {

// The graph of the targets, loaded once: every benchmark here reuses it.
Graph& millionGraph() {
    static const std::unique_ptr<Graph> graph = [] {
        auto loaded = loadQuietly(syntheticGraphFile(millionRelations()));
        loaded->setBeta(1.0f);
        return loaded;
    }();
    return *graph;
}

std::size_t splinePointBytes(const Graph& graph) {
    return graph.edges.size() * Graph::samplesPerEdge * 2 * sizeof(float);
}

void buildSplines(benchmark::State& state) {
    Graph& graph = millionGraph();
    for (auto _ : state) {
        graph.buildSplines();
    }
    state.counters["edges"] = static_cast<double>(graph.edges.size());
}
BENCHMARK(buildSplines)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

void setLayout(benchmark::State& state) {
    Graph& graph = millionGraph();
    const auto type = static_cast<TreeLayoutType>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        graph.setLayout(type == TreeLayoutType::Radial ? TreeLayoutType::Classic : TreeLayoutType::Radial);
        state.ResumeTiming();
        graph.setLayout(type);
    }
    state.SetLabel(treeLayoutLabels[state.range(0)]);
}
BENCHMARK(setLayout)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// The reference for setBeta: copying the bytes that it writes.
void copySplinePoints(benchmark::State& state) {
    Graph& graph = millionGraph();
    const std::size_t bytes = splinePointBytes(graph);
    auto copy = std::make_unique_for_overwrite<char[]>(bytes);
    std::memset(copy.get(), 0, bytes);
    for (auto _ : state) {
        std::memcpy(copy.get(), graph.splinePoints.get(), bytes);
        benchmark::DoNotOptimize(copy.get());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(copySplinePoints)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void setBeta(benchmark::State& state) {
    Graph& graph = millionGraph();
    float strength = 0.5f;
    for (auto _ : state) {
        strength = strength == 0.5f ? 0.75f : 0.5f;
        graph.setBeta(strength);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * splinePointBytes(graph)));
    state.counters["peak_rss_MiB"] = peakResidentMiB();
}
BENCHMARK(setBeta)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
