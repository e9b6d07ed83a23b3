#include "model/NamedNodes.h"

#include "model/Search.h"

#include <algorithm>

namespace {

Result<int32_t> namedNode(const std::string& name, const CompoundGraph& graph,
                          const std::string& graphPath) {
    const int32_t node = findNode(graph, name);
    if (node == CompoundGraph::none) {
        return Error{"no node named '" + name + "' in " + graphPath};
    }
    return node;
}

} // namespace

Result<int32_t> highlightedNode(const ViewOptions& view, const CompoundGraph& graph,
                                const std::string& graphPath) {
    if (view.highlight.empty()) {
        return CompoundGraph::none;
    }
    return namedNode(view.highlight, graph, graphPath);
}

Result<std::vector<int32_t>> collapsedNodes(const ViewOptions& view, const CompoundGraph& graph,
                                            const std::string& graphPath, int32_t depth) {
    std::vector<int32_t> toggled;
    for (const std::string& name : view.collapse) {
        const Result<int32_t> node = namedNode(name, graph, graphPath);
        if (!node) {
            return node.error();
        }
        // A node the depth collapses already needs no toggle.
        const bool folded = depth >= 1 && graph.depth[static_cast<std::size_t>(node.value())] ==
                                              static_cast<uint32_t>(depth);
        if (!graph.isLeaf(node.value()) && !folded) {
            toggled.push_back(node.value());
        }
    }
    std::sort(toggled.begin(), toggled.end());
    toggled.erase(std::unique(toggled.begin(), toggled.end()), toggled.end());
    return toggled;
}
