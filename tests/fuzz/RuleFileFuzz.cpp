#include "analysis/RuleCheck.h"
#include "analysis/RuleFile.h"
#include "graph/CompoundGraphBuilder.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

// R {a {b, c.d}, e}, with relations both ways and to the top.
CompoundGraph smallGraph() {
    CompoundGraphBuilder builder;
    builder.addNodes(5);
    builder.setRoot(0);
    const char* const names[] = {"R", "a", "b", "c.d", "e"};
    const int parents[] = {-1, 0, 1, 1, 0};
    for (int32_t node = 0; node < 5; ++node) {
        builder.setName(node, names[node]);
        if (parents[node] >= 0) {
            builder.link(parents[node], node);
        }
    }
    builder.relate(2, 3);
    builder.relate(3, 4);
    builder.relate(4, 2);
    builder.relate(4, 0);
    return builder.finish();
}

} // namespace

// Any bytes: the rules reader must answer without crashing, hanging or
// touching memory it does not own; rules it accepts are checked on a small
// graph, and what they find must be relations of it, in order.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const Result<RuleSet> rules =
        rulefile::parse(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.rules");
    if (!rules) {
        if (rules.error().line < 1) {
            __builtin_trap();
        }
        return 0;
    }
    static const CompoundGraph graph = smallGraph();
    const RuleFindings found = checkRules(rules.value(), graph);
    if (found.relations.size() != rules.value().rules.size()) {
        __builtin_trap();
    }
    for (const std::vector<int32_t>& relations : found.relations) {
        for (std::size_t i = 0; i < relations.size(); ++i) {
            if (relations[i] < 0 || relations[i] >= graph.edgeCount() ||
                (i > 0 && relations[i] <= relations[i - 1])) {
                __builtin_trap();
            }
        }
    }
    return 0;
}
