#pragma once

#include "base/KeyedHash.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

// A tree of name parts: a node per distinct path of parts, found by its
// parent and its last part in an open-addressing table of node ids, which
// costs 8 bytes a node where a table of "parent/part" strings costs about 90.
// The parts are views: the text they look at must outlive the tree.
class PartTree {
public:
    static constexpr int32_t none = -1;

    // At most maxNodes nodes.
    explicit PartTree(int64_t maxNodes) : maxNodes(maxNodes) {}

    // The child of parent (none for a top) named part, made if new; none
    // once there would be more than maxNodes nodes.
    std::optional<int32_t> childOf(int32_t parent, std::string_view part);

    int32_t nodeCount() const { return static_cast<int32_t>(parents.size()); }

    std::vector<int32_t> parents;
    std::vector<std::string_view> parts;

private:
    static constexpr int32_t empty = -1;

    std::size_t slotOf(int32_t parent, std::string_view part) const;
    void grow();

    int64_t maxNodes;
    // Keyed: the parts come from files.
    KeyedStringHash partHash;
    std::vector<int32_t> slots;
};
