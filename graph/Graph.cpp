#include "graph/Graph.h"

#include "layout/TreeMap.h"
#include "render/GpuObjects.h"

Graph& Graph::instance() {
    static Graph* graph = new Graph();
    return *graph;
}

Graph::Graph() = default;

Graph::~Graph() {
    clear();
    deleteTexture(frameTexture);
}

void Graph::clear() {
    straightPoints.reset();
    bundledPoints.reset();
    splinePoints.reset();
    nodes.clear();
    nodes.shrink_to_fit();
    edges.clear();
    edges.shrink_to_fit();
    treeMap.reset();
    ++sceneRevision;
}
