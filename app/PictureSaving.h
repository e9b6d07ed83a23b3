#pragma once

#include "base/Result.h"
#include "render/FrameRenderer.h"
#include "render/RenderTargets.h"
#include "render/TextAtlas.h"
#include "scene/DrawDescription.h"
#include "scene/SceneSnapshot.h"

#include <memory>
#include <string>

// The two files a saved picture goes to: the chosen name ending in .png and
// in .svg, whichever of the two (or neither) it ended in.
struct PicturePaths {
    std::string png;
    std::string svg;
};
PicturePaths picturePathsFor(const std::string& chosen);

// Saves the frame the viewer shows, as it shows it, with the labels the
// frame would show at its own size: the frame's pixels as a PNG, and the
// same as SVG vectors beside it.
class PictureSaver {
public:
    PictureSaver(RenderTargets& targets, FrameRenderer& renderer)
        : targets(targets), renderer(renderer) {}

    // The shown frame must be complete and its curves the ones uploaded
    // last; snapshot is its scene, and labels come only with one.
    Status save(const PicturePaths& paths, const DrawDescription& shown,
                const SceneSnapshot* snapshot, int32_t highlighted);

private:
    std::vector<Label> labelsOf(const DrawDescription& shown, const SceneSnapshot* snapshot,
                                int32_t highlighted);

    RenderTargets& targets;
    FrameRenderer& renderer;
    std::unique_ptr<TextAtlas> labelText;
};
