#include "io/GraphFileReader.h"

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
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
    graphfile::tokenize(line, graphfile::delimiters, views);
    return {views.begin(), views.end()};
}

CompoundGraph accepted(const std::string& text) {
    Result<CompoundGraph> result = graphfile::parse(text);
    EXPECT_TRUE(result.ok()) << (result ? "" : result.error().describe());
    return result ? std::move(result).value() : CompoundGraph{};
}

std::vector<std::pair<int, int>> relationIds(const CompoundGraph& graph) {
    std::vector<std::pair<int, int>> ids;
    for (int32_t e = 0; e < graph.edgeCount(); ++e) {
        ids.emplace_back(graph.source[e], graph.target[e]);
    }
    return ids;
}

graphfile::ParseOptions inChunksOf(std::size_t bytes) {
    graphfile::ParseOptions options;
    options.chunkBytes = bytes;
    return options;
}

graphfile::ParseOptions withMemory(uint64_t available) {
    graphfile::ParseOptions options;
    options.memoryAvailable = available;
    return options;
}

std::vector<int32_t> childrenOf(const CompoundGraph& graph, int32_t node) {
    const std::span<const int32_t> children = graph.children(node);
    return {children.begin(), children.end()};
}

TEST(Tokenize, SplitsOnQuotesBlanksAndTabsOnly) {
    EXPECT_EQ(tokensOf("H 3 \"long name\""), (std::vector<std::string>{"H", "3", "long", "name"}));
    EXPECT_EQ(tokensOf("\t PCR\t\t1  2 \t"), (std::vector<std::string>{"PCR", "1", "2"}));
    EXPECT_EQ(tokensOf("H 1 a\x01\vb;c"), (std::vector<std::string>{"H", "1", "a\x01\vb;c"}));
    EXPECT_TRUE(tokensOf(" \"\t\" ").empty());
}

TEST(Tokenize, EmptiesTheListFirst) {
    std::vector<std::string_view> tokens{"stale", "entries"};
    graphfile::tokenize("R 1 2", graphfile::delimiters, tokens);
    EXPECT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[0], "R");
}

