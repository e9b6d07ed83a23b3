#pragma once

#include "base/ThreadPool.h"
#include "bundling/CurveSamples.h"
#include "bundling/Routes.h"
#include "graph/CompoundGraph.h"
#include "layout/Point.h"
#include "layout/TreeLayoutData.h"
#include "layout/TreeMap.h"
#include "scene/ViewSettings.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// Owns the graph on screen and the results of every stage computed from it,
// and recomputes exactly what a change makes stale:
//   graph -> layout data and treemap -> node positions (layout, spacing)
//   graph -> routes;  positions + routes -> curve samples
//   samples + bundling strength -> mixed curves and their lengths
// Each stage can also be run on its own; it then marks what depends on it
// stale, and update() catches up.
class Scene {
public:
    // Sampling, mixing and routing share their work out on the pool.
    explicit Scene(ThreadPool& pool = ThreadPool::shared());

    // Takes a new graph; nothing computed from the old one is kept. The node
    // positions start at the origin.
    void setGraph(CompoundGraph newGraph);

    // The stages, each run now whatever its state.
    void buildLayouts();
    void buildRoutes();
    // Positions of the layout type; a treemap type lays the treemap out
    // afresh with the spacing. A type outside the five keeps the positions.
    void applyLayout(TreeLayoutType type, float spacing);
    void sampleCurves();
    void applyStrength(float strength);

    // Brings every stage up to date for the settings: stale stages run, and
    // so do those whose setting changed (the layout type; the treemap
    // spacing, when it moved by more than float epsilon while a treemap is
    // shown; the bundling strength).
    void update(const ViewSettings& settings);

    ThreadPool& threadPool() const { return *pool; }
    const CompoundGraph& graph() const { return graphData; }
    const TreeLayoutData& layoutData() const { return layout; }
    const TreeMap& treeMap() const { return treeMapData; }
    const Routes& routes() const { return routeData; }
    std::span<const Point> positions() const { return nodePositions; }
    // For callers that place nodes themselves; the samples become stale.
    std::span<Point> editPositions();
    const CurveSamples& samples() const { return curveSamples; }
    const MixedCurves& curves() const { return mixedCurves; }

    // The layout the positions show; none before one is applied.
    std::optional<TreeLayoutType> appliedLayout() const { return layoutApplied; }
    // The strength last mixed, kept across graphs; none before the first.
    std::optional<float> appliedStrength() const { return strength; }
    // Whether the mixed curves are those of the current samples and strength.
    bool curvesCurrent() const { return curvesMixed; }

    // Moves whenever the graph, the node positions or the curve points
    // change: a picture drawn at one revision shows the scene until the next.
    // No two scenes share a revision once either has changed.
    uint64_t revision() const { return sceneRevision; }

private:
    bool spacingMoved(float spacing) const;

    ThreadPool* pool;
    CompoundGraph graphData;
    TreeLayoutData layout;
    TreeMap treeMapData;
    Routes routeData;
    std::vector<Point> nodePositions;
    CurveSamples curveSamples;
    MixedCurves mixedCurves;

    bool layoutBuilt = false;
    bool routesBuilt = false;
    std::optional<TreeLayoutType> layoutApplied;
    bool samplesCurrent = false;
    bool curvesMixed = false;
    std::optional<float> strength;
    uint64_t sceneRevision = 0;
};
