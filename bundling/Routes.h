#pragma once

#include "base/ThreadPool.h"
#include "graph/CompoundGraph.h"

#include <cstdint>
#include <span>
#include <vector>

// Every edge's control polygon: the node ids whose positions steer its
// curve, from the source end up towards the lowest common ancestor and down
// to the target end. Polygons hold ids, not positions, so they stay valid
// when the layout changes.
struct Routes {
    // Edge e's polygon is ids[start[e] .. start[e + 1]).
    std::vector<uint32_t> start{0};
    std::vector<int32_t> ids;

    int32_t edgeCount() const { return static_cast<int32_t>(start.size()) - 1; }
    std::span<const int32_t> polygon(int32_t edge) const {
        return std::span<const int32_t>(ids).subspan(start[edge], start[edge + 1] - start[edge]);
    }
};

// Short routes (2 or 3 entries) run through the common ancestor as a Bezier
// curve; long ones (7 or more) follow both ancestor chains, the ancestor
// left out and each end node standing three times, as a B-spline.
// Runs of edges are routed on the pool's threads.
Routes buildRoutes(const CompoundGraph& graph, ThreadPool& pool = ThreadPool::shared());
// The same for curves between other pairs of the graph's nodes (bundles
// between shown nodes), routed as relations between them would be.
Routes buildRoutes(const CompoundGraph& graph, std::span<const int32_t> sources,
                   std::span<const int32_t> targets, ThreadPool& pool = ThreadPool::shared());
