#include "model/Scene.h"

#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using testing_support::graphOf;
using testing_support::randomParents;
using testing_support::sceneOf;

// A random hierarchy of 60 nodes with 80 relations.
CompoundGraph randomGraph() {
    std::vector<std::pair<int, int>> relations;
    for (int i = 0; i < 80; ++i) {
        relations.emplace_back((i * 7 + 1) % 60, (i * 11 + 4) % 60);
    }
    return graphOf(randomParents(60, 3), relations);
}

ViewSettings withLayout(TreeLayoutType type) {
    ViewSettings settings;
    settings.layoutType = type;
    return settings;
}

std::vector<Point> positionsOf(const Scene& scene) {
    return {scene.positions().begin(), scene.positions().end()};
}

std::vector<float> pointsOf(const Scene& scene) {
    const std::span<const float> points = scene.curves().points.span();
    return {points.begin(), points.end()};
}

TEST(Scene, UpdateComputesEveryStageForTheSettings) {
    Scene scene;
    scene.setGraph(randomGraph());
    EXPECT_FALSE(scene.appliedLayout().has_value());
    EXPECT_FALSE(scene.appliedStrength().has_value());
    ViewSettings settings = withLayout(TreeLayoutType::Classic);
    settings.beta = 0.4f;
    scene.update(settings);
    EXPECT_EQ(scene.appliedLayout(), TreeLayoutType::Classic);
    EXPECT_EQ(scene.appliedStrength(), 0.4f);
    EXPECT_TRUE(scene.curvesCurrent());
    EXPECT_EQ(scene.routes().edgeCount(), scene.graph().edgeCount());
    EXPECT_EQ(scene.positions()[0], (Point{0.0f, -1.0f})) << "the classic root";
    EXPECT_EQ(scene.curves().arcLength.size(), static_cast<std::size_t>(scene.graph().edgeCount()));
}

TEST(Scene, AnUnchangedUpdateRecomputesNothing) {
    Scene scene = sceneOf(randomGraph());
    const uint64_t revision = scene.revision();
    scene.update(ViewSettings{});
    EXPECT_EQ(scene.revision(), revision);
    // Another graph through the same stages: a frame or an upload made for
    // the first scene must not pass for the second's.
    const Scene other = sceneOf(testing_support::graphOf({-1, 0, 0}, {{1, 2}}));
    EXPECT_NE(other.revision(), revision);
}

TEST(Scene, EachSettingRecomputesWhatItInvalidates) {
    Scene scene = sceneOf(randomGraph());
    const std::vector<Point> radial = positionsOf(scene);
    const std::vector<float> atOne = pointsOf(scene);

    ViewSettings settings;
    settings.beta = 0.5f;
    scene.update(settings);
    EXPECT_EQ(positionsOf(scene), radial) << "a strength leaves the positions";
    EXPECT_NE(pointsOf(scene), atOne);

    settings.layoutType = TreeLayoutType::TreeMapStrip;
    scene.update(settings);
    EXPECT_NE(positionsOf(scene), radial);
    EXPECT_EQ(scene.appliedStrength(), 0.5f) << "mixed again with the strength applied";
    EXPECT_TRUE(scene.curvesCurrent());

    // Drawing settings are none of the scene's business.
    const uint64_t revision = scene.revision();
    settings.colorRamp = 1;
    settings.splineWidth = 9.0f;
    settings.showTree = false;
    scene.update(settings);
    EXPECT_EQ(scene.revision(), revision);
}

TEST(Scene, TreeMapSpacingCountsBeyondEpsilonAndOnlyWhileATreeMapIsShown) {
    Scene scene = sceneOf(randomGraph(), withLayout(TreeLayoutType::TreeMapSlice));
    const std::vector<Point> before = positionsOf(scene);
    ViewSettings settings = withLayout(TreeLayoutType::TreeMapSlice);
    settings.treeMapSpacing = 0.01f + 1e-7f;
    uint64_t revision = scene.revision();
    scene.update(settings);
    EXPECT_EQ(scene.revision(), revision) << "within float epsilon";
    settings.treeMapSpacing = 0.0101f;
    scene.update(settings);
    EXPECT_EQ(scene.treeMap().spacing, 0.0101f);
    EXPECT_NE(positionsOf(scene), before);

    ViewSettings radial = withLayout(TreeLayoutType::Radial);
    scene.update(radial);
    radial.treeMapSpacing = 0.03f;
    revision = scene.revision();
    scene.update(radial);
    EXPECT_EQ(scene.revision(), revision) << "waits for a treemap to be shown";
    radial.layoutType = TreeLayoutType::TreeMapStrip;
    scene.update(radial);
    EXPECT_EQ(scene.treeMap().spacing, 0.03f);
    EXPECT_FLOAT_EQ(scene.treeMap().root->child(0)->rect.x0, -0.97f)
        << "the strip starts at the root's inset";
}

