#include "model/NamedNodes.h"

#include "model/Highlight.h"

#include <algorithm>

namespace {

constexpr std::size_t listedCandidates = 10;

// How a name ends at a node it is a tail of: at the top of the node's
// tree (its whole path), just below it (the path without the top's name),
// or further down (a shorter tail). Names may hold dots themselves, so the
// name is matched a node's name at a time from its end, never split.
enum class Reach { None, Tail, PathBelowTop, WholePath };

Reach reachOf(const CompoundGraph& graph, int32_t node, std::string_view name) {
    std::string_view rest = name;
    for (int32_t at = node; at != CompoundGraph::none;
         at = graph.parent[static_cast<std::size_t>(at)]) {
        const std::string_view own = graph.name(at);
        const int32_t parent = graph.parent[static_cast<std::size_t>(at)];
        if (rest == own) {
            if (parent == CompoundGraph::none) {
                return Reach::WholePath;
            }
            return graph.parent[static_cast<std::size_t>(parent)] == CompoundGraph::none
                       ? Reach::PathBelowTop
                       : Reach::Tail;
        }
        // A tail may begin within a name that holds dots.
        if (rest.size() < own.size() && own.ends_with(rest) &&
            own[own.size() - rest.size() - 1] == '.') {
            return Reach::Tail;
        }
        if (rest.size() <= own.size() || !rest.ends_with(own) ||
            rest[rest.size() - own.size() - 1] != '.') {
            return Reach::None;
        }
        rest.remove_suffix(own.size() + 1);
    }
    return Reach::None;
}

} // namespace

Result<int32_t> nodeNamed(const CompoundGraph& graph, std::string_view name,
                          const std::string& graphPath) {
    int32_t whole = CompoundGraph::none;
    std::vector<int32_t> tails;
    for (int32_t node = 0; node < graph.nodeCount() && whole == CompoundGraph::none; ++node) {
        switch (reachOf(graph, node, name)) {
        case Reach::WholePath:
        case Reach::PathBelowTop:
            whole = node;
            break;
        case Reach::Tail:
            tails.push_back(node);
            break;
        case Reach::None:
            break;
        }
    }
    if (whole != CompoundGraph::none) {
        return whole;
    }
    if (tails.size() == 1) {
        return tails.front();
    }
    if (tails.empty()) {
        return Error{"no node named '" + std::string(name) + "' in " + graphPath};
    }
    std::string listed;
    for (std::size_t i = 0; i < std::min(tails.size(), listedCandidates); ++i) {
        listed += (i == 0 ? "" : ", ") + shownPath(graph, tails[i]);
    }
    if (tails.size() > listedCandidates) {
        listed += " and " + std::to_string(tails.size() - listedCandidates) + " more";
    }
    return Error{"'" + std::string(name) + "' names " + std::to_string(tails.size()) +
                 " nodes in " + graphPath + ": " + listed};
}

Result<int32_t> highlightedNode(const ViewOptions& view, const CompoundGraph& graph,
                                const std::string& graphPath) {
    if (view.highlight.empty()) {
        return CompoundGraph::none;
    }
    return nodeNamed(graph, view.highlight, graphPath);
}

Result<std::vector<int32_t>> collapsedNodes(const ViewOptions& view, const CompoundGraph& graph,
                                            const std::string& graphPath, int32_t depth) {
    std::vector<int32_t> toggled;
    for (const std::string& name : view.collapse) {
        const Result<int32_t> node = nodeNamed(graph, name, graphPath);
        if (!node) {
            return node.error();
        }
        // A node the depth collapses already needs no toggle.
        const bool folded = depth >= 1 && graph.depth[static_cast<std::size_t>(node.value())] ==
                                              static_cast<uint32_t>(depth);
        if (!graph.isLeaf(node.value()) && !folded) {
            toggled.push_back(node.value());
        }
    }
    std::sort(toggled.begin(), toggled.end());
    toggled.erase(std::unique(toggled.begin(), toggled.end()), toggled.end());
    return toggled;
}
