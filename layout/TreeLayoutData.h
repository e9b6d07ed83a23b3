#pragma once

#include "graph/CompoundGraph.h"

#include <cstdint>
#include <vector>

// What every layout is computed from, once per graph: each node's span of
// leaves and its level. Nodes outside the root's subtree keep 0 throughout.
struct TreeLayoutData {
    // Start and size of the node's span of leaves, as fractions of all
    // leaves in depth-first order: the root spans [0, 1), the k-th of L
    // leaves [k/L, (k+1)/L).
    std::vector<float> offset;
    std::vector<float> width;
    // Every leaf on level maxDepth, an inner node one above its shallowest
    // child: the root ends on 0, and a shallow subtree is pushed down
    // towards the leaves.
    std::vector<uint32_t> level;
    // The greatest depth below the root.
    uint32_t maxDepth = 0;
    // The radial layout's leaf circle, and the width of each ring of the
    // radial tree drawn outside it (0 for a hierarchy of one level).
    float radialRadius = 0.0f;
    float ringWidth = 0.0f;
};

TreeLayoutData buildLayouts(const CompoundGraph& graph);
