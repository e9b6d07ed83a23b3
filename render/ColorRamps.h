#pragma once

#include "base/Result.h"
#include "frame/DrawDescription.h"
#include "frame/RampColours.h"
#include "settings/ViewSettings.h"

#include <cstdint>
#include <vector>

// True exactly for 1, 2, 4, 8 and every further power of two; false for 0,
// negative numbers and every other value.
bool isPowerOfTwo(int n);

// Reads data/textures/pal_0.png and the ramps after it into their colours,
// without GL. Every good ramp is read; the first image that is missing,
// broken or unfit is the Error: "Image not found (data/textures/pal_0.png)!"
// for a missing one, otherwise its path and what is wrong with it, such as
// "data/textures/pal_0.png: Broken image: damaged (bad CRC in chunk IDAT)".
Status readColorRamps(RampColours& ramps);

// The same, and one 1D texture of each ramp read; a ramp wider than this
// OpenGL's largest texture is refused like an unfit image. With ramps
// given, they get the colours of the ramps that have a texture.
Status loadColorRamps(uint32_t (&textures)[colorRampCount], RampColours* ramps = nullptr);
