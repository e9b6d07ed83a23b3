#include "graph/Graph.h"
#include "graph/GraphFileReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char* const fiveNodes = "HierarchyElements 5\n"
                              "Root 0\n"
                              "H 0 top\n"
                              "H 1 left\n"
                              "H 2 right\n"
                              "H 3 a\n"
                              "H 4 b\n"
                              "PCR 0 1\n"
                              "PCR 0 2\n"
                              "PCR 1 3\n"
                              "PCR 2 4\n"
                              "R 3 4\n";

std::vector<std::string> tokensOf(std::string_view line) {
    std::vector<std::string_view> views;
    Graph::tokenize(line, GraphFileReader::delimiters, views);
    return {views.begin(), views.end()};
}

GraphFileReader::Result accepted(const std::string& text) {
    GraphFileReader::Result result = GraphFileReader::parse(text);
    EXPECT_TRUE(result.accepted) << result.reason << " at line " << result.line;
    return result;
}

std::vector<std::pair<int, int>> relationIds(const GraphFileReader::Result& result) {
    std::vector<std::pair<int, int>> ids;
    for (const auto& edge : result.tables.edges) {
        ids.emplace_back(edge->source->id, edge->target->id);
    }
    return ids;
}

TEST(Tokenize, SplitsOnQuotesBlanksAndTabsOnly) {
    EXPECT_EQ(tokensOf("H 3 \"long name\""), (std::vector<std::string>{"H", "3", "long", "name"}));
    EXPECT_EQ(tokensOf("\t PCR\t\t1  2 \t"), (std::vector<std::string>{"PCR", "1", "2"}));
    EXPECT_EQ(tokensOf("H 1 a\x01\vb;c"), (std::vector<std::string>{"H", "1", "a\x01\vb;c"}));
    EXPECT_TRUE(tokensOf(" \"\t\" ").empty());
}

TEST(Tokenize, EmptiesTheListFirst) {
    std::vector<std::string_view> tokens{"stale", "entries"};
    Graph::tokenize("R 1 2", GraphFileReader::delimiters, tokens);
    EXPECT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[0], "R");
}

TEST(GraphFileReader, ReadsTheExampleFile) {
    const auto result = accepted(fiveNodes);
    const auto& nodes = result.tables.nodes;
    ASSERT_EQ(nodes.size(), 5u);
    EXPECT_EQ(result.tables.root, nodes[0].get());
    const char* names[] = {"top", "left", "right", "a", "b"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(nodes[i]->id, i);
        EXPECT_EQ(nodes[i]->name, names[i]);
    }
    EXPECT_EQ(nodes[0]->parent, nullptr);
    EXPECT_EQ(nodes[0]->children, (std::vector<Node*>{nodes[1].get(), nodes[2].get()}));
    EXPECT_EQ(nodes[3]->parent, nodes[1].get());
    EXPECT_EQ(nodes[4]->parent, nodes[2].get());
    EXPECT_EQ(relationIds(result), (std::vector<std::pair<int, int>>{{3, 4}}));
    EXPECT_EQ(result.tables.edges[0]->controlPoints, nullptr);
    EXPECT_EQ(result.tables.edges[0]->controlPointCount, 0);
}

TEST(GraphFileReader, ChildrenFollowTheOrderOfTheirLines) {
    const auto result = accepted("HierarchyElements 4\nRoot 0\nPCR 0 3\nPCR 0 1\nPCR 0 2\n");
    const auto& nodes = result.tables.nodes;
    EXPECT_EQ(nodes[0]->children,
              (std::vector<Node*>{nodes[3].get(), nodes[1].get(), nodes[2].get()}));
}

TEST(GraphFileReader, RelationRules) {
    const auto result = accepted("HierarchyElements 10\nRoot 0\n"
                                 "R 7 7\n"  // a node with itself
                                 "R 7 8\n"
                                 "R 7 8\n"  // repeated
                                 "R 8 7\n"  // the reverse is another relation
                                 "R 5 05\n" // same node, different text
                                 "R 07 8\n" // repeats 7 8 under another spelling
                                 "R 1 2\n");
    EXPECT_EQ(relationIds(result), (std::vector<std::pair<int, int>>{{7, 8}, {8, 7}, {1, 2}}));
}

TEST(GraphFileReader, LaterRecordsOverrideAndExtraTokensAreIgnored) {
    const auto result = accepted("HierarchyElements 3\nRoot 1\nRoot 2 extra\n"
                                 "H 1 first\nH 1 second words\nPCR 2 1 trailing\n");
    const auto& nodes = result.tables.nodes;
    EXPECT_EQ(result.tables.root, nodes[2].get());
    EXPECT_EQ(nodes[1]->name, "second");
    EXPECT_EQ(nodes[1]->parent, nodes[2].get());
}

