#include "explore/Motion.h"

#include <algorithm>
#include <cmath>
#include <numbers>

double easedShare(double t) {
    const double clamped = std::clamp(t, 0.0, 1.0);
    return clamped * clamped * (3.0 - 2.0 * clamped);
}

MotionPath::MotionPath(std::vector<Point> from, std::vector<Point> to, bool aroundCentre)
    : from(std::move(from)), to(std::move(to)), aroundCentre(aroundCentre) {}

std::vector<Point> MotionPath::at(double share) const {
    std::vector<Point> places(from.size());
    const auto s = static_cast<float>(share);
    for (std::size_t node = 0; node < from.size(); ++node) {
        const Point a = from[node];
        const Point b = to[node];
        if (!aroundCentre) {
            places[node] = {a.x + (b.x - a.x) * s, a.y + (b.y - a.y) * s};
            continue;
        }
        const double ra = std::hypot(a.x, a.y);
        const double rb = std::hypot(b.x, b.y);
        // The centre itself has no angle: it takes the other end's.
        double angleA = ra > 0.0 ? std::atan2(a.x, a.y) : std::atan2(b.x, b.y);
        const double angleB = rb > 0.0 ? std::atan2(b.x, b.y) : angleA;
        double turn = angleB - angleA;
        turn -= 2.0 * std::numbers::pi * std::round(turn / (2.0 * std::numbers::pi));
        const double angle = angleA + turn * share;
        const double radius = ra + (rb - ra) * share;
        places[node] = {static_cast<float>(radius * std::sin(angle)),
                        static_cast<float>(radius * std::cos(angle))};
    }
    return places;
}

std::vector<Point> shownPlaces(std::span<const Point> positions, std::span<const int32_t> shownAs) {
    std::vector<Point> places(positions.begin(), positions.end());
    for (std::size_t node = 0; node < shownAs.size() && node < places.size(); ++node) {
        places[node] = positions[static_cast<std::size_t>(shownAs[node])];
    }
    return places;
}
