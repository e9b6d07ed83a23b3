#include "model/Scene.h"

#include "base/ThreadPool.h"
#include "bundling/BundlingStrength.h"
#include "bundling/SplineSampling.h"
#include "layout/TreeLayouts.h"
#include "layout/TreeMapStrategy.h"

#include <algorithm>
#include <atomic>
#include <mutex>

namespace {

// Below this many edges a part is not worth a thread of its own.
constexpr int64_t edgesPerPart = 2048;

// Revisions are counted across all scenes, so that a frame drawn, or curve
// points uploaded, for one scene are never taken for another's: a new graph
// that went through the same stages would otherwise repeat the old numbers.
uint64_t nextRevision() {
    static std::atomic<uint64_t> last{0};
    return ++last;
}

uint64_t nextGraphNumber() {
    static std::atomic<uint64_t> last{0};
    return ++last;
}

} // namespace

Scene::Scene(ThreadPool& pool) : pool(&pool) {}

void Scene::setGraph(CompoundGraph newGraph, std::shared_ptr<const Comparison> comparison) {
    graphData = std::make_shared<const CompoundGraph>(std::move(newGraph));
    comparisonData = std::move(comparison);
    graphSerial = nextGraphNumber();
    layout = TreeLayoutData();
    treeMapData = TreeMap();
    cutData = cutOf(graph(), 0);
    openedAt = 0;
    bundleData = std::make_shared<const Bundles>();
    routeData = Routes();
    curveSamples = CurveSamples();
    mixedCurves = std::make_shared<MixedCurves>();
    spareCurves.reset();
    nodePositions.assign(static_cast<std::size_t>(graph().nodeCount()), Point{});
    layoutBuilt = false;
    bundlesGathered = false;
    routesBuilt = false;
    layoutApplied.reset();
    samplesCurrent = false;
    curvesMixed = false;
    positionsChanged();
}

void Scene::positionsChanged() {
    sceneRevision = nextRevision();
    positionsMoved = sceneRevision;
}

void Scene::buildLayouts() {
    layout = ::buildLayouts(graph());
    treeMapData = buildTreeMap(graph(), layout);
    layoutBuilt = true;
    layoutApplied.reset();
}

std::span<const RelationKind> Scene::relationKinds() const {
    if (comparisonData) {
        return comparisonData->kinds;
    }
    return {};
}

Bundles Scene::bundlesOf(const Cut& cut) const {
    return ::gatherBundles(graph(), cut.shownAs, *pool, relationKinds(), keptShown);
}

int32_t Scene::readableDepth() const {
    return openingDepth(graph(), readableBundles, *pool, relationKinds(), keptShown);
}

void Scene::gatherBundles() {
    bundleData = std::make_shared<const Bundles>(bundlesOf(cutData));
    bundlesGathered = true;
    routesBuilt = false;
}

void Scene::showKept(bool shown) {
    if (shown == keptShown) {
        return;
    }
    keptShown = shown;
    if (comparisonData) {
        bundlesGathered = false;
        routesBuilt = false;
        samplesCurrent = false;
        curvesMixed = false;
    }
}

void Scene::buildRoutes() {
    if (!bundlesGathered) {
        gatherBundles();
    }
    routeData = ::buildRoutes(graph(), bundleData->source, bundleData->target, *pool);
    routesBuilt = true;
    samplesCurrent = false;
}

void Scene::applyLayout(TreeLayoutType type, float spacing) {
    if (!layoutBuilt) {
        buildLayouts();
    }
    ::applyLayout(type, graph(), layout, treeMapData, spacing, nodePositions);
    placeAsLeaves(type, layout, cutData.collapsed, nodePositions);
    layoutApplied = type;
    samplesCurrent = false;
    positionsChanged();
}

void Scene::setCut(Cut newCut, std::shared_ptr<const Bundles> bundles) {
    setCut(std::move(newCut));
    bundleData = std::move(bundles);
    bundlesGathered = true;
}

void Scene::setOpeningCut(Cut newCut) {
    openedAt = newCut.depth;
    setCut(std::move(newCut));
}

void Scene::setCut(Cut newCut) {
    if (newCut == cutData) {
        return;
    }
    cutData = std::move(newCut);
    bundlesGathered = false;
    routesBuilt = false;
    samplesCurrent = false;
    curvesMixed = false;
    if (layoutApplied) {
        applyLayout(*layoutApplied, treeMapData.spacing);
    } else {
        positionsChanged();
    }
}

std::span<Point> Scene::editPositions() {
    samplesCurrent = false;
    positionsChanged();
    return nodePositions;
}

void Scene::sampleCurves() {
    if (!routesBuilt) {
        buildRoutes();
    }
    const int32_t edgeCount = routeData.edgeCount();
    if (curveSamples.edgeCount() != edgeCount) {
        curveSamples = CurveSamples(edgeCount);
        mixedCurves = std::make_shared<MixedCurves>(edgeCount);
        spareCurves.reset();
    }
    parallelRanges(
        edgeCount, edgesPerPart,
        [&](int64_t begin, int64_t end) {
            ::sampleCurves(routeData, nodePositions,
                           EdgeRange{static_cast<int32_t>(begin), static_cast<int32_t>(end)},
                           curveSamples);
        },
        *pool);
    samplesCurrent = true;
    curvesMixed = false;
    sceneRevision = nextRevision();
}

MixedCurves& Scene::writableCurves() {
    if (mixedCurves.use_count() > 1) {
        const bool spareFree = spareCurves && spareCurves.use_count() == 1;
        std::shared_ptr<MixedCurves> next =
            spareFree ? std::move(spareCurves)
                      : std::make_shared<MixedCurves>(curveSamples.edgeCount());
        spareCurves = std::move(mixedCurves);
        mixedCurves = std::move(next);
    }
    // The last frame that read these points has let them go: its reads
    // come before our writes.
    std::atomic_thread_fence(std::memory_order_acquire);
    return *mixedCurves;
}

void Scene::applyStrength(float newStrength) {
    if (!samplesCurrent) {
        sampleCurves();
    }
    MixedCurves& mixed = writableCurves();
    strength = newStrength;
    LengthRange lengths = emptyLengthRange();
    std::mutex merging;
    parallelRanges(
        curveSamples.edgeCount(), edgesPerPart,
        [&](int64_t begin, int64_t end) {
            const EdgeRange range{static_cast<int32_t>(begin), static_cast<int32_t>(end)};
            const LengthRange part =
                mixCurves(newStrength, curveSamples, range, mixed, emptyLengthRange());
            std::lock_guard<std::mutex> lock(merging);
            lengths = {std::min(lengths.shortest, part.shortest),
                       std::max(lengths.longest, part.longest)};
        },
        *pool);
    mixed.minLength = lengths.shortest;
    mixed.maxLength = lengths.longest;
    curvesMixed = true;
    sceneRevision = nextRevision();
}

bool Scene::spacingMoved(float spacing) const {
    const float applied = treeMapData.spacing;
    const float epsilon = TreeMapStrategy::epsilon;
    return applied < spacing - epsilon || applied > spacing + epsilon;
}

void Scene::update(const ViewSettings& settings) {
    if (!layoutBuilt) {
        buildLayouts();
    }
    if (layoutApplied != settings.layoutType ||
        (isTreeMapLayout(settings.layoutType) && spacingMoved(settings.treeMapSpacing))) {
        applyLayout(settings.layoutType, settings.treeMapSpacing);
    }
    if (!samplesCurrent) {
        sampleCurves();
    }
    if (!curvesMixed || strength != settings.beta) {
        applyStrength(settings.beta);
    }
}
