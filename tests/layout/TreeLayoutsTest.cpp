#include "layout/Pi.h"
#include "layout/TreeMap.h"

#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using testing_support::graphText;
using testing_support::loadGraph;
using testing_support::randomParents;

// root(0) with a leaf (1) and a deeper subtree: 2 -> 3 -> {4, 5}, and 2 -> 6
// (a leaf at depth 2).
const std::vector<int> mixedDepths{-1, 0, 0, 2, 3, 3, 2};

TEST(BuildLayouts, SpansLevelsAndRings) {
    auto graph = loadGraph(graphText(mixedDepths));
    const auto& n = graph->nodes;
    EXPECT_EQ(graph->maxDepth, 3u);
    EXPECT_FLOAT_EQ(graph->radialRadius, 0.8f);
    EXPECT_FLOAT_EQ(graph->ringWidth, 0.2f / 3.0f);
    // Leaves in depth-first order: 1, 4, 5, 6.
    const int leaves[] = {1, 4, 5, 6};
    for (int k = 0; k < 4; ++k) {
        EXPECT_FLOAT_EQ(n[leaves[k]]->offset, k / 4.0f);
        EXPECT_FLOAT_EQ(n[leaves[k]]->width, 0.25f);
        EXPECT_EQ(n[leaves[k]]->depth, 3u) << "every leaf sits on the deepest level";
    }
    EXPECT_FLOAT_EQ(n[0]->width, 1.0f);
    EXPECT_FLOAT_EQ(n[2]->offset, 0.25f);
    EXPECT_FLOAT_EQ(n[2]->width, 0.75f);
    EXPECT_EQ(n[0]->depth, 0u);
    EXPECT_EQ(n[2]->depth, 1u);
    EXPECT_EQ(n[3]->depth, 2u);
}

TEST(BuildLayouts, ShallowSubtreeIsPushedDown) {
    // root -> a -> b -> c (leaf), root -> d -> e (leaf): d sits one level above
    // the leaves although it is a direct child of the root.
    auto graph = loadGraph(graphText({-1, 0, 1, 2, 0, 4}));
    EXPECT_EQ(graph->maxDepth, 3u);
    EXPECT_EQ(graph->nodes[4]->depth, 2u);
    EXPECT_EQ(graph->nodes[5]->depth, 3u);
    EXPECT_EQ(graph->nodes[0]->depth, 0u);
}

TEST(BuildLayouts, NodeOutsideTheRootsSubtreeIsLeftAlone) {
    auto graph = loadGraph("HierarchyElements 5\nRoot 0\nPCR 0 1\nPCR 0 2\nPCR 3 4\n");
    const Node& stray = *graph->nodes[3];
    EXPECT_EQ(stray.offset, 0.0f);
    EXPECT_EQ(stray.width, 0.0f);
    EXPECT_EQ(stray.depth, 0u);
    EXPECT_EQ(stray.x, 0.0f);
    EXPECT_EQ(stray.y, 0.0f);
    graph->setLayout(TreeLayoutType::Classic);
    EXPECT_EQ(stray.x, -1.0f);
    EXPECT_EQ(stray.y, -1.0f);
    graph->nodes[3]->x = 0.25f;
    graph->setLayout(TreeLayoutType::TreeMapSquared);
    EXPECT_EQ(stray.x, 0.25f) << "treemaps leave such a node where it was";
}

TEST(RadialLayout, LeavesOnTheCircleRootAtTheCentre) {
    auto graph = loadGraph(graphText(mixedDepths));
    const auto& n = graph->nodes;
    EXPECT_EQ(n[0]->x, 0.0f);
    EXPECT_EQ(n[0]->y, 0.0f);
    const int leaves[] = {1, 4, 5, 6};
    for (int k = 0; k < 4; ++k) {
        const float angle = 2.0f * singlePrecisionPi * (k + 0.5f) / 4.0f;
        EXPECT_NEAR(n[leaves[k]]->x, 0.8f * std::sin(angle), 1e-6);
        EXPECT_NEAR(n[leaves[k]]->y, 0.8f * std::cos(angle), 1e-6);
    }
}

