#include "tools/rampgen/ColorRamp.h"

#include <algorithm>
#include <cmath>

namespace {

struct Oklab {
    double l, a, b;
};

double toLinear(uint8_t channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

uint8_t fromLinear(double c) {
    c = std::clamp(c, 0.0, 1.0);
    const double encoded = c <= 0.0031308 ? 12.92 * c : 1.055 * std::pow(c, 1.0 / 2.4) - 0.055;
    return static_cast<uint8_t>(std::lround(encoded * 255.0));
}

// Björn Ottosson's matrices, from linear sRGB through cone responses.
Oklab toOklab(const Rgb8& rgb) {
    const double r = toLinear(rgb[0]);
    const double g = toLinear(rgb[1]);
    const double b = toLinear(rgb[2]);
    const double l = std::cbrt(0.4122214708 * r + 0.5363325363 * g + 0.0514459929 * b);
    const double m = std::cbrt(0.2119034982 * r + 0.6806995451 * g + 0.1073969566 * b);
    const double s = std::cbrt(0.0883024619 * r + 0.2817188376 * g + 0.6299787005 * b);
    return {0.2104542553 * l + 0.7936177850 * m - 0.0040720468 * s,
            1.9779984951 * l - 2.4285922050 * m + 0.4505937099 * s,
            0.0259040371 * l + 0.7827717662 * m - 0.8086757660 * s};
}

Rgb8 fromOklab(const Oklab& lab) {
    const double l = std::pow(lab.l + 0.3963377774 * lab.a + 0.2158037573 * lab.b, 3.0);
    const double m = std::pow(lab.l - 0.1055613458 * lab.a - 0.0638541728 * lab.b, 3.0);
    const double s = std::pow(lab.l - 0.0894841775 * lab.a - 1.2914855480 * lab.b, 3.0);
    return {fromLinear(4.0767416621 * l - 3.3077115913 * m + 0.2309699292 * s),
            fromLinear(-1.2684380046 * l + 2.6097574011 * m - 0.3413193965 * s),
            fromLinear(-0.0041960863 * l - 0.7034186147 * m + 1.7076147010 * s)};
}

Oklab mix(const Oklab& from, const Oklab& to, double t) {
    return {from.l + (to.l - from.l) * t, from.a + (to.a - from.a) * t,
            from.b + (to.b - from.b) * t};
}

} // namespace

std::vector<Rgb8> sampleRamp(const ColorRamp& ramp, int width) {
    std::vector<Oklab> controls;
    for (const Rgb8& color : ramp) {
        controls.push_back(toOklab(color));
    }
    const int segments = static_cast<int>(controls.size()) - 1;
    std::vector<Rgb8> texels;
    for (int i = 0; i < width; ++i) {
        const double position = width > 1 ? static_cast<double>(i) * segments / (width - 1) : 0.0;
        const int segment = std::min(static_cast<int>(position), segments - 1);
        texels.push_back(
            fromOklab(mix(controls[segment], controls[segment + 1], position - segment)));
    }
    return texels;
}
