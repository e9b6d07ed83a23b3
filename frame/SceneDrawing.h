#pragma once

#include "frame/DrawDescription.h"
#include "frame/SceneFindings.h"
#include "graph/CompoundGraph.h"
#include "layout/Point.h"
#include "layout/TreeLayoutData.h"
#include "layout/TreeMap.h"
#include "model/Highlight.h"
#include "model/Scene.h"
#include "settings/ViewSettings.h"
#include "settings/ViewState.h"

#include <functional>
#include <span>
#include <vector>

// The parts of a frame, from the scene's stage results and the settings.

// Rings of the hierarchy's levels outside the leaf circle, and at each
// node's ring a tick where its angular span starts.
// Rings closer than ringSpacing to the last one drawn are left out (the
// outermost is always drawn), so that a deep hierarchy costs no more rings
// than the frame can tell apart; the default is a pixel of the whole frame.
inline constexpr float wholeFramePixel = 2.0f * 1.01f / 2048.0f;
// With a cut (shownAs, see Cut; empty: every node shown), the hidden nodes'
// ticks, links and rectangles are left out, in every part of the tree.
LineSet describeRadialTree(const CompoundGraph& graph, const TreeLayoutData& data, float lineWidth,
                           float ringSpacing = wholeFramePixel,
                           std::span<const int32_t> shownAs = {});
// The tree drawn downwards from the root at y = 1 to the leaves at y = 0:
// the classic positions mirrored into the upper half.
LineSet describeClassicTree(const CompoundGraph& graph, const TreeLayoutData& data, float lineWidth,
                            std::span<const int32_t> shownAs = {});
// The outline of every treemap rectangle, parents before children.
LineSet describeTreeMap(const TreeMap& treeMap, float lineWidth);
// The tree of the layout type, for the scene's cut; empty for a type outside
// the five.
LineSet describeTree(TreeLayoutType layoutType, const Scene& scene, float lineWidth,
                     float ringSpacing = wholeFramePixel);
// Every shown node linked to its parent through the node positions,
// translucent.
LineSet describeOverlay(const CompoundGraph& graph, std::span<const Point> positions,
                        float lineWidth, std::span<const int32_t> shownAs = {});
CurveSet describeCurves(const Scene& scene, const ViewSettings& settings);
// Bundles of several relations stand out by their count c, against the
// largest count C: drawn wider, from the spline width at one relation to
// maxBundleWidthFactor times it at C, by sqrt((c - 1) / (C - 1)) (in steps
// of a quarter pixel, so that bundles of about one size share a width);
// their opacity rises by the same share towards 1; the density view counts
// each as c; and the biggest are drawn last. Curves of one relation each
// are left as they are.
inline constexpr float maxBundleWidthFactor = 4.0f;
inline constexpr float bundleWidthSteps = 4.0f;
void styleBundles(CurveSet& curves, std::span<const uint32_t> counts);
// The width styleBundles gives a bundle of `count` relations against the
// largest count.
float bundleWidth(float splineWidth, uint32_t count, uint32_t largest);
// The key's entry for bundles up to the largest count: a curve of one
// relation, the widest, and one between (those of another width only).
LegendWidths bundleLegend(float splineWidth, uint32_t largest);
// The curves the test picks drawn after the others, each part in the order
// it was drawn in before.
void drawLast(CurveSet& curves, const std::function<bool(std::size_t)>& picked);
// The curves with a node highlighted: its relations opaque, in the emphasis
// colours where recolour asks (else in their own), and drawn last, all
// others faded, alpha blending whatever the mode but density.
void emphasise(CurveSet& curves, const Highlight& highlight, bool recolour = true);
// Marks around nodes: rings of the given radius in pixels, or in a treemap
// the outlines of their rectangles.
LineSet describeMarks(const Scene& scene, const std::vector<int32_t>& nodes, Colour colour,
                      float lineWidth, float radius, const FrameRegion& region);

// The texts at the ramp's ends, and beside the highlight colours, in the key.
inline constexpr const char* rampStartText = "source";
inline constexpr const char* rampEndText = "target";
inline constexpr const char* leavingText = "outgoing relations";
inline constexpr const char* arrivingText = "incoming relations";

// The key's entries for the highlight's two colours.
std::vector<LegendEntry> highlightLegend();

// The whole frame. The scene must be up to date for the settings; the
// curves take the ramp's colours (empty: none loaded). Cycles shown and
// not among the findings are found for the frame.
DrawDescription describeScene(const Scene& scene, const ViewSettings& settings,
                              const ViewState& view = {}, SharedValues<Colour> ramp = {},
                              const SceneFindings& findings = {});
