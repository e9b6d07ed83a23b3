#include "layout/TreeMap.h"

#include "layout/TreeLayouts.h"

#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

#include <cstring>

// Parameterised tests name their layouts by their labels.
void PrintTo(TreeLayoutType type, std::ostream* out) {
    *out << treeLayoutLabels[static_cast<int>(type)];
}

namespace {

using testing_support::graphOf;
using testing_support::randomParents;

TEST(TreeMapNode, NameIsCutToFiftyNineBytes) {
    const std::string longName(80, 'x');
    TreeMapNode node(longName, 2, 1);
    EXPECT_EQ(std::strlen(node.name), 59u);
    EXPECT_EQ(node.depth, 2);
    EXPECT_EQ(node.index, 1);
    TreeMapNode shortName("ab", 0, 0);
    EXPECT_STREQ(shortName.name, "ab");
}

TEST(TreeMapNode, BadChildIndexFailsLoudlyInDebugAndYieldsNothingInRelease) {
    TreeMapNode node("n", 0, 0);
    node.addChild(std::make_unique<TreeMapNode>("c", 1, 0));
    EXPECT_NE(node.child(0), nullptr);
    EXPECT_DEBUG_DEATH(EXPECT_EQ(node.child(1), nullptr), "Assertion");
    EXPECT_DEBUG_DEATH(EXPECT_EQ(node.child(-1), nullptr), "Assertion");
}

TEST(TreeMapNode, SizesCountTheNodesOfEachSubtree) {
    TreeMapNode root("r", 0, 0);
    auto inner = std::make_unique<TreeMapNode>("i", 1, 0);
    for (int i = 0; i < 3; ++i) {
        inner->addChild(std::make_unique<TreeMapNode>("l", 2, i));
    }
    root.addChild(std::move(inner));
    root.addChild(std::make_unique<TreeMapNode>("l", 1, 1));
    EXPECT_EQ(root.computeSize(), 6.0f);
    EXPECT_EQ(root.child(0)->size, 4.0f);
    EXPECT_EQ(root.child(1)->size, 1.0f);
    root.child(0)->rect = Rect{1, 2, 3, 4};
    root.resetNode();
    EXPECT_EQ(root.child(0)->size, 0.0f);
    EXPECT_EQ(root.child(0)->rect, Rect{});
}

TEST(TreeMapNode, DeepChainIsReleasedWithoutRecursion) {
    auto root = std::make_unique<TreeMapNode>("r", 0, 0);
    TreeMapNode* tip = root.get();
    for (int i = 0; i < 1000000; ++i) {
        auto next = std::make_unique<TreeMapNode>("c", i + 1, 0);
        TreeMapNode* raw = next.get();
        tip->addChild(std::move(next));
        tip = raw;
    }
    EXPECT_EQ(root->computeSize(), 1000001.0f);
    root.reset();
}

TEST(TreeMap, WithoutRootEverythingIsANoOp) {
    TreeMap map;
    map.computeSizes();
    map.layout(Rect{-1, -1, 1, 1});
    EXPECT_EQ(map.strategy, nullptr);
}

TEST(TreeMap, LayoutFallsBackToSliceAndLeavesTheRootUninset) {
    TreeMap map;
    map.spacing = 0.1f;
    map.root = std::make_unique<TreeMapNode>("r", 0, 0);
    map.root->addChild(std::make_unique<TreeMapNode>("c", 1, 0));
    map.root->addChild(std::make_unique<TreeMapNode>("c", 1, 1));
    map.computeSizes();
    map.layout(Rect{-1, -1, 1, 1});
    ASSERT_NE(dynamic_cast<SliceStrategy*>(map.strategy.get()), nullptr);
    EXPECT_EQ(map.root->rect, (Rect{-1, -1, 1, 1}));
    EXPECT_EQ(map.root->child(0)->rect, (Rect{-0.9f, -0.9f, 0.0f, 0.9f}));
    EXPECT_EQ(map.root->child(1)->rect, (Rect{0.0f, -0.9f, 0.9f, 0.9f}));
}

bool inside(const Rect& inner, const Rect& outer, float slack) {
    return inner.x0 >= outer.x0 - slack && inner.y0 >= outer.y0 - slack &&
           inner.x1 <= outer.x1 + slack && inner.y1 <= outer.y1 + slack;
}

float overlapArea(const Rect& a, const Rect& b) {
    const float w = std::min(a.x1, b.x1) - std::max(a.x0, b.x0);
    const float h = std::min(a.y1, b.y1) - std::max(a.y0, b.y0);
    return w > 0 && h > 0 ? w * h : 0.0f;
}

// Checks every parent of the treemap: children inside the inset rectangle,
// no two overlapping and, without spacing, areas in proportion to weights.
void checkNesting(const TreeMapNode& node, float spacing) {
    const Rect& r = node.rect;
    const Rect inset{r.x0 + spacing, r.y0 + spacing, r.x1 - spacing, r.y1 - spacing};
    if (inset.x1 < inset.x0 || inset.y1 < inset.y0) {
        return; // children of a collapsed rectangle degenerate by design
    }
    const float insetArea = (inset.x1 - inset.x0) * (inset.y1 - inset.y0);
    for (int i = 0; i < node.childCount(); ++i) {
        const TreeMapNode& child = *node.child(i);
        EXPECT_TRUE(inside(child.rect, inset, 1e-5f));
        for (int j = i + 1; j < node.childCount(); ++j) {
            EXPECT_LT(overlapArea(child.rect, node.child(j)->rect), 1e-6f);
        }
        if (spacing == 0.0f) {
            const float area = (child.rect.x1 - child.rect.x0) * (child.rect.y1 - child.rect.y0);
            EXPECT_NEAR(area / insetArea, child.size / (node.size - 1.0f), 1e-4);
        }
        checkNesting(child, spacing);
    }
}

std::string
treeMapCaseName(const ::testing::TestParamInfo<std::tuple<TreeLayoutType, unsigned>>& info) {
    const char* names[] = {"Slice", "Squared", "Strip"};
    const int type = static_cast<int>(std::get<0>(info.param));
    return std::string(names[type - 2]) + "Seed" + std::to_string(std::get<1>(info.param));
}

class TreeMapProperties : public ::testing::TestWithParam<std::tuple<TreeLayoutType, unsigned>> {};

TEST_P(TreeMapProperties, ChildrenNestWithoutOverlap) {
    const auto [type, seed] = GetParam();
    const CompoundGraph graph = graphOf(randomParents(300, seed));
    const TreeLayoutData data = buildLayouts(graph);
    std::vector<Point> positions(graph.parent.size());
    for (float spacing : {0.0f, 0.004f}) {
        TreeMap treeMap = buildTreeMap(graph, data);
        applyLayout(type, graph, data, treeMap, spacing, positions);
        checkNesting(*treeMap.root, spacing);
    }
}

INSTANTIATE_TEST_SUITE_P(RandomTrees, TreeMapProperties,
                         ::testing::Combine(::testing::Values(TreeLayoutType::TreeMapSlice,
                                                              TreeLayoutType::TreeMapSquared,
                                                              TreeLayoutType::TreeMapStrip),
                                            ::testing::Values(1u, 2u, 3u, 4u)),
                         treeMapCaseName);

} // namespace
