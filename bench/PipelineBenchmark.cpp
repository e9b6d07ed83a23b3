#include "bench/BenchData.h"
#include "io/GraphFileReader.h"
#include "layout/TreeLayoutType.h"
#include "model/GraphLoading.h"
#include "model/Scene.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point& start) {
    const Clock::time_point now = Clock::now();
    const double elapsed = std::chrono::duration<double, std::milli>(now - start).count();
    start = now;
    return elapsed;
}

// A file to bundled points, stage by stage, as a load makes them: read,
// layouts, routes, radial positions with their samples, the mix with the
// arc lengths. Run one graph per process (--benchmark_filter) for its peak
// memory.
void fileToCurves(benchmark::State& state, const SyntheticGraphParameters& parameters) {
    const std::string path = syntheticGraphFile(parameters);
    double read = 0.0, layouts = 0.0, routes = 0.0, samples = 0.0, mix = 0.0;
    for (auto _ : state) {
        Clock::time_point phase = Clock::now();
        Result<CompoundGraph> file = graphfile::read(path);
        if (!file) {
            state.SkipWithError(file.error().describe().c_str());
            break;
        }
        read += millisecondsSince(phase);
        Scene scene;
        scene.setGraph(std::move(file).value());
        scene.buildLayouts();
        layouts += millisecondsSince(phase);
        scene.buildRoutes();
        routes += millisecondsSince(phase);
        scene.applyLayout(TreeLayoutType::Radial, 0.0f);
        scene.sampleCurves();
        samples += millisecondsSince(phase);
        scene.applyStrength(0.85f);
        mix += millisecondsSince(phase);
        benchmark::DoNotOptimize(scene.curves().points.data());
        state.PauseTiming();
        scene = Scene();
        state.ResumeTiming();
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["read_ms"] = read / n;
    state.counters["layouts_ms"] = layouts / n;
    state.counters["routes_ms"] = routes / n;
    state.counters["samples_ms"] = samples / n;
    state.counters["mix_ms"] = mix / n;
    state.counters["file_MiB"] =
        static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
    state.counters["peak_rss_MiB"] = peakResidentMiB();
}
// A load as the viewer makes one for a panel that shows the classic layout
// at strength 0.85: the file read into a scene, then brought up to date for
// the settings.
void loadForSettings(benchmark::State& state, const SyntheticGraphParameters& parameters) {
    const std::string path = syntheticGraphFile(parameters);
    ViewSettings settings;
    settings.layoutType = TreeLayoutType::Classic;
    settings.beta = 0.85f;
    for (auto _ : state) {
        Result<Scene> loaded = readScene(path, ThreadPool::shared(), loadOptionsFor(settings));
        if (!loaded) {
            state.SkipWithError(loaded.error().describe().c_str());
            break;
        }
        loaded.value().update(settings);
        benchmark::DoNotOptimize(loaded.value().curves().points.data());
    }
    state.counters["peak_rss_MiB"] = peakResidentMiB();
}
BENCHMARK_CAPTURE(loadForSettings, relations_245210, debianSized())
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

BENCHMARK_CAPTURE(fileToCurves, relations_245210, debianSized())
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(fileToCurves, relations_1000000, millionRelations())
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace
