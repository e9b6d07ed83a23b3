#pragma once

#include <cstdint>

// How the dependency matrix orders its rows: in the tree's order, or, within
// each parent, its children so that most relations lie below the diagonal.
// The underlying type is fixed: settings are 32-bit values.
enum class MatrixOrder : int32_t {
    Tree = 0,
    Partitioned = 1,
};

inline constexpr int matrixOrderCount = 2;

// Labels shown to the user, indexed by the enumerator's value.
inline constexpr const char* matrixOrderLabels[matrixOrderCount] = {"Tree", "Partitioned"};
