#include "explore/WindowProjection.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowProjection, WideWindowWidensX) {
    const OrthoBox box = windowProjection(800, 400);
    EXPECT_DOUBLE_EQ(box.left, -2.1);
    EXPECT_DOUBLE_EQ(box.right, 2.1);
    EXPECT_DOUBLE_EQ(box.bottom, -1.05);
    EXPECT_DOUBLE_EQ(box.top, 1.05);
}

TEST(WindowProjection, SquareAndTallWindowsWidenY) {
    const OrthoBox square = windowProjection(500, 500);
    EXPECT_DOUBLE_EQ(square.left, -1.05);
    EXPECT_DOUBLE_EQ(square.top, 1.05);
    const OrthoBox tall = windowProjection(300, 600);
    EXPECT_DOUBLE_EQ(tall.left, -1.05);
    EXPECT_DOUBLE_EQ(tall.right, 1.05);
    EXPECT_DOUBLE_EQ(tall.bottom, -2.1);
    EXPECT_DOUBLE_EQ(tall.top, 2.1);
}

} // namespace
