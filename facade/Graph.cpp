#include "facade/Graph.h"

#include "bundling/SplineSampling.h"
#include "io/GraphFileReader.h"
#include "layout/TreeLayouts.h"
#include "render/ColorRamps.h"
#include "scene/GraphLoading.h"
#include "scene/SceneDrawing.h"
#include "scene/SceneSnapshot.h"

Graph& Graph::instance() {
    static Graph* graph = new Graph();
    return *graph;
}

Graph::Graph() = default;

Graph::~Graph() {
    renderer.release();
    targets.release();
}

void Graph::clear() {
    scene.setGraph(CompoundGraph{});
}

Status Graph::load(std::string path, Progress* progress) {
    return loadGraphFile(scene, path, progress, std::nullopt, nameSeparator);
}

void Graph::tokenize(std::string_view line, std::string_view delimiters,
                     std::vector<std::string_view>& tokens) {
    graphfile::tokenize(line, delimiters, tokens);
}

void Graph::buildLayouts() {
    scene.buildLayouts();
}

void Graph::setLayout(TreeLayoutType type) {
    const auto wanted = static_cast<int32_t>(type);
    settings.layoutType = wanted;
    if (scene.appliedLayout() == wanted) {
        return;
    }
    scene.applyLayout(wanted, settings.treeMapSpacing);
    scene.sampleCurves();
    if (const std::optional<float> strength = scene.appliedStrength()) {
        scene.applyStrength(*strength);
    }
}

std::unique_ptr<TreeMapNode> Graph::buildTreeMapNode(int32_t node, int32_t index) const {
    return ::buildTreeMapNode(scene.graph(), scene.layoutData(), node, index);
}

void Graph::copyTreeMapCentres(int32_t node, const TreeMapNode* treeMapNode) {
    ::copyTreeMapCentres(scene.graph(), node, treeMapNode, scene.editPositions());
}

void Graph::buildSplines() {
    scene.buildRoutes();
    scene.sampleCurves();
}

Point Graph::evaluateSpline(float t, const int32_t* ids, int32_t count) const {
    return ::evaluateSpline(t, {ids, static_cast<std::size_t>(count)}, scene.positions());
}

Point Graph::blendPoint(float strength, float t, const int32_t* ids, int32_t count) const {
    return ::blendPoint(strength, t, {ids, static_cast<std::size_t>(count)}, scene.positions());
}

void Graph::sampleSplines() {
    scene.sampleCurves();
}

void Graph::setBeta(float newBeta) {
    settings.beta = newBeta;
    if (scene.curvesCurrent() && scene.appliedStrength() == newBeta) {
        return;
    }
    scene.applyStrength(newBeta);
}

Status Graph::initRenderTargets(int32_t framePixels) {
    targets.create(framePixels);
    if (Status shader = renderer.prepare(); !shader) {
        return shader;
    }
    return loadColorRamps();
}

Status Graph::loadColorRamps() {
    return ::loadColorRamps(targets.colorRampTextures);
}

void Graph::render() {
    scene.update(settings);
    const FrameKey key = frameKeyOf(scene, settings, view);
    // Names are written into the frame: a frame with them is no frame
    // without them.
    if (frameReuse.needsDrawing(key) || settings.showLabels != labelsInFrame) {
        renderer.drawFrame(describe());
        frameReuse.markDrawn(key);
        labelsInFrame = settings.showLabels;
        if (labelsInFrame) {
            writeLabels();
        }
    } else {
        renderer.reuseFrame();
    }
    renderer.showFrame(view.region);
}

DrawDescription Graph::describe() {
    scene.update(settings);
    return describeScene(scene, settings, view);
}

float Graph::labelPixels() const {
    // Text keeps its share of the frame at every frame size.
    return framedLabelPixels * static_cast<float>(frameSide()) / DrawDescription::framePixels;
}

const TextAtlas& Graph::labelAtlas() {
    if (!labelText) {
        labelText = std::make_unique<TextAtlas>(labelPixels());
    }
    return *labelText;
}

