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
// each. The first image that is missing, broken or unfit stops the reading;
// its Error's reason is the message to show, such as "Image not found
// (data/textures/pal_0.png)!".
Status loadColorRamps(uint32_t (&textures)[colorRampCount]);

// The texels of a ramp texture made by loadColorRamps, from the source end;
// empty for texture 0.
std::vector<Colour> rampColours(uint32_t texture);
