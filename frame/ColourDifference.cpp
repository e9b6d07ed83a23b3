#include "frame/ColourDifference.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

struct Lab {
    double l;
    double a;
    double b;
};

double linear(float channel) {
    const double c = std::clamp(static_cast<double>(channel), 0.0, 1.0);
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// CIE L*a*b* under D65 of an sRGB colour.
Lab labOf(const Colour& colour) {
    const double r = linear(colour.r);
    const double g = linear(colour.g);
    const double b = linear(colour.b);
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    const auto f = [](double t) {
        return t > 216.0 / 24389.0 ? std::cbrt(t) : (24389.0 / 27.0 * t + 16.0) / 116.0;
    };
    return {116.0 * f(y) - 16.0, 500.0 * (f(x) - f(y)), 200.0 * (f(y) - f(z))};
}

double degrees(double radians) {
    return radians * 180.0 / std::numbers::pi;
}

double radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

// The hue angle in degrees, 0 to 360.
double hueOf(double b, double a) {
    const double hue = degrees(std::atan2(b, a));
    return hue < 0.0 ? hue + 360.0 : hue;
}

} // namespace

double colourDifference(const Colour& first, const Colour& second) {
    const Lab one = labOf(first);
    const Lab two = labOf(second);
    const double seventh = std::pow(25.0, 7.0);
    const double meanChroma = (std::hypot(one.a, one.b) + std::hypot(two.a, two.b)) / 2.0;
    const double g =
        0.5 * (1.0 - std::sqrt(std::pow(meanChroma, 7.0) / (std::pow(meanChroma, 7.0) + seventh)));
    const double a1 = (1.0 + g) * one.a;
    const double a2 = (1.0 + g) * two.a;
    const double c1 = std::hypot(a1, one.b);
    const double c2 = std::hypot(a2, two.b);
    const double h1 = hueOf(one.b, a1);
    const double h2 = hueOf(two.b, a2);
    double hueStep = 0.0;
    double meanHue = h1 + h2;
    if (c1 * c2 != 0.0) {
        hueStep = h2 - h1;
        if (hueStep > 180.0) {
            hueStep -= 360.0;
        } else if (hueStep < -180.0) {
            hueStep += 360.0;
        }
        if (std::abs(h1 - h2) <= 180.0) {
            meanHue = (h1 + h2) / 2.0;
        } else {
            meanHue = h1 + h2 < 360.0 ? (h1 + h2 + 360.0) / 2.0 : (h1 + h2 - 360.0) / 2.0;
        }
    }
    const double lightnessStep = two.l - one.l;
    const double chromaStep = c2 - c1;
    const double hueDifference = 2.0 * std::sqrt(c1 * c2) * std::sin(radians(hueStep / 2.0));
    const double meanLightness = (one.l + two.l) / 2.0;
    const double meanC = (c1 + c2) / 2.0;
    const double t = 1.0 - 0.17 * std::cos(radians(meanHue - 30.0)) +
                     0.24 * std::cos(radians(2.0 * meanHue)) +
                     0.32 * std::cos(radians(3.0 * meanHue + 6.0)) -
                     0.20 * std::cos(radians(4.0 * meanHue - 63.0));
    const double rotation = 30.0 * std::exp(-std::pow((meanHue - 275.0) / 25.0, 2.0));
    const double rc = 2.0 * std::sqrt(std::pow(meanC, 7.0) / (std::pow(meanC, 7.0) + seventh));
    const double away = (meanLightness - 50.0) * (meanLightness - 50.0);
    const double sl = 1.0 + 0.015 * away / std::sqrt(20.0 + away);
    const double sc = 1.0 + 0.045 * meanC;
    const double sh = 1.0 + 0.015 * meanC * t;
    const double rt = -std::sin(radians(2.0 * rotation)) * rc;
    const double l = lightnessStep / sl;
    const double c = chromaStep / sc;
    const double h = hueDifference / sh;
    return std::sqrt(l * l + c * c + h * h + rt * c * h);
}

double nearestDifference(const Colour& colour, std::span<const Colour> others) {
    double nearest = std::numeric_limits<double>::infinity();
    for (const Colour& other : others) {
        nearest = std::min(nearest, colourDifference(colour, other));
    }
    return nearest;
}
