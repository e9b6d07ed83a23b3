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

namespace {

// The polygons of a run of edges, side by side, and where each ends.
struct RouteRun {
    std::vector<int32_t> ids;
    std::vector<uint32_t> ends;
};

RouteRun routeRun(const CompoundGraph& graph, std::span<const int32_t> sources,
                  std::span<const int32_t> targets, int64_t first, int64_t end) {
    RouteRun run;
    run.ends.reserve(static_cast<std::size_t>(end - first));
    // The chains are reused across edges: no allocation per edge.
    std::vector<int32_t> sourceChain;
    std::vector<int32_t> targetChain;
    for (int64_t e = first; e < end; ++e) {
        fillChain(graph, sources[static_cast<std::size_t>(e)], sourceChain);
        fillChain(graph, targets[static_cast<std::size_t>(e)], targetChain);
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
        run.ids.insert(run.ids.end(), sourceChain.begin(), sourceChain.end());
        run.ids.insert(run.ids.end(), targetChain.rbegin(), targetChain.rend());
        run.ends.push_back(static_cast<uint32_t>(run.ids.size()));
    }
    return run;
}

} // namespace

Routes buildRoutes(const CompoundGraph& graph, ThreadPool& pool) {
    return buildRoutes(graph, graph.source, graph.target, pool);
}

Routes buildRoutes(const CompoundGraph& graph, std::span<const int32_t> sources,
                   std::span<const int32_t> targets, ThreadPool& pool) {
    // Runs of edges are routed apart, then laid side by side.
    const auto edgeCount = static_cast<int64_t>(sources.size());
    const unsigned parts = rangeCount(edgeCount, 4096, pool);
    std::vector<RouteRun> runs(parts);
    pool.run(parts, [&](unsigned part) {
        const IndexRange range = rangeOf(edgeCount, parts, part);
        runs[part] = routeRun(graph, sources, targets, range.begin, range.end);
    });
    std::vector<std::size_t> offsets(parts + 1, 0);
    for (unsigned part = 0; part < parts; ++part) {
        offsets[part + 1] = offsets[part] + runs[part].ids.size();
    }
    Routes routes;
    routes.ids.resize(offsets[parts]);
    routes.start.resize(static_cast<std::size_t>(edgeCount) + 1);
    pool.run(parts, [&](unsigned part) {
        const RouteRun& run = runs[part];
        std::copy(run.ids.begin(), run.ids.end(),
                  routes.ids.begin() + static_cast<std::ptrdiff_t>(offsets[part]));
        const auto first = static_cast<std::size_t>(rangeOf(edgeCount, parts, part).begin);
        for (std::size_t i = 0; i < run.ends.size(); ++i) {
            routes.start[first + i + 1] = static_cast<uint32_t>(offsets[part] + run.ends[i]);
        }
    });
    return routes;
}
