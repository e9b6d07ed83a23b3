#pragma once

#include "settings/Colour.h"

#include <span>

// How different two colours look to people: the CIEDE2000 difference of
// their sRGB values (alpha left out), 0 for equal colours; about 2 is the
// least told apart side by side.
double colourDifference(const Colour& a, const Colour& b);

// Two colours that mean different things in one picture differ by at least
// this much.
inline constexpr double distinctColours = 20.0;

// The least difference between the colour and any of those; infinite for
// none.
double nearestDifference(const Colour& colour, std::span<const Colour> others);
