#pragma once

#include "bundling/CurveSamples.h"
#include "bundling/Routes.h"
#include "layout/Point.h"

#include <span>

// The point at parameter t (0..1) of the curve through the control polygon
// over the node positions: a Bezier curve for up to three entries, a uniform
// cubic B-spline for more; (0, 0) for an empty polygon.
Point evaluateSpline(float t, std::span<const int32_t> polygon, std::span<const Point> positions);

// strength x the curve + (1 - strength) x the straight segment from the
// polygon's first node to its last.
Point blendPoint(float strength, float t, std::span<const int32_t> polygon,
                 std::span<const Point> positions);

// Fills the ends and the bundled samples of the edges in range from the node
// positions.
void sampleCurves(const Routes& routes, std::span<const Point> positions, EdgeRange range,
                  CurveSamples& samples);

// Sample j of the edge's straight segment, from its ends.
Point straightSample(const CurveSamples& samples, int32_t edge, int32_t j);
