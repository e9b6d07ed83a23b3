#include "bundling/SplineCurve.h"
#include "graph/Graph.h"

#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using testing_support::graphText;
using testing_support::loadGraph;
using testing_support::randomParents;

constexpr int samples = Graph::samplesPerEdge;
constexpr float largest = std::numeric_limits<float>::max();

std::unique_ptr<Graph> randomGraph() {
    const std::vector<int> parents = randomParents(150, 9);
    std::vector<std::pair<int, int>> relations;
    for (int i = 0; i < 300; ++i) {
        relations.emplace_back((i * 17 + 2) % 150, (i * 53 + 9) % 150);
    }
    return loadGraph(graphText(parents, relations));
}

// The length of an edge's polyline walked point by point.
float walkedLength(const Graph& graph, const Edge& edge) {
    const float* points = graph.splinePoints.get() + static_cast<std::size_t>(edge.index) * samples * 2;
    float length = 0.0f;
    for (int k = 1; k < samples; ++k) {
        const float dx = points[2 * k] - points[2 * k - 2];
        const float dy = points[2 * k + 1] - points[2 * k - 1];
        length += std::sqrt(dx * dx + dy * dy);
    }
    return length;
}

TEST(SetBeta, ZeroGivesStraightSegmentsAndOneTheFullCurves) {
    auto graph = randomGraph();
    const std::size_t floats = graph->edges.size() * samples * 2;
    graph->setBeta(0.0f);
    for (std::size_t n = 0; n < floats; ++n) {
        ASSERT_EQ(graph->splinePoints[n], graph->straightPoints[n]);
    }
    for (const auto& edge : graph->edges) {
        const float distance = std::hypot(edge->target->x - edge->source->x, edge->target->y - edge->source->y);
        EXPECT_NEAR(edge->arcLength, distance, 1e-5f);
    }
    graph->setBeta(1.0f);
    for (std::size_t n = 0; n < floats; ++n) {
        ASSERT_EQ(graph->splinePoints[n], graph->bundledPoints[n]);
    }
}

TEST(SetBeta, MixMatchesBlendPointAndLengthsMatchTheWalk) {
    auto graph = randomGraph();
    graph->setBeta(0.35f);
    const float weight = 1.0f - 0.35f;
    for (std::size_t n = 0; n < graph->edges.size() * samples * 2; ++n) {
        ASSERT_EQ(graph->splinePoints[n], weight * graph->straightPoints[n] + 0.35f * graph->bundledPoints[n]) << n;
    }
    float shortest = largest;
    float longest = -largest;
    for (const auto& edge : graph->edges) {
        for (int j = 0; j < samples; ++j) {
            const SplinePoint expected = graph->blendPoint(0.35f, splinecurve::sampleParameter(j),
                                                           edge->controlPoints.get(), edge->controlPointCount);
            const float* point = graph->splinePoints.get() + (static_cast<std::size_t>(edge->index) * samples + j) * 2;
            EXPECT_NEAR(point[0], expected.x, 1e-6f);
            EXPECT_NEAR(point[1], expected.y, 1e-6f);
        }
        EXPECT_EQ(edge->arcLength, walkedLength(*graph, *edge));
        shortest = std::min(shortest, edge->arcLength);
        longest = std::max(longest, edge->arcLength);
    }
    EXPECT_EQ(graph->minSplineLength, shortest);
    EXPECT_EQ(graph->maxSplineLength, longest);
    EXPECT_LT(shortest, longest);
}

TEST(SetBeta, TwoEntryPolygonStaysStraightAtEveryStrength) {
    auto graph = loadGraph(graphText({-1, 0, 1}, {{1, 2}}));
    const Edge& edge = *graph->edges[0];
    ASSERT_EQ(edge.controlPointCount, 2);
    const float distance = std::hypot(edge.target->x - edge.source->x, edge.target->y - edge.source->y);
    for (float strength : {0.0f, 0.3f, 0.8f, 1.0f}) {
        graph->setBeta(strength);
        EXPECT_NEAR(edge.arcLength, distance, 1e-6f) << "beta " << strength;
        EXPECT_EQ(graph->minSplineLength, graph->maxSplineLength);
    }
}

TEST(SetBeta, SameStrengthRecomputesNothingUntilTheLayoutChanges) {
    auto graph = randomGraph();
    graph->setBeta(0.5f);
    Edge& edge = *graph->edges[0];
    const float measured = edge.arcLength;
    edge.arcLength = -7.0f;
    graph->setBeta(0.5f);
    EXPECT_EQ(edge.arcLength, -7.0f);

    graph->setLayout(TreeLayoutType::Classic);
    EXPECT_EQ(graph->beta, 0.5f);
    EXPECT_NE(edge.arcLength, -7.0f);
    EXPECT_NE(edge.arcLength, measured);
    EXPECT_EQ(edge.arcLength, walkedLength(*graph, edge));
}

TEST(SetBeta, NoEdgesKeepsTheStartValues) {
    auto graph = loadGraph(graphText({-1, 0, 0}));
    graph->setBeta(0.5f);
    EXPECT_EQ(graph->minSplineLength, largest);
    EXPECT_EQ(graph->maxSplineLength, -largest);
}

TEST(SetBeta, FirstLoadLeavesTheMixToTheFirstFrame) {
    auto graph = randomGraph();
    EXPECT_EQ(graph->beta, -1.0f);
    graph->setBeta(1.0f);
    EXPECT_EQ(graph->beta, 1.0f);
    EXPECT_EQ(graph->splinePoints[0], graph->bundledPoints[0]);
}

} // namespace
