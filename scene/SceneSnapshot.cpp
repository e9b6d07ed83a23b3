#include "scene/SceneSnapshot.h"

#include "layout/TreeLayouts.h"

std::shared_ptr<const SceneSnapshot> snapshotOf(const Scene& scene) {
    auto snapshot = std::make_shared<SceneSnapshot>();
    snapshot->graph = scene.graph();
    snapshot->layoutType = scene.appliedLayout().value_or(0);
    snapshot->positions.assign(scene.positions().begin(), scene.positions().end());
    if (isTreeMapLayout(snapshot->layoutType)) {
        snapshot->rectangles = treeMapRectangles(scene.graph(), scene.treeMap());
    }
    snapshot->labels = labelCandidates(snapshot->layoutType, scene.graph(), scene.layoutData(),
                                       scene.positions(), snapshot->rectangles);
    return snapshot;
}
