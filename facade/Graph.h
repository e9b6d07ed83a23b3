#pragma once

#include "base/Progress.h"
#include "base/Result.h"
#include "bundling/CurveSamples.h"
#include "frame/FrameSession.h"
#include "graph/CompoundGraph.h"
#include "layout/Point.h"
#include "layout/TreeLayoutType.h"
#include "layout/TreeMap.h"
#include "model/Scene.h"
#include "render/FrameRenderer.h"
#include "render/LabelFont.h"
#include "render/RenderTargets.h"
#include "render/TextAtlas.h"
#include "settings/ViewSettings.h"
#include "settings/ViewState.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// One hierarchy node as the viewer shows it: its place in the tree, its
// span of leaves and level, and its position in the current layout.
struct Node {
    int32_t id;
    std::string_view name;
    int32_t parent;
    std::span<const int32_t> children;
    float x;
    float y;
    uint32_t depth;
    float offset;
    float width;
};

// One relation with its control polygon and the length of its curve.
struct Edge {
    int32_t index;
    int32_t source;
    int32_t target;
    std::span<const int32_t> controlPoints;
    int32_t controlPointCount;
    float arcLength;
};

// The viewer's graph object: the named operations of loading, laying out,
// bundling and drawing, as thin forwards over the scene (graph, stage
// results), the frame session that makes every frame, and the GL renderer.
// Start-up and outside callers use it.
class Graph {
public:
    static constexpr int32_t samplesPerEdge = ::samplesPerEdge;
    static constexpr int32_t frameSize = RenderTargets::frameSize;

    static Graph& instance();

    Graph();
    Graph(const Graph&) = delete;
    Graph& operator=(const Graph&) = delete;
    // Deletes the GL objects that initRenderTargets made.
    virtual ~Graph();

    // An empty graph: no nodes, no relations.
    void clear();

    // Reads a graph file (line format, JSON, edge list or GraphML, by its
    // extension) and rebuilds layouts and curves, ending with the
    // radial layout. A rejected file leaves the current graph as it was.
    // With a Progress, its observer is told each stage.
    Status load(std::string path, Progress* progress = nullptr);
    static void tokenize(std::string_view line, std::string_view delimiters,
                         std::vector<std::string_view>& tokens);

    void buildLayouts();
    // Applies the layout unless it is the one shown; then samples the curves
    // again and mixes them with the strength applied before, if any.
    void setLayout(TreeLayoutType type);
    std::unique_ptr<TreeMapNode> buildTreeMapNode(int32_t node, int32_t index) const;
    // Moves the nodes of node's subtree to the centres of the treemap
    // rectangles that mirror them.
    void copyTreeMapCentres(int32_t node, const TreeMapNode* treeMapNode);

    void buildSplines();
    // The point at t of the curve through the nodes named by ids.
    Point evaluateSpline(float t, const int32_t* ids, int32_t count) const;
    // strength x the curve + (1 - strength) x the straight segment between
    // the polygon's first and last node.
    Point blendPoint(float strength, float t, const int32_t* ids, int32_t count) const;
    void sampleSplines();
    // Mixes the curves with the strength unless it is the one applied.
    void setBeta(float newBeta);

    // Creates, once and with a current GL context, the buffers, the
    // off-screen frame (framePixels square) and the ramp textures that
    // drawing uses. Fails with the message to show when a ramp image is
    // missing, broken or unfit.
    Status initRenderTargets(int32_t framePixels = frameSize);
    Status loadColorRamps();

    // Draws the session's frame for the settings and the view into the
    // off-screen frame, unless the frame drawn last still shows them, and
    // shows the frame in the window. With labels on, the names are written
    // into the frame too.
    void render();
    void drawRadialTree();
    void drawClassicTree();
    void drawTreeMap();
    void drawSplines();
    void drawTreeOverlay();

    // Every setting the user changes; render applies them.
    ViewSettings settings;
    // The part of the scene drawn, the node highlighted, the nodes marked.
    ViewState view;

    int32_t nodeCount() const { return scene.graph().nodeCount(); }
    int32_t edgeCount() const { return scene.graph().edgeCount(); }
    int32_t root() const { return scene.graph().root; }
    Node node(int32_t id) const;
    std::vector<Node> nodes() const;
    Edge edge(int32_t index) const;
    std::vector<Edge> edges() const;
    // The layout the node positions show (Radial before any).
    int32_t layoutType() const;
    // The strength the curves were mixed with last; -1 before the first mix.
    float beta() const;
    uint32_t maxDepth() const { return scene.layoutData().maxDepth; }
    float radialRadius() const { return scene.layoutData().radialRadius; }
    float ringWidth() const { return scene.layoutData().ringWidth; }
    const TreeMap& treeMap() const { return scene.treeMap(); }
    // Made from each edge's ends when asked for: the scene keeps only those.
    std::vector<float> straightPoints() const;
    std::span<const float> bundledPoints() const { return scene.samples().bundled.span(); }
    std::span<const float> splinePoints() const { return scene.curves().points.span(); }
    float minSplineLength() const { return scene.curves().minLength; }
    float maxSplineLength() const { return scene.curves().maxLength; }

    Scene scene;
    RenderTargets targets;
    FrameSession session{scene};

private:
    FrameRenderer renderer{targets};
    std::unique_ptr<TextAtlas> labelText;
};
