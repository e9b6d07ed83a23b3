#include "analysis/StrongComponents.h"

#include <gtest/gtest.h>

namespace {

TEST(StrongComponents, NumberedAsCompletedAndNeverJoinedByArcsBetweenThem) {
    // {0, 1, 2} and {3, 4, 5} are cycles, 2 -> 3 leads from one to the
    // other; {6, 7} reaches 5 after that component is complete, and 8
    // stands alone.
    const std::vector<int32_t> source{0, 1, 2, 2, 3, 4, 5, 6, 6, 7, 8};
    const std::vector<int32_t> target{1, 2, 0, 3, 4, 5, 3, 5, 7, 6, 0};
    const StrongComponents found = strongComponents(9, source, target);
    EXPECT_EQ(found.component, (std::vector<int32_t>{1, 1, 1, 0, 0, 0, 2, 2, 3}));
    EXPECT_EQ(found.size, (std::vector<int32_t>{3, 3, 2, 1}));
}

} // namespace
