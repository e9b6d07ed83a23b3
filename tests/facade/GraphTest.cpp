#include "facade/Graph.h"

#include "tests/support/GraphFixtures.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

using testing_support::CoutCapture;
using testing_support::graphText;
using testing_support::TempFile;

const char* const smallGraph = "HierarchyElements 5\nRoot 0\nH 0 top\nH 1 left\nH 2 right\n"
                               "H 3 a\nH 4 b\nPCR 0 1\nPCR 0 2\nPCR 1 3\nPCR 2 4\nR 3 4\nR 4 3\n";

class GraphFacade : public ::testing::Test {
protected:
    void SetUp() override {
        TempFile file(smallGraph);
        CoutCapture quiet;
        ASSERT_TRUE(graph.load(file.path()).ok());
    }
    Graph graph;
};

TEST_F(GraphFacade, AFreshGraphHasNothingAndNoStrength) {
    Graph fresh;
    EXPECT_EQ(fresh.nodeCount(), 0);
    EXPECT_EQ(fresh.edgeCount(), 0);
    EXPECT_EQ(fresh.beta(), -1.0f);
    EXPECT_EQ(fresh.layoutType(), 0);
    EXPECT_EQ(fresh.settings, ViewSettings{});
    fresh.clear();
    EXPECT_EQ(fresh.nodeCount(), 0);
}

TEST_F(GraphFacade, LoadShowsTheRecordsAndEndsRadial) {
    EXPECT_EQ(graph.nodeCount(), 5);
    EXPECT_EQ(graph.edgeCount(), 2);
    EXPECT_EQ(graph.root(), 0);
    EXPECT_EQ(graph.layoutType(), 0);
    const Node leaf = graph.node(3);
    EXPECT_EQ(leaf.name, "a");
    EXPECT_EQ(leaf.parent, 1);
    EXPECT_EQ(leaf.depth, 2u);
    EXPECT_FLOAT_EQ(leaf.offset, 0.0f);
    EXPECT_FLOAT_EQ(leaf.width, 0.5f);
    EXPECT_NEAR(leaf.x, 0.8f, 1e-6);
    EXPECT_EQ(graph.node(0).children.size(), 2u);
    const Edge back = graph.edge(1);
    EXPECT_EQ(back.index, 1);
    EXPECT_EQ(back.source, 4);
    EXPECT_EQ(back.target, 3);
    // Cousins: both ends three times, their parents between, the root left out.
    EXPECT_EQ(std::vector<int32_t>(back.controlPoints.begin(), back.controlPoints.end()),
              (std::vector<int32_t>{4, 4, 4, 2, 1, 3, 3, 3}));
    EXPECT_EQ(back.controlPointCount, 8);
    EXPECT_EQ(graph.nodes().size(), 5u);
    EXPECT_EQ(graph.edges().size(), 2u);
    EXPECT_EQ(graph.bundledPoints().size(), 2u * floatsPerEdge);
}

TEST_F(GraphFacade, SetLayoutTwiceDoesNothingTheSecondTime) {
    graph.setLayout(TreeLayoutType::Classic);
    EXPECT_EQ(graph.settings.layoutType, TreeLayoutType::Classic);
    EXPECT_EQ(graph.layoutType(), 1);
    graph.scene.editPositions()[3].x = 42.0f;
    graph.setLayout(TreeLayoutType::Classic);
    EXPECT_EQ(graph.node(3).x, 42.0f);
    graph.setLayout(TreeLayoutType::Radial);
    EXPECT_NEAR(graph.node(3).x, 0.8f, 1e-6);
}

TEST_F(GraphFacade, TheFirstStrengthMixesAndTheSameOneAgainDoesNothing) {
    EXPECT_EQ(graph.beta(), -1.0f) << "a load leaves the mix to the first frame";
    graph.setBeta(0.5f);
    EXPECT_EQ(graph.beta(), 0.5f);
    EXPECT_EQ(graph.settings.beta, 0.5f);
    const uint64_t revision = graph.scene.revision();
    graph.setBeta(0.5f);
    EXPECT_EQ(graph.scene.revision(), revision);
    graph.setLayout(TreeLayoutType::TreeMapStrip);
    EXPECT_EQ(graph.beta(), 0.5f) << "a new layout is mixed with the strength applied";
    EXPECT_TRUE(graph.scene.curvesCurrent());
    EXPECT_LE(graph.minSplineLength(), graph.maxSplineLength());
}

TEST_F(GraphFacade, CurvesThroughNodeIdsAndTreeMapMirrors) {
    const int32_t line[] = {1, 2};
    const Point middle = graph.evaluateSpline(0.5f, line, 2);
    EXPECT_NEAR(middle.x, (graph.node(1).x + graph.node(2).x) / 2.0f, 1e-6);
    const Point straight = graph.blendPoint(0.0f, 0.5f, line, 2);
    EXPECT_NEAR(straight.y, (graph.node(1).y + graph.node(2).y) / 2.0f, 1e-6);

    const std::unique_ptr<TreeMapNode> mirror = graph.buildTreeMapNode(1, 0);
    ASSERT_EQ(mirror->childCount(), 1);
    EXPECT_STREQ(mirror->name, "left");
    EXPECT_STREQ(mirror->child(0)->name, "a");
    mirror->rect = Rect{0.0f, 0.0f, 0.5f, 0.5f};
    mirror->child(0)->rect = Rect{0.1f, 0.1f, 0.3f, 0.3f};
    graph.copyTreeMapCentres(1, mirror.get());
    EXPECT_EQ(graph.node(1).x, 0.25f);
    EXPECT_EQ(graph.node(3).y, 0.2f);
}

TEST_F(GraphFacade, ARejectedFileKeepsTheGraph) {
    TempFile bad("HierarchyElements 2\nRoot 0\nR 0 5\n");
    CoutCapture quiet;
    EXPECT_FALSE(graph.load(bad.path()).ok());
    EXPECT_EQ(graph.nodeCount(), 5);
    EXPECT_EQ(graph.node(4).name, "b");
}

TEST(GraphTokenize, SplitsOnTheDelimitersGiven) {
    std::vector<std::string_view> tokens;
    Graph::tokenize("R;1;;2", ";", tokens);
    EXPECT_EQ(tokens, (std::vector<std::string_view>{"R", "1", "2"}));
}

} // namespace
