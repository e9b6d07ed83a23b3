#include "frame/SceneDrawing.h"

#include "frame/ComparisonDrawing.h"
#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using testing_support::graphOf;
using testing_support::namedGraphOf;
using testing_support::sceneOf;

// root(0) with a leaf (1) and a deeper subtree: 2 -> 3 -> {4, 5}, and 2 -> 6.
const std::vector<int> mixedDepths{-1, 0, 0, 2, 3, 3, 2};
const Colour red{1.0f, 0.0f, 0.0f, 1.0f};

ViewSettings withLayout(TreeLayoutType type) {
    ViewSettings settings;
    settings.layoutType = type;
    return settings;
}

TEST(SceneDrawing, ADeepHierarchyGetsOnlyRingsAPixelApart) {
    // A chain 5,000 deep: its levels lie 0.2 / 4999 apart, a twenty-fifth of
    // a pixel of the whole frame.
    CompoundGraphBuilder builder;
    const int32_t count = 5000;
    builder.addNodes(count);
    builder.setRoot(0);
    for (int32_t node = 1; node < count; ++node) {
        ASSERT_EQ(builder.link(node - 1, node), CompoundGraphBuilder::LinkFault::None);
    }
    const Scene scene = sceneOf(builder.finish());
    const auto radii = [](const LineSet& tree) {
        std::vector<float> r;
        for (std::size_t ring = 0; ring < tree.ringCount(); ++ring) {
            r.push_back(tree.ringVertices[ring * LineSet::ringVertexCount].y);
        }
        return r;
    };
    const float pixel = 2.02f / 2048.0f;
    const std::vector<float> whole =
        radii(describeRadialTree(scene.graph(), scene.layoutData(), 1.0f));
    // 0.2 of radius holds about 203 pixels: that many rings, not 5,000.
    EXPECT_GE(whole.size(), 150u);
    EXPECT_LE(whole.size(), 205u);
    EXPECT_FLOAT_EQ(whole.front(), 0.8f);
    EXPECT_FLOAT_EQ(whole.back(), 1.0f) << "the outermost ring is always drawn";
    for (std::size_t i = 1; i + 1 < whole.size(); ++i) {
        EXPECT_GE(whole[i] - whole[i - 1], pixel * 0.999f) << "ring " << i;
    }
    // Zoomed in 16 times, a pixel is 16 times smaller: more rings, still
    // bounded by what the frame can show of the whole range.
    const std::vector<float> zoomed =
        radii(describeRadialTree(scene.graph(), scene.layoutData(), 1.0f, pixel / 16.0f));
    EXPECT_GT(zoomed.size(), 2000u);
    EXPECT_LE(zoomed.size(), 3300u);
    // A shallow tree keeps a ring for every level.
    const Scene shallow = sceneOf(graphOf(mixedDepths));
    EXPECT_EQ(describeRadialTree(shallow.graph(), shallow.layoutData(), 1.0f).ringCount(), 4u);
}

TEST(SceneDrawing, RadialTreeHasOneRingPerLevelAndATickPerNode) {
    const Scene scene = sceneOf(graphOf(mixedDepths));
    const LineSet tree = describeRadialTree(scene.graph(), scene.layoutData(), 4.0f);
    EXPECT_EQ(tree.colour, red);
    EXPECT_EQ(tree.width, 4.0f);
    EXPECT_FALSE(tree.blended);
    ASSERT_EQ(tree.ringVertices.size(), 4u * LineSet::ringVertexCount);
    const float ring = 0.2f / 3.0f;
    for (int level = 0; level < 4; ++level) {
        const float r = 0.8f + ring * static_cast<float>(level);
        const Point top = tree.ringVertices[static_cast<std::size_t>(level) * 90];
        const Point bottom = tree.ringVertices[static_cast<std::size_t>(level) * 90 + 45];
        const Point right = tree.ringVertices[static_cast<std::size_t>(level) * 90 + 22];
        EXPECT_EQ(top, (Point{0.0f, r})) << "vertex 0 at the top";
        EXPECT_NEAR(bottom.y, -r, 1e-6);
        EXPECT_NEAR(std::hypot(right.x, right.y), r, 1e-6);
        EXPECT_GT(right.x, 0.0f) << "clockwise from the top";
    }
    // Six nodes have a parent. Leaf 1 (span from 0) ticks on the innermost
    // ring at the top; node 2 (level 1, span from 1/4) on the third ring at
    // 90 degrees.
    ASSERT_EQ(tree.segments.size(), 12u);
    EXPECT_EQ(tree.segments[0], (Point{0.0f, 0.8f}));
    EXPECT_NEAR(tree.segments[1].y, 0.8f + ring, 1e-6);
    EXPECT_NEAR(tree.segments[2].x, 0.8f + 2.0f * ring, 1e-6);
    EXPECT_NEAR(tree.segments[3].x, 0.8f + 3.0f * ring, 1e-6);
    EXPECT_NEAR(tree.segments[3].y, 0.0f, 1e-6);
}

