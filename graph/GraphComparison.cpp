#include "graph/GraphComparison.h"

#include "graph/CompoundGraphBuilder.h"
#include "graph/PartTree.h"
#include "graph/RelationPairSet.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <string_view>
#include <utility>

namespace {

constexpr int32_t none = CompoundGraph::none;
constexpr std::size_t versionCount = 2;
// A bit per version: which of them hold a path.
constexpr uint8_t inOlder = 1;
constexpr uint8_t inNewer = 2;

Error tooManyParts() {
    return Error("the two versions' names have more parts than can be counted");
}

// Every path of both versions, split at its dots, in one tree of parts: a
// path's node there is the same in both, whatever nodes made it. The paths
// in the root's tree hang below one top, those of nodes in other trees
// below another.
class PathTree {
public:
    // The two tops are the first parts; no name goes at the top itself.
    PathTree()
        : parts(std::numeric_limits<int32_t>::max()),
          rootTree(*parts.childOf(PartTree::none, "root")),
          otherTrees(*parts.childOf(PartTree::none, "others")) {}

    // Per node of the graph, the node of its path; none past the limit.
    std::optional<std::vector<int32_t>> pathsOf(const CompoundGraph& graph) {
        std::vector<int32_t> path(static_cast<std::size_t>(graph.nodeCount()), none);
        for (int32_t top = 0; top < graph.nodeCount(); ++top) {
            if (graph.parent[static_cast<std::size_t>(top)] != none) {
                continue;
            }
            for (const int32_t node : preorder(graph, top)) {
                const int32_t parent = graph.parent[static_cast<std::size_t>(node)];
                const std::optional<int32_t> at =
                    node == graph.root ? rootTree
                    : parent == none
                        ? below(otherTrees, graph.name(node))
                        : below(path[static_cast<std::size_t>(parent)], graph.name(node));
                if (!at) {
                    return std::nullopt;
                }
                path[static_cast<std::size_t>(node)] = *at;
            }
        }
        return path;
    }

    int32_t count() const { return parts.nodeCount(); }
    int32_t parentOf(int32_t path) const { return parts.parents[static_cast<std::size_t>(path)]; }
    std::string_view partOf(int32_t path) const {
        return parts.parts[static_cast<std::size_t>(path)];
    }
    bool isTop(int32_t path) const { return path == rootTree || path == otherTrees; }

private:
    // The path of a name below another path: each piece between dots one
    // step, empty pieces too, so that paths are equal exactly when their
    // texts are.
    std::optional<int32_t> below(int32_t at, std::string_view name) {
        std::optional<int32_t> path = at;
        for (std::size_t start = 0; path;) {
            const std::size_t dot = std::min(name.find('.', start), name.size());
            path = parts.childOf(*path, name.substr(start, dot - start));
            if (dot == name.size()) {
                break;
            }
            start = dot + 1;
        }
        return path;
    }

