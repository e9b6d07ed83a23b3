#pragma once

#include "render/RenderTargets.h"

#include <cstdint>
#include <vector>

// The off-screen frame read back into memory, rows from the top, four bytes
// (red, green, blue, alpha) per pixel.
struct FrameImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;

    const uint8_t* pixel(int x, int y) const {
        return rgba.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                              static_cast<std::size_t>(x)) *
                                 4;
    }
};

// Reads level 0 of the frame texture; needs the GL context that drew it.
FrameImage readFrame(const RenderTargets& targets);
// The same of another frame-sized texture of the targets.
FrameImage readFrameTexture(const RenderTargets& targets, uint32_t texture);
