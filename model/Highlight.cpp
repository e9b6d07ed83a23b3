#include "model/Highlight.h"

#include <algorithm>
#include <utility>

namespace {

// Longest path and name shown whole, in bytes.
constexpr std::size_t shownPathBytes = 120;
constexpr std::size_t shownNameBytes = 40;
// ASCII, which every font here can draw.
constexpr std::string_view ellipsis = " ... ";

bool continuesCharacter(char c) {
    return (static_cast<unsigned char>(c) & 0xC0u) == 0x80u;
}

// At most `bytes` bytes from the start or the end of the text, never
// splitting a UTF-8 character.
std::string_view startOf(std::string_view text, std::size_t bytes) {
    std::size_t cut = std::min(bytes, text.size());
    while (cut > 0 && cut < text.size() && continuesCharacter(text[cut])) {
        --cut;
    }
    return text.substr(0, cut);
}

std::string_view endOf(std::string_view text, std::size_t bytes) {
    std::size_t cut = text.size() - std::min(bytes, text.size());
    while (cut < text.size() && continuesCharacter(text[cut])) {
        ++cut;
    }
    return text.substr(cut);
}

// The names met from `begin` on, as many as fit in `bytes` with a dot
// between each two; the first one cut to fit when not even it fits whole.
template <typename Walk, typename Cut>
std::vector<std::string_view> namesWithin(const CompoundGraph& graph, Walk begin, Walk end,
                                          std::size_t bytes, Cut cut) {
    std::vector<std::string_view> names;
    std::size_t used = 0;
    for (Walk at = begin; at != end; ++at) {
        const std::string_view name = graph.name(*at);
        used += name.size() + (names.empty() ? 0 : 1);
        if (used > bytes) {
            break;
        }
        names.push_back(name);
    }
    if (names.empty()) {
        names.push_back(cut(graph.name(*begin), bytes));
    }
    return names;
}

template <typename Names> std::string joined(Names begin, Names end) {
    std::string text;
    for (Names name = begin; name != end; ++name) {
        if (name != begin) {
            text += '.';
        }
        text += *name;
    }
    return text;
}

} // namespace

Highlight highlightOf(const CompoundGraph& graph, const Bundles& bundles, int32_t node,
                      std::span<const RelationKind> kinds) {
    Highlight highlight;
    highlight.node = node;
    highlight.emphasis.assign(static_cast<std::size_t>(bundles.bundleCount()), Highlight::Other);
    std::vector<bool> inside(static_cast<std::size_t>(graph.nodeCount()), false);
    for (const int32_t member : preorder(graph, node)) {
        inside[static_cast<std::size_t>(member)] = true;
        highlight.leaves += graph.isLeaf(member) ? 1 : 0;
    }
    // Per node, whether it is at the far end of a leaving or an arriving
    // relation; read in node order below.
    std::vector<uint8_t> farEnd(static_cast<std::size_t>(graph.nodeCount()), Highlight::Other);
    // The leaving bundles' ends, inner and far, for finding those that come
    // back.
    std::vector<std::pair<int32_t, int32_t>> leavingEnds;
    for (std::size_t e = 0; e < highlight.emphasis.size(); ++e) {
        const auto source = static_cast<std::size_t>(bundles.source[e]);
        const auto target = static_cast<std::size_t>(bundles.target[e]);
        const bool from = inside[source];
        const bool to = inside[target];
        if (from && !to) {
            highlight.emphasis[e] = Highlight::Leaving;
            highlight.leaving += bundles.count[e];
            farEnd[target] |= Highlight::Leaving;
            leavingEnds.emplace_back(bundles.source[e], bundles.target[e]);
        } else if (to && !from) {
            highlight.emphasis[e] = Highlight::Arriving;
            highlight.arriving += bundles.count[e];
            farEnd[source] |= Highlight::Arriving;
        }
    }
    for (std::size_t e = 0; e < kinds.size(); ++e) {
        if (inside[static_cast<std::size_t>(graph.source[e])] !=
            inside[static_cast<std::size_t>(graph.target[e])]) {
            ++highlight.byKind[static_cast<std::size_t>(kinds[e])];
        }
    }
    std::sort(leavingEnds.begin(), leavingEnds.end());
    std::vector<bool> bothWays(static_cast<std::size_t>(graph.nodeCount()), false);
    for (std::size_t e = 0; e < highlight.emphasis.size(); ++e) {
        if (highlight.emphasis[e] == Highlight::Arriving &&
            std::binary_search(leavingEnds.begin(), leavingEnds.end(),
                               std::pair{bundles.target[e], bundles.source[e]})) {
            bothWays[static_cast<std::size_t>(bundles.source[e])] = true;
        }
    }
    const auto add = [](Highlight::Ends& ends, int32_t node) {
        if (ends.first.size() < Highlight::namedEnds) {
            ends.first.push_back(node);
        }
        ++ends.count;
    };
    for (int32_t other = 0; other < graph.nodeCount(); ++other) {
        const auto o = static_cast<std::size_t>(other);
        if ((farEnd[o] & Highlight::Leaving) != 0) {
            add(highlight.uses, other);
        }
        if ((farEnd[o] & Highlight::Arriving) != 0) {
            add(highlight.usedBy, other);
        }
        if (bothWays[o]) {
            add(highlight.bothWays, other);
        }
    }
    return highlight;
}

std::string pathOf(const CompoundGraph& graph, int32_t node) {
    std::vector<int32_t> chain;
    for (int32_t at = node; at != CompoundGraph::none;
         at = graph.parent[static_cast<std::size_t>(at)]) {
        chain.push_back(at);
    }
    std::vector<std::string_view> names;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        names.push_back(graph.name(*it));
    }
    return joined(names.begin(), names.end());
}

std::string shownPath(const CompoundGraph& graph, int32_t node) {
    // The node first, the top of its tree last.
    std::vector<int32_t> chain;
    std::size_t length = 0;
    for (int32_t at = node; at != CompoundGraph::none;
         at = graph.parent[static_cast<std::size_t>(at)]) {
        chain.push_back(at);
        length += graph.name(at).size() + 1;
    }
    if (length - 1 <= shownPathBytes) {
        return pathOf(graph, node);
    }
    // Each end has half of what is left beside the ellipsis, so the two
    // never meet in a path this long.
    const std::size_t half = (shownPathBytes - ellipsis.size()) / 2;
    const std::vector<std::string_view> top =
        namesWithin(graph, chain.rbegin(), chain.rend(), half, startOf);
    const std::vector<std::string_view> bottom =
        namesWithin(graph, chain.begin(), chain.end(), half, endOf);
    return joined(top.begin(), top.end()) + std::string(ellipsis) +
           joined(bottom.rbegin(), bottom.rend()) + " (depth " +
           std::to_string(graph.depth[static_cast<std::size_t>(node)]) + ")";
}

std::string shownName(std::string_view name) {
    if (name.size() <= shownNameBytes) {
        return std::string(name);
    }
    const std::size_t half = (shownNameBytes - ellipsis.size()) / 2;
    return std::string(startOf(name, half)) + std::string(ellipsis) +
           std::string(endOf(name, half));
}
