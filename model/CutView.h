#pragma once

#include "graph/CompoundGraph.h"

#include <cstddef>
#include <cstdint>
#include <span>

// What a cut shows, asked node by node: whether a node is drawn, the node
// drawn for it, and whether it ends the shown tree. Over the per-node
// shownAs of a Cut, or over none (empty), where every node is shown as
// itself. Holds the graph and the span, which must outlive it.
class CutView {
public:
    explicit CutView(const CompoundGraph& graph, std::span<const int32_t> shownAs = {})
        : graph(&graph), shownFor(shownAs) {}

    // Not hidden under a collapsed node.
    bool shown(int32_t node) const { return shownAs(node) == node; }
    // Itself, or the collapsed node that hides it.
    int32_t shownAs(int32_t node) const {
        return shownFor.empty() ? node : shownFor[static_cast<std::size_t>(node)];
    }
    // A shown inner node whose children are hidden: it stands for its leaves.
    bool collapsed(int32_t node) const {
        return shown(node) && !graph->isLeaf(node) && !shown(graph->children(node).front());
    }
    // A shown leaf, or a collapsed node.
    bool endsShownTree(int32_t node) const {
        return shown(node) && (graph->isLeaf(node) || !shown(graph->children(node).front()));
    }

private:
    const CompoundGraph* graph;
    std::span<const int32_t> shownFor;
};
