#include "render/ProgressiveRenderer.h"

#include <GL/glew.h>

#include <algorithm>
#include <utility>

namespace {

// A batch is made to fill this share of what is left of the budget, so that
// a misjudged batch does not run far past it.
constexpr double batchShare = 0.5;
// Roughly what each part of a frame costs, for the progress shown.
constexpr double uploadShare = 0.15;
constexpr double curveShare = 0.65;

double secondsOf(ProgressiveRenderer::Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

double shareOf(std::size_t drawn, std::size_t total) {
    return total == 0 ? 0.0 : static_cast<double>(drawn) / static_cast<double>(total);
}

} // namespace

void ProgressiveRenderer::prepare() {
    for (const uint32_t texture : {targets.frameTexture, targets.back()}) {
        renderer.finishFrame(texture);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

void ProgressiveRenderer::start(std::shared_ptr<const DrawDescription> newFrame) {
    const std::shared_ptr<const DrawDescription>& under = newFrame->under;
    if (under && under != keptFor && under == completed && phase == Phase::Idle) {
        keep(targets.frameTexture, completed);
    }
    // A frame of another picture lets the kept one go.
    if (!under && newFrame != keptFor) {
        keptFor.reset();
    } else if (under && under != keptFor) {
        keptFor.reset();
    }
    // The frame shown is not asked for again before this one is complete:
    // its points go back to the scene for the next mix.
    completed.reset();
    waiting.reset();
    started = Clock::now();
    if (under && !keptFor) {
        // The picture under it first, kept once drawn.
        waiting = std::move(newFrame);
        begin(waiting->under);
        return;
    }
    begin(std::move(newFrame));
}

void ProgressiveRenderer::begin(std::shared_ptr<const DrawDescription> newFrame) {
    current = std::move(newFrame);
    uploaded = 0;
    // The kept picture itself needs none of its layers drawn again.
    layers = current == keptFor ? std::vector<DrawLayer>() : drawLayers(frame());
    layer = 0;
    batches = {};
    pictureStarted = false;
    phase = Phase::Upload;
    if (layers.empty() || !frame().showCurves || renderer.pointsUploaded(frame().curves) ||
        FrameRenderer::bufferCount(frame().curves) == 0) {
        phase = Phase::Layers;
    }
}

void ProgressiveRenderer::keep(uint32_t texture, std::shared_ptr<const DrawDescription> picture) {
    renderer.enterFrame(targets.kept(), picture->region);
    renderer.copyPicture(texture);
    renderer.leaveFrame();
    keptFor = std::move(picture);
}

void ProgressiveRenderer::startPicture() {
    if (current == keptFor) {
        renderer.copyPicture(targets.kept());
    } else if (frame().under) {
        renderer.copyPicture(targets.kept());
        renderer.dim(frame().background, frame().underKept);
    } else {
        renderer.clear(frame().background);
    }
}

double ProgressiveRenderer::layersDone() const {
    // The curves take their share, the layers of lines the rest evenly.
    const std::size_t lineLayers = layers.size() - (frame().showCurves ? 1 : 0);
    const double perLines = lineLayers == 0 ? 0.0 : (1.0 - uploadShare - curveShare) / lineLayers;
    double done = 0.0;
    for (std::size_t k = 0; k < layers.size() && k <= layer; ++k) {
        const double weight =
            std::holds_alternative<const CurveSet*>(layers[k]) ? curveShare : perLines;
        done += weight * (k < layer ? 1.0 : shareOf(batches.drawn, itemCount(layers[k])));
    }
    return done;
}

double ProgressiveRenderer::done() const {
    switch (phase) {
    case Phase::Idle:
        return 1.0;
    case Phase::Upload:
        return uploadShare * shareOf(uploaded, FrameRenderer::bufferCount(frame().curves));
    case Phase::Layers:
        return uploadShare + layersDone();
    }
    return 1.0;
}

void ProgressiveRenderer::upload() {
    renderer.uploadBuffer(frame().curves, uploaded);
    glFinish();
    ++uploaded;
    if (uploaded == FrameRenderer::bufferCount(frame().curves)) {
        phase = Phase::Layers;
    }
}

bool ProgressiveRenderer::drawBatches(const DrawLayer& drawn, Clock::time_point deadline,
                                      Clock::duration budget) {
    const std::size_t total = itemCount(drawn);
    if (total == 0) {
        // Nothing to draw still begins and finishes a set of curves.
        drawLayerRange(renderer, drawn, 0, 0);
        return true;
    }
    while (batches.drawn < total && Clock::now() < deadline) {
        const std::size_t count = std::min(batches.perBatch, total - batches.drawn);
        const Clock::time_point begin = Clock::now();
        drawLayerRange(renderer, drawn, batches.drawn, count);
        // Rasterising runs behind the calls; the batch is timed to its end.
        glFinish();
        batches.drawn += count;
        // The next batch fills part of what is left of this budget, or of
        // the next one when this one is spent.
        const double seconds = std::max(1e-6, secondsOf(Clock::now() - begin));
        const double left = secondsOf(deadline - Clock::now());
        const double aim = (left > 0.0 ? left : secondsOf(budget)) * batchShare;
        batches.perBatch = std::clamp<std::size_t>(
            static_cast<std::size_t>(aim * static_cast<double>(count) / seconds), 1,
            std::size_t{1} << 20);
    }
    return batches.drawn == total;
}

void ProgressiveRenderer::complete() {
    renderer.finishFrame(targets.back());
    if (waiting && current == waiting->under) {
        // The picture under the frame waiting is drawn: kept, it starts
        // that frame.
        keep(targets.back(), current);
        begin(std::move(waiting));
        return;
    }
    std::swap(targets.frameTexture, targets.backTexture);
    completedRegion = frame().region;
    drawingTime = Clock::now() - started;
    completed = std::move(current);
    completedDensity = renderer.densityScale();
    ++framesCompleted;
    phase = Phase::Idle;
}

bool ProgressiveRenderer::advance(Clock::duration budget) {
    const Clock::time_point deadline = Clock::now() + budget;
    while (phase != Phase::Idle && Clock::now() < deadline) {
        if (phase == Phase::Upload) {
            upload();
            continue;
        }
        renderer.enterFrame(targets.back(), frame().region);
        if (!pictureStarted) {
            startPicture();
            pictureStarted = true;
        }
        // Each layer learns its own batch size: a curve costs far more than
        // a line.
        while (layer < layers.size() && drawBatches(layers[layer], deadline, budget)) {
            ++layer;
            batches = {};
        }
        renderer.leaveFrame();
        if (layer == layers.size()) {
            complete();
        }
    }
    return phase != Phase::Idle;
}
