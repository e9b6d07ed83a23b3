#pragma once

#include "bundling/SplinePoint.h"
#include "graph/Edge.h"
#include "graph/Node.h"
#include "layout/TreeLayoutType.h"
#include "render/FrameSettings.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The whole scene: the hierarchy, the relations, the display settings the
// panel edits, the layout and bundling results, and the GL object names the
// renderer draws from. GL names stay 0 until the render targets are made, and
// nothing touches GL while they are 0, so everything but drawing runs without
// a GL context.
class TreeMap;
class TreeMapNode;

class Graph {
public:
    static constexpr int32_t samplesPerEdge = 50;
    // The off-screen frame's width and height, whatever the window's size.
    static constexpr int32_t frameSize = 2048;

    static Graph& instance();

    Graph();
    Graph(const Graph&) = delete;
    Graph& operator=(const Graph&) = delete;
    virtual ~Graph();

    void clear();

    // Reads a graph file and rebuilds layouts and curves. A rejected file
    // leaves the current graph as it was; the result says which happened.
    bool load(std::string path);
    static void tokenize(std::string_view line, std::string_view delimiters,
                         std::vector<std::string_view>& tokens);

    void buildLayouts();
    void setLayout(TreeLayoutType type);

    std::unique_ptr<TreeMapNode> buildTreeMapNode(const Node* node, int32_t index);
    void copyTreeMapCentres(Node* node, const TreeMapNode* treeMapNode);
    // Lays the treemap out again when the spacing setting has moved by more
    // than single-precision epsilon since the last layout; true if it did.
    bool refreshTreeMapSpacing();
    void drawTreeMap();

    void buildSplines();
    // The point at t of the curve through the nodes named by ids.
    SplinePoint evaluateSpline(float t, const int32_t* ids, int32_t count) const;
    // strength x the curve + (1 - strength) x the straight segment between
    // the polygon's first and last node.
    SplinePoint blendPoint(float strength, float t, const int32_t* ids, int32_t count) const;
    void sampleSplines();
    void setBeta(float newBeta);

    // Creates, once and with a current GL context, the buffer names, the
    // off-screen frame and the ramp textures that drawing uses.
    void initRenderTargets();
    // Reads data/textures/pal_0.png to pal_4.png into 1D textures. An image
    // that is missing, broken or unfit prints why and ends the process.
    void loadColorRamps();

    void render();
    void drawRadialTree();
    void drawClassicTree();
    void drawSplines();
    void drawTreeOverlay();

    int32_t layoutType = 0;
    int32_t blendMode = 0;
    float minAlpha = 0.1f;
    float alphaExponent = 1.0f;
    bool flipAlpha = false;
    float lineWidth = 3.0f;
    float splineWidth = 5.0f;
    bool showTree = true;
    bool showSplines = true;
    int32_t colorRamp = 3;
    int32_t nodeCount = 0;
    int32_t edgeCount = 0;
    float treeMapSpacing = 0.01f;
    Node* root = nullptr;
    std::vector<std::unique_ptr<Node>> nodes;
    uint32_t maxDepth = 0;
    std::vector<std::unique_ptr<Edge>> edges;
    float minSplineLength = 0.0f;
    float maxSplineLength = 0.0f;
    std::unique_ptr<float[]> straightPoints;
    std::unique_ptr<float[]> bundledPoints;
    std::unique_ptr<float[]> splinePoints;
    uint32_t splineBuffer = 0;
    uint32_t splineParamBuffer = 0;
    float beta = -1.0f;
    float radialRadius = 0.0f;
    float ringWidth = 0.0f;
    std::unique_ptr<TreeMap> treeMap;
    uint32_t frameBuffer = 0;
    uint32_t frameTexture = 0;
    int32_t frameWidth = 0;
    int32_t frameHeight = 0;
    uint32_t colorRampTextures[5] = {0, 0, 0, 0, 0};

    // Frame reuse: the revision moves whenever the graph, the node positions
    // or the spline points change; the scene is drawn again only when it or a
    // drawing setting differs from the frame drawn last.
    uint64_t sceneRevision = 0;
    std::optional<FrameSettings> lastDrawnFrame;
    int64_t scenesDrawn = 0;

private:
    // The off-screen part of render: tree, splines and overlay into the frame.
    void drawScene();
    // Re-samples the curves from new node positions and forces the bundling
    // mix to be redone with the current strength.
    void resampleSplines();
};
