#include "scene/Search.h"

#include "scene/Highlight.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace {

std::string lowered(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

} // namespace

std::vector<int32_t> searchNodes(const CompoundGraph& graph, std::string_view text) {
    std::vector<int32_t> matches;
    if (text.empty()) {
        return matches;
    }
    const std::string wanted = lowered(text);
    // Paths built top down, each from its parent's.
    std::vector<std::string> paths(static_cast<std::size_t>(graph.nodeCount()));
    std::vector<bool> matched(static_cast<std::size_t>(graph.nodeCount()), false);
    for (int32_t top = 0; top < graph.nodeCount(); ++top) {
        if (graph.parent[static_cast<std::size_t>(top)] != CompoundGraph::none) {
            continue;
        }
        for (const int32_t node : preorder(graph, top)) {
            const int32_t parent = graph.parent[static_cast<std::size_t>(node)];
            std::string& path = paths[static_cast<std::size_t>(node)];
            if (parent != CompoundGraph::none) {
                path = paths[static_cast<std::size_t>(parent)] + '.';
            }
            path += lowered(graph.name(node));
            matched[static_cast<std::size_t>(node)] = path.find(wanted) != std::string::npos;
        }
    }
    for (int32_t node = 0; node < graph.nodeCount(); ++node) {
        if (matched[static_cast<std::size_t>(node)]) {
            matches.push_back(node);
        }
    }
    return matches;
}

int32_t findNode(const CompoundGraph& graph, std::string_view pathOrName) {
    int32_t named = CompoundGraph::none;
    for (int32_t node = 0; node < graph.nodeCount(); ++node) {
        if (pathOf(graph, node) == pathOrName) {
            return node;
        }
        if (named == CompoundGraph::none && graph.name(node) == pathOrName) {
            named = node;
        }
    }
    return named;
}
