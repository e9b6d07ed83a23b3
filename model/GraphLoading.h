#pragma once

#include "base/Progress.h"
#include "base/Result.h"
#include "base/ThreadPool.h"
#include "graph/CompoundGraph.h"
#include "io/DotContent.h"
#include "layout/TreeLayoutType.h"
#include "model/Scene.h"
#include "settings/ViewSettings.h"

#include <cstdint>
#include <optional>
#include <string>

// What a graph's curves cost in memory while it is shown: per relation its
// samples, the mixed curves twice (a frame draws one set while the next is
// mixed), their copy in the GL buffer and the driver's drawing data
// (drawing a million curves into a PNG peaked at 3.81 GB); per entry of the
// routes' control polygons, which run along the hierarchy, its id and its
// copy while the routes are built.
inline constexpr uint64_t bytesPerRelation = 4000;
inline constexpr uint64_t bytesPerNode = 160;
inline constexpr uint64_t bytesPerRouteEntry = 8;
uint64_t memoryNeeded(const CompoundGraph& graph);
// The same when the curves drawn are the bundles.
uint64_t memoryNeeded(const CompoundGraph& graph, const Bundles& bundles);
// Whether curves needing that much memory fit in what is available (when
// known); an Error that says how many curves (of what) need how much when
// they do not.
Status fitsMemory(uint64_t needed, int64_t curves, const char* what,
                  std::optional<uint64_t> available);
// Why curves that passed the estimate were not shown after all: making them
// ran out of memory.
Error outOfMemoryFor(int64_t curves, const char* what, uint64_t estimated,
                     std::optional<uint64_t> available);

// Reads a graph file of any format we read into a scene of its own, in
// three stages, and ends with the layout asked for (radial unless another is
// given) applied and the curves sampled (and mixed with the strength, if one
// is given), so that nothing is laid out or sampled twice. A rejected file,
// one whose curves would need more memory than the machine has available, a
// load that runs out of memory all the same, and a cancelled load return
// the error. With a Progress, each stage is reported, as the programs print
// it:
//   Reading <path> ... done!
//   Building Tree Layouts ... done!
//   Building Splines ... done!
// the stage that stops ending as failed or cancelled; a cancel stops the
// load. A reader's warnings are advised as the reading stage ends.
struct LoadOptions {
    std::optional<float> strength;
    Progress* progress = nullptr;
    // Measured when not given.
    std::optional<uint64_t> memoryAvailable;
    // Splits names into the hierarchy where a format has only names;
    // detected when empty.
    std::string separator;
    // What names the nodes of a DOT file.
    DotNames dotNames = DotNames::Id;
    TreeLayoutType layoutType = TreeLayoutType::Radial;
    float treeMapSpacing = 0.0f;
    // The depth the hierarchy is cut at (see Cut), so that only the bundles
    // are routed and sampled; 0 for none, or, with readableDepth, for the
    // deepest cut of at most readableBundles bundles when the graph has
    // more relations (the scene's cut says which).
    int32_t depth = 0;
    bool readableDepth = false;
    // In a comparison, whether the kept relations are bundled and drawn.
    bool showKept = true;
};
Result<Scene> readScene(const std::string& path, ThreadPool& pool, const LoadOptions& options);
// The same for the union of an older and a newer version of a graph (see
// compareGraphs), each file read as readScene reads it, with a stage of its
// own:
//   Reading <olderPath> ... done!
//   Reading <newerPath> ... done!
// then the stages after reading. An Error after the older file is read
// names the newer one.
Result<Scene> readComparison(const std::string& olderPath, const std::string& newerPath,
                             ThreadPool& pool, const LoadOptions& options);
// Loads whose scene is ready for the settings: their layout, spacing and
// bundling strength, at a readable depth.
LoadOptions loadOptionsFor(const ViewSettings& settings);

// The same into the scene, which a failed load leaves as it was; the
// strength it applied before is applied again.
Status loadGraphFile(Scene& scene, const std::string& path, Progress* progress = nullptr,
                     std::optional<uint64_t> memoryAvailable = std::nullopt,
                     const std::string& separator = {});

// Advice for a picture of that many curves drawn over one another, past
// readableBundles of them, where they hide the structure: the parts that
// apply to the settings (the blend mode "Density", the tree overlay off);
// nothing where none does.
std::optional<std::string> densityHint(int64_t curves, const ViewSettings& settings);
