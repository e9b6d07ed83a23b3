#pragma once

#include "layout/Rect.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

// One node of the treemap's own tree, which mirrors the hierarchy: same
// shape, same child order.
class TreeMapNode {
public:
    static constexpr int nameSize = 60;

    TreeMapNode(std::string_view nodeName, int32_t nodeDepth, int32_t siblingIndex);
    ~TreeMapNode();
    TreeMapNode(const TreeMapNode&) = delete;
    TreeMapNode& operator=(const TreeMapNode&) = delete;

    void addChild(std::unique_ptr<TreeMapNode> child);
    int32_t childCount() const { return static_cast<int32_t>(children.size()); }
    // Every child access is checked. A bad index is a programming error: an
    // assertion stops a debug build, and a release build yields no child,
    // which callers skip.
    TreeMapNode* child(int32_t i) const;

    // Zero rectangle and weight for the whole subtree, in pre-order.
    void resetNode();
    // Weight: 1 for the node itself plus its children's weights.
    float computeSize();
    // Releases the subtree without recursion, so depth costs no stack.
    void destroyChildren();

    char name[nameSize];
    Rect rect;
    int32_t depth;
    int32_t index;
    float size = 0.0f;
    std::vector<std::unique_ptr<TreeMapNode>> children;
};
