#include "bundling/Bundles.h"

#include "graph/RelationPairSet.h"

#include <algorithm>

namespace {

constexpr uint64_t emptyKey = ~uint64_t{0};

uint64_t keyOf(int32_t source, int32_t target) {
    return packedPair(static_cast<uint32_t>(source), static_cast<uint32_t>(target));
}

// Pairs of shown nodes, with the kind of their relations, and the index of
// their first relation and their count: an open-addressing table that grows
// at half full.
class PairTable {
public:
    struct Entry {
        uint64_t key = emptyKey;
        RelationKind kind = RelationKind::Kept;
        int64_t first = 0;
        uint64_t count = 0;
    };

    void add(uint64_t key, RelationKind kind, int64_t first, uint64_t count) {
        if (2 * (used + 1) > entries.size()) {
            grow();
        }
        Entry& entry = slotOf(key, kind);
        if (entry.key == emptyKey) {
            entry = {key, kind, first, 0};
            ++used;
        }
        entry.first = std::min(entry.first, first);
        entry.count += count;
    }
    const std::vector<Entry>& all() const { return entries; }

private:
    Entry& slotOf(uint64_t key, RelationKind kind) {
        const std::size_t mask = entries.size() - 1;
        // A multiplicative hash spreads the pairs of nearby node ids.
        const uint64_t mixed = key + static_cast<uint64_t>(kind) * 0xD6E8FEB86659FD93ull;
        std::size_t at = static_cast<std::size_t>((mixed * 0x9E3779B97F4A7C15ull) >> 20) & mask;
        while (entries[at].key != emptyKey &&
               (entries[at].key != key || entries[at].kind != kind)) {
            at = (at + 1) & mask;
        }
        return entries[at];
    }
    void grow() {
        std::vector<Entry> old(std::max<std::size_t>(64, 2 * entries.size()));
        old.swap(entries);
        for (const Entry& entry : old) {
            if (entry.key != emptyKey) {
                slotOf(entry.key, entry.kind) = entry;
            }
        }
    }

    std::vector<Entry> entries;
    std::size_t used = 0;
};

// What one run of relations gathers; the relations inside nodes are counted
// per node once the first one is met.
struct Gathered {
    PairTable pairs;
    std::vector<uint32_t> inside;
};

bool everyNodeShownAsItself(std::span<const int32_t> shownAs) {
    for (std::size_t node = 0; node < shownAs.size(); ++node) {
        if (shownAs[node] != static_cast<int32_t>(node)) {
            return false;
        }
    }
    return true;
}

} // namespace

Bundles gatherBundles(const CompoundGraph& graph, std::span<const int32_t> shownAs,
                      ThreadPool& pool, std::span<const RelationKind> kinds, bool keptShown) {
    Bundles bundles;
    bundles.inside.assign(static_cast<std::size_t>(graph.nodeCount()), 0);
    const auto left = [&](int64_t e) {
        return !keptShown && !kinds.empty() &&
               kinds[static_cast<std::size_t>(e)] == RelationKind::Kept;
    };
    const auto kindOf = [&](int64_t e) {
        return kinds.empty() ? RelationKind::Kept : kinds[static_cast<std::size_t>(e)];
    };
    // Nothing collapsed: each relation is a bundle of its own.
    if (everyNodeShownAsItself(shownAs)) {
        if (kinds.empty()) {
            bundles.source = graph.source;
            bundles.target = graph.target;
            bundles.count.assign(graph.source.size(), 1);
            return bundles;
        }
        for (int32_t e = 0; e < graph.edgeCount(); ++e) {
            if (!left(e)) {
                bundles.source.push_back(graph.source[static_cast<std::size_t>(e)]);
                bundles.target.push_back(graph.target[static_cast<std::size_t>(e)]);
                bundles.count.push_back(1);
                bundles.kind.push_back(kindOf(e));
            }
        }
        return bundles;
    }
    const int64_t relations = graph.edgeCount();
    const unsigned parts = rangeCount(relations, 65536, pool);
    std::vector<Gathered> gathered(parts);
    pool.run(parts, [&](unsigned part) {
        const IndexRange range = rangeOf(relations, parts, part);
        Gathered& run = gathered[part];
        for (int64_t e = range.begin; e < range.end; ++e) {
            if (left(e)) {
                continue;
            }
            const int32_t from = shownAs[static_cast<std::size_t>(graph.source[e])];
            const int32_t to = shownAs[static_cast<std::size_t>(graph.target[e])];
            if (from == to) {
                if (run.inside.empty()) {
                    run.inside.assign(shownAs.size(), 0);
                }
                ++run.inside[static_cast<std::size_t>(from)];
                continue;
            }
            run.pairs.add(keyOf(from, to), kindOf(e), e, 1);
        }
    });
    PairTable all;
    for (const Gathered& run : gathered) {
        for (const PairTable::Entry& entry : run.pairs.all()) {
            if (entry.key != emptyKey) {
                all.add(entry.key, entry.kind, entry.first, entry.count);
            }
        }
        for (std::size_t node = 0; node < run.inside.size(); ++node) {
            bundles.inside[node] += run.inside[node];
        }
    }
    std::vector<PairTable::Entry> found;
    for (const PairTable::Entry& entry : all.all()) {
        if (entry.key != emptyKey) {
            found.push_back(entry);
        }
    }
    std::sort(found.begin(), found.end(), [](const PairTable::Entry& a, const PairTable::Entry& b) {
        return a.first < b.first;
    });
    bundles.source.reserve(found.size());
    bundles.target.reserve(found.size());
    bundles.count.reserve(found.size());
    for (const PairTable::Entry& entry : found) {
        bundles.source.push_back(static_cast<int32_t>(entry.key >> 32));
        bundles.target.push_back(static_cast<int32_t>(entry.key & 0xFFFFFFFFu));
        bundles.count.push_back(static_cast<uint32_t>(entry.count));
        if (!kinds.empty()) {
            bundles.kind.push_back(entry.kind);
        }
    }
    return bundles;
}
