#include "analysis/MatrixRows.h"

#include "analysis/FeedbackOrder.h"
#include "analysis/StrongComponents.h"
#include "model/CutView.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <queue>
#include <tuple>
#include <unordered_map>
#include <utility>

namespace {

// Relations between the subtrees of two siblings, which are numbered by
// their place among the children of their parent; the tops of the trees
// are siblings too, in a group of their own.
struct SiblingArc {
    int32_t group = 0;
    int32_t from = 0;
    int32_t to = 0;
    int64_t weight = 0;
};

// Siblings in the order to show them, and the runs of places that reach
// one another.
struct SiblingOrder {
    std::vector<int32_t> places;
    std::vector<std::pair<int32_t, int32_t>> runs;
};

std::size_t at(int32_t node) {
    return static_cast<std::size_t>(node);
}

std::vector<int32_t> topsOf(const CompoundGraph& graph) {
    std::vector<int32_t> tops;
    for (int32_t node = 0; node < graph.nodeCount(); ++node) {
        if (graph.parent[at(node)] == CompoundGraph::none) {
            tops.push_back(node);
        }
    }
    return tops;
}

// The ancestors, or the nodes themselves, of two nodes that are siblings;
// none for both when one of the nodes lies in the other's subtree.
std::pair<int32_t, int32_t> siblingsAbove(const CompoundGraph& graph, int32_t a, int32_t b) {
    while (graph.depth[at(a)] > graph.depth[at(b)]) {
        a = graph.parent[at(a)];
    }
    while (graph.depth[at(b)] > graph.depth[at(a)]) {
        b = graph.parent[at(b)];
    }
    if (a == b) {
        return {CompoundGraph::none, CompoundGraph::none};
    }
    while (graph.parent[at(a)] != graph.parent[at(b)]) {
        a = graph.parent[at(a)];
        b = graph.parent[at(b)];
    }
    return {a, b};
}

// The bundles as arcs between siblings, merged per pair, by group.
std::vector<SiblingArc> siblingArcs(const CompoundGraph& graph, const Bundles& bundles,
                                    std::span<const int32_t> place) {
    std::vector<SiblingArc> arcs;
    for (int32_t b = 0; b < bundles.bundleCount(); ++b) {
        const auto [from, to] = siblingsAbove(graph, bundles.source[at(b)], bundles.target[at(b)]);
        if (from == CompoundGraph::none) {
            continue;
        }
        const int32_t parent = graph.parent[at(from)];
        arcs.push_back({parent == CompoundGraph::none ? graph.nodeCount() : parent, place[at(from)],
                        place[at(to)], bundles.count[at(b)]});
    }
    const auto key = [](const SiblingArc& arc) { return std::tie(arc.group, arc.from, arc.to); };
    std::sort(arcs.begin(), arcs.end(),
              [&key](const SiblingArc& a, const SiblingArc& b) { return key(a) < key(b); });
    std::vector<SiblingArc> merged;
    for (const SiblingArc& arc : arcs) {
        if (!merged.empty() && key(merged.back()) == key(arc)) {
            merged.back().weight += arc.weight;
        } else {
            merged.push_back(arc);
        }
    }
    return merged;
}

// The members of a group of siblings that reach one another, ordered so
// that the arcs from later members to earlier ones weigh the most.
std::vector<int32_t> orderWithin(const std::vector<int32_t>& members,
                                 std::span<const SiblingArc> arcs,
                                 std::span<const int32_t> component, int32_t which) {
    std::unordered_map<int32_t, int32_t> local;
    for (std::size_t i = 0; i < members.size(); ++i) {
        local[members[i]] = static_cast<int32_t>(i);
    }
    std::vector<int32_t> source;
    std::vector<int32_t> target;
    std::vector<int64_t> weight;
    for (const SiblingArc& arc : arcs) {
        if (component[at(arc.from)] == which && component[at(arc.to)] == which) {
            // Turned round: the order keeps its arcs forward, ours backward.
            source.push_back(local[arc.to]);
            target.push_back(local[arc.from]);
            weight.push_back(arc.weight);
        }
    }
    const std::vector<int32_t> place =
        feedbackPlaces({static_cast<int32_t>(members.size()), source, target, weight});
    std::vector<int32_t> ordered(members.size());
    for (std::size_t i = 0; i < members.size(); ++i) {
        ordered[at(place[i])] = members[i];
    }
    return ordered;
}

// The siblings 0 to count - 1 in the order to show them: each group that
// reaches one another together, after every sibling it has arcs to.
SiblingOrder orderSiblings(int32_t count, std::span<const SiblingArc> arcs) {
    std::vector<int32_t> source;
    std::vector<int32_t> target;
    for (const SiblingArc& arc : arcs) {
        source.push_back(arc.from);
        target.push_back(arc.to);
    }
    const StrongComponents components = strongComponents(count, source, target);
    const std::size_t componentCount = components.size.size();
    std::vector<std::vector<int32_t>> members(componentCount);
    for (int32_t sibling = 0; sibling < count; ++sibling) {
        members[at(components.component[at(sibling)])].push_back(sibling);
    }
    // A group waits for the groups it has arcs to.
    std::vector<int32_t> waiting(componentCount, 0);
    std::vector<std::vector<int32_t>> waitingFor(componentCount);
    for (const SiblingArc& arc : arcs) {
        const int32_t from = components.component[at(arc.from)];
        const int32_t to = components.component[at(arc.to)];
        if (from != to) {
            ++waiting[at(from)];
            waitingFor[at(to)].push_back(from);
        }
    }
    // Of the groups ready, the one whose first sibling comes first.
    using Ready = std::pair<int32_t, int32_t>;
    std::priority_queue<Ready, std::vector<Ready>, std::greater<>> ready;
    for (std::size_t c = 0; c < componentCount; ++c) {
        if (waiting[c] == 0) {
            ready.push({members[c].front(), static_cast<int32_t>(c)});
        }
    }
    SiblingOrder order;
    while (!ready.empty()) {
        const int32_t c = ready.top().second;
        ready.pop();
        const std::vector<int32_t>& group = members[at(c)];
        if (group.size() > 1) {
            const auto first = static_cast<int32_t>(order.places.size());
            const std::vector<int32_t> within = orderWithin(group, arcs, components.component, c);
            order.places.insert(order.places.end(), within.begin(), within.end());
            order.runs.push_back({first, static_cast<int32_t>(order.places.size()) - 1});
        } else {
            order.places.push_back(group.front());
        }
        for (const int32_t next : waitingFor[at(c)]) {
            if (--waiting[at(next)] == 0) {
                ready.push({members[at(next)].front(), next});
            }
        }
    }
    return order;
}

} // namespace

