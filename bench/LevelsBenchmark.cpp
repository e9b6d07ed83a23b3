#include "bench/BenchData.h"
#include "frame/FrameSession.h"
#include "model/GraphLoading.h"

#include <benchmark/benchmark.h>

namespace {

// A file to a scene ready to draw, as the viewer opens it: at the deepest
// depth of at most readableBundles bundles, or (readable false) whole, as
// every graph opened before levels. Run one per process for its peak memory.
void openGraph(benchmark::State& state, const SyntheticGraphParameters& parameters, bool readable) {
    const std::string path = syntheticGraphFile(parameters);
    LoadOptions options = loadOptionsFor(ViewSettings{});
    options.readableDepth = readable;
    int64_t bundles = 0;
    int32_t depth = 0;
    for (auto _ : state) {
        Result<Scene> loaded = readScene(path, ThreadPool::shared(), options);
        if (!loaded) {
            state.SkipWithError(loaded.error().describe().c_str());
            break;
        }
        bundles = loaded.value().bundles().bundleCount();
        depth = loaded.value().cut().depth;
    }
    state.counters["bundles"] = static_cast<double>(bundles);
    state.counters["depth"] = depth;
    state.counters["peak_rss_MiB"] = peakResidentMiB();
}
BENCHMARK_CAPTURE(openGraph, readable_245210, debianSized(), true)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(openGraph, whole_245210, debianSized(), false)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(openGraph, readable_1000000, millionRelations(), true)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

// One depth deeper and back, as ] and [ in the viewer: the frame session
// cuts the scene, gathers and routes the bundles, samples and mixes them and
// describes the frame. Drawing it is bench_Render's.
void depthStep(benchmark::State& state, const SyntheticGraphParameters& parameters) {
    const std::string path = syntheticGraphFile(parameters);
    Result<Scene> loaded = readScene(path, ThreadPool::shared(), loadOptionsFor(ViewSettings{}));
    if (!loaded) {
        state.SkipWithError(loaded.error().describe().c_str());
        return;
    }
    Scene& scene = loaded.value();
    FrameSession session(scene);
    ViewSettings settings;
    settings.depth = scene.cut().depth;
    const int32_t opened = settings.depth;
    int64_t deeperBundles = 0;
    for (auto _ : state) {
        settings.depth = settings.depth == opened ? opened + 1 : opened;
        const std::optional<SessionFrame> frame = session.frame(settings);
        if (settings.depth != opened && frame) {
            deeperBundles = frame->cut.bundles;
        }
        benchmark::DoNotOptimize(frame);
    }
    state.counters["depth"] = opened;
    state.counters["bundles_one_deeper"] = static_cast<double>(deeperBundles);
}
BENCHMARK_CAPTURE(depthStep, relations_245210, debianSized())
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace
