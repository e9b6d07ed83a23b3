#pragma once

#include "bundling/Bundles.h"

#include <cstdint>
#include <string>
#include <vector>

// The cycles among the nodes a cut shows: the groups of nodes that reach
// one another through the cut's bundles (strongly connected components of
// two nodes or more), and a set of bundles to cut that leaves no cycle.
// Relations inside a collapsed node are in no bundle and make no cycle.
// Relations are counted as the leaves' relations the bundles carry.
struct CycleGroup {
    // The shown nodes, in node order.
    std::vector<int32_t> nodes;
    // The relations of the bundles between them.
    int64_t relations = 0;
};

struct BundleToCut {
    int32_t bundle = 0;
    int32_t from = 0;
    int32_t to = 0;
    int64_t relations = 0;
};

struct CycleGroups {
    // In the order of their first node.
    std::vector<CycleGroup> groups;
    // In bundle order.
    std::vector<BundleToCut> toCut;

    int64_t nodeCount() const;
    int64_t innerRelations() const;
    int64_t cutRelations() const;
    // "Cycles: G groups of N nodes; I relations inside them, C to cut".
    std::string line() const;
};

// Within each group, the bundles to cut run backward in the order that
// feedbackPlaces finds for the group, the bundles weighed by their
// relations: never more relations than half the group's.
CycleGroups cycleGroupsOf(const Bundles& bundles, int32_t nodeCount);
