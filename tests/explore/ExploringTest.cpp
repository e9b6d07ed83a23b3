#include "explore/Picking.h"
#include "model/Cut.h"
#include "model/Highlight.h"
#include "model/Search.h"

#include "layout/TreeLayouts.h"
#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

namespace {

using testing_support::graphOf;
using testing_support::namedGraphOf;
using testing_support::sceneOf;

// root(0) -> a(1) -> {a1(3), a2(4)}, root -> b(2) -> {b1(5)}; relations
// a1 -> b1, a2 -> a1 (inside a), b1 -> a2, b1 -> a1.
CompoundGraph smallGraph() {
    CompoundGraph graph = graphOf({-1, 0, 0, 1, 1, 2}, {{3, 5}, {4, 3}, {5, 4}, {5, 3}});
    return graph;
}

// With nothing collapsed, each relation is a bundle.
Highlight highlightOf(const CompoundGraph& graph, int32_t node) {
    return highlightOf(graph, gatherBundles(graph, cutOf(graph, 0).shownAs), node);
}

TEST(Highlight, ALeafsRelationsLeaveAndArrive) {
    const Highlight leaf = highlightOf(smallGraph(), 3);
    EXPECT_EQ(leaf.emphasis, (std::vector<uint8_t>{Highlight::Leaving, Highlight::Arriving,
                                                   Highlight::Other, Highlight::Arriving}));
    EXPECT_EQ(leaf.leaving, 1);
    EXPECT_EQ(leaf.arriving, 2);
    EXPECT_EQ(leaf.leaves, 1);
}

TEST(Highlight, AnInnerNodeCountsItsSubtreeAndNotWhatStaysInside) {
    const Highlight inner = highlightOf(smallGraph(), 1);
    EXPECT_EQ(inner.emphasis, (std::vector<uint8_t>{Highlight::Leaving, Highlight::Other,
                                                    Highlight::Arriving, Highlight::Arriving}));
    EXPECT_EQ(inner.leaves, 2);
    const Highlight root = highlightOf(smallGraph(), 0);
    EXPECT_EQ(root.leaving + root.arriving, 0);
    EXPECT_EQ(root.leaves, 3);
}

TEST(Highlight, PathsRunFromTheRootDown) {
    const CompoundGraph graph = smallGraph();
    EXPECT_EQ(pathOf(graph, 5), "n0.n2.n5");
    EXPECT_EQ(pathOf(graph, 0), "n0");
}

// A chain of `depth` nodes named a with a leaf b at the bottom, at that depth.
CompoundGraph deepChain(int depth) {
    CompoundGraphBuilder builder;
    builder.addNodes(depth + 1);
    builder.setRoot(0);
    for (int node = 0; node <= depth; ++node) {
        builder.setName(node, node == depth ? "b" : "a");
        if (node > 0) {
            builder.link(node - 1, node);
        }
    }
    return builder.finish();
}

TEST(Highlight, LongPathsAreShownByTheirEndsAndTheDepth) {
    const CompoundGraph chain = deepChain(5000);
    // 57 bytes at each end: 29 one-letter names and their dots.
    std::string top = "a";
    for (int i = 1; i < 29; ++i) {
        top += ".a";
    }
    const std::string bottom = top.substr(0, 55) + ".b";
    EXPECT_EQ(shownPath(chain, 5000), top + " ... " + bottom + " (depth 5000)");
    EXPECT_EQ(pathOf(chain, 5000).size(), 10001u) << "the whole path where it is needed";
    EXPECT_EQ(shownPath(chain, 59), pathOf(chain, 59)) << "119 bytes: shown whole";

    // A single long name is cut between characters, never inside one.
    std::string accents;
    for (int i = 0; i < 100; ++i) {
        accents += "\u00e9";
    }
    const CompoundGraph one = namedGraphOf({{-1, accents}});
    EXPECT_EQ(shownPath(one, 0),
              accents.substr(0, 56) + " ... " + accents.substr(0, 56) + " (depth 0)");
}

TEST(Search, NamesAndPathsMatchWithoutCase) {
    CompoundGraphBuilder builder;
    builder.addNodes(4);
    builder.setRoot(0);
    builder.setName(0, "org");
    builder.setName(1, "JHotDraw");
    builder.setName(2, "Figure");
    builder.setName(3, "figures");
    builder.link(0, 1);
    builder.link(1, 2);
    builder.link(0, 3);
    const CompoundGraph graph = builder.finish();
    EXPECT_EQ(searchNodes(graph, "FIGURE"), (std::vector<int32_t>{2, 3}));
    EXPECT_EQ(searchNodes(graph, "hotdraw.fig"), (std::vector<int32_t>{2})) << "a path";
    EXPECT_EQ(searchNodes(graph, "org"), (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_TRUE(searchNodes(graph, "").empty());
    EXPECT_TRUE(searchNodes(graph, "nothing").empty());
}

TEST(Search, AMatchMayRunAcrossNamesAndRestartsWithinTheText) {
    const CompoundGraph graph = namedGraphOf({
        {-1, "x"},    // 0 x
        {0, "a"},     // 1 x.a
        {1, "a"},     // 2 x.a.a
        {2, "a"},     // 3 x.a.a.a
        {3, "b"},     // 4 x.a.a.a.b: the match starts at the second a
        {2, "B"},     // 5 x.a.a.B
        {1, "a.a.b"}, // 6 x.a.a.a.b, within a name
        {0, "c"},     // 7 x.c
        {-1, "A.A"},  // 8 another tree
        {8, "b"},     // 9 A.A.b
        {4, "z"},     // 10 below a match
        {1, "ab"},    // 11 x.a.ab
    });
    EXPECT_EQ(searchNodes(graph, "a.a.b"), (std::vector<int32_t>{4, 5, 6, 9, 10}));
    EXPECT_EQ(searchNodes(graph, "X."), (std::vector<int32_t>{1, 2, 3, 4, 5, 6, 7, 10, 11}))
        << "found at the dot before a name";

    const CompoundGraph chain = deepChain(5000);
    EXPECT_EQ(searchNodes(chain, "A.B"), std::vector<int32_t>{5000});
    EXPECT_EQ(searchNodes(chain, "a").size(), 5001u);
}

TEST(Picking, NodeLinkLayoutsPickTheNearestNodeWithinTheRadius) {
    for (const TreeLayoutType type : {TreeLayoutType::Radial, TreeLayoutType::Classic}) {
        ViewSettings settings;
        settings.layoutType = type;
        const Scene scene = sceneOf(smallGraph(), settings);
        const std::span<const Point> at = scene.positions();
        for (int32_t node = 0; node < 6; ++node) {
            const Point p = at[static_cast<std::size_t>(node)];
            EXPECT_EQ(pickNode(scene.graph(), at, {}, p, 0.01f), node);
            EXPECT_EQ(pickNode(scene.graph(), at, {}, {p.x + 0.005f, p.y}, 0.01f), node)
                << "near it";
        }
        // Between leaves a1 and a2, near a2.
        const Point a1 = at[3];
        const Point a2 = at[4];
        const Point between{a1.x + 0.9f * (a2.x - a1.x), a1.y + 0.9f * (a2.y - a1.y)};
        EXPECT_EQ(pickNode(scene.graph(), at, {}, between, 2.0f), 4);
        EXPECT_EQ(pickNode(scene.graph(), at, {}, between, 0.001f), CompoundGraph::none);
    }
}

TEST(Picking, TreeMapsPickTheInnermostRectangleAndTheSpacingBelongsToTheParent) {
    for (const TreeLayoutType type : {TreeLayoutType::TreeMapSlice, TreeLayoutType::TreeMapSquared,
                                      TreeLayoutType::TreeMapStrip}) {
        ViewSettings settings;
        settings.layoutType = type;
        settings.treeMapSpacing = 0.04f;
        const Scene scene = sceneOf(smallGraph(), settings);
        const std::vector<Rect> rects = treeMapRectangles(scene.graph(), scene.treeMap());
        const CompoundGraph& graph = scene.graph();
        for (int32_t node = 0; node < 6; ++node) {
            const Rect& r = rects[static_cast<std::size_t>(node)];
            const Point centre{(r.x0 + r.x1) / 2.0f, (r.y0 + r.y1) / 2.0f};
            if (graph.isLeaf(node)) {
                EXPECT_EQ(pickNode(graph, scene.positions(), rects, centre, 0.0f), node);
            }
            // Just inside the rectangle's edge: in the spacing before its children.
            const Point edge{r.x0 + 0.01f, centre.y};
            EXPECT_EQ(pickNode(graph, scene.positions(), rects, edge, 0.0f), node) << node;
        }
        EXPECT_EQ(pickNode(graph, scene.positions(), rects, {1.5f, 0.0f}, 0.0f),
                  CompoundGraph::none);
    }
}

} // namespace
