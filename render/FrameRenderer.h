#pragma once

#include "base/Result.h"
#include "frame/DensityScale.h"
#include "frame/DrawDescription.h"
#include "frame/DrawList.h"
#include "render/CurveShader.h"
#include "render/DensityShader.h"
#include "render/RenderTargets.h"
#include "render/TextAtlas.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

// Draws a DrawDescription with GL into a 2048 by 2048 off-screen frame, and
// shows that frame in the window as one textured square. Reads nothing but
// the description, and draws its layers in their order (see DrawList);
// needs the context that made the targets. As a DrawBackend it draws a
// frame a part at a time as well.
class FrameRenderer : public DrawBackend {
public:
    explicit FrameRenderer(RenderTargets& targets) : targets(targets) {}

    // Compiles the curve shader; needs a GL 3.0 context.
    Status prepare();
    // Deletes the renderer's own GL objects.
    void release();

    // The whole frame into the frame texture, its layers in their order,
    // then the texture's mipmaps. Afterwards the window's
    // framebuffer, viewport and projection are back, the matrix mode is the
    // projection and the frame texture is bound and enabled.
    void drawFrame(const DrawDescription& frame);
    // The state drawFrame leaves, for showing a frame drawn before.
    void reuseFrame();
    // The frame as the square from (-1, -1) to (1, 1) of the current
    // projection, which is in display units: the whole scene's frame there,
    // and a frame of a smaller region where that region lies.
    void showFrame(const FrameRegion& region = {});
    // The frame before (in the texture `earlier`, showing its own region)
    // with the frame over it at `share` of its opacity: a cross-fade from one
    // to the other as the share goes from 0 to 1. Leaves the state showFrame
    // leaves.
    void showFading(uint32_t earlier, const FrameRegion& earlierRegion, const FrameRegion& region,
                    float share);

    // Makes the texture the drawing target, with the frame's projection, and
    // gives the window back afterwards.
    void enterFrame(uint32_t texture, const FrameRegion& region);
    void leaveFrame();
    // Ends a frame drawn into the texture: its mipmaps, and the texture bound
    // and enabled.
    void finishFrame(uint32_t texture);
    void clear(const Colour& background) override;
    void dim(const Colour& background, float kept) override;
    // Draws a picture of the frame's size, made before, as it is.
    void copyPicture(uint32_t texture);
    void drawFillRange(const FillSet& fills, std::size_t first, std::size_t count) override;
    void drawLines(const LineSet& lines);
    // Items first .. first + count - 1 of the lines (see LineSet::itemCount).
    void drawLineRange(const LineSet& lines, std::size_t first, std::size_t count) override;
    // The curves' points go into GL a vertex buffer at a time; only a set
    // whose points are not there yet needs them.
    bool pointsUploaded(const CurveSet& curves) const;
    static std::size_t bufferCount(const CurveSet& curves);
    void uploadBuffer(const CurveSet& curves, std::size_t index);
    // The set's points where they are not there yet, its styles and ramp
    // coordinates, for drawing it; for the density view also an empty
    // density target.
    void beginCurves(const CurveSet& curves) override;
    // The curves at places first .. first + count - 1 of the drawing order
    // of the set begun last: into the frame, or counted into the density
    // target (each curve by its weight). Any range may follow any other:
    // each sets the line widths of its own places.
    void drawCurveRange(const CurveSet& curves, int32_t first, int32_t count) override;
    // After the last range: the density view shows its counts in the frame.
    void finishCurves(const CurveSet& curves) override;
    // All curves: begun, drawn and finished.
    void drawCurves(const CurveSet& curves);
    // Writes the frame's names and the texts over its cells, in the text's glyphs, into the texture
    // (which shows the frame's region); the caller ends the frame.
    void writeLabels(uint32_t texture, const DrawDescription& frame, const TextAtlas& text);
    // Writes the frame's key to its colours, where the frame shows one,
    // into the texture's bottom right corner, in the text's glyphs, with
    // the counts of the density view drawn last; the caller ends the frame.
    void writeLegend(uint32_t texture, const DrawDescription& frame, const TextAtlas& text);
    // Where the counts of the density view drawn last fell on its ramp;
    // nothing covered before one is drawn.
    const std::shared_ptr<const DensityScale>& densityScale() const { return density; }
    // Copies level 0 of one frame-sized texture into another.
    void copyFrame(uint32_t from, uint32_t to);

private:
    void attach(uint32_t texture);
    // Places first .. first + count - 1, at the line width set.
    void drawPlaces(const CurveSet& curves, int32_t first, int32_t count, bool counting);

    RenderTargets& targets;
    CurveShader curveShader;
    DensityShader densityShader;
    // The texture enterFrame made the target.
    uint32_t target = 0;
    FrameRegion targetRegion;
    std::optional<uint64_t> uploadedRevision;
    std::shared_ptr<const DensityScale> density = std::make_shared<const DensityScale>();
    std::vector<std::size_t> bufferBytes;
};
