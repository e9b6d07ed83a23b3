#include "explore/BundlePicking.h"

#include <algorithm>
#include <cstddef>

namespace {

// The squared distance from p to the segment from a to b.
float squaredDistanceToSegment(Point p, Point a, Point b) {
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    const float length = dx * dx + dy * dy;
    const float t = length > 0.0f
                        ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length, 0.0f, 1.0f)
                        : 0.0f;
    const float ex = a.x + t * dx - p.x;
    const float ey = a.y + t * dy - p.y;
    return ex * ex + ey * ey;
}

} // namespace

int32_t pickCurve(std::span<const float> points, int32_t samplesPerCurve,
                  std::span<const int32_t> candidates, Point point, float radius) {
    int32_t nearest = -1;
    float best = radius * radius;
    const auto samples = static_cast<std::size_t>(samplesPerCurve);
    for (const int32_t curve : candidates) {
        const std::size_t first = 2 * static_cast<std::size_t>(curve) * samples;
        if (curve < 0 || samples < 2 || first + 2 * samples > points.size()) {
            continue;
        }
        for (std::size_t j = 0; j + 1 < samples; ++j) {
            const std::size_t at = first + 2 * j;
            const float d = squaredDistanceToSegment(point, {points[at], points[at + 1]},
                                                     {points[at + 2], points[at + 3]});
            if (d <= best) {
                best = d;
                nearest = curve;
            }
        }
    }
    return nearest;
}
