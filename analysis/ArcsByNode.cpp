#include "analysis/ArcsByNode.h"

ArcsByNode arcsByNode(int32_t nodeCount, std::span<const int32_t> end) {
    ArcsByNode by;
    by.start.assign(static_cast<std::size_t>(nodeCount) + 1, 0);
    for (const int32_t node : end) {
        ++by.start[static_cast<std::size_t>(node) + 1];
    }
    for (std::size_t v = 0; v < static_cast<std::size_t>(nodeCount); ++v) {
        by.start[v + 1] += by.start[v];
    }
    std::vector<std::size_t> next(by.start.begin(), by.start.end() - 1);
    by.arc.resize(end.size());
    for (std::size_t i = 0; i < end.size(); ++i) {
        by.arc[next[static_cast<std::size_t>(end[i])]++] = static_cast<int32_t>(i);
    }
    return by;
}
