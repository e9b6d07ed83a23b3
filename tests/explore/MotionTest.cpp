#include "explore/Motion.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(Motion, NodesEaseAndTurnAroundTheCentreTheShorterWay) {
    EXPECT_EQ(easedShare(0.0), 0.0);
    EXPECT_EQ(easedShare(0.5), 0.5);
    EXPECT_EQ(easedShare(1.0), 1.0);
    EXPECT_NEAR(easedShare(0.1), 0.028, 1e-12) << "slow in: 3 t^2 - 2 t^3";
    EXPECT_EQ(easedShare(2.0), 1.0);

    // From 10 degrees left of the top at radius 0.4 to 10 degrees right of
    // it at 0.8: halfway at the top, radius 0.6, not across the middle.
    const double ten = 10.0 * std::acos(-1.0) / 180.0;
    const Point from{static_cast<float>(-0.4 * std::sin(ten)),
                     static_cast<float>(0.4 * std::cos(ten))};
    const Point to{static_cast<float>(0.8 * std::sin(ten)),
                   static_cast<float>(0.8 * std::cos(ten))};
    const Point halfway = MotionPath({from}, {to}, true).at(0.5)[0];
    EXPECT_NEAR(halfway.x, 0.0, 1e-6);
    EXPECT_NEAR(halfway.y, 0.6, 1e-6);
    const Point straight = MotionPath({from}, {to}, false).at(0.5)[0];
    EXPECT_NEAR(straight.x, (from.x + to.x) / 2.0, 1e-7);

    // Across the bottom, where the angle (from the top, clockwise) jumps
    // from 180 to -180 degrees: from 170 to 190 at radius 0.5 passes the
    // bottom, (0, -0.5), halfway, not the top.
    const auto at = [](double degrees) {
        const double angle = degrees * std::acos(-1.0) / 180.0;
        return Point{static_cast<float>(0.5 * std::sin(angle)),
                     static_cast<float>(0.5 * std::cos(angle))};
    };
    const Point bottom = MotionPath({at(170.0)}, {at(190.0)}, true).at(0.5)[0];
    EXPECT_NEAR(bottom.x, 0.0, 1e-6);
    EXPECT_NEAR(bottom.y, -0.5, 1e-6);

    // Hidden nodes start where the node standing for them is.
    const std::vector<Point> places =
        shownPlaces(std::vector<Point>{{0, 0}, {1, 1}, {2, 2}}, std::vector<int32_t>{0, 1, 1});
    EXPECT_EQ(places[2], (Point{1, 1}));
}

} // namespace
