#pragma once

#include "render/FrameRenderer.h"
#include "render/RenderTargets.h"
#include "scene/DrawDescription.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>

// Draws a frame a part at a time, each part within a time budget, into the
// back texture, while the window goes on showing the last complete frame;
// when the new frame is complete, the two textures change places. The
// finished frame is the one FrameRenderer::drawFrame makes in one go: the
// same drawing in the same order, only spread over several calls.
class ProgressiveRenderer {
public:
    using Clock = std::chrono::steady_clock;

    ProgressiveRenderer(RenderTargets& targets, FrameRenderer& renderer)
        : targets(targets), renderer(renderer) {}

    // Starts on this frame, dropping one in progress. pointsRead runs once
    // the curve points are in GL, after which the frame's span of them is
    // not read again.
    void start(DrawDescription frame, std::function<void()> pointsRead);
    // Draws on for about the budget; true while the frame is not complete.
    bool advance(Clock::duration budget);

    bool drawing() const { return phase != Phase::Idle; }
    // The share of the frame in progress drawn so far.
    double done() const;
    // Whether a complete frame is there to show.
    bool hasFrame() const { return framesCompleted > 0; }
    int64_t framesCompleted = 0;

private:
    enum class Phase { Idle, Upload, Tree, Curves, Overlay };

    void releasePoints();
    // Draws curves into the frame being made until the deadline.
    void stepCurves(Clock::time_point deadline, Clock::duration budget);

    RenderTargets& targets;
    FrameRenderer& renderer;
    DrawDescription frame;
    std::function<void()> pointsRead;
    Phase phase = Phase::Idle;
    std::size_t uploaded = 0;
    std::size_t uploadChunk = std::size_t{8} << 20;
    int32_t curvesDrawn = 0;
    int32_t curvesPerBatch = 512;
};
