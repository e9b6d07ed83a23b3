#include "analysis/CycleGroups.h"
#include "model/Cut.h"

#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

using testing_support::graphOf;

Bundles bundlesOf(const std::vector<std::pair<int, int>>& arcs,
                  const std::vector<uint32_t>& counts) {
    Bundles bundles;
    for (const auto& [from, to] : arcs) {
        bundles.source.push_back(from);
        bundles.target.push_back(to);
    }
    bundles.count = counts;
    return bundles;
}

CycleGroups groupsAt(const CompoundGraph& graph, int32_t depth, std::vector<int32_t> toggled = {}) {
    const Cut cut = cutOf(graph, depth, toggled);
    return cycleGroupsOf(gatherBundles(graph, cut.shownAs), graph.nodeCount());
}

// Whether the arcs left once the cut bundles are gone can be put in an
// order with every arc forward (Kahn's algorithm, written here on its own).
bool acyclicWithout(const Bundles& bundles, const CycleGroups& found, int32_t nodes) {
    std::vector<bool> cut(static_cast<std::size_t>(bundles.bundleCount()), false);
    for (const BundleToCut& bundle : found.toCut) {
        cut[static_cast<std::size_t>(bundle.bundle)] = true;
    }
    std::vector<int> incoming(static_cast<std::size_t>(nodes), 0);
    std::vector<std::vector<int>> out(static_cast<std::size_t>(nodes));
    for (int b = 0; b < bundles.bundleCount(); ++b) {
        if (!cut[static_cast<std::size_t>(b)]) {
            out[static_cast<std::size_t>(bundles.source[b])].push_back(bundles.target[b]);
            ++incoming[static_cast<std::size_t>(bundles.target[b])];
        }
    }
    std::vector<int> ready;
    for (int v = 0; v < nodes; ++v) {
        if (incoming[static_cast<std::size_t>(v)] == 0) {
            ready.push_back(v);
        }
    }
    int placed = 0;
    while (!ready.empty()) {
        const int v = ready.back();
        ready.pop_back();
        ++placed;
        for (const int w : out[static_cast<std::size_t>(v)]) {
            if (--incoming[static_cast<std::size_t>(w)] == 0) {
                ready.push_back(w);
            }
        }
    }
    return placed == nodes;
}

TEST(CycleGroups, ACutMakesCyclesTheLeavesDoNotHave) {
    // 0 {A 1 {a1 2, a2 3}, B 4 {b1 5, b2 6}}: a1 -> b1 and b2 -> a2, and
    // a1 -> a2 inside A.
    const CompoundGraph graph = graphOf({-1, 0, 1, 1, 0, 4, 4}, {{2, 5}, {6, 3}, {2, 3}});
    EXPECT_EQ(groupsAt(graph, 0).line(),
              "Cycles: 0 groups of 0 nodes; 0 relations inside them, 0 to cut");

    const CycleGroups atOne = groupsAt(graph, 1);
    ASSERT_EQ(atOne.groups.size(), 1u);
    EXPECT_EQ(atOne.groups[0].nodes, (std::vector<int32_t>{1, 4}));
    EXPECT_EQ(atOne.groups[0].relations, 2) << "a1 -> a2 lies inside A";
    ASSERT_EQ(atOne.toCut.size(), 1u);
    EXPECT_EQ(atOne.toCut[0].relations, 1);
    EXPECT_EQ(atOne.line(), "Cycles: 1 group of 2 nodes; 2 relations inside them, 1 to cut");

    // A alone collapsed: A -> b1 and b2 -> A, and nothing leads from b1 to b2.
    EXPECT_TRUE(groupsAt(graph, 0, {1}).groups.empty());
    EXPECT_EQ(groupsAt(graph, 0, {1, 4}).groups.size(), 1u);
}

