#pragma once

#include "layout/Rect.h"
#include "layout/TreeMapNode.h"
#include "layout/TreeMapStrategy.h"

#include <memory>

// The treemap engine: a tree of rectangles mirroring the hierarchy, each
// node inset by the spacing and divided among its children by the strategy.
class TreeMap {
public:
    TreeMap();
    ~TreeMap();
    TreeMap(const TreeMap&) = delete;
    TreeMap& operator=(const TreeMap&) = delete;

    // Takes ownership; the strategy held before is deleted.
    void setStrategy(std::unique_ptr<TreeMapStrategy> newStrategy);
    void computeSizes();
    void layout(Rect rect);
    void layoutNode(TreeMapNode* node, Rect rect);
    // Outlines of every node's rectangle, parents before children (GL).
    void draw(Rect rect);
    void drawNode(TreeMapNode* node);

    std::unique_ptr<TreeMapStrategy> strategy;
    std::unique_ptr<TreeMapNode> root;
    float spacing = 0.0f;
};
