#include "scene/Scene.h"

#include "bundling/BundlingStrength.h"
#include "bundling/SplineSampling.h"
#include "layout/TreeLayouts.h"
#include "layout/TreeMapStrategy.h"

Scene::Scene() = default;

void Scene::setGraph(CompoundGraph newGraph) {
    graphData = std::move(newGraph);
    layout = TreeLayoutData();
    treeMapData = TreeMap();
    routeData = Routes();
    curveSamples = CurveSamples();
    mixedCurves = MixedCurves();
    nodePositions.assign(static_cast<std::size_t>(graphData.nodeCount()), Point{});
    layoutBuilt = false;
    routesBuilt = false;
    layoutApplied.reset();
    samplesCurrent = false;
    curvesMixed = false;
    ++sceneRevision;
}

void Scene::buildLayouts() {
    layout = ::buildLayouts(graphData);
    treeMapData = buildTreeMap(graphData, layout);
    layoutBuilt = true;
    layoutApplied.reset();
}

void Scene::buildRoutes() {
    routeData = ::buildRoutes(graphData);
    routesBuilt = true;
    samplesCurrent = false;
}

void Scene::applyLayout(int32_t type, float spacing) {
    if (!layoutBuilt) {
        buildLayouts();
    }
    ::applyLayout(static_cast<TreeLayoutType>(type), graphData, layout, treeMapData, spacing,
                  nodePositions);
    layoutApplied = type;
    samplesCurrent = false;
    ++sceneRevision;
}

std::span<Point> Scene::editPositions() {
    samplesCurrent = false;
    ++sceneRevision;
    return nodePositions;
}

void Scene::sampleCurves() {
    if (!routesBuilt) {
        buildRoutes();
    }
    const int32_t edgeCount = routeData.edgeCount();
    if (curveSamples.edgeCount() != edgeCount) {
        curveSamples = CurveSamples(edgeCount);
        mixedCurves = MixedCurves(edgeCount);
    }
    ::sampleCurves(routeData, nodePositions, EdgeRange{0, edgeCount}, curveSamples);
    samplesCurrent = true;
    curvesMixed = false;
    ++sceneRevision;
}

void Scene::applyStrength(float newStrength) {
    if (!samplesCurrent) {
        sampleCurves();
    }
    strength = newStrength;
    const LengthRange lengths =
        mixCurves(newStrength, curveSamples, EdgeRange{0, curveSamples.edgeCount()}, mixedCurves,
                  emptyLengthRange());
    mixedCurves.minLength = lengths.shortest;
    mixedCurves.maxLength = lengths.longest;
    curvesMixed = true;
    ++sceneRevision;
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
