#include "layout/TreeLayoutData.h"

namespace {

constexpr float leafCircleRadius = 0.8f;
constexpr float ringsWidth = 0.2f;

} // namespace

TreeLayoutData buildLayouts(const CompoundGraph& graph) {
    const std::size_t count = static_cast<std::size_t>(graph.nodeCount());
    TreeLayoutData data;
    data.offset.assign(count, 0.0f);
    data.width.assign(count, 0.0f);
    data.level.assign(count, 0);
    const std::vector<int32_t> order = preorder(graph, graph.root);

    // Leaf counts, children before parents.
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const int32_t node = *it;
        float width = graph.isLeaf(node) ? 1.0f : 0.0f;
        for (const int32_t child : graph.children(node)) {
            width += data.width[child];
        }
        data.width[node] = width;
    }
    const float leafCount = graph.root == CompoundGraph::none ? 1.0f : data.width[graph.root];

    // Offsets: each child's span starts where its elder sibling's ends.
    for (const int32_t node : order) {
        const std::span<const int32_t> children = graph.children(node);
        for (std::size_t i = 0; i < children.size(); ++i) {
            data.offset[children[i]] =
                i == 0 ? data.offset[node]
                       : data.width[children[i - 1]] + data.offset[children[i - 1]];
        }
    }

    // Depths below the root, then levels: leaves on the deepest level, inner
    // nodes one above their shallowest child.
    for (const int32_t node : order) {
        const uint32_t depth = node == graph.root ? 0 : data.level[graph.parent[node]] + 1;
        data.level[node] = depth;
        if (depth > data.maxDepth) {
            data.maxDepth = depth;
        }
    }
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const int32_t node = *it;
        const std::span<const int32_t> children = graph.children(node);
        if (children.empty()) {
            data.level[node] = data.maxDepth;
            continue;
        }
        uint32_t level = data.level[children.front()] - 1;
        for (const int32_t child : children) {
            if (data.level[child] - 1 < level) {
                level = data.level[child] - 1;
            }
        }
        data.level[node] = level;
    }

    data.radialRadius = leafCircleRadius;
    data.ringWidth = data.maxDepth == 0 ? 0.0f : ringsWidth / static_cast<float>(data.maxDepth);

    const float factor = 1.0f / leafCount;
    for (std::size_t i = 0; i < count; ++i) {
        data.offset[i] *= factor;
        data.width[i] *= factor;
    }
    return data;
}
