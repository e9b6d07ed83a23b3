#include "graph/Graph.h"

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

using testing_support::CoutCapture;
using testing_support::TempFile;

const char* const smallGraph = "HierarchyElements 5\nRoot 0\nH 0 top\nH 1 left\nH 2 right\n"
                               "H 3 a\nH 4 b\nPCR 0 1\nPCR 0 2\nPCR 1 3\nPCR 2 4\nR 3 4\nR 4 3\n";
const char* const otherGraph = "HierarchyElements 3\nRoot 0\nH 0 r\nH 1 x\nH 2 y\n"
                               "PCR 0 1\nPCR 0 2\nR 1 2\n";

TEST(GraphClear, FreshGraphStaysEmptyAndKeepsItsSettings) {
    Graph graph;
    graph.clear();
    EXPECT_TRUE(graph.nodes.empty());
    EXPECT_TRUE(graph.edges.empty());
    EXPECT_EQ(graph.straightPoints, nullptr);
    EXPECT_FLOAT_EQ(graph.beta, -1.0f);
    EXPECT_EQ(graph.colorRamp, 3);
}

TEST(GraphClear, ReleasesTablesButKeepsCountsAndSettings) {
    TempFile file(smallGraph);
    Graph graph;
    CoutCapture quiet;
    ASSERT_TRUE(graph.load(file.path()));
    graph.lineWidth = 7.0f;
    graph.clear();
    EXPECT_TRUE(graph.nodes.empty());
    EXPECT_TRUE(graph.edges.empty());
    EXPECT_EQ(graph.nodeCount, 5);
    EXPECT_EQ(graph.edgeCount, 2);
    EXPECT_FLOAT_EQ(graph.lineWidth, 7.0f);
}

TEST(GraphLoad, PrintsTheThreeProgressLines) {
    TempFile file(smallGraph);
    Graph graph;
    CoutCapture output;
    ASSERT_TRUE(graph.load(file.path()));
    EXPECT_EQ(output.text(), "Reading " + file.path() +
                                 " ... done!\nBuilding Tree Layouts ... done!\n"
                                 "Building Splines ... done!\n");
    EXPECT_EQ(graph.nodeCount, 5);
    EXPECT_EQ(graph.edgeCount, 2);
    EXPECT_EQ(graph.root, graph.nodes[0].get());
}

TEST(GraphLoad, EndsWithTheRadialLayoutApplied) {
    TempFile file(smallGraph);
    Graph graph;
    graph.layoutType = static_cast<int32_t>(TreeLayoutType::TreeMapStrip);
    CoutCapture quiet;
    ASSERT_TRUE(graph.load(file.path()));
    EXPECT_EQ(graph.layoutType, static_cast<int32_t>(TreeLayoutType::Radial));
}

TEST(GraphLoad, SecondLoadReplacesTheFirst) {
    TempFile first(smallGraph);
    TempFile second(otherGraph);
    Graph graph;
    CoutCapture quiet;
    ASSERT_TRUE(graph.load(first.path()));
    ASSERT_TRUE(graph.load(second.path()));
    EXPECT_EQ(graph.nodeCount, 3);
    EXPECT_EQ(graph.edgeCount, 1);
    ASSERT_EQ(graph.nodes.size(), 3u);
    EXPECT_EQ(graph.nodes[1]->name, "x");
    EXPECT_EQ(graph.root, graph.nodes[0].get());
    EXPECT_EQ(graph.edges[0]->source, graph.nodes[1].get());

    ASSERT_TRUE(graph.load(second.path()));
    EXPECT_EQ(graph.nodeCount, 3);
    EXPECT_EQ(graph.edgeCount, 1);
}

TEST(GraphLoad, RejectedFileKeepsTheGraphOnScreen) {
    TempFile good(smallGraph);
    TempFile bad("HierarchyElements 5\nRoot 0\nH 0 changed\nPCR 0 1\nPCR 2 1\n");
    Graph graph;
    {
        CoutCapture quiet;
        ASSERT_TRUE(graph.load(good.path()));
    }
    graph.setLayout(TreeLayoutType::Classic);
    std::vector<std::pair<float, float>> positions;
    for (const auto& node : graph.nodes) {
        positions.emplace_back(node->x, node->y);
    }
    const Node* rootBefore = graph.root;

    CoutCapture output;
    EXPECT_FALSE(graph.load(bad.path()));
    EXPECT_EQ(output.text(), "Reading " + bad.path() + " ... failed!\n" + bad.path() +
                                 ":5: node 1 already has parent 0\n");
    EXPECT_EQ(graph.nodeCount, 5);
    EXPECT_EQ(graph.edgeCount, 2);
    EXPECT_EQ(graph.root, rootBefore);
    EXPECT_EQ(graph.nodes[0]->name, "top");
    EXPECT_EQ(graph.layoutType, static_cast<int32_t>(TreeLayoutType::Classic));
    for (std::size_t i = 0; i < graph.nodes.size(); ++i) {
        EXPECT_EQ(graph.nodes[i]->x, positions[i].first);
        EXPECT_EQ(graph.nodes[i]->y, positions[i].second);
    }
}

TEST(GraphLoad, MissingFileIsReportedWithItsPath) {
    Graph graph;
    CoutCapture output;
    EXPECT_FALSE(graph.load("no/such/graph.rsf"));
    EXPECT_EQ(output.text(), "Reading no/such/graph.rsf ... failed!\n"
                             "no/such/graph.rsf: cannot open the file (No such file or directory)\n");
    EXPECT_TRUE(graph.nodes.empty());
    EXPECT_EQ(graph.nodeCount, 0);
}

} // namespace
