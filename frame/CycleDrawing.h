#pragma once

#include "analysis/CycleGroups.h"
#include "bundling/Bundles.h"
#include "frame/DrawDescription.h"

#include <span>
#include <vector>

// The cycle groups of a cut in its picture: the bundles inside a group
// opaque in the group's colour (the colours taken in turn), the bundles to
// cut opaque in cutColour and drawn over everything, every other curve
// faded; alpha blending, as a highlight does.
void markCycles(CurveSet& curves, const Bundles& bundles, const CycleGroups& cycles,
                std::span<const Colour> colours, const Colour& cutColour);

// The key's entries: the groups in the first group's colour with their
// nodes and relations, and the relations to cut.
std::vector<LegendEntry> cycleLegend(const CycleGroups& cycles, std::span<const Colour> colours,
                                     const Colour& cutColour);
