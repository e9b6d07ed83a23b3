#pragma once

#include "frame/DrawDescription.h"
#include "render/FrameRenderer.h"
#include "render/RenderTargets.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Draws a frame a part at a time, each part within a time budget, into the
// back texture, while the window goes on showing the last complete frame;
// when the new frame is complete, the two textures change places. The
// finished frame is the one FrameRenderer::drawFrame makes in one go: the
// same layers in the same order (see DrawList), only spread over several
// calls. The picture under a frame that has one is kept as an image: the
// frames drawn over it (highlights of a big picture) copy it instead of
// drawing it again, and so does the picture itself when it comes back.
class ProgressiveRenderer {
public:
    using Clock = std::chrono::steady_clock;

    ProgressiveRenderer(RenderTargets& targets, FrameRenderer& renderer)
        : targets(targets), renderer(renderer) {}

    // Makes the back texture and both frames' mipmap levels now: made on
    // first use, they cost the first complete frame of a big graph a tenth
    // of a second (fresh memory and the driver's first mipmap pass).
    void prepare();
    // Starts on this frame, dropping one in progress.
    void start(std::shared_ptr<const DrawDescription> frame);
    // Draws on for about the budget; true while the frame is not complete.
    bool advance(Clock::duration budget);

    bool drawing() const { return phase != Phase::Idle; }
    // The share of the frame in progress drawn so far.
    double done() const;
    // Whether a complete frame is there to show.
    bool hasFrame() const { return framesCompleted > 0; }
    // What the complete frame shows, while no other is being drawn; null
    // before there is one.
    const std::shared_ptr<const DrawDescription>& completedFrame() const { return completed; }
    // The part of the scene the complete frame shows.
    const FrameRegion& frameRegion() const { return completedRegion; }
    // Where the complete frame's density counts fell on its ramp (a frame
    // of another view: those of the density frame drawn before it).
    const std::shared_ptr<const DensityScale>& frameDensity() const { return completedDensity; }
    // How long the frame completed last took from its start to its end.
    Clock::duration lastDrawing() const { return drawingTime; }
    int64_t framesCompleted = 0;

private:
    enum class Phase { Idle, Upload, Layers };

    // How many items of a part are drawn, and how many a batch takes.
    struct Batches {
        std::size_t drawn = 0;
        std::size_t perBatch = 256;
    };

    // One vertex buffer of the curves into GL.
    void upload();
    // Draws batches of the layer's items into the frame being made until
    // they are all drawn or the deadline passes; true when all are.
    bool drawBatches(const DrawLayer& layer, Clock::time_point deadline, Clock::duration budget);
    // The layers drawn so far, of the curves and of the lines, as a share of
    // the frame after its upload.
    double layersDone() const;
    void complete();
    // Begins drawing the frame, from its first layer or from the kept
    // picture.
    void begin(std::shared_ptr<const DrawDescription> frame);
    // The first thing drawn of the frame: the background, or the kept
    // picture (dimmed, under a frame over it).
    void startPicture();
    void keep(uint32_t texture, std::shared_ptr<const DrawDescription> picture);

    RenderTargets& targets;
    FrameRenderer& renderer;
    const DrawDescription& frame() const { return *current; }

    // The frame being drawn, and the one drawn last.
    std::shared_ptr<const DrawDescription> current;
    std::shared_ptr<const DrawDescription> completed;
    // The frame whose picture the kept texture holds, and one waiting for
    // the picture under it, which is being drawn.
    std::shared_ptr<const DrawDescription> keptFor;
    std::shared_ptr<const DrawDescription> waiting;
    FrameRegion completedRegion;
    std::shared_ptr<const DensityScale> completedDensity = std::make_shared<const DensityScale>();
    Clock::time_point started;
    Clock::duration drawingTime{};
    Phase phase = Phase::Idle;
    // Vertex buffers of the frame's curves put into GL so far.
    std::size_t uploaded = 0;
    // The frame's layers, the one being drawn, and its items drawn.
    std::vector<DrawLayer> layers;
    std::size_t layer = 0;
    Batches batches;
    // Whether the background or the kept picture is down.
    bool pictureStarted = false;
};
