#include "layout/TreeMap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

namespace {

const Rect square{-1.0f, -1.0f, 1.0f, 1.0f};

// A parent whose children carry the given weights.
std::unique_ptr<TreeMapNode> parentWithSizes(const std::vector<float>& sizes) {
    auto parent = std::make_unique<TreeMapNode>("parent", 0, 0);
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        auto child = std::make_unique<TreeMapNode>("child", 1, static_cast<int32_t>(i));
        child->size = sizes[i];
        parent->addChild(std::move(child));
    }
    return parent;
}

void expectRect(const TreeMapNode& node, int i, Rect expected) {
    const Rect& r = node.child(i)->rect;
    SCOPED_TRACE("child " + std::to_string(i));
    EXPECT_NEAR(r.x0, expected.x0, 1e-6);
    EXPECT_NEAR(r.y0, expected.y0, 1e-6);
    EXPECT_NEAR(r.x1, expected.x1, 1e-6);
    EXPECT_NEAR(r.y1, expected.y1, 1e-6);
}

void expectRects(const TreeMapNode& node, const std::vector<Rect>& expected) {
    ASSERT_EQ(node.childCount(), static_cast<int32_t>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        expectRect(node, static_cast<int>(i), expected[i]);
    }
}

const std::vector<float> fourEqual{1, 1, 1, 1};
const std::vector<float> sevenMixed{6, 6, 4, 3, 2, 2, 1};

TEST(SliceStrategy, SquareIsCutIntoColumns) {
    auto node = parentWithSizes(fourEqual);
    SliceStrategy().layoutChildren(*node, square);
    expectRects(*node, {{-1, -1, -0.5f, 1}, {-0.5f, -1, 0, 1}, {0, -1, 0.5f, 1}, {0.5f, -1, 1, 1}});
}

TEST(SliceStrategy, TallRectangleIsCutIntoBandsFromTheBottom) {
    auto node = parentWithSizes({1, 3});
    SliceStrategy().layoutChildren(*node, Rect{0, 0, 1, 4});
    expectRects(*node, {{0, 0, 1, 1}, {0, 1, 1, 4}});
    SliceStrategy().layoutChildren(*node, Rect{0, 0, 4, 1});
    expectRects(*node, {{0, 0, 1, 1}, {1, 0, 4, 1}});
}

TEST(SliceStrategy, InvertedRectangleIsClampedToZeroSize) {
    auto node = parentWithSizes({1, 1});
    SliceStrategy().layoutChildren(*node, Rect{0.5f, 0.5f, 0.25f, 0.75f});
    expectRects(*node, {{0.5f, 0.5f, 0.5f, 0.625f}, {0.5f, 0.625f, 0.5f, 0.75f}});
}

TEST(SliceStrategy, ZeroWeightsLeaveChildrenUntouched) {
    auto node = parentWithSizes({0, 0});
    node->child(0)->rect = Rect{7, 7, 8, 8};
    SliceStrategy().layoutChildren(*node, square);
    EXPECT_EQ(node->child(0)->rect, (Rect{7, 7, 8, 8}));
}

TEST(SquaredStrategy, FourEqualChildren) {
    auto node = parentWithSizes(fourEqual);
    SquaredStrategy().layoutChildren(*node, square);
    expectRects(*node, {{-1, -1, 0, 0}, {-1, 0, 0, 1}, {0, -1, 1, 0}, {0, 0, 1, 1}});
}

TEST(SquaredStrategy, MixedWeightsFormFourRows) {
    auto node = parentWithSizes(sevenMixed);
    SquaredStrategy().layoutChildren(*node, square);
    expectRects(*node, {{-1, -1, 0, 0},
                        {-1, 0, 0, 1},
                        {0, -1, 1, -1.0f / 3},
                        {0, -1.0f / 3, 0.6f, 0.5f},
                        {0.6f, -1.0f / 3, 1, 0.5f},
                        {0, 0.5f, 2.0f / 3, 1},
                        {2.0f / 3, 0.5f, 1, 1}});
}

