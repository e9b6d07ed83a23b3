#include "app/PictureSaving.h"

#include <gtest/gtest.h>

namespace {

TEST(PictureSavingTest, BothFilesSitBesideEachOtherWhateverTheNameEndsIn) {
    const auto paths = [](const std::string& chosen) {
        const PicturePaths both = picturePathsFor(chosen);
        return both.png + " " + both.svg;
    };
    EXPECT_EQ(paths("/tmp/figure.png"), "/tmp/figure.png /tmp/figure.svg");
    EXPECT_EQ(paths("/tmp/figure.SVG"), "/tmp/figure.png /tmp/figure.svg");
    EXPECT_EQ(paths("/tmp/figure"), "/tmp/figure.png /tmp/figure.svg");
    EXPECT_EQ(paths("/tmp/fig.v2.jpg"), "/tmp/fig.v2.jpg.png /tmp/fig.v2.jpg.svg");
    EXPECT_EQ(paths(".png"), ".png.png .png.svg");
}

} // namespace
