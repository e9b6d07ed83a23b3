#include "layout/TreeMap.h"

#include <utility>
#include <vector>

TreeMap::TreeMap() = default;

TreeMap::~TreeMap() {
    // The node tree goes first, then the strategy.
    if (root) {
        root->destroyChildren();
    }
    root.reset();
    strategy.reset();
}

void TreeMap::setStrategy(std::unique_ptr<TreeMapStrategy> newStrategy) {
    strategy = std::move(newStrategy);
}

void TreeMap::computeSizes() {
    if (!root) {
        return;
    }
    root->resetNode();
    root->computeSize();
}

void TreeMap::layout(Rect rect) {
    if (!root) {
        return;
    }
    if (!strategy) {
        strategy = std::make_unique<SliceStrategy>();
    }
    root->rect = rect;
    layoutNode(root.get(), rect);
}

void TreeMap::layoutNode(TreeMapNode* node, Rect rect) {
    // Top-down without recursion: a node's children get their rectangles
    // before their own subtrees are laid out.
    std::vector<std::pair<TreeMapNode*, Rect>> pending{{node, rect}};
    while (!pending.empty()) {
        auto [current, outer] = pending.back();
        pending.pop_back();
        const Rect inset{outer.x0 + spacing, outer.y0 + spacing, outer.x1 - spacing,
                         outer.y1 - spacing};
        strategy->layoutChildren(*current, inset);
        for (const auto& child : current->children) {
            pending.emplace_back(child.get(), child->rect);
        }
    }
}
