#pragma once

#include "base/Result.h"
#include "graph/CompoundGraph.h"
#include "graph/PartTree.h"
#include "graph/RelationPairSet.h"
#include "io/DotClusters.h"
#include "io/DotLexer.h"
#include "io/NameHierarchy.h"

#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

// How DOT nodes are named: by their IDs, or by their label attributes
// where they have one.
enum class DotNames { Id, Label };

// What a DOT file says, gathered as its statements are read: its nodes by
// ID, their labels, the clusters they are placed in and the relations
// between them; then the graph it makes. IDs' texts are views into the
// file where they can be, so that the file, not copies of it, holds them.
class DotContent {
public:
    explicit DotContent(DotNames naming);

    // The node of the ID, made on first sight; it appears in the cluster
    // (none: in no cluster). With inBuffer the ID's text is copied, as it
    // lies where it will not stay. An Error past the nodes a graph may
    // have.
    Result<int32_t> node(std::string_view id, bool inBuffer, int32_t cluster);
    // The cluster of a subgraph's ID, made under parent when new.
    Result<int32_t> cluster(std::string_view id, bool inBuffer, int32_t parent);
    // Whether a node's label is wanted (only to name it by its label).
    bool wantsNodeLabels() const { return naming == DotNames::Label; }
    void labelNode(int32_t node, DotText label, bool inBuffer);
    void labelCluster(int32_t cluster, DotText label, bool inBuffer);

    // A relation from source to target, unless it repeats one or relates a
    // node to itself; an Error past the node pairs that edges may make,
    // repeats included.
    Status relate(int32_t source, int32_t target);

    // The graph: each cluster a node under the cluster around it, named by
    // its label or short ID; each node a leaf in its cluster, or, outside
    // every cluster, split into the hierarchy at the separator (found in
    // the names when empty). A name from an ID that holds "\n" is one
    // element per line, each with the node's relations. Children are in
    // the order they were met; a root named rootName goes above several
    // top-level nodes. A note of nodes that appeared in clusters apart
    // goes to the warnings.
    Result<CompoundGraph> finish(std::string_view rootName, std::string_view separator,
                                 std::vector<std::string>& warnings);

private:
    // The tree being made, and the names outside every cluster split into it.
    struct TreeNodes;
    class SplitNames;

    // Each node's name, and whether it came from its ID, and so may hold
    // lines.
    struct NodeNames {
        std::deque<std::string> made;
        std::vector<std::string_view> names;
        std::vector<bool> fromId;

        NameParts linesOf(std::size_t node) const;
    };
    // The elements each node makes: elements[first[n] .. first[n] + count[n]).
    struct Elements {
        std::vector<int32_t> elements;
        std::vector<int32_t> first;
        std::vector<int32_t> count;
    };

    NodeNames nodeNames() const;
    // The separator found in the names of the nodes outside every cluster.
    std::string_view separatorOutside(const NodeNames& names) const;
    // Adds the clusters and the nodes' elements to the tree, in the order
    // they were met; the names of clusters made from labels go to names.
    Result<Elements> placeNodes(TreeNodes& tree, NodeNames& names,
                                std::string_view separator) const;
    // The relations between the elements of the related nodes.
    Result<std::vector<uint64_t>> elementPairs(const Elements& placed);

    // A node or a cluster taking its place among its parent's children:
    // a node met outside every cluster, a node placed in a cluster, or a
    // cluster.
    struct Entry {
        enum class Kind : uint8_t { Node, Placed, Cluster };
        int32_t id;
        Kind kind;
    };

    std::string_view kept(std::string_view text, bool inBuffer);
    Status countPairs(int64_t pairs);

    DotNames naming;
    PartTree nodeIds;
    // The two nodes met last, the newer first.
    std::array<int32_t, 2> recentNodes{PartTree::none, PartTree::none};
    std::vector<DotText> labels;
    DotClusters clusters;
    std::vector<Entry> order;
    std::vector<uint64_t> relations;
    RelationPairSet pairs;
    int64_t pairsMade = 0;
    // Texts that are not in the file as they are read.
    std::deque<std::string> copies;
};