TEST(GraphFileReader, SkipsLinesShorterThanThreeCharacters) {
    const auto result = accepted("HierarchyElements 3\nRoot 0\nR\nH1\n\n\r\nR 1 2\n");
    EXPECT_EQ(relationIds(result), (std::vector<std::pair<int, int>>{{1, 2}}));
}

TEST(GraphFileReader, ThreeCharacterLineIsARecord) {
    const auto result = GraphFileReader::parse("HierarchyElements 3\nRoot 0\nH 1\n");
    EXPECT_FALSE(result.accepted);
    EXPECT_EQ(result.line, 3);
}

TEST(GraphFileReader, UnknownKeywordsAndCaseAreIgnored) {
    const auto result = accepted("HierarchyElements 3\nRoot 0\nh 1 lower\nHx 1 other\n"
                                 "PCRR 0 1\n# 0 1 comment\n   \nr 1 2\nH 2 kept\n");
    const auto& nodes = result.tables.nodes;
    EXPECT_EQ(nodes[1]->name, "");
    EXPECT_EQ(nodes[1]->parent, nullptr);
    EXPECT_EQ(nodes[2]->name, "kept");
    EXPECT_TRUE(result.tables.edges.empty());
}

TEST(GraphFileReader, QuotedNameKeepsItsFirstWord) {
    const auto result = accepted("HierarchyElements 4\nRoot 0\nH 3 \"long name\"\n");
    EXPECT_EQ(result.tables.nodes[3]->name, "long");
}

TEST(GraphFileReader, CarriageReturnsAndAMissingFinalLineFeed) {
    std::string crlf = fiveNodes;
    for (std::size_t at = crlf.find('\n'); at != std::string::npos; at = crlf.find('\n', at + 2)) {
        crlf.insert(at, "\r");
    }
    const auto plain = accepted(fiveNodes);
    const auto windows = accepted(crlf);
    ASSERT_EQ(windows.tables.nodes.size(), plain.tables.nodes.size());
    for (std::size_t i = 0; i < plain.tables.nodes.size(); ++i) {
        EXPECT_EQ(windows.tables.nodes[i]->name, plain.tables.nodes[i]->name);
    }
    EXPECT_EQ(relationIds(windows), relationIds(plain));

    const auto unterminated = accepted("HierarchyElements 3\nRoot 0\nR 1 2");
    EXPECT_EQ(relationIds(unterminated), (std::vector<std::pair<int, int>>{{1, 2}}));
}

TEST(GraphFileReader, NodesOutsideTheRootsSubtreeAreAccepted) {
    const auto result = accepted("HierarchyElements 4\nRoot 0\nPCR 0 1\nPCR 2 3\nR 1 3\n");
    EXPECT_EQ(result.tables.nodes[2]->parent, nullptr);
    EXPECT_EQ(result.tables.nodes[3]->parent, result.tables.nodes[2].get());
    EXPECT_EQ(result.tables.edges.size(), 1u);
}

struct Rejection {
    const char* text;
    int line;
    const char* reason;
};

void PrintTo(const Rejection& rejection, std::ostream* out) {
    *out << ::testing::PrintToString(std::string(rejection.text));
}

class GraphFileRejection : public ::testing::TestWithParam<Rejection> {};

