#include "bundling/SplineSampling.h"

#include "bundling/SplineCurve.h"
#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

using testing_support::graphOf;
using testing_support::randomParents;
using testing_support::sceneOf;

constexpr int samples = samplesPerEdge;

Point pointAt(const UninitializedArray<float>& points, int32_t edge, int j) {
    const std::size_t slot = (static_cast<std::size_t>(edge) * samples + j) * 2;
    return {points[slot], points[slot + 1]};
}

std::vector<int32_t> ids(std::initializer_list<int32_t> list) {
    return list;
}

// Nodes 0, 1, 2 at (1, 1), (0, 0) and (2, 0).
const std::vector<Point> triangle{{1.0f, 1.0f}, {0.0f, 0.0f}, {2.0f, 0.0f}};
// Nodes 0 to 3 on the corners of a square of side 0.6.
const std::vector<Point> square{{0.0f, 0.0f}, {0.6f, 0.0f}, {0.6f, 0.6f}, {0.0f, 0.6f}};

TEST(SampleParameters, RunFromZeroToExactlyOne) {
    EXPECT_EQ(splinecurve::sampleParameter(0), 0.0f);
    EXPECT_EQ(splinecurve::sampleParameter(49), 1.0f);
    EXPECT_EQ(splinecurve::sampleParameter(7), 7.0f * (1.0f / 49.0f));
}

TEST(EvaluateSpline, BezierCurvesForShortPolygons) {
    EXPECT_EQ(evaluateSpline(0.5f, {}, triangle), (Point{0.0f, 0.0f}));
    EXPECT_EQ(evaluateSpline(0.3f, ids({2}), triangle), (Point{2.0f, 0.0f}));
    EXPECT_EQ(evaluateSpline(0.25f, ids({1, 0}), triangle), (Point{0.25f, 0.25f}));
    EXPECT_EQ(evaluateSpline(0.5f, ids({1, 0, 2}), triangle), (Point{1.0f, 0.5f}));
    EXPECT_EQ(evaluateSpline(0.0f, ids({1, 0, 2}), triangle), (Point{0.0f, 0.0f}));
    EXPECT_EQ(evaluateSpline(1.0f, ids({1, 0, 2}), triangle), (Point{2.0f, 0.0f}));
}

TEST(EvaluateSpline, BSplineEndsOnTripledEndsAndOneSixthInOnDoubledOnes) {
    const auto tripled = ids({0, 0, 0, 1, 2, 3, 3, 3});
    const Point start = evaluateSpline(0.0f, tripled, square);
    const Point end = evaluateSpline(1.0f, tripled, square);
    EXPECT_NEAR(start.x, 0.0f, 1e-7f);
    EXPECT_NEAR(start.y, 0.0f, 1e-7f);
    EXPECT_NEAR(end.x, 0.0f, 1e-6f);
    EXPECT_NEAR(end.y, 0.6f, 1e-6f);

    const Point near = evaluateSpline(0.0f, ids({0, 0, 1, 2, 3, 3, 3}), square);
    EXPECT_NEAR(near.x, 0.1f, 1e-6f);
    EXPECT_NEAR(near.y, 0.0f, 1e-7f);
}

TEST(EvaluateSpline, BSplineInteriorPointsWeighTheirFourEntries) {
    // Five entries with distinct x and y: two segments. t = 0.1 is u = 0.2
    // in segment 0 (entries 0 to 3), t = 0.6 is u = 0.2 in segment 1
    // (entries 1 to 4). The uniform cubic basis at u = 0.2, by hand:
    // (1-u)^3/6 = 0.0853333, (3u^3-6u^2+4)/6 = 0.6306667,
    // (-3u^3+3u^2+3u+1)/6 = 0.2826667, u^3/6 = 0.0013333.
    const std::vector<Point> polygon{{0, 10}, {1, 20}, {3, 5}, {6, -4}, {10, 7}};
    const std::vector<int32_t> all = ids({0, 1, 2, 3, 4});
    const Point first = evaluateSpline(0.1f, all, polygon);
    EXPECT_NEAR(first.x, 1.4866667f, 2e-5);
    EXPECT_NEAR(first.y, 14.874667f, 2e-5);
    const Point second = evaluateSpline(0.6f, all, polygon);
    EXPECT_NEAR(second.x, 3.6866667f, 2e-5);
    EXPECT_NEAR(second.y, 3.7386667f, 2e-5);
    // u = 0.5 weighs the middle two entries alike: 1/48, 23/48, 23/48, 1/48.
    const Point middle = evaluateSpline(0.25f, all, polygon);
    EXPECT_NEAR(middle.x, 2.0416667f, 2e-5);
    EXPECT_NEAR(middle.y, 12.104167f, 2e-5);
}

TEST(EvaluateSpline, ParametersOutsideTheCurveStayOnItsEndSegments) {
    const auto polygon = ids({0, 0, 0, 1, 2, 3, 3, 3});
    for (float t :
         {-0.5f, std::nextafter(1.0f, 0.0f), 1.5f, std::numeric_limits<float>::quiet_NaN(),
          std::numeric_limits<float>::infinity()}) {
        const Point point = evaluateSpline(t, polygon, square);
        EXPECT_TRUE(std::isfinite(point.x) && std::isfinite(point.y)) << "t = " << t;
    }
}

