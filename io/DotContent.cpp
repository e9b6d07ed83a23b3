#include "io/DotContent.h"

#include "base/ThreadPool.h"
#include "graph/CompoundGraphBuilder.h"
#include "graph/RelationBatch.h"
#include "io/DotLabels.h"
#include "io/GraphLimits.h"
#include "io/NameHierarchy.h"
#include "io/RootedNodes.h"

#include <optional>
#include <utility>

namespace {

// The node pairs that edges make, repeats included, at most: each costs a
// lookup, and a group on each side of an edge relates every node of one
// to every node of the other, so that a short file could ask for billions.
constexpr int64_t maxPairs = int64_t{1} << 28;
// So the pairs' bound keeps the relations within a graph's too.
static_assert(maxPairs <= static_cast<int64_t>(graphlimits::maxRelations));

// Where a name from an ID breaks into lines: bazel query writes the targets
// it factors into one node so.
constexpr std::string_view lineBreak = "\\n";

Error tooManyNodes() {
    return Error("the clusters, the nodes and their names' prefixes make more than " +
                 std::to_string(graphlimits::maxNodes) + " nodes");
}

std::string strayWarning(int64_t strays) {
    return "Warning: " + std::to_string(strays) +
           (strays == 1 ? " node appears" : " nodes appear") +
           " in two clusters, neither inside the other; each is kept in the first.";
}

} // namespace

// The tree's nodes as they are made, each under its parent, in order.
struct DotContent::TreeNodes {
    std::vector<int32_t> parents;
    std::vector<std::string_view> names;

    std::optional<int32_t> add(int32_t parent, std::string_view name) {
        if (static_cast<int64_t>(parents.size()) >= graphlimits::maxNodes) {
            return std::nullopt;
        }
        parents.push_back(parent);
        names.push_back(name);
        return static_cast<int32_t>(parents.size() - 1);
    }
};

// The names outside every cluster split at the separator, each distinct
// path of parts one node of the tree.
class DotContent::SplitNames {
public:
    SplitNames(TreeNodes& tree, std::string_view separator)
        : tree(tree), separator(separator), parts(graphlimits::maxNodes) {}

    std::optional<int32_t> nodeOf(std::string_view name) {
        int32_t part = PartTree::none;
        NameParts walk(name, separator);
        std::string_view text;
        while (walk.next(text)) {
            const int32_t before = parts.nodeCount();
            const std::optional<int32_t> child = parts.childOf(part, text);
            if (!child) {
                return std::nullopt;
            }
            if (*child == before) {
                const std::optional<int32_t> made =
                    tree.add(part == PartTree::none ? CompoundGraph::none
                                                    : treeOf[static_cast<std::size_t>(part)],
                             text);
                if (!made) {
                    return std::nullopt;
                }
                treeOf.push_back(*made);
            }
            part = *child;
        }
        return treeOf[static_cast<std::size_t>(part)];
    }

private:
    TreeNodes& tree;
    std::string_view separator;
    PartTree parts;
    std::vector<int32_t> treeOf;
};

DotContent::DotContent(DotNames naming) : naming(naming), nodeIds(graphlimits::maxNodes) {}

std::string_view DotContent::kept(std::string_view text, bool inBuffer) {
    if (!inBuffer) {
        return text;
    }
    copies.emplace_back(text);
    return copies.back();
}

Result<int32_t> DotContent::node(std::string_view id, bool inBuffer, int32_t cluster) {
    // Tools write a node's edges one after another: its ID, met again two
    // IDs later, is found without a lookup in the table.
    std::optional<int32_t> found;
    for (const int32_t node : recentNodes) {
        if (node != PartTree::none && nodeIds.parts[static_cast<std::size_t>(node)] == id) {
            found = node;
        }
    }
    const int32_t before = nodeIds.nodeCount();
    if (!found) {
        found = nodeIds.childOf(PartTree::none, id);
    }
    if (!found) {
        return Error("more than " + std::to_string(graphlimits::maxNodes) + " nodes");
    }
    if (*found == before) {
        nodeIds.parts.back() = kept(id, inBuffer);
        if (naming == DotNames::Label) {
            labels.emplace_back();
        }
        if (cluster == DotClusters::none) {
            order.push_back({*found, Entry::Kind::Node});
        }
    }
    if (clusters.place(*found, cluster)) {
        order.push_back({*found, Entry::Kind::Placed});
    }
    if (recentNodes[0] != *found) {
        recentNodes = {*found, recentNodes[0]};
    }
    return *found;
}

