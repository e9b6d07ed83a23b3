#pragma once

#include "settings/FrameRegion.h"

// A quad over the whole region, in scene units, the texture's corners on
// its corners: what copies a frame-sized texture, or a shader's result,
// onto the frame that shows the region.
void drawRegionQuad(const FrameRegion& region);
