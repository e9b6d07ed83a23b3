#pragma once

#include "layout/Point.h"
#include "layout/Rect.h"

#include <cstdint>
#include <optional>

// Where the dependency matrix lies in the scene's square from -1 to 1: its
// cells in a square at the bottom right, and in the band left of them and
// the band above them (as wide as each other) the brackets of the
// hierarchy's levels, outermost at the square's edge, then the nodes' names
// next to the cells.
struct MatrixLayout {
    // Rows, which are the columns too.
    int32_t size = 0;
    // The cells' top left corner and a cell's side.
    float left = -1.0f;
    float top = 1.0f;
    float cell = 0.0f;
    // The levels of brackets, and the width of one level's.
    int32_t levels = 0;
    float bracketStep = 0.0f;

    // Row r's cell in column c.
    Rect cellRect(int32_t row, int32_t column) const;
    // The middle of a row across, and of a column along.
    float rowMiddle(int32_t row) const;
    float columnMiddle(int32_t column) const;
    // The line a bracket at a level (0 the outermost) runs along: x of the
    // rows' brackets on the left, and y of the columns' above, near the
    // cells' side of the level's band; and the middle of the band's rest,
    // where the bracket's name goes.
    float rowBracketX(int32_t level) const;
    float columnBracketY(int32_t level) const;
    float rowBracketNameX(int32_t level) const;
    float columnBracketNameY(int32_t level) const;
    // Where the names end: their side of the band next to the cells.
    float namesLeft() const;

    // Under a point: the cell (row, column); a row's header left of the
    // cells (column none) or a column's above them (row none); else nothing.
    struct Place {
        int32_t row = -1;
        int32_t column = -1;

        bool operator==(const Place&) const = default;
    };
    std::optional<Place> placeAt(Point p) const;
};

// For that many rows under brackets that many levels deep, with names up to
// nameWidth wide (scene units): the band takes the names and the brackets,
// at most maxBandShare of the square's side.
inline constexpr float maxBandShare = 0.4f;
MatrixLayout matrixLayout(int32_t size, int32_t levels, float nameWidth);