TEST(GraphFileReader, ReadsTheExampleFile) {
    const CompoundGraph graph = accepted(fiveNodes);
    ASSERT_EQ(graph.nodeCount(), 5);
    EXPECT_EQ(graph.root, 0);
    const char* names[] = {"top", "left", "right", "a", "b"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(graph.name(i), names[i]);
    }
    EXPECT_EQ(graph.parent, (std::vector<int32_t>{CompoundGraph::none, 0, 0, 1, 2}));
    EXPECT_EQ(graph.depth, (std::vector<uint32_t>{0, 1, 1, 2, 2}));
    EXPECT_EQ(childrenOf(graph, 0), (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(childrenOf(graph, 1), (std::vector<int32_t>{3}));
    EXPECT_TRUE(graph.isLeaf(3));
    EXPECT_EQ(relationIds(graph), (std::vector<std::pair<int, int>>{{3, 4}}));
}

TEST(GraphFileReader, ChildrenFollowTheOrderOfTheirLines) {
    const CompoundGraph graph =
        accepted("HierarchyElements 5\nRoot 0\nPCR 0 3\nPCR 4 2\nPCR 0 1\nPCR 0 4\n");
    EXPECT_EQ(childrenOf(graph, 0), (std::vector<int32_t>{3, 1, 4}));
    EXPECT_EQ(childrenOf(graph, 4), (std::vector<int32_t>{2}));
    EXPECT_EQ(graph.depth[2], 2u) << "linked before its parent was";
}

TEST(GraphFileReader, RelationRules) {
    const CompoundGraph graph = accepted("HierarchyElements 10\nRoot 0\n"
                                         "R 7 7\n" // a node with itself
                                         "R 7 8\n"
                                         "R 7 8\n"  // repeated
                                         "R 8 7\n"  // the reverse is another relation
                                         "R 5 05\n" // same node, different text
                                         "R 07 8\n" // repeats 7 8 under another spelling
                                         "R 1 2\n");
    EXPECT_EQ(relationIds(graph), (std::vector<std::pair<int, int>>{{7, 8}, {8, 7}, {1, 2}}));
}

TEST(GraphFileReader, LaterRecordsOverrideAndExtraTokensAreIgnored) {
    const CompoundGraph graph = accepted("HierarchyElements 3\nRoot 1\nRoot 2 extra\n"
                                         "H 1 first\nH 1 second words\nPCR 2 1 trailing\n");
    EXPECT_EQ(graph.root, 2);
    EXPECT_EQ(graph.name(1), "second");
    EXPECT_EQ(graph.parent[1], 2);
}

TEST(GraphFileReader, SkipsLinesShorterThanThreeCharacters) {
    const CompoundGraph graph = accepted("HierarchyElements 3\nRoot 0\nR\nH1\n\n\r\nR 1 2\n");
    EXPECT_EQ(relationIds(graph), (std::vector<std::pair<int, int>>{{1, 2}}));
}

TEST(GraphFileReader, ThreeCharacterLineIsARecord) {
    const Result<CompoundGraph> result = graphfile::parse("HierarchyElements 3\nRoot 0\nH 1\n");
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().line, 3);
}

TEST(GraphFileReader, UnknownKeywordsAndCaseAreIgnored) {
    const CompoundGraph graph = accepted("HierarchyElements 3\nRoot 0\nh 1 lower\nHx 1 other\n"
                                         "PCRR 0 1\n# 0 1 comment\n   \nr 1 2\nH 2 kept\n");
    EXPECT_EQ(graph.name(1), "");
    EXPECT_EQ(graph.parent[1], CompoundGraph::none);
    EXPECT_EQ(graph.name(2), "kept");
    EXPECT_EQ(graph.edgeCount(), 0);
}

TEST(GraphFileReader, QuotedNameKeepsItsFirstWord) {
    const CompoundGraph graph = accepted("HierarchyElements 4\nRoot 0\nH 3 \"long name\"\n");
    EXPECT_EQ(graph.name(3), "long");
}

TEST(GraphFileReader, CarriageReturnsAndAMissingFinalLineFeed) {
    std::string crlf = fiveNodes;
    for (std::size_t at = crlf.find('\n'); at != std::string::npos; at = crlf.find('\n', at + 2)) {
        crlf.insert(at, "\r");
    }
    const CompoundGraph windows = accepted(crlf);
    ASSERT_EQ(windows.nodeCount(), 5);
    EXPECT_EQ(windows.name(0), "top");
    EXPECT_EQ(windows.name(4), "b");
    EXPECT_EQ(relationIds(windows), (std::vector<std::pair<int, int>>{{3, 4}}));

    const CompoundGraph unterminated = accepted("HierarchyElements 3\nRoot 0\nR 1 2");
    EXPECT_EQ(relationIds(unterminated), (std::vector<std::pair<int, int>>{{1, 2}}));
}

TEST(GraphFileReader, LoneCarriageReturnsEndLinesAndAByteOrderMarkIsSkipped) {
    std::string mac = fiveNodes;
    std::replace(mac.begin(), mac.end(), '\n', '\r');
    const CompoundGraph old = accepted(mac);
    ASSERT_EQ(old.nodeCount(), 5);
    EXPECT_EQ(old.name(4), "b");
    EXPECT_EQ(relationIds(old), (std::vector<std::pair<int, int>>{{3, 4}}));
    // Line numbers count every kind of line end.
    const Result<CompoundGraph> mixed =
        graphfile::parse("HierarchyElements 3\rRoot 0\r\nPCR 0 1\nPCR 9 1\n");
    ASSERT_FALSE(mixed.ok());
    EXPECT_EQ(mixed.error().line, 4);
    // A byte-order mark before line 1 leaves it readable.
    const CompoundGraph marked = accepted("\xEF\xBB\xBF" + std::string(fiveNodes));
    EXPECT_EQ(marked.nodeCount(), 5);
}

TEST(GraphFileReader, NodesOutsideTheRootsSubtreeAreAccepted) {
    const CompoundGraph graph = accepted("HierarchyElements 4\nRoot 0\nPCR 0 1\nPCR 2 3\nR 1 3\n");
    EXPECT_EQ(graph.parent[2], CompoundGraph::none);
    EXPECT_EQ(graph.parent[3], 2);
    EXPECT_EQ(graph.depth[3], 1u) << "below the top of its own tree";
    EXPECT_EQ(graph.edgeCount(), 1);
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
    const Result<CompoundGraph> result = graphfile::parse(expected.text);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().line, expected.line);
    EXPECT_EQ(result.error().reason, expected.reason);
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
        // Empty lines count: the line numbers after them stay right.
        Rejection{"HierarchyElements 3\n\nRoot 3\n", 3, "node id 3 is out of range 0..2"},
        Rejection{"HierarchyElements 3\nRoot 0\n\n\nR 1 7\n", 5, "node id 7 is out of range 0..2"},
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
        Rejection{"", 0, "no \"Root\" line"},
        // The count as the text's last bytes, with no line feed after it.
        Rejection{"HierarchyElements 1", 0, "no \"Root\" line"}),
    [](const ::testing::TestParamInfo<Rejection>& info) {
        return "Case" + std::to_string(info.index) + "Line" + std::to_string(info.param.line);
    });

