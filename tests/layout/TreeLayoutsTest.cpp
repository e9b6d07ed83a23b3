#include "layout/TreeLayouts.h"

#include "layout/Pi.h"
#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using testing_support::graphOf;
using testing_support::randomParents;

// A hierarchy with its layout data, treemap and node positions, laid out by
// the functions under test.
struct Laid {
    explicit Laid(CompoundGraph hierarchy)
        : graph(std::move(hierarchy)), data(buildLayouts(graph)),
          treeMap(buildTreeMap(graph, data)), positions(graph.parent.size()) {}

    void apply(TreeLayoutType type, float spacing = 0.01f) {
        applyLayout(type, graph, data, treeMap, spacing, positions);
    }

    CompoundGraph graph;
    TreeLayoutData data;
    TreeMap treeMap;
    std::vector<Point> positions;
};

// root(0) with a leaf (1) and a deeper subtree: 2 -> 3 -> {4, 5}, and 2 -> 6
// (a leaf at depth 2).
const std::vector<int> mixedDepths{-1, 0, 0, 2, 3, 3, 2};

TEST(BuildLayouts, SpansLevelsAndRings) {
    const Laid laid(graphOf(mixedDepths));
    const TreeLayoutData& d = laid.data;
    EXPECT_EQ(d.maxDepth, 3u);
    EXPECT_FLOAT_EQ(d.radialRadius, 0.8f);
    EXPECT_FLOAT_EQ(d.ringWidth, 0.2f / 3.0f);
    // Leaves in depth-first order: 1, 4, 5, 6.
    const int leaves[] = {1, 4, 5, 6};
    for (int k = 0; k < 4; ++k) {
        EXPECT_FLOAT_EQ(d.offset[leaves[k]], k / 4.0f);
        EXPECT_FLOAT_EQ(d.width[leaves[k]], 0.25f);
        EXPECT_EQ(d.level[leaves[k]], 3u) << "every leaf sits on the deepest level";
    }
    EXPECT_FLOAT_EQ(d.width[0], 1.0f);
    EXPECT_FLOAT_EQ(d.offset[2], 0.25f);
    EXPECT_FLOAT_EQ(d.width[2], 0.75f);
    EXPECT_EQ(d.level[0], 0u);
    EXPECT_EQ(d.level[2], 1u);
    EXPECT_EQ(d.level[3], 2u);
}

TEST(BuildLayouts, ShallowSubtreeIsPushedDown) {
    // root -> a -> b -> c (leaf), root -> d -> e (leaf): d sits one level above
    // the leaves although it is a direct child of the root.
    const Laid laid(graphOf({-1, 0, 1, 2, 0, 4}));
    EXPECT_EQ(laid.data.maxDepth, 3u);
    EXPECT_EQ(laid.data.level[4], 2u);
    EXPECT_EQ(laid.data.level[5], 3u);
    EXPECT_EQ(laid.data.level[0], 0u);
}

TEST(BuildLayouts, DepthsCountFromTheRootEvenBelowAnotherTop) {
    // Node 1 is the root, below node 0: node 2 is one level below the root.
    CompoundGraph graph = graphOf({-1, 0, 1, 1});
    graph.root = 1;
    const Laid laid(std::move(graph));
    EXPECT_EQ(laid.data.maxDepth, 1u);
    EXPECT_FLOAT_EQ(laid.data.width[1], 1.0f);
    EXPECT_FLOAT_EQ(laid.data.offset[3], 0.5f);
    EXPECT_EQ(laid.data.width[0], 0.0f) << "above the root: not laid out";
}

TEST(BuildLayouts, NodeOutsideTheRootsSubtreeIsLeftAlone) {
    Laid laid(graphOf({-1, 0, 0, -1, 3}));
    const int stray = 3;
    EXPECT_EQ(laid.data.offset[stray], 0.0f);
    EXPECT_EQ(laid.data.width[stray], 0.0f);
    EXPECT_EQ(laid.data.level[stray], 0u);
    laid.apply(TreeLayoutType::Radial);
    EXPECT_EQ(laid.positions[stray], (Point{0.0f, 0.0f}));
    laid.apply(TreeLayoutType::Classic);
    EXPECT_EQ(laid.positions[stray], (Point{-1.0f, -1.0f}));
    laid.positions[stray].x = 0.25f;
    laid.apply(TreeLayoutType::TreeMapSquared);
    EXPECT_EQ(laid.positions[stray].x, 0.25f) << "treemaps leave such a node where it was";
}

