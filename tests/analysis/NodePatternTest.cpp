#include "analysis/NodePattern.h"

#include "analysis/NodePaths.h"

#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

namespace {

using testing_support::namedGraphOf;

// R {org.jhotdraw 1 {app 2 {App 3}, draw 4 {Figure 5, action 6 {Undo 7}}},
//    org 8 {jhotdraw 9 {app 10}}, util 11 {app 12}}: "org.jhotdraw" is one
// name at 1 and two at 8 and 9.
CompoundGraph tree() {
    return namedGraphOf({{-1, "R"},
                         {0, "org.jhotdraw"},
                         {1, "app"},
                         {2, "App"},
                         {1, "draw"},
                         {4, "Figure"},
                         {4, "action"},
                         {6, "Undo"},
                         {0, "org"},
                         {8, "jhotdraw"},
                         {9, "app"},
                         {0, "util"},
                         {11, "app"}});
}

std::vector<int32_t> matched(const CompoundGraph& graph, std::string_view text) {
    const Result<NodePattern> pattern = NodePattern::parse(text);
    EXPECT_TRUE(pattern.ok()) << text;
    std::vector<int32_t> nodes;
    if (pattern) {
        const std::vector<bool> matches = pattern.value().matchesIn(graph);
        for (int32_t node = 0; node < graph.nodeCount(); ++node) {
            if (matches[static_cast<std::size_t>(node)]) {
                nodes.push_back(node);
            }
        }
    }
    return nodes;
}

// The reason, and the column from the pattern's first byte.
std::string refusal(std::string_view text) {
    const Result<NodePattern> pattern = NodePattern::parse(text);
    return pattern ? "accepted"
                   : std::to_string(pattern.error().column) + ": " + pattern.error().reason;
}

TEST(NodePattern, MatchesWholePathsWithoutTheRootsName) {
    const CompoundGraph graph = tree();
    EXPECT_EQ(nodePath(graph, 3), "org.jhotdraw.app.App");
    EXPECT_EQ(nodePath(graph, 10), "org.jhotdraw.app");
    EXPECT_EQ(nodePath(graph, 0), "R");

    using Nodes = std::vector<int32_t>;
    // A dot stands for a dot between names or within one; "\." only within.
    EXPECT_EQ(matched(graph, "org.jhotdraw.app"), (Nodes{2, 10}));
    EXPECT_EQ(matched(graph, "org\\.jhotdraw.app"), (Nodes{2}));
    EXPECT_EQ(matched(graph, "org\\.jhotdraw"), (Nodes{1}));
    EXPECT_EQ(matched(graph, "org.jhotdraw"), (Nodes{1, 9}));
    // One star never crosses a dot; two cross anything.
    EXPECT_EQ(matched(graph, "*.app"), (Nodes{12}));
    EXPECT_EQ(matched(graph, "**.app"), (Nodes{2, 10, 12}));
    EXPECT_EQ(matched(graph, "org.jhotdraw.*"), (Nodes{2, 4, 10}));
    EXPECT_EQ(matched(graph, "org.jhotdraw.**"), (Nodes{2, 3, 4, 5, 6, 7, 10}));
    EXPECT_EQ(matched(graph, "*.*.*.*ct*.U*"), (Nodes{7}));
    EXPECT_EQ(matched(graph, "app"), (Nodes{})) << "a path is matched whole";
    EXPECT_EQ(matched(graph, "**").size(), 12u) << "every node but the root";
}

TEST(NodePattern, AnEndStandsForItsHighestMatchedAncestor) {
    const CompoundGraph graph = tree();
    const Result<NodePattern> pattern = NodePattern::parse("**a*");
    ASSERT_TRUE(pattern.ok());
    const std::vector<int32_t> highest = highestMatches(graph, pattern.value().matchesIn(graph));
    // org.jhotdraw 1 matches and stands for all below it; org 8 does not,
    // jhotdraw 9 does; util 11 does not, its app 12 does.
    EXPECT_EQ(highest, (std::vector<int32_t>{CompoundGraph::none, 1, 1, 1, 1, 1, 1, 1,
                                             CompoundGraph::none, 9, 9, CompoundGraph::none, 12}));
}

TEST(NodePattern, BadPatternsSayWhere) {
    EXPECT_EQ(refusal(""), "0: an empty pattern");
    EXPECT_EQ(refusal("a.***"), "3: a pattern has * or **, not ***");
    EXPECT_EQ(refusal("a\\x"), "2: '\\' must come before '.', '*' or '\\' in a pattern");
    EXPECT_EQ(refusal("ab\\"), "3: '\\' must come before '.', '*' or '\\' in a pattern");
    EXPECT_EQ(refusal(std::string(NodePattern::maxBytes + 1, 'a')),
              "1: a pattern longer than 1000 bytes");
    EXPECT_EQ(refusal("a\\*\\\\"), "accepted");
}

} // namespace
