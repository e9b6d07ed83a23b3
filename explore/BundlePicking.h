#pragma once

#include "layout/Point.h"

#include <cstdint>
#include <span>

// The curve under a scene point among the candidates: the one whose
// polyline passes nearest to the point, if within `radius`; -1 when none
// does. Curve e's polyline is the samplesPerCurve points from
// points[2 e samplesPerCurve] on, as a curve set holds them.
int32_t pickCurve(std::span<const float> points, int32_t samplesPerCurve,
                  std::span<const int32_t> candidates, Point point, float radius);
