#include "model/NamedNodes.h"

#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

namespace {

using testing_support::namedGraphOf;

// JHotDraw7 -> org.jhotdraw (one name) -> {app -> action -> x, samples ->
// action}, as a package graph names its nodes.
CompoundGraph packages() {
    return namedGraphOf({{-1, "JHotDraw7"},
                         {0, "org.jhotdraw"},
                         {1, "app"},
                         {2, "action"},
                         {1, "samples"},
                         {4, "action"},
                         {3, "x"}});
}

int32_t named(const CompoundGraph& graph, std::string_view name) {
    const Result<int32_t> node = nodeNamed(graph, name, "g.rsf");
    return node ? node.value() : CompoundGraph::none;
}

TEST(NamedNodes, ANodeIsNamedByItsPathWithOrWithoutTheTopOrByATailOnlyItHas) {
    const CompoundGraph graph = packages();
    EXPECT_EQ(named(graph, "JHotDraw7.org.jhotdraw.app.action"), 3);
    EXPECT_EQ(named(graph, "org.jhotdraw.app.action"), 3) << "as comparisons match paths";
    EXPECT_EQ(named(graph, "app.action"), 3) << "as the label reads";
    EXPECT_EQ(named(graph, "jhotdraw.samples.action"), 5) << "a tail within a dotted name";
    EXPECT_EQ(named(graph, "x"), 6);
    EXPECT_EQ(named(graph, "JHotDraw7"), 0);
    EXPECT_EQ(named(graph, "org.jhotdraw"), 1);
    EXPECT_EQ(named(graph, "hotdraw.app"), CompoundGraph::none)
        << "cut within a name, not at a dot";
    EXPECT_EQ(named(graph, "app.action.x.y"), CompoundGraph::none);
    EXPECT_EQ(named(graph, ".action"), CompoundGraph::none);
    EXPECT_EQ(named(graph, ""), CompoundGraph::none);

    EXPECT_EQ(nodeNamed(graph, "nosuch", "g.rsf").error().describe(),
              "no node named 'nosuch' in g.rsf");
    EXPECT_EQ(nodeNamed(graph, "action", "g.rsf").error().describe(),
              "'action' names 2 nodes in g.rsf: JHotDraw7.org.jhotdraw.app.action, "
              "JHotDraw7.org.jhotdraw.samples.action");

    // A whole path wins over tails, and of nodes sharing a path the first:
    // top.x is "x" below the top, though top.a.x ends in x too; top.a.x is
    // the path of a.x as well.
    const CompoundGraph shared =
        namedGraphOf({{-1, "top"}, {0, "a"}, {1, "x"}, {0, "x"}, {0, "a.x"}});
    EXPECT_EQ(named(shared, "x"), 3);
    EXPECT_EQ(named(shared, "top.a.x"), 2);
    EXPECT_EQ(named(shared, "a.x"), 2);
}

TEST(NamedNodes, AnAmbiguousNameListsTenPathsAndCountsTheRest) {
    std::vector<std::pair<int, std::string>> nodes{{-1, "r"}};
    for (int i = 0; i < 12; ++i) {
        nodes.emplace_back(0, "p" + std::to_string(i));
        nodes.emplace_back(static_cast<int>(nodes.size()) - 1, "leaf");
    }
    const Result<int32_t> node = nodeNamed(namedGraphOf(nodes), "leaf", "g.rsf");
    ASSERT_FALSE(node);
    const std::string text = node.error().describe();
    EXPECT_TRUE(text.starts_with("'leaf' names 12 nodes in g.rsf: r.p0.leaf, r.p1.leaf, "));
    EXPECT_TRUE(text.ends_with("r.p9.leaf and 2 more")) << text;

    // Named a name at a time from the end, a 5,000 deep path is found.
    std::vector<std::pair<int, std::string>> chain{{-1, "c"}};
    std::string path = "c";
    for (int depth = 1; depth <= 5000; ++depth) {
        chain.emplace_back(depth - 1, "c");
        path += ".c";
    }
    EXPECT_EQ(named(namedGraphOf(chain), path), 5000);
    EXPECT_EQ(named(namedGraphOf(chain), path + ".c"), CompoundGraph::none);
}

} // namespace
