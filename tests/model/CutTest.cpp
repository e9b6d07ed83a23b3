#include "model/Cut.h"

#include "model/CutView.h"

#include "bundling/Bundles.h"
#include "explore/Picking.h"
#include "frame/SceneDrawing.h"
#include "layout/TreeLayouts.h"
#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using testing_support::graphOf;
using testing_support::sceneOf;

// root(0) -> A(1) -> {a1(3), a2(4) -> {a2x(7)}}, root -> B(2) -> {b1(5), b2(6)}.
// Relations: a1->b1, a1->b2, a2->b1, a2x->b1, b1->a1 (reverse), a1->a2
// (inside A), A->a1 (a node to its own descendant), a2x->a2, b2->A.
CompoundGraph twoGroups() {
    return graphOf({-1, 0, 0, 1, 1, 2, 2, 4},
                   {{3, 5}, {3, 6}, {4, 5}, {7, 5}, {5, 3}, {3, 4}, {1, 3}, {7, 4}, {6, 1}});
}

struct Bundle {
    int32_t source;
    int32_t target;
    uint32_t count;
    bool operator==(const Bundle&) const = default;
};

std::vector<Bundle> bundlesOf(const CompoundGraph& graph, const Cut& cut) {
    const Bundles bundles = gatherBundles(graph, cut.shownAs);
    std::vector<Bundle> all;
    for (int32_t b = 0; b < bundles.bundleCount(); ++b) {
        all.push_back({bundles.source[b], bundles.target[b], bundles.count[b]});
    }
    return all;
}

TEST(CutView, SaysWhatACutShowsNodeByNode) {
    const CompoundGraph graph = twoGroups();
    struct Expected {
        std::vector<int32_t> shownAs;
        std::vector<int32_t> collapsed;
        std::vector<int32_t> ends;
    };
    // Worked out by hand from the tree above: with A collapsed, a1, a2 and
    // a2x are drawn as A, which ends the shown tree beside the leaves b1 and
    // b2; with a2 collapsed only a2x is drawn as a2, and A stays open.
    const std::vector<std::pair<std::vector<int32_t>, Expected>> cases{
        {{1}, {{0, 1, 2, 1, 1, 5, 6, 1}, {1}, {1, 5, 6}}},
        {{4}, {{0, 1, 2, 3, 4, 5, 6, 4}, {4}, {3, 4, 5, 6}}},
    };
    for (const auto& [toggled, expected] : cases) {
        const Cut cut = cutOf(graph, 0, toggled);
        const CutView view(graph, cut.shownAs);
        std::vector<int32_t> shownAs;
        std::vector<int32_t> collapsed;
        std::vector<int32_t> ends;
        for (int32_t node = 0; node < graph.nodeCount(); ++node) {
            shownAs.push_back(view.shownAs(node));
            EXPECT_EQ(view.shown(node), expected.shownAs[static_cast<std::size_t>(node)] == node);
            if (view.collapsed(node)) {
                collapsed.push_back(node);
            }
            if (view.endsShownTree(node)) {
                ends.push_back(node);
            }
        }
        EXPECT_EQ(shownAs, expected.shownAs);
        EXPECT_EQ(collapsed, expected.collapsed);
        EXPECT_EQ(ends, expected.ends);
    }
    // Without a cut every node is itself, nothing is collapsed, and the
    // leaves end the tree.
    const CutView whole(graph);
    for (int32_t node = 0; node < graph.nodeCount(); ++node) {
        EXPECT_TRUE(whole.shown(node));
        EXPECT_EQ(whole.shownAs(node), node);
        EXPECT_FALSE(whole.collapsed(node));
        EXPECT_EQ(whole.endsShownTree(node), graph.isLeaf(node));
    }
}

