#pragma once

#include "base/ThreadPool.h"
#include "graph/CompoundGraph.h"
#include "graph/RelationBatch.h"
#include "graph/RelationPairSet.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Puts a CompoundGraph together from what a reader finds, in any order, and
// keeps it consistent: every node has at most one parent, no parent link
// closes a cycle, no relation repeats or relates a node to itself.
class CompoundGraphBuilder {
public:
    enum class LinkFault { None, SecondParent, Cycle };

    // Adds nodes with empty names; returns the id of the first.
    int32_t addNodes(int32_t count);
    int32_t nodeCount() const { return static_cast<int32_t>(parents.size()); }

    void setName(int32_t node, std::string_view name);
    void setRoot(int32_t node) { root = node; }
    bool hasRoot() const { return root != CompoundGraph::none; }
    int32_t parentOf(int32_t node) const { return parents[static_cast<std::size_t>(node)]; }

    // Makes child the next child of parent, unless that would give it a
    // second parent or close a cycle.
    LinkFault link(int32_t parent, int32_t child);
    // Adds the relation; false, and nothing added, for a node related to
    // itself or a pair already related in this order.
    bool relate(int32_t source, int32_t target);
    std::size_t relationCount() const { return sources.size(); }
    // Adds the relations of the batches, batch after batch, as relate()
    // would one by one, the work shared out on the pool: for millions of
    // relations, instead of relate(). The batches are freed as they are
    // taken.
    void relateAll(std::vector<RelationBatch> batches, ThreadPool& pool);

    // The graph; the builder is left empty.
    CompoundGraph finish();

private:
    int32_t topOf(int32_t node);

    std::vector<int32_t> parents;
    std::vector<std::string> names;
    // Union-find over the trees built so far: a link closes a cycle exactly
    // when the parent already lies in the child's tree.
    std::vector<int32_t> treeOf;
    std::vector<int32_t> linkParents;
    std::vector<int32_t> linkChildren;
    int32_t root = CompoundGraph::none;
    std::vector<int32_t> sources;
    std::vector<int32_t> targets;
    RelationPairSet relationPairs;
};
