#include "frame/FrameReuse.h"

FrameKey frameKeyOf(const Scene& scene, const ViewSettings& settings, const ViewState& view) {
    FrameKey key{scene.revision(), settings, view};
    // The settings the scene applies count as it applied them: a spacing
    // within epsilon of the one laid out lays nothing out again, and the
    // revision moves whenever the applied ones change the picture.
    key.settings.layoutType = scene.appliedLayout().value_or(settings.layoutType);
    key.settings.treeMapSpacing = scene.treeMap().spacing;
    key.settings.beta = scene.appliedStrength().value_or(settings.beta);
    // So does the cut: two ways to ask for the same one (the whole tree by
    // depth 0 or by the tree's depth) draw the same picture.
    key.settings.depth = 0;
    // The key to the colours is drawn over the frame, not in it.
    key.settings.showLegend = false;
    key.view.toggled.clear();
    // Kept relations are only drawn apart in a comparison.
    if (!scene.comparison()) {
        key.settings.showKept = true;
    }
    return key;
}
