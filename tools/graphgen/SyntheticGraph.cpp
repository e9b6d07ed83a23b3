#include "tools/graphgen/SyntheticGraph.h"

#include "graph/RelationPairSet.h"

#include <algorithm>
#include <charconv>
#include <ostream>
#include <string_view>
#include <vector>

namespace {

// splitmix64: tiny, fast and identical everywhere, unlike the standard
// distributions.
class Random {
public:
    explicit Random(uint64_t seed) : state(seed) {}

    uint64_t next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int64_t below(int64_t bound) {
        return static_cast<int64_t>(next() % static_cast<uint64_t>(bound));
    }
    double unit() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }

private:
    uint64_t state;
};

struct Hierarchy {
    std::vector<int64_t> parent;
    std::vector<int> depth;
    // Leaves in depth-first order and, per node, its range in that order.
    std::vector<int64_t> leaves;
    std::vector<int64_t> firstLeaf;
    std::vector<int64_t> leafCount;
    std::vector<std::vector<int64_t>> children;
};

Hierarchy growHierarchy(const SyntheticGraphParameters& parameters, Random& random) {
    Hierarchy tree;
    tree.parent.push_back(-1);
    tree.depth.push_back(0);
    tree.children.emplace_back();
    for (std::size_t next = 0; next < tree.parent.size(); ++next) {
        if (tree.depth[next] >= parameters.depth) {
            continue;
        }
        const int64_t wanted = 1 + random.below(2 * std::max(1, parameters.fanOut) - 1);
        for (int64_t c = 0;
             c < wanted && static_cast<int64_t>(tree.parent.size()) < parameters.nodes; ++c) {
            const auto id = static_cast<int64_t>(tree.parent.size());
            tree.parent.push_back(static_cast<int64_t>(next));
            tree.depth.push_back(tree.depth[next] + 1);
            tree.children.emplace_back();
            tree.children[next].push_back(id);
        }
    }
    const std::size_t count = tree.parent.size();
    tree.firstLeaf.assign(count, 0);
    tree.leafCount.assign(count, 0);
    std::vector<std::pair<int64_t, bool>> stack{{0, false}};
    while (!stack.empty()) {
        auto [node, done] = stack.back();
        stack.pop_back();
        if (done) {
            tree.leafCount[node] = static_cast<int64_t>(tree.leaves.size()) - tree.firstLeaf[node];
            continue;
        }
        tree.firstLeaf[node] = static_cast<int64_t>(tree.leaves.size());
        if (tree.children[node].empty()) {
            tree.leaves.push_back(node);
            tree.leafCount[node] = 1;
            continue;
        }
        stack.push_back({node, true});
        for (auto child = tree.children[node].rbegin(); child != tree.children[node].rend();
             ++child) {
            stack.push_back({*child, false});
        }
    }
    return tree;
}

// A leaf as relations are drawn from it: its id, and the leaves (as a range
// of the depth-first order) under its grandparent, where a local relation
// from it goes.
struct LeafScope {
    int64_t node;
    int64_t first;
    int64_t count;
};

std::vector<LeafScope> leafScopes(const Hierarchy& tree) {
    std::vector<LeafScope> scopes;
    scopes.reserve(tree.leaves.size());
    for (const int64_t leaf : tree.leaves) {
        int64_t scope = leaf;
        for (int up = 0; up < 2 && tree.parent[scope] >= 0; ++up) {
            scope = tree.parent[scope];
        }
        scopes.push_back({leaf, tree.firstLeaf[scope], tree.leafCount[scope]});
    }
    return scopes;
}

// Lines gathered into large writes: a stream's formatted output, one
// number at a time, is what made writing tens of millions of lines slow.
class LineWriter {
public:
    explicit LineWriter(std::ostream& out) : out(out) {}
    ~LineWriter() { flush(); }

    LineWriter& operator<<(std::string_view text) {
        buffer.insert(buffer.end(), text.begin(), text.end());
        return *this;
    }
    LineWriter& operator<<(int64_t number) {
        char digits[24];
        const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, number);
        buffer.insert(buffer.end(), digits, written.ptr);
        return *this;
    }
    // Ends the line, and hands the lines so far to the stream once they fill a block.
    void endLine() {
        buffer.push_back('\n');
        if (buffer.size() >= blockBytes) {
            flush();
        }
    }

private:
    static constexpr std::size_t blockBytes = std::size_t{1} << 20;

    void flush() {
        out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        buffer.clear();
    }

    std::ostream& out;
    std::vector<char> buffer;
};

} // namespace

int64_t writeSyntheticGraph(const SyntheticGraphParameters& parameters, std::ostream& out) {
    Random random(parameters.seed);
    const Hierarchy tree = growHierarchy(parameters, random);
    const auto count = static_cast<int64_t>(tree.parent.size());

    LineWriter lines(out);
    lines << "HierarchyElements " << count;
    lines.endLine();
    lines << "Root 0";
    lines.endLine();
    for (int64_t id = 0; id < count; ++id) {
        lines << "H " << id << " n" << id;
        lines.endLine();
    }
    for (int64_t id = 1; id < count; ++id) {
        lines << "PCR " << tree.parent[id] << " " << id;
        lines.endLine();
    }

    const auto leafTotal = static_cast<int64_t>(tree.leaves.size());
    const int64_t possible = leafTotal * (leafTotal - 1);
    const int64_t relations = std::min(parameters.relations, possible);
    const std::vector<LeafScope> scopes = leafScopes(tree);
    RelationPairSet written(static_cast<std::size_t>(relations));
    // Each relation takes three random numbers whatever earlier ones found,
    // so a batch is drawn first and its lookups in the large tables overlap
    // instead of waiting on one another; the relations come out as if
    // drawn one at a time.
    constexpr std::size_t batch = 4096;
    std::vector<uint64_t> pairs(batch);
    while (static_cast<int64_t>(written.size()) < relations) {
        for (uint64_t& pair : pairs) {
            const LeafScope& from = scopes[static_cast<std::size_t>(random.below(leafTotal))];
            const bool local = random.unit() < parameters.locality;
            const int64_t first = local ? from.first : 0;
            const int64_t reach = local ? from.count : leafTotal;
            pair = static_cast<uint64_t>(from.node) << 32 |
                   static_cast<uint64_t>(first + random.below(reach));
        }
        for (uint64_t& pair : pairs) {
            const auto target =
                static_cast<uint32_t>(tree.leaves[static_cast<std::size_t>(pair & 0xFFFFFFFFu)]);
            pair = packedPair(static_cast<uint32_t>(pair >> 32), target);
            written.prefetch(pair);
        }
        for (std::size_t k = 0; k < batch && static_cast<int64_t>(written.size()) < relations;
             ++k) {
            const auto source = static_cast<uint32_t>(pairs[k] >> 32);
            const auto target = static_cast<uint32_t>(pairs[k]);
            if (source != target && written.insert(pairs[k])) {
                lines << "R " << int64_t{source} << " " << int64_t{target};
                lines.endLine();
            }
        }
    }
    return count;
}
