#include "model/GraphLoading.h"

#include "base/SystemMemory.h"
#include "io/GraphLimits.h"
#include "io/GraphReading.h"
#include "layout/TreeLayoutType.h"

namespace {

constexpr uint64_t mebibyte = uint64_t{1} << 20;

void beginStage(Progress* progress, std::string_view name, const std::string& heading) {
    if (progress != nullptr) {
        progress->beginStage(name, heading);
    }
}

void endStage(Progress* progress) {
    if (progress != nullptr) {
        progress->endStage();
    }
}

// The reading of a file as the options ask, its warnings kept.
GraphReadOptions readOptions(const LoadOptions& options, std::vector<std::string>& warnings) {
    return {options.separator, options.progress, options.dotNames, &warnings};
}

// The steps of a load after reading the graph, up to the first Error; the
// reading's warnings are advised once it is done.
Result<Scene> buildScene(CompoundGraph graph, std::shared_ptr<const Comparison> comparison,
                         ThreadPool& pool, const LoadOptions& options,
                         const std::vector<std::string>& warnings) {
    Progress* progress = options.progress;
    const Error cancelled{std::string(cancelledReason)};
    const std::optional<uint64_t> available =
        options.memoryAvailable ? options.memoryAvailable : availableMemoryBytes();
    // A graph shown whole is measured as it is read; one cut to a readable
    // depth once its bundles are known.
    const bool cut =
        options.depth > 0 || (options.readableDepth && graph.edgeCount() > readableBundles);
    if (!cut) {
        if (Status fits =
                fitsMemory(memoryNeeded(graph), graph.edgeCount(), "relations", available);
            !fits) {
            return fits.error();
        }
    }
    Scene scene(pool);
    scene.setGraph(std::move(graph), std::move(comparison));
    scene.showKept(options.showKept);
    endStage(progress);
    for (const std::string& warning : warnings) {
        if (progress != nullptr) {
            progress->advise(warning);
        }
    }

    beginStage(progress, "Building Tree Layouts", "Building Tree Layouts ...");
    scene.buildLayouts();
    endStage(progress);

    beginStage(progress, "Building Splines", "Building Splines ...");
    if (cut) {
        const int32_t depth = options.depth > 0 ? options.depth : scene.readableDepth();
        scene.setOpeningCut(cutOf(scene.graph(), depth));
        scene.gatherBundles();
        const Bundles& bundles = scene.bundles();
        if (Status fits = fitsMemory(memoryNeeded(scene.graph(), bundles), bundles.bundleCount(),
                                     "bundles", available);
            !fits) {
            return fits.error();
        }
    }
    scene.buildRoutes();
    if (progress != nullptr && progress->cancelled()) {
        return cancelled;
    }
    scene.applyLayout(options.layoutType, options.treeMapSpacing);
    scene.sampleCurves();
    if (progress != nullptr && progress->cancelled()) {
        return cancelled;
    }
    endStage(progress);
    if (options.strength) {
        scene.applyStrength(*options.strength);
    }
    return scene;
}

// The result, or its Error named after the file and told to the progress,
// which ends the stage.
template <typename T>
Result<T> namedAfter(const std::string& path, Progress* progress, Result<T> result) {
    if (result) {
        return result;
    }
    Error error = result.error();
    error.path = path;
    if (progress != nullptr) {
        progress->failStage(error);
    }
    return error;
}

} // namespace

uint64_t memoryNeeded(const CompoundGraph& graph) {
    return static_cast<uint64_t>(graph.edgeCount()) * bytesPerRelation +
           static_cast<uint64_t>(graph.nodeCount()) * bytesPerNode +
           graphlimits::routeEntries(graph) * bytesPerRouteEntry;
}

Status fitsMemory(uint64_t needed, int64_t curves, const char* what,
                  std::optional<uint64_t> available) {
    if (!available || needed <= *available) {
        return {};
    }
    return Error("showing " + std::to_string(curves) + " " + what + " needs about " +
                 std::to_string(needed / mebibyte) + " MiB of memory; this machine has " +
                 std::to_string(*available / mebibyte) + " MiB available");
}

