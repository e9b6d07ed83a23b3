#include "io/GraphFileReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Any bytes: the reader must answer, accepted or not, without crashing,
// hanging or touching memory it does not own, and an accepted file must be a
// consistent forest with distinct relation ends.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const Result<CompoundGraph> result =
        graphfile::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!result) {
        return 0;
    }
    const CompoundGraph& graph = result.value();
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
    return 0;
}
