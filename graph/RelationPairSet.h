#pragma once

#include "base/UninitializedArray.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <random>

// A relation's two node ids in one word, source in the high half.
inline uint64_t packedPair(uint32_t source, uint32_t target) {
    return static_cast<uint64_t>(source) << 32 | target;
}

// The ordered node pairs that already have an edge during one load. An
// open-addressing table of packed id pairs: a million relations fit in a few
// cache-friendly megabytes instead of a node allocation each. The hash is
// seeded afresh for every set and mixes every bit, so that no file can pick
// pairs that crowd into a few slots.
class RelationPairSet {
public:
    RelationPairSet() : seed(freshSeed()) {}
    // A set that takes `expected` pairs without growing, hashing with the
    // seed: sets made together may share one fresh seed, each mixed with a
    // number of its own.
    explicit RelationPairSet(std::size_t expected, uint64_t seed = freshSeed()) : seed(seed) {
        if (expected > 0) {
            resize(slotsFor(expected));
        }
    }

    // A seed no file can know in advance. The device is opened once per
    // thread: opening it costs more than reading a small graph.
    static uint64_t freshSeed() {
        thread_local std::random_device device;
        return static_cast<uint64_t>(device()) << 32 | device();
    }

    // The bytes of a set that holds this many pairs.
    static std::size_t bytesFor(std::size_t pairs) { return slotsFor(pairs) * sizeof(uint64_t); }

    // Adds the pair; false when it was already there.
    bool insert(uint32_t source, uint32_t target) { return insert(packedPair(source, target)); }
    bool insert(uint64_t pair) {
        if (!fits(count + 1, slots.size())) {
            grow();
        }
        return place(pair);
    }
    // Asks for the pair's first slot ahead of an insert: a large set is far
    // from the cache, and waiting for one slot after another is what an
    // insert costs there.
    void prefetch(uint64_t pair) const {
        if (slots.size() > 0) {
            __builtin_prefetch(slots.data() + (hash(pair) & (slots.size() - 1)));
        }
    }

    std::size_t size() const { return count; }
    // Slots looked at beyond the first, over all insertions: about the
    // number of pairs for pairs that spread, quadratic in it for pairs
    // that crowd into a few slots.
    std::size_t extraProbes() const { return probes; }

private:
    static constexpr uint64_t empty = ~uint64_t{0};

    // At most three quarters full: linear probing stays short, and a set
    // sized for its pairs up front takes 11 to 21 bytes a pair.
    static bool fits(std::size_t pairs, std::size_t slotCount) {
        return pairs * 4 <= slotCount * 3;
    }
    static std::size_t slotsFor(std::size_t pairs) {
        std::size_t slotCount = 64;
        while (!fits(pairs, slotCount)) {
            slotCount *= 2;
        }
        return slotCount;
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

    void grow() { resize(slots.size() == 0 ? slotsFor(1) : slots.size() * 2); }

    void resize(std::size_t slotCount) {
        UninitializedArray<uint64_t> old(slotCount);
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
