#include "frame/FrameSession.h"

#include "analysis/RuleCheck.h"
#include "base/SystemMemory.h"
#include "frame/LegendLayout.h"
#include "frame/MatrixDrawing.h"
#include "frame/SceneDrawing.h"
#include "model/GraphLoading.h"

#include <algorithm>
#include <new>

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
            changeCut(std::move(cut), settings);
        }
    }
    scene->update(settings);
    return summary();
}

void FrameSession::changeCut(Cut cut, const ViewSettings& settings) {
    const Cut before = scene->cut();
    const std::shared_ptr<const Bundles> bundlesBefore = scene->sharedBundles();
    const std::optional<uint64_t> available =
        memoryAvailable ? memoryAvailable : availableMemoryBytes();
    uint64_t needed = 0;
    int64_t bundleCount = 0;
    try {
        auto bundles = std::make_shared<const Bundles>(scene->bundlesOf(cut));
        needed = memoryNeeded(scene->graph(), *bundles);
        bundleCount = bundles->bundleCount();
        // The curves of the cut shown now go once the new ones are made.
        const uint64_t held = memoryNeeded(scene->graph(), *bundlesBefore);
        Status fits = fitsMemory(needed, bundleCount, "bundles",
                                 available ? std::optional(*available + held) : available);
        if (!fits) {
            refusal = fits.error();
            return;
        }
        scene->setCut(std::move(cut), std::move(bundles));
        scene->update(settings);
    } catch (const std::bad_alloc&) {
        // The estimate fell short: what the cut made goes, and the cut shown
        // before comes back.
        scene->setCut(before, bundlesBefore);
        refusal = outOfMemoryFor(bundleCount, "bundles", needed, available);
    }
}

void FrameSession::setRules(std::shared_ptr<const RuleSet> rules) {
    if (rules != findings.rules) {
        findings.rules = std::move(rules);
        findings.violations.reset();
        ruleFindings.reset();
        violationsFoundFor.reset();
        // The plain picture a highlight is drawn over shows the rules too.
        plain.reset();
        forget();
    }
}

const SceneFindings& FrameSession::findingsFor(const ViewSettings& settings) {
    const std::shared_ptr<const Bundles> bundles = scene->sharedBundles();
    if (!settings.showCycles) {
        findings.cycles.reset();
    } else if (!findings.cycles || cyclesFoundFor != bundles) {
        findings.cycles = std::make_shared<const CycleGroups>(
            cycleGroupsOf(*bundles, scene->graph().nodeCount()));
        cyclesFoundFor = bundles;
    }
    if (!findings.rules) {
        return findings;
    }
    // The rules count the graph's relations, whatever the cut.
    if (!ruleFindings || rulesCheckedGraph != scene->graphNumber()) {
        ruleFindings =
            std::make_shared<const RuleFindings>(checkRules(*findings.rules, scene->graph()));
        rulesCheckedGraph = scene->graphNumber();
        violationsFoundFor.reset();
    }
    if (!findings.violations || violationsFoundFor != bundles) {
        const Cut& cut = scene->cut();
        findings.violations = std::make_shared<const std::vector<RuleOnBundles>>(
            violationsOnBundles(*findings.rules, *ruleFindings, scene->graph(), *bundles,
                                cut.collapsed.empty() ? std::span<const int32_t>() : cut.shownAs));
        violationsFoundFor = bundles;
    }
    return findings;
}

CutSummary FrameSession::summary() const {
    return summaryOf(scene->cut(), deepest, scene->bundles().bundleCount(),
                     scene->graph().edgeCount());
}

std::optional<SessionFrame> FrameSession::frame(const ViewSettings& settings,
                                                const ViewState& view) {
    const CutSummary cut = applyCut(settings, view);
    const FrameKey key = frameKeyOf(*scene, settings, view);
    if (!reuse.needsDrawing(key)) {
        return std::nullopt;
    }
    SessionFrame made{described(settings, view, key), snapshotFor(settings), cut};
    reuse.markDrawn(key);
    return made;
}

std::shared_ptr<const DrawDescription>
FrameSession::described(const ViewSettings& settings, const ViewState& view, const FrameKey& key) {
    if (!picturesKept) {
        return std::make_shared<const DrawDescription>(describe(settings, view));
    }
    ViewState without = view;
    without.highlighted = CompoundGraph::none;
    const FrameKey plainWanted =
        view.highlighted == CompoundGraph::none ? key : frameKeyOf(*scene, settings, without);
    const bool over = view.highlighted != CompoundGraph::none &&
                      settings.view == ViewType::Bundles && settings.showSplines &&
                      settings.blendMode != BlendModeType::Density &&
                      scene->bundles().bundleCount() > readableBundles;
    if (view.highlighted != CompoundGraph::none && !over) {
        return std::make_shared<const DrawDescription>(describe(settings, view));
    }
    if (!plain || !(plainKey == plainWanted)) {
        plain = std::make_shared<const DrawDescription>(describe(settings, without));
        plainKey = plainWanted;
    }
    if (!over) {
        return plain;
    }
    // The highlight's own curves, marks and names over the plain picture,
    // whose tree, bands, curves and overlay it dims.
    DrawDescription highlighted = describe(settings, view);
    highlighted.under = plain;
    highlighted.underKept = dimmedOpacity;
    highlighted.tree = LineSet{};
    highlighted.groupBands.clear();
    highlighted.showOverlay = false;
    CurveSet& curves = highlighted.curves;
    // An empty order would draw every curve.
    highlighted.showCurves = curves.emphasisedPlaces > 0;
    std::vector<int32_t> own(curves.order.end() - curves.emphasisedPlaces, curves.order.end());
    curves.order = std::move(own);
    return std::make_shared<const DrawDescription>(std::move(highlighted));
}

