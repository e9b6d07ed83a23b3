#include "layout/TreeMapNode.h"

#include <cassert>
#include <cstring>

TreeMapNode::TreeMapNode(std::string_view nodeName, int32_t nodeDepth, int32_t siblingIndex)
    : depth(nodeDepth), index(siblingIndex) {
    std::memset(name, 0, sizeof name);
    std::memcpy(name, nodeName.data(),
                nodeName.size() < sizeof name ? nodeName.size() : sizeof name);
    name[nameSize - 1] = '\0';
}

TreeMapNode::~TreeMapNode() {
    destroyChildren();
}

void TreeMapNode::addChild(std::unique_ptr<TreeMapNode> child) {
    children.push_back(std::move(child));
}

TreeMapNode* TreeMapNode::child(int32_t i) const {
    assert(i >= 0 && i < childCount());
    if (i < 0 || i >= childCount()) {
        return nullptr;
    }
    return children[static_cast<std::size_t>(i)].get();
}

void TreeMapNode::resetNode() {
    std::vector<TreeMapNode*> pending{this};
    while (!pending.empty()) {
        TreeMapNode* node = pending.back();
        pending.pop_back();
        node->rect = Rect{};
        node->size = 0.0f;
        for (auto it = node->children.rbegin(); it != node->children.rend(); ++it) {
            pending.push_back(it->get());
        }
    }
}

float TreeMapNode::computeSize() {
    // Children before parents: the reverse of a breadth-first order.
    std::vector<TreeMapNode*> order{this};
    for (std::size_t i = 0; i < order.size(); ++i) {
        for (const auto& c : order[i]->children) {
            order.push_back(c.get());
        }
    }
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        TreeMapNode* node = *it;
        float sum = 0.0f;
        for (const auto& c : node->children) {
            sum += c->size;
        }
        node->size = 1.0f + sum;
    }
    return size;
}

void TreeMapNode::destroyChildren() {
    // Detach grandchildren before each child dies, so no destructor recurses.
    std::vector<std::unique_ptr<TreeMapNode>> pending = std::move(children);
    children.clear();
    while (!pending.empty()) {
        std::unique_ptr<TreeMapNode> node = std::move(pending.back());
        pending.pop_back();
        for (auto& c : node->children) {
            pending.push_back(std::move(c));
        }
        node->children.clear();
    }
}