TEST(SquaredStrategy, TwoChildrenAreSlicedLikeSlice) {
    auto squared = parentWithSizes({2, 1});
    auto slice = parentWithSizes({2, 1});
    SquaredStrategy().layoutChildren(*squared, Rect{0, 0, 3, 1});
    SliceStrategy().layoutChildren(*slice, Rect{0, 0, 3, 1});
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(squared->child(i)->rect, slice->child(i)->rect);
    }
}

TEST(StripStrategy, FourEqualChildrenInTwoRows) {
    auto node = parentWithSizes(fourEqual);
    StripStrategy().layoutChildren(*node, square);
    expectRects(*node, {{-1, -1, 0, 0}, {0, -1, 1, 0}, {-1, 0, 0, 1}, {0, 0, 1, 1}});
}

TEST(StripStrategy, MixedWeightsInThreeRows) {
    auto node = parentWithSizes(sevenMixed);
    StripStrategy().layoutChildren(*node, square);
    expectRects(*node, {{-1, -1, 0, 0},
                        {0, -1, 1, 0},
                        {-1, 0, -1.0f / 9, 0.75f},
                        {-1.0f / 9, 0, 5.0f / 9, 0.75f},
                        {5.0f / 9, 0, 1, 0.75f},
                        {-1, 0.75f, 1.0f / 3, 1},
                        {1.0f / 3, 0.75f, 1, 1}});
}

TEST(StripStrategy, InvertedRectangleLeavesChildrenUntouched) {
    auto node = parentWithSizes({1, 1});
    StripStrategy().layoutChildren(*node, Rect{0.5f, 0.5f, 0.25f, 0.75f});
    EXPECT_EQ(node->child(0)->rect, Rect{});
    EXPECT_EQ(node->child(1)->rect, Rect{});
}

TEST(StripStrategy, EveryRowTakesAtLeastOneChild) {
    // A child so flat that its aspect ratio alone exceeds the start bound.
    auto node = parentWithSizes({1, 1, 1});
    const Rect sliver{0, 0, 1e-9f, 1e9f};
    const Rect normalised = sliver;
    EXPECT_EQ(StripStrategy::growRow(*node, normalised, 0, 2), 1);
    StripStrategy().layoutChildren(*node, Rect{0, 0, 1e-12f, 1e12f});
    for (int i = 0; i < 3; ++i) {
        EXPECT_GE(node->child(i)->rect.y1, node->child(i)->rect.y0);
    }
}

TEST(StripStrategy, PlaceRowAndAverageAspect) {
    auto node = parentWithSizes({2, 1, 1});
    const Rect normalised{0, 0, 2, 2};
    EXPECT_FLOAT_EQ(StripStrategy::placeRow(*node, normalised, 0, 3), 2.0f);
    expectRects(*node, {{0, 0, 1, 2}, {1, 0, 1.5f, 2}, {1.5f, 0, 2, 2}});
    EXPECT_FLOAT_EQ(StripStrategy::averageAspect(*node, 0, 3), (2.0f + 4.0f + 4.0f) / 3.0f);
    EXPECT_EQ(StripStrategy::averageAspect(*node, 0, 0), 0.0f);
    EXPECT_EQ(StripStrategy::placeRow(*node, Rect{1, 0, 1, 2}, 0, 3), 0.0f);
    // A degenerate child adds nothing but still counts in the divisor.
    node->child(0)->rect = Rect{0, 0, 0, 2};
    EXPECT_FLOAT_EQ(StripStrategy::averageAspect(*node, 0, 2), 4.0f / 2.0f);
}

// The strip layout in its plainest form: every row grown from scratch by
// re-laying and re-measuring it after each added child.
int plainGrowRow(TreeMapNode& node, const Rect& normalised, int start, int last) {
    float previous = StripStrategy::growRowStartBound;
    int count = 0;
    for (;;) {
        ++count;
        StripStrategy::placeRow(node, normalised, start, count);
        const float aspect = StripStrategy::averageAspect(node, start, count);
        if (aspect < previous && start + count <= last) {
            previous = aspect;
            continue;
        }
        if (aspect < previous || count == 1) {
            return count;
        }
        StripStrategy::placeRow(node, normalised, start, --count);
        return count;
    }
}

