#pragma once

// A point in view coordinates: both axes from -1 to 1, y pointing up.
struct Point {
    float x = 0.0f;
    float y = 0.0f;

    bool operator==(const Point&) const = default;
};
