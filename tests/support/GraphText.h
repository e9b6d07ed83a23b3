#pragma once

#include "graph/CompoundGraph.h"

#include <string>
#include <vector>

namespace testing_support {

// The tree under node as "name(child child(...))", children in order,
// written by plain recursion (test graphs are small).
inline std::string outline(const CompoundGraph& graph, int32_t node) {
    std::string text(graph.name(node));
    const auto children = graph.children(node);
    if (!children.empty()) {
        text += "(";
        for (std::size_t i = 0; i < children.size(); ++i) {
            text += (i == 0 ? "" : " ") + outline(graph, children[i]);
        }
        text += ")";
    }
    return text;
}

inline std::string outline(const CompoundGraph& graph) {
    return outline(graph, graph.root);
}

// Every relation as "source>target" by the ends' names, in order.
inline std::vector<std::string> relationNames(const CompoundGraph& graph) {
    std::vector<std::string> names;
    for (int32_t e = 0; e < graph.edgeCount(); ++e) {
        names.push_back(std::string(graph.name(graph.source[e])) + ">" +
                        std::string(graph.name(graph.target[e])));
    }
    return names;
}

} // namespace testing_support
