#include "frame/BothWays.h"
#include "frame/ColourDifference.h"
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

} // namespace

BothWays findBothWays(const Bundles& bundles) {
    // The relations each way between two shown nodes, whatever their kinds.
    std::vector<std::pair<uint64_t, uint64_t>> carried;
    carried.reserve(bundles.source.size());
    for (std::size_t e = 0; e < bundles.source.size(); ++e) {
        carried.emplace_back(keyOf(bundles.source[e], bundles.target[e]), bundles.count[e]);
    }
    std::sort(carried.begin(), carried.end());
    std::vector<std::pair<uint64_t, uint64_t>> ways;
    for (const auto& [key, relations] : carried) {
        if (!ways.empty() && ways.back().first == key) {
            ways.back().second += relations;
        } else {
            ways.emplace_back(key, relations);
        }
    }
    const auto relationsOf = [&ways](uint64_t key) -> uint64_t {
        const auto at =
            std::lower_bound(ways.begin(), ways.end(), std::pair<uint64_t, uint64_t>{key, 0});
        return at != ways.end() && at->first == key ? at->second : 0;
    };
    const auto bothWays = [&](uint64_t key) {
        const uint64_t forth = relationsOf(key);
        const uint64_t back = relationsOf(reversed(key));
        return back > 0 && 100 * std::min(forth, back) >= bothWayPercent * std::max(forth, back);
    };
    BothWays found;
    found.marked.reserve(bundles.source.size());
    for (std::size_t e = 0; e < bundles.source.size(); ++e) {
        found.marked.push_back(bothWays(keyOf(bundles.source[e], bundles.target[e])) ? 1 : 0);
        found.weighed = found.weighed || bundles.count[e] > 1;
    }
    for (const auto& [key, relations] : ways) {
        found.pairs += (key >> 32) < (key & 0xFFFFFFFFu) && bothWays(key) ? 1 : 0;
    }
    return found;
}

Colour bothWayColour(std::span<const Colour> inUse) {
    const std::span<const Colour> candidates = bothWayCandidates;
    Colour best = candidates[0];
    double farthest = -1.0;
    for (const Colour& candidate : candidates) {
        const double nearest = nearestDifference(candidate, inUse);
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
    const std::string share =
        bothWays.weighed ? ", weaker \u2265 " + std::to_string(bothWayPercent) + " %" : "";
    return LegendSwatch{colour, "both ways" + share + ": " + std::to_string(bothWays.pairs) +
                                    (bothWays.pairs == 1 ? " pair" : " pairs")};
}
