#include "base/KeyedHash.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The reference vectors of SipHash-2-4 (Aumasson and Bernstein): key bytes
// 00 01 .. 0f, messages 00 01 .. of every length.
constexpr uint64_t key0 = 0x0706050403020100ull;
constexpr uint64_t key1 = 0x0f0e0d0c0b0a0908ull;

std::string countingBytes(std::size_t length) {
    std::string bytes;
    for (std::size_t i = 0; i < length; ++i) {
        bytes += static_cast<char>(i);
    }
    return bytes;
}

TEST(KeyedHash, SipHash24GivesTheReferenceValues) {
    EXPECT_EQ(sipHash24(key0, key1, ""), 0x726fdb47dd0e0e31ull);
    EXPECT_EQ(sipHash24(key0, key1, countingBytes(15)), 0xa129ca6149be45e5ull);
}

TEST(KeyedHash, EveryHasherHasItsOwnKey) {
    const KeyedStringHash first;
    const KeyedStringHash second;
    EXPECT_EQ(first("shop.cart.Cart"), first(std::string("shop.cart.Cart")));
    // Equal texts hash alike in one table, and differently in two.
    int differing = 0;
    for (int i = 0; i < 8; ++i) {
        const std::string name = "name" + std::to_string(i);
        differing += first(name) != second(name) ? 1 : 0;
    }
    EXPECT_EQ(differing, 8);
}

} // namespace
