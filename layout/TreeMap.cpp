#include "layout/TreeMap.h"

#include <utility>
#include <vector>

TreeMap::TreeMap() = default;

TreeMap::~TreeMap() {
    // The node tree goes first, then the strategy.
    root.reset();
    strategy.reset();
}

TreeMap::TreeMap(TreeMap&&) noexcept = default;
TreeMap& TreeMap::operator=(TreeMap&&) noexcept = default;

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

void TreeMap::layOut(float newSpacing) {
    spacing = newSpacing;
    computeSizes();
    layout(bounds);
}

std::vector<Rect> TreeMap::rectangles() const {
    std::vector<Rect> result;
    if (!root) {
        return result;
    }
    std::vector<const TreeMapNode*> pending{root.get()};
    while (!pending.empty()) {
        const TreeMapNode* current = pending.back();
        pending.pop_back();
        result.push_back(current->rect);
        for (auto child = current->children.rbegin(); child != current->children.rend(); ++child) {
            pending.push_back(child->get());
        }
    }
    return result;
}

std::unique_ptr<TreeMapNode> buildTreeMapNode(const CompoundGraph& graph,
                                              const TreeLayoutData& data, int32_t node,
                                              int32_t index) {
    auto mirrorOf = [&](int32_t id, int32_t siblingIndex) {
        return std::make_unique<TreeMapNode>(graph.name(id), static_cast<int32_t>(data.level[id]),
                                             siblingIndex);
    };
    std::unique_ptr<TreeMapNode> top = mirrorOf(node, index);
    std::vector<std::pair<int32_t, TreeMapNode*>> pending{{node, top.get()}};
    while (!pending.empty()) {
        auto [source, mirror] = pending.back();
        pending.pop_back();
        const std::span<const int32_t> children = graph.children(source);
        for (std::size_t i = 0; i < children.size(); ++i) {
            std::unique_ptr<TreeMapNode> copy = mirrorOf(children[i], static_cast<int32_t>(i));
            pending.emplace_back(children[i], copy.get());
            mirror->addChild(std::move(copy));
        }
    }
    return top;
}

TreeMap buildTreeMap(const CompoundGraph& graph, const TreeLayoutData& data) {
    TreeMap treeMap;
    if (graph.root != CompoundGraph::none) {
        treeMap.root = buildTreeMapNode(graph, data, graph.root, 0);
    }
    return treeMap;
}
