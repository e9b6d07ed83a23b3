#pragma once

#include "base/ThreadPool.h"
#include "graph/CompoundGraph.h"
#include "graph/GraphComparison.h"

#include <cstdint>
#include <span>
#include <vector>

// The relations gathered by the nodes shown for their ends: one bundle per
// ordered pair of distinct shown nodes, standing for every relation from a
// node shown as the first to a node shown as the second. A relation whose
// two ends are shown as one node lies inside it and is in no bundle. In a
// comparison, relations of different kinds never share a bundle.
struct Bundles {
    std::vector<int32_t> source;
    std::vector<int32_t> target;
    // Relations in each bundle.
    std::vector<uint32_t> count;
    // In a comparison, the kind of each bundle's relations; else empty.
    std::vector<RelationKind> kind;
    // Per node: the relations inside it (only a collapsed node has any).
    std::vector<uint32_t> inside;

    int32_t bundleCount() const { return static_cast<int32_t>(source.size()); }
};

// The bundles of the graph's relations, where shownAs gives for every node
// the node shown for it. Bundles come in the order of their first relation,
// so that with every node shown as itself they are the relations in their
// order, one each. Runs of relations are gathered on the pool's threads;
// the result is the same as from one thread. With the kind of each relation
// (a comparison), a bundle stands for relations of one kind, and the kept
// relations are left out unless keptShown.
Bundles gatherBundles(const CompoundGraph& graph, std::span<const int32_t> shownAs,
                      ThreadPool& pool = ThreadPool::shared(),
                      std::span<const RelationKind> kinds = {}, bool keptShown = true);
