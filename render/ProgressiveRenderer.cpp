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
constexpr double treeShare = 0.1;
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
    // The frame shown is not asked for again before this one is complete:
    // its points go back to the scene for the next mix.
    completed.reset();
    current = std::move(newFrame);
    started = Clock::now();
    uploaded = 0;
    tree.drawn = 0;
    curves.drawn = 0;
    overlay.drawn = 0;
    phase = Phase::Upload;
    if (!frame().showCurves || renderer.pointsUploaded(frame().curves) ||
        FrameRenderer::bufferCount(frame().curves) == 0) {
        phase = Phase::Tree;
    }
}

double ProgressiveRenderer::done() const {
    switch (phase) {
    case Phase::Idle:
        return 1.0;
    case Phase::Upload:
        return uploadShare * shareOf(uploaded, FrameRenderer::bufferCount(frame().curves));
    case Phase::Tree:
        return uploadShare + treeShare * shareOf(tree.drawn, frame().tree.itemCount());
    case Phase::Curves:
        return uploadShare + treeShare +
               curveShare *
                   shareOf(curves.drawn, static_cast<std::size_t>(frame().curves.curveCount()));
    case Phase::Overlay:
    case Phase::Finish:
        return uploadShare + treeShare + curveShare +
               (1.0 - uploadShare - treeShare - curveShare) *
                   shareOf(overlay.drawn, frame().overlay.itemCount());
    }
    return 1.0;
}

void ProgressiveRenderer::upload() {
    renderer.uploadBuffer(frame().curves, uploaded);
    glFinish();
    ++uploaded;
    if (uploaded == FrameRenderer::bufferCount(frame().curves)) {
        phase = Phase::Tree;
    }
}

bool ProgressiveRenderer::drawBatches(
    Batches& batches, std::size_t total, Clock::time_point deadline, Clock::duration budget,
    const std::function<void(std::size_t first, std::size_t count)>& draw) {
    while (batches.drawn < total && Clock::now() < deadline) {
        const std::size_t count = std::min(batches.perBatch, total - batches.drawn);
        const Clock::time_point begin = Clock::now();
        draw(batches.drawn, count);
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

bool ProgressiveRenderer::advance(Clock::duration budget) {
    const Clock::time_point deadline = Clock::now() + budget;
    while (phase != Phase::Idle && Clock::now() < deadline) {
        if (phase == Phase::Upload) {
            upload();
            continue;
        }
        renderer.enterFrame(targets.back(), frame().region);
        switch (phase) {
        case Phase::Idle:
        case Phase::Upload:
            break;
        case Phase::Tree:
            if (tree.drawn == 0) {
                renderer.clear(frame().background);
            }
            if (drawBatches(tree, frame().tree.itemCount(), deadline, budget,
                            [this](std::size_t first, std::size_t count) {
                                renderer.drawLineRange(frame().tree, first, count);
                            })) {
                for (const LineSet& bands : frame().groupBands) {
                    renderer.drawLines(bands);
                }
                if (frame().showCurves) {
                    renderer.loadCurves(frame().curves);
                    phase = Phase::Curves;
                } else {
                    phase = Phase::Overlay;
                }
            }
            break;
        case Phase::Curves: {
            const auto total = static_cast<std::size_t>(frame().curves.curveCount());
            if (drawBatches(curves, total, deadline, budget,
                            [this](std::size_t first, std::size_t count) {
                                renderer.drawCurveRange(frame().curves, static_cast<int32_t>(first),
                                                        static_cast<int32_t>(count));
                            })) {
                renderer.finishCurves(frame().curves);
                phase = Phase::Overlay;
            }
            break;
        }
        case Phase::Overlay:
            if (!frame().showOverlay ||
                drawBatches(overlay, frame().overlay.itemCount(), deadline, budget,
                            [this](std::size_t first, std::size_t count) {
                                renderer.drawLineRange(frame().overlay, first, count);
                            })) {
                for (const LineSet& marks : frame().marks) {
                    renderer.drawLines(marks);
                }
                phase = Phase::Finish;
            }
            break;
        case Phase::Finish:
            break;
        }
        renderer.leaveFrame();
        if (phase == Phase::Finish) {
            renderer.finishFrame(targets.back());
            std::swap(targets.frameTexture, targets.backTexture);
            completedRegion = frame().region;
            drawingTime = Clock::now() - started;
            completed = std::move(current);
            completedDensity = renderer.densityScale();
            ++framesCompleted;
            phase = Phase::Idle;
        }
    }
    return phase != Phase::Idle;
}
