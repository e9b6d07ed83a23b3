#include "export/BackgroundMatte.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(BackgroundMatteTest, CoverageAndColourFromTheFrameOverBlackAndOverWhite) {
    // Colour (200, 100, 0) at coverage 0.6 (153) shows (120, 60, 0) over
    // black and (222, 162, 102) over white (adding 0.4 x 255 = 102); an
    // empty pixel is black and white; an opaque one the same twice.
    const std::vector<uint8_t> black{120, 60, 0, 255, 0, 0, 0, 255, 10, 20, 30, 255};
    const std::vector<uint8_t> white{222, 162, 102, 255, 255, 255, 255, 255, 10, 20, 30, 255};
    const std::vector<uint8_t> picture = transparentPicture(black, white);
    EXPECT_EQ(picture, (std::vector<uint8_t>{200, 100, 0, 153, 0, 0, 0, 0, 10, 20, 30, 255}));
}

TEST(BackgroundMatteTest, MaxBlendingKeepsTheBlackFrameOverBlack) {
    // Over white every channel maxes out: the coverage is the brightest
    // channel over black, and the colour scales up to it.
    const std::vector<uint8_t> black{0, 51, 102, 255};
    const std::vector<uint8_t> white{255, 255, 255, 255};
    const std::vector<uint8_t> picture = transparentPicture(black, white);
    EXPECT_EQ(picture, (std::vector<uint8_t>{0, 128, 255, 102}));
}

TEST(BackgroundMatteTest, OverAnOpaqueColour) {
    // Back to the frame over white above, and an empty pixel is the colour.
    const std::vector<uint8_t> transparent{200, 100, 0, 153, 9, 9, 9, 0};
    EXPECT_EQ(pictureOver(transparent, {1.0f, 1.0f, 1.0f, 1.0f}),
              (std::vector<uint8_t>{222, 162, 102, 255, 255, 255, 255, 255}));
}

} // namespace
