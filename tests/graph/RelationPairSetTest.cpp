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

} // namespace
