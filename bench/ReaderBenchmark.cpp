#include "bench/BenchData.h"
#include "io/GraphFileReader.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

// Reading the file into a graph: the part of a load before layouts. Run one
// graph per process (--benchmark_filter) for its peak memory; bytes_per_second
// is the reading speed over the file's bytes.
void readGraphFile(benchmark::State& state, const SyntheticGraphParameters& parameters) {
    const std::string path = syntheticGraphFile(parameters);
    const auto bytes = static_cast<int64_t>(std::filesystem::file_size(path));
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
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["file_MiB"] = static_cast<double>(bytes) / (1024.0 * 1024.0);
    state.counters["peak_rss_MiB"] = peakResidentMiB();
}
BENCHMARK_CAPTURE(readGraphFile, relations_1000000, millionRelations())
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK_CAPTURE(readGraphFile, relations_20000000, twentyMillionRelations())
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(3)
    ->ReportAggregatesOnly(true);

} // namespace