TEST(CycleGroups, GroupsAndTheirCutWorkedByHand) {
    // a 0 -> b 1 (3), b -> c 2 (2), c -> a (1): cutting c -> a costs least.
    // d 3 -> e 4 (1), e -> d (5): the lighter way is cut, not the lower
    // node's. c -> d and f 5 -> a join no cycle.
    const Bundles bundles =
        bundlesOf({{0, 1}, {1, 2}, {2, 0}, {3, 4}, {4, 3}, {2, 3}, {5, 0}}, {3, 2, 1, 1, 5, 1, 1});
    const CycleGroups found = cycleGroupsOf(bundles, 6);
    ASSERT_EQ(found.groups.size(), 2u);
    EXPECT_EQ(found.groups[0].nodes, (std::vector<int32_t>{0, 1, 2}));
    EXPECT_EQ(found.groups[0].relations, 6);
    EXPECT_EQ(found.groups[1].nodes, (std::vector<int32_t>{3, 4}));
    EXPECT_EQ(found.groups[1].relations, 6);
    ASSERT_EQ(found.toCut.size(), 2u);
    EXPECT_EQ(found.toCut[0].bundle, 2);
    EXPECT_EQ(found.toCut[0].from, 2);
    EXPECT_EQ(found.toCut[0].to, 0);
    EXPECT_EQ(found.toCut[1].bundle, 3);
    EXPECT_EQ(found.toCut[1].relations, 1);
    EXPECT_EQ(found.line(), "Cycles: 2 groups of 5 nodes; 12 relations inside them, 2 to cut");
}

TEST(CycleGroups, TheCutBreaksEveryCycleForNoMoreThanHalf) {
    // Ten nodes, each related to every other: one group, and any order cuts
    // exactly one way of each pair.
    std::vector<std::pair<int, int>> complete;
    for (int a = 0; a < 10; ++a) {
        for (int b = 0; b < 10; ++b) {
            if (a != b) {
                complete.push_back({a, b});
            }
        }
    }
    const Bundles all = bundlesOf(complete, std::vector<uint32_t>(90, 1));
    const CycleGroups found = cycleGroupsOf(all, 10);
    EXPECT_EQ(found.line(), "Cycles: 1 group of 10 nodes; 90 relations inside them, 45 to cut");
    EXPECT_TRUE(acyclicWithout(all, found, 10));

    // Random weighted graphs: what is left is acyclic, and each group loses
    // at most half its relations.
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        const int nodes = 30;
        std::vector<std::pair<int, int>> arcs;
        std::vector<uint32_t> counts;
        for (int a = 0; a < nodes; ++a) {
            for (int b = 0; b < nodes; ++b) {
                if (a != b && random() % 8 == 0) {
                    arcs.push_back({a, b});
                    counts.push_back(1 + random() % 20);
                }
            }
        }
        const Bundles bundles = bundlesOf(arcs, counts);
        const CycleGroups groups = cycleGroupsOf(bundles, nodes);
        EXPECT_TRUE(acyclicWithout(bundles, groups, nodes)) << "round " << round;
        EXPECT_LE(2 * groups.cutRelations(), groups.innerRelations()) << "round " << round;
    }
}

TEST(CycleGroups, MillionsOfNodesInAChainNeedNoStack) {
    const int nodes = 2'000'000;
    std::vector<std::pair<int, int>> chain;
    for (int v = 0; v + 1 < nodes; ++v) {
        chain.push_back({v, v + 1});
    }
    EXPECT_TRUE(cycleGroupsOf(bundlesOf(chain, std::vector<uint32_t>(chain.size(), 1)), nodes)
                    .groups.empty());
    // Closed into a ring, it is one group that one bundle breaks.
    chain.push_back({nodes - 1, 0});
    const CycleGroups ring =
        cycleGroupsOf(bundlesOf(chain, std::vector<uint32_t>(chain.size(), 1)), nodes);
    EXPECT_EQ(ring.line(),
              "Cycles: 1 group of 2000000 nodes; 2000000 relations inside them, 1 to cut");
}

} // namespace
