#include "analysis/DependencyMatrix.h"
#include "analysis/MatrixCsv.h"
#include "io/GraphReading.h"
#include "model/Cut.h"

#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using testing_support::graphOf;
using testing_support::namedGraphOf;

DependencyMatrix matrixAt(const CompoundGraph& graph, int32_t depth,
                          std::vector<int32_t> toggled = {},
                          MatrixOrder order = MatrixOrder::Tree) {
    const Cut cut = cutOf(graph, depth, toggled);
    return dependencyMatrix(graph, cut.shownAs, gatherBundles(graph, cut.shownAs), order);
}

// Every cell, zeros too, row by row.
std::vector<std::vector<int64_t>> dense(const DependencyMatrix& matrix) {
    std::vector<std::vector<int64_t>> cells;
    for (int32_t row = 0; row < matrix.size(); ++row) {
        cells.emplace_back();
        for (int32_t column = 0; column < matrix.size(); ++column) {
            cells.back().push_back(matrix.relations(row, column));
        }
    }
    return cells;
}

std::string csvOf(const CompoundGraph& graph, const DependencyMatrix& matrix) {
    std::string text;
    writeMatrixCsv(graph, matrix, [&text](std::string_view piece) {
        text += piece;
        return true;
    });
    return text;
}

// 0 root; 1 a with the leaves 2 a.x and 3 a.y; 4 b with the leaf 5 b.z;
// 6 c. Node a has a relation of its own, to b.z; a.x and b.z relate both
// ways, as do a.x and a.y.
CompoundGraph sixNodes() {
    return graphOf({-1, 0, 1, 1, 0, 4, 0}, {{1, 5}, {2, 3}, {3, 2}, {2, 5}, {5, 2}, {5, 6}});
}

TEST(DependencyMatrixTest, CountsTheRelationsBetweenTheShownNodes) {
    const CompoundGraph graph = sixNodes();
    // Nothing collapsed: the leaves, and a for its own relation, before its
    // leaves.
    const DependencyMatrix whole = matrixAt(graph, 0);
    EXPECT_EQ(whole.rows.nodes, (std::vector<int32_t>{1, 2, 3, 5, 6}));
    EXPECT_EQ(
        dense(whole),
        (std::vector<std::vector<int64_t>>{
            {0, 0, 0, 1, 0}, {0, 0, 1, 1, 0}, {0, 1, 0, 0, 0}, {0, 1, 0, 0, 1}, {0, 0, 0, 0, 0}}));
    // At depth 1 a and b are collapsed: a's diagonal holds a.x's and a.y's
    // relations to each other, a -> b both of a's and a.x's to b.z.
    const DependencyMatrix depthOne = matrixAt(graph, 1);
    EXPECT_EQ(depthOne.rows.nodes, (std::vector<int32_t>{1, 4, 6}));
    EXPECT_EQ(dense(depthOne),
              (std::vector<std::vector<int64_t>>{{2, 2, 0}, {1, 0, 1}, {0, 0, 0}}));
    // Only b collapsed.
    const DependencyMatrix bOnly = matrixAt(graph, 0, {4});
    EXPECT_EQ(bOnly.rows.nodes, (std::vector<int32_t>{1, 2, 3, 4, 6}));
    EXPECT_EQ(
        dense(bOnly),
        (std::vector<std::vector<int64_t>>{
            {0, 0, 0, 1, 0}, {0, 0, 1, 1, 0}, {0, 1, 0, 0, 0}, {0, 1, 0, 0, 1}, {0, 0, 0, 0, 0}}));
    // Only the cells that hold relations are kept.
    EXPECT_EQ(depthOne.cells.size(), 4u);
    EXPECT_EQ(depthOne.rowStart, (std::vector<std::size_t>{0, 2, 4, 4}));
}

TEST(DependencyMatrixTest, SplitsACellsRelationsByKindInAComparison) {
    const CompoundGraph graph = sixNodes();
    const Cut cut = cutOf(graph, 1);
    const std::vector<RelationKind> kinds = {RelationKind::Added, RelationKind::Kept,
                                             RelationKind::Kept,  RelationKind::Removed,
                                             RelationKind::Kept,  RelationKind::Added};
    const DependencyMatrix matrix = dependencyMatrix(
        graph, cut.shownAs, gatherBundles(graph, cut.shownAs, ThreadPool::shared(), kinds),
        MatrixOrder::Tree);
    using Cell = DependencyMatrix::Cell;
    EXPECT_EQ(
        matrix.cells,
        (std::vector<Cell>{{0, 0, 2, 0, 0}, {0, 1, 2, 1, 1}, {1, 0, 1, 0, 0}, {1, 2, 1, 1, 0}}));
}

