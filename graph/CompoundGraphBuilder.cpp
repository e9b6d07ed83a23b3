#include "graph/CompoundGraphBuilder.h"

#include <numeric>

namespace {

bool relatesItself(uint64_t pair) {
    return pair >> 32 == (pair & 0xFFFFFFFFu);
}

// What a repeat becomes: a node related to itself, left out like one.
constexpr uint64_t dropped = 0;

} // namespace

int32_t CompoundGraphBuilder::addNodes(int32_t count) {
    const int32_t first = nodeCount();
    const std::size_t size = static_cast<std::size_t>(first) + static_cast<std::size_t>(count);
    parents.resize(size, CompoundGraph::none);
    names.resize(size);
    treeOf.resize(size);
    std::iota(treeOf.begin() + first, treeOf.end(), first);
    return first;
}

void CompoundGraphBuilder::setName(int32_t node, std::string_view name) {
    names[static_cast<std::size_t>(node)].assign(name);
}

int32_t CompoundGraphBuilder::topOf(int32_t node) {
    while (treeOf[node] != node) {
        treeOf[node] = treeOf[treeOf[node]];
        node = treeOf[node];
    }
    return node;
}

CompoundGraphBuilder::LinkFault CompoundGraphBuilder::link(int32_t parent, int32_t child) {
    if (parents[child] != CompoundGraph::none) {
        return LinkFault::SecondParent;
    }
    // The child has no parent yet, so it is the top of its own tree.
    if (topOf(parent) == topOf(child)) {
        return LinkFault::Cycle;
    }
    parents[child] = parent;
    treeOf[topOf(child)] = topOf(parent);
    linkParents.push_back(parent);
    linkChildren.push_back(child);
    return LinkFault::None;
}

bool CompoundGraphBuilder::relate(int32_t source, int32_t target) {
    if (source == target ||
        !relationPairs.insert(static_cast<uint32_t>(source), static_cast<uint32_t>(target))) {
        return false;
    }
    sources.push_back(source);
    targets.push_back(target);
    return true;
}

void CompoundGraphBuilder::relateAll(std::vector<RelationBatch> batches, ThreadPool& pool) {
    // Each part's pairs are taken batch after batch, in order, so that the
    // first of each pair is the one kept; the parts lie apart in memory,
    // so no thread writes where another reads.
    const uint64_t seed = RelationPairSet::freshSeed();
    const auto lookForRepeats = [&](unsigned part) {
        std::size_t count = 0;
        for (RelationBatch& batch : batches) {
            count += batch.part(part).size();
        }
        if (count == 0) {
            return;
        }
        RelationPairSet seen(count, seed + part * 0x9E3779B97F4A7C15ull);
        for (RelationBatch& batch : batches) {
            for (uint64_t& pair : batch.part(part)) {
                if (relatesItself(pair) || !seen.insert(pair)) {
                    pair = dropped;
                }
            }
        }
    };
    std::size_t total = 0;
    for (const RelationBatch& batch : batches) {
        total += batch.size();
    }
    // Fewer pairs are done before the other threads would have woken.
    constexpr std::size_t fewPairs = std::size_t{1} << 16;
    if (total < fewPairs) {
        for (unsigned part = 0; part < RelationBatch::partCount; ++part) {
            lookForRepeats(part);
        }
    } else {
        pool.run(RelationBatch::partCount, lookForRepeats);
    }
    // Each batch's relations go to their place in the edge arrays, found
    // from the counts of those kept in the batches before it.
    const auto batchCount = static_cast<unsigned>(batches.size());
    std::vector<std::size_t> place(batches.size() + 1, sources.size());
    pool.run(batchCount, [&](unsigned b) {
        std::size_t kept = 0;
        batches[b].forEachInOrder([&](uint64_t pair) { kept += relatesItself(pair) ? 0 : 1; });
        place[b + 1] = kept;
    });
    std::partial_sum(place.begin(), place.end(), place.begin());
    sources.resize(place.back());
    targets.resize(place.back());
    pool.run(batchCount, [&](unsigned b) {
        std::size_t next = place[b];
        batches[b].forEachInOrder([&](uint64_t pair) {
            if (!relatesItself(pair)) {
                sources[next] = static_cast<int32_t>(pair >> 32);
                targets[next] = static_cast<int32_t>(pair & 0xFFFFFFFFu);
                ++next;
            }
        });
        batches[b] = {};
    });
}

CompoundGraph CompoundGraphBuilder::finish() {
    CompoundGraph graph;
    const std::size_t count = parents.size();
    graph.root = root;

    // Children grouped by parent, each group in the order of its links.
    graph.childStart.assign(count + 1, 0);
    for (const int32_t parent : linkParents) {
        ++graph.childStart[static_cast<std::size_t>(parent) + 1];
    }
    std::partial_sum(graph.childStart.begin(), graph.childStart.end(), graph.childStart.begin());
    graph.childIds.resize(linkChildren.size());
    std::vector<uint32_t> next(graph.childStart.begin(), graph.childStart.end() - 1);
    for (std::size_t i = 0; i < linkChildren.size(); ++i) {
        graph.childIds[next[static_cast<std::size_t>(linkParents[i])]++] = linkChildren[i];
    }

    // Depths: each node's chain up to the first node whose depth is known.
    constexpr uint32_t unknown = ~uint32_t{0};
    graph.depth.assign(count, unknown);
    std::vector<int32_t> pending;
    for (std::size_t i = 0; i < count; ++i) {
        int32_t walk = static_cast<int32_t>(i);
        while (walk != CompoundGraph::none && graph.depth[walk] == unknown) {
            pending.push_back(walk);
            walk = parents[walk];
        }
        uint32_t depth = walk == CompoundGraph::none ? 0 : graph.depth[walk] + 1;
        while (!pending.empty()) {
            graph.depth[pending.back()] = depth++;
            pending.pop_back();
        }
    }

    std::size_t nameBytes = 0;
    for (const std::string& name : names) {
        nameBytes += name.size();
    }
    graph.nameText.reserve(nameBytes);
    graph.nameStart.reserve(count + 1);
    for (const std::string& name : names) {
        graph.nameStart.push_back(static_cast<uint32_t>(graph.nameText.size()));
        graph.nameText += name;
    }
    graph.nameStart.push_back(static_cast<uint32_t>(graph.nameText.size()));

    graph.parent = std::move(parents);
    graph.source = std::move(sources);
    graph.target = std::move(targets);
    *this = CompoundGraphBuilder();
    return graph;
}