TEST(SceneDrawing, ClassicTreeIsDrawnDownwardsFromTheTop) {
    const Scene scene = sceneOf(graphOf(mixedDepths));
    const LineSet tree = describeClassicTree(scene.graph(), scene.layoutData(), 3.0f);
    EXPECT_TRUE(tree.ringVertices.empty());
    ASSERT_EQ(tree.segments.size(), 12u);
    // Leaf 1 (first of four leaves) on the line y = 0, its parent the root at
    // the top centre.
    EXPECT_EQ(tree.segments[0], (Point{-0.75f, 0.0f}));
    EXPECT_EQ(tree.segments[1], (Point{0.0f, 1.0f}));
    // Node 3 on level 2 of 3 over the span of leaves 4 and 5.
    EXPECT_FLOAT_EQ(tree.segments[4].x, 0.0f);
    EXPECT_FLOAT_EQ(tree.segments[4].y, 1.0f / 3.0f);
}

TEST(SceneDrawing, TreeOfTheLayoutShown) {
    Scene scene = sceneOf(graphOf(mixedDepths), withLayout(TreeLayoutType::TreeMapSquared));
    const LineSet treeMap = describeTree(scene.appliedLayout().value(), scene, 3.0f);
    EXPECT_EQ(treeMap.rectangles, scene.treeMap().rectangles());
    EXPECT_EQ(treeMap.rectangles.size(), 7u);
    EXPECT_TRUE(treeMap.segments.empty());
    EXPECT_TRUE(describeTree(static_cast<TreeLayoutType>(9), scene, 3.0f).empty());
    EXPECT_EQ(describeTree(TreeLayoutType::Radial, scene, 3.0f).ringVertices.size(),
              4u * LineSet::ringVertexCount);
}

TEST(SceneDrawing, OverlayLinksEveryNodeToItsParentTranslucently) {
    const Scene scene = sceneOf(graphOf(mixedDepths), withLayout(TreeLayoutType::Classic));
    const LineSet overlay = describeOverlay(scene.graph(), scene.positions(), 2.0f);
    EXPECT_EQ(overlay.colour, (Colour{0.8f, 0.8f, 1.0f, 0.5f}));
    EXPECT_TRUE(overlay.blended);
    ASSERT_EQ(overlay.segments.size(), 12u);
    EXPECT_EQ(overlay.segments[0], scene.positions()[1]);
    EXPECT_EQ(overlay.segments[1], (Point{0.0f, -1.0f})) << "the classic root";
}

// Three relations between leaves of a star: neighbours, a quarter apart and
// opposite, so three distinct lengths at strength 0.
Scene starScene(const ViewSettings& settings) {
    return sceneOf(graphOf({-1, 0, 0, 0, 0, 0, 0, 0, 0}, {{1, 2}, {1, 3}, {1, 5}}), settings);
}

TEST(SceneDrawing, OpacityRunsFromOneForTheShortestToMinAlphaForTheLongest) {
    ViewSettings settings;
    settings.beta = 0.0f;
    settings.minAlpha = 0.2f;
    Scene scene = starScene(settings);
    CurveSet curves = describeCurves(scene, settings);
    ASSERT_EQ(curves.curveCount(), 3);
    EXPECT_EQ(curves.opacity[0], 1.0f);
    EXPECT_FLOAT_EQ(curves.opacity[2], 0.2f);
    // The middle one by its place between the shortest and longest length:
    // chords of 45, 90 and 180 degrees on the circle of radius 0.8.
    const float shortest = 1.6f * std::sin(0.3926991f);
    const float middle = 1.6f * std::sin(0.7853982f);
    const float t = (1.6f - middle) / (1.6f - shortest);
    EXPECT_NEAR(curves.opacity[1], 0.2f + 0.8f * t, 1e-5);

    settings.alphaExponent = 2.0f;
    EXPECT_NEAR(describeCurves(scene, settings).opacity[1], 0.2f + 0.8f * t * t, 1e-5);
    settings.alphaExponent = 1.0f;
    settings.flipAlpha = true;
    curves = describeCurves(scene, settings);
    EXPECT_FLOAT_EQ(curves.opacity[0], 0.2f);
    EXPECT_EQ(curves.opacity[2], 1.0f);
    EXPECT_EQ(curves.parameters.front(), 0.0f);
    EXPECT_EQ(curves.parameters.back(), 1.0f);
    EXPECT_EQ(curves.parameters.size(), static_cast<std::size_t>(samplesPerEdge));
}

TEST(SceneDrawing, CurvesOfOneLengthAreOpaque) {
    ViewSettings settings;
    settings.minAlpha = 0.0f;
    const Scene scene = sceneOf(graphOf({-1, 0, 0}, {{1, 2}}), settings);
    EXPECT_EQ(describeCurves(scene, settings).opacity, (std::vector<float>{1.0f}));
}

