#pragma once

// A rectangle in view coordinates, y pointing up: left, bottom, right, top.
struct Rect {
    float x0 = 0.0f;
    float y0 = 0.0f;
    float x1 = 0.0f;
    float y1 = 0.0f;

    // An inverted rectangle (spacing larger than the room) collapses to zero
    // width or height instead of producing negative areas.
    void collapseInverted() {
        if (y1 < y0) {
            y1 = y0;
        }
        if (x1 < x0) {
            x1 = x0;
        }
    }
};

inline bool operator==(const Rect& a, const Rect& b) {
    return a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1;
}
