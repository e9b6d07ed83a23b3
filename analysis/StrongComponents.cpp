#include "analysis/StrongComponents.h"

#include "analysis/ArcsByNode.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr int32_t unvisited = -1;

} // namespace

StrongComponents strongComponents(int32_t nodeCount, std::span<const int32_t> source,
                                  std::span<const int32_t> target) {
    const auto nodes = static_cast<std::size_t>(nodeCount);
    const ArcsByNode leaving = arcsByNode(nodeCount, source);
    StrongComponents found;
    found.component.assign(nodes, unvisited);
    std::vector<int32_t> order(nodes, unvisited);
    std::vector<int32_t> low(nodes, 0);
    // The nodes visited whose component is not complete yet.
    std::vector<int32_t> open;
    // The search's path: each node and the next of its arcs to follow.
    struct Frame {
        int32_t node;
        std::size_t arc;
    };
    std::vector<Frame> path;
    int32_t visited = 0;
    const auto visit = [&](int32_t node) {
        order[static_cast<std::size_t>(node)] = low[static_cast<std::size_t>(node)] = visited++;
        open.push_back(node);
        path.push_back({node, leaving.start[static_cast<std::size_t>(node)]});
    };
    for (int32_t first = 0; first < nodeCount; ++first) {
        if (order[static_cast<std::size_t>(first)] != unvisited) {
            continue;
        }
        visit(first);
        while (!path.empty()) {
            const int32_t node = path.back().node;
            const auto v = static_cast<std::size_t>(node);
            if (path.back().arc < leaving.start[v + 1]) {
                const int32_t next =
                    target[static_cast<std::size_t>(leaving.arc[path.back().arc++])];
                const auto w = static_cast<std::size_t>(next);
                if (order[w] == unvisited) {
                    visit(next);
                } else if (found.component[w] == unvisited) {
                    low[v] = std::min(low[v], order[w]);
                }
                continue;
            }
            path.pop_back();
            if (!path.empty()) {
                const auto parent = static_cast<std::size_t>(path.back().node);
                low[parent] = std::min(low[parent], low[v]);
            }
            if (low[v] != order[v]) {
                continue;
            }
            const auto id = static_cast<int32_t>(found.size.size());
            int32_t members = 0;
            int32_t member = unvisited;
            while (member != node) {
                member = open.back();
                open.pop_back();
                found.component[static_cast<std::size_t>(member)] = id;
                ++members;
            }
            found.size.push_back(members);
        }
    }
    return found;
}
