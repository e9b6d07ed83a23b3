#pragma once

#include "base/Result.h"
#include "graph/PartTree.h"
#include "io/DotLexer.h"

#include <cstdint>
#include <string_view>
#include <vector>

// The clusters of a DOT file (subgraphs whose ID starts with "cluster") as
// they nest, and the cluster each node is placed in: the first one it
// appears in. A cluster's ID met again is the same cluster, under the
// parent it was first met in.
class DotClusters {
public:
    static constexpr int32_t none = -1;

    DotClusters();

    // Whether a subgraph of that ID is a cluster.
    static bool isCluster(std::string_view id);

    // The cluster of the ID, made under parent (none: at the top) when
    // new; an Error when there would be more than a graph may have nodes.
    // The ID's text must outlive the clusters.
    Result<int32_t> cluster(std::string_view id, int32_t parent);
    // Whether the cluster was made by the last call of cluster().
    bool madeLast() const { return made; }
    void setLabel(int32_t cluster, DotText label) { labels[index(cluster)] = label; }

    // The node (numbered from 0 as met) appears in the cluster (none: in
    // no cluster); true when this places it, the first cluster it is in.
    bool place(int32_t node, int32_t cluster);
    // The nodes that appeared in a cluster that neither is the one they are
    // placed in nor contains it.
    int64_t strayNodes() const { return strays; }

    int32_t count() const { return ids.nodeCount(); }
    int32_t parentOf(int32_t cluster) const { return parents[index(cluster)]; }
    int32_t clusterOf(int32_t node) const {
        return index(node) < placed.size() ? placed[index(node)] : none;
    }
    // Its label, else its ID without "cluster" and a '_' after it.
    DotText labelOf(int32_t cluster) const { return labels[index(cluster)]; }
    std::string_view shortId(int32_t cluster) const;

private:
    static std::size_t index(int32_t i) { return static_cast<std::size_t>(i); }
    // Whether outer is inner or one of its ancestors.
    bool contains(int32_t outer, int32_t inner) const;

    PartTree ids;
    std::vector<int32_t> parents;
    std::vector<int32_t> depths;
    // Each cluster's jump: an ancestor so chosen that climbing to any
    // depth takes a number of steps logarithmic in the depth however deep
    // the clusters nest.
    std::vector<int32_t> jumps;
    std::vector<DotText> labels;
    bool made = false;
    std::vector<int32_t> placed;
    std::vector<bool> stray;
    int64_t strays = 0;
};
