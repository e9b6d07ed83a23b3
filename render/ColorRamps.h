#pragma once

#include "base/Result.h"
#include "scene/DrawDescription.h"
#include "scene/ViewSettings.h"

#include <cstdint>
#include <vector>

// True exactly for 1, 2, 4, 8 and every further power of two; false for 0,
// negative numbers and every other value.
bool isPowerOfTwo(int n);

// Reads data/textures/pal_0.png and the ramps after it into one 1D texture
// each. Every good ramp is loaded; the first image that is missing, broken
// or unfit is the Error: "Image not found (data/textures/pal_0.png)!" for a
// missing one, otherwise its path and what is wrong with it, such as
// "data/textures/pal_0.png: Broken image: damaged (bad CRC in chunk IDAT)".
Status loadColorRamps(uint32_t (&textures)[colorRampCount]);

// The texels of ramp 1 to colorRampCount as loadColorRamps made it, from the
// source end; empty for a ramp that is not there or a number out of range.
std::vector<Colour> rampColours(const uint32_t (&textures)[colorRampCount], int32_t ramp);