std::vector<Label> Graph::labelsShown() {
    if (!settings.showLabels) {
        return {};
    }
    scene.update(settings);
    return labelsToShow(*snapshotOf(scene, 0), labelAtlas(), view.region.pixelsPerUnit(frameSide()),
                        view.region.bounds(), view.highlighted);
}

float Graph::labelledExtent() {
    const int32_t layout = scene.appliedLayout().value_or(settings.layoutType);
    const std::vector<Label> candidates = labelCandidates(
        layout, scene.graph(), scene.layoutData(), scene.positions(), std::span<const Rect>());
    return static_cast<float>(::labelledExtent(layout, candidates, labelAtlas(), frameSide()));
}

void Graph::writeLabels() {
    const std::vector<Label> labels = labelsShown();
    renderer.enterFrame(targets.frameTexture, view.region);
    labelAtlas().draw(labels, view.region.pixelsPerUnit(frameSide()), 1.0, labelColour);
    renderer.leaveFrame();
    renderer.finishFrame(targets.frameTexture);
}

void Graph::drawRadialTree() {
    renderer.drawLines(describeRadialTree(scene.graph(), scene.layoutData(), settings.lineWidth));
}

void Graph::drawClassicTree() {
    renderer.drawLines(describeClassicTree(scene.graph(), scene.layoutData(), settings.lineWidth));
}

void Graph::drawTreeMap() {
    scene.update(settings);
    renderer.drawLines(describeTreeMap(scene.treeMap(), settings.lineWidth));
}

void Graph::drawSplines() {
    if (settings.showSplines) {
        renderer.drawCurves(describeCurves(scene, settings));
    }
}

void Graph::drawTreeOverlay() {
    if (settings.showTree) {
        renderer.drawLines(describeOverlay(scene.graph(), scene.positions(), settings.lineWidth));
    }
}

Node Graph::node(int32_t id) const {
    const CompoundGraph& graph = scene.graph();
    const TreeLayoutData& data = scene.layoutData();
    const bool laidOut = data.level.size() == static_cast<std::size_t>(graph.nodeCount());
    const auto i = static_cast<std::size_t>(id);
    const Point position = scene.positions()[i];
    return Node{id,
                graph.name(id),
                graph.parent[i],
                graph.children(id),
                position.x,
                position.y,
                laidOut ? data.level[i] : 0,
                laidOut ? data.offset[i] : 0.0f,
                laidOut ? data.width[i] : 0.0f};
}

std::vector<Node> Graph::nodes() const {
    std::vector<Node> all;
    for (int32_t id = 0; id < nodeCount(); ++id) {
        all.push_back(node(id));
    }
    return all;
}

Edge Graph::edge(int32_t index) const {
    const CompoundGraph& graph = scene.graph();
    const Routes& routes = scene.routes();
    const auto i = static_cast<std::size_t>(index);
    const std::span<const int32_t> polygon =
        index < routes.edgeCount() ? routes.polygon(index) : std::span<const int32_t>();
    const std::vector<float>& lengths = scene.curves().arcLength;
    return Edge{index,
                graph.source[i],
                graph.target[i],
                polygon,
                static_cast<int32_t>(polygon.size()),
                i < lengths.size() ? lengths[i] : 0.0f};
}

std::vector<Edge> Graph::edges() const {
    std::vector<Edge> all;
    for (int32_t index = 0; index < edgeCount(); ++index) {
        all.push_back(edge(index));
    }
    return all;
}

std::vector<float> Graph::straightPoints() const {
    const CurveSamples& samples = scene.samples();
    std::vector<float> points;
    points.reserve(static_cast<std::size_t>(samples.edgeCount()) * floatsPerEdge);
    for (int32_t edge = 0; edge < samples.edgeCount(); ++edge) {
        for (int32_t j = 0; j < samplesPerEdge; ++j) {
            const Point point = straightSample(samples, edge, j);
            points.push_back(point.x);
            points.push_back(point.y);
        }
    }
    return points;
}

int32_t Graph::layoutType() const {
    return scene.appliedLayout().value_or(static_cast<int32_t>(TreeLayoutType::Radial));
}

float Graph::beta() const {
    return scene.appliedStrength().value_or(-1.0f);
}
