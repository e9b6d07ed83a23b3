#include "graph/Graph.h"
#include "layout/Pi.h"
#include "layout/TreeMap.h"
#include "layout/TreeWalk.h"

#include <cmath>

namespace {

constexpr float leafCircleRadius = 0.8f;
constexpr float ringsWidth = 0.2f;

// A node's level as a fraction of the deepest level. A hierarchy of one node
// has no deeper level: its single level counts as 0.
float levelFraction(const Node& node, uint32_t maxDepth) {
    if (maxDepth == 0) {
        return 0.0f;
    }
    return static_cast<float>(node.depth) / static_cast<float>(maxDepth);
}

void placeRadial(Graph& graph) {
    for (const auto& node : graph.nodes) {
        const float r = levelFraction(*node, graph.maxDepth) * graph.radialRadius;
        const float angle = (2.0f * node->offset + node->width) * singlePrecisionPi;
        node->x = r * std::sin(angle);
        node->y = r * std::cos(angle);
    }
}

void placeClassic(Graph& graph) {
    for (const auto& node : graph.nodes) {
        node->x = (node->offset + node->width * 0.5f) * 2.0f - 1.0f;
        node->y = levelFraction(*node, graph.maxDepth) - 1.0f;
    }
}

std::unique_ptr<TreeMapStrategy> strategyFor(TreeLayoutType type) {
    switch (type) {
    case TreeLayoutType::TreeMapSlice:
        return std::make_unique<SliceStrategy>();
    case TreeLayoutType::TreeMapSquared:
        return std::make_unique<SquaredStrategy>();
    case TreeLayoutType::TreeMapStrip:
        return std::make_unique<StripStrategy>();
    default:
        return nullptr;
    }
}

} // namespace

void Graph::buildLayouts() {
    const std::vector<Node*> order = preorder(root);

    // Leaf counts, children before parents.
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        Node* node = *it;
        node->width = 0.0f;
        if (node->children.empty()) {
            node->width = 1.0f;
        }
        for (const Node* child : node->children) {
            node->width += child->width;
        }
    }
    const float leafCount = root == nullptr ? 1.0f : root->width;

    // Offsets: each child's span starts where its elder sibling's ends.
    for (Node* node : order) {
        if (node->parent == nullptr) {
            node->offset = 0.0f;
        }
        for (std::size_t i = 0; i < node->children.size(); ++i) {
            Node* child = node->children[i];
            child->offset = i == 0 ? node->offset
                                   : node->children[i - 1]->width + node->children[i - 1]->offset;
        }
    }

    // Tree depths, then levels: leaves on the deepest level, inner nodes one
    // above their shallowest child.
    maxDepth = 0;
    for (Node* node : order) {
        node->depth = node == root ? 0 : node->parent->depth + 1;
        if (node->depth > maxDepth) {
            maxDepth = node->depth;
        }
    }
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        Node* node = *it;
        if (node->children.empty()) {
            node->depth = maxDepth;
            continue;
        }
        node->depth = node->children.front()->depth - 1;
        for (const Node* child : node->children) {
            if (child->depth - 1 < node->depth) {
                node->depth = child->depth - 1;
            }
        }
    }

    radialRadius = leafCircleRadius;
    ringWidth = maxDepth == 0 ? 0.0f : ringsWidth / static_cast<float>(maxDepth);

    const float factor = 1.0f / leafCount;
    for (const auto& node : nodes) {
        node->offset *= factor;
        node->width *= factor;
    }

    treeMap = std::make_unique<TreeMap>();
    if (root != nullptr) {
        treeMap->root = buildTreeMapNode(root, 0);
    }
}

void Graph::setLayout(TreeLayoutType type) {
    const auto wanted = static_cast<int32_t>(type);
    if (wanted == layoutType) {
        return;
    }
    layoutType = wanted;
    switch (type) {
    case TreeLayoutType::Radial:
        placeRadial(*this);
        break;
    case TreeLayoutType::Classic:
        placeClassic(*this);
        break;
    case TreeLayoutType::TreeMapSlice:
    case TreeLayoutType::TreeMapSquared:
    case TreeLayoutType::TreeMapStrip:
        if (treeMap) {
            treeMap->spacing = treeMapSpacing;
            treeMap->setStrategy(strategyFor(type));
            treeMap->computeSizes();
            treeMap->layout(Rect{-1.0f, -1.0f, 1.0f, 1.0f});
            copyTreeMapCentres(root, treeMap->root.get());
        }
        break;
    }
    resampleSplines();
}

void Graph::resampleSplines() {
    sampleSplines();
    const float applied = beta;
    beta = -1.0f;
    setBeta(applied);
}
