#include "graph/GraphComparison.h"

#include "model/Scene.h"
#include "tests/support/GraphFixtures.h"
#include "tests/support/GraphText.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using testing_support::namedGraphOf;
using testing_support::outline;

// Last year's version: r{p1{A B} q{X Y}}, its root named after its file.
CompoundGraph lastYear() {
    return namedGraphOf(
        {{-1, "deps-1.2.json"}, {0, "p1"}, {1, "A"}, {1, "B"}, {0, "q"}, {4, "X"}, {4, "Y"}},
        {{2, 3}, {5, 2}, {5, 1}});
}

// This year's: A and B moved to p2, C is new in p1, q orders its children
// the other way and holds X twice.
CompoundGraph thisYear() {
    return namedGraphOf({{-1, "deps-1.3.json"},
                         {0, "p1"},
                         {1, "C"},
                         {0, "p2"},
                         {3, "A"},
                         {3, "B"},
                         {0, "q"},
                         {6, "Y"},
                         {6, "X"},
                         {6, "X"}},
                        {{4, 5}, {8, 1}, {9, 8}, {2, 4}});
}

ComparedGraphs compared(const CompoundGraph& older, const CompoundGraph& newer) {
    Result<ComparedGraphs> union_ = compareGraphs(older, newer);
    EXPECT_TRUE(union_.ok());
    return std::move(union_).value();
}

// A node's path below the root, as the comparison matches it.
std::string pathBelowRoot(const CompoundGraph& graph, int32_t node) {
    std::string path;
    for (int32_t at = node; at != graph.root; at = graph.parent[static_cast<std::size_t>(at)]) {
        path = std::string(graph.name(at)) + (path.empty() ? "" : "." + path);
    }
    return path;
}

// Each relation as "source>target kind", in the union's order.
std::vector<std::string> relationsOf(const ComparedGraphs& both) {
    const char* const kindNames[] = {"kept", "added", "removed"};
    std::vector<std::string> relations;
    for (int32_t e = 0; e < both.graph.edgeCount(); ++e) {
        relations.push_back(pathBelowRoot(both.graph, both.graph.source[e]) + ">" +
                            pathBelowRoot(both.graph, both.graph.target[e]) + " " +
                            kindNames[static_cast<int>(both.comparison.kinds[e])]);
    }
    return relations;
}

TEST(GraphComparison, NodesMatchByTheirPathAndRelationsByTheirEnds) {
    const ComparedGraphs both = compared(lastYear(), thisYear());
    // p2 is new between p1 and q; p1's A and B (only last year's) and C
    // (only this year's) by name; q's X and Y, ordered both ways, by name.
    EXPECT_EQ(outline(both.graph, both.graph.root), "deps-1.3.json(p1(A B C) p2(A B) q(X Y))");
    // A relation whose ends moved is one removed and one added; the two X
    // are one node, so the relation between them is none.
    EXPECT_EQ(relationsOf(both),
              (std::vector<std::string>{"p1.A>p1.B removed", "p1.C>p2.A added", "p2.A>p2.B added",
                                        "q.X>p1 kept", "q.X>p1.A removed"}));
    EXPECT_EQ(both.comparison.summary.line(),
              "Compared: 2 added, 2 removed, 1 kept relations; 4 added, 2 removed nodes");
    // In the union's order: root, p1, p1.A, p1.B, p1.C, p2, p2.A, p2.B, q, ...
    using enum NodeOrigin;
    EXPECT_EQ(both.comparison.origins,
              (std::vector<NodeOrigin>{Both, Both, Removed, Removed, Added, Added, Added, Added,
                                       Both, Both, Both}));
}

TEST(GraphComparison, SwappingTheVersionsSwapsAddedAndRemovedAndMovesNothing) {
    const ComparedGraphs forwards = compared(lastYear(), thisYear());
    const ComparedGraphs backwards = compared(thisYear(), lastYear());
    EXPECT_EQ(outline(backwards.graph, backwards.graph.root),
              "deps-1.2.json(p1(A B C) p2(A B) q(X Y))");
    EXPECT_EQ(relationsOf(backwards),
              (std::vector<std::string>{"p1.A>p1.B added", "p1.C>p2.A removed", "p2.A>p2.B removed",
                                        "q.X>p1 kept", "q.X>p1.A added"}));
    EXPECT_EQ(backwards.comparison.summary.line(),
              "Compared: 2 added, 2 removed, 1 kept relations; 2 added, 4 removed nodes");

    // One layout for the union, whichever version is the older.
    for (const TreeLayoutType layout : {TreeLayoutType::Radial, TreeLayoutType::TreeMapSquared}) {
        ViewSettings settings;
        settings.layoutType = layout;
        Scene first;
        first.setGraph(forwards.graph);
        first.update(settings);
        Scene second;
        second.setGraph(backwards.graph);
        second.update(settings);
        ASSERT_EQ(first.positions().size(), second.positions().size());
        for (std::size_t node = 0; node < first.positions().size(); ++node) {
            EXPECT_EQ(first.positions()[node].x, second.positions()[node].x) << node;
            EXPECT_EQ(first.positions()[node].y, second.positions()[node].y) << node;
        }
    }
}

TEST(GraphComparison, AVersionComparedWithItselfKeepsEverything) {
    const CompoundGraph graph = thisYear();
    const ComparedGraphs both = compared(graph, graph);
    EXPECT_EQ(both.comparison.summary.line(),
              "Compared: 0 added, 0 removed, 3 kept relations; 0 added, 0 removed nodes");
    EXPECT_EQ(both.graph.nodeCount(), graph.nodeCount() - 1) << "the two X are one";
}

} // namespace
