#include "io/DotClusters.h"

#include "io/GraphLimits.h"

#include <string>

namespace {

constexpr std::string_view clusterPrefix = "cluster";

} // namespace

DotClusters::DotClusters() : ids(graphlimits::maxNodes) {}

bool DotClusters::isCluster(std::string_view id) {
    if (id.size() < clusterPrefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < clusterPrefix.size(); ++i) {
        if ((id[i] | 0x20) != clusterPrefix[i]) {
            return false;
        }
    }
    return true;
}

Result<int32_t> DotClusters::cluster(std::string_view id, int32_t parent) {
    const int32_t before = ids.nodeCount();
    const std::optional<int32_t> found = ids.childOf(PartTree::none, id);
    if (!found) {
        return Error("more than " + std::to_string(graphlimits::maxNodes) + " clusters");
    }
    made = *found == before;
    if (made) {
        parents.push_back(parent);
        if (parent == none) {
            depths.push_back(0);
            jumps.push_back(*found);
        } else {
            depths.push_back(depths[index(parent)] + 1);
            const int32_t up = jumps[index(parent)];
            const int32_t further = jumps[index(up)];
            const bool even = depths[index(parent)] - depths[index(up)] ==
                              depths[index(up)] - depths[index(further)];
            jumps.push_back(even ? further : parent);
        }
        labels.emplace_back();
    }
    return *found;
}

std::string_view DotClusters::shortId(int32_t cluster) const {
    std::string_view id = ids.parts[index(cluster)];
    std::string_view rest = id.substr(clusterPrefix.size());
    if (!rest.empty() && rest.front() == '_') {
        rest.remove_prefix(1);
    }
    return rest.empty() ? id : rest;
}

bool DotClusters::contains(int32_t outer, int32_t inner) const {
    const int32_t depth = depths[index(outer)];
    while (depths[index(inner)] > depth) {
        const int32_t jump = jumps[index(inner)];
        inner = depths[index(jump)] >= depth ? jump : parents[index(inner)];
    }
    return inner == outer;
}

bool DotClusters::place(int32_t node, int32_t cluster) {
    if (cluster == none) {
        return false;
    }
    if (index(node) >= placed.size()) {
        placed.resize(index(node) + 1, none);
        stray.resize(placed.size(), false);
    }
    const int32_t first = placed[index(node)];
    if (first == cluster) {
        return false;
    }
    if (first == none) {
        placed[index(node)] = cluster;
        return true;
    }
    if (!stray[index(node)] && !contains(cluster, first)) {
        stray[index(node)] = true;
        ++strays;
    }
    return false;
}
