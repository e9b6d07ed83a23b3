#pragma once

#include "base/UninitializedArray.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

// Relations as one thread of a reader gathers them, ready for
// CompoundGraphBuilder::relateAll: packed pairs (packedPair) grouped into
// parts by a fixed mix of their ids, each part in the order given, so that
// repeats can be looked for part by part in sets small enough for the
// processor's cache, and the parts can be put back in the order given.
class RelationBatch {
public:
    static constexpr unsigned partCount = 256;

    RelationBatch() = default;
    explicit RelationBatch(std::span<const uint64_t> pairs);

    std::size_t size() const { return partOfPair.size(); }
    // The pairs of one part, in their order.
    std::span<uint64_t> part(unsigned index) {
        return {grouped.data() + start[index], start[index + 1] - start[index]};
    }
    // Calls take(pair) for every pair, in the order given.
    template <typename Take> void forEachInOrder(Take&& take) const {
        std::array<std::size_t, partCount + 1> next = start;
        for (std::size_t i = 0; i < partOfPair.size(); ++i) {
            take(grouped[next[partOfPair[i]]++]);
        }
    }

private:
    UninitializedArray<uint64_t> grouped;
    UninitializedArray<uint8_t> partOfPair;
    std::array<std::size_t, partCount + 1> start{};
};