    PartTree parts;

public:
    // Declared after the parts, which make them.
    const int32_t rootTree;
    const int32_t otherTrees;
};

// The union's nodes as paths, before they get their ids.
struct UnionNodes {
    // Per path: the versions holding it (0 for a path no node ends at), in
    // each version the place of its first node in that version's order, and
    // its name in the union.
    std::vector<uint8_t> holders;
    std::array<std::vector<int32_t>, versionCount> rank;
    std::vector<std::string> name;
};

// A version's nodes in order: the root's tree first, then the others.
std::vector<int32_t> versionOrder(const CompoundGraph& graph) {
    std::vector<int32_t> order = preorder(graph, graph.root);
    for (int32_t top = 0; top < graph.nodeCount(); ++top) {
        if (top != graph.root && graph.parent[static_cast<std::size_t>(top)] == none) {
            const std::vector<int32_t> tree = preorder(graph, top);
            order.insert(order.end(), tree.begin(), tree.end());
        }
    }
    return order;
}

// The siblings in an order that does not depend on which version is which:
// see compareGraphs.
std::vector<int32_t> mergedSiblings(const UnionNodes& nodes, const std::vector<int32_t>& siblings,
                                    std::vector<bool>& placed) {
    std::array<std::vector<int32_t>, versionCount> orders;
    for (std::size_t v = 0; v < versionCount; ++v) {
        for (const int32_t path : siblings) {
            if (nodes.rank[v][static_cast<std::size_t>(path)] != none) {
                orders[v].push_back(path);
            }
        }
        std::sort(orders[v].begin(), orders[v].end(), [&](int32_t a, int32_t b) {
            return nodes.rank[v][static_cast<std::size_t>(a)] <
                   nodes.rank[v][static_cast<std::size_t>(b)];
        });
    }
    const auto inBoth = [&](int32_t path) {
        return nodes.holders[static_cast<std::size_t>(path)] == (inOlder | inNewer);
    };
    std::vector<int32_t> merged;
    std::array<std::size_t, versionCount> at{};
    while (merged.size() < siblings.size()) {
        std::array<int32_t, versionCount> head{none, none};
        for (std::size_t v = 0; v < versionCount; ++v) {
            while (at[v] < orders[v].size() && placed[static_cast<std::size_t>(orders[v][at[v]])]) {
                ++at[v];
            }
            if (at[v] < orders[v].size()) {
                head[v] = orders[v][at[v]];
            }
        }
        const auto [x, y] = head;
        int32_t next = x == none ? y : x;
        if (x != none && y != none && x != y) {
            if (inBoth(x) != inBoth(y)) {
                next = inBoth(x) ? y : x;
            } else {
                next = nodes.name[static_cast<std::size_t>(x)] <
                               nodes.name[static_cast<std::size_t>(y)]
                           ? x
                           : y;
            }
        }
        placed[static_cast<std::size_t>(next)] = true;
        merged.push_back(next);
    }
    return merged;
}

// The name of a union node: its path's parts below the node it hangs
// under, joined by dots.
std::string unionName(const PathTree& paths, int32_t path, int32_t above) {
    std::vector<std::string_view> pieces;
    for (int32_t at = path; at != above && !paths.isTop(at); at = paths.parentOf(at)) {
        pieces.push_back(paths.partOf(at));
    }
    std::string name;
    for (auto piece = pieces.rbegin(); piece != pieces.rend(); ++piece) {
        name += piece == pieces.rbegin() ? "" : ".";
        name += *piece;
    }
    return name;
}

using Versions = std::array<const CompoundGraph*, versionCount>;
using VersionPaths = std::array<std::vector<int32_t>, versionCount>;

// Per version and node, the node of its path in the tree of both versions'
// paths; none past the limit of parts.
std::optional<VersionPaths> pathsOfVersions(const Versions& versions, PathTree& paths) {
    VersionPaths pathOf;
    for (std::size_t v = 0; v < versionCount; ++v) {
        std::optional<std::vector<int32_t>> found = paths.pathsOf(*versions[v]);
        if (!found) {
            return std::nullopt;
        }
        pathOf[v] = std::move(*found);
    }
    return pathOf;
}

// The union's nodes, each path a node that either version ends a node at:
// which versions hold it, and where it comes in each.
UnionNodes unionNodesOf(const Versions& versions, const PathTree& paths,
                        const VersionPaths& pathOf) {
    const auto count = static_cast<std::size_t>(paths.count());
    UnionNodes nodes;
    nodes.holders.assign(count, 0);
    nodes.name.resize(count);
    for (std::size_t v = 0; v < versionCount; ++v) {
        nodes.rank[v].assign(count, none);
        int32_t place = 0;
        for (const int32_t node : versionOrder(*versions[v])) {
            const auto path = static_cast<std::size_t>(pathOf[v][static_cast<std::size_t>(node)]);
            nodes.holders[path] |= v == 0 ? inOlder : inNewer;
            if (nodes.rank[v][path] == none) {
                nodes.rank[v][path] = place;
            }
            ++place;
        }
    }
    return nodes;
}

// The union's hierarchy: each node under the nearest one its path runs
// through, with its name there; the paths with none above them are the tops.
struct UnionTree {
    std::vector<std::vector<int32_t>> children;
    std::vector<int32_t> tops;
};

UnionTree unionTreeOf(UnionNodes& nodes, const PathTree& paths, const CompoundGraph& older,
                      const CompoundGraph& newer) {
    UnionTree tree;
    tree.children.resize(static_cast<std::size_t>(paths.count()));
    for (int32_t path = 0; path < paths.count(); ++path) {
        if (nodes.holders[static_cast<std::size_t>(path)] == 0) {
            continue;
        }
        int32_t above = path == paths.rootTree ? none : paths.parentOf(path);
        while (above != none && nodes.holders[static_cast<std::size_t>(above)] == 0) {
            above = paths.isTop(above) ? none : paths.parentOf(above);
        }
        nodes.name[static_cast<std::size_t>(path)] = unionName(paths, path, above);
        (above == none ? tree.tops : tree.children[static_cast<std::size_t>(above)])
            .push_back(path);
    }
    if (nodes.holders[static_cast<std::size_t>(paths.rootTree)] != 0) {
        const CompoundGraph& named = newer.root != none ? newer : older;
        nodes.name[static_cast<std::size_t>(paths.rootTree)] = named.name(named.root);
    }
    return tree;
}

// The union's paths in the order of their ids: the root's tree, then the
// other trees, siblings merged from both versions' orders.
std::vector<int32_t> unionOrder(const UnionNodes& nodes, const PathTree& paths, UnionTree& tree) {
    std::vector<bool> placed(nodes.holders.size(), false);
    std::vector<int32_t> order;
    std::vector<int32_t> pending;
    std::vector<int32_t>& tops = tree.tops;
    tops.erase(std::remove(tops.begin(), tops.end(), paths.rootTree), tops.end());
    std::vector<int32_t> topOrder = mergedSiblings(nodes, tops, placed);
    if (nodes.holders[static_cast<std::size_t>(paths.rootTree)] != 0) {
        topOrder.insert(topOrder.begin(), paths.rootTree);
    }
    for (const int32_t top : topOrder) {
        pending.push_back(top);
        while (!pending.empty()) {
            const int32_t path = pending.back();
            pending.pop_back();
            order.push_back(path);
            std::vector<int32_t>& below = tree.children[static_cast<std::size_t>(path)];
            below = mergedSiblings(nodes, below, placed);
            pending.insert(pending.end(), below.rbegin(), below.rend());
        }
    }
    return order;
}

// Relations by their ends' ids in the union, each once with its kind.
void relateVersions(const Versions& versions, const VersionPaths& pathOf,
                    const std::vector<int32_t>& idOf, CompoundGraphBuilder& builder,
                    Comparison& comparison) {
    std::vector<std::pair<uint64_t, uint8_t>> relations;
    for (std::size_t v = 0; v < versionCount; ++v) {
        const CompoundGraph& graph = *versions[v];
        const auto idOfNode = [&](int32_t node) {
            return idOf[static_cast<std::size_t>(pathOf[v][static_cast<std::size_t>(node)])];
        };
        for (int32_t e = 0; e < graph.edgeCount(); ++e) {
            const int32_t source = idOfNode(graph.source[static_cast<std::size_t>(e)]);
            const int32_t target = idOfNode(graph.target[static_cast<std::size_t>(e)]);
            if (source != target) {
                relations.emplace_back(
                    packedPair(static_cast<uint32_t>(source), static_cast<uint32_t>(target)),
                    v == 0 ? inOlder : inNewer);
            }
        }
    }
    std::sort(relations.begin(), relations.end());
    ComparisonSummary& summary = comparison.summary;
    for (std::size_t r = 0; r < relations.size();) {
        const uint64_t key = relations[r].first;
        uint8_t holders = 0;
        for (; r < relations.size() && relations[r].first == key; ++r) {
            holders |= relations[r].second;
        }
        builder.relate(static_cast<int32_t>(key >> 32), static_cast<int32_t>(key & 0xFFFFFFFFu));
        const RelationKind kind = holders == inOlder   ? RelationKind::Removed
                                  : holders == inNewer ? RelationKind::Added
                                                       : RelationKind::Kept;
        comparison.kinds.push_back(kind);
        summary.addedRelations += kind == RelationKind::Added ? 1 : 0;
        summary.removedRelations += kind == RelationKind::Removed ? 1 : 0;
        summary.keptRelations += kind == RelationKind::Kept ? 1 : 0;
    }
}

} // namespace

