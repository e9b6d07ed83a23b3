#pragma once

#include "layout/Point.h"

#include <cstdint>
#include <span>
#include <vector>

// How the picture moves from one state to the next (a node collapsed or
// expanded, another depth, another layout) instead of jumping: every node
// goes from where it was shown to where it will be, slow in and slow out.
inline constexpr double motionMilliseconds = 300.0;
// Each frame of a motion samples and mixes every curve again: more curves
// than this are not moved but faded from one picture to the next.
inline constexpr int32_t motionBundles = 5000;

// 0 at 0 and 1 at 1, with no speed at either end (smoothstep).
double easedShare(double t);

// The way of every node from one place to another. Around the centre, as
// radial places are, a node turns by the shorter angle and moves in or out,
// rather than crossing the middle.
class MotionPath {
public:
    MotionPath(std::vector<Point> from, std::vector<Point> to, bool aroundCentre);

    // The places at a share of the way, 0 to 1 (eased by the caller).
    std::vector<Point> at(double share) const;

private:
    std::vector<Point> from;
    std::vector<Point> to;
    bool aroundCentre;
};

// Each node's place where it is shown: its own, or that of the node
// standing for it (shownAs, see Cut; empty: every node its own).
std::vector<Point> shownPlaces(std::span<const Point> positions, std::span<const int32_t> shownAs);
