#include "bundling/Routes.h"

#include "bundling/SplineSampling.h"
#include "tests/support/GraphFixtures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using testing::ElementsAreArray;
using testing_support::graphOf;
using testing_support::randomParents;

std::vector<int32_t> polygonOf(const ::Routes& routes, int32_t edge) {
    const std::span<const int32_t> polygon = routes.polygon(edge);
    return {polygon.begin(), polygon.end()};
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

void PrintTo(const RouteCase& route, std::ostream* out) {
    *out << route.name;
}

class RouteExamples : public testing::TestWithParam<RouteCase> {};

TEST_P(RouteExamples, PolygonFollowsTheHierarchy) {
    const RouteCase& route = GetParam();
    const ::Routes routes = buildRoutes(graphOf(exampleParents, {{route.source, route.target}}));
    ASSERT_EQ(routes.edgeCount(), 1);
    EXPECT_THAT(polygonOf(routes, 0), ElementsAreArray(route.polygon));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, RouteExamples,
    testing::Values(
        RouteCase{"ChildrenOfTheRoot", 1, 2, {1, 0, 2}}, RouteCase{"Siblings", 3, 4, {3, 1, 4}},
        RouteCase{"ParentToChild", 1, 3, {1, 3}}, RouteCase{"ChildToParent", 3, 1, {3, 1}},
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
        const CompoundGraph graph = graphOf(parents, relations);
        const ::Routes routes = buildRoutes(graph);
        ASSERT_GT(routes.edgeCount(), 500);
        ASSERT_EQ(routes.edgeCount(), graph.edgeCount());
        for (int32_t i = 0; i < routes.edgeCount(); ++i) {
            const std::span<const int32_t> polygon = routes.polygon(i);
            EXPECT_TRUE(polygon.size() <= 3 || polygon.size() >= 7)
                << "edge " << i << " has " << polygon.size() << " entries";
            EXPECT_EQ(polygon.front(), graph.source[i]);
            EXPECT_EQ(polygon.back(), graph.target[i]);
            // Every step of the route moves between a node and its parent,
            // except across the common ancestor left out of long routes.
            int crossings = 0;
            for (std::size_t k = 1; k < polygon.size(); ++k) {
                const int32_t a = polygon[k - 1];
                const int32_t b = polygon[k];
                if (a != b && graph.parent[a] != b && graph.parent[b] != a) {
                    ++crossings;
                }
            }
            EXPECT_LE(crossings, 1) << "edge " << i;
        }
    }
}

TEST(ControlPolygons, EdgeWithBothEndsOnOneNodeGivesThatNodeAlone) {
    // The builder refuses such an edge; plain data written by hand may hold one.
    CompoundGraph graph = graphOf(exampleParents);
    graph.source.push_back(6);
    graph.target.push_back(6);
    const ::Routes routes = buildRoutes(graph);
    EXPECT_THAT(polygonOf(routes, 0), ElementsAreArray({6}));
    std::vector<Point> positions(graph.parent.size());
    positions[6] = {0.25f, -0.5f};
    EXPECT_EQ(evaluateSpline(1.0f, routes.polygon(0), positions), (Point{0.25f, -0.5f}));
}

TEST(ControlPolygons, PolygonsOfManyEdgesLieSideBySide) {
    const ::Routes routes = buildRoutes(graphOf(exampleParents, {{1, 2}, {3, 5}, {1, 3}}));
    EXPECT_EQ(routes.start, (std::vector<uint32_t>{0, 3, 11, 13}));
    EXPECT_THAT(polygonOf(routes, 2), ElementsAreArray({1, 3}));
}

} // namespace
