#include "graph/Graph.h"

#include "tests/support/GraphFixtures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using testing::ElementsAreArray;
using testing_support::graphText;
using testing_support::loadGraph;
using testing_support::randomParents;

std::vector<int32_t> polygonOf(const Edge& edge) {
    return {edge.controlPoints.get(), edge.controlPoints.get() + edge.controlPointCount};
}

// Node 0 is the root with children 1 and 2; 1 has 3 and 4, 2 has 5; below
// 3 runs the chain 6, 7.
// Nodes 8 and 9 hang under no one.
const std::vector<int> exampleParents{-1, 0, 0, 1, 1, 2, 3, 6, -1, -1};

struct RouteCase {
    const char* name;
    int source;
    int target;
    std::vector<int32_t> polygon;
};

class Routes : public testing::TestWithParam<RouteCase> {};

TEST_P(Routes, PolygonFollowsTheHierarchy) {
    const RouteCase& route = GetParam();
    auto graph = loadGraph(graphText(exampleParents, {{route.source, route.target}}));
    ASSERT_EQ(graph->edges.size(), 1u);
    EXPECT_THAT(polygonOf(*graph->edges[0]), ElementsAreArray(route.polygon));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Routes,
    testing::Values(RouteCase{"ChildrenOfTheRoot", 1, 2, {1, 0, 2}},
                    RouteCase{"Siblings", 3, 4, {3, 1, 4}},
                    RouteCase{"ParentToChild", 1, 3, {1, 3}},
                    RouteCase{"ChildToParent", 3, 1, {3, 1}},
                    RouteCase{"GrandparentThroughChild", 1, 6, {1, 3, 6}},
                    RouteCase{"CousinsLeaveOutTheCommonAncestor", 3, 5, {3, 3, 3, 1, 2, 5, 5, 5}},
                    RouteCase{"AncestorThreeLevelsUpStandsTwice", 1, 7, {1, 1, 3, 6, 7, 7, 7}},
                    RouteCase{"DescendantToAncestor", 7, 1, {7, 7, 7, 6, 3, 1, 1}},
                    RouteCase{"OutsideNodeShortRouteRunsThroughTheRoot", 8, 9, {8, 0, 9}},
                    RouteCase{"OutsideNodeLongRouteKeepsBothWholeChains", 8, 4, {8, 8, 8, 0, 1, 4, 4, 4}}),
    [](const testing::TestParamInfo<RouteCase>& info) { return std::string(info.param.name); });

TEST(ControlPolygons, RandomTreesKeepTheRouteInvariants) {
    for (unsigned seed : {1u, 2u, 3u}) {
        const std::vector<int> parents = randomParents(300, seed);
        std::mt19937 random(seed);
        std::vector<std::pair<int, int>> relations;
        for (int i = 0; i < 600; ++i) {
            relations.emplace_back(random() % 300, random() % 300);
        }
        auto graph = loadGraph(graphText(parents, relations));
        ASSERT_GT(graph->edges.size(), 500u);
        for (std::size_t i = 0; i < graph->edges.size(); ++i) {
            const Edge& edge = *graph->edges[i];
            EXPECT_EQ(edge.index, static_cast<int32_t>(i));
            EXPECT_TRUE(edge.controlPointCount <= 3 || edge.controlPointCount >= 7)
                << "edge " << i << " has " << edge.controlPointCount << " entries";
            EXPECT_EQ(edge.controlPoints[0], edge.source->id);
            EXPECT_EQ(edge.controlPoints[edge.controlPointCount - 1], edge.target->id);
            // Every step of the route moves between a node and its parent,
            // except across the common ancestor left out of long routes.
            int crossings = 0;
            for (int32_t k = 1; k < edge.controlPointCount; ++k) {
                const Node* a = graph->nodes[edge.controlPoints[k - 1]].get();
                const Node* b = graph->nodes[edge.controlPoints[k]].get();
                if (a != b && a->parent != b && b->parent != a) {
                    ++crossings;
                }
            }
            EXPECT_LE(crossings, 1) << "edge " << i;
        }
    }
}

TEST(ControlPolygons, EdgeWithBothEndsOnOneNodeGivesThatNodeAlone) {
    auto graph = loadGraph(graphText(exampleParents));
    Node* node = graph->nodes[6].get();
    graph->edges.push_back(std::make_unique<Edge>(node, node));
    graph->edgeCount = 1;
    // The point arrays were sized for no edges; a load releases them first.
    graph->straightPoints.reset();
    graph->bundledPoints.reset();
    graph->splinePoints.reset();
    graph->buildSplines();
    EXPECT_THAT(polygonOf(*graph->edges[0]), ElementsAreArray({6}));
    const SplinePoint end = graph->evaluateSpline(1.0f, graph->edges[0]->controlPoints.get(), 1);
    EXPECT_EQ(end, (SplinePoint{node->x, node->y}));
}

} // namespace
