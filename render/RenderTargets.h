#pragma once

#include "frame/DrawDescription.h"
#include "settings/ViewSettings.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The GL objects frame drawing needs besides the window: the buffers of
// curve vertices, the off-screen frame with its texture (and a second
// texture, for drawing the next frame while this one is shown), and one 1D
// texture per colour ramp. Names stay 0 until create() runs with
// a current context.
struct RenderTargets {
    // The off-screen frame's width and height, whatever the window's size.
    static constexpr int32_t frameSize = DrawDescription::framePixels;

    // Curve vertices are stored in buffers of this many curves each, so that
    // no single store is so large that making it stalls a frame.
    static constexpr int32_t curvesPerBuffer = 16384;

    // Generates the names and defines the frame texture, of size by size
    // pixels; the ramp textures are filled by loadColorRamps.
    void create(int32_t size = frameSize);
    // The vertex buffer of the curves from `curvesPerBuffer * index` on.
    uint32_t curveBuffer(std::size_t index);
    // The back and the density texture, made on first use: a program that
    // draws one frame in one go needs neither.
    uint32_t back();
    uint32_t density();
    // A third frame texture, for a picture kept while others are drawn over
    // it; made on first use.
    uint32_t kept();
    // Deletes every object made and sets its name back to 0; needs the
    // context that made them.
    void release();

    std::vector<uint32_t> curveBuffers;
    uint32_t frameBuffer = 0;
    uint32_t frameTexture = 0;
    uint32_t backTexture = 0;
    uint32_t keptTexture = 0;
    // One float per texel: how many curves cover it, for the density view.
    uint32_t densityTexture = 0;
    int32_t frameWidth = 0;
    int32_t frameHeight = 0;
    uint32_t colorRampTextures[colorRampCount] = {};
};

// The largest frame side the current GL context can draw into: its largest
// texture and viewport. Needs a current context.
int32_t largestFrameSize();