TEST(SceneDrawing, TheFrameFollowsTheSwitches) {
    ViewSettings settings;
    settings.splineWidth = 7.0f;
    settings.colorRamp = 2;
    settings.blendMode = BlendModeType::Max;
    const Scene scene = starScene(settings);
    DrawDescription frame = describeScene(scene, settings);
    EXPECT_EQ(frame.background, (Colour{0.0f, 0.0f, 0.0f, 1.0f}));
    EXPECT_TRUE(frame.showCurves);
    EXPECT_EQ(frame.curves.width, 7.0f);
    EXPECT_EQ(frame.curves.colorRamp, 2);
    EXPECT_EQ(frame.curves.blendMode, BlendModeType::Max);
    EXPECT_EQ(frame.curves.points.size(), 3u * floatsPerEdge);
    EXPECT_EQ(frame.curves.pointsRevision, scene.revision());
    EXPECT_EQ(frame.overlay.segments.size(), 16u);

    settings.showSplines = false;
    settings.showTree = false;
    frame = describeScene(scene, settings);
    EXPECT_FALSE(frame.showCurves);
    EXPECT_FALSE(frame.showOverlay);
    EXPECT_FALSE(frame.tree.empty()) << "the layout's own tree is always drawn";
}

// Last version: r{a{x y} b{z}}, x -> z and y -> z; this one: y is gone, w
// is new with w -> z. The union r{a{x w y} b{z}} numbers x 2, w 3, y 4, z 6.
Scene comparedScene(const ViewSettings& settings) {
    const Result<ComparedGraphs> both =
        compareGraphs(namedGraphOf({{-1, "r"}, {0, "a"}, {1, "x"}, {1, "y"}, {0, "b"}, {4, "z"}},
                                   {{2, 5}, {3, 5}}),
                      namedGraphOf({{-1, "r"}, {0, "a"}, {1, "x"}, {1, "w"}, {0, "b"}, {4, "z"}},
                                   {{2, 5}, {3, 5}}));
    Scene scene;
    scene.setGraph(both.value().graph, std::make_shared<const Comparison>(both.value().comparison));
    scene.showKept(settings.showKept);
    scene.update(settings);
    return scene;
}

TEST(SceneDrawing, AComparisonDrawsItsChangesInTheirColoursLastAndMarksTheirNodes) {
    ViewSettings settings;
    DrawDescription frame = describeScene(comparedScene(settings), settings);
    // x -> z kept, w -> z added, y -> z removed.
    const CurveSet& curves = frame.curves;
    EXPECT_EQ(curves.fixedColours, (std::vector<Colour>{addedColour, removedColour}));
    EXPECT_EQ(curves.colourIndex, (std::vector<uint8_t>{0, 1, 2}));
    EXPECT_EQ(curves.opacity, (std::vector<float>{keptOpacity, 1.0f, 1.0f}))
        << "drawn opaque without blending, the kept curve is dimmed from full";
    EXPECT_EQ(curves.order, (std::vector<int32_t>{0, 2, 1}));
    EXPECT_EQ(curves.blendMode, BlendModeType::Alpha);
    EXPECT_EQ(curves.kindNames, (std::vector<std::string>{"kept", "removed", "added"}));
    EXPECT_EQ(curves.kindIndex, (std::vector<uint8_t>{0, 2, 1}));
    ASSERT_EQ(frame.marks.size(), 2u);
    EXPECT_EQ(frame.marks[0].colour, removedColour);
    EXPECT_EQ(frame.marks[1].colour, addedColour);
    EXPECT_EQ(frame.marks[1].ringCount(), 1u) << "around w alone";
    // The key ends with the kinds and their counts.
    const auto keyEnd = [](const DrawDescription& drawn) {
        return std::vector<LegendEntry>(drawn.legend.end() - 3, drawn.legend.end());
    };
    ASSERT_GE(frame.legend.size(), 3u);
    EXPECT_EQ(keyEnd(frame),
              (std::vector<LegendEntry>{LegendSwatch{addedColour, "added: 1"},
                                        LegendSwatch{removedColour, "removed: 1"},
                                        LegendSwatch{keptSwatch, "kept: 1, dimmed"}}));

    // Without the kept relations, only the two changes are bundled.
    settings.showKept = false;
    frame = describeScene(comparedScene(settings), settings);
    EXPECT_EQ(frame.curves.colourIndex, (std::vector<uint8_t>{1, 2}));
    EXPECT_EQ(frame.curves.order, (std::vector<int32_t>{1, 0}));
    EXPECT_EQ(std::get<LegendSwatch>(frame.legend.back()).text, "kept: 1, hidden");

    // Density counts every curve drawn, whatever its kind, and its key lists
    // no kinds' colours, which it does not draw.
    settings.blendMode = BlendModeType::Density;
    // Nor groups: the key is the density scale (nothing is bundled here).
    settings.colorBy = ColorBy::SourceGroup;
    frame = describeScene(comparedScene(settings), settings);
    EXPECT_EQ(frame.curves.blendMode, BlendModeType::Density);
    EXPECT_EQ(frame.legend, (std::vector<LegendEntry>{LegendDensity{settings.densityScale}}));
    EXPECT_TRUE(frame.groupBands.empty());
}

} // namespace
