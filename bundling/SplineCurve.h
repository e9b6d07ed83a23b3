#pragma once

#include "bundling/CurveSamples.h"
#include "layout/Point.h"

#include <cmath>
#include <cstdint>

// The curve through a control polygon, written once for any way of finding
// the position of polygon entry i, so that the public evaluation and the
// bulk sampling give bit-identical points.
namespace splinecurve {

// The step between sample parameters (1/49) and 1/6 are single-precision
// constants: every sample parameter and every B-spline weight is rounded
// exactly as the drawing expects.
inline constexpr float sampleStep = 1.0f / static_cast<float>(samplesPerEdge - 1);
inline constexpr float sixth = 1.0f / 6.0f;

inline float sampleParameter(int32_t j) {
    return static_cast<float>(j) * sampleStep;
}

inline int32_t binomial(int32_t m, int32_t i) {
    int32_t result = 1;
    for (int32_t k = 1; k <= i; ++k) {
        result = result * (m - i + k) / k;
    }
    return result;
}

inline float integerPower(float base, int32_t exponent) {
    float result = 1.0f;
    for (int32_t k = 0; k < exponent; ++k) {
        result *= base;
    }
    return result;
}

inline float bernstein(int32_t i, int32_t m, float t) {
    if (i < 0 || i > m) {
        return 0.0f;
    }
    return static_cast<float>(binomial(m, i)) * integerPower(t, i) * integerPower(1.0f - t, m - i);
}

// Bezier curve of degree n - 1 for up to three entries; a uniform cubic
// B-spline with n - 3 segments for more.
template <class PositionOf> Point curvePoint(float t, int32_t n, PositionOf positionOf) {
    Point result;
    if (n <= 3) {
        for (int32_t i = 0; i < n; ++i) {
            const float weight = bernstein(i, n - 1, t);
            const Point p = positionOf(i);
            result.x += weight * p.x;
            result.y += weight * p.y;
        }
        return result;
    }
    const float s = static_cast<float>(n - 3) * t;
    int32_t k = n - 4;
    float u = 1.0f;
    // A parameter a hair below 1 can round s up to n - 3, and a parameter
    // outside 0..1 (or NaN) names no segment: both keep to the end segments
    // instead of reading past the polygon.
    if (t != 1.0f) {
        const float whole = std::floor(s);
        if (!(whole >= 0.0f)) {
            k = 0;
            u = 0.0f;
        } else if (whole <= static_cast<float>(n - 4)) {
            k = static_cast<int32_t>(whole);
            u = s - whole;
        }
    }
    const float w0 = (u * (u * (3.0f - u) - 3.0f) + 1.0f) * sixth;
    const float w1 = (u * (u * (3.0f * u - 6.0f)) + 4.0f) * sixth;
    const float w2 = (u * (u * (3.0f - 3.0f * u) + 3.0f) + 1.0f) * sixth;
    const float w3 = u * u * u * sixth;
    const Point p0 = positionOf(k);
    const Point p1 = positionOf(k + 1);
    const Point p2 = positionOf(k + 2);
    const Point p3 = positionOf(k + 3);
    result.x = w0 * p0.x + w1 * p1.x + w2 * p2.x + w3 * p3.x;
    result.y = w0 * p0.y + w1 * p1.y + w2 * p2.y + w3 * p3.y;
    return result;
}

// beta x curve + (1 - beta) x the straight segment from first to last.
inline Point blend(float beta, float t, Point curve, Point first, Point last) {
    const float straight = 1.0f - beta;
    return {beta * curve.x + straight * (first.x + t * (last.x - first.x)),
            beta * curve.y + straight * (first.y + t * (last.y - first.y))};
}

} // namespace splinecurve
