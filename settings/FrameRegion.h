#pragma once

#include "layout/Rect.h"

// The square of the scene a frame shows. By default the scene's square from
// -1 to 1 and a thin border; a zoomed view shows a part of it.
struct FrameRegion {
    float centreX = 0.0f;
    float centreY = 0.0f;
    float halfExtent = 1.01f;

    bool operator==(const FrameRegion&) const = default;
    // The square, in scene units.
    Rect bounds() const {
        return {centreX - halfExtent, centreY - halfExtent, centreX + halfExtent,
                centreY + halfExtent};
    }
    // Pixels per scene unit in a frame of this many pixels across.
    double pixelsPerUnit(int framePixels) const { return framePixels / (2.0 * halfExtent); }
};
