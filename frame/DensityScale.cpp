#include "frame/DensityScale.h"

#include <algorithm>
#include <cmath>

namespace {

uint32_t wholeCount(float count) {
    return static_cast<uint32_t>(std::min(count + 0.5f, static_cast<float>(UINT32_MAX)));
}

} // namespace

DensityScale::DensityScale(std::span<const float> counts, DensityScaleType type) : scaleType(type) {
    for (const float count : counts) {
        if (count > 0.0f) {
            most = std::max(most, count);
            least = least > 0.0f ? std::min(least, count) : count;
        }
    }
    if (type != DensityScaleType::EqHist || !(most > 0.0f)) {
        return;
    }
    const std::size_t size = std::min(wholeCount(most), rankedCounts - 1) + std::size_t{1};
    std::vector<uint64_t> pixels(size, 0);
    uint64_t covered = 0;
    for (const float count : counts) {
        if (count > 0.0f) {
            ++pixels[std::min<std::size_t>(wholeCount(count), size - 1)];
            ++covered;
        }
    }
    rankOf.resize(size);
    uint64_t below = 0;
    for (std::size_t c = 0; c < size; ++c) {
        rankOf[c] = static_cast<float>((static_cast<double>(below) + pixels[c] / 2.0) /
                                       static_cast<double>(covered));
        if (pixels[c] > 0) {
            present.push_back(static_cast<uint32_t>(c));
        }
        below += pixels[c];
    }
}

float DensityScale::position(float count) const {
    if (scaleType == DensityScaleType::EqHist) {
        return rankOf.empty() ? 0.0f
                              : rankOf[std::min<std::size_t>(wholeCount(count), rankOf.size() - 1)];
    }
    return most > 0.0f ? std::log(1.0f + count) / std::log(1.0f + most) : 0.0f;
}

uint32_t DensityScale::countAt(float place) const {
    if (!(most > 0.0f)) {
        return 0;
    }
    if (scaleType == DensityScaleType::EqHist) {
        // Ranks grow with the count.
        const auto found = std::find_if(present.begin(), present.end(),
                                        [&](uint32_t count) { return rankOf[count] >= place; });
        return found != present.end() ? *found : wholeCount(most);
    }
    // The inverse of the logarithm, then the whole count that reaches it.
    const float guess = std::exp(place * std::log(1.0f + most)) - 1.0f;
    auto count = static_cast<uint32_t>(std::max(std::floor(guess), least));
    while (count < wholeCount(most) && position(static_cast<float>(count)) < place) {
        ++count;
    }
    return count;
}

std::vector<DensityTick> densityTicks(const DensityScale& scale, int places) {
    std::vector<DensityTick> ticks;
    for (int k = 0; k < places && scale.largest() > 0.0f; ++k) {
        const float place =
            places > 1 ? static_cast<float>(k) / static_cast<float>(places - 1) : 1.0f;
        const uint32_t count = scale.countAt(place);
        if (ticks.empty() || count > ticks.back().count) {
            ticks.push_back({scale.position(static_cast<float>(count)), count});
        }
    }
    return ticks;
}