TEST(Bundles, RelationsGatherByTheNodesShownForTheirEnds) {
    const CompoundGraph graph = twoGroups();
    // Nothing collapsed: each relation is its own bundle, in order, even
    // A -> a1 between a node and its descendant.
    EXPECT_EQ(bundlesOf(graph, cutOf(graph, 0)).size(), 9u);
    EXPECT_EQ(bundlesOf(graph, cutOf(graph, 0))[6], (Bundle{1, 3, 1}));

    // A collapsed: three relations into b1 gather, three lie inside A.
    const Cut a = cutOf(graph, 0, std::vector<int32_t>{1});
    EXPECT_EQ(bundlesOf(graph, a),
              (std::vector<Bundle>{{1, 5, 3}, {1, 6, 1}, {5, 1, 1}, {6, 1, 1}}));
    EXPECT_EQ(gatherBundles(graph, a.shownAs).inside[1], 3u);

    // Both groups at depth 1: one bundle each way.
    const Cut both = cutOf(graph, 1);
    EXPECT_EQ(both.collapsed, (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(bundlesOf(graph, both), (std::vector<Bundle>{{1, 2, 4}, {2, 1, 2}}));

    // Nested: a2 collapsed inside the shown A, then A collapsed over it.
    const Cut a2 = cutOf(graph, 0, std::vector<int32_t>{4});
    EXPECT_EQ(a2.shownAs[7], 4);
    EXPECT_EQ(bundlesOf(graph, a2)[2], (Bundle{4, 5, 2})) << "a2->b1 and a2x->b1";
    const Cut nested = cutOf(graph, 0, std::vector<int32_t>{1, 4});
    EXPECT_EQ(nested.collapsed, (std::vector<int32_t>{1})) << "a2 is hidden in A";
    EXPECT_EQ(nested.shownAs[7], 1);
    EXPECT_EQ(collapsedAbove(graph, nested, 7), (std::vector<int32_t>{1, 4}));
}

TEST(Bundles, InAComparisonEachKindGathersApartAndKeptOnesMayBeLeftOut) {
    const CompoundGraph graph = twoGroups();
    using enum RelationKind;
    const std::vector<RelationKind> kinds{Kept,  Added, Removed, Kept, Kept,
                                          Added, Kept,  Kept,    Added};
    // A -> B holds two kept relations, one added and one removed; B -> A one
    // kept and one added.
    const Cut both = cutOf(graph, 1);
    const Bundles all = gatherBundles(graph, both.shownAs, ThreadPool::shared(), kinds);
    EXPECT_EQ(all.source, (std::vector<int32_t>{1, 1, 1, 2, 2}));
    EXPECT_EQ(all.target, (std::vector<int32_t>{2, 2, 2, 1, 1}));
    EXPECT_EQ(all.count, (std::vector<uint32_t>{2, 1, 1, 1, 1}));
    EXPECT_EQ(all.kind, (std::vector<RelationKind>{Kept, Added, Removed, Kept, Added}));
    EXPECT_EQ(all.inside[1], 3u);

    const Bundles changed = gatherBundles(graph, both.shownAs, ThreadPool::shared(), kinds, false);
    EXPECT_EQ(changed.count, (std::vector<uint32_t>{1, 1, 1}));
    EXPECT_EQ(changed.kind, (std::vector<RelationKind>{Added, Removed, Added}));
    EXPECT_EQ(changed.inside[1], 1u) << "a1 -> a2 only";

    // Nothing collapsed: the changed relations one each, in order.
    const Bundles whole =
        gatherBundles(graph, cutOf(graph, 0).shownAs, ThreadPool::shared(), kinds, false);
    EXPECT_EQ(whole.source, (std::vector<int32_t>{3, 4, 3, 6}));
    EXPECT_EQ(whole.kind, (std::vector<RelationKind>{Added, Removed, Added, Added}));

    // The opening depth counts the bundles as drawn: split by kind, depth 2
    // draws 8 (a2->b1 removed and a2x->b1 kept stay apart), not 7; with the
    // kept ones left out, the whole tree draws only its 4 changes.
    EXPECT_EQ(openingDepth(graph, 7), 2);
    EXPECT_EQ(openingDepth(graph, 7, ThreadPool::shared(), kinds), 1);
    EXPECT_EQ(openingDepth(graph, 8, ThreadPool::shared(), kinds), 2);
    EXPECT_EQ(openingDepth(graph, 4, ThreadPool::shared(), kinds, false), 3);
    EXPECT_EQ(openingDepth(graph, 3, ThreadPool::shared(), kinds, false), 1);
}

TEST(Cut, DepthsTogglesAndTheLine) {
    const CompoundGraph graph = twoGroups();
    EXPECT_EQ(treeDepth(graph), 3);
    // Toggling a node the depth collapses expands it; a leaf never folds.
    EXPECT_EQ(cutOf(graph, 1, std::vector<int32_t>{2}).collapsed, (std::vector<int32_t>{1}));
    EXPECT_TRUE(cutOf(graph, 0, std::vector<int32_t>{3}).collapsed.empty());
    EXPECT_TRUE(cutOf(graph, 3).collapsed.empty()) << "the tree's depth shows it all";
    EXPECT_EQ(cutOf(graph, 3), cutOf(graph, 0));
    // Depth 1: 2 bundles; depth 2 (a2 collapsed): a2->b1 and a2x->b1 gather
    // and a2x->a2 lies inside, 7 bundles; the whole tree: 9.
    EXPECT_EQ(openingDepth(graph, 2), 1);
    EXPECT_EQ(openingDepth(graph, 6), 1);
    EXPECT_EQ(openingDepth(graph, 7), 2);
    EXPECT_EQ(openingDepth(graph, 8), 2);
    EXPECT_EQ(openingDepth(graph, 9), 3);
    EXPECT_EQ(openingDepth(graph, 1), 1) << "not even depth 1 fits";

    EXPECT_EQ((CutSummary{2, 4, false, 120, 245210}).line(),
              "Depth 2 of 4: 120 bundles of 245210 relations");
    EXPECT_EQ((CutSummary{2, 4, true, 7, 30}).line(), "Custom cut: 7 bundles of 30 relations");
}

TEST(Cut, CollapsingMovesNoOtherNodeAndPicksOnlyShownNodes) {
    for (const TreeLayoutType layout : {TreeLayoutType::Radial, TreeLayoutType::Classic}) {
        ViewSettings settings;
        settings.layoutType = layout;
        Scene scene = sceneOf(twoGroups(), settings);
        const std::vector<Point> before(scene.positions().begin(), scene.positions().end());
        scene.setCut(cutOf(scene.graph(), 0, std::vector<int32_t>{1}));
        scene.update(settings);
        for (int32_t node = 0; node < scene.graph().nodeCount(); ++node) {
            if (node != 1) {
                EXPECT_EQ(scene.positions()[node], before[node]) << "node " << node;
            }
        }
        // A lies where a leaf spanning its leaves a1 and a2x would: the
        // middle of the first half of the four leaves, on the leaf circle or
        // the leaf line.
        const Point a = scene.positions()[1];
        if (layout == TreeLayoutType::Radial) {
            EXPECT_FLOAT_EQ(std::hypot(a.x, a.y), 0.8f);
            EXPECT_NEAR(std::atan2(a.x, a.y), 0.25 * 2.0 * M_PI, 1e-5);
        } else {
            EXPECT_EQ(a, (Point{-0.5f, 0.0f}));
        }
        // a1's place picks nothing now; A's picks A.
        const std::span<const int32_t> shownAs = scene.cut().shownAs;
        EXPECT_EQ(pickNode(scene.graph(), scene.positions(), {}, before[3], 0.01f, shownAs),
                  CompoundGraph::none);
        EXPECT_EQ(pickNode(scene.graph(), scene.positions(), {}, a, 0.01f, shownAs), 1);
        // The overlay links only the shown nodes: root-A, root-B, B-b1, B-b2.
        EXPECT_EQ(describeOverlay(scene.graph(), scene.positions(), 1.0f, shownAs).segments.size(),
                  8u);
    }
}

} // namespace
