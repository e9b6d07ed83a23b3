#include "io/GraphLimits.h"

#include <string>

namespace graphlimits {

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

} // namespace graphlimits
