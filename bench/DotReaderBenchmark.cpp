#include "io/DotGraphReader.h"
#include "io/EdgeListReader.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <fstream>
#include <malloc.h>
#include <random>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// A million relations among 100,000 modules in 100 folders, as DOT in the
// form dependency-cruiser writes (each module inside its folder's cluster,
// its edges after it) and as an edge list of the same names.
struct Texts {
    std::string dot;
    std::string edgeList;
};

Texts makeTexts() {
    constexpr uint64_t folders = 100;
    constexpr uint64_t modules = 1000;
    constexpr int importsPerModule = 10;
    // Imports per thousand that stay in the module's folder, as most do.
    constexpr uint64_t localPerThousand = 700;
    // The same numbers on every machine.
    std::mt19937_64 random(1);
    const auto name = [](uint64_t folder, uint64_t module) {
        return "pkg" + std::to_string(folder) + "/mod" + std::to_string(module) + ".js";
    };
    Texts texts;
    texts.dot = "strict digraph \"dependency-cruiser output\"{\n"
                "    node [shape=\"box\" style=\"rounded, filled\" fillcolor=\"#ffffcc\"]\n";
    for (uint64_t folder = 0; folder < folders; ++folder) {
        const std::string cluster = "pkg" + std::to_string(folder);
        for (uint64_t module = 0; module < modules; ++module) {
            const std::string from = name(folder, module);
            texts.dot += "    subgraph \"cluster_" + cluster + "\" {label=\"" + cluster + "\" \"" +
                         from + "\" [label=<mod" + std::to_string(module) + ".js>] }\n";
            for (int i = 0; i < importsPerModule; ++i) {
                const uint64_t toFolder =
                    random() % 1000 < localPerThousand ? folder : random() % folders;
                const std::string to = name(toFolder, random() % modules);
                texts.dot += "    \"" + from + "\" -> \"" + to + "\"\n";
                texts.edgeList += from + "," + to + "\n";
            }
        }
    }
    texts.dot += "}\n";
    return texts;
}

const Texts& texts() {
    static const Texts made = makeTexts();
    return made;
}

long statusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string word;
    long value = 0;
    while (status >> word) {
        if (word == field) {
            status >> value;
        }
    }
    return value;
}

// The most memory a read holds beyond what the process held before it. A
// child process reads, so that no earlier allocation's freed pages hide it,
// with its high-water mark of resident memory reset first.
template <typename Read> double heldBytes(const Read& read) {
    int channel[2];
    if (pipe(channel) != 0) {
        return -1.0;
    }
    const pid_t child = fork();
    if (child == 0) {
        malloc_trim(0);
        std::ofstream("/proc/self/clear_refs") << "5";
        const long before = statusKiB("VmRSS:");
        const Result<CompoundGraph> graph = read();
        const double held = static_cast<double>(statusKiB("VmHWM:") - before) * 1024.0;
        _exit(graph && write(channel[1], &held, sizeof held) == sizeof held ? 0 : 1);
    }
    close(channel[1]);
    double held = -1.0;
    if (child < 0 || ::read(channel[0], &held, sizeof held) != sizeof held) {
        held = -1.0;
    }
    close(channel[0]);
    waitpid(child, nullptr, 0);
    return held;
}

// Reading the DOT text against reading the edge list, both in each
// iteration; the time reported is the DOT reader's, dot_per_edge_list the
// ratio of the two, held_per_byte the most memory each read holds per byte
// of its text.
void readDotAgainstEdgeList(benchmark::State& state) {
    const Texts& both = texts();
    const auto readDot = [&] { return dotgraph::parse(both.dot, "deps"); };
    const auto readList = [&] { return edgelist::parse(both.edgeList, "deps"); };
    double dotSeconds = 0.0;
    double listSeconds = 0.0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        Result<CompoundGraph> dot = readDot();
        const Clock::time_point between = Clock::now();
        Result<CompoundGraph> list = readList();
        const Clock::time_point end = Clock::now();
        if (!dot || !list || dot.value().edgeCount() != list.value().edgeCount()) {
            state.SkipWithError(!dot    ? dot.error().describe().c_str()
                                : !list ? list.error().describe().c_str()
                                        : "the two texts give different relations");
            break;
        }
        benchmark::DoNotOptimize(dot.value().source.data());
        benchmark::DoNotOptimize(list.value().source.data());
        const std::chrono::duration<double> dotTime = between - start;
        dotSeconds += dotTime.count();
        listSeconds += std::chrono::duration<double>(end - between).count();
        state.SetIterationTime(dotTime.count());
    }
    const auto perIteration = benchmark::Counter::kAvgIterations;
    state.counters["dot_ms"] = benchmark::Counter(dotSeconds * 1000.0, perIteration);
    state.counters["edge_list_ms"] = benchmark::Counter(listSeconds * 1000.0, perIteration);
    state.counters["dot_per_edge_list"] = listSeconds > 0.0 ? dotSeconds / listSeconds : 0.0;
    state.counters["dot_MiB"] = static_cast<double>(both.dot.size()) / (1024.0 * 1024.0);
    state.counters["dot_held_per_byte"] = heldBytes(readDot) / static_cast<double>(both.dot.size());
    state.counters["edge_list_held_per_byte"] =
        heldBytes(readList) / static_cast<double>(both.edgeList.size());
}
BENCHMARK(readDotAgainstEdgeList)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