MatrixRows matrixRows(const CompoundGraph& graph, std::span<const int32_t> shownAs,
                      const Bundles& bundles, MatrixOrder order) {
    const CutView cut(graph, shownAs);
    const auto nodes = static_cast<std::size_t>(graph.nodeCount());
    std::vector<bool> endsBundle(nodes, false);
    for (int32_t b = 0; b < bundles.bundleCount(); ++b) {
        endsBundle[at(bundles.source[at(b)])] = true;
        endsBundle[at(bundles.target[at(b)])] = true;
    }
    const auto isRow = [&](int32_t node) {
        return cut.shown(node) && (cut.endsShownTree(node) || endsBundle[at(node)]);
    };
    const std::vector<int32_t> tops = topsOf(graph);
    // Per node, its place among its siblings.
    std::vector<int32_t> place(nodes, 0);
    for (std::size_t i = 0; i < tops.size(); ++i) {
        place[at(tops[i])] = static_cast<int32_t>(i);
    }
    for (int32_t node = 0; node < graph.nodeCount(); ++node) {
        const std::span<const int32_t> children = graph.children(node);
        for (std::size_t i = 0; i < children.size(); ++i) {
            place[at(children[i])] = static_cast<int32_t>(i);
        }
    }
    // The groups of siblings that partitioning reorders, by group.
    std::unordered_map<int32_t, SiblingOrder> reordered;
    if (order == MatrixOrder::Partitioned) {
        const std::vector<SiblingArc> arcs = siblingArcs(graph, bundles, place);
        for (std::size_t first = 0; first < arcs.size();) {
            std::size_t end = first;
            while (end < arcs.size() && arcs[end].group == arcs[first].group) {
                ++end;
            }
            const int32_t group = arcs[first].group;
            const std::size_t count =
                group == graph.nodeCount() ? tops.size() : graph.children(group).size();
            reordered[group] = orderSiblings(static_cast<int32_t>(count),
                                             std::span(arcs).subspan(first, end - first));
            first = end;
        }
    }
    const auto siblings = [&](int32_t group) {
        return group == graph.nodeCount() ? std::span<const int32_t>(tops) : graph.children(group);
    };
    // The shown nodes in pre-order, children as ordered, without recursion;
    // per node the rows before it.
    MatrixRows rows;
    std::vector<int32_t> visited;
    std::vector<int32_t> rowsBefore(nodes, 0);
    std::vector<int32_t> stack;
    const auto pushChildren = [&](int32_t group) {
        const std::span<const int32_t> children = siblings(group);
        const auto found = reordered.find(group);
        for (std::size_t i = children.size(); i-- > 0;) {
            stack.push_back(found == reordered.end() ? children[i]
                                                     : children[at(found->second.places[i])]);
        }
    };
    pushChildren(graph.nodeCount());
    while (!stack.empty()) {
        const int32_t node = stack.back();
        stack.pop_back();
        visited.push_back(node);
        rowsBefore[at(node)] = static_cast<int32_t>(rows.nodes.size());
        if (isRow(node)) {
            rows.nodes.push_back(node);
        }
        if (!cut.endsShownTree(node)) {
            pushChildren(node);
        }
    }
    if (reordered.empty()) {
        return rows;
    }
    // A subtree's rows end where its last node's rows do.
    std::vector<int32_t> rowsEnd(nodes, 0);
    for (std::size_t i = visited.size(); i-- > 0;) {
        const int32_t node = visited[i];
        rowsEnd[at(node)] = std::max(rowsEnd[at(node)], rowsBefore[at(node)] + isRow(node));
        const int32_t parent = graph.parent[at(node)];
        if (parent != CompoundGraph::none) {
            rowsEnd[at(parent)] = std::max(rowsEnd[at(parent)], rowsEnd[at(node)]);
        }
    }
    for (const auto& [group, siblingOrder] : reordered) {
        const std::span<const int32_t> children = siblings(group);
        for (const auto& [first, last] : siblingOrder.runs) {
            rows.cycleBlocks.push_back(
                {rowsBefore[at(children[at(siblingOrder.places[at(first)])])],
                 rowsEnd[at(children[at(siblingOrder.places[at(last)])])]});
        }
    }
    // A block before the blocks nested in it.
    std::sort(rows.cycleBlocks.begin(), rows.cycleBlocks.end(),
              [](const MatrixRows::Block& a, const MatrixRows::Block& b) {
                  return std::tie(a.first, b.end) < std::tie(b.first, a.end);
              });
    return rows;
}
