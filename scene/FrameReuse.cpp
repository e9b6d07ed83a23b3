#include "scene/FrameReuse.h"

FrameKey frameKeyOf(const Scene& scene, const ViewSettings& settings, const ViewState& view) {
    FrameKey key;
    key.sceneRevision = scene.revision();
    key.layoutType = scene.appliedLayout().value_or(settings.layoutType);
    key.blendMode = settings.blendMode;
    key.colorRamp = settings.colorRamp;
    key.minAlpha = settings.minAlpha;
    key.alphaExponent = settings.alphaExponent;
    key.lineWidth = settings.lineWidth;
    key.splineWidth = settings.splineWidth;
    key.flipAlpha = settings.flipAlpha;
    key.showTree = settings.showTree;
    key.showSplines = settings.showSplines;
    key.showLabels = settings.showLabels;
    key.view = view;
    return key;
}