// 0 root with A (1), B (2, the leaves b1 3 and b2 4), C (5) and D (6):
// A -> b1, b1 -> C, b2 -> C, C -> b1, D -> A. Among the root's children B
// and C reach one another, B -> C weighing 2 and C -> B 1, so C comes
// first; A uses B, and D uses A. b1 and b2 do not relate: tree order.
TEST(DependencyMatrixTest, PartitionedOrderPutsMostRelationsBelowTheDiagonal) {
    const CompoundGraph graph =
        graphOf({-1, 0, 0, 2, 2, 0, 0}, {{1, 3}, {3, 5}, {4, 5}, {5, 3}, {6, 1}});
    const DependencyMatrix tree = matrixAt(graph, 0);
    EXPECT_EQ(tree.rows.nodes, (std::vector<int32_t>{1, 3, 4, 5, 6}));
    EXPECT_TRUE(tree.rows.cycleBlocks.empty());
    const DependencyMatrix partitioned = matrixAt(graph, 0, {}, MatrixOrder::Partitioned);
    EXPECT_EQ(partitioned.rows.nodes, (std::vector<int32_t>{5, 3, 4, 1, 6}));
    EXPECT_EQ(partitioned.rows.cycleBlocks, (std::vector<MatrixRows::Block>{{0, 3}}));
    EXPECT_EQ(
        dense(partitioned),
        (std::vector<std::vector<int64_t>>{
            {0, 1, 0, 0, 0}, {1, 0, 0, 0, 0}, {1, 0, 0, 0, 0}, {0, 1, 0, 0, 0}, {0, 0, 0, 1, 0}}));
    // Collapsing B leaves the order of the root's children as it was.
    const DependencyMatrix collapsed = matrixAt(graph, 0, {2}, MatrixOrder::Partitioned);
    EXPECT_EQ(collapsed.rows.nodes, (std::vector<int32_t>{5, 2, 1, 6}));
    EXPECT_EQ(collapsed.rows.cycleBlocks, (std::vector<MatrixRows::Block>{{0, 2}}));
}

TEST(MatrixCsvTest, QuotesFieldsAsRfc4180Does) {
    EXPECT_EQ(csvField("plain name"), "plain name");
    EXPECT_EQ(csvField("a,b"), "\"a,b\"");
    EXPECT_EQ(csvField("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(csvField("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(csvField("cr\r"), "\"cr\r\"");
    EXPECT_EQ(csvField(""), "");
    // Paths below the root, the root's name left out.
    const CompoundGraph graph = namedGraphOf(
        {{-1, "top"}, {0, "p,q"}, {1, "x"}, {1, "y\"z"}, {0, "w"}}, {{2, 3}, {3, 4}, {2, 4}});
    EXPECT_EQ(csvOf(graph, matrixAt(graph, 0)), ",\"p,q.x\",\"p,q.y\"\"z\",w\r\n"
                                                "\"p,q.x\",0,1,1\r\n"
                                                "\"p,q.y\"\"z\",0,0,1\r\n"
                                                "w,0,0,0\r\n");
}

// The fields of a CSV text, line by line, quotes undone.
std::vector<std::vector<std::string>> parseCsv(const std::string& text) {
    std::vector<std::vector<std::string>> lines(1, std::vector<std::string>(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                lines.back().back() += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                lines.back().back() += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            lines.back().emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            lines.emplace_back(1);
        } else {
            lines.back().back() += c;
        }
    }
    lines.pop_back();
    return lines;
}

// The relations of jhotdraw counted again: each end taken up to its
// ancestor at the depth, paths made by walking parents, counts in a map.
TEST(MatrixCsvTest, JhotdrawCountsAtDepthsTwoAndThreeMatchARecount) {
    const Result<CompoundGraph> read = readGraph("data/Graphs/jhotdraw.rsf");
    ASSERT_TRUE(read) << read.error().describe();
    const CompoundGraph& graph = read.value();
    for (const int32_t depth : {2, 3}) {
        SCOPED_TRACE(depth);
        const auto ancestor = [&](int32_t node) {
            while (graph.depth[static_cast<std::size_t>(node)] > static_cast<uint32_t>(depth)) {
                node = graph.parent[static_cast<std::size_t>(node)];
            }
            return node;
        };
        const auto path = [&](int32_t node) {
            std::string text;
            for (; graph.parent[static_cast<std::size_t>(node)] != CompoundGraph::none;
                 node = graph.parent[static_cast<std::size_t>(node)]) {
                text = std::string(graph.name(node)) + (text.empty() ? "" : ".") + text;
            }
            return text;
        };
        std::map<std::pair<std::string, std::string>, int64_t> expected;
        std::set<std::string> rows;
        for (int32_t node = 0; node < graph.nodeCount(); ++node) {
            const uint32_t at = graph.depth[static_cast<std::size_t>(node)];
            if (node != graph.root && (at == static_cast<uint32_t>(depth) ||
                                       (at < static_cast<uint32_t>(depth) && graph.isLeaf(node)))) {
                rows.insert(path(node));
            }
        }
        for (int32_t e = 0; e < graph.edgeCount(); ++e) {
            const std::string from = path(ancestor(graph.source[static_cast<std::size_t>(e)]));
            const std::string to = path(ancestor(graph.target[static_cast<std::size_t>(e)]));
            ++expected[{from, to}];
            rows.insert(from);
            rows.insert(to);
        }
        const std::vector<std::vector<std::string>> csv =
            parseCsv(csvOf(graph, matrixAt(graph, depth)));
        ASSERT_EQ(csv.size(), rows.size() + 1);
        EXPECT_EQ(std::set<std::string>(csv[0].begin() + 1, csv[0].end()), rows);
        std::map<std::pair<std::string, std::string>, int64_t> found;
        int64_t total = 0;
        for (std::size_t line = 1; line < csv.size(); ++line) {
            ASSERT_EQ(csv[line].size(), csv[0].size());
            EXPECT_EQ(csv[line][0], csv[0][line]);
            for (std::size_t field = 1; field < csv[line].size(); ++field) {
                const int64_t count = std::stoll(csv[line][field]);
                if (count != 0) {
                    found[{csv[line][0], csv[0][field]}] = count;
                    total += count;
                }
            }
        }
        EXPECT_EQ(found, expected);
        EXPECT_EQ(total, graph.edgeCount());
    }
}

} // namespace