TEST(Scene, SwitchingBackToALayoutGivesTheSameNumbers) {
    Scene scene = sceneOf(randomGraph(), withLayout(TreeLayoutType::TreeMapSquared));
    const std::vector<float> squared = pointsOf(scene);
    scene.update(withLayout(TreeLayoutType::Classic));
    EXPECT_NE(pointsOf(scene), squared);
    scene.update(withLayout(TreeLayoutType::TreeMapSquared));
    EXPECT_EQ(pointsOf(scene), squared);
}

TEST(Scene, AnUnknownLayoutKeepsThePositionsButIsApplied) {
    Scene scene = sceneOf(randomGraph(), withLayout(TreeLayoutType::Classic));
    const std::vector<Point> classic = positionsOf(scene);
    ViewSettings unknown;
    unknown.layoutType = static_cast<TreeLayoutType>(9);
    scene.update(unknown);
    EXPECT_EQ(scene.appliedLayout(), static_cast<TreeLayoutType>(9));
    EXPECT_EQ(positionsOf(scene), classic);
}

TEST(Scene, ANewGraphDropsEveryResultOfTheOld) {
    Scene scene = sceneOf(randomGraph());
    scene.setGraph(graphOf({-1, 0, 0}, {{1, 2}}));
    EXPECT_FALSE(scene.appliedLayout().has_value());
    EXPECT_FALSE(scene.curvesCurrent());
    EXPECT_EQ(scene.routes().edgeCount(), 0);
    EXPECT_EQ(scene.positions().size(), 3u);
    EXPECT_EQ(scene.appliedStrength(), 1.0f) << "the strength is the user's, kept";
    scene.update(ViewSettings{});
    EXPECT_EQ(scene.curves().arcLength.size(), 1u);
}

TEST(Scene, ExplicitStagesMarkWhatDependsOnThemStale) {
    Scene scene = sceneOf(randomGraph());
    scene.sampleCurves();
    EXPECT_FALSE(scene.curvesCurrent());
    scene.applyStrength(0.25f);
    EXPECT_TRUE(scene.curvesCurrent());
    scene.editPositions()[1] = {0.5f, 0.5f};
    scene.update(ViewSettings{});
    EXPECT_EQ(scene.positions()[1], (Point{0.5f, 0.5f})) << "the layout type did not change";
    EXPECT_EQ(scene.appliedStrength(), 1.0f);
    EXPECT_TRUE(scene.curvesCurrent());
}

TEST(Scene, ManyThreadsComputeExactlyWhatOneDoes) {
    std::vector<std::pair<int, int>> relations;
    for (int i = 0; i < 20000; ++i) {
        relations.emplace_back((i * 7919 + 11) % 3000, (i * 104729 + 5) % 3000);
    }
    const CompoundGraph graph = graphOf(randomParents(3000, 12), relations);
    ThreadPool one(1);
    ThreadPool many(7);
    Scene single(one);
    Scene shared(many);
    single.setGraph(graph);
    shared.setGraph(graph);
    for (const int32_t layout : {0, 3}) {
        ViewSettings settings = withLayout(static_cast<TreeLayoutType>(layout));
        settings.beta = 0.85f;
        single.update(settings);
        shared.update(settings);
        EXPECT_EQ(shared.routes().ids, single.routes().ids);
        EXPECT_EQ(shared.routes().start, single.routes().start);
        EXPECT_EQ(pointsOf(shared), pointsOf(single));
        EXPECT_EQ(shared.curves().arcLength, single.curves().arcLength);
        EXPECT_EQ(shared.curves().minLength, single.curves().minLength);
        EXPECT_EQ(shared.curves().maxLength, single.curves().maxLength);
    }
}

TEST(Scene, AnEmptyGraphHasNothingToComputeAndFailsNothing) {
    Scene scene;
    scene.update(withLayout(TreeLayoutType::TreeMapStrip));
    EXPECT_EQ(scene.curves().points.size(), 0u);
    EXPECT_EQ(scene.treeMap().rectangles().size(), 0u);
}

} // namespace
