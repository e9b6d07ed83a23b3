#pragma once

// A point of a curve in view coordinates.
struct SplinePoint {
    float x = 0.0f;
    float y = 0.0f;
};

inline bool operator==(const SplinePoint& a, const SplinePoint& b) {
    return a.x == b.x && a.y == b.y;
}
