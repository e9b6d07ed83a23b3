#include "graph/Graph.h"

#include <algorithm>
#include <vector>

namespace {

// Routes of fewer entries are drawn as a Bezier curve through the common
// ancestor; longer ones as a B-spline along both ancestor chains.
constexpr std::size_t shortRouteLimit = 7;

// The end node three times, so that a B-spline starts and ends on it, then
// every ancestor up to the top of its tree.
void fillChain(const Node* end, std::vector<int32_t>& chain) {
    chain.assign(3, end->id);
    for (const Node* node = end->parent; node != nullptr; node = node->parent) {
        chain.push_back(node->id);
    }
}

// Drops up to two leading copies of the end node. A chain is never emptied
// below what it holds, even for an edge whose two ends are one node.
void dropLeadingCopies(std::vector<int32_t>& chain) {
    chain.erase(chain.begin(), chain.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(2, chain.size())));
}

} // namespace

void Graph::buildSplines() {
    // The chains are reused across edges: one allocation per polygon only.
    std::vector<int32_t> sourceChain;
    std::vector<int32_t> targetChain;
    for (std::size_t i = 0; i < edges.size(); ++i) {
        Edge& edge = *edges[i];
        edge.index = static_cast<int32_t>(i);
        int32_t lca = root->id;
        fillChain(edge.source, sourceChain);
        fillChain(edge.target, targetChain);
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
        const std::size_t count = sourceChain.size() + targetChain.size();
        edge.controlPoints = std::make_unique_for_overwrite<int32_t[]>(count);
        std::copy(sourceChain.begin(), sourceChain.end(), edge.controlPoints.get());
        std::copy(targetChain.rbegin(), targetChain.rend(), edge.controlPoints.get() + sourceChain.size());
        edge.controlPointCount = static_cast<int32_t>(count);
    }
    sampleSplines();
}
