#include "bench/BenchData.h"
#include "model/GraphLoading.h"
#include "model/Scene.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

std::string syntheticGraphFile(const SyntheticGraphParameters& p) {
    const std::filesystem::path folder = "bench-data";
    std::filesystem::create_directories(folder);
    const std::string path =
        (folder / ("synthetic-" + std::to_string(p.nodes) + "-" + std::to_string(p.depth) + "-" +
                   std::to_string(p.fanOut) + "-" + std::to_string(p.relations) + "-" +
                   std::to_string(static_cast<int>(p.locality * 100)) + "-" +
                   std::to_string(p.seed) + ".rsf"))
            .string();
    if (std::filesystem::exists(path)) {
        return path;
    }
    const pid_t child = fork();
    if (child == 0) {
        std::ofstream out(path + ".part", std::ios::binary);
        writeSyntheticGraph(p, out);
        out.close();
        _exit(out ? 0 : 1);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || status != 0) {
        throw std::runtime_error("could not write " + path);
    }
    std::filesystem::rename(path + ".part", path);
    return path;
}

SyntheticGraphParameters millionRelations() {
    return {
        .nodes = 100000, .depth = 6, .fanOut = 8, .relations = 1000000, .locality = 0.7, .seed = 1};
}

SyntheticGraphParameters millionRelationsNodesWith(int64_t relations) {
    SyntheticGraphParameters parameters = millionRelations();
    parameters.relations = relations;
    return parameters;
}

SyntheticGraphParameters twentyMillionRelations() {
    return {.nodes = 2000000,
            .depth = 6,
            .fanOut = 13,
            .relations = 20000000,
            .locality = 0.7,
            .seed = 1};
}

SyntheticGraphParameters debianSized() {
    return {
        .nodes = 65113, .depth = 4, .fanOut = 16, .relations = 245210, .locality = 0.5, .seed = 2};
}

double peakResidentMiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::unique_ptr<Scene> loadQuietly(const std::string& path) {
    auto scene = std::make_unique<Scene>();
    std::streambuf* console = std::cout.rdbuf(nullptr);
    const Status loaded = loadGraphFile(*scene, path);
    std::cout.rdbuf(console);
    if (!loaded) {
        throw std::runtime_error(loaded.error().describe());
    }
    return scene;
}

void switchLayouts(benchmark::State& state, Scene& scene) {
    ViewSettings wanted;
    wanted.layoutType = static_cast<TreeLayoutType>(state.range(0));
    ViewSettings other;
    other.layoutType = wanted.layoutType == TreeLayoutType::Radial ? TreeLayoutType::Classic
                                                                   : TreeLayoutType::Radial;
    for (auto _ : state) {
        state.PauseTiming();
        scene.update(other);
        state.ResumeTiming();
        scene.update(wanted);
    }
}
