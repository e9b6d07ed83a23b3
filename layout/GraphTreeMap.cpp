#include "graph/Graph.h"
#include "layout/TreeMap.h"

#include <utility>
#include <vector>

std::unique_ptr<TreeMapNode> Graph::buildTreeMapNode(const Node* node, int32_t index) {
    auto top = std::make_unique<TreeMapNode>(node->name, static_cast<int32_t>(node->depth), index);
    std::vector<std::pair<const Node*, TreeMapNode*>> pending{{node, top.get()}};
    while (!pending.empty()) {
        auto [source, mirror] = pending.back();
        pending.pop_back();
        for (std::size_t i = 0; i < source->children.size(); ++i) {
            const Node* child = source->children[i];
            auto copy = std::make_unique<TreeMapNode>(child->name, static_cast<int32_t>(child->depth),
                                                      static_cast<int32_t>(i));
            pending.emplace_back(child, copy.get());
            mirror->addChild(std::move(copy));
        }
    }
    return top;
}

void Graph::copyTreeMapCentres(Node* node, const TreeMapNode* treeMapNode) {
    if (node == nullptr || treeMapNode == nullptr) {
        return;
    }
    std::vector<std::pair<Node*, const TreeMapNode*>> pending{{node, treeMapNode}};
    while (!pending.empty()) {
        auto [target, mirror] = pending.back();
        pending.pop_back();
        target->x = (mirror->rect.x0 + mirror->rect.x1) * 0.5f;
        target->y = (mirror->rect.y0 + mirror->rect.y1) * 0.5f;
        for (std::size_t i = 0; i < target->children.size(); ++i) {
            if (const TreeMapNode* child = mirror->child(static_cast<int32_t>(i))) {
                pending.emplace_back(target->children[i], child);
            }
        }
    }
}

bool Graph::refreshTreeMapSpacing() {
    if (!treeMap) {
        return false;
    }
    const float epsilon = TreeMapStrategy::epsilon;
    if (!(treeMap->spacing < treeMapSpacing - epsilon || treeMap->spacing > treeMapSpacing + epsilon)) {
        return false;
    }
    treeMap->spacing = treeMapSpacing;
    treeMap->computeSizes();
    treeMap->layout(Rect{-1.0f, -1.0f, 1.0f, 1.0f});
    copyTreeMapCentres(root, treeMap->root.get());
    resampleSplines();
    return true;
}
