#pragma once

#include "bundling/Bundles.h"
#include "graph/CompoundGraph.h"
#include "settings/MatrixOrder.h"

#include <cstdint>
#include <span>
#include <vector>

// The rows of a dependency matrix at a cut, which are its columns too: every
// shown node that ends the shown tree, and every shown inner node that is an
// end of some bundle (a relation of its own, not one of its leaves'), a node
// before its children.
struct MatrixRows {
    // Rows first to end - 1: the subtrees of siblings that reach one another
    // through their relations, kept together.
    struct Block {
        int32_t first = 0;
        int32_t end = 0;

        bool operator==(const Block&) const = default;
    };

    std::vector<int32_t> nodes;
    // In the partitioned order only, by their first row, each before those
    // nested in it.
    std::vector<Block> cycleBlocks;
};

// In the tree's order, or partitioned: within each parent its shown children
// ordered so that the relations between their subtrees run from later rows
// to earlier ones wherever they can. Siblings that reach one another stay
// together, in an order whose relations to earlier siblings weigh the most
// (see feedbackPlaces); the others follow the relations, each after the
// siblings it relates to, ties in the tree's order.
MatrixRows matrixRows(const CompoundGraph& graph, std::span<const int32_t> shownAs,
                      const Bundles& bundles, MatrixOrder order);
