#pragma once

#include "base/Result.h"
#include "frame/RampColours.h"
#include "settings/Colour.h"

#include <functional>
#include <optional>
#include <string>

// True exactly for 1, 2, 4, 8 and every further power of two; false for 0,
// negative numbers and every other value.
bool isPowerOfTwo(int n);

// Where ramp `index`'s image is found (data/textures/pal_<index>.png).
std::string rampImagePath(int index);

// What more a caller makes of each ramp read (a texture, say): nothing, or
// why the ramp is refused.
using RampUse = std::function<std::optional<Error>(int index, const SharedValues<Colour>& ramp)>;

// Reads data/textures/pal_0.png and the ramps after it into their colours,
// without GL, each then handed to `use` where one is given. Every good ramp
// is read; the first image that is missing, broken or unfit (or that `use`
// refuses) is the Error: "Image not found (data/textures/pal_0.png)!" for a
// missing one, otherwise its path and what is wrong with it, such as
// "data/textures/pal_0.png: Broken image: damaged (bad CRC in chunk IDAT)".
// A refused ramp is left empty.
Status readColorRamps(RampColours& ramps, const RampUse& use = {});
