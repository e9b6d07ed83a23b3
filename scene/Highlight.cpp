#include "scene/Highlight.h"

#include <algorithm>

Highlight highlightOf(const CompoundGraph& graph, int32_t node) {
    Highlight highlight;
    highlight.node = node;
    highlight.emphasis.assign(static_cast<std::size_t>(graph.edgeCount()), Highlight::Other);
    std::vector<bool> inside(static_cast<std::size_t>(graph.nodeCount()), false);
    for (const int32_t member : preorder(graph, node)) {
        inside[static_cast<std::size_t>(member)] = true;
        highlight.leaves += graph.isLeaf(member) ? 1 : 0;
    }
    for (int32_t e = 0; e < graph.edgeCount(); ++e) {
        const bool from = inside[static_cast<std::size_t>(graph.source[e])];
        const bool to = inside[static_cast<std::size_t>(graph.target[e])];
        if (from && !to) {
            highlight.emphasis[static_cast<std::size_t>(e)] = Highlight::Leaving;
            ++highlight.leaving;
        } else if (to && !from) {
            highlight.emphasis[static_cast<std::size_t>(e)] = Highlight::Arriving;
            ++highlight.arriving;
        }
    }
    return highlight;
}

std::string pathOf(const CompoundGraph& graph, int32_t node) {
    std::vector<int32_t> chain;
    for (int32_t at = node; at != CompoundGraph::none;
         at = graph.parent[static_cast<std::size_t>(at)]) {
        chain.push_back(at);
    }
    std::string path;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        if (!path.empty()) {
            path += '.';
        }
        path += graph.name(*it);
    }
    return path;
}
