#include "facade/Graph.h"

#include "bundling/SplineSampling.h"
#include "frame/SceneDrawing.h"
#include "io/GraphFileReader.h"
#include "layout/TreeLayouts.h"
#include "model/GraphLoading.h"
#include "render/ColorRamps.h"

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
    return loadGraphFile(scene, path, progress);
}

void Graph::tokenize(std::string_view line, std::string_view delimiters,
                     std::vector<std::string_view>& tokens) {
    graphfile::tokenize(line, delimiters, tokens);
}

void Graph::buildLayouts() {
    scene.buildLayouts();
}

void Graph::setLayout(TreeLayoutType type) {
    const TreeLayoutType wanted = type;
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
    session = FrameSession(scene, framePixels);
    // Names keep their share of the frame at every frame size.
    labelText = std::make_unique<TextAtlas>(session.labelPixels());
    session.setLabelMeasure(labelText->labelFont());
    if (Status shader = renderer.prepare(); !shader) {
        return shader;
    }
    return loadColorRamps();
}

Status Graph::loadColorRamps() {
    RampColours ramps;
    const Status loaded = ::loadColorRamps(targets.colorRampTextures, &ramps);
    session.setRamps(std::move(ramps));
    return loaded;
}

void Graph::render() {
    if (const std::optional<SessionFrame> made = session.frame(settings, view)) {
        const DrawDescription& frame = *made->description;
        renderer.drawFrame(frame);
        if (!frame.labels.empty()) {
            renderer.writeLabels(targets.frameTexture, frame, *labelText);
            renderer.finishFrame(targets.frameTexture);
        }
    } else {
        renderer.reuseFrame();
    }
    renderer.showFrame(view.region);
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
    return static_cast<int32_t>(scene.appliedLayout().value_or(TreeLayoutType::Radial));
}

float Graph::beta() const {
    return scene.appliedStrength().value_or(-1.0f);
}