TEST(RadialLayout, LeavesOnTheCircleRootAtTheCentre) {
    Laid laid(graphOf(mixedDepths));
    laid.apply(TreeLayoutType::Radial);
    EXPECT_EQ(laid.positions[0], (Point{0.0f, 0.0f}));
    const int leaves[] = {1, 4, 5, 6};
    for (int k = 0; k < 4; ++k) {
        const float angle = 2.0f * singlePrecisionPi * (k + 0.5f) / 4.0f;
        EXPECT_NEAR(laid.positions[leaves[k]].x, 0.8f * std::sin(angle), 1e-6);
        EXPECT_NEAR(laid.positions[leaves[k]].y, 0.8f * std::cos(angle), 1e-6);
    }
}

TEST(RadialLayout, SingleChildLiesOnItsParentsRay) {
    Laid laid(graphOf({-1, 0, 1, 2, 0}));
    laid.apply(TreeLayoutType::Radial);
    EXPECT_EQ(laid.data.offset[2], laid.data.offset[1]);
    EXPECT_EQ(laid.data.width[2], laid.data.width[1]);
    const Point parent = laid.positions[1];
    const Point child = laid.positions[2];
    EXPECT_NEAR(std::atan2(child.x, child.y), std::atan2(parent.x, parent.y), 1e-6);
    EXPECT_GT(std::hypot(child.x, child.y), std::hypot(parent.x, parent.y));
}

TEST(ClassicLayout, RootAtTheBottomLeavesOnTheLine) {
    Laid laid(graphOf(mixedDepths));
    laid.apply(TreeLayoutType::Classic);
    EXPECT_EQ(laid.positions[0], (Point{0.0f, -1.0f}));
    const int leaves[] = {1, 4, 5, 6};
    for (int k = 0; k < 4; ++k) {
        EXPECT_FLOAT_EQ(laid.positions[leaves[k]].x, (2.0f * k + 1.0f) / 4.0f - 1.0f);
        EXPECT_EQ(laid.positions[leaves[k]].y, 0.0f);
    }
}

TEST(SingleNodeHierarchy, EveryLayoutStaysFinite) {
    Laid laid(graphOf({-1}));
    EXPECT_EQ(laid.data.maxDepth, 0u);
    EXPECT_EQ(laid.data.ringWidth, 0.0f);
    for (int type = 0; type < treeLayoutTypeCount; ++type) {
        laid.apply(static_cast<TreeLayoutType>(type));
        EXPECT_TRUE(std::isfinite(laid.positions[0].x) && std::isfinite(laid.positions[0].y))
            << type;
    }
    laid.apply(TreeLayoutType::Radial);
    EXPECT_EQ(laid.positions[0], (Point{0.0f, 0.0f}));
    laid.apply(TreeLayoutType::Classic);
    EXPECT_EQ(laid.positions[0], (Point{0.0f, -1.0f}));
}

TEST(ApplyLayout, UnknownTypeKeepsThePositions) {
    Laid laid(graphOf(mixedDepths));
    laid.apply(TreeLayoutType::Classic);
    const std::vector<Point> before = laid.positions;
    laid.apply(static_cast<TreeLayoutType>(9));
    EXPECT_EQ(laid.positions, before);
}

TEST(ApplyLayout, TreeMapAgainAfterRadialGivesTheSamePositions) {
    Laid laid(graphOf(randomParents(200, 11)));
    for (auto type : {TreeLayoutType::TreeMapSlice, TreeLayoutType::TreeMapSquared,
                      TreeLayoutType::TreeMapStrip}) {
        laid.apply(type);
        const std::vector<Point> first = laid.positions;
        laid.apply(TreeLayoutType::Radial);
        laid.apply(type);
        EXPECT_EQ(laid.positions, first);
    }
}