Result<int32_t> DotContent::cluster(std::string_view id, bool inBuffer, int32_t parent) {
    Result<int32_t> found = clusters.cluster(kept(id, inBuffer), parent);
    if (found && clusters.madeLast()) {
        order.push_back({found.value(), Entry::Kind::Cluster});
    }
    return found;
}

void DotContent::labelNode(int32_t node, DotText label, bool inBuffer) {
    labels[static_cast<std::size_t>(node)] = {kept(label.text, inBuffer), label.html};
}

void DotContent::labelCluster(int32_t cluster, DotText label, bool inBuffer) {
    clusters.setLabel(cluster, {kept(label.text, inBuffer), label.html});
}

Status DotContent::countPairs(int64_t count) {
    pairsMade += count;
    if (pairsMade > maxPairs) {
        return Error("the edges make more than " + std::to_string(maxPairs) +
                     " pairs of nodes, repeats included (a group on each side of an edge "
                     "relates every node of one to every node of the other)");
    }
    return {};
}

Status DotContent::relate(int32_t source, int32_t target) {
    if (Status counted = countPairs(1); !counted) {
        return counted;
    }
    if (source == target ||
        !pairs.insert(static_cast<uint32_t>(source), static_cast<uint32_t>(target))) {
        return {};
    }
    relations.push_back(packedPair(static_cast<uint32_t>(source), static_cast<uint32_t>(target)));
    return {};
}

DotContent::NodeNames DotContent::nodeNames() const {
    NodeNames names{{}, nodeIds.parts, std::vector<bool>(nodeIds.parts.size(), true)};
    for (std::size_t n = 0; n < labels.size(); ++n) {
        if (!labels[n].text.empty()) {
            std::string name = labelName(labels[n], names.names[n]);
            if (!name.empty()) {
                names.names[n] = names.made.emplace_back(std::move(name));
                names.fromId[n] = false;
            }
        }
    }
    return names;
}

NameParts DotContent::NodeNames::linesOf(std::size_t node) const {
    return NameParts(names[node], fromId[node] ? lineBreak : std::string_view());
}

std::string_view DotContent::separatorOutside(const NodeNames& names) const {
    std::vector<std::string_view> outside;
    for (std::size_t n = 0; n < names.names.size(); ++n) {
        if (clusters.clusterOf(static_cast<int32_t>(n)) != DotClusters::none) {
            continue;
        }
        NameParts lines = names.linesOf(n);
        std::string_view line;
        while (lines.next(line)) {
            outside.push_back(line);
        }
    }
    return detectSeparator(outside);
}

