#include "tools/graphgen/SyntheticGraph.h"

#include <algorithm>
#include <ostream>
#include <unordered_set>
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

} // namespace

int64_t writeSyntheticGraph(const SyntheticGraphParameters& parameters, std::ostream& out) {
    Random random(parameters.seed);
    const Hierarchy tree = growHierarchy(parameters, random);
    const auto count = static_cast<int64_t>(tree.parent.size());

    out << "HierarchyElements " << count << "\nRoot 0\n";
    for (int64_t id = 0; id < count; ++id) {
        out << "H " << id << " n" << id << '\n';
    }
    for (int64_t id = 1; id < count; ++id) {
        out << "PCR " << tree.parent[id] << ' ' << id << '\n';
    }

    const auto leafTotal = static_cast<int64_t>(tree.leaves.size());
    const int64_t possible = leafTotal * (leafTotal - 1);
    const int64_t relations = std::min(parameters.relations, possible);
    std::unordered_set<uint64_t> written;
    written.reserve(static_cast<std::size_t>(relations));
    while (static_cast<int64_t>(written.size()) < relations) {
        const int64_t source = tree.leaves[random.below(leafTotal)];
        int64_t scope = 0;
        if (random.unit() < parameters.locality) {
            scope = source;
            for (int up = 0; up < 2 && tree.parent[scope] >= 0; ++up) {
                scope = tree.parent[scope];
            }
        }
        const int64_t target =
            tree.leaves[tree.firstLeaf[scope] + random.below(tree.leafCount[scope])];
        if (source == target ||
            !written.insert(static_cast<uint64_t>(source) << 32 | static_cast<uint64_t>(target))
                 .second) {
            continue;
        }
        out << "R " << source << ' ' << target << '\n';
    }
    return count;
}
