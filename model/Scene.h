#pragma once

#include "base/SharedValues.h"
#include "base/ThreadPool.h"
#include "bundling/Bundles.h"
#include "bundling/CurveSamples.h"
#include "bundling/Routes.h"
#include "graph/CompoundGraph.h"
#include "graph/GraphComparison.h"
#include "layout/Point.h"
#include "layout/TreeLayoutData.h"
#include "layout/TreeMap.h"
#include "model/Cut.h"
#include "settings/ViewSettings.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

// Owns the graph on screen and the results of every stage computed from it,
// and recomputes exactly what a change makes stale:
//   graph -> layout data and treemap -> node positions (layout, spacing,
//            the cut's collapsed nodes placed as leaves)
//   graph + cut -> bundles -> routes;  positions + routes -> curve samples
//   samples + bundling strength -> mixed curves and their lengths
// Curves are drawn per bundle: with nothing collapsed, every relation is a
// bundle of its own, in the relations' order.
// Each stage can also be run on its own; it then marks what depends on it
// stale, and update() catches up.
class Scene {
public:
    // Sampling, mixing and routing share their work out on the pool.
    explicit Scene(ThreadPool& pool = ThreadPool::shared());

    // Takes a new graph; nothing computed from the old one is kept. The node
    // positions start at the origin. A union of two versions comes with its
    // comparison: its bundles then split by kind.
    void setGraph(CompoundGraph newGraph, std::shared_ptr<const Comparison> comparison = nullptr);
    // Another graph (a later setGraph, in any scene) has another number; 0
    // before the first.
    uint64_t graphNumber() const { return graphSerial; }

    // Where the hierarchy is cut; a new graph starts with nothing collapsed.
    // A new cut makes the bundles and everything after them stale and
    // places the collapsed nodes.
    void setCut(Cut newCut);
    // The same with the cut's bundles, gathered already.
    void setCut(Cut newCut, std::shared_ptr<const Bundles> bundles);
    const Cut& cut() const { return cutData; }
    // The cut a graph opens at (see GraphLoading): its depth stays the
    // graph's opening depth whatever cut comes after it.
    void setOpeningCut(Cut newCut);
    // The depth the graph opened at; 0 for the whole tree.
    int32_t openedDepth() const { return openedAt; }
    // The bundles a cut of this graph gathers.
    Bundles bundlesOf(const Cut& cut) const;
    // The deepest depth whose cut draws at most readableBundles bundles.
    int32_t readableDepth() const;
    // Per relation, its kind in a comparison; empty otherwise.
    std::span<const RelationKind> relationKinds() const;

    // What the graph's relations and nodes come from, when it is the union
    // of two versions; null otherwise.
    const std::shared_ptr<const Comparison>& comparison() const { return comparisonData; }
    // Whether a comparison's kept relations are in the bundles; a change
    // makes the bundles and everything after them stale.
    void showKept(bool shown);

    // The stages, each run now whatever its state.
    void buildLayouts();
    void gatherBundles();
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
    const CompoundGraph& graph() const { return *graphData; }
    // The graph, shared with whoever needs it after the scene moves on.
    std::shared_ptr<const CompoundGraph> sharedGraph() const { return graphData; }
    const TreeLayoutData& layoutData() const { return layout; }
    const TreeMap& treeMap() const { return treeMapData; }
    // The bundles of the cut, gathered before the routes are built; shared
    // with the snapshots of the window.
    const Bundles& bundles() const { return *bundleData; }
    std::shared_ptr<const Bundles> sharedBundles() const { return bundleData; }
    const Routes& routes() const { return routeData; }
    std::span<const Point> positions() const { return nodePositions; }
    // For callers that place nodes themselves; the samples become stale.
    std::span<Point> editPositions();
    const CurveSamples& samples() const { return curveSamples; }
    const MixedCurves& curves() const { return *mixedCurves; }
    // The mixed points, shared: the next mix goes to memory nobody reads,
    // so a frame may hold them as long as it is drawn.
    SharedValues<float> sharedPoints() const { return {mixedCurves, mixedCurves->points.span()}; }

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
    // Moves whenever the graph or the node positions change.
    uint64_t positionsRevision() const { return positionsMoved; }

private:
    bool spacingMoved(float spacing) const;
    // The mixed curves, made writable: while a frame shares them, the mix
    // goes to the spare ones (once no frame holds those) or to new ones.
    MixedCurves& writableCurves();
    void positionsChanged();

    ThreadPool* pool;
    std::shared_ptr<const CompoundGraph> graphData = std::make_shared<const CompoundGraph>();
    uint64_t graphSerial = 0;
    TreeLayoutData layout;
    TreeMap treeMapData;
    Cut cutData;
    int32_t openedAt = 0;
    std::shared_ptr<const Comparison> comparisonData;
    bool keptShown = true;
    std::shared_ptr<const Bundles> bundleData = std::make_shared<const Bundles>();
    Routes routeData;
    std::vector<Point> nodePositions;
    CurveSamples curveSamples;
    std::shared_ptr<MixedCurves> mixedCurves = std::make_shared<MixedCurves>();
    std::shared_ptr<MixedCurves> spareCurves;

    bool layoutBuilt = false;
    bool bundlesGathered = false;
    bool routesBuilt = false;
    std::optional<TreeLayoutType> layoutApplied;
    bool samplesCurrent = false;
    bool curvesMixed = false;
    std::optional<float> strength;
    uint64_t sceneRevision = 0;
    uint64_t positionsMoved = 0;
};
