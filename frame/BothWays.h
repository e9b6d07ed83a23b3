#pragma once

#include "bundling/Bundles.h"
#include "frame/DrawDescription.h"

#include <cstdint>
#include <span>
#include <vector>

// Relations that run both ways: a curve, a bundle between two shown nodes,
// whose reverse (from its target's node to its source's) is a curve too.
struct BothWays {
    // Per bundle, 1 where its reverse exists.
    std::vector<uint8_t> marked;
    // The pairs of such bundles, each pair once.
    int64_t pairs = 0;
};

BothWays findBothWays(const Bundles& bundles);

// The colour both-way curves are drawn in: of white, green, cyan, magenta
// and yellow, the first of those farthest (by the least distance in RGB)
// from every colour in use.
Colour bothWayColour(std::span<const Colour> inUse);

// The both-way curves opaque in the colour and drawn over the others.
void markBothWays(CurveSet& curves, const BothWays& bothWays, const Colour& colour);

// The key's entry: the colour, and how many pairs.
LegendEntry bothWayLegend(const BothWays& bothWays, const Colour& colour);
