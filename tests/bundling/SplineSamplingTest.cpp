#include "bundling/SplineCurve.h"
#include "graph/Graph.h"

#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using testing_support::graphText;
using testing_support::loadGraph;
using testing_support::randomParents;

constexpr int samples = Graph::samplesPerEdge;

SplinePoint positionOf(const Graph& graph, int32_t id) {
    return {graph.nodes[id]->x, graph.nodes[id]->y};
}

SplinePoint pointAt(const float* points, const Edge& edge, int j) {
    const std::size_t slot = (static_cast<std::size_t>(edge.index) * samples + j) * 2;
    return {points[slot], points[slot + 1]};
}

void placeNode(Graph& graph, int id, float x, float y) {
    graph.nodes[id]->x = x;
    graph.nodes[id]->y = y;
}

TEST(SampleParameters, RunFromZeroToExactlyOne) {
    EXPECT_EQ(splinecurve::sampleParameter(0), 0.0f);
    EXPECT_EQ(splinecurve::sampleParameter(49), 1.0f);
    EXPECT_EQ(splinecurve::sampleParameter(7), 7.0f * (1.0f / 49.0f));
}

TEST(EvaluateSpline, BezierCurvesForShortPolygons) {
    auto graph = loadGraph(graphText({-1, 0, 0}));
    placeNode(*graph, 0, 1.0f, 1.0f);
    placeNode(*graph, 1, 0.0f, 0.0f);
    placeNode(*graph, 2, 2.0f, 0.0f);
    const int32_t none[] = {0};
    EXPECT_EQ(graph->evaluateSpline(0.5f, none, 0), (SplinePoint{0.0f, 0.0f}));
    const int32_t single[] = {2};
    EXPECT_EQ(graph->evaluateSpline(0.3f, single, 1), (SplinePoint{2.0f, 0.0f}));
    const int32_t line[] = {1, 0};
    EXPECT_EQ(graph->evaluateSpline(0.25f, line, 2), (SplinePoint{0.25f, 0.25f}));
    const int32_t quadratic[] = {1, 0, 2};
    EXPECT_EQ(graph->evaluateSpline(0.5f, quadratic, 3), (SplinePoint{1.0f, 0.5f}));
    EXPECT_EQ(graph->evaluateSpline(0.0f, quadratic, 3), (SplinePoint{0.0f, 0.0f}));
    EXPECT_EQ(graph->evaluateSpline(1.0f, quadratic, 3), (SplinePoint{2.0f, 0.0f}));
}

TEST(EvaluateSpline, BSplineEndsOnTripledEndsAndOneSixthInOnDoubledOnes) {
    auto graph = loadGraph(graphText({-1, 0, 1, 2}));
    placeNode(*graph, 0, 0.0f, 0.0f);
    placeNode(*graph, 1, 0.6f, 0.0f);
    placeNode(*graph, 2, 0.6f, 0.6f);
    placeNode(*graph, 3, 0.0f, 0.6f);
    const int32_t tripled[] = {0, 0, 0, 1, 2, 3, 3, 3};
    const SplinePoint start = graph->evaluateSpline(0.0f, tripled, 8);
    const SplinePoint end = graph->evaluateSpline(1.0f, tripled, 8);
    EXPECT_NEAR(start.x, 0.0f, 1e-7f);
    EXPECT_NEAR(start.y, 0.0f, 1e-7f);
    EXPECT_NEAR(end.x, 0.0f, 1e-6f);
    EXPECT_NEAR(end.y, 0.6f, 1e-6f);

    const int32_t doubled[] = {0, 0, 1, 2, 3, 3, 3};
    const SplinePoint near = graph->evaluateSpline(0.0f, doubled, 7);
    EXPECT_NEAR(near.x, 0.1f, 1e-6f);
    EXPECT_NEAR(near.y, 0.0f, 1e-7f);
}

TEST(EvaluateSpline, ParametersOutsideTheCurveStayOnItsEndSegments) {
    auto graph = loadGraph(graphText({-1, 0, 1, 2}));
    const int32_t polygon[] = {0, 0, 0, 1, 2, 3, 3, 3};
    for (float t : {-0.5f, std::nextafter(1.0f, 0.0f), 1.5f, std::numeric_limits<float>::quiet_NaN(),
                    std::numeric_limits<float>::infinity()}) {
        const SplinePoint point = graph->evaluateSpline(t, polygon, 8);
        EXPECT_TRUE(std::isfinite(point.x) && std::isfinite(point.y)) << "t = " << t;
    }
}

