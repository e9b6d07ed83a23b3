#include "bench/BenchData.h"
#include "model/GraphLoading.h"
#include "model/Scene.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <iostream>
#include <memory>
#include <thread>

namespace {

// The graph of the targets, loaded once: every benchmark here reuses it.
Scene& millionScene() {
    static const std::unique_ptr<Scene> scene = [] {
        auto loaded = loadQuietly(syntheticGraphFile(millionRelations()));
        loaded->applyStrength(1.0f);
        return loaded;
    }();
    return *scene;
}

std::size_t splinePointBytes(const Scene& scene) {
    return scene.curves().points.size() * sizeof(float);
}

// Every edge's control polygon, then its samples from the node positions.
void buildSplines(benchmark::State& state) {
    Scene& scene = millionScene();
    for (auto _ : state) {
        scene.buildRoutes();
        scene.sampleCurves();
    }
    state.counters["edges"] = static_cast<double>(scene.graph().edgeCount());
}
BENCHMARK(buildSplines)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

// A layout switch: positions, samples, and the mix with the strength applied.
void setLayout(benchmark::State& state) {
    switchLayouts(state, millionScene());
    state.SetLabel(treeLayoutLabels[state.range(0)]);
}
BENCHMARK(setLayout)
    ->DenseRange(0, 4)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// The reference for setBeta: copying the bytes that it writes.
void copySplinePoints(benchmark::State& state) {
    Scene& scene = millionScene();
    const std::size_t bytes = splinePointBytes(scene);
    auto copy = std::make_unique_for_overwrite<char[]>(bytes);
    std::memset(copy.get(), 0, bytes);
    for (auto _ : state) {
        std::memcpy(copy.get(), scene.curves().points.data(), bytes);
        benchmark::DoNotOptimize(copy.get());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}
BENCHMARK(copySplinePoints)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The mix by a new strength with the arc lengths.
void setBeta(benchmark::State& state) {
    Scene& scene = millionScene();
    float strength = 0.5f;
    for (auto _ : state) {
        strength = strength == 0.5f ? 0.75f : 0.5f;
        scene.applyStrength(strength);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * splinePointBytes(scene)));
    state.counters["peak_rss_MiB"] = peakResidentMiB();
}
BENCHMARK(setBeta)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

namespace {

// The same stages on pools of 1, 2 and every core, for the speed-up that
// threads give: routes with samples, and the mix with the arc lengths.
Scene& sceneWithThreads(unsigned threads) {
    static std::unique_ptr<ThreadPool> pool;
    static std::unique_ptr<Scene> scene;
    if (!pool || pool->size() != threads) {
        scene.reset();
        pool = std::make_unique<ThreadPool>(threads);
        std::streambuf* console = std::cout.rdbuf(nullptr);
        Result<Scene> loaded = readScene(syntheticGraphFile(millionRelations()), *pool,
                                         {1.0f, nullptr, std::nullopt, {}});
        std::cout.rdbuf(console);
        scene = std::make_unique<Scene>(std::move(loaded).value());
    }
    return *scene;
}

void routesAndSamplesOnThreads(benchmark::State& state) {
    Scene& scene = sceneWithThreads(static_cast<unsigned>(state.range(0)));
    for (auto _ : state) {
        scene.buildRoutes();
        scene.sampleCurves();
    }
    state.counters["threads"] = static_cast<double>(state.range(0));
}

void mixOnThreads(benchmark::State& state) {
    Scene& scene = sceneWithThreads(static_cast<unsigned>(state.range(0)));
    float strength = 0.5f;
    for (auto _ : state) {
        strength = strength == 0.5f ? 0.75f : 0.5f;
        scene.applyStrength(strength);
    }
    state.counters["threads"] = static_cast<double>(state.range(0));
}

void threadCounts(benchmark::internal::Benchmark* benchmark) {
    const auto cores = static_cast<int64_t>(std::max(1u, std::thread::hardware_concurrency()));
    benchmark->Arg(1)->Arg(2);
    if (cores > 2) {
        benchmark->Arg(cores);
    }
}

BENCHMARK(routesAndSamplesOnThreads)
    ->Apply(threadCounts)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK(mixOnThreads)
    ->Apply(threadCounts)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace
