#include "graph/CompoundGraph.h"

std::vector<int32_t> preorder(const CompoundGraph& graph, int32_t top) {
    std::vector<int32_t> order;
    if (top == CompoundGraph::none) {
        return order;
    }
    std::vector<int32_t> pending{top};
    while (!pending.empty()) {
        const int32_t node = pending.back();
        pending.pop_back();
        order.push_back(node);
        const std::span<const int32_t> children = graph.children(node);
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    return order;
}
