#include "scene/FrameSession.h"

#include "scene/SceneDrawing.h"

FrameSession::FrameSession(Scene& scene, int framePixels) : scene(&scene), pixels(framePixels) {}

float FrameSession::labelPixels() const {
    return framedLabelPixels * static_cast<float>(pixels) / DrawDescription::framePixels;
}

std::optional<SessionFrame> FrameSession::frame(const ViewSettings& settings,
                                                const ViewState& view) {
    scene->update(settings);
    const FrameKey key = frameKeyOf(*scene, settings, view);
    if (!reuse.needsDrawing(key)) {
        return std::nullopt;
    }
    SessionFrame made{std::make_shared<const DrawDescription>(describe(settings, view)),
                      snapshot()};
    reuse.markDrawn(key);
    return made;
}

SessionFrame FrameSession::frameAnyway(const ViewSettings& settings, const ViewState& view) {
    forget();
    return *frame(settings, view);
}

DrawDescription FrameSession::describe(const ViewSettings& settings, const ViewState& view) {
    DrawDescription description = describeScene(*scene, settings, view);
    description.curves.ramp = rampOf(ramps, description.curves.colorRamp);
    if (settings.showLabels && labelMeasure) {
        description.labelPixels = labelPixels();
        description.labels =
            labelsToShow(*snapshot(), *labelMeasure, view.region.pixelsPerUnit(pixels),
                         view.region.bounds(), view.highlighted);
    }
    return description;
}

std::shared_ptr<const SceneSnapshot> FrameSession::snapshot() {
    if (!lastSnapshot || lastSnapshot->graphNumber != scene->graphNumber() ||
        snapshotPositions != scene->positionsRevision()) {
        lastSnapshot = snapshotOf(*scene);
        snapshotPositions = scene->positionsRevision();
    }
    return lastSnapshot;
}

float FrameSession::labelledExtent(const ViewSettings& settings) {
    if (!labelMeasure) {
        return DrawDescription::frameExtent;
    }
    scene->update(settings);
    const std::shared_ptr<const SceneSnapshot> shown = snapshot();
    return static_cast<float>(
        ::labelledExtent(shown->layoutType, shown->labels, *labelMeasure, pixels));
}
