#include "graph/RelationPairSet.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

TEST(RelationPairSet, AgreesWithAnOrderedSetAcrossGrowth) {
    RelationPairSet pairs;
    std::set<std::pair<uint32_t, uint32_t>> reference;
    std::mt19937 random(7);
    for (int i = 0; i < 200000; ++i) {
        const uint32_t source = random() % 600;
        const uint32_t target = random() % 600;
        EXPECT_EQ(pairs.insert(source, target), reference.insert({source, target}).second);
    }
    EXPECT_EQ(pairs.size(), reference.size());
}

TEST(RelationPairSet, OrderMattersAndLargestIdsWork) {
    RelationPairSet pairs;
    const uint32_t largest = (1u << 24) - 1;
    EXPECT_TRUE(pairs.insert(largest, 0));
    EXPECT_TRUE(pairs.insert(0, largest));
    EXPECT_FALSE(pairs.insert(largest, 0));
    EXPECT_TRUE(pairs.insert(largest, largest - 1));
    EXPECT_EQ(pairs.size(), 3u);
}

// The hash without a seed is MurmurHash3's finaliser, which can be run
// backwards: xor-shifts by 33 undo themselves, and a multiplication by an odd
// constant is undone by its inverse modulo 2^64.
uint64_t inverseModulo64(uint64_t odd) {
    uint64_t inverse = odd; // right to 3 bits; each step doubles them
    for (int i = 0; i < 5; ++i) {
        inverse *= 2 - odd * inverse;
    }
    return inverse;
}

uint64_t unmix(uint64_t hash) {
    hash ^= hash >> 33;
    hash *= inverseModulo64(0xC4CEB9FE1A85EC53ull);
    hash ^= hash >> 33;
    hash *= inverseModulo64(0xFF51AFD7ED558CCDull);
    hash ^= hash >> 33;
    return hash;
}

TEST(RelationPairSet, PairsAimedAtOneSlotOfTheUnseededHashStillSpread) {
    // 4,096 pairs whose unseeded hashes all end in 24 zero bits: every one
    // would start probing at slot 0 of any table up to 2^24 slots, and
    // inserting them would look at some 8 million slots. A file can aim so
    // only at a hash it knows; the set's seed is fresh for every set.
    constexpr int count = 4096;
    RelationPairSet pairs;
    for (uint64_t i = 1; i <= count; ++i) {
        const uint64_t key = unmix(i << 24);
        ASSERT_TRUE(pairs.insert(static_cast<uint32_t>(key >> 32), static_cast<uint32_t>(key)));
    }
    EXPECT_EQ(pairs.size(), static_cast<std::size_t>(count));
    EXPECT_LT(pairs.extraProbes(), std::size_t{20} * count);
}

} // namespace
