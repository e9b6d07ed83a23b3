#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// A compound graph as plain data: a hierarchy of named nodes and the
// relations between them. A node's id is its index in the node arrays, an
// edge's id its index in the edge arrays. Made by CompoundGraphBuilder, which
// guarantees that the parent links form trees and the children lists agree
// with them.
struct CompoundGraph {
    static constexpr int32_t none = -1;

    // Per node: its parent (none for the root and for the top of any other
    // tree), and its depth below the top of its tree (root 0).
    std::vector<int32_t> parent;
    std::vector<uint32_t> depth;
    // Node i's children, in order, are childIds[childStart[i] .. childStart[i + 1]).
    std::vector<uint32_t> childStart;
    std::vector<int32_t> childIds;
    // Node i's name is nameText[nameStart[i] .. nameStart[i + 1]).
    std::vector<uint32_t> nameStart;
    std::string nameText;
    int32_t root = none;

    // Per edge: the ids of its two end nodes, which are always distinct.
    std::vector<int32_t> source;
    std::vector<int32_t> target;

    int32_t nodeCount() const { return static_cast<int32_t>(parent.size()); }
    int32_t edgeCount() const { return static_cast<int32_t>(source.size()); }

    std::span<const int32_t> children(int32_t node) const {
        return std::span<const int32_t>(childIds).subspan(childStart[node],
                                                          childStart[node + 1] - childStart[node]);
    }
    bool isLeaf(int32_t node) const { return childStart[node] == childStart[node + 1]; }
    std::string_view name(int32_t node) const {
        return std::string_view(nameText).substr(nameStart[node],
                                                 nameStart[node + 1] - nameStart[node]);
    }
};

// The nodes of the subtree under `top` in pre-order (children in their
// order), found without recursion so that a deep hierarchy costs no stack.
// Empty when top is none.
std::vector<int32_t> preorder(const CompoundGraph& graph, int32_t top);
