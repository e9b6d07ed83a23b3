#include "frame/MatrixBrackets.h"

#include "model/CutView.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

std::size_t at(int32_t index) {
    return static_cast<std::size_t>(index);
}

} // namespace

std::vector<MatrixBracket> matrixBrackets(const CompoundGraph& graph,
                                          std::span<const int32_t> shownAs,
                                          const DependencyMatrix& matrix) {
    const CutView cut(graph, shownAs);
    std::vector<int32_t> index(at(graph.nodeCount()), -1);
    std::vector<MatrixBracket> brackets;
    for (int32_t row = 0; row < matrix.size(); ++row) {
        const int32_t node = matrix.rows.nodes[at(row)];
        for (int32_t above = cut.endsShownTree(node) ? graph.parent[at(node)] : node;
             above != CompoundGraph::none && graph.parent[at(above)] != CompoundGraph::none;
             above = graph.parent[at(above)]) {
            if (index[at(above)] < 0) {
                index[at(above)] = static_cast<int32_t>(brackets.size());
                brackets.push_back(
                    {above, static_cast<int32_t>(graph.depth[at(above)]) - 1, row, row + 1});
            }
            MatrixBracket& bracket = brackets[at(index[at(above)])];
            bracket.first = std::min(bracket.first, row);
            bracket.end = std::max(bracket.end, row + 1);
        }
    }
    return brackets;
}

int32_t bracketNodeAt(std::span<const MatrixBracket> brackets, const MatrixLayout& layout,
                      Point p) {
    const float band = static_cast<float>(layout.levels) * layout.bracketStep;
    if (layout.cell <= 0.0f || layout.bracketStep <= 0.0f) {
        return CompoundGraph::none;
    }
    int32_t level = -1;
    int32_t index = -1;
    if (p.x >= -1.0f && p.x < -1.0f + band && p.y <= layout.top) {
        level = static_cast<int32_t>(std::floor((p.x + 1.0f) / layout.bracketStep));
        index = static_cast<int32_t>(std::floor((layout.top - p.y) / layout.cell));
    } else if (p.y <= 1.0f && p.y > 1.0f - band && p.x >= layout.left) {
        level = static_cast<int32_t>(std::floor((1.0f - p.y) / layout.bracketStep));
        index = static_cast<int32_t>(std::floor((p.x - layout.left) / layout.cell));
    }
    for (const MatrixBracket& bracket : brackets) {
        if (bracket.level == level && index >= bracket.first && index < bracket.end) {
            return bracket.node;
        }
    }
    return CompoundGraph::none;
}

MatrixBracket rowsOfNode(const CompoundGraph& graph, const DependencyMatrix& matrix, int32_t node) {
    MatrixBracket rows{node, 0, 0, 0};
    for (int32_t row = 0; row < matrix.size(); ++row) {
        int32_t above = matrix.rows.nodes[at(row)];
        while (above != CompoundGraph::none && above != node) {
            above = graph.parent[at(above)];
        }
        if (above == node) {
            rows.first = rows.end == 0 ? row : rows.first;
            rows.end = row + 1;
        }
    }
    return rows;
}
