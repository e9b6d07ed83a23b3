#include "graph/CompoundGraphBuilder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using LinkFault = CompoundGraphBuilder::LinkFault;

std::vector<int32_t> childrenOf(const CompoundGraph& graph, int32_t node) {
    const std::span<const int32_t> children = graph.children(node);
    return {children.begin(), children.end()};
}

TEST(CompoundGraphBuilder, NodesNamesAndChildrenInTheOrderOfTheirLinks) {
    CompoundGraphBuilder builder;
    EXPECT_EQ(builder.addNodes(3), 0);
    EXPECT_EQ(builder.addNodes(2), 3);
    builder.setName(4, "first");
    builder.setName(4, "last wins");
    builder.setName(0, "");
    builder.setRoot(0);
    EXPECT_EQ(builder.link(3, 1), LinkFault::None);
    EXPECT_EQ(builder.link(0, 4), LinkFault::None);
    EXPECT_EQ(builder.link(0, 3), LinkFault::None);
    EXPECT_EQ(builder.link(3, 2), LinkFault::None);
    const CompoundGraph graph = builder.finish();
    EXPECT_EQ(graph.nodeCount(), 5);
    EXPECT_EQ(graph.root, 0);
    EXPECT_EQ(graph.name(4), "last wins");
    EXPECT_EQ(graph.name(0), "");
    EXPECT_EQ(childrenOf(graph, 0), (std::vector<int32_t>{4, 3}));
    EXPECT_EQ(childrenOf(graph, 3), (std::vector<int32_t>{1, 2}));
    EXPECT_TRUE(graph.isLeaf(1));
    EXPECT_EQ(graph.depth, (std::vector<uint32_t>{0, 2, 2, 1, 1}));
    EXPECT_EQ(preorder(graph, 0), (std::vector<int32_t>{0, 4, 3, 1, 2}));
    EXPECT_TRUE(preorder(graph, CompoundGraph::none).empty());
    EXPECT_EQ(builder.nodeCount(), 0) << "the builder is left empty";
}

TEST(CompoundGraphBuilder, RefusesASecondParentAndACycle) {
    CompoundGraphBuilder builder;
    builder.addNodes(4);
    EXPECT_EQ(builder.link(0, 1), LinkFault::None);
    EXPECT_EQ(builder.link(2, 1), LinkFault::SecondParent);
    EXPECT_EQ(builder.parentOf(1), 0);
    EXPECT_EQ(builder.link(1, 2), LinkFault::None);
    EXPECT_EQ(builder.link(2, 0), LinkFault::Cycle);
    EXPECT_EQ(builder.link(3, 3), LinkFault::Cycle);
    EXPECT_EQ(builder.link(3, 0), LinkFault::None) << "joins two trees";
    const CompoundGraph graph = builder.finish();
    EXPECT_EQ(graph.parent, (std::vector<int32_t>{3, 0, 1, CompoundGraph::none}));
    EXPECT_EQ(graph.depth, (std::vector<uint32_t>{1, 2, 3, 0}));
}

TEST(CompoundGraphBuilder, RelationsKeepTheirOrderWithoutRepeatsOrSelfRelations) {
    CompoundGraphBuilder builder;
    builder.addNodes(4);
    EXPECT_TRUE(builder.relate(1, 2));
    EXPECT_FALSE(builder.relate(1, 2));
    EXPECT_FALSE(builder.relate(3, 3));
    EXPECT_TRUE(builder.relate(2, 1));
    EXPECT_TRUE(builder.relate(0, 3));
    EXPECT_EQ(builder.relationCount(), 3u);
    const CompoundGraph graph = builder.finish();
    EXPECT_EQ(graph.source, (std::vector<int32_t>{1, 2, 0}));
    EXPECT_EQ(graph.target, (std::vector<int32_t>{2, 1, 3}));
    EXPECT_EQ(graph.root, CompoundGraph::none);
}

RelationBatch batchOf(const std::vector<std::pair<uint32_t, uint32_t>>& pairs) {
    std::vector<uint64_t> packed;
    for (const auto& [source, target] : pairs) {
        packed.push_back(packedPair(source, target));
    }
    return RelationBatch(packed);
}

TEST(CompoundGraphBuilder, RelationsInBatchesFollowTheSameRules) {
    // Enough pairs for the threads to share the work: the first of each
    // pair is kept across batches, whichever thread looks at it.
    const uint32_t many = 70000;
    std::vector<std::pair<uint32_t, uint32_t>> spread;
    for (uint32_t i = 0; i < many; ++i) {
        spread.emplace_back(i, many + 1 + i);
    }
    std::vector<std::pair<uint32_t, uint32_t>> repeated(spread.rbegin(), spread.rend());
    repeated.emplace_back(many + 1, 0);
    std::vector<RelationBatch> batches;
    batches.push_back(batchOf({{1, 2}, {3, 3}, {1, 2}}));
    batches.push_back(batchOf({{2, 1}, {1, 2}, {0, 3}}));
    batches.push_back(batchOf(spread));
    batches.push_back(batchOf(repeated));
    CompoundGraphBuilder builder;
    builder.addNodes(2 * many + 2);
    ThreadPool pool(3);
    builder.relateAll(std::move(batches), pool);
    const CompoundGraph graph = builder.finish();
    ASSERT_EQ(graph.edgeCount(), static_cast<int32_t>(3 + many + 1));
    EXPECT_EQ(std::vector<int32_t>(graph.source.begin(), graph.source.begin() + 3),
              (std::vector<int32_t>{1, 2, 0}));
    EXPECT_EQ(std::vector<int32_t>(graph.target.begin(), graph.target.begin() + 3),
              (std::vector<int32_t>{2, 1, 3}));
    for (uint32_t i = 0; i < many; ++i) {
        ASSERT_EQ(graph.source[3 + i], static_cast<int32_t>(i));
        ASSERT_EQ(graph.target[3 + i], static_cast<int32_t>(many + 1 + i));
    }
    EXPECT_EQ(graph.source.back(), static_cast<int32_t>(many + 1));
    EXPECT_EQ(graph.target.back(), 0);
}

TEST(CompoundGraphBuilder, ADeepChainGetsItsDepthsWithoutRecursion) {
    CompoundGraphBuilder builder;
    const int32_t count = 500000;
    builder.addNodes(count);
    // Linked from the bottom up, so that no depth is known when it is asked for.
    for (int32_t i = count - 1; i > 0; --i) {
        ASSERT_EQ(builder.link(i - 1, i), LinkFault::None);
    }
    const CompoundGraph graph = builder.finish();
    EXPECT_EQ(graph.depth.back(), static_cast<uint32_t>(count - 1));
}

} // namespace