TEST(TreeMapLayout, SingleChildIsItsParentInsetAndSharesItsCentre) {
    Laid laid(graphOf({-1, 0, 1, 1}));
    for (auto type : {TreeLayoutType::TreeMapSlice, TreeLayoutType::TreeMapSquared,
                      TreeLayoutType::TreeMapStrip}) {
        laid.apply(type, 0.05f);
        const TreeMapNode& root = *laid.treeMap.root;
        EXPECT_EQ(root.rect, (Rect{-1, -1, 1, 1}));
        const Rect& only = root.child(0)->rect;
        EXPECT_FLOAT_EQ(only.x0, -0.95f);
        EXPECT_FLOAT_EQ(only.y0, -0.95f);
        EXPECT_FLOAT_EQ(only.x1, 0.95f);
        EXPECT_FLOAT_EQ(only.y1, 0.95f);
        EXPECT_NEAR(laid.positions[1].x, laid.positions[0].x, 1e-6);
        EXPECT_NEAR(laid.positions[1].y, laid.positions[0].y, 1e-6);
        EXPECT_EQ(laid.positions[0].x, 0.0f);
    }
}

TEST(TreeMapLayout, RectanglesComeParentsFirstInChildOrder) {
    Laid laid(graphOf({-1, 0, 0, 1}));
    laid.apply(TreeLayoutType::TreeMapSlice, 0.0f);
    // Slice divides the square side by side by weight: node 1 (with its
    // child) weighs 2, node 2 weighs 1.
    const std::vector<Rect> rectangles = laid.treeMap.rectangles();
    ASSERT_EQ(rectangles.size(), 4u);
    EXPECT_EQ(rectangles[0], (Rect{-1, -1, 1, 1}));
    EXPECT_FLOAT_EQ(rectangles[1].x1, 1.0f / 3.0f);
    EXPECT_EQ(rectangles[2], rectangles[1]) << "node 3 fills node 1 without spacing";
    EXPECT_FLOAT_EQ(rectangles[3].x0, 1.0f / 3.0f);
}

TEST(DeepHierarchy, EveryLayoutRunsWithoutRecursion) {
    // Far deeper than a call stack could follow node by node.
    std::vector<int> chain(300000);
    for (std::size_t i = 0; i < chain.size(); ++i) {
        chain[i] = static_cast<int>(i) - 1;
    }
    Laid laid(graphOf(chain));
    EXPECT_EQ(laid.data.maxDepth, 299999u);
    for (int type = 0; type < treeLayoutTypeCount; ++type) {
        laid.apply(static_cast<TreeLayoutType>(type));
    }
    EXPECT_EQ(laid.data.level.back(), 299999u);
    EXPECT_EQ(laid.treeMap.rectangles().size(), chain.size());
}

class LayoutProperties : public ::testing::TestWithParam<unsigned> {};

TEST_P(LayoutProperties, LeavesOnCircleAndLineAndSpansTile) {
    Laid laid(graphOf(randomParents(400, GetParam())));
    const CompoundGraph& graph = laid.graph;
    const TreeLayoutData& d = laid.data;
    laid.apply(TreeLayoutType::Radial);
    for (int32_t node = 0; node < graph.nodeCount(); ++node) {
        if (graph.isLeaf(node)) {
            EXPECT_NEAR(std::hypot(laid.positions[node].x, laid.positions[node].y), 0.8f, 1e-5);
            continue;
        }
        float start = d.offset[node];
        for (const int32_t child : graph.children(node)) {
            EXPECT_NEAR(d.offset[child], start, 1e-6);
            start = d.offset[child] + d.width[child];
        }
        EXPECT_NEAR(start, d.offset[node] + d.width[node], 1e-5);
    }
    laid.apply(TreeLayoutType::Classic);
    for (int32_t node = 0; node < graph.nodeCount(); ++node) {
        if (graph.isLeaf(node)) {
            EXPECT_EQ(laid.positions[node].y, 0.0f);
        }
        EXPECT_GE(laid.positions[node].x, -1.0f);
        EXPECT_LE(laid.positions[node].x, 1.0f);
    }
}

INSTANTIATE_TEST_SUITE_P(RandomTrees, LayoutProperties, ::testing::Values(5u, 6u, 7u, 8u),
                         [](const ::testing::TestParamInfo<unsigned>& info) {
                             return "Seed" + std::to_string(info.param);
                         });

} // namespace