// Every line a chunk of its own, parsed apart on the threads: the faults
// and their lines are those of a reading in one piece.
TEST_P(GraphFileRejection, TheSameWithEveryLineAChunk) {
    const Rejection& expected = GetParam();
    const Result<CompoundGraph> result = graphfile::parse(expected.text, nullptr, inChunksOf(1));
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().line, expected.line);
    EXPECT_EQ(result.error().reason, expected.reason);
}

TEST(GraphFileReader, ChunksKeepTheRelationRulesAndTheLineNumbers) {
    // Twenty lines of relations and their repeats span several batches of
    // one-line chunks; lines 3 and 20 hold the same pair.
    std::string text = "HierarchyElements 30\r\nRoot 0\n";
    for (int i = 0; i < 20; ++i) {
        text += "R " + std::to_string(10 + i % 17) + " " + std::to_string(20 - i % 17) + "\n";
    }
    text += "R 5 5\rR 21 10\nPCR 0 3\n";
    for (const std::size_t chunkBytes : {std::size_t{1}, std::size_t{13}, std::size_t{1} << 20}) {
        const Result<CompoundGraph> read = graphfile::parse(text, nullptr, inChunksOf(chunkBytes));
        ASSERT_TRUE(read.ok()) << read.error().describe();
        std::vector<std::pair<int, int>> expected;
        for (int i = 0; i < 17; ++i) {
            if (10 + i != 20 - i) {
                expected.emplace_back(10 + i, 20 - i);
            }
        }
        expected.emplace_back(21, 10);
        EXPECT_EQ(relationIds(read.value()), expected) << chunkBytes;
        EXPECT_EQ(read.value().parent[3], 0);
    }
    // The first fault in the file is the one reported, with its line: a
    // second parent on line 26 before a bad id on line 27, and the other
    // way round.
    const Result<CompoundGraph> parent =
        graphfile::parse(text + "PCR 1 3\nR 1 30\n", nullptr, inChunksOf(1));
    ASSERT_FALSE(parent.ok());
    EXPECT_EQ(parent.error().line, 26);
    EXPECT_EQ(parent.error().reason, "node 3 already has parent 0");
    const Result<CompoundGraph> id =
        graphfile::parse(text + "R 1 30\nPCR 1 3\n", nullptr, inChunksOf(1));
    ASSERT_FALSE(id.ok());
    EXPECT_EQ(id.error().line, 26);
    EXPECT_EQ(id.error().reason, "node id 30 is out of range 0..29");
}

