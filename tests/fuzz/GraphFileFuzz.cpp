#include "graph/GraphFileReader.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Any bytes: the reader must answer, accepted or not, without crashing,
// hanging or touching memory it does not own, and an accepted file must be a
// consistent forest.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const auto result =
        GraphFileReader::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!result.accepted) {
        return 0;
    }
    const auto& nodes = result.tables.nodes;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        if (nodes[i]->id != static_cast<int32_t>(i)) {
            __builtin_trap();
        }
        for (const Node* child : nodes[i]->children) {
            if (child->parent != nodes[i].get()) {
                __builtin_trap();
            }
        }
    }
    for (const auto& edge : result.tables.edges) {
        if (edge->source == edge->target) {
            __builtin_trap();
        }
    }
    return 0;
}
