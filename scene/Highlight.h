#pragma once

#include "graph/CompoundGraph.h"

#include <cstdint>
#include <string>
#include <vector>

// What a node, and for an inner node its whole subtree, relates to: the
// relations that leave it and those that arrive at it from elsewhere.
// Relations within the subtree are neither.
struct Highlight {
    enum Emphasis : uint8_t { Other = 0, Leaving = 1, Arriving = 2 };

    int32_t node = CompoundGraph::none;
    // Per relation.
    std::vector<uint8_t> emphasis;
    int32_t leaving = 0;
    int32_t arriving = 0;
    // Leaves of the subtree (1 for a leaf).
    int32_t leaves = 0;
};

Highlight highlightOf(const CompoundGraph& graph, int32_t node);

// The names from the top of the node's tree down to it, joined by '.'.
std::string pathOf(const CompoundGraph& graph, int32_t node);
