#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The arcs of a directed graph grouped by one of their ends: node v's arcs
// (their indices) are arc[start[v] .. start[v + 1]), in arc order.
struct ArcsByNode {
    std::vector<std::size_t> start;
    std::vector<int32_t> arc;

    std::span<const int32_t> at(int32_t node) const {
        const auto v = static_cast<std::size_t>(node);
        return std::span<const int32_t>(arc).subspan(start[v], start[v + 1] - start[v]);
    }
};

// Grouped by end[i], the chosen end of arc i, for nodes 0 to nodeCount - 1.
ArcsByNode arcsByNode(int32_t nodeCount, std::span<const int32_t> end);
