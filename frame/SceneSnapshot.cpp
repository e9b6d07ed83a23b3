#include "frame/SceneSnapshot.h"

#include "layout/TreeLayouts.h"

std::shared_ptr<const SceneSnapshot> snapshotOf(const Scene& scene) {
    auto snapshot = std::make_shared<SceneSnapshot>();
    snapshot->graphNumber = scene.graphNumber();
    snapshot->sharedGraph = scene.sharedGraph();
    snapshot->cut = scene.cut();
    snapshot->openedDepth = scene.openedDepth();
    snapshot->bundles = scene.sharedBundles();
    snapshot->comparison = scene.comparison();
    snapshot->layoutType = scene.appliedLayout().value_or(TreeLayoutType::Radial);
    snapshot->positions.assign(scene.positions().begin(), scene.positions().end());
    if (isTreeMapLayout(snapshot->layoutType)) {
        snapshot->rectangles = treeMapRectangles(scene.graph(), scene.treeMap());
    }
    snapshot->labels =
        labelCandidates(snapshot->layoutType, scene.graph(), scene.layoutData(), scene.positions(),
                        snapshot->rectangles, scene.cut().shownAs);
    return snapshot;
}

std::vector<Label> labelsToShow(const SceneSnapshot& snapshot, const TextMeasure& measure,
                                double pixelsPerUnit, const Rect& visible, int32_t highlighted) {
    std::optional<Label> first;
    if (highlighted != CompoundGraph::none) {
        first = labelOf(snapshot.labels, snapshot.graph(), snapshot.positions, highlighted);
    }
    return placeLabels(snapshot.labels, measure, pixelsPerUnit, visible, snapshot.rectangles,
                       first);
}
