#pragma once

#include <cmath>

// Opacity of a whole spline from its arc length: minAlpha for the longest,
// 1 for the shortest (the other way round when flipped), shaped by the
// exponent. When every spline has the same length there is no range to map,
// and every spline is drawn fully opaque.
inline float splineOpacity(float arcLength, float minLength, float maxLength, float minAlpha,
                           float exponent, bool flip) {
    const float range = maxLength - minLength;
    if (!(range > 0.0f)) {
        return 1.0f;
    }
    float t = (maxLength - arcLength) / range;
    if (flip) {
        t = 1.0f - t;
    }
    return minAlpha + (1.0f - minAlpha) * std::pow(t, exponent);
}
