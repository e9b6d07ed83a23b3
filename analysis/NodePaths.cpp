#include "analysis/NodePaths.h"

#include "model/Highlight.h"

std::string nodePath(const CompoundGraph& graph, int32_t node) {
    int32_t top = node;
    while (graph.parent[static_cast<std::size_t>(top)] != CompoundGraph::none) {
        top = graph.parent[static_cast<std::size_t>(top)];
    }
    if (top == node) {
        return std::string(graph.name(node));
    }
    return pathOf(graph, node).substr(graph.name(top).size() + 1);
}

std::vector<int32_t> topDown(const CompoundGraph& graph) {
    std::vector<int32_t> nodes;
    nodes.reserve(static_cast<std::size_t>(graph.nodeCount()));
    for (int32_t top = 0; top < graph.nodeCount(); ++top) {
        if (graph.parent[static_cast<std::size_t>(top)] == CompoundGraph::none) {
            const std::vector<int32_t> tree = preorder(graph, top);
            nodes.insert(nodes.end(), tree.begin(), tree.end());
        }
    }
    return nodes;
}
