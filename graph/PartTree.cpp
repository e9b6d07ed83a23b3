#include "graph/PartTree.h"

std::size_t PartTree::slotOf(int32_t parent, std::string_view part) const {
    // The finaliser of MurmurHash3 over the keyed hash of the part and the
    // parent: every bit of each reaches every bit of the slot.
    uint64_t key = partHash(part) ^ static_cast<uint64_t>(parent + 1) * 0x9E3779B97F4A7C15ull;
    key ^= key >> 33;
    key *= 0xFF51AFD7ED558CCDull;
    key ^= key >> 33;
    return static_cast<std::size_t>(key) & (slots.size() - 1);
}

std::optional<int32_t> PartTree::childOf(int32_t parent, std::string_view part) {
    if ((parents.size() + 1) * 2 > slots.size()) {
        grow();
    }
    std::size_t slot = slotOf(parent, part);
    for (; slots[slot] != empty; slot = (slot + 1) & (slots.size() - 1)) {
        const auto node = static_cast<std::size_t>(slots[slot]);
        if (parents[node] == parent && parts[node] == part) {
            return slots[slot];
        }
    }
    if (nodeCount() >= maxNodes) {
        return std::nullopt;
    }
    slots[slot] = nodeCount();
    parents.push_back(parent);
    parts.push_back(part);
    return slots[slot];
}

void PartTree::grow() {
    slots.assign(slots.empty() ? 64 : slots.size() * 2, empty);
    for (int32_t node = 0; node < nodeCount(); ++node) {
        std::size_t slot =
            slotOf(parents[static_cast<std::size_t>(node)], parts[static_cast<std::size_t>(node)]);
        while (slots[slot] != empty) {
            slot = (slot + 1) & (slots.size() - 1);
        }
        slots[slot] = node;
    }
}
