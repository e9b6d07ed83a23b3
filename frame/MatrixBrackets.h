#pragma once

#include "analysis/DependencyMatrix.h"
#include "frame/MatrixLayout.h"
#include "graph/CompoundGraph.h"
#include "layout/Point.h"

#include <cstdint>
#include <span>
#include <vector>

// The hierarchy over the matrix's rows: per shown inner node that is not
// collapsed (the tops of the trees left out), the rows of its subtree,
// which the row order keeps together, and its level (its depth less one).
struct MatrixBracket {
    int32_t node = 0;
    int32_t level = 0;
    int32_t first = 0;
    int32_t end = 0;
};
std::vector<MatrixBracket> matrixBrackets(const CompoundGraph& graph,
                                          std::span<const int32_t> shownAs,
                                          const DependencyMatrix& matrix);

// The node whose bracket lies under a point, in the brackets' bands left of
// the rows' names or above the columns'; none elsewhere.
int32_t bracketNodeAt(std::span<const MatrixBracket> brackets, const MatrixLayout& layout, Point p);

// The rows a node stands for at the cut: its own row, or its subtree's
// rows; none (first == end) for a node with neither.
MatrixBracket rowsOfNode(const CompoundGraph& graph, const DependencyMatrix& matrix, int32_t node);
