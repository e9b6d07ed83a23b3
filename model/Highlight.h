#pragma once

#include "bundling/Bundles.h"
#include "graph/CompoundGraph.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What a node, and for an inner node its whole subtree, relates to: the
// bundles of relations that leave it and those that arrive at it from
// elsewhere, and how many relations they hold. Bundles within the subtree
// are neither.
struct Highlight {
    enum Emphasis : uint8_t { Other = 0, Leaving = 1, Arriving = 2 };
    // The most nodes a list of ends keeps.
    static constexpr std::size_t namedEnds = 10;

    // The nodes at the far ends of some relations, each once, in node order:
    // the first namedEnds of them, and how many there are.
    struct Ends {
        std::vector<int32_t> first;
        int32_t count = 0;
    };

    int32_t node = CompoundGraph::none;
    // Per bundle.
    std::vector<uint8_t> emphasis;
    // Relations, counted in the bundles.
    int64_t leaving = 0;
    int64_t arriving = 0;
    // Leaves of the subtree (1 for a leaf).
    int32_t leaves = 0;
    // Where the leaving relations go, and where the arriving ones come from.
    Ends uses;
    Ends usedBy;
    // The nodes it relates to both ways: a node of the subtree has a
    // relation to each, and one back from it.
    Ends bothWays;
    // In a comparison, the relations with one end in the subtree, drawn or
    // not, by kind (indexed by RelationKind).
    std::array<int64_t, 3> byKind{};
};

// With the relations' kinds (a comparison), byKind is counted too.
Highlight highlightOf(const CompoundGraph& graph, const Bundles& bundles, int32_t node,
                      std::span<const RelationKind> kinds = {});

// The names from the top of the node's tree down to it, joined by '.'.
std::string pathOf(const CompoundGraph& graph, int32_t node);

// The path as people read it: whole when it is short; else its first and
// last names around an ellipsis, and the node's depth. Its length is bounded
// whatever the depth, and its cost is the depth, not the path's length.
std::string shownPath(const CompoundGraph& graph, int32_t node);

// A name as people read it: whole when it is short; else its start and end
// around an ellipsis.
std::string shownName(std::string_view name);