Error outOfMemoryFor(int64_t curves, const char* what, uint64_t estimated,
                     std::optional<uint64_t> available) {
    std::string reason = "showing " + std::to_string(curves) + " " + what +
                         " needs more memory than the " + std::to_string(estimated / mebibyte) +
                         " MiB estimated";
    if (available) {
        reason += "; " + std::to_string(*available / mebibyte) + " MiB are available";
    }
    return Error(std::move(reason));
}

uint64_t memoryNeeded(const CompoundGraph& graph, const Bundles& bundles) {
    return static_cast<uint64_t>(bundles.bundleCount()) * bytesPerRelation +
           static_cast<uint64_t>(graph.nodeCount()) * bytesPerNode +
           graphlimits::routeEntries(graph, bundles.source, bundles.target) * bytesPerRouteEntry;
}

Result<Scene> readScene(const std::string& path, ThreadPool& pool, const LoadOptions& options) {
    beginStage(options.progress, "Reading", "Reading " + printable(path) + " ...");
    return namedAfter(
        path, options.progress, graphlimits::withinMemory<Scene>([&]() -> Result<Scene> {
            std::vector<std::string> warnings;
            Result<CompoundGraph> file = readGraph(path, readOptions(options, warnings));
            if (!file) {
                return file.error();
            }
            return buildScene(std::move(file).value(), nullptr, pool, options, warnings);
        }));
}

Result<Scene> readComparison(const std::string& olderPath, const std::string& newerPath,
                             ThreadPool& pool, const LoadOptions& options) {
    Progress* progress = options.progress;
    std::vector<std::string> warnings;
    const GraphReadOptions reading = readOptions(options, warnings);
    beginStage(progress, "Reading", "Reading " + printable(olderPath) + " ...");
    const Result<CompoundGraph> older = namedAfter(
        olderPath, progress,
        graphlimits::withinMemory<CompoundGraph>([&] { return readGraph(olderPath, reading); }));
    if (!older) {
        return older.error();
    }
    endStage(progress);
    beginStage(progress, "Reading", "Reading " + printable(newerPath) + " ...");
    return namedAfter(
        newerPath, progress, graphlimits::withinMemory<Scene>([&]() -> Result<Scene> {
            Result<CompoundGraph> newer = readGraph(newerPath, reading);
            if (!newer) {
                return newer.error();
            }
            Result<ComparedGraphs> compared = compareGraphs(older.value(), newer.value());
            if (!compared) {
                return compared.error();
            }
            ComparedGraphs& both = compared.value();
            if (both.graph.nodeCount() > graphlimits::maxNodes) {
                return Error("the two versions have more than " +
                             std::to_string(graphlimits::maxNodes) + " nodes together");
            }
            if (Status routes = graphlimits::checkRouteSize(both.graph); !routes) {
                return routes.error();
            }
            return buildScene(std::move(both.graph),
                              std::make_shared<const Comparison>(std::move(both.comparison)), pool,
                              options, warnings);
        }));
}

LoadOptions loadOptionsFor(const ViewSettings& settings) {
    LoadOptions options;
    options.strength = settings.beta;
    options.readableDepth = true;
    options.showKept = settings.showKept;
    options.layoutType = settings.layoutType;
    options.treeMapSpacing = settings.treeMapSpacing;
    return options;
}

Status loadGraphFile(Scene& scene, const std::string& path, Progress* progress,
                     std::optional<uint64_t> memoryAvailable, const std::string& separator) {
    Result<Scene> loaded = readScene(
        path, scene.threadPool(), {scene.appliedStrength(), progress, memoryAvailable, separator});
    if (!loaded) {
        return loaded.error();
    }
    scene = std::move(loaded).value();
    return {};
}

std::optional<std::string> densityHint(int64_t curves, const ViewSettings& settings) {
    if (curves <= readableBundles || settings.blendMode != BlendModeType::None) {
        return std::nullopt;
    }
    std::string hint = "Hint: " + std::to_string(curves) +
                       " curves hide one another; Blend Mode \"Density\" (--blend density) "
                       "shows where they bundle";
    if (settings.showTree) {
        hint += ", and \"Show Tree\" off (--tree off) takes the overlay off them";
    }
    return hint + ".";
}
