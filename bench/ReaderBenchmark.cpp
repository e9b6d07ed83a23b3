#include "bench/BenchData.h"
#include "io/GraphFileReader.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

// Reading the file into a graph: the part of a load before layouts.
void readMillionRelations(benchmark::State& state) {
    const std::string path = syntheticGraphFile(millionRelations());
    for (auto _ : state) {
        Result<CompoundGraph> result = graphfile::read(path);
        if (!result) {
            state.SkipWithError(result.error().describe().c_str());
            break;
        }
        benchmark::DoNotOptimize(result.value().source.data());
        state.PauseTiming();
        result = CompoundGraph{};
        state.ResumeTiming();
    }
    state.counters["file_MiB"] =
        static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
    state.counters["peak_rss_MiB"] = peakResidentMiB();
}
BENCHMARK(readMillionRelations)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