TEST(RadialLayout, SingleChildLiesOnItsParentsRay) {
    auto graph = loadGraph(graphText({-1, 0, 1, 2, 0}));
    const Node& parent = *graph->nodes[1];
    const Node& child = *graph->nodes[2];
    EXPECT_EQ(child.offset, parent.offset);
    EXPECT_EQ(child.width, parent.width);
    EXPECT_NEAR(std::atan2(child.x, child.y), std::atan2(parent.x, parent.y), 1e-6);
    EXPECT_GT(std::hypot(child.x, child.y), std::hypot(parent.x, parent.y));
}

TEST(ClassicLayout, RootAtTheBottomLeavesOnTheLine) {
    auto graph = loadGraph(graphText(mixedDepths));
    graph->setLayout(TreeLayoutType::Classic);
    const auto& n = graph->nodes;
    EXPECT_EQ(n[0]->x, 0.0f);
    EXPECT_EQ(n[0]->y, -1.0f);
    const int leaves[] = {1, 4, 5, 6};
    for (int k = 0; k < 4; ++k) {
        EXPECT_FLOAT_EQ(n[leaves[k]]->x, (2.0f * k + 1.0f) / 4.0f - 1.0f);
        EXPECT_EQ(n[leaves[k]]->y, 0.0f);
    }
}

TEST(SingleNodeHierarchy, EveryLayoutStaysFinite) {
    auto graph = loadGraph("HierarchyElements 1\nRoot 0\nH 0 alone\n");
    EXPECT_EQ(graph->maxDepth, 0u);
    EXPECT_EQ(graph->ringWidth, 0.0f);
    const Node& only = *graph->nodes[0];
    EXPECT_EQ(only.x, 0.0f);
    EXPECT_EQ(only.y, 0.0f);
    for (int type = 1; type < treeLayoutTypeCount; ++type) {
        graph->setLayout(static_cast<TreeLayoutType>(type));
        EXPECT_TRUE(std::isfinite(only.x) && std::isfinite(only.y)) << type;
    }
    graph->setLayout(TreeLayoutType::Classic);
    EXPECT_EQ(only.x, 0.0f);
    EXPECT_EQ(only.y, -1.0f);
}

TEST(SetLayout, SameTypeDoesNothing) {
    auto graph = loadGraph(graphText(mixedDepths));
    graph->nodes[1]->x = 42.0f;
    graph->setLayout(TreeLayoutType::Radial);
    EXPECT_EQ(graph->nodes[1]->x, 42.0f);
}

TEST(SetLayout, UnknownTypeIsStoredAndKeepsPositions) {
    auto graph = loadGraph(graphText(mixedDepths));
    const float x = graph->nodes[4]->x;
    graph->setLayout(static_cast<TreeLayoutType>(9));
    EXPECT_EQ(graph->layoutType, 9);
    EXPECT_EQ(graph->nodes[4]->x, x);
}

TEST(SetLayout, TreeMapAgainAfterRadialGivesTheSamePositions) {
    auto graph = loadGraph(graphText(randomParents(200, 11)));
    for (auto type : {TreeLayoutType::TreeMapSlice, TreeLayoutType::TreeMapSquared,
                      TreeLayoutType::TreeMapStrip}) {
        graph->setLayout(type);
        std::vector<std::pair<float, float>> first;
        for (const auto& node : graph->nodes) {
            first.emplace_back(node->x, node->y);
        }
        graph->setLayout(TreeLayoutType::Radial);
        graph->setLayout(type);
        for (std::size_t i = 0; i < graph->nodes.size(); ++i) {
            EXPECT_EQ(graph->nodes[i]->x, first[i].first);
            EXPECT_EQ(graph->nodes[i]->y, first[i].second);
        }
    }
}

