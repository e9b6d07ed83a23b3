#include "app/LoopWatch.h"

#include <gtest/gtest.h>

namespace {

using std::chrono::milliseconds;

TEST(LoopWatch, TheLongestGapWhileBusyCountsAndRestsDoNot) {
    LoopWatch watch;
    const LoopWatch::Clock::time_point start{};
    watch.turn(start, true);
    watch.turn(start + milliseconds(30), true);
    watch.turn(start + milliseconds(110), false);
    // Resting for seconds is no stall.
    watch.turn(start + milliseconds(5000), true);
    watch.turn(start + milliseconds(5040), true);
    EXPECT_EQ(watch.longest(), milliseconds(80));
}

} // namespace
