#include "layout/TreeLayouts.h"

#include "layout/Pi.h"

#include <cmath>
#include <utility>
#include <vector>

namespace {

// A node's level as a fraction of the deepest level. A hierarchy of one node
// has no deeper level: its single level counts as 0.
float levelFraction(uint32_t level, uint32_t maxDepth) {
    if (maxDepth == 0) {
        return 0.0f;
    }
    return static_cast<float>(level) / static_cast<float>(maxDepth);
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

void placeRadial(const TreeLayoutData& data, std::span<Point> positions) {
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const float r = levelFraction(data.level[i], data.maxDepth) * data.radialRadius;
        const float angle = (2.0f * data.offset[i] + data.width[i]) * singlePrecisionPi;
        positions[i] = {r * std::sin(angle), r * std::cos(angle)};
    }
}

void placeClassic(const TreeLayoutData& data, std::span<Point> positions) {
    for (std::size_t i = 0; i < positions.size(); ++i) {
        positions[i] = {(data.offset[i] + data.width[i] * 0.5f) * 2.0f - 1.0f,
                        levelFraction(data.level[i], data.maxDepth) - 1.0f};
    }
}

void placeAsLeaves(TreeLayoutType type, const TreeLayoutData& data, std::span<const int32_t> nodes,
                   std::span<Point> positions) {
    for (const int32_t node : nodes) {
        const auto i = static_cast<std::size_t>(node);
        if (type == TreeLayoutType::Radial) {
            const float angle = (2.0f * data.offset[i] + data.width[i]) * singlePrecisionPi;
            positions[i] = {data.radialRadius * std::sin(angle),
                            data.radialRadius * std::cos(angle)};
        } else if (type == TreeLayoutType::Classic) {
            positions[i].y = levelFraction(data.maxDepth, data.maxDepth) - 1.0f;
        }
    }
}

void copyTreeMapCentres(const CompoundGraph& graph, int32_t node, const TreeMapNode* treeMapNode,
                        std::span<Point> positions) {
    if (node == CompoundGraph::none || treeMapNode == nullptr) {
        return;
    }
    std::vector<std::pair<int32_t, const TreeMapNode*>> pending{{node, treeMapNode}};
    while (!pending.empty()) {
        auto [target, mirror] = pending.back();
        pending.pop_back();
        positions[target] = {(mirror->rect.x0 + mirror->rect.x1) * 0.5f,
                             (mirror->rect.y0 + mirror->rect.y1) * 0.5f};
        const std::span<const int32_t> children = graph.children(target);
        for (std::size_t i = 0; i < children.size(); ++i) {
            if (const TreeMapNode* child = mirror->child(static_cast<int32_t>(i))) {
                pending.emplace_back(children[i], child);
            }
        }
    }
}

std::vector<Rect> treeMapRectangles(const CompoundGraph& graph, const TreeMap& treeMap) {
    std::vector<Rect> rectangles(static_cast<std::size_t>(graph.nodeCount()));
    if (graph.root == CompoundGraph::none || !treeMap.root) {
        return rectangles;
    }
    std::vector<std::pair<int32_t, const TreeMapNode*>> pending{{graph.root, treeMap.root.get()}};
    while (!pending.empty()) {
        auto [node, mirror] = pending.back();
        pending.pop_back();
        rectangles[static_cast<std::size_t>(node)] = mirror->rect;
        const std::span<const int32_t> children = graph.children(node);
        for (std::size_t i = 0; i < children.size(); ++i) {
            if (const TreeMapNode* child = mirror->child(static_cast<int32_t>(i))) {
                pending.emplace_back(children[i], child);
            }
        }
    }
    return rectangles;
}

void applyLayout(TreeLayoutType type, const CompoundGraph& graph, const TreeLayoutData& data,
                 TreeMap& treeMap, float spacing, std::span<Point> positions) {
    switch (type) {
    case TreeLayoutType::Radial:
        placeRadial(data, positions);
        break;
    case TreeLayoutType::Classic:
        placeClassic(data, positions);
        break;
    case TreeLayoutType::TreeMapSlice:
    case TreeLayoutType::TreeMapSquared:
    case TreeLayoutType::TreeMapStrip:
        treeMap.setStrategy(strategyFor(type));
        treeMap.layOut(spacing);
        copyTreeMapCentres(graph, graph.root, treeMap.root.get(), positions);
        break;
    }
}

bool isTreeMapLayout(TreeLayoutType layoutType) {
    return layoutType >= TreeLayoutType::TreeMapSlice && layoutType <= TreeLayoutType::TreeMapStrip;
}