TEST(BlendPoint, MixesTheCurveWithTheStraightSegment) {
    auto graph = loadGraph(graphText({-1, 0, 0}));
    placeNode(*graph, 0, 1.0f, 1.0f);
    placeNode(*graph, 1, 0.0f, 0.0f);
    placeNode(*graph, 2, 2.0f, 0.0f);
    const int32_t quadratic[] = {1, 0, 2};
    EXPECT_EQ(graph->blendPoint(1.0f, 0.5f, quadratic, 3), (SplinePoint{1.0f, 0.5f}));
    EXPECT_EQ(graph->blendPoint(0.0f, 0.5f, quadratic, 3), (SplinePoint{1.0f, 0.0f}));
    EXPECT_EQ(graph->blendPoint(0.5f, 0.5f, quadratic, 3), (SplinePoint{1.0f, 0.25f}));
}

// A random graph loaded through the real chain, so its samples come from
// the radial layout.
std::unique_ptr<Graph> randomGraph(unsigned seed) {
    const std::vector<int> parents = randomParents(200, seed);
    std::vector<std::pair<int, int>> relations;
    for (int i = 0; i < 400; ++i) {
        relations.emplace_back((i * 13 + 5) % 200, (i * 71 + 3) % 200);
    }
    return loadGraph(graphText(parents, relations));
}

TEST(SampleSplines, BundledSamplesAreTheCurveAndStraightSamplesTheSegment) {
    auto graph = randomGraph(4);
    for (const auto& edge : graph->edges) {
        const int32_t* ids = edge->controlPoints.get();
        const int32_t count = edge->controlPointCount;
        const SplinePoint source = positionOf(*graph, edge->source->id);
        const SplinePoint target = positionOf(*graph, edge->target->id);
        for (int j = 0; j < samples; ++j) {
            const float t = splinecurve::sampleParameter(j);
            EXPECT_EQ(pointAt(graph->bundledPoints.get(), *edge, j), graph->evaluateSpline(t, ids, count));
            const SplinePoint straight = pointAt(graph->straightPoints.get(), *edge, j);
            EXPECT_NEAR(straight.x, source.x + t * (target.x - source.x), 1e-6f);
            EXPECT_NEAR(straight.y, source.y + t * (target.y - source.y), 1e-6f);
        }
        EXPECT_EQ(pointAt(graph->straightPoints.get(), *edge, 0), source);
        EXPECT_EQ(pointAt(graph->straightPoints.get(), *edge, samples - 1), target);
        // Curves start and end on their end nodes, except at an end that is
        // the common ancestor itself and stands only twice.
        const bool shortRoute = count <= 3;
        if (shortRoute || ids[2] == ids[0]) {
            const SplinePoint first = pointAt(graph->bundledPoints.get(), *edge, 0);
            EXPECT_NEAR(first.x, source.x, 1e-6f);
            EXPECT_NEAR(first.y, source.y, 1e-6f);
        }
        if (shortRoute || ids[count - 3] == ids[count - 1]) {
            const SplinePoint last = pointAt(graph->bundledPoints.get(), *edge, samples - 1);
            EXPECT_NEAR(last.x, target.x, 1e-6f);
            EXPECT_NEAR(last.y, target.y, 1e-6f);
        }
    }
}

TEST(SampleSplines, PointArraysAreReusedAcrossLayoutSwitches) {
    auto graph = randomGraph(5);
    const float* bundled = graph->bundledPoints.get();
    const float* mixed = graph->splinePoints.get();
    graph->setLayout(TreeLayoutType::TreeMapSquared);
    EXPECT_EQ(graph->bundledPoints.get(), bundled);
    EXPECT_EQ(graph->splinePoints.get(), mixed);
}

TEST(SampleSplines, DegenerateLayoutsGiveFinitePoints) {
    auto graph = randomGraph(6);
    for (const auto& node : graph->nodes) {
        node->x = 0.25f;
        node->y = -0.5f;
    }
    graph->sampleSplines();
    graph->beta = -1.0f;
    graph->setBeta(0.7f);
    const std::size_t floats = graph->edges.size() * samples * 2;
    for (const float* points : {graph->straightPoints.get(), graph->bundledPoints.get(), graph->splinePoints.get()}) {
        for (std::size_t n = 0; n < floats; ++n) {
            ASSERT_TRUE(std::isfinite(points[n]));
        }
    }
    // Weights that do not sum to exactly one leave rounding-sized wiggles.
    EXPECT_GE(graph->minSplineLength, 0.0f);
    EXPECT_LT(graph->maxSplineLength, 1e-5f);
}

} // namespace
