#include "bundling/SplineSampling.h"

#include "bundling/SplineCurve.h"

Point evaluateSpline(float t, std::span<const int32_t> polygon, std::span<const Point> positions) {
    return splinecurve::curvePoint(t, static_cast<int32_t>(polygon.size()),
                                   [&](int32_t i) { return positions[polygon[i]]; });
}

Point blendPoint(float strength, float t, std::span<const int32_t> polygon,
                 std::span<const Point> positions) {
    if (polygon.empty()) {
        return splinecurve::blend(strength, t, Point{}, Point{}, Point{});
    }
    return splinecurve::blend(strength, t, evaluateSpline(t, polygon, positions),
                              positions[polygon.front()], positions[polygon.back()]);
}

void sampleCurves(const Routes& routes, std::span<const Point> positions, EdgeRange range,
                  CurveSamples& samples) {
    for (int32_t e = range.first; e < range.end; ++e) {
        const std::span<const int32_t> polygon = routes.polygon(e);
        const auto count = static_cast<int32_t>(polygon.size());
        const auto positionOf = [&](int32_t i) { return positions[polygon[i]]; };
        const Point first = count > 0 ? positionOf(0) : Point{};
        const Point last = count > 0 ? positionOf(count - 1) : Point{};
        float* bundled = samples.bundled.data() + static_cast<std::size_t>(e) * floatsPerEdge;
        for (int32_t j = 0; j < samplesPerEdge; ++j) {
            const float t = splinecurve::sampleParameter(j);
            const Point point = splinecurve::blend(
                1.0f, t, splinecurve::curvePoint(t, count, positionOf), first, last);
            bundled[2 * j] = point.x;
            bundled[2 * j + 1] = point.y;
        }
        float* ends =
            samples.ends.data() + static_cast<std::size_t>(e) * CurveSamples::floatsPerEnds;
        ends[0] = first.x;
        ends[1] = first.y;
        ends[2] = last.x;
        ends[3] = last.y;
    }
}

Point straightSample(const CurveSamples& samples, int32_t edge, int32_t j) {
    const float* ends =
        samples.ends.data() + static_cast<std::size_t>(edge) * CurveSamples::floatsPerEnds;
    const float t = splinecurve::sampleParameter(j);
    return {ends[2] * t + ends[0] * (1.0f - t), ends[3] * t + ends[1] * (1.0f - t)};
}
