#pragma once

#include "analysis/MatrixRows.h"
#include "bundling/Bundles.h"
#include "graph/CompoundGraph.h"
#include "settings/MatrixOrder.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The dependency structure matrix at a cut: row i and column i stand for the
// same shown node; the cell in row i, column j holds the relations from the
// nodes shown as i to those shown as j, and the diagonal cell of a collapsed
// node the relations inside it. Only the cells that hold some are kept, so
// that a cut of many thousand nodes costs memory for its relations only.
struct DependencyMatrix {
    struct Cell {
        int32_t row = 0;
        int32_t column = 0;
        int64_t relations = 0;
        // In a comparison, those of them only the newer version has, and
        // those only the older one has.
        int64_t added = 0;
        int64_t removed = 0;

        bool operator==(const Cell&) const = default;
    };

    MatrixRows rows;
    // By row, then column.
    std::vector<Cell> cells;
    // Row i's cells are cells[rowStart[i] .. rowStart[i + 1]).
    std::vector<std::size_t> rowStart;

    int32_t size() const { return static_cast<int32_t>(rows.nodes.size()); }
    std::span<const Cell> row(int32_t row) const;
    int64_t relations(int32_t row, int32_t column) const;
};

// Of the bundles gathered at the cut that shownAs gives (with their kinds in
// a comparison), the rows in that order.
DependencyMatrix dependencyMatrix(const CompoundGraph& graph, std::span<const int32_t> shownAs,
                                  const Bundles& bundles, MatrixOrder order);
