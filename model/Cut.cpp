#include "model/Cut.h"

#include "bundling/Bundles.h"

#include <algorithm>

bool Cut::isCollapsed(int32_t node) const {
    return std::binary_search(collapsed.begin(), collapsed.end(), node);
}

int32_t treeDepth(const CompoundGraph& graph) {
    uint32_t deepest = 0;
    for (const uint32_t depth : graph.depth) {
        deepest = std::max(deepest, depth);
    }
    return static_cast<int32_t>(deepest);
}

Cut cutOf(const CompoundGraph& graph, int32_t depth, std::span<const int32_t> toggled) {
    const auto nodes = static_cast<std::size_t>(graph.nodeCount());
    Cut cut;
    std::vector<bool>& folded = cut.folded;
    folded.assign(nodes, false);
    cut.custom = !toggled.empty();
    if (depth >= 1 && depth < treeDepth(graph)) {
        cut.depth = depth;
        for (std::size_t node = 0; node < nodes; ++node) {
            folded[node] = graph.depth[node] == static_cast<uint32_t>(depth);
        }
    }
    for (const int32_t node : toggled) {
        if (node >= 0 && static_cast<std::size_t>(node) < nodes) {
            folded[static_cast<std::size_t>(node)] = !folded[static_cast<std::size_t>(node)];
        }
    }
    for (std::size_t node = 0; node < nodes; ++node) {
        folded[node] = folded[node] && !graph.isLeaf(static_cast<int32_t>(node));
    }
    cut.shownAs.resize(nodes);
    // Parents come before their children in pre-order: a node takes what
    // its parent is shown as when the parent is hidden or collapsed.
    for (int32_t top = 0; top < graph.nodeCount(); ++top) {
        if (graph.parent[static_cast<std::size_t>(top)] != CompoundGraph::none) {
            continue;
        }
        for (const int32_t node : preorder(graph, top)) {
            const int32_t parent = graph.parent[static_cast<std::size_t>(node)];
            const bool underFold = parent != CompoundGraph::none &&
                                   (cut.shownAs[static_cast<std::size_t>(parent)] != parent ||
                                    folded[static_cast<std::size_t>(parent)]);
            cut.shownAs[static_cast<std::size_t>(node)] =
                underFold ? cut.shownAs[static_cast<std::size_t>(parent)] : node;
        }
    }
    for (std::size_t node = 0; node < nodes; ++node) {
        const auto id = static_cast<int32_t>(node);
        if (folded[node] && cut.shownAs[node] == id) {
            cut.collapsed.push_back(id);
        }
    }
    return cut;
}

std::vector<int32_t> collapsedAbove(const CompoundGraph& graph, const Cut& cut, int32_t node) {
    std::vector<int32_t> above;
    for (int32_t at = graph.parent[static_cast<std::size_t>(node)]; at != CompoundGraph::none;
         at = graph.parent[static_cast<std::size_t>(at)]) {
        if (cut.folded[static_cast<std::size_t>(at)]) {
            above.push_back(at);
        }
    }
    std::reverse(above.begin(), above.end());
    return above;
}

int32_t openingDepth(const CompoundGraph& graph, int64_t bundles, ThreadPool& pool,
                     std::span<const RelationKind> kinds, bool keptShown) {
    const int32_t deepest = treeDepth(graph);
    // With nothing collapsed every relation drawn is a bundle of its own.
    const int64_t drawn =
        keptShown ? graph.edgeCount()
                  : std::count_if(kinds.begin(), kinds.end(),
                                  [](RelationKind kind) { return kind != RelationKind::Kept; });
    if (drawn <= bundles) {
        return deepest;
    }
    // Fewer bundles the shallower the cut: the deepest depth that fits is
    // found by halving.
    int32_t fits = 1;
    int32_t tooMany = deepest;
    while (tooMany - fits > 1) {
        const int32_t middle = fits + (tooMany - fits) / 2;
        const Cut cut = cutOf(graph, middle);
        if (gatherBundles(graph, cut.shownAs, pool, kinds, keptShown).bundleCount() <= bundles) {
            fits = middle;
        } else {
            tooMany = middle;
        }
    }
    return fits;
}

CutSummary summaryOf(const Cut& cut, int32_t treeDepth, int64_t bundles, int64_t relations) {
    return {cut.depth > 0 ? cut.depth : treeDepth, treeDepth, cut.custom, bundles, relations};
}

std::string CutSummary::line() const {
    const std::string counts =
        std::to_string(bundles) + " bundles of " + std::to_string(relations) + " relations";
    if (custom) {
        return "Custom cut: " + counts;
    }
    return "Depth " + std::to_string(depth) + " of " + std::to_string(treeDepth) + ": " + counts;
}
