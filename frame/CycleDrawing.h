#pragma once

#include "analysis/CycleGroups.h"
#include "bundling/Bundles.h"
#include "frame/DrawDescription.h"
#include "model/Scene.h"

#include <span>
#include <vector>

// The cycle groups of a cut in its picture: the bundles inside a group
// opaque in the group's colour (the colours taken in turn), the bundles to
// cut opaque and dashed in cutColour and drawn over everything, every other
// curve faded; alpha blending, as a highlight does. Says, per curve,
// whether it lies inside a group (none without colours).
std::vector<char> markCycles(CurveSet& curves, const Bundles& bundles, const CycleGroups& cycles,
                             std::span<const Colour> colours, const Colour& cutColour);

// The key's entries: the groups in the first group's colour with their
// nodes and relations, and the relations to cut.
std::vector<LegendEntry> cycleLegend(const CycleGroups& cycles, std::span<const Colour> colours,
                                     const Colour& cutColour);

// Every group's nodes outlined in the group's colour: rings of the radius
// in pixels, or in a treemap their rectangles (see describeMarks).
std::vector<LineSet> cycleMarks(const Scene& scene, const CycleGroups& cycles,
                                std::span<const Colour> colours, float lineWidth, float radius,
                                const FrameRegion& region);
