#pragma once

#include "frame/DrawDescription.h"
#include "frame/Labels.h"
#include "io/FileText.h"

#include <string>

// A frame as an SVG document of vectors: what a DrawDescription holds, its
// labels included, in a square of `pixels` user units that maps the frame's
// region as the GL frame of that size does, so that widths in pixels carry
// over. Curves take their colours from the description's ramp (white
// without one) or their fixed colour, and their widths from the
// description: a curve of its own width is a group with its own
// stroke-width.
//
// Where SVG differs from the GL frame:
//  - A curve's colour changes along it in curveColourSteps pieces of one
//    colour each; piece k of n takes the ramp's colour at k / (n - 1), so
//    the ends have the ramp's end colours.
//  - Blend "Alpha" gives each curve its opacity as a group, "None" draws
//    every curve opaque, "Max" uses mix-blend-mode "lighten" (the channel
//    maximum, as GL's max blending). A fixed colour's alpha multiplies the
//    curve's opacity. "Density" counts curves per pixel, which SVG cannot:
//    its curves are written as with "Alpha", and curves' weights (how many
//    relations each stands for, which only that count uses) do not show.
//  - Curves of kinds (see CurveSet::kindNames) are grouped by kind, each
//    group's id the kind's name, in the order of the names: a curve is
//    drawn over those of its kind before it and of the kinds before.
//  - Labels are text in DejaVu Sans (or the viewer's sans-serif fallback),
//    placed as the frame places them.
//  - The key to the colours, where the frame shows one and a measure of its
//    text is given, is vector shapes and text in the bottom right corner,
//    laid out as the GL frame lays it out; its ramps are linear gradients.
//    It leaves out the density scale, which the curves here do not show.
inline constexpr int curveColourSteps = 7;

std::string svgPicture(const DrawDescription& frame, int pixels = DrawDescription::framePixels,
                       const TextMeasure* legendMeasure = nullptr);
// The same document written to the file at path as it is made, never whole
// in memory; a failed write leaves the file as it was (see writeFileText).
Status writeSvgPicture(const std::string& path, const DrawDescription& frame,
                       int pixels = DrawDescription::framePixels,
                       const TextMeasure* legendMeasure = nullptr);

// "#rrggbb" of a colour's channels, each clamped to 0..1 and rounded.
std::string hexColour(const Colour& colour);
