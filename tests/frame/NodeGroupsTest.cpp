#include "frame/NodeGroups.h"

#include "frame/BothWays.h"
#include "frame/SceneDrawing.h"
#include "model/Cut.h"
#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace {

using testing_support::sceneOf;

using testing_support::namedGraphOf;
// A node: its parent and its name.
using Node = std::pair<int, std::string>;

// root(0): A(1) with a1, a2, a3 (4, 5, 6); B(2) with b1, b2 (7, 8); the
// leaf c(3) right under the root.
const std::vector<Node> abc{{-1, "root"}, {0, "A"},  {0, "B"},  {0, "c"}, {1, "a1"},
                            {1, "a2"},    {1, "a3"}, {2, "b1"}, {2, "b2"}};
// a1 -> b1 and back, a2 -> b2, b2 -> c and back.
const std::vector<std::pair<int, int>> abcRelations{{4, 7}, {7, 4}, {5, 8}, {8, 3}, {3, 8}};

Colour okabeIto(int k) {
    static const Colour published[] = {{0xE6 / 255.0f, 0x9F / 255.0f, 0x00 / 255.0f, 1.0f},
                                       {0x56 / 255.0f, 0xB4 / 255.0f, 0xE9 / 255.0f, 1.0f},
                                       {0x00 / 255.0f, 0x9E / 255.0f, 0x73 / 255.0f, 1.0f},
                                       {0xF0 / 255.0f, 0xE4 / 255.0f, 0x42 / 255.0f, 1.0f},
                                       {0x00 / 255.0f, 0x72 / 255.0f, 0xB2 / 255.0f, 1.0f},
                                       {0xD5 / 255.0f, 0x5E / 255.0f, 0x00 / 255.0f, 1.0f},
                                       {0xCC / 255.0f, 0x79 / 255.0f, 0xA7 / 255.0f, 1.0f}};
    return published[k];
}

std::vector<std::string> rankedNames(const CompoundGraph& graph, const NodeGroups& groups) {
    std::vector<std::string> names;
    for (const int32_t group : groups.ranked) {
        names.emplace_back(graph.name(group));
    }
    return names;
}

TEST(NodeGroups, ANodesGroupIsItsAncestorAtTheDepthOrItselfAbove) {
    const CompoundGraph graph = namedGraphOf(abc);
    const NodeGroups one = groupNodes(graph, {}, 1);
    // The leaf c, at depth 1, is no group of its own: the root's.
    EXPECT_EQ(one.groupOf, (std::vector<int32_t>{0, 1, 2, 0, 1, 1, 1, 2, 2}));
    // Biggest first: A holds three leaves, B two, the root c alone.
    EXPECT_EQ(rankedNames(graph, one), (std::vector<std::string>{"A", "B", "root"}));
    EXPECT_EQ(one.rank[1], 0);
    // At depth 2 the leaves there stay in A and B; c, above it, is a group.
    const NodeGroups two = groupNodes(graph, {}, 2);
    EXPECT_EQ(two.groupOf, (std::vector<int32_t>{0, 1, 2, 3, 1, 1, 1, 2, 2}));
    EXPECT_EQ(rankedNames(graph, two), (std::vector<std::string>{"A", "B", "c"}));
    EXPECT_EQ(two.rank[0], NodeGroups::unranked) << "the root is no curve's end";
    EXPECT_EQ(groupNodes(graph, {}, 0).groupOf, one.groupOf) << "three groups at depth 1";
    // Automatic: JHotDraw7 -> org.jhotdraw -> {app, draw, gui} -> classes
    // gives one group at depth 1, three at depth 2.
    const CompoundGraph packages = namedGraphOf({{-1, "JHotDraw7"},
                                                 {0, "org.jhotdraw"},
                                                 {1, "app"},
                                                 {1, "draw"},
                                                 {1, "gui"},
                                                 {2, "App"},
                                                 {3, "Figure"},
                                                 {4, "Panel"}});
    EXPECT_EQ(rankedNames(packages, groupNodes(packages, {}, 0)),
              (std::vector<std::string>{"app", "draw", "gui"}));
    EXPECT_EQ(rankedNames(packages, groupNodes(packages, {}, 1)),
              (std::vector<std::string>{"org.jhotdraw"}));
    // Cut at depth 1, A and B collapsed: above depth 2 each is its own group.
    const Cut cut = cutOf(graph, 1);
    EXPECT_EQ(rankedNames(graph, groupNodes(graph, cut.shownAs, 2)),
              (std::vector<std::string>{"A", "B", "c"}));
    // A single group takes the first colour.
    const CompoundGraph single = namedGraphOf({{-1, "root"}, {0, "X"}, {1, "x1"}, {1, "x2"}});
    const NodeGroups only = groupNodes(single, {}, 1);
    EXPECT_EQ(rankedNames(single, only), (std::vector<std::string>{"X"}));
    EXPECT_EQ(only.colourOfRank(only.rank[1]), okabeIto(0));
    EXPECT_FALSE(only.hasOthers());
    EXPECT_EQ(rankedNames(single, groupNodes(single, {}, 0)), (std::vector<std::string>{"X"}))
        << "never three: the deepest depth";
}

