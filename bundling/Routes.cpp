#include "bundling/Routes.h"

#include <algorithm>

namespace {

// Routes of fewer entries are drawn as a Bezier curve through the common
// ancestor; longer ones as a B-spline along both ancestor chains.
constexpr std::size_t shortRouteLimit = 7;

// The end node three times, so that a B-spline starts and ends on it, then
// every ancestor up to the top of its tree.
void fillChain(const CompoundGraph& graph, int32_t end, std::vector<int32_t>& chain) {
    chain.assign(3, end);
    for (int32_t node = graph.parent[end]; node != CompoundGraph::none; node = graph.parent[node]) {
        chain.push_back(node);
    }
}

// Drops up to two leading copies of the end node, never more than the chain
// holds.
void dropLeadingCopies(std::vector<int32_t>& chain) {
    chain.erase(chain.begin(), chain.begin() + static_cast<std::ptrdiff_t>(
                                                   std::min<std::size_t>(2, chain.size())));
}

} // namespace

Routes buildRoutes(const CompoundGraph& graph) {
    Routes routes;
    const int32_t edgeCount = graph.edgeCount();
    routes.start.reserve(static_cast<std::size_t>(edgeCount) + 1);
    // Every chain holds its end node three times and its ancestors.
    std::size_t longest = 0;
    for (int32_t e = 0; e < edgeCount; ++e) {
        longest += 6 + std::size_t{graph.depth[graph.source[e]]} + graph.depth[graph.target[e]];
    }
    routes.ids.reserve(longest);
    // The chains are reused across edges: no allocation per edge.
    std::vector<int32_t> sourceChain;
    std::vector<int32_t> targetChain;
    for (int32_t e = 0; e < edgeCount; ++e) {
        fillChain(graph, graph.source[e], sourceChain);
        fillChain(graph, graph.target[e], targetChain);
        // Without a root the common ancestor defaults to the source's top.
        int32_t lca = graph.root != CompoundGraph::none ? graph.root : sourceChain.back();
        while (sourceChain.back() == targetChain.back() && sourceChain.size() > 1 &&
               targetChain.size() > 1) {
            lca = sourceChain.back();
            sourceChain.pop_back();
            targetChain.pop_back();
        }
        if (sourceChain.size() + targetChain.size() < shortRouteLimit) {
            dropLeadingCopies(sourceChain);
            dropLeadingCopies(targetChain);
            sourceChain.push_back(lca);
        }
        routes.ids.insert(routes.ids.end(), sourceChain.begin(), sourceChain.end());
        routes.ids.insert(routes.ids.end(), targetChain.rbegin(), targetChain.rend());
        routes.start.push_back(static_cast<uint32_t>(routes.ids.size()));
    }
    return routes;
}
