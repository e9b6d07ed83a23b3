#include "analysis/CycleGroups.h"

#include "analysis/FeedbackOrder.h"
#include "analysis/StrongComponents.h"
#include "base/Counted.h"

#include <algorithm>
#include <cstddef>

namespace {

// A group's bundles as arcs between its nodes, numbered from 0 in node order.
struct GroupArcs {
    std::vector<int32_t> bundle;
    std::vector<int32_t> source;
    std::vector<int32_t> target;
    std::vector<int64_t> weight;
};

} // namespace

int64_t CycleGroups::nodeCount() const {
    int64_t nodes = 0;
    for (const CycleGroup& group : groups) {
        nodes += static_cast<int64_t>(group.nodes.size());
    }
    return nodes;
}

int64_t CycleGroups::innerRelations() const {
    int64_t relations = 0;
    for (const CycleGroup& group : groups) {
        relations += group.relations;
    }
    return relations;
}

int64_t CycleGroups::cutRelations() const {
    int64_t relations = 0;
    for (const BundleToCut& bundle : toCut) {
        relations += bundle.relations;
    }
    return relations;
}

std::string CycleGroups::line() const {
    return "Cycles: " + counted(static_cast<int64_t>(groups.size()), "group", "groups") + " of " +
           counted(nodeCount(), "node", "nodes") + "; " + std::to_string(innerRelations()) +
           " relations inside them, " + std::to_string(cutRelations()) + " to cut";
}

CycleGroups cycleGroupsOf(const Bundles& bundles, int32_t nodeCount) {
    const StrongComponents components = strongComponents(nodeCount, bundles.source, bundles.target);
    // Groups numbered by their first node; each node's number within its group.
    std::vector<int32_t> groupOf(components.size.size(), -1);
    std::vector<int32_t> local(static_cast<std::size_t>(nodeCount), -1);
    CycleGroups found;
    for (int32_t node = 0; node < nodeCount; ++node) {
        const auto component =
            static_cast<std::size_t>(components.component[static_cast<std::size_t>(node)]);
        if (components.size[component] < 2) {
            continue;
        }
        if (groupOf[component] < 0) {
            groupOf[component] = static_cast<int32_t>(found.groups.size());
            found.groups.emplace_back();
        }
        std::vector<int32_t>& nodes =
            found.groups[static_cast<std::size_t>(groupOf[component])].nodes;
        local[static_cast<std::size_t>(node)] = static_cast<int32_t>(nodes.size());
        nodes.push_back(node);
    }
    std::vector<GroupArcs> arcs(found.groups.size());
    for (int32_t b = 0; b < bundles.bundleCount(); ++b) {
        const auto i = static_cast<std::size_t>(b);
        const auto from = static_cast<std::size_t>(bundles.source[i]);
        const auto to = static_cast<std::size_t>(bundles.target[i]);
        const int32_t component = components.component[from];
        if (component != components.component[to] ||
            groupOf[static_cast<std::size_t>(component)] < 0) {
            continue;
        }
        const auto group = static_cast<std::size_t>(groupOf[static_cast<std::size_t>(component)]);
        GroupArcs& inGroup = arcs[group];
        inGroup.bundle.push_back(b);
        inGroup.source.push_back(local[from]);
        inGroup.target.push_back(local[to]);
        inGroup.weight.push_back(bundles.count[i]);
        found.groups[group].relations += bundles.count[i];
    }
    std::vector<int32_t> cut;
    for (std::size_t g = 0; g < found.groups.size(); ++g) {
        const GroupArcs& inGroup = arcs[g];
        const WeightedArcs weighted{static_cast<int32_t>(found.groups[g].nodes.size()),
                                    inGroup.source, inGroup.target, inGroup.weight};
        for (const int32_t a : backwardArcs(weighted, feedbackPlaces(weighted))) {
            cut.push_back(inGroup.bundle[static_cast<std::size_t>(a)]);
        }
    }
    std::sort(cut.begin(), cut.end());
    for (const int32_t b : cut) {
        const auto i = static_cast<std::size_t>(b);
        found.toCut.push_back({b, bundles.source[i], bundles.target[i], bundles.count[i]});
    }
    return found;
}
