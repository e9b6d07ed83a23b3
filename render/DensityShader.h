#pragma once

#include "base/Result.h"
#include "frame/DensityScale.h"
#include "frame/DrawDescription.h"
#include "render/GlslProgram.h"

#include <cstdint>

// Shows a float density target through a colour ramp: each texel's count v
// takes the ramp colour at its place on the scale (log(1 + v) / log(1 + the
// largest count), or its equalised rank), and texels no curve reached stay
// as they were.
class DensityShader {
public:
    // Compiles the program on first use; needs a GL 3.0 context.
    Status prepare();
    // Draws the frame's region, sampling the density texture bound to unit 1
    // and the ramp bound to unit 0.
    void draw(const DensityScale& scale, const FrameRegion& region);
    void release();

private:
    ShaderProgram shader;
    // The equalised scale's places, a row of rankWidth counts after another.
};
