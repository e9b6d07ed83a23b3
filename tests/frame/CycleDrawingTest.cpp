#include "frame/CycleDrawing.h"

#include "frame/SceneDrawing.h"
#include "model/Cut.h"
#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using testing_support::namedGraphOf;
using testing_support::sceneOf;

// a1 -> b1 and b2 -> a2 make no cycle among the leaves, but at depth 1 A
// and B form one group of two relations, one of which is cut; A -> C lies
// in no group and fades.
TEST(CycleDrawing, AGroupsCurvesTakeItsColourTheCutOneItsOwnTheRestFade) {
    const std::vector<std::pair<int, std::string>> nodes{{-1, "root"}, {0, "A"},  {0, "B"},
                                                         {0, "C"},     {1, "a1"}, {1, "a2"},
                                                         {2, "b1"},    {2, "b2"}, {3, "c1"}};
    Scene scene = sceneOf(namedGraphOf(nodes, {{4, 6}, {7, 5}, {4, 8}}));
    ViewSettings settings;
    settings.showCycles = true;
    const DrawDescription whole = describeScene(scene, settings);
    EXPECT_EQ(std::get<LegendSwatch>(whole.legend.back()).text, "no cycles");

    scene.setCut(cutOf(scene.graph(), 1));
    scene.update(settings);
    const DrawDescription cut = describeScene(scene, settings);
    const Bundles& bundles = scene.bundles();
    ASSERT_EQ(bundles.bundleCount(), 3);
    int faded = -1;
    std::vector<int> inside;
    for (int e = 0; e < 3; ++e) {
        if (bundles.target[static_cast<std::size_t>(e)] == 3) {
            faded = e;
        } else {
            inside.push_back(e);
        }
    }
    ASSERT_EQ(inside.size(), 2u);
    const CurveSet& curves = cut.curves;
    EXPECT_EQ(curves.blendMode, BlendModeType::Alpha);
    EXPECT_EQ(curves.fixedColourOf(faded), nullptr);
    EXPECT_LT(curves.opacity[static_cast<std::size_t>(faded)], 1.0f);
    const auto& groups = std::get<LegendSwatch>(cut.legend[cut.legend.size() - 2]);
    const auto& toCut = std::get<LegendSwatch>(cut.legend.back());
    EXPECT_EQ(groups.text, "cycles: 1 group of 2 nodes, 2 relations");
    EXPECT_EQ(toCut.text, "to cut: 1 relation");
    int cutCurves = 0;
    for (const int e : inside) {
        EXPECT_EQ(curves.opacity[static_cast<std::size_t>(e)], 1.0f);
        ASSERT_NE(curves.fixedColourOf(e), nullptr);
        cutCurves += *curves.fixedColourOf(e) == toCut.colour ? 1 : 0;
        // Only the cut one is dashed.
        EXPECT_EQ(curves.dashedCurve(e), *curves.fixedColourOf(e) == toCut.colour);
        EXPECT_TRUE(*curves.fixedColourOf(e) == toCut.colour ||
                    *curves.fixedColourOf(e) == groups.colour);
    }
    EXPECT_EQ(cutCurves, 1);
    EXPECT_NE(groups.colour, toCut.colour);
    // Faded first, the group's then, the cut one over everything.
    EXPECT_EQ(curves.curveAt(0), faded);
    EXPECT_EQ(*curves.fixedColourOf(curves.curveAt(2)), toCut.colour);
    EXPECT_FALSE(curves.dashedCurve(faded));
    // A and B outlined in the group's colour, each by one ring around it.
    ASSERT_EQ(cut.marks.size(), 1u);
    const LineSet& outline = cut.marks.front();
    EXPECT_EQ(outline.colour, groups.colour);
    ASSERT_EQ(outline.ringCount(), 2u);
    for (std::size_t ring = 0; ring < 2; ++ring) {
        const Point centre = scene.positions()[ring + 1];
        Point sum{0.0f, 0.0f};
        for (std::size_t j = 0; j < LineSet::ringVertexCount; ++j) {
            sum.x += outline.ringVertices[ring * LineSet::ringVertexCount + j].x;
            sum.y += outline.ringVertices[ring * LineSet::ringVertexCount + j].y;
        }
        EXPECT_NEAR(sum.x / LineSet::ringVertexCount, centre.x, 1e-4f);
        EXPECT_NEAR(sum.y / LineSet::ringVertexCount, centre.y, 1e-4f);
    }
}

} // namespace
