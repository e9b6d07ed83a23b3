#include "frame/FrameSession.h"

#include "base/SystemMemory.h"
#include "frame/LegendLayout.h"
#include "frame/SceneDrawing.h"
#include "model/GraphLoading.h"

#include <algorithm>

FrameSession::FrameSession(Scene& scene, int framePixels) : scene(&scene), pixels(framePixels) {}

float FrameSession::labelPixels() const {
    return framedLabelPixels * static_cast<float>(pixels) / DrawDescription::framePixels;
}

CutSummary FrameSession::applyCut(const ViewSettings& settings, const ViewState& view) {
    scene->showKept(settings.showKept);
    if (cutGraph != scene->graphNumber() || cutDepth != settings.depth ||
        cutToggled != view.toggled) {
        cutGraph = scene->graphNumber();
        cutDepth = settings.depth;
        cutToggled = view.toggled;
        deepest = treeDepth(scene->graph());
        Cut cut = cutOf(scene->graph(), settings.depth, view.toggled);
        if (!(cut == scene->cut())) {
            auto bundles = std::make_shared<const Bundles>(scene->bundlesOf(cut));
            // The curves of the cut shown now go once the new ones are made.
            const std::optional<uint64_t> available =
                memoryAvailable ? memoryAvailable : availableMemoryBytes();
            const uint64_t held = memoryNeeded(scene->graph(), scene->bundles());
            Status fits =
                fitsMemory(memoryNeeded(scene->graph(), *bundles), bundles->bundleCount(),
                           "bundles", available ? std::optional(*available + held) : available);
            if (fits) {
                scene->setCut(std::move(cut), std::move(bundles));
            } else {
                refusal = fits.error();
            }
        }
    }
    scene->update(settings);
    return summary();
}

CutSummary FrameSession::summary() const {
    const Cut& cut = scene->cut();
    return {cut.depth > 0 ? cut.depth : deepest, deepest, cut.custom,
            scene->bundles().bundleCount(), scene->graph().edgeCount()};
}

std::optional<SessionFrame> FrameSession::frame(const ViewSettings& settings,
                                                const ViewState& view) {
    const CutSummary cut = applyCut(settings, view);
    const FrameKey key = frameKeyOf(*scene, settings, view);
    if (!reuse.needsDrawing(key)) {
        return std::nullopt;
    }
    SessionFrame made{std::make_shared<const DrawDescription>(describe(settings, view)), snapshot(),
                      cut};
    reuse.markDrawn(key);
    return made;
}

SessionFrame FrameSession::frameOnTheWay(const ViewSettings& settings, const ViewState& view,
                                         std::span<const Point> places) {
    const std::span<Point> positions = scene->editPositions();
    std::copy(places.begin(), places.end(), positions.begin());
    scene->sampleCurves();
    scene->applyStrength(settings.beta);
    forget();
    return {std::make_shared<const DrawDescription>(describe(settings, view)), snapshot(),
            summary()};
}

void FrameSession::settle() {
    if (const std::optional<TreeLayoutType> layout = scene->appliedLayout()) {
        scene->applyLayout(*layout, scene->treeMap().spacing);
    }
    // The cut is made again from what the next frame asks.
    cutGraph = 0;
    forget();
}

SessionFrame FrameSession::frameAnyway(const ViewSettings& settings, const ViewState& view) {
    forget();
    return *frame(settings, view);
}

DrawDescription FrameSession::describe(const ViewSettings& settings, const ViewState& view) {
    // Widths are pixels of the 2048-pixel frame: other sizes keep the look.
    ViewSettings scaled = settings;
    const float scale = static_cast<float>(pixels) / DrawDescription::framePixels;
    scaled.lineWidth *= scale;
    scaled.splineWidth *= scale;
    DrawDescription description =
        describeScene(*scene, scaled, view, rampOf(ramps, settings.colorRamp));
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
        snapshotPositions != scene->positionsRevision() ||
        lastSnapshot->bundles != scene->sharedBundles()) {
        lastSnapshot = snapshotOf(*scene);
        snapshotPositions = scene->positionsRevision();
    }
    return lastSnapshot;
}

float FrameSession::labelledExtent(const ViewSettings& settings) {
    if (!settings.showLabels || !labelMeasure) {
        return DrawDescription::frameExtent;
    }
    scene->update(settings);
    const std::shared_ptr<const SceneSnapshot> shown = snapshot();
    return static_cast<float>(
        ::labelledExtent(shown->layoutType, shown->labels, *labelMeasure, pixels));
}

float FrameSession::legendExtent(const ViewSettings& settings, const ViewState& view,
                                 float extent) {
    if (!labelMeasure) {
        return extent;
    }
    applyCut(settings, view);
    const DrawDescription shown = describe(settings, view);
    const LegendLayout layout = layOutLegend(shown.legend, shown.curves.ramp.span(), *labelMeasure);
    if (layout.empty()) {
        return extent;
    }
    const auto side = static_cast<float>(pixels);
    const double half = side / 2.0;
    const TreeLayoutType layoutType = scene->appliedLayout().value_or(settings.layoutType);
    const double room = roomBeside(layoutType == TreeLayoutType::Radial, half, half,
                                   legendPlace(layout, side, side));
    // A key too big for any fit takes at most half the picture's size.
    return static_cast<float>(extent * std::clamp(half / room, 1.0, 2.0));
}
