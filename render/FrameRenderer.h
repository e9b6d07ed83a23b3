#pragma once

#include "render/CurveShader.h"
#include "render/RenderTargets.h"
#include "scene/DrawDescription.h"

#include <cstdint>
#include <optional>

// Draws a DrawDescription with fixed-function GL into the 2048 by 2048
// off-screen frame, and shows that frame in the window as one textured
// square. Reads nothing but the description; needs the context that made
// the targets.
class FrameRenderer {
public:
    explicit FrameRenderer(RenderTargets& targets) : targets(targets) {}

    // The whole frame: background, tree, curves, overlay, then the frame
    // texture's mipmaps. Afterwards the window's framebuffer, viewport and
    // projection are back, the matrix mode is the projection and the frame
    // texture is bound and enabled.
    void drawFrame(const DrawDescription& frame);
    // The state drawFrame leaves, for showing a frame drawn before.
    void reuseFrame();
    // The frame as the square from (-1, -1) to (1, 1) of the current projection.
    void showFrame();

    // The parts of drawFrame, drawn into whatever target is bound.
    void drawLines(const LineSet& lines);
    void drawCurves(const CurveSet& curves);

    // Compiles the curve shader; needs a GL 3.0 context.
    Status prepare();
    // Deletes the renderer's own GL objects.
    void release();

private:
    void uploadCurves(const CurveSet& curves);

    RenderTargets& targets;
    CurveShader curveShader;
    std::optional<uint64_t> uploadedRevision;
};
