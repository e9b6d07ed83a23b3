#pragma once

#include "graph/CompoundGraph.h"

// Traps unless the graph is a consistent forest with distinct relation ends:
// what every accepted file must give.
inline void checkGraphInvariants(const CompoundGraph& graph) {
    for (int32_t node = 0; node < graph.nodeCount(); ++node) {
        for (const int32_t child : graph.children(node)) {
            if (graph.parent[child] != node || graph.depth[child] != graph.depth[node] + 1) {
                __builtin_trap();
            }
        }
    }
    for (int32_t edge = 0; edge < graph.edgeCount(); ++edge) {
        if (graph.source[edge] == graph.target[edge]) {
            __builtin_trap();
        }
    }
}