void plainStripRange(TreeMapNode& node, int last, Rect rect) {
    const float total = SliceStrategy::sumSizes(node, 0, last);
    const float scale = std::sqrt((rect.x1 - rect.x0) * (rect.y1 - rect.y0) / total);
    const float inverse = 1.0f / scale;
    const Rect normalised{rect.x0 * inverse, rect.y0 * inverse, rect.x1 * inverse,
                          rect.y1 * inverse};
    float offset = 0.0f;
    for (int start = 0; start <= last;) {
        const int j = plainGrowRow(node, normalised, start, last);
        int count = j;
        if (start + j <= last) {
            const int k = plainGrowRow(node, normalised, start + j, last);
            const float separate = StripStrategy::averageAspect(node, start, j + k);
            StripStrategy::placeRow(node, normalised, start, j + k);
            if (StripStrategy::averageAspect(node, start, j + k) < separate) {
                count = j + k;
            } else {
                StripStrategy::placeRow(node, normalised, start, j);
            }
        }
        for (int i = start; i < start + count; ++i) {
            node.child(i)->rect.y0 += offset;
            node.child(i)->rect.y1 += offset;
        }
        offset = offset + (node.child(start)->rect.y1 - node.child(start)->rect.y0);
        start += count;
    }
    for (int i = 0; i <= last; ++i) {
        Rect& r = node.child(i)->rect;
        r = Rect{scale * r.x0 + rect.x0, scale * r.y0 + rect.y0, scale * r.x1 + rect.x0,
                 scale * r.y1 + rect.y0};
    }
}

TEST(StripStrategy, MatchesThePlainAlgorithmBitForBit) {
    std::mt19937 random(3);
    for (int round = 0; round < 40; ++round) {
        std::vector<float> sizes(1 + random() % 400);
        for (float& size : sizes) {
            size = static_cast<float>(1 + random() % (round % 2 == 0 ? 3 : 60));
        }
        const Rect rect{-0.9f, -0.7f, -0.9f + 0.01f * (1 + random() % 180), 0.95f};
        auto fast = parentWithSizes(sizes);
        auto plain = parentWithSizes(sizes);
        StripStrategy().layoutChildren(*fast, rect);
        plainStripRange(*plain, plain->childCount() - 1, rect);
        for (int i = 0; i < fast->childCount(); ++i) {
            ASSERT_EQ(fast->child(i)->rect, plain->child(i)->rect)
                << "round " << round << ", child " << i;
        }
    }
}

TEST(TreeMapStrategies, OneChildTakesTheWholeRectangle) {
    const Rect given{-0.3f, 0.1f, 0.7f, 0.4f};
    std::unique_ptr<TreeMapStrategy> strategies[] = {std::make_unique<SliceStrategy>(),
                                                     std::make_unique<SquaredStrategy>(),
                                                     std::make_unique<StripStrategy>()};
    for (auto& strategy : strategies) {
        auto node = parentWithSizes({5});
        strategy->layoutChildren(*node, given);
        expectRect(*node, 0, given);
    }
}

TEST(TreeMapStrategies, ThreeLeavesShareTheAreaEqually) {
    std::unique_ptr<TreeMapStrategy> strategies[] = {std::make_unique<SliceStrategy>(),
                                                     std::make_unique<SquaredStrategy>(),
                                                     std::make_unique<StripStrategy>()};
    for (auto& strategy : strategies) {
        auto node = parentWithSizes({1, 1, 1});
        strategy->layoutChildren(*node, Rect{0, 0, 3, 2});
        for (int i = 0; i < 3; ++i) {
            const Rect& r = node->child(i)->rect;
            EXPECT_NEAR((r.x1 - r.x0) * (r.y1 - r.y0), 2.0f, 1e-5);
        }
    }
}

TEST(TreeMapStrategies, LeafHasNothingToLayOut) {
    auto leaf = parentWithSizes({});
    SliceStrategy().layoutChildren(*leaf, square);
    SquaredStrategy().layoutChildren(*leaf, square);
    StripStrategy().layoutChildren(*leaf, square);
    EXPECT_EQ(leaf->childCount(), 0);
}

} // namespace
