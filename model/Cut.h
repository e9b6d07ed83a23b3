#pragma once

#include "base/ThreadPool.h"
#include "graph/CompoundGraph.h"
#include "graph/GraphComparison.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Where the hierarchy is cut: inner nodes collapsed, each shown as one node
// that stands for its subtree, so that the nodes below it are hidden. A cut
// is made from a depth, every inner node at that depth collapsed (the root's
// depth is 0), and the nodes the user toggled from there.
struct Cut {
    // Per node, the node shown for it: itself, or its highest collapsed
    // ancestor. Empty for the cut of a graph with no nodes.
    std::vector<int32_t> shownAs;
    // The collapsed nodes that are shown, in node order.
    std::vector<int32_t> collapsed;
    // Per node, whether it is collapsed, shown or hidden under another.
    std::vector<bool> folded;
    // What it was made from: the depth cut (0 for none) and whether nodes
    // were toggled from there.
    int32_t depth = 0;
    bool custom = false;

    bool operator==(const Cut&) const = default;
    bool isCollapsed(int32_t node) const;
};

// The depth of the deepest node: the greatest depth a cut can take, at which
// nothing is collapsed.
int32_t treeDepth(const CompoundGraph& graph);

// The cut at that depth (below 1, or at the tree's depth or deeper, none by
// depth), with the toggled nodes' state turned over: a collapsed one
// expanded, another inner one collapsed. Leaves never collapse.
Cut cutOf(const CompoundGraph& graph, int32_t depth, std::span<const int32_t> toggled = {});

// The nodes a user toggles to see `node`: its collapsed ancestors, shown or
// hidden, from the top down.
std::vector<int32_t> collapsedAbove(const CompoundGraph& graph, const Cut& cut, int32_t node);

// The deepest depth whose cut leaves at most `bundles` bundles; the tree's
// depth when every relation fits, 1 when not even the shallowest cut does.
// In a comparison the bundles are counted as drawn: split by the relations'
// kinds, the kept ones left out unless shown.
int32_t openingDepth(const CompoundGraph& graph, int64_t bundles,
                     ThreadPool& pool = ThreadPool::shared(),
                     std::span<const RelationKind> kinds = {}, bool keptShown = true);

// What a cut shows, in one line: "Depth K of D: B bundles of R relations"
// for a cut by depth, "Custom cut: B bundles of R relations" for one the
// user made by toggling nodes.
struct CutSummary {
    int32_t depth = 0;
    int32_t treeDepth = 0;
    bool custom = false;
    int64_t bundles = 0;
    int64_t relations = 0;

    bool operator==(const CutSummary&) const = default;
    std::string line() const;
};

// The summary of a cut of a tree that deep, which gathers that many bundles
// of that many relations; a cut by no depth is at the tree's depth.
CutSummary summaryOf(const Cut& cut, int32_t treeDepth, int64_t bundles, int64_t relations);