TEST(NodeGroups, ColoursGoByGroupSizeThenNameWhateverTheNodeOrder) {
    // The same groups, their nodes numbered in two orders: "Zed" and
    // "Alpha" have two leaves each, "Mid" three.
    const std::vector<Node> first{{-1, "r"}, {0, "Zed"}, {0, "Alpha"}, {0, "Mid"},
                                  {1, "z1"}, {1, "z2"},  {2, "al1"},   {2, "al2"},
                                  {3, "m1"}, {3, "m2"},  {3, "m3"}};
    const std::vector<Node> second{{-1, "r"},  {0, "Mid"}, {0, "Alpha"}, {0, "Zed"},
                                   {1, "m1"},  {1, "m2"},  {1, "m3"},    {2, "al1"},
                                   {2, "al2"}, {3, "z1"},  {3, "z2"}};
    for (const std::vector<Node>* nodes : {&first, &second}) {
        const CompoundGraph graph = namedGraphOf(*nodes);
        const NodeGroups groups = groupNodes(graph, {}, 1);
        EXPECT_EQ(rankedNames(graph, groups), (std::vector<std::string>{"Mid", "Alpha", "Zed"}));
        const std::vector<LegendEntry> legend = groupLegend(graph, groups);
        ASSERT_EQ(legend.size(), 3u);
        EXPECT_EQ(std::get<LegendSwatch>(legend[0]), (LegendSwatch{okabeIto(0), "Mid"}));
        EXPECT_EQ(std::get<LegendSwatch>(legend[1]), (LegendSwatch{okabeIto(1), "Alpha"}));
        EXPECT_EQ(std::get<LegendSwatch>(legend[2]), (LegendSwatch{okabeIto(2), "Zed"}));
    }
    // Groups of one name are told apart by their parents' names.
    const CompoundGraph alike = namedGraphOf({{-1, "r"},
                                              {0, "p"},
                                              {0, "q"},
                                              {1, "x"},
                                              {2, "x"},
                                              {2, "y"},
                                              {3, "x1"},
                                              {3, "x2"},
                                              {4, "x3"},
                                              {5, "y1"}});
    const std::vector<LegendEntry> told = groupLegend(alike, groupNodes(alike, {}, 2));
    ASSERT_EQ(told.size(), 3u);
    EXPECT_EQ(std::get<LegendSwatch>(told[0]).text, "p.x");
    EXPECT_EQ(std::get<LegendSwatch>(told[1]).text, "q.x");
    EXPECT_EQ(std::get<LegendSwatch>(told[2]).text, "y");
}

