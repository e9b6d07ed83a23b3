#include "frame/BothWays.h"
#include "frame/Palette.h"

#include "frame/SceneDrawing.h"
#include "graph/RelationPairSet.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

uint64_t keyOf(int32_t source, int32_t target) {
    return packedPair(static_cast<uint32_t>(source), static_cast<uint32_t>(target));
}

uint64_t reversed(uint64_t key) {
    return key << 32 | key >> 32;
}

float distance(const Colour& a, const Colour& b) {
    return std::hypot(a.r - b.r, a.g - b.g, a.b - b.b);
}

} // namespace

BothWays findBothWays(const Bundles& bundles) {
    std::vector<uint64_t> keys;
    keys.reserve(bundles.source.size());
    for (std::size_t e = 0; e < bundles.source.size(); ++e) {
        keys.push_back(keyOf(bundles.source[e], bundles.target[e]));
    }
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    const auto exists = [&keys](uint64_t key) {
        return std::binary_search(keys.begin(), keys.end(), key);
    };
    BothWays found;
    found.marked.reserve(bundles.source.size());
    for (std::size_t e = 0; e < bundles.source.size(); ++e) {
        found.marked.push_back(exists(reversed(keyOf(bundles.source[e], bundles.target[e]))) ? 1
                                                                                             : 0);
    }
    for (const uint64_t key : keys) {
        found.pairs += (key >> 32) < (key & 0xFFFFFFFFu) && exists(reversed(key)) ? 1 : 0;
    }
    return found;
}

Colour bothWayColour(std::span<const Colour> inUse) {
    const std::span<const Colour> candidates = bothWayCandidates;
    Colour best = candidates[0];
    float farthest = -1.0f;
    for (const Colour& candidate : candidates) {
        float nearest = 2.0f;
        for (const Colour& used : inUse) {
            nearest = std::min(nearest, distance(candidate, used));
        }
        if (nearest > farthest) {
            farthest = nearest;
            best = candidate;
        }
    }
    return best;
}

void markBothWays(CurveSet& curves, const BothWays& bothWays, const Colour& colour) {
    const uint8_t index = curves.addFixedColour(colour);
    curves.colourIndex.resize(bothWays.marked.size(), 0);
    for (std::size_t e = 0; e < bothWays.marked.size(); ++e) {
        if (bothWays.marked[e] != 0) {
            curves.colourIndex[e] = index;
            curves.opacity[e] = 1.0f;
        }
    }
    drawLast(curves, [&bothWays](std::size_t e) { return bothWays.marked[e] != 0; });
}

LegendEntry bothWayLegend(const BothWays& bothWays, const Colour& colour) {
    return LegendSwatch{colour, "both ways: " + std::to_string(bothWays.pairs) +
                                    (bothWays.pairs == 1 ? " pair" : " pairs")};
}
