#include "render/ProgressiveRenderer.h"

#include <GL/glew.h>

#include <algorithm>
#include <utility>

namespace {

// A batch is made to fill this share of what is left of the budget, so that
// a misjudged batch does not run far past it.
constexpr double batchShare = 0.5;
// Roughly what each part of a frame costs, for the progress shown.
constexpr double uploadShare = 0.2;
constexpr double curveShare = 0.75;

double secondsOf(ProgressiveRenderer::Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

} // namespace

void ProgressiveRenderer::start(DrawDescription newFrame, std::function<void()> newPointsRead) {
    releasePoints();
    frame = std::move(newFrame);
    pointsRead = std::move(newPointsRead);
    uploaded = 0;
    curvesDrawn = 0;
    phase =
        frame.showCurves && !renderer.pointsUploaded(frame.curves) ? Phase::Upload : Phase::Tree;
    if (phase == Phase::Tree) {
        releasePoints();
    }
}

void ProgressiveRenderer::releasePoints() {
    if (pointsRead) {
        std::function<void()> done = std::move(pointsRead);
        pointsRead = nullptr;
        done();
    }
}

double ProgressiveRenderer::done() const {
    switch (phase) {
    case Phase::Idle:
        return 1.0;
    case Phase::Upload:
        return frame.curves.points.empty()
                   ? 0.0
                   : uploadShare * static_cast<double>(uploaded) /
                         static_cast<double>(frame.curves.points.size_bytes());
    case Phase::Tree:
        return uploadShare;
    case Phase::Curves:
        return uploadShare + curveShare * curvesDrawn / std::max(1, frame.curves.curveCount());
    case Phase::Overlay:
        return uploadShare + curveShare;
    }
    return 1.0;
}

bool ProgressiveRenderer::advance(Clock::duration budget) {
    const Clock::time_point deadline = Clock::now() + budget;
    while (phase != Phase::Idle && Clock::now() < deadline) {
        switch (phase) {
        case Phase::Idle:
            break;
        case Phase::Upload: {
            const std::size_t total = frame.curves.points.size_bytes();
            const std::size_t bytes = std::min(uploadChunk, total - uploaded);
            const Clock::time_point begin = Clock::now();
            renderer.uploadPoints(frame.curves, uploaded, bytes);
            glFinish();
            uploaded += bytes;
            // Chunks sized to a quarter of the budget each.
            const double seconds = std::max(1e-6, secondsOf(Clock::now() - begin));
            uploadChunk =
                std::clamp<std::size_t>(static_cast<std::size_t>(static_cast<double>(bytes) * 0.25 *
                                                                 secondsOf(budget) / seconds),
                                        std::size_t{1} << 20, std::size_t{256} << 20);
            if (uploaded == total) {
                releasePoints();
                phase = Phase::Tree;
            }
            break;
        }
        case Phase::Tree:
            renderer.enterFrame(targets.back());
            renderer.clear(frame.background);
            renderer.drawLines(frame.tree);
            if (frame.showCurves) {
                renderer.loadCurves(frame.curves);
                phase = Phase::Curves;
            } else {
                phase = Phase::Overlay;
            }
            renderer.leaveFrame();
            break;
        case Phase::Curves:
            stepCurves(deadline, budget);
            break;
        case Phase::Overlay:
            if (frame.showOverlay) {
                renderer.enterFrame(targets.back());
                renderer.drawLines(frame.overlay);
                renderer.leaveFrame();
            }
            renderer.finishFrame(targets.back());
            std::swap(targets.frameTexture, targets.backTexture);
            ++framesCompleted;
            phase = Phase::Idle;
            break;
        }
    }
    return phase != Phase::Idle;
}

void ProgressiveRenderer::stepCurves(Clock::time_point deadline, Clock::duration budget) {
    const CurveSet& curves = frame.curves;
    renderer.enterFrame(targets.back());
    while (curvesDrawn < curves.curveCount() && Clock::now() < deadline) {
        const int32_t count = std::min(curvesPerBatch, curves.curveCount() - curvesDrawn);
        const Clock::time_point begin = Clock::now();
        renderer.drawCurveRange(curves, curvesDrawn, count);
        // Rasterising runs behind the calls; the batch is timed to its end.
        glFinish();
        curvesDrawn += count;
        const double seconds = std::max(1e-6, secondsOf(Clock::now() - begin));
        // The next batch fills part of what is left of this budget, or of
        // the next one when this one is spent.
        const double left = secondsOf(deadline - Clock::now());
        const double aim = (left > 0.0 ? left : secondsOf(budget)) * batchShare;
        curvesPerBatch = std::clamp(static_cast<int32_t>(aim * count / seconds), 1, 1 << 20);
    }
    if (curvesDrawn == curves.curveCount()) {
        renderer.finishCurves(curves);
        phase = Phase::Overlay;
    }
    renderer.leaveFrame();
}
