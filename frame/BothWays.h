#pragma once

#include "bundling/Bundles.h"
#include "frame/DrawDescription.h"

#include <cstdint>
#include <span>
#include <vector>

// Relations that run both ways: a curve, a bundle between two shown nodes,
// whose reverse (from its target's node to its source's) is a curve too,
// carrying at least a tenth of the relations of the stronger direction
// (bundles of a comparison's kinds counted together), so that a cut does
// not call nearly every pair of groups both-way for a stray relation back.
struct BothWays {
    // Per bundle, 1 where it and its reverse run both ways.
    std::vector<uint8_t> marked;
    // The pairs of such bundles, each pair once.
    int64_t pairs = 0;
    // Whether some bundle holds more than one relation, so that the weaker
    // direction's share counted.
    bool weighed = false;
};

// The weaker direction's least share of the stronger's, in percent.
inline constexpr uint64_t bothWayPercent = 10;

BothWays findBothWays(const Bundles& bundles);

// The colour both-way curves are drawn in: of white, green, cyan, magenta
// and yellow, the first of those farthest (by the least colour difference,
// see ColourDifference) from every colour in use.
Colour bothWayColour(std::span<const Colour> inUse);

// The both-way curves opaque in the colour and drawn over the others.
void markBothWays(CurveSet& curves, const BothWays& bothWays, const Colour& colour);

// The key's entry: the colour, how many pairs, and the share asked of the
// weaker direction where it counted.
LegendEntry bothWayLegend(const BothWays& bothWays, const Colour& colour);
