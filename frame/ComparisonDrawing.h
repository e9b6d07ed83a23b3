#pragma once

#include "frame/DrawDescription.h"
#include "frame/Palette.h"
#include "graph/GraphComparison.h"
#include "model/Scene.h"

#include <span>
#include <vector>

// How a frame shows the comparison of two versions.

// What is left of a kept relation's opacity beside the changes.
inline constexpr float keptOpacity = 0.12f;
// The rings around nodes only one version has, in frame pixels.
inline constexpr float versionMarkRadius = 10.0f;

// The curves with a kind each: added and removed ones opaque in their
// colours and drawn last, the added over the removed; kept ones as the blend
// mode draws them, dimmed to keptOpacity of that, alpha blending whatever
// the mode but density (which counts every curve drawn and shows no
// colours). The kinds are named "kept", "removed" and "added" for
// exporters. Without kinds nothing changes.
void styleComparison(CurveSet& curves, std::span<const RelationKind> kinds);

// The key's entries: the added and removed colours with their counts, then
// the kept relations' count, dimmed or hidden.
std::vector<LegendEntry> comparisonLegend(const ComparisonSummary& summary, bool keptShown);

// Marks around the shown nodes only one version has: rings (in a treemap
// their rectangles' outlines) in the added colour for the newer version's,
// in the removed colour for the older's. None without a comparison.
std::vector<LineSet> describeVersionMarks(const Scene& scene, float lineWidth,
                                          const FrameRegion& region);