Result<DotContent::Elements> DotContent::placeNodes(TreeNodes& tree, NodeNames& names,
                                                    std::string_view separator) const {
    SplitNames split(tree, separator);
    std::vector<int32_t> treeOfCluster(static_cast<std::size_t>(clusters.count()));
    const std::size_t nodeCount = names.names.size();
    Elements placed{{}, std::vector<int32_t>(nodeCount), std::vector<int32_t>(nodeCount)};
    for (const Entry& entry : order) {
        const auto id = static_cast<std::size_t>(entry.id);
        if (entry.kind == Entry::Kind::Cluster) {
            const int32_t parent = clusters.parentOf(entry.id);
            std::string_view name = clusters.shortId(entry.id);
            if (const DotText label = clusters.labelOf(entry.id); !label.text.empty()) {
                if (std::string text = labelName(label, name); !text.empty()) {
                    name = names.made.emplace_back(std::move(text));
                }
            }
            const std::optional<int32_t> made = tree.add(
                parent == DotClusters::none ? CompoundGraph::none
                                            : treeOfCluster[static_cast<std::size_t>(parent)],
                name);
            if (!made) {
                return tooManyNodes();
            }
            treeOfCluster[id] = *made;
            continue;
        }
        const int32_t cluster = clusters.clusterOf(entry.id);
        if (entry.kind == Entry::Kind::Node && cluster != DotClusters::none) {
            continue;
        }
        placed.first[id] = static_cast<int32_t>(placed.elements.size());
        NameParts lines = names.linesOf(id);
        std::string_view line;
        while (lines.next(line)) {
            const std::optional<int32_t> element =
                cluster == DotClusters::none
                    ? split.nodeOf(line)
                    : tree.add(treeOfCluster[static_cast<std::size_t>(cluster)], line);
            if (!element) {
                return tooManyNodes();
            }
            placed.elements.push_back(*element);
        }
        placed.count[id] = static_cast<int32_t>(placed.elements.size()) - placed.first[id];
    }
    return placed;
}

Result<std::vector<uint64_t>> DotContent::elementPairs(const Elements& placed) {
    std::vector<uint64_t> made;
    made.reserve(relations.size());
    for (const uint64_t pair : relations) {
        const auto source = static_cast<std::size_t>(pair >> 32);
        const auto target = static_cast<std::size_t>(pair & 0xFFFFFFFFu);
        const int32_t sources = placed.count[source];
        const int32_t targets = placed.count[target];
        if (const int64_t product = int64_t{sources} * targets; product > 1) {
            if (Status counted = countPairs(product); !counted) {
                return counted.error();
            }
        }
        for (int32_t s = placed.first[source]; s < placed.first[source] + sources; ++s) {
            for (int32_t t = placed.first[target]; t < placed.first[target] + targets; ++t) {
                made.push_back(packedPair(
                    static_cast<uint32_t>(placed.elements[static_cast<std::size_t>(s)]),
                    static_cast<uint32_t>(placed.elements[static_cast<std::size_t>(t)])));
            }
        }
    }
    return made;
}

Result<CompoundGraph> DotContent::finish(std::string_view rootName, std::string_view separator,
                                         std::vector<std::string>& warnings) {
    if (nodeIds.nodeCount() == 0 && clusters.count() == 0) {
        return Error("the file has no nodes");
    }
    NodeNames names = nodeNames();
    TreeNodes tree;
    Result<Elements> placed =
        placeNodes(tree, names, separator.empty() ? separatorOutside(names) : separator);
    if (!placed) {
        return placed.error();
    }
    CompoundGraphBuilder builder;
    addRootedNodes(builder, tree.parents, rootName);
    for (std::size_t node = 0; node < tree.parents.size(); ++node) {
        builder.setName(static_cast<int32_t>(node), tree.names[node]);
        if (const int32_t parent = tree.parents[node]; parent != CompoundGraph::none) {
            builder.link(parent, static_cast<int32_t>(node));
        }
    }
    pairs = RelationPairSet();
    // The repeats that lines and merged names make are dropped here, with
    // the elements related to themselves.
    Result<std::vector<uint64_t>> related = elementPairs(placed.value());
    if (!related) {
        return related.error();
    }
    relations = {};
    std::vector<RelationBatch> batches;
    batches.emplace_back(related.value());
    related = std::vector<uint64_t>();
    builder.relateAll(std::move(batches), ThreadPool::shared());
    CompoundGraph graph = builder.finish();
    if (Status routes = graphlimits::checkRouteSize(graph); !routes) {
        return routes.error();
    }
    if (clusters.strayNodes() > 0) {
        warnings.push_back(strayWarning(clusters.strayNodes()));
    }
    return graph;
}
