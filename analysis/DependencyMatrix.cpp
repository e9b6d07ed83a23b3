#include "analysis/DependencyMatrix.h"

#include <algorithm>
#include <tuple>

namespace {

std::size_t at(int32_t index) {
    return static_cast<std::size_t>(index);
}

} // namespace

std::span<const DependencyMatrix::Cell> DependencyMatrix::row(int32_t row) const {
    return std::span<const Cell>(cells).subspan(rowStart[at(row)],
                                                rowStart[at(row) + 1] - rowStart[at(row)]);
}

int64_t DependencyMatrix::relations(int32_t row, int32_t column) const {
    const std::span<const Cell> inRow = this->row(row);
    const auto found =
        std::lower_bound(inRow.begin(), inRow.end(), column,
                         [](const Cell& cell, int32_t wanted) { return cell.column < wanted; });
    return found != inRow.end() && found->column == column ? found->relations : 0;
}

DependencyMatrix dependencyMatrix(const CompoundGraph& graph, std::span<const int32_t> shownAs,
                                  const Bundles& bundles, MatrixOrder order) {
    DependencyMatrix matrix;
    matrix.rows = matrixRows(graph, shownAs, bundles, order);
    std::vector<int32_t> rowOf(at(graph.nodeCount()), -1);
    for (int32_t row = 0; row < matrix.size(); ++row) {
        rowOf[at(matrix.rows.nodes[at(row)])] = row;
    }
    std::vector<DependencyMatrix::Cell> found;
    found.reserve(bundles.source.size());
    for (int32_t b = 0; b < bundles.bundleCount(); ++b) {
        const int64_t count = bundles.count[at(b)];
        const RelationKind kind = bundles.kind.empty() ? RelationKind::Kept : bundles.kind[at(b)];
        found.push_back({rowOf[at(bundles.source[at(b)])], rowOf[at(bundles.target[at(b)])], count,
                         kind == RelationKind::Added ? count : 0,
                         kind == RelationKind::Removed ? count : 0});
    }
    for (std::size_t node = 0; node < bundles.inside.size(); ++node) {
        if (bundles.inside[node] > 0) {
            const int32_t row = rowOf[node];
            found.push_back({row, row, bundles.inside[node]});
        }
    }
    const auto key = [](const DependencyMatrix::Cell& cell) {
        return std::tie(cell.row, cell.column);
    };
    std::sort(found.begin(), found.end(),
              [&key](const auto& a, const auto& b) { return key(a) < key(b); });
    // In a comparison a pair of nodes may have a bundle of each kind.
    for (const DependencyMatrix::Cell& cell : found) {
        if (!matrix.cells.empty() && key(matrix.cells.back()) == key(cell)) {
            DependencyMatrix::Cell& merged = matrix.cells.back();
            merged.relations += cell.relations;
            merged.added += cell.added;
            merged.removed += cell.removed;
        } else {
            matrix.cells.push_back(cell);
        }
    }
    matrix.rowStart.assign(at(matrix.size()) + 1, 0);
    for (const DependencyMatrix::Cell& cell : matrix.cells) {
        ++matrix.rowStart[at(cell.row) + 1];
    }
    for (std::size_t row = 0; row < at(matrix.size()); ++row) {
        matrix.rowStart[row + 1] += matrix.rowStart[row];
    }
    return matrix;
}
