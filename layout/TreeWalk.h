#pragma once

#include "graph/Node.h"

#include <vector>

// The subtree under root in pre-order (children in their order), found
// without recursion so that a deep hierarchy costs no stack.
inline std::vector<Node*> preorder(Node* root) {
    std::vector<Node*> order;
    if (root == nullptr) {
        return order;
    }
    std::vector<Node*> pending{root};
    while (!pending.empty()) {
        Node* node = pending.back();
        pending.pop_back();
        order.push_back(node);
        for (auto child = node->children.rbegin(); child != node->children.rend(); ++child) {
            pending.push_back(*child);
        }
    }
    return order;
}