std::string ComparisonSummary::line() const {
    return "Compared: " + std::to_string(addedRelations) + " added, " +
           std::to_string(removedRelations) + " removed, " + std::to_string(keptRelations) +
           " kept relations; " + std::to_string(addedNodes) + " added, " +
           std::to_string(removedNodes) + " removed nodes";
}

Result<ComparedGraphs> compareGraphs(const CompoundGraph& older, const CompoundGraph& newer) {
    const Versions versions{&older, &newer};
    PathTree paths;
    const std::optional<VersionPaths> pathOf = pathsOfVersions(versions, paths);
    if (!pathOf) {
        return tooManyParts();
    }
    UnionNodes nodes = unionNodesOf(versions, paths, *pathOf);
    UnionTree tree = unionTreeOf(nodes, paths, older, newer);
    const std::vector<int32_t> order = unionOrder(nodes, paths, tree);
    std::vector<int32_t> idOf(nodes.holders.size(), none);
    for (std::size_t id = 0; id < order.size(); ++id) {
        idOf[static_cast<std::size_t>(order[id])] = static_cast<int32_t>(id);
    }

    ComparedGraphs compared;
    Comparison& comparison = compared.comparison;
    ComparisonSummary& summary = comparison.summary;
    CompoundGraphBuilder builder;
    builder.addNodes(static_cast<int32_t>(order.size()));
    for (const int32_t path : order) {
        const auto p = static_cast<std::size_t>(path);
        const int32_t id = idOf[p];
        builder.setName(id, nodes.name[p]);
        for (const int32_t child : tree.children[p]) {
            builder.link(id, idOf[static_cast<std::size_t>(child)]);
        }
        const uint8_t holders = nodes.holders[p];
        comparison.origins.push_back(holders == inOlder   ? NodeOrigin::Removed
                                     : holders == inNewer ? NodeOrigin::Added
                                                          : NodeOrigin::Both);
        if (path != paths.rootTree) {
            summary.addedNodes += holders == inNewer ? 1 : 0;
            summary.removedNodes += holders == inOlder ? 1 : 0;
        }
    }
    if (nodes.holders[static_cast<std::size_t>(paths.rootTree)] != 0) {
        builder.setRoot(idOf[static_cast<std::size_t>(paths.rootTree)]);
    }
    relateVersions(versions, *pathOf, idOf, builder, comparison);
    compared.graph = builder.finish();
    return compared;
}