TEST(NodeGroups, PastThePaletteTheSmallestGroupsShareTheGrey) {
    // Eighteen groups, group k with k + 1 leaves. Of the seven Okabe-Ito
    // colours, vermillion lies within 14 of the tree's red: the six biggest
    // groups keep colours of their own, the others share the grey.
    std::vector<Node> nodes{{-1, "root"}};
    std::vector<int> firstLeaf;
    for (int k = 0; k < 18; ++k) {
        const int group = static_cast<int>(nodes.size());
        nodes.push_back({0, "g" + std::to_string(k)});
        firstLeaf.push_back(group + 1);
        for (int leaf = 0; leaf <= k; ++leaf) {
            nodes.push_back({group, "g" + std::to_string(k) + "." + std::to_string(leaf)});
        }
    }
    // From the smallest group (g0, ranked 18th), from g11 (7th) and from
    // g12 (6th, the palette's last colour), each to g17.
    const Scene scene = sceneOf(namedGraphOf(nodes, {{firstLeaf[0], firstLeaf[17]},
                                                     {firstLeaf[11], firstLeaf[17]},
                                                     {firstLeaf[12], firstLeaf[17]}}));
    const CompoundGraph& graph = scene.graph();
    const NodeGroups groups = groupNodes(graph, {}, 1);
    ASSERT_EQ(groups.ranked.size(), 18u);
    EXPECT_EQ(graph.name(groups.ranked[0]), "g17");
    EXPECT_EQ(groups.palette, (std::vector<Colour>{okabeIto(0), okabeIto(1), okabeIto(2),
                                                   okabeIto(3), okabeIto(4), okabeIto(6)}));
    EXPECT_EQ(groups.colourOfRank(6), othersColour);
    EXPECT_TRUE(groups.hasOthers());
    const std::vector<LegendEntry> legend = groupLegend(graph, groups);
    ASSERT_EQ(legend.size(), 7u);
    EXPECT_EQ(std::get<LegendSwatch>(legend[5]).text, "g12");
    EXPECT_EQ(std::get<LegendSwatch>(legend[6]), (LegendSwatch{othersColour, "others"}));

    CurveSet curves = describeCurves(scene, ViewSettings());
    styleGroups(curves, scene.bundles(), groups, ColorBy::SourceGroup);
    ASSERT_EQ(curves.curveCount(), 3);
    EXPECT_EQ(*curves.fixedColourOf(0), othersColour);
    EXPECT_EQ(*curves.fixedColourOf(1), othersColour);
    EXPECT_EQ(*curves.fixedColourOf(2), okabeIto(6));

    // Colours the picture gives other meanings leave too: a comparison's
    // added green is Okabe-Ito's own, the search marks' yellow too.
    EXPECT_EQ(
        groupNodes(graph, {}, 1, std::vector<Colour>{addedColour, removedColour}).palette,
        (std::vector<Colour>{okabeIto(0), okabeIto(1), okabeIto(3), okabeIto(4), okabeIto(6)}));
    EXPECT_EQ(
        groupNodes(graph, {}, 1, std::vector<Colour>{searchColour}).palette,
        (std::vector<Colour>{okabeIto(0), okabeIto(1), okabeIto(2), okabeIto(4), okabeIto(6)}));
}

TEST(NodeGroups, CurvesTakeTheirSourcesOrTargetsGroupColour) {
    const Scene scene = sceneOf(namedGraphOf(abc, abcRelations));
    const NodeGroups groups = groupNodes(scene.graph(), {}, 1);
    const Colour a = okabeIto(0);
    const Colour b = okabeIto(1);
    const Colour c = okabeIto(2);
    for (const auto& [by, expected] :
         {std::pair{ColorBy::SourceGroup, std::vector<Colour>{a, b, a, b, c}},
          std::pair{ColorBy::TargetGroup, std::vector<Colour>{b, a, b, c, b}}}) {
        CurveSet curves = describeCurves(scene, ViewSettings());
        const std::vector<float> opacity = curves.opacity;
        styleGroups(curves, scene.bundles(), groups, by);
        ASSERT_EQ(curves.curveCount(), 5);
        for (int32_t e = 0; e < 5; ++e) {
            ASSERT_NE(curves.fixedColourOf(e), nullptr);
            EXPECT_EQ(*curves.fixedColourOf(e), expected[static_cast<std::size_t>(e)]) << e;
        }
        EXPECT_EQ(curves.opacity, opacity) << "today's opacity rules";
    }
}