TEST(GraphFileReader, RefusesRelationsTheMemoryAvailableCannotHold) {
    // 512 times 512 distinct relations take 9 bytes each while they are
    // read: 2,359,296 bytes, 2.25 MiB.
    std::string text = "HierarchyElements 1024\nRoot 0\n";
    for (int source = 0; source < 512; ++source) {
        for (int target = 512; target < 1024; ++target) {
            text += "R " + std::to_string(source) + " " + std::to_string(target) + "\n";
        }
    }
    const Result<CompoundGraph> refused = graphfile::parse(text, nullptr, withMemory(2359295));
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().line, 0);
    EXPECT_EQ(refused.error().reason, "reading 262144 relations needs about 2 MiB of memory; this "
                                      "machine has 2 MiB available");
    const Result<CompoundGraph> fits = graphfile::parse(text, nullptr, withMemory(2359296));
    ASSERT_TRUE(fits.ok());
    EXPECT_EQ(fits.value().edgeCount(), 262144);
}

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
    EXPECT_EQ(accepted(deepChainWithRelations(12000)).edgeCount(), 12000);
    // 4,501,680,000 control points: more than 32-bit offsets reach.
    const Result<CompoundGraph> refused = graphfile::parse(deepChainWithRelations(240000));
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().line, 0);
    EXPECT_EQ(
        refused.error().reason,
        "the relations' routes through the hierarchy need more than 4294967295 control points");
}

TEST(GraphFileReader, ReportsAFileThatCannotBeOpened) {
    const Result<CompoundGraph> result = graphfile::read("/nonexistent/folder/graph.rsf");
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().describe(),
              "/nonexistent/folder/graph.rsf: cannot open the file (No such file or directory)");
    const Result<CompoundGraph> folder = graphfile::read("/tmp");
    ASSERT_FALSE(folder.ok());
    EXPECT_EQ(folder.error().describe(), "/tmp: cannot read the file (it is a directory)");
}

TEST(GraphFileReader, AFifoOrAnOversizedFileIsRefusedWithoutReadingIt) {
    const testing_support::TempFile folder("", "unused");
    const std::string fifo = (folder.folderPath() / "pipe.rsf").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    // No writer ever comes: a reader that waited for one would hang here.
    const Result<CompoundGraph> piped = graphfile::read(fifo);
    ASSERT_FALSE(piped.ok());
    EXPECT_EQ(piped.error().describe(), fifo + ": not a regular file");
    // A sparse file over the limit: refused by its size, not after reading.
    const std::string sparse = (folder.folderPath() / "sparse.rsf").string();
    { std::ofstream create(sparse); }
    ASSERT_EQ(truncate(sparse.c_str(), static_cast<off_t>(graphfile::maxFileBytes) + 1), 0);
    const Result<CompoundGraph> big = graphfile::read(sparse);
    ASSERT_FALSE(big.ok());
    EXPECT_EQ(big.error().describe(), sparse + ": the file is larger than 1073741824 bytes");
}

TEST(GraphFileReader, AFileErrorNamesThePathAndTheLine) {
    const testing_support::TempFile file("HierarchyElements 3\nRoot 0\nPCR 0 7\n");
    const Result<CompoundGraph> result = graphfile::read(file.path());
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().describe(), file.path() + ":3: node id 7 is out of range 0..2");

    const Result<CompoundGraph> shipped = graphfile::read("data/Graphs/small.rsf");
    ASSERT_TRUE(shipped.ok());
    EXPECT_EQ(shipped.value().nodeCount(), 13);
    EXPECT_EQ(shipped.value().edgeCount(), 8);
}

} // namespace
