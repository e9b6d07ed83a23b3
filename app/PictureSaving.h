#pragma once

#include "base/Result.h"
#include "frame/DrawDescription.h"
#include "render/FrameRenderer.h"
#include "render/LabelFont.h"
#include "render/RenderTargets.h"
#include "render/TextAtlas.h"

#include <memory>
#include <string>

// The two files a saved picture goes to: the chosen name ending in .png and
// in .svg, whichever of the two (or neither) it ended in.
struct PicturePaths {
    std::string png;
    std::string svg;
};
PicturePaths picturePathsFor(const std::string& chosen);

// Saves the frame the viewer shows, as it shows it, with the names the
// frame carries and its key to the colours where it shows one: the frame's
// pixels as a PNG, and its description as SVG vectors beside it. Nothing is read back from GL but
// the frame's pixels.
class PictureSaver {
public:
    // Names and the key are drawn in the font that placed the names.
    PictureSaver(RenderTargets& targets, FrameRenderer& renderer)
        : targets(targets), renderer(renderer) {}

    // The frame texture must hold the complete frame that `shown` describes.
    Status save(const PicturePaths& paths, const DrawDescription& shown,
                const std::shared_ptr<const LabelFont>& labelFont);

private:
    RenderTargets& targets;
    FrameRenderer& renderer;
    std::unique_ptr<TextAtlas> labelText;
};
