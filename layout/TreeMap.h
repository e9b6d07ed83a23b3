#pragma once

#include "graph/CompoundGraph.h"
#include "layout/Rect.h"
#include "layout/TreeLayoutData.h"
#include "layout/TreeMapNode.h"
#include "layout/TreeMapStrategy.h"

#include <memory>
#include <vector>

// The treemap engine: a tree of rectangles mirroring the hierarchy, each
// node inset by the spacing and divided among its children by the strategy.
class TreeMap {
public:
    // The square the whole treemap fills.
    static constexpr Rect bounds{-1.0f, -1.0f, 1.0f, 1.0f};

    TreeMap();
    ~TreeMap();
    TreeMap(TreeMap&&) noexcept;
    TreeMap& operator=(TreeMap&&) noexcept;

    // Takes ownership; the strategy held before is deleted.
    void setStrategy(std::unique_ptr<TreeMapStrategy> newStrategy);
    void computeSizes();
    void layout(Rect rect);
    void layoutNode(TreeMapNode* node, Rect rect);
    // Weights and rectangles afresh with this spacing, filling bounds.
    void layOut(float newSpacing);
    // Every node's rectangle, parents before children, children in order.
    std::vector<Rect> rectangles() const;

    std::unique_ptr<TreeMapStrategy> strategy;
    std::unique_ptr<TreeMapNode> root;
    float spacing = 0.0f;
};

// The mirror of the subtree under node, which is child number index of its
// parent; each TreeMapNode carries its node's name and level.
std::unique_ptr<TreeMapNode> buildTreeMapNode(const CompoundGraph& graph,
                                              const TreeLayoutData& data, int32_t node,
                                              int32_t index);
// A treemap of the root's subtree, with no strategy yet; empty without a root.
TreeMap buildTreeMap(const CompoundGraph& graph, const TreeLayoutData& data);
