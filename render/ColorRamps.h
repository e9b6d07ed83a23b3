#pragma once

#include "base/Result.h"
#include "frame/RampColours.h"
#include "media/RampImages.h"
#include "settings/ViewSettings.h"

#include <cstdint>

// The colour ramps read (see readColorRamps), and one 1D texture of each; a
// ramp wider than this OpenGL's largest texture is refused like an unfit
// image. With ramps given, they get the colours of the ramps that have a
// texture.
Status loadColorRamps(uint32_t (&textures)[colorRampCount], RampColours* ramps = nullptr);