SessionFrame FrameSession::frameOnTheWay(const ViewSettings& settings, const ViewState& view,
                                         std::span<const Point> places) {
    const std::span<Point> positions = scene->editPositions();
    std::copy(places.begin(), places.end(), positions.begin());
    scene->sampleCurves();
    scene->applyStrength(settings.beta);
    forget();
    return {std::make_shared<const DrawDescription>(describe(settings, view)),
            snapshotFor(settings), summary()};
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
    if (settings.view == ViewType::Matrix) {
        const SceneFindings& found = findingsFor(settings);
        ViewSettings scaled = settings;
        scaled.lineWidth *= static_cast<float>(pixels) / DrawDescription::framePixels;
        return describeMatrixFrame(*scene, *matrix(settings), scaled, view,
                                   rampOf(ramps, settings.colorRamp), matrixText(), found);
    }
    // Widths are pixels of the 2048-pixel frame: other sizes keep the look.
    ViewSettings scaled = settings;
    const float scale = static_cast<float>(pixels) / DrawDescription::framePixels;
    scaled.lineWidth *= scale;
    scaled.splineWidth *= scale;
    DrawDescription description = describeScene(
        *scene, scaled, view, rampOf(ramps, settings.colorRamp), findingsFor(settings));
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
        // The graph's widest labels are found once.
        const bool sameGraph = lastSnapshot && lastSnapshot->graphNumber == scene->graphNumber();
        lastSnapshot =
            snapshotOf(*scene, sameGraph ? lastSnapshot->widestLabels
                                         : std::shared_ptr<const std::vector<std::string>>());
        snapshotPositions = scene->positionsRevision();
    }
    // The pointer answers for what the last frame found, and finds the
    // bundles that break rules on their curves.
    const SceneFindings& found = lastSnapshot->findings;
    const SharedValues<float> points =
        findings.violations ? scene->sharedPoints() : SharedValues<float>();
    if (found.cycles != findings.cycles || found.rules != findings.rules ||
        found.violations != findings.violations ||
        lastSnapshot->curvePoints.data() != points.data()) {
        auto withFindings = std::make_shared<SceneSnapshot>(*lastSnapshot);
        withFindings->findings = findings;
        withFindings->curvePoints = points;
        lastSnapshot = std::move(withFindings);
    }
    return lastSnapshot;
}

std::shared_ptr<const DependencyMatrix> FrameSession::matrix(const ViewSettings& settings) {
    if (!lastMatrix || matrixBundles != scene->sharedBundles() ||
        matrixOrder != settings.matrixOrder) {
        matrixBundles = scene->sharedBundles();
        matrixOrder = settings.matrixOrder;
        lastMatrix = std::make_shared<const DependencyMatrix>(
            dependencyMatrix(scene->graph(), scene->cut().shownAs, *matrixBundles, matrixOrder));
    }
    return lastMatrix;
}

MatrixText FrameSession::matrixText() const {
    return {labelMeasure.get(), labelPixels(), pixels};
}

std::shared_ptr<const SceneSnapshot> FrameSession::snapshotFor(const ViewSettings& settings) {
    const std::shared_ptr<const SceneSnapshot> plainSnapshot = snapshot();
    if (settings.view != ViewType::Matrix) {
        return plainSnapshot;
    }
    const std::shared_ptr<const DependencyMatrix> shown = matrix(settings);
    if (!matrixSnapshot || matrixSnapshotOf != plainSnapshot || matrixSnapshot->matrix != shown) {
        auto withMatrix = std::make_shared<SceneSnapshot>(*plainSnapshot);
        withMatrix->matrix = shown;
        withMatrix->matrixLayout =
            layOutMatrix(scene->graph(), scene->cut().shownAs, *shown, matrixText());
        matrixSnapshot = std::move(withMatrix);
        matrixSnapshotOf = plainSnapshot;
    }
    return matrixSnapshot;
}

float FrameSession::labelledExtent(const ViewSettings& settings) {
    // The matrix writes its names in its own bands.
    if (!settings.showLabels || !labelMeasure || settings.view == ViewType::Matrix) {
        return DrawDescription::frameExtent;
    }
    scene->update(settings);
    const std::shared_ptr<const SceneSnapshot> shown = snapshot();
    return static_cast<float>(
        ::labelledExtent(shown->layoutType, *shown->widestLabels, *labelMeasure, pixels));
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
    // The matrix fills its square as the treemaps do.
    const bool round = layoutType == TreeLayoutType::Radial && settings.view == ViewType::Bundles;
    const double room = roomBeside(round, half, half, legendPlace(layout, side, side));
    return static_cast<float>(extent * std::clamp(half / room, 1.0, 1.0 / keptBesideKey));
}