TEST(TreeMapLayout, SingleChildIsItsParentInsetAndSharesItsCentre) {
    auto graph = loadGraph(graphText({-1, 0, 1, 1}));
    graph->treeMapSpacing = 0.05f;
    for (auto type : {TreeLayoutType::TreeMapSlice, TreeLayoutType::TreeMapSquared,
                      TreeLayoutType::TreeMapStrip}) {
        graph->setLayout(type);
        const TreeMapNode& root = *graph->treeMap->root;
        EXPECT_EQ(root.rect, (Rect{-1, -1, 1, 1}));
        const Rect& only = root.child(0)->rect;
        EXPECT_FLOAT_EQ(only.x0, -0.95f);
        EXPECT_FLOAT_EQ(only.y0, -0.95f);
        EXPECT_FLOAT_EQ(only.x1, 0.95f);
        EXPECT_FLOAT_EQ(only.y1, 0.95f);
        EXPECT_NEAR(graph->nodes[1]->x, graph->nodes[0]->x, 1e-6);
        EXPECT_NEAR(graph->nodes[1]->y, graph->nodes[0]->y, 1e-6);
        EXPECT_EQ(graph->nodes[0]->x, 0.0f);
        graph->setLayout(TreeLayoutType::Radial);
    }
}

TEST(TreeMapLayout, SpacingChangeIsPickedUpBeyondEpsilonOnly) {
    auto graph = loadGraph(graphText(mixedDepths));
    graph->setLayout(TreeLayoutType::TreeMapSlice);
    const float before = graph->nodes[1]->x;
    graph->treeMapSpacing = 0.01f + 1e-7f;
    EXPECT_FALSE(graph->refreshTreeMapSpacing());
    graph->treeMapSpacing = 0.0101f;
    EXPECT_TRUE(graph->refreshTreeMapSpacing());
    EXPECT_EQ(graph->treeMap->spacing, 0.0101f);
    EXPECT_NE(graph->nodes[1]->x, before);
    EXPECT_FALSE(graph->refreshTreeMapSpacing());
}

TEST(TreeMapLayout, SpacingEditUnderNodeLinkLayoutWaitsForTheSwitch) {
    auto graph = loadGraph(graphText(mixedDepths));
    graph->treeMapSpacing = 0.03f;
    graph->setLayout(TreeLayoutType::TreeMapStrip);
    EXPECT_EQ(graph->treeMap->spacing, 0.03f);
    EXPECT_FLOAT_EQ(graph->treeMap->root->child(0)->rect.x0, -0.97f);
}

TEST(DeepHierarchy, EveryLayoutRunsWithoutRecursion) {
    // Far deeper than a call stack could follow node by node.
    std::vector<int> chain(300000);
    for (std::size_t i = 0; i < chain.size(); ++i) {
        chain[i] = static_cast<int>(i) - 1;
    }
    auto graph = loadGraph(graphText(chain));
    EXPECT_EQ(graph->maxDepth, 299999u);
    for (auto type : {TreeLayoutType::Classic, TreeLayoutType::TreeMapSlice,
                      TreeLayoutType::TreeMapSquared, TreeLayoutType::TreeMapStrip}) {
        graph->setLayout(type);
    }
    EXPECT_EQ(graph->nodes.back()->depth, 299999u);
    graph->clear();
}

class LayoutProperties : public ::testing::TestWithParam<unsigned> {};

TEST_P(LayoutProperties, LeavesOnCircleAndLineAndSpansTile) {
    auto graph = loadGraph(graphText(randomParents(400, GetParam())));
    for (const auto& node : graph->nodes) {
        if (node->children.empty()) {
            EXPECT_NEAR(std::hypot(node->x, node->y), 0.8f, 1e-5);
            continue;
        }
        float start = node->offset;
        for (const Node* child : node->children) {
            EXPECT_NEAR(child->offset, start, 1e-6);
            start = child->offset + child->width;
        }
        EXPECT_NEAR(start, node->offset + node->width, 1e-5);
    }
    graph->setLayout(TreeLayoutType::Classic);
    for (const auto& node : graph->nodes) {
        if (node->children.empty()) {
            EXPECT_EQ(node->y, 0.0f);
        }
        EXPECT_GE(node->x, -1.0f);
        EXPECT_LE(node->x, 1.0f);
    }
}

INSTANTIATE_TEST_SUITE_P(RandomTrees, LayoutProperties, ::testing::Values(5u, 6u, 7u, 8u));

} // namespace
