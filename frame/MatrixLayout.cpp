#include "frame/MatrixLayout.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float side = 2.0f;
// A level's brackets at the most, and the room between names and cells.
constexpr float widestBracketStep = 0.03f;
constexpr float namesGap = 0.01f;
// Where in its band a level's bracket runs, from the outer side.
constexpr float bracketLine = 0.8f;

} // namespace

Rect MatrixLayout::cellRect(int32_t row, int32_t column) const {
    const float x = left + static_cast<float>(column) * cell;
    const float y = top - static_cast<float>(row) * cell;
    return {x, y - cell, x + cell, y};
}

float MatrixLayout::rowMiddle(int32_t row) const {
    return top - (static_cast<float>(row) + 0.5f) * cell;
}

float MatrixLayout::columnMiddle(int32_t column) const {
    return left + (static_cast<float>(column) + 0.5f) * cell;
}

float MatrixLayout::rowBracketX(int32_t level) const {
    return -1.0f + (static_cast<float>(level) + bracketLine) * bracketStep;
}

float MatrixLayout::columnBracketY(int32_t level) const {
    return 1.0f - (static_cast<float>(level) + bracketLine) * bracketStep;
}

float MatrixLayout::rowBracketNameX(int32_t level) const {
    return -1.0f + (static_cast<float>(level) + bracketLine / 2.0f) * bracketStep;
}

float MatrixLayout::columnBracketNameY(int32_t level) const {
    return 1.0f - (static_cast<float>(level) + bracketLine / 2.0f) * bracketStep;
}

float MatrixLayout::namesLeft() const {
    return left - namesGap;
}

std::optional<MatrixLayout::Place> MatrixLayout::placeAt(Point p) const {
    if (size == 0 || cell <= 0.0f || p.x < -1.0f || p.y > 1.0f) {
        return std::nullopt;
    }
    const auto index = [this](float offset) {
        return static_cast<int32_t>(std::floor(offset / cell));
    };
    const int32_t row = index(top - p.y);
    const int32_t column = index(p.x - left);
    const bool rowIn = p.y <= top && row >= 0 && row < size;
    const bool columnIn = p.x >= left && column >= 0 && column < size;
    if (rowIn && columnIn) {
        return Place{row, column};
    }
    if (rowIn && p.x < left) {
        return Place{row, -1};
    }
    if (columnIn && p.y > top) {
        return Place{-1, column};
    }
    return std::nullopt;
}

MatrixLayout matrixLayout(int32_t size, int32_t levels, float nameWidth) {
    MatrixLayout layout;
    layout.size = size;
    layout.levels = levels;
    const float most = maxBandShare * side;
    layout.bracketStep =
        levels > 0 ? std::min(widestBracketStep, most / 2.0f / static_cast<float>(levels)) : 0.0f;
    const float brackets = layout.bracketStep * static_cast<float>(levels);
    const float band = std::min(most, brackets + nameWidth + 2.0f * namesGap);
    layout.left = -1.0f + band;
    layout.top = 1.0f - band;
    layout.cell = size > 0 ? (side - band) / static_cast<float>(size) : 0.0f;
    return layout;
}
