#include "frame/SceneSnapshot.h"

#include <algorithm>
#include <limits>

#include "layout/TreeLayouts.h"

std::shared_ptr<const SceneSnapshot>
snapshotOf(const Scene& scene, std::shared_ptr<const std::vector<std::string>> widestLabels) {
    auto snapshot = std::make_shared<SceneSnapshot>();
    snapshot->widestLabels =
        widestLabels
            ? std::move(widestLabels)
            : std::make_shared<const std::vector<std::string>>(widestLabelTexts(scene.graph()));
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
                                double pixelsPerUnit, const Rect& visible, int32_t highlighted,
                                float clearOfLeft) {
    std::optional<Label> first;
    if (highlighted != CompoundGraph::none) {
        first = labelOf(snapshot.labels, snapshot.graph(), snapshot.positions, highlighted);
    }
    std::vector<Label> placed =
        placeLabels(snapshot.labels, measure, pixelsPerUnit, visible, snapshot.rectangles, first);
    const auto reachesLeft = [&](const Label& label) {
        const LabelBox box = labelBox(label, measure, pixelsPerUnit);
        return std::any_of(std::begin(box.corners), std::end(box.corners),
                           [&](const Point& at) { return at.x < clearOfLeft * pixelsPerUnit; });
    };
    std::erase_if(placed, reachesLeft);
    return placed;
}