TEST_P(GraphFileRejection, NamesTheLineAndTheReason) {
    const Rejection& expected = GetParam();
    const auto result = GraphFileReader::parse(expected.text);
    EXPECT_FALSE(result.accepted);
    EXPECT_EQ(result.line, expected.line);
    EXPECT_EQ(result.reason, expected.reason);
    EXPECT_TRUE(result.tables.nodes.empty());
    EXPECT_TRUE(result.tables.edges.empty());
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, GraphFileRejection,
    ::testing::Values(
        Rejection{"Root 0\nHierarchyElements 3\n", 1,
                  "\"Root\" line comes before \"HierarchyElements\""},
        Rejection{"H 0 a\n", 1, "\"H\" line comes before \"HierarchyElements\""},
        Rejection{"PCR 0 1\n", 1, "\"PCR\" line comes before \"HierarchyElements\""},
        Rejection{"R 0 1\n", 1, "\"R\" line comes before \"HierarchyElements\""},
        Rejection{"HierarchyElements 3\nRoot 0\nHierarchyElements 3\n", 3,
                  "second \"HierarchyElements\" line"},
        Rejection{"HierarchyElements 0\nRoot 0\n", 1, "node count 0 is below 1"},
        Rejection{"HierarchyElements -4\nRoot 0\n", 1, "node count -4 is below 1"},
        Rejection{"HierarchyElements many\n", 1, "node count \"many\" is not a number"},
        Rejection{"HierarchyElements 1000\nRoot 0\n", 1,
                  "node count 1000 is more than a file of 30 bytes can describe"},
        Rejection{"HierarchyElements 99999999999999999999999999\n", 1,
                  "node count 99999999999999999999999999 is above the limit of 16777216"},
        Rejection{"HierarchyElements\tx\n", 1, "node count \"x\" is not a number"},
        Rejection{"Hierarchy\nHierarchyElements \n", 2,
                  "\"HierarchyElements\" line needs a node count"},
        Rejection{"HierarchyElements 3\nRoot -1\n", 2, "node id -1 is negative"},
        Rejection{"HierarchyElements 3\nRoot 3\n", 2, "node id 3 is out of range 0..2"},
        Rejection{"HierarchyElements 3\nRoot 0\nR 1 99999999999999999999\n", 3,
                  "node id 99999999999999999999 is out of range 0..2"},
        Rejection{"HierarchyElements 3\nRoot x\n", 2, "node id \"x\" is not a number"},
        Rejection{"HierarchyElements 3\nRoot 0\nR 1 2x\n", 3, "node id \"2x\" is not a number"},
        Rejection{"HierarchyElements 3\nRoot 0\nR 1 +\n", 3, "node id \"+\" is not a number"},
        Rejection{"HierarchyElements 3\nRoot\t\n", 2, "\"Root\" line needs an id"},
        Rejection{"HierarchyElements 3\nRoot 0\nR 7\n", 3,
                  "\"R\" line needs a source id and a target id"},
        Rejection{"HierarchyElements 3\nRoot 0\nPCR 1\n", 3,
                  "\"PCR\" line needs a parent id and a child id"},
        Rejection{"HierarchyElements 3\nRoot 0\nH 1\n", 3, "\"H\" line needs an id and a name"},
        Rejection{"HierarchyElements 3\nRoot 0\nPCR 0 2\nPCR 1 2\n", 4,
                  "node 2 already has parent 0"},
        Rejection{"HierarchyElements 3\nRoot 0\nPCR 1 1\n", 3,
                  "making node 1 a child of node 1 closes a cycle"},
        Rejection{"HierarchyElements 4\nRoot 0\nPCR 1 2\nPCR 2 3\nPCR 3 1\n", 5,
                  "making node 1 a child of node 3 closes a cycle"},
        Rejection{"HierarchyElements 3\nPCR 0 1\n", 0, "no \"Root\" line"},
        Rejection{"", 0, "no \"Root\" line"}));

std::string deepChainWithRelations(int relationCount) {
    // Node i of the chain has i ancestors, so a relation between two nodes
    // near its end costs about 20,000 control points at most.
    const int chain = 10000;
    std::string text = "HierarchyElements " + std::to_string(chain + 1) + "\nRoot 0\n";
    for (int i = 1; i <= chain; ++i) {
        text += "PCR " + std::to_string(i - 1) + " " + std::to_string(i) + "\n";
    }
    for (int i = 0; i < relationCount; ++i) {
        text += "R " + std::to_string(chain - i % 100) + " " +
                std::to_string(chain - 100 - i / 100) + "\n";
    }
    return text;
}

TEST(GraphFileReader, RefusesRoutesThatWouldNotFitInMemory) {
    EXPECT_EQ(accepted(deepChainWithRelations(12000)).tables.edges.size(), 12000u);
    const auto refused = GraphFileReader::parse(deepChainWithRelations(14000));
    EXPECT_FALSE(refused.accepted);
    EXPECT_EQ(refused.line, 0);
    EXPECT_EQ(refused.reason,
              "the relations' routes through the hierarchy need more than 268435456 control points");
}

TEST(GraphFileReader, ReportsAFileThatCannotBeOpened) {
    const auto result = GraphFileReader::read("/nonexistent/folder/graph.rsf");
    EXPECT_FALSE(result.accepted);
    EXPECT_EQ(result.describe("/nonexistent/folder/graph.rsf"),
              "/nonexistent/folder/graph.rsf: cannot open the file (No such file or directory)");
    const auto folder = GraphFileReader::read("/tmp");
    EXPECT_FALSE(folder.accepted);
    EXPECT_EQ(folder.reason, "cannot read the file (it is a directory)");
}

TEST(GraphFileReader, DescribesWithLineNumbers) {
    GraphFileReader::Result result;
    result.line = 12;
    result.reason = "node id 9 is out of range 0..2";
    EXPECT_EQ(result.describe("g.rsf"), "g.rsf:12: node id 9 is out of range 0..2");
}

} // namespace
