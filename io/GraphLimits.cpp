#include "io/GraphLimits.h"

#include "base/SystemMemory.h"

#include <string>

namespace graphlimits {

std::string relationLimitReason() {
    return "more than " + std::to_string(maxRelations) + " relations";
}

Status checkRelationMemory(uint64_t relations, std::optional<uint64_t> available) {
    constexpr uint64_t mebibyte = uint64_t{1} << 20;
    const uint64_t needed = relations * bytesPerRelationRead;
    if (available && needed > *available) {
        return Error("reading " + std::to_string(relations) + " relations needs about " +
                     std::to_string(needed / mebibyte) + " MiB of memory; this machine has " +
                     std::to_string(*available / mebibyte) + " MiB available");
    }
    return {};
}

Status checkRouteSize(const CompoundGraph& graph) {
    uint64_t controlPoints = 0;
    for (int32_t e = 0; e < graph.edgeCount(); ++e) {
        controlPoints += uint64_t{graph.depth[graph.source[e]]} + graph.depth[graph.target[e]] + 6;
    }
    if (controlPoints > maxControlPoints) {
        return Error{"the relations' routes through the hierarchy need more than " +
                     std::to_string(maxControlPoints) + " control points"};
    }
    return {};
}

uint64_t routeEntries(const CompoundGraph& graph) {
    return routeEntries(graph, graph.source, graph.target);
}

uint64_t routeEntries(const CompoundGraph& graph, std::span<const int32_t> sources,
                      std::span<const int32_t> targets) {
    uint64_t entries = 0;
    for (std::size_t e = 0; e < sources.size(); ++e) {
        // Each step up passes one entry, an end or an ancestor below the
        // common one; the ends stand twice more.
        entries += 4;
        int32_t a = sources[e];
        int32_t b = targets[e];
        while (a != b) {
            if (a != CompoundGraph::none &&
                (b == CompoundGraph::none || graph.depth[a] >= graph.depth[b])) {
                a = graph.parent[a];
            } else {
                b = graph.parent[b];
            }
            ++entries;
        }
    }
    return entries;
}

Error outOfMemory() {
    std::string reason(outOfMemoryReason);
    if (const std::optional<uint64_t> available = availableMemoryBytes()) {
        reason += "; " + std::to_string(*available >> 20) + " MiB are available";
    }
    return Error(std::move(reason));
}

} // namespace graphlimits
