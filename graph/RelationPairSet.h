#pragma once

#include "base/UninitializedArray.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <random>

// The ordered node pairs that already have an edge during one load. An
// open-addressing table of packed id pairs: a million relations fit in a few
// cache-friendly megabytes instead of a node allocation each. The hash is
// seeded afresh for every set and mixes every bit, so that no file can pick
// pairs that crowd into a few slots.
class RelationPairSet {
public:
    RelationPairSet() : seed(freshSeed()) {}

    // Adds the pair; false when it was already there.
    bool insert(uint32_t source, uint32_t target) {
        if ((count + 1) * 2 > slots.size()) {
            grow();
        }
        return place(static_cast<uint64_t>(source) << 32 | target);
    }

    std::size_t size() const { return count; }
    // Slots looked at beyond the first, over all insertions: about the
    // number of pairs for pairs that spread, quadratic in it for pairs
    // that crowd into a few slots.
    std::size_t extraProbes() const { return probes; }

private:
    static constexpr uint64_t empty = ~uint64_t{0};

    static uint64_t freshSeed() {
        std::random_device device;
        return static_cast<uint64_t>(device()) << 32 | device();
    }

    // The finaliser of MurmurHash3: every input bit reaches every output bit.
    std::size_t hash(uint64_t key) const {
        key ^= seed;
        key ^= key >> 33;
        key *= 0xFF51AFD7ED558CCDull;
        key ^= key >> 33;
        key *= 0xC4CEB9FE1A85EC53ull;
        key ^= key >> 33;
        return static_cast<std::size_t>(key);
    }

    bool place(uint64_t key) {
        const std::size_t mask = slots.size() - 1;
        for (std::size_t i = hash(key) & mask;; i = (i + 1) & mask, ++probes) {
            if (slots[i] == key) {
                return false;
            }
            if (slots[i] == empty) {
                slots[i] = key;
                ++count;
                return true;
            }
        }
    }

    void grow() {
        UninitializedArray<uint64_t> old(slots.size() == 0 ? 64 : slots.size() * 2);
        std::fill(old.data(), old.data() + old.size(), empty);
        std::swap(old, slots);
        count = 0;
        for (std::size_t i = 0; i < old.size(); ++i) {
            if (old[i] != empty) {
                place(old[i]);
            }
        }
    }

    uint64_t seed;
    UninitializedArray<uint64_t> slots;
    std::size_t count = 0;
    std::size_t probes = 0;
};
