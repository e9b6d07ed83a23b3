#include "bench/BenchData.h"
#include "graph/GraphFileReader.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

// Reading the file into fresh tables: the part of a load before layouts.
void readMillionRelations(benchmark::State& state) {
    const std::string path = syntheticGraphFile(millionRelations());
    for (auto _ : state) {
        GraphFileReader::Result result = GraphFileReader::read(path);
        if (!result.accepted) {
            state.SkipWithError(result.reason.c_str());
            break;
        }
        benchmark::DoNotOptimize(result.tables.edges.data());
        state.PauseTiming();
        result = {};
        state.ResumeTiming();
    }
    state.counters["file_MiB"] =
        static_cast<double>(std::filesystem::file_size(path)) / (1024.0 * 1024.0);
    state.counters["peak_rss_MiB"] = peakResidentMiB();
}
BENCHMARK(readMillionRelations)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
