#include "bundling/BundlingStrength.h"

#include "bundling/SplineCurve.h"
#include "bundling/SplineSampling.h"
#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using testing_support::graphOf;
using testing_support::randomParents;
using testing_support::sceneOf;

constexpr int samples = samplesPerEdge;
constexpr float largest = std::numeric_limits<float>::max();

// A random graph with its samples taken from the radial layout.
Scene randomScene() {
    const std::vector<int> parents = randomParents(150, 9);
    std::vector<std::pair<int, int>> relations;
    for (int i = 0; i < 300; ++i) {
        relations.emplace_back((i * 17 + 2) % 150, (i * 53 + 9) % 150);
    }
    return sceneOf(graphOf(parents, relations));
}

// The samples mixed by a strength, over all edges at once.
MixedCurves mixed(const CurveSamples& samples, float strength) {
    MixedCurves curves(samples.edgeCount());
    const LengthRange lengths =
        mixCurves(strength, samples, {0, samples.edgeCount()}, curves, emptyLengthRange());
    curves.minLength = lengths.shortest;
    curves.maxLength = lengths.longest;
    return curves;
}

// The length of an edge's polyline walked point by point.
float walkedLength(const MixedCurves& curves, int32_t edge) {
    const float* points = curves.points.data() + static_cast<std::size_t>(edge) * samples * 2;
    float length = 0.0f;
    for (int k = 1; k < samples; ++k) {
        const float dx = points[2 * k] - points[2 * k - 2];
        const float dy = points[2 * k + 1] - points[2 * k - 1];
        length += std::sqrt(dx * dx + dy * dy);
    }
    return length;
}

TEST(MixCurves, ZeroGivesStraightSegmentsAndOneTheFullCurves) {
    const Scene scene = randomScene();
    const CurveSamples& sampled = scene.samples();
    const MixedCurves straight = mixed(sampled, 0.0f);
    for (int32_t edge = 0; edge < sampled.edgeCount(); ++edge) {
        for (int32_t j = 0; j < samples; ++j) {
            const Point point = straightSample(sampled, edge, j);
            const std::size_t slot = (static_cast<std::size_t>(edge) * samples + j) * 2;
            ASSERT_EQ(straight.points[slot], point.x);
            ASSERT_EQ(straight.points[slot + 1], point.y);
        }
    }
    const CompoundGraph& graph = scene.graph();
    for (int32_t edge = 0; edge < graph.edgeCount(); ++edge) {
        const Point s = scene.positions()[graph.source[edge]];
        const Point t = scene.positions()[graph.target[edge]];
        EXPECT_NEAR(straight.arcLength[edge], std::hypot(t.x - s.x, t.y - s.y), 1e-5f);
    }
    const MixedCurves full = mixed(sampled, 1.0f);
    for (std::size_t n = 0; n < sampled.bundled.size(); ++n) {
        ASSERT_EQ(full.points[n], sampled.bundled[n]);
    }
}

TEST(MixCurves, MixMatchesBlendPointAndLengthsMatchTheWalk) {
    const Scene scene = randomScene();
    const CurveSamples& sampled = scene.samples();
    const MixedCurves curves = mixed(sampled, 0.35f);
    const float weight = 1.0f - 0.35f;
    for (int32_t edge = 0; edge < sampled.edgeCount(); ++edge) {
        for (int32_t j = 0; j < samples; ++j) {
            const Point straight = straightSample(sampled, edge, j);
            const std::size_t slot = (static_cast<std::size_t>(edge) * samples + j) * 2;
            ASSERT_EQ(curves.points[slot], weight * straight.x + 0.35f * sampled.bundled[slot]);
            ASSERT_EQ(curves.points[slot + 1],
                      0.35f * sampled.bundled[slot + 1] + weight * straight.y);
        }
    }
    float shortest = largest;
    float longest = -largest;
    for (int32_t edge = 0; edge < scene.graph().edgeCount(); ++edge) {
        for (int j = 0; j < samples; ++j) {
            const Point expected = blendPoint(0.35f, splinecurve::sampleParameter(j),
                                              scene.routes().polygon(edge), scene.positions());
            const float* point =
                curves.points.data() + (static_cast<std::size_t>(edge) * samples + j) * 2;
            EXPECT_NEAR(point[0], expected.x, 1e-6f);
            EXPECT_NEAR(point[1], expected.y, 1e-6f);
        }
        EXPECT_EQ(curves.arcLength[edge], walkedLength(curves, edge));
        shortest = std::min(shortest, curves.arcLength[edge]);
        longest = std::max(longest, curves.arcLength[edge]);
    }
    EXPECT_EQ(curves.minLength, shortest);
    EXPECT_EQ(curves.maxLength, longest);
    EXPECT_LT(shortest, longest);
}

TEST(MixCurves, RangesMixedApartGiveTheWholeAndMergeTheirLengths) {
    const Scene scene = randomScene();
    const CurveSamples& sampled = scene.samples();
    const MixedCurves whole = mixed(sampled, 0.6f);
    MixedCurves parts(sampled.edgeCount());
    const int32_t split = 101;
    LengthRange lengths =
        mixCurves(0.6f, sampled, {split, sampled.edgeCount()}, parts, emptyLengthRange());
    lengths = mixCurves(0.6f, sampled, {0, split}, parts, lengths);
    for (std::size_t n = 0; n < whole.points.size(); ++n) {
        ASSERT_EQ(parts.points[n], whole.points[n]);
    }
    EXPECT_EQ(parts.arcLength, whole.arcLength);
    EXPECT_EQ(lengths.shortest, whole.minLength);
    EXPECT_EQ(lengths.longest, whole.maxLength);
}

TEST(MixCurves, TwoEntryPolygonStaysStraightAtEveryStrength) {
    const Scene scene = sceneOf(graphOf({-1, 0, 1}, {{1, 2}}));
    ASSERT_EQ(scene.routes().polygon(0).size(), 2u);
    const Point s = scene.positions()[1];
    const Point t = scene.positions()[2];
    const float distance = std::hypot(t.x - s.x, t.y - s.y);
    for (float strength : {0.0f, 0.3f, 0.8f, 1.0f}) {
        const MixedCurves curves = mixed(scene.samples(), strength);
        EXPECT_NEAR(curves.arcLength[0], distance, 1e-6f) << "beta " << strength;
        EXPECT_EQ(curves.minLength, curves.maxLength);
    }
}

TEST(MixCurves, NoEdgesKeepsTheStartValues) {
    const MixedCurves curves = mixed(CurveSamples(0), 0.5f);
    EXPECT_EQ(curves.minLength, largest);
    EXPECT_EQ(curves.maxLength, -largest);
}

} // namespace
