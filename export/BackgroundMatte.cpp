#include "export/BackgroundMatte.h"

#include <algorithm>
#include <cmath>

namespace {

uint8_t byteOf(double value) {
    return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

} // namespace

std::vector<uint8_t> transparentPicture(std::span<const uint8_t> overBlack,
                                        std::span<const uint8_t> overWhite) {
    std::vector<uint8_t> picture(overBlack.size());
    for (std::size_t i = 0; i + 3 < overBlack.size() && i + 3 < overWhite.size(); i += 4) {
        int coverage = 0;
        for (std::size_t c = 0; c < 3; ++c) {
            const int spread = int{overWhite[i + c]} - int{overBlack[i + c]};
            coverage = std::max(coverage, 255 - std::clamp(spread, 0, 255));
        }
        for (std::size_t c = 0; c < 3; ++c) {
            picture[i + c] = coverage == 0
                                 ? 0
                                 : byteOf(255.0 * overBlack[i + c] / static_cast<double>(coverage));
        }
        picture[i + 3] = static_cast<uint8_t>(coverage);
    }
    return picture;
}

std::vector<uint8_t> pictureOver(std::span<const uint8_t> transparent, const Colour& background) {
    std::vector<uint8_t> picture(transparent.size());
    const double under[3] = {background.r * 255.0, background.g * 255.0, background.b * 255.0};
    for (std::size_t i = 0; i + 3 < transparent.size(); i += 4) {
        const double a = transparent[i + 3] / 255.0;
        for (std::size_t c = 0; c < 3; ++c) {
            picture[i + c] = byteOf(transparent[i + c] * a + under[c] * (1.0 - a));
        }
        picture[i + 3] = 255;
    }
    return picture;
}