TEST(BlendPoint, MixesTheCurveWithTheStraightSegment) {
    const auto quadratic = ids({1, 0, 2});
    EXPECT_EQ(blendPoint(1.0f, 0.5f, quadratic, triangle), (Point{1.0f, 0.5f}));
    EXPECT_EQ(blendPoint(0.0f, 0.5f, quadratic, triangle), (Point{1.0f, 0.0f}));
    EXPECT_EQ(blendPoint(0.5f, 0.5f, quadratic, triangle), (Point{1.0f, 0.25f}));
}

// A random graph with its samples taken from the radial layout.
Scene randomScene(unsigned seed) {
    const std::vector<int> parents = randomParents(200, seed);
    std::vector<std::pair<int, int>> relations;
    for (int i = 0; i < 400; ++i) {
        relations.emplace_back((i * 13 + 5) % 200, (i * 71 + 3) % 200);
    }
    return sceneOf(graphOf(parents, relations));
}

TEST(SampleSplines, BundledSamplesAreTheCurveAndStraightSamplesTheSegment) {
    const Scene scene = randomScene(4);
    const CompoundGraph& graph = scene.graph();
    const CurveSamples& sampled = scene.samples();
    for (int32_t edge = 0; edge < graph.edgeCount(); ++edge) {
        const std::span<const int32_t> polygon = scene.routes().polygon(edge);
        const auto count = static_cast<int32_t>(polygon.size());
        const Point source = scene.positions()[graph.source[edge]];
        const Point target = scene.positions()[graph.target[edge]];
        for (int j = 0; j < samples; ++j) {
            const float t = splinecurve::sampleParameter(j);
            EXPECT_EQ(pointAt(sampled.bundled, edge, j),
                      evaluateSpline(t, polygon, scene.positions()));
            const Point straight = straightSample(sampled, edge, j);
            EXPECT_NEAR(straight.x, source.x + t * (target.x - source.x), 1e-6f);
            EXPECT_NEAR(straight.y, source.y + t * (target.y - source.y), 1e-6f);
        }
        EXPECT_EQ(straightSample(sampled, edge, 0), source);
        EXPECT_EQ(straightSample(sampled, edge, samples - 1), target);
        // Curves start and end on their end nodes, except at an end that is
        // the common ancestor itself and stands only twice.
        const bool shortRoute = count <= 3;
        if (shortRoute || polygon[2] == polygon[0]) {
            const Point first = pointAt(sampled.bundled, edge, 0);
            EXPECT_NEAR(first.x, source.x, 1e-6f);
            EXPECT_NEAR(first.y, source.y, 1e-6f);
        }
        if (shortRoute || polygon[count - 3] == polygon[count - 1]) {
            const Point last = pointAt(sampled.bundled, edge, samples - 1);
            EXPECT_NEAR(last.x, target.x, 1e-6f);
            EXPECT_NEAR(last.y, target.y, 1e-6f);
        }
    }
}

TEST(SampleSplines, PointArraysAreReusedAcrossLayoutSwitches) {
    Scene scene = randomScene(5);
    const float* bundled = scene.samples().bundled.data();
    const float* mixed = scene.curves().points.data();
    ViewSettings squared;
    squared.layoutType = TreeLayoutType::TreeMapSquared;
    scene.update(squared);
    EXPECT_EQ(scene.samples().bundled.data(), bundled);
    EXPECT_EQ(scene.curves().points.data(), mixed);
}

TEST(SampleSplines, ARangeOfEdgesIsSampledAloneAndAsInTheWhole) {
    const Scene scene = randomScene(7);
    CurveSamples part(scene.graph().edgeCount());
    sampleCurves(scene.routes(), scene.positions(), EdgeRange{100, 150}, part);
    for (int32_t edge = 100; edge < 150; ++edge) {
        for (int j = 0; j < samples; ++j) {
            ASSERT_EQ(pointAt(part.bundled, edge, j), pointAt(scene.samples().bundled, edge, j));
            ASSERT_EQ(straightSample(part, edge, j), straightSample(scene.samples(), edge, j));
        }
    }
}

TEST(SampleSplines, DegenerateLayoutsGiveFinitePoints) {
    Scene scene = randomScene(6);
    for (Point& position : scene.editPositions()) {
        position = {0.25f, -0.5f};
    }
    scene.sampleCurves();
    scene.applyStrength(0.7f);
    for (const UninitializedArray<float>* points :
         {&scene.samples().ends, &scene.samples().bundled, &scene.curves().points}) {
        for (std::size_t n = 0; n < points->size(); ++n) {
            ASSERT_TRUE(std::isfinite((*points)[n]));
        }
    }
    // Weights that do not sum to exactly one leave rounding-sized wiggles.
    EXPECT_GE(scene.curves().minLength, 0.0f);
    EXPECT_LT(scene.curves().maxLength, 1e-5f);
}

} // namespace
