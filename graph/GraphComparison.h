#pragma once

#include "base/Result.h"
#include "graph/CompoundGraph.h"

#include <cstdint>
#include <string>
#include <vector>

// Two versions of a system in one graph: the union of their nodes and
// relations, each saying which version has it.

// A relation of both versions, only of the newer one, or only of the older.
enum class RelationKind : uint8_t { Kept, Added, Removed };
// A node of both versions, only of the newer one, or only of the older.
enum class NodeOrigin : uint8_t { Both, Added, Removed };

// How many of each, the root not counted among the nodes.
struct ComparisonSummary {
    int64_t addedRelations = 0;
    int64_t removedRelations = 0;
    int64_t keptRelations = 0;
    int64_t addedNodes = 0;
    int64_t removedNodes = 0;

    bool operator==(const ComparisonSummary&) const = default;
    // "Compared: A added, R removed, K kept relations; a added, r removed nodes"
    std::string line() const;
};

// What a union graph's relations and nodes come from.
struct Comparison {
    // Per relation of the union graph.
    std::vector<RelationKind> kinds;
    // Per node of the union graph.
    std::vector<NodeOrigin> origins;
    ComparisonSummary summary;
};

struct ComparedGraphs {
    CompoundGraph graph;
    Comparison comparison;
};

// The union of two versions. A node is matched by its path: the names from
// the top of its tree down to it, joined by '.', the root's own name left
// out (two roots always match, whatever their names), so that a file that
// makes "a.b" one node matches one that makes it two. Nodes of one version
// with the same path are one node. Each union node hangs under the nearest
// union node whose path begins its own, and is named by the rest of its
// path; the root takes the newer version's name. Siblings keep the order
// of both versions where those agree, a node of one version before a node
// of both where they meet, and otherwise the order of their names, so that
// the union of A and B is the union of B and A: the same nodes, ids and
// relations, only the kinds and origins swapped (and the root's name).
// Relations are matched by the paths of their two ends and come in the
// order of their source's id, then their target's; a relation whose ends
// are one node is left out. An Error only where the names have more parts
// than ids can count.
Result<ComparedGraphs> compareGraphs(const CompoundGraph& older, const CompoundGraph& newer);