TEST(NodeGroups, BothWayRelationsAreFoundAndDrawnLastAndOpaque) {
    const CompoundGraph graph = namedGraphOf(abc, abcRelations);
    Scene scene = sceneOf(namedGraphOf(abc, abcRelations));
    const BothWays found = findBothWays(scene.bundles());
    EXPECT_EQ(found.marked, (std::vector<uint8_t>{1, 1, 0, 1, 1}));
    EXPECT_EQ(found.pairs, 2);
    // Cut at depth 1: A -> B (two relations) and B -> A, B -> c and c -> B.
    scene.setCut(cutOf(graph, 1));
    scene.update(ViewSettings());
    const BothWays bundled = findBothWays(scene.bundles());
    EXPECT_EQ(bundled.marked, (std::vector<uint8_t>{1, 1, 1, 1}));
    EXPECT_EQ(bundled.pairs, 2);

    CurveSet curves;
    curves.opacity = {0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
    curves.order = {4, 3, 2, 1, 0};
    const Colour white{1.0f, 1.0f, 1.0f, 1.0f};
    markBothWays(curves, found, white);
    EXPECT_EQ(curves.order, (std::vector<int32_t>{2, 4, 3, 1, 0}));
    EXPECT_EQ(curves.opacity, (std::vector<float>{1.0f, 1.0f, 0.5f, 1.0f, 1.0f}));
    EXPECT_EQ(curves.fixedColourOf(2), nullptr);
    EXPECT_EQ(*curves.fixedColourOf(3), white);
    EXPECT_EQ(std::get<LegendSwatch>(bothWayLegend(found, white)).text, "both ways: 2 pairs");
    EXPECT_EQ(std::get<LegendSwatch>(bothWayLegend(bundled, white)).text,
              "both ways, weaker \u2265 10 %: 2 pairs");

    // At a cut the weaker direction needs a tenth of the stronger's
    // relations: A holds a1..a11, each related to b1 in B, and b1 to a1
    // alone. Whole, a1 and b1 run both ways; A and B do with ten relations
    // from A (1 is 10 %), not with eleven.
    for (const auto& [leaves, expected] : {std::pair{10, 1}, std::pair{11, 0}}) {
        std::vector<Node> nodes{{-1, "root"}, {0, "A"}, {0, "B"}, {2, "b1"}};
        std::vector<std::pair<int, int>> relations{{3, 4}};
        for (int leaf = 0; leaf < leaves; ++leaf) {
            nodes.push_back({1, "a" + std::to_string(leaf + 1)});
            relations.emplace_back(4 + leaf, 3);
        }
        Scene weighed = sceneOf(namedGraphOf(nodes, relations));
        EXPECT_EQ(findBothWays(weighed.bundles()).pairs, 1) << leaves;
        weighed.setCut(cutOf(weighed.graph(), 1));
        weighed.update(ViewSettings());
        const BothWays atCut = findBothWays(weighed.bundles());
        EXPECT_EQ(atCut.pairs, expected) << leaves;
        EXPECT_EQ(atCut.marked, (std::vector<uint8_t>(2, static_cast<uint8_t>(expected))))
            << leaves;
    }
}

TEST(NodeGroups, TheBothWayColourIsTheCandidateFarthestFromThoseInUse) {
    const Colour white{1.0f, 1.0f, 1.0f, 1.0f};
    const Colour green{0.0f, 1.0f, 0.0f, 1.0f};
    const Colour magenta{1.0f, 0.0f, 1.0f, 1.0f};
    EXPECT_EQ(bothWayColour({}), white);
    // As people see them (CIEDE2000), magenta lies 42.2 from white, green
    // 33.3, yellow 30.5, cyan 25.5.
    EXPECT_EQ(bothWayColour(std::vector<Colour>{white}), magenta);
    // Then green, 33.3 from white, against yellow 30.5 and cyan 25.5.
    EXPECT_EQ(bothWayColour(std::vector<Colour>{white, magenta}), green);
}

TEST(NodeGroups, TheLegendExplainsEachModeAndTheBandsShowTheGroups) {
    const CompoundGraph graph = namedGraphOf(abc, abcRelations);
    Scene scene = sceneOf(namedGraphOf(abc, abcRelations));
    ViewSettings settings;
    EXPECT_EQ(describeScene(scene, settings).legend,
              (std::vector<LegendEntry>{LegendRamp{"source", "target"}}));
    EXPECT_TRUE(describeScene(scene, settings).groupBands.empty());
    settings.colorBy = ColorBy::SourceGroup;
    const DrawDescription grouped = describeScene(scene, settings);
    EXPECT_EQ(grouped.legend, (std::vector<LegendEntry>{LegendSwatch{okabeIto(0), "A"},
                                                        LegendSwatch{okabeIto(1), "B"},
                                                        LegendSwatch{okabeIto(2), "root"}}))
        << "c, a leaf at the group depth, is in the root's group";
    // The radial bands: one arc per group, just outside the leaves' boxes
    // (from the leaf circle at 0.8 to 0.9: two levels share rings 0.2
    // wide), clockwise from the top along the group's leaves: A's are the
    // first three of the six, B's the next two.
    ASSERT_EQ(grouped.groupBands.size(), 3u);
    EXPECT_EQ(grouped.groupBands[0].colour, okabeIto(0));
    const Point startA = grouped.groupBands[0].segments.front();
    const float r = std::hypot(startA.x, startA.y);
    EXPECT_GT(r, 0.9f);
    EXPECT_LT(r, 0.91f);
    EXPECT_NEAR(startA.x, 0.0f, 1e-6);
    const LineSet& bandB = grouped.groupBands[1];
    EXPECT_EQ(bandB.colour, okabeIto(1));
    EXPECT_NEAR(bandB.segments.front().x, 0.0f, 1e-6) << "B starts at the bottom";
    EXPECT_NEAR(bandB.segments.front().y, -r, 1e-6);
    EXPECT_NEAR(bandB.segments.back().x, -r * std::sqrt(3.0f) / 2.0f, 1e-5) << "five sixths round";
    EXPECT_NEAR(bandB.segments.back().y, r / 2.0f, 1e-5);
    settings.markBothWays = true;
    const DrawDescription marked = describeScene(scene, settings);
    ASSERT_EQ(marked.legend.size(), 4u);
    const auto& pairs = std::get<LegendSwatch>(marked.legend.back());
    EXPECT_EQ(pairs.text, "both ways: 2 pairs") << "each relation a bundle of its own";
    for (const LegendEntry& entry : grouped.legend) {
        EXPECT_NE(std::get<LegendSwatch>(entry).colour, pairs.colour) << "a colour of its own";
    }
    // Highlighted, the curves keep their groups' colours and the key its
    // rows; along the ramp, the two highlight colours come last.
    ViewState view;
    view.highlighted = 5;
    const DrawDescription kept = describeScene(scene, settings, view);
    EXPECT_EQ(kept.legend, marked.legend);
    EXPECT_EQ(*kept.curves.fixedColourOf(2), okabeIto(0)) << "a2 -> b2 leaves A";
    EXPECT_EQ(kept.curves.opacity[2], 1.0f);
    EXPECT_LT(kept.curves.opacity[3], 1.0f) << "b2 -> c, not a2's, dimmed";
    settings.colorBy = ColorBy::Ramp;
    const DrawDescription highlighted = describeScene(scene, settings, view);
    ASSERT_EQ(highlighted.legend.size(), 4u);
    EXPECT_EQ(highlighted.legend[2],
              (LegendEntry{LegendSwatch{leavingColour, "outgoing relations"}}));
    EXPECT_EQ(highlighted.legend[3],
              (LegendEntry{LegendSwatch{arrivingColour, "incoming relations"}}));
    // The density view's scale; bundles of the cut at depth 1 and their
    // widths, by styleBundles' rule: one relation 5 pixels, two 20.
    settings = ViewSettings();
    settings.blendMode = BlendModeType::Density;
    settings.densityScale = DensityScaleType::EqHist;
    scene.setCut(cutOf(graph, 1));
    scene.update(settings);
    LegendWidths widths;
    widths.samples = {{5.0f, 1}, {20.0f, 2}};
    EXPECT_EQ(describeScene(scene, settings).legend,
              (std::vector<LegendEntry>{LegendDensity{DensityScaleType::EqHist}, widths}));
    settings.showSplines = false;
    EXPECT_TRUE(describeScene(scene, settings).legend.empty()) << "no curves, nothing to explain";
}

} // namespace
